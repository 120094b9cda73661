#include <windows.h>

#include "tools/uninstall/win32_uninstall_adapters.h"

namespace {

// An open key under HKEY_LOCAL_MACHINE, closed when it goes.
class COpenKey {
 public:
  COpenKey(const std::string& path, REGSAM access) {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideFromUtf8(path).c_str(), 0, access, &m_key) != ERROR_SUCCESS) {
      m_key = nullptr;
    }
  }
  ~COpenKey() {
    if (m_key) RegCloseKey(m_key);
  }
  COpenKey(const COpenKey&) = delete;
  COpenKey& operator=(const COpenKey&) = delete;

  HKEY Get() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};

}  // namespace

bool CWin32UninstallRegistry::KeyExists(const std::string& path) {
  return COpenKey(path, KEY_READ).Get() != nullptr;
}

bool CWin32UninstallRegistry::KeyHasSubkeys(const std::string& path) {
  COpenKey key(path, KEY_READ);
  DWORD subkeys = 0;
  if (!key.Get()) return false;
  if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return true;  // unknown: keep the key
  }
  return subkeys > 0;
}

bool CWin32UninstallRegistry::ValueExists(const std::string& keyPath, const std::string& name) {
  COpenKey key(keyPath, KEY_READ);
  return key.Get() && RegQueryValueExW(key.Get(), WideFromUtf8(name).c_str(), nullptr, nullptr, nullptr,
                                       nullptr) == ERROR_SUCCESS;
}

bool CWin32UninstallRegistry::DeleteKey(const std::string& path, bool withSubkeys) {
  std::wstring wide = WideFromUtf8(path);
  if (withSubkeys) return RegDeleteTreeW(HKEY_LOCAL_MACHINE, wide.c_str()) == ERROR_SUCCESS;
  return RegDeleteKeyW(HKEY_LOCAL_MACHINE, wide.c_str()) == ERROR_SUCCESS;
}

bool CWin32UninstallRegistry::DeleteValue(const std::string& keyPath, const std::string& name) {
  COpenKey key(keyPath, KEY_SET_VALUE);
  return key.Get() && RegDeleteValueW(key.Get(), WideFromUtf8(name).c_str()) == ERROR_SUCCESS;
}

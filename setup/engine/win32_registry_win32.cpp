#include "setup/engine/win32_registry.h"

#include <windows.h>

#include <vector>

#include "base/code_page.h"

namespace {

HKEY ToHkey(RegistryHandle handle) { return reinterpret_cast<HKEY>(handle); }
RegistryHandle FromHkey(HKEY key) { return reinterpret_cast<RegistryHandle>(key); }

// The 32-bit view, where the 32-bit CAD releases register and where a 32-bit
// program's keys are, whatever this program's own build.
constexpr REGSAM kView = KEY_WOW64_32KEY;

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// String data as the registry holds it: UTF-16 up to the first zero.
std::u16string WideStringData(const std::vector<BYTE>& bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  if (!text.empty()) memcpy(text.data(), bytes.data(), text.size() * 2);
  return text.substr(0, text.find(u'\0'));
}

}  // namespace

long Win32Registry::OpenKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) {
  HKEY opened = nullptr;
  long result = RegOpenKeyExW(ToHkey(parent), DecodeToWide(path, m_codePage).c_str(), 0,
                              KEY_READ | KEY_WRITE | kView, &opened);
  if (result == ERROR_SUCCESS) *key = FromHkey(opened);
  return result;
}

long Win32Registry::CreateKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) {
  HKEY created = nullptr;
  DWORD disposition = 0;
  long result =
      RegCreateKeyExW(ToHkey(parent), DecodeToWide(path, m_codePage).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | kView, nullptr, &created, &disposition);
  if (result == ERROR_SUCCESS) *key = FromHkey(created);
  return result;
}

long Win32Registry::CloseKey(RegistryHandle key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::EnumKey(RegistryHandle key, std::uint32_t index, std::string* name) {
  wchar_t buffer[kRegistryNameChars];
  DWORD length = kRegistryNameChars;
  long result = RegEnumKeyExW(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) {
    *name =
        EncodeToCodePage(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length), m_codePage);
  }
  return result;
}

long Win32Registry::QueryValue(RegistryHandle key, const std::string& name, std::uint32_t* type,
                               std::string* data, std::size_t capacity) {
  std::wstring wideName = DecodeToWide(name, m_codePage);
  DWORD valueType = REG_NONE;
  DWORD size = 0;
  long result = RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &valueType, nullptr, &size);
  if (result != ERROR_SUCCESS) return result;
  *type = valueType;
  if (data == nullptr) return ERROR_SUCCESS;
  std::vector<BYTE> bytes(size);
  result = RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &valueType, bytes.data(), &size);
  if (result != ERROR_SUCCESS) return result;
  bytes.resize(size);
  // Limits are in bytes of the code page, as the program holds the text.
  std::string value = IsStringType(valueType) ? EncodeToCodePage(WideStringData(bytes), m_codePage) + '\0'
                                              : std::string(bytes.begin(), bytes.end());
  if (value.size() > capacity) return ERROR_MORE_DATA;
  *data = value;
  return ERROR_SUCCESS;
}

long Win32Registry::SetValue(RegistryHandle key, const std::string& name, std::uint32_t type,
                             const std::string& data) {
  std::wstring wideName = DecodeToWide(name, m_codePage);
  if (IsStringType(type)) {
    std::wstring text = DecodeToWide(data.substr(0, data.find('\0')), m_codePage);
    DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(ToHkey(key), wideName.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                          size);
  }
  return RegSetValueExW(ToHkey(key), wideName.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size()));
}

long Win32Registry::FlushKey(RegistryHandle key) { return RegFlushKey(ToHkey(key)); }

long Win32Registry::DeleteKey(RegistryHandle parent, const std::string& path) {
  return RegDeleteKeyExW(ToHkey(parent), DecodeToWide(path, m_codePage).c_str(), kView, 0);
}

long Win32Registry::DeleteTree(RegistryHandle parent, const std::string& path) {
  std::wstring wide = DecodeToWide(path, m_codePage);
  HKEY key = nullptr;
  long result = RegOpenKeyExW(ToHkey(parent), wide.c_str(), 0, KEY_ALL_ACCESS | kView, &key);
  if (result != ERROR_SUCCESS) return result;
  result = RegDeleteTreeW(key, nullptr);  // subkeys and values
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? RegDeleteKeyExW(ToHkey(parent), wide.c_str(), kView, 0) : result;
}

long Win32Registry::DeleteValue(RegistryHandle key, const std::string& name) {
  return RegDeleteValueW(ToHkey(key), DecodeToWide(name, m_codePage).c_str());
}

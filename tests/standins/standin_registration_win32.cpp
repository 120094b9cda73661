#include "tests/standins/standin_registration_win32.h"

#include <objbase.h>

#include <string>

#include "tests/standins/standin_options.h"

namespace {

constexpr const wchar_t* kDispatchProxy = L"{00020420-0000-0000-C000-000000000046}";
constexpr const wchar_t* kEventsKey = L"Interface\\{00024411-0000-0000-C000-000000000046}";

std::wstring ClassIdText() {
  wchar_t text[40] = {};
  StringFromGUID2(kStandinClassId, text, 40);
  return text;
}

bool SetValue(const std::wstring& keyPath, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

}  // namespace

bool RegisterStandin(const wchar_t* serverArguments) {
  std::wstring classKey = L"CLSID\\" + ClassIdText();
  std::wstring command = L"\"" + OwnPath() + L"\"";
  if (serverArguments && *serverArguments) command += std::wstring(L" ") + serverArguments;
  return SetValue(classKey, nullptr, L"Spreadsheet stand-in") &&
         SetValue(classKey + L"\\LocalServer32", nullptr, command) &&
         SetValue(classKey + L"\\ProgID", nullptr, kStandinProgId) &&
         SetValue(kStandinProgId, nullptr, L"Spreadsheet stand-in") &&
         SetValue(std::wstring(kStandinProgId) + L"\\CLSID", nullptr, ClassIdText()) &&
         SetValue(kEventsKey, nullptr, L"WorksheetEvents") &&
         SetValue(std::wstring(kEventsKey) + L"\\ProxyStubClsid32", nullptr, kDispatchProxy) &&
         SetValue(std::wstring(kEventsKey) + L"\\ProxyStubClsid", nullptr, kDispatchProxy);
}

bool UnregisterStandin() {
  LONG classResult = RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + ClassIdText()).c_str());
  LONG progResult = RegDeleteTreeW(HKEY_CLASSES_ROOT, kStandinProgId);
  return classResult == ERROR_SUCCESS && progResult == ERROR_SUCCESS;
}

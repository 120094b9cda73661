#include "tests/wine/install_e2e_support.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "tests/wine/driver/ui_driver.h"
#include "winfx/com.h"

namespace fs = std::filesystem;

// Missing from mingw-w64's headers: RegGetValue in the 32-bit view.
#ifndef RRF_SUBKEY_WOW6432KEY
#define RRF_SUBKEY_WOW6432KEY 0x00020000
#endif

namespace {

const std::wstring kAcad = L"SOFTWARE\\Autodesk\\AutoCAD";

void WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// A 32-bit CAD release registers in the 32-bit view.
bool AddProduct(const std::wstring& release, const std::wstring& product, const std::wstring& name,
                const std::wstring& language, REGSAM view = KEY_WOW64_32KEY) {
  HKEY key = nullptr;
  std::wstring path = kAcad + L"\\" + release + L"\\" + product;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  WriteString(key, L"ProductName", name);
  if (!language.empty()) WriteString(key, L"Language", language);
  RegCloseKey(key);
  return true;
}

}  // namespace

bool SeedCadProducts() {
  return AddProduct(L"R14.0", L"ACAD-1:409", L"AutoCAD R14", L"English") &&
         AddProduct(L"R15.0", L"ACAD-1:804", L"AutoCAD 2000", L"Chinese (PRC)") &&
         AddProduct(L"R16.2", L"ACAD-201:409", L"AutoCAD 2006", L"English") &&
         AddProduct(L"R16.2", L"ACAD-201:804", L"AutoCAD 2006 without language", L"") &&
         AddProduct(L"R17.1", L"ACAD-6001:409", L"AutoCAD 2008", L"English") &&
         AddProduct(L"R18.0", L"ACAD-8001:409", L"AutoCAD 2010", L"English") &&
         AddProduct(L"R17.1", kProduct64Only, L"AutoCAD 2008 64-bit", L"English", KEY_WOW64_64KEY);
}

void RemoveCadProducts() {
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    HKEY software = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | view, &software) != ERROR_SUCCESS)
      continue;
    RegDeleteTreeW(software, L"Autodesk");
    RegCloseKey(software);
  }
}

bool KeyExists(const std::wstring& path, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

std::wstring ReadString(const std::wstring& path, const std::wstring& name) {
  wchar_t value[512] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), RRF_RT_REG_SZ | RRF_SUBKEY_WOW6432KEY,
                   nullptr, value, &size) != ERROR_SUCCESS) {
    return L"(missing)";
  }
  return value;
}

DWORD ReadDword(const std::wstring& path, const std::wstring& name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), RRF_RT_REG_DWORD | RRF_SUBKEY_WOW6432KEY,
                   nullptr, &value, &size) != ERROR_SUCCESS) {
    return 0xFFFFFFFF;
  }
  return value;
}

// The test runs in the build's tests/wine folder.
fs::path InstallerPath() { return fs::absolute(L"..\\..\\setup\\Install.exe"); }

std::vector<fs::path> PayloadFiles(const std::wstring& archive) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::absolute(L"..\\..\\setup\\payload") / archive)) {
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "(no file " + file.string() + ")";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

fs::path SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetSystemDirectoryW(folder, MAX_PATH);
  return folder;
}

fs::path Wow64SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetSystemWow64DirectoryW(folder, MAX_PATH);
  return folder;
}

bool ExistsInNativeSystemFolder(const std::wstring& name) {
  PVOID redirection = nullptr;
  if (!Wow64DisableWow64FsRedirection(&redirection)) return false;
  bool exists = GetFileAttributesW((SystemFolder() / name).c_str()) != INVALID_FILE_ATTRIBUTES;
  Wow64RevertWow64FsRedirection(redirection);
  return exists;
}

fs::path ProgramsFolder() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, folder);
  return folder;
}

bool HasTemporaryUninstaller() {
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, folder);
  WIN32_FIND_DATAW found;
  // The copy's folder, or a copy made the way older releases did.
  HANDLE search = FindFirstFileW((std::wstring(folder) + L"ZMun*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

fs::path LinkTarget(const fs::path& link) {
  winfx::CComInit com;
  winfx::CComPtr<IShellLinkW> shellLink;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(shellLink.Receive())))) {
    return {};
  }
  winfx::CComPtr<IPersistFile> file;
  if (FAILED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Receive()))) ||
      FAILED(file->Load(link.c_str(), STGM_READ))) {
    return {};
  }
  wchar_t target[MAX_PATH] = {};
  shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
  return target;
}

int GetFocusedControlId(DWORD processId) {
  std::vector<HWND> dialogs = uidriver::ProcessDialogs(processId);
  if (dialogs.empty()) return 0;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialogs.front(), nullptr), &info) || !info.hwndFocus)
    return 0;
  return GetDlgCtrlID(info.hwndFocus);
}

std::filesystem::path PicturePath(const std::wstring& language, const std::wstring& name) {
  return fs::absolute(L"screenshots") / language / (name + L".bmp");
}

bool SavePicture(HWND window, const std::wstring& language, const std::wstring& name, bool settle) {
  fs::path file = PicturePath(language, name);
  return settle ? uidriver::SaveSettledWindowPicture(window, file)
                : uidriver::SaveWindowPicture(window, file);
}

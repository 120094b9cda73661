// The demo: seeds a fresh Wine prefix with sample CAD product keys, lets a
// person click through Install.exe (--interactive) or drives it in
// simplified Chinese, saving a picture of every page, prints what was
// installed, then runs the installed assistant beside the spreadsheet
// stand-in.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "setup/res/install_resource.h"
#include "tests/wine/assistant_demo.h"
#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/install_e2e_support.h"

namespace fs = std::filesystem;
using namespace uidriver;

namespace {

const std::wstring kFolder = L"C:\\Program Files\\Zelmorant10.1";

void Print(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                 nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                      nullptr);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

HWND ShownPage(HWND wizard, int control) {
  HWND page = nullptr;
  WaitUntil([&] {
    page = VisibleChildDialog(wizard);
    return page && GetDlgItem(page, control);
  });
  return page;
}

bool DriveInstaller(CProcess& installer) {
  HWND chooser = WaitForDialog(installer.Id(), L"Select Language");
  if (!chooser) return false;
  SendMessageW(GetDlgItem(chooser, IDC_LANGUAGE_LIST), LB_SETCURSEL, 0, 0);  // simplified Chinese
  Click(chooser, IDOK);
  HWND wizard = WaitForDialog(installer.Id(), L"安装 Zelmorant10.1");
  if (!wizard || !ShownPage(wizard, IDC_AGREEMENT)) return false;
  SavePicture(wizard, L"demo", L"1-welcome");
  Click(wizard, IDC_WIZARD_NEXT);
  if (!ShownPage(wizard, IDC_FOLDER)) return false;
  SavePicture(wizard, L"demo", L"2-setting");
  Click(wizard, IDC_WIZARD_NEXT);
  // The folder does not exist yet in a fresh prefix: the installer asks.
  if (std::optional<MessageBoxSeen> box = WaitForMessageBox(installer.Id(), 30s)) {
    Print(L"The installer asks: " + box->text + L" -> Yes");
    Answer(*box, IDYES);
  }
  if (!WaitUntil([&] { return IsItemVisible(wizard, IDC_WIZARD_FINISH); }, 60s)) return false;
  SavePicture(wizard, L"demo", L"3-finish");
  Click(wizard, IDC_WIZARD_FINISH);
  return installer.WaitForExit().has_value();
}

void PrintKeyTree(HKEY root, const std::wstring& path, int depth) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  std::wstring indent(static_cast<size_t>(depth) * 2, L' ');
  for (DWORD i = 0;; ++i) {
    wchar_t name[256], data[512];
    DWORD nameLength = 256, dataSize = sizeof data, type = 0;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) !=
        ERROR_SUCCESS) {
      break;
    }
    DWORD number = 0;
    if (type == REG_DWORD) std::memcpy(&number, data, sizeof number);
    std::wstring value = type == REG_DWORD ? std::to_wstring(number) : std::wstring(data);
    Print(indent + L"  " + name + L" = " + value);
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Print(indent + L"  [" + name + L"]");
    PrintKeyTree(root, path + L"\\" + name, depth + 1);
  }
  RegCloseKey(key);
}

void PrintInstallation() {
  Print(L"\nFiles in " + kFolder + L":");
  for (const auto& entry : fs::directory_iterator(kFolder)) {
    Print(L"  " + entry.path().filename().wstring() + L"  (" + std::to_wstring(entry.file_size()) +
          L" bytes)");
  }
  Print(L"\nDemand-load registration:");
  for (const wchar_t* path : {L"SOFTWARE\\Autodesk\\AutoCAD", L"SOFTWARE\\Zelmorant10.1"}) {
    Print(std::wstring(L"[HKEY_LOCAL_MACHINE\\") + path + L"]");
    PrintKeyTree(HKEY_LOCAL_MACHINE, path, 0);
  }
  Print(L"\nAdd/Remove Programs entry:");
  PrintKeyTree(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1",
               0);
  fs::path group = ProgramsFolder() / L"Zelmorant10.1";
  Print(L"\nShortcuts in " + group.wstring() + L":");
  for (const auto& entry : fs::directory_iterator(group)) {
    Print(L"  " + entry.path().filename().wstring() + L" -> " + LinkTarget(entry.path()).wstring());
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  bool interactive = argc > 1 && std::wstring(argv[1]) == L"--interactive";
  if (!SeedCadProducts()) return 1;
  Print(
      L"Sample CAD product keys seeded (stand-ins for real CAD installations): R14.0, R15.0, R16.2, R17.1, "
      L"R18.0, and one product without a language.");
  CProcess installer;
  if (!installer.Start(InstallerPath())) return 1;
  if (interactive) {
    Print(L"Install.exe is running: click through it.");
    installer.WaitForExit(std::chrono::hours(1));
  } else if (!DriveInstaller(installer)) {
    Print(L"The installer did not go through as expected.");
    installer.Kill();
    return 1;
  } else {
    Print(L"Pictures of the pages: tests/wine/screenshots/demo/ in the Windows build folder.");
  }
  if (!fs::exists(kFolder)) {
    Print(L"Nothing was installed.");
    return 0;
  }
  PrintInstallation();
  Print(L"\n== the installed assistant beside the spreadsheet stand-in");
  if (!demo::ShowAssistant(kFolder, interactive, Print)) {
    Print(L"The assistant did not come up as expected.");
    return 1;
  }
  return 0;
}

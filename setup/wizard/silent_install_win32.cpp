#include "setup/wizard/silent_install.h"

#include <windows.h>

#include <string>
#include <vector>

#include "base/code_page.h"
#include "setup/engine/installation.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"
#include "setup/wizard/install_folder.h"
#include "setup/wizard/install_start.h"
#include "setup/wizard/language_dialog.h"
#include "setup/wizard/setup_services.h"
#include "setup/wizard/wizard_texts.h"

namespace {

constexpr int kNoAnsiFolderText = 29;

// The lines of the /LOG file, written when the run ends.
class CRunReport {
 public:
  explicit CRunReport(const std::optional<std::u16string>& file) : m_file(file) {}
  ~CRunReport() { Save(); }
  CRunReport(const CRunReport&) = delete;
  CRunReport& operator=(const CRunReport&) = delete;

  void Add(const std::wstring& line) { m_text += EncodeFromWide(line, kCodePageUtf8) + "\r\n"; }
  int Finish(int exitCode, const std::wstring& line) {
    Add(line);
    Add(L"Exit code: " + std::to_wstring(exitCode));
    return exitCode;
  }

 private:
  void Save() const {
    if (!m_file) return;
    std::wstring path(m_file->begin(), m_file->end());
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, m_text.data(), static_cast<DWORD>(m_text.size()), &written, nullptr);
    CloseHandle(file);
  }

  std::optional<std::u16string> m_file;
  std::string m_text;
};

// Every product the wizard would list, all of them chosen.
class CAllProducts : public ProductCheckList {
 public:
  int AddItem(const std::string&) override { return count++; }
  void SetCheck(int, bool) override {}

  int count = 0;
};

// The run's view without a window: only its messages are kept.
class CSilentProgress : public ProgressView {
 public:
  explicit CSilentProgress(CRunReport& report) : m_report(report) {}

  void StopTimer() override {}
  void SetProgressRange(int, int) override {}
  void SetProgressPosition(int) override {}
  void SetFileLabel(const std::string&) override {}
  void ShowPlainMessage(const std::string& text) override { m_report.Add(DecodeToWide(text, kCodePageUtf8)); }

 private:
  CRunReport& m_report;
};

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

int RunSilentInstall(const SetupSwitches& switches) {
  CRunReport report(switches.logFile);
  if (!switches.unknown.empty()) {
    return report.Finish(kSetupExitBadSwitch, L"Unknown switch or language: " + Wide(switches.unknown));
  }
  g_codePage = static_cast<int>(switches.codePage.value_or(DefaultSetupCodePage()));
  SetLanguage(g_codePage);
  g_ansiCodePage = GetACP();
  CSetupServices services(kSetupPathCodePage);

  std::u16string typed = switches.folder.value_or(u"C:\\Program Files\\" + Utf16FromAscii(kProductVersion));
  std::optional<std::u16string> folder = NormalizeInstallFolder(typed);
  if (!folder) {
    return report.Finish(kSetupExitBadFolder,
                         L"Not a folder the product can be installed in: " + Wide(typed));
  }
  std::string narrow = EncodeFromWide(Wide(*folder), kSetupPathCodePage);
  if (!IsAnsiPath(narrow)) {
    return report.Finish(kSetupExitBadFolder, Wide(*folder) + L": " + SetupText(kNoAnsiFolderText));
  }

  if (InstallFolderOpenToOthers(Wide(*folder))) {
    return report.Finish(kSetupExitBadFolder, Wide(*folder) + L": " + SetupText(kFolderOpenToOthersText));
  }

  std::vector<AcadProduct> products;
  CAllProducts list;
  if (!FindAcadProducts(services.registry, products, list) || products.empty()) {
    return report.Finish(kSetupExitNoCadProduct, L"No CAD product found: nothing was installed.");
  }

  std::vector<std::wstring> made;
  if (!InstallFolderExists(Wide(*folder))) made = CreateFolderTree(Wide(*folder));
  if (!InstallFolderExists(Wide(*folder))) {
    return report.Finish(kSetupExitBadFolder, L"Could not create folder: " + Wide(*folder));
  }
  BeginInstallation(services, narrow, made, products);
  CSilentProgress progress(report);
  InstallEnvironment environment{services.registry, services.files, services.folders, services.resources,
                                 services.links,    progress,       services.pacer};
  if (!RunInstallation(environment)) {
    return report.Finish(kSetupExitWriteFailed,
                         L"Setup failed! Writing the files into " + Wide(*folder) +
                             L" failed; uninstall.exe there removes what was written.");
  }
  for (const AcadProduct& product : products)
    report.Add(L"Registered with" + DecodeToWide(ProductItemText(product), kCodePageUtf8));
  return report.Finish(kSetupExitSucceeded, L"Installed into " + Wide(*folder));
}

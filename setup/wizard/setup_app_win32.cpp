// Install.exe: asks for the language, then runs the setup wizard; with /S
// it installs without a window (see setup_switches.h).

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>
#include <vector>

#include "setup/engine/setup_state.h"
#include "setup/wizard/finish_page.h"
#include "setup/wizard/language_dialog.h"
#include "setup/wizard/progress_page.h"
#include "setup/wizard/setting_page.h"
#include "setup/wizard/setup_services.h"
#include "setup/wizard/setup_switches.h"
#include "setup/wizard/setup_wizard.h"
#include "setup/wizard/silent_install.h"
#include "setup/wizard/welcome_page.h"
#include "winfx/application.h"
#include "winfx/com.h"
#include "winfx/dll_search.h"

namespace {

std::vector<std::u16string> CommandLineArguments() {
  std::vector<std::u16string> arguments;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!list) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(reinterpret_cast<const char16_t*>(list[i]));
  LocalFree(list);
  return arguments;
}

class CSetupApp : public winfx::CApplication {
 protected:
  int InitInstance() override {
    winfx::CComInit com;
    if (!com.Succeeded()) {
      MessageBoxW(nullptr, L"Could not initialize COM dll", L"Install", MB_OK);
      return 0;
    }
    SetupSwitches switches = ParseSetupSwitches(CommandLineArguments());
    if (switches.silent) return RunSilentInstall(switches);
    CLanguageDialog language;
    if (language.DoModal() != IDOK) return 0;
    g_codePage = static_cast<int>(language.codePage);
    SetLanguage(g_codePage);

    g_ansiCodePage = GetACP();
    CSetupServices services(kSetupPathCodePage);
    CSetupWizard wizard;
    CWelcomePage welcome;
    CSettingPage setting(services);
    CProgressPage progress(services);
    CFinishPage finish;
    wizard.AddPage(welcome, welcome.GetTemplateId());
    wizard.AddPage(setting, setting.GetTemplateId());
    wizard.AddPage(progress, progress.GetTemplateId());
    wizard.AddPage(finish, finish.GetTemplateId());
    wizard.DoModal();
    return 0;
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  winfx::RestrictDllSearch();
  CSetupApp app;
  return app.Run();
}

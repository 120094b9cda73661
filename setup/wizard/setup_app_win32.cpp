// Install.exe: asks for the language, then runs the setup wizard.

#include "setup/engine/setup_state.h"
#include "setup/wizard/finish_page.h"
#include "setup/wizard/language_dialog.h"
#include "setup/wizard/progress_page.h"
#include "setup/wizard/setting_page.h"
#include "setup/wizard/setup_services.h"
#include "setup/wizard/setup_wizard.h"
#include "setup/wizard/welcome_page.h"
#include "winfx/application.h"
#include "winfx/com.h"

namespace {

class CSetupApp : public winfx::CApplication {
 protected:
  int InitInstance() override {
    winfx::CComInit com;
    if (!com.Succeeded()) {
      MessageBoxW(nullptr, L"Could not initialize COM dll", L"Install", MB_OK);
      return 0;
    }
    CLanguageDialog language;
    if (language.DoModal() != IDOK) return 0;
    g_codePage = static_cast<int>(language.codePage);
    SetLanguage(g_codePage);

    CSetupServices services(SetupCodePage());
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
  CSetupApp app;
  return app.Run();
}

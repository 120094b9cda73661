// Ostrevia.exe: reads its settings and language, initialises OLE and runs
// the main window; the program ends when the window closes.

#include <windows.h>

#include <string>

#include "assistant/app/assistant_dlg_win32.h"
#include "assistant/app/message_box_port_win32.h"
#include "assistant/config/settings.h"
#include "assistant/excel/busy_retry_filter_win32.h"
#include "assistant/texts/text_tables.h"
#include "assistant/ui/settings_sheet_texts_win32.h"
#include "winfx/application.h"
#include "winfx/com.h"
#include "winfx/dll_search.h"

namespace {

class CAssistantApp : public winfx::CApplication {
 protected:
  int InitInstance() override {
    AssistantFolders folders = ProcessFolders();
    LoadSettings(folders);
    SelectTextTable(static_cast<unsigned>(g_settings.language));
    winfx::CComInit ole;
    if (!ole.Succeeded()) {
      MessageBoxW(nullptr, L"Could not initialize COM dll", L"Ostrevia3.5", MB_OK | MB_ICONSTOP);
      return 0;
    }
    CBusyRetryRegistration busyRetry;
    CAssistantDlg dialog(folders);
    dialog.DoModal();
    return 0;
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  winfx::RestrictDllSearch();
  CAssistantApp app;
  return app.Run();
}

#include "tests/wine/standin_end.h"

#include <windows.h>

#include "assistant/excel/excel_discovery_win32.h"
#include "assistant/excel/excel_dispatch.h"
#include "tests/wine/excel_link_wine_support.h"

namespace linktest {

bool EndStandin() {
  HWND frame = StandinFrame();
  if (!frame) return true;
  {
    CWin32ExcelDiscovery discovery;
    ExcelDispatch app(discovery.GetActiveObject(kExcelProgId));
    if (!app.IsEmpty()) app.SetVisible(false);
  }
  return WaitForStandinExit(frame);
}

}  // namespace linktest

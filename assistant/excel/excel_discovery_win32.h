#pragma once

// The discovery port over the real system (Windows build): OLE's active
// object and running object table, COM creation and connection points,
// and user32's top-level windows.

#include <oaidl.h>
#include <windows.h>

#include "assistant/excel/excel_discovery.h"

class CWin32ExcelDiscovery : public ExcelDiscovery {
 public:
  AutomationObjectPtr GetActiveObject(std::u16string_view progId) override;
  AutomationObjectPtr CreateObject(std::u16string_view progId) override;
  bool EnumRunningObjects(std::vector<std::unique_ptr<RunningMoniker>>& monikers) override;
  std::unique_ptr<ConnectionPoint> FindWorksheetEvents(const AutomationObjectPtr& object) override;
  WindowHandle FindTopLevelWindow(std::u16string_view title) override;
  std::vector<WindowHandle> FindTopLevelWindowsOfClass(std::u16string_view className) override;
  void Sleep(int milliseconds) override;
};

// The one static IDispatch through which the spreadsheet calls the sink of
// an advise: reference counts only count, it is never deleted.
IDispatch* WorksheetEventSinkDispatch();
// How many events that IDispatch has received, for measurements.
long WorksheetEventCount();

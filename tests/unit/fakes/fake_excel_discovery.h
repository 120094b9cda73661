#pragma once

// The link's ports in memory: a discovery port whose running objects,
// creation and windows a test sets, with connection points on the sheets of
// the in-memory workbook; and a main window that records what it is told.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "assistant/bom_sheet/link_window.h"
#include "assistant/excel/excel_discovery.h"

class CFakeExcelDiscovery : public ExcelDiscovery {
 public:
  struct RunningEntry {
    std::u16string displayName;
    AutomationObjectPtr object;  // null: binding fails
  };

  AutomationObjectPtr GetActiveObject(std::u16string_view progId) override;
  AutomationObjectPtr CreateObject(std::u16string_view progId) override;
  bool EnumRunningObjects(std::vector<std::unique_ptr<RunningMoniker>>& monikers) override;
  std::unique_ptr<ConnectionPoint> FindWorksheetEvents(const AutomationObjectPtr& object) override;
  WindowHandle FindTopLevelWindow(std::u16string_view title) override;
  std::vector<WindowHandle> FindTopLevelWindowsOfClass(std::u16string_view className) override {
    return className == kExcelMainWindowClass ? mainWindows : std::vector<WindowHandle>{};
  }
  void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }

  // The running object of "Excel.Application", found after `failingLookups` misses.
  AutomationObjectPtr activeObject;
  int failingLookups = 0;
  int activeLookups = 0;
  // What creation by ProgID gives; null: creation fails.
  std::function<AutomationObjectPtr()> create;
  std::vector<RunningEntry> runningObjects;
  bool tableFails = false;
  std::map<std::u16string, WindowHandle> windows;  // by title
  std::vector<WindowHandle> mainWindows;           // of class "XLMAIN"
  bool refuseAdvise = false;
  int unadviseCount = 0;
  std::vector<int> sleeps;
};

class CFakeLinkWindow : public LinkWindow {
 public:
  void ShowStopMessage(std::string_view text) override { messages.emplace_back(text); }
  void ShowSheetText(std::string_view text) override { sheetText = text; }
  void ShowLinkLight(int bitmapId) override { linkLight = bitmapId; }
  void MakeTopmostAndRestore() override { ++topmostCount; }
  void SyncMaterialList(const ExcelDispatch&, int row) override { syncedRows.push_back(row); }
  void ReportEventError(std::u16string_view description) override { eventErrors.emplace_back(description); }

  std::vector<std::string> messages;
  std::string sheetText = "unset";
  int linkLight = 0;
  int topmostCount = 0;
  std::vector<int> syncedRows;
  std::vector<std::u16string> eventErrors;
};

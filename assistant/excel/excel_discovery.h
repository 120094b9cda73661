#pragma once

// The port through which the assistant finds spreadsheet applications: the
// class's running object, creation by ProgID, the running object table,
// connection points and top-level windows. Adapters: Win32 (the real system)
// and an in-memory fake for host tests.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "assistant/excel/automation_object.h"
#include "base/window_handle.h"

inline constexpr std::u16string_view kExcelProgId = u"Excel.Application";
// The window class of the spreadsheet's main window.
inline constexpr std::u16string_view kExcelMainWindowClass = u"XLMAIN";

// One entry of the running object table.
class RunningMoniker {
 public:
  virtual ~RunningMoniker() = default;
  virtual std::u16string DisplayName() = 0;
  // The object asked for as IDispatch; null when binding fails.
  virtual AutomationObjectPtr BindToObject() = 0;
};

// The worksheet-events connection point of one sheet.
class ConnectionPoint {
 public:
  virtual ~ConnectionPoint() = default;
  // Connects `sink`; false when the point refuses it.
  virtual bool Advise(const AutomationObjectPtr& sink, std::uint32_t& cookie) = 0;
  virtual bool Unadvise(std::uint32_t cookie) = 0;
};

class ExcelDiscovery {
 public:
  virtual ~ExcelDiscovery() = default;

  // The running object of the class registered under `progId`; null when
  // there is none (or the ProgID is unknown).
  virtual AutomationObjectPtr GetActiveObject(std::u16string_view progId) = 0;
  // A new automation object of the class; null when it cannot be created.
  virtual AutomationObjectPtr CreateObject(std::u16string_view progId) = 0;
  // The monikers of the running object table, in its order; false when the
  // table cannot be read.
  virtual bool EnumRunningObjects(std::vector<std::unique_ptr<RunningMoniker>>& monikers) = 0;
  // The worksheet-events connection point of `object`; null when it has none.
  virtual std::unique_ptr<ConnectionPoint> FindWorksheetEvents(const AutomationObjectPtr& object) = 0;
  // The top-level window whose title is `title`; 0 when none.
  virtual WindowHandle FindTopLevelWindow(std::u16string_view title) = 0;
  // The top-level windows of the window class `className`.
  virtual std::vector<WindowHandle> FindTopLevelWindowsOfClass(std::u16string_view className) = 0;
  virtual void Sleep(int milliseconds) = 0;
};

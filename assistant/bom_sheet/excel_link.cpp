#include "assistant/bom_sheet/excel_link.h"

#include "assistant/bom_sheet/link_window.h"
#include "assistant/bom_sheet/sheet_header.h"
#include "assistant/bom_sheet/worksheet_event_sink.h"
#include "assistant/config/bom_style.h"
#include "assistant/excel/automation_error.h"
#include "base/code_page.h"
#include "base/format_text.h"
#include "base/status.h"
#include "base/text_helpers.h"

namespace {

// AttachSheet's steps return this to go on, or the attach's result.
constexpr int kContinue = 0;

// Workbook captions and sheet names are kept as GBK bytes, as the
// specifications in the sheet are.
std::string ToGbk(std::u16string_view text) { return EncodeToCodePage(text, kCodePageGbk); }

std::string_view AfterLastBackslash(std::string_view name) {
  std::size_t slash = name.rfind('\\');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// A running object is a workbook of the spreadsheet when it says so by its
// Creator; its Application is returned.
AutomationObjectPtr ApplicationOfWorkbook(const AutomationObjectPtr& object) {
  ExcelDispatch workbook(object);
  AutomationValue creator;
  if (InvokeByName(InvokeKind::kGet, creator, workbook, u"Creator") != 0) return nullptr;
  const auto* code = std::get_if<std::int32_t>(&creator);
  if (!code || *code != dispid::kCreatorCode) return nullptr;
  AutomationValue application;
  if (InvokeByName(InvokeKind::kGet, application, workbook, u"Application") != 0) return nullptr;
  const auto* found = std::get_if<AutomationObjectPtr>(&application);
  return found ? *found : nullptr;
}

int FailAttach(ExcelLink& link, const char* message, int result) {
  link.window.ShowStopMessage(message);
  link.app.Release();
  return result;
}

int TakeActiveWindow(ExcelLink& link, ExcelDispatch& window) {
  window = link.app.ActiveWindow();
  if (window.IsEmpty()) return FailAttach(link, kMsgNoValidWindow, ST_OK);
  return kContinue;
}

// The active sheet of link.app, or a new BOM workbook's when it has none.
int TakeActiveSheetOf(ExcelLink& link, ExcelDispatch& window, ExcelDispatch& sheet) {
  sheet = link.app.ActiveSheet();
  if (sheet.IsEmpty()) sheet = AddBomWorkbook(link.app);
  return TakeActiveWindow(link, window);
}

int TakeActiveSheet(ExcelLink& link, ExcelDispatch& window, ExcelDispatch& sheet) {
  // An application the link holds (the one the finder found under the
  // pointer) is the one meant: with several running, the system's pick of
  // the running one may be another.
  if (!link.app.IsEmpty() || GetRunningExcel(link)) return TakeActiveSheetOf(link, window, sheet);
  if (!StartExcel(link)) return ST_FAIL;
  sheet = AddBomWorkbook(link.app);
  return TakeActiveWindow(link, window);
}

int TakeSpecifiedSheet(ExcelLink& link, const std::string& caption, int sheetIndex, ExcelDispatch& window,
                       ExcelDispatch& sheet) {
  // A caption that does not fit the field names no workbook we could attach.
  if (caption.size() > kCaptionBytes) {
    link.window.ShowStopMessage(kMsgNoSpecifiedInstance);
    return ST_OK;
  }
  if (FindExcelByCaption(link, caption) != 1) {
    // A workbook just added may not be listed under its caption; the
    // application that added it is still held, and its active sheet is the
    // new workbook's.
    if (!link.app.IsEmpty()) return TakeActiveSheetOf(link, window, sheet);
    link.window.ShowStopMessage(kMsgNoSpecifiedInstance);
    return ST_OK;
  }
  int index = FindWindowIndex(caption, link.app);
  if (index > 0) window = link.app.Windows().Item(index);
  if (index <= 0 || window.IsEmpty()) return FailAttach(link, kMsgNoSheetWindow, ST_FAIL);
  ExcelDispatch sheets = link.app.Sheets();
  if (sheetIndex <= sheets.Count()) sheet = sheets.Item(sheetIndex);
  if (sheet.IsEmpty()) return FailAttach(link, kMsgNoValidSheet, ST_OK);
  return kContinue;
}

void FormatWeightColumn(const ExcelDispatch& sheet, int column) {
  if (column > 0) sheet.Columns().ColumnItem(column).SetNumberFormatLocal(kWeightColumnFormat);
}

void ConnectEvents(ExcelLink& link, const ExcelDispatch& sheet) {
  link.connectionPoint = link.discovery.FindWorksheetEvents(sheet.Object());
  if (link.connectionPoint && link.connectionPoint->Advise(link.sink, link.adviseCookie)) {
    link.attached = true;
    link.sink->Watch(sheet);
  } else {
    link.connectionPoint.reset();  // nothing to unadvise later
  }
}

// The window whose title is the application's caption; when none is (the
// title moved on between the read and the search, as it does when another
// workbook becomes active), the window the application names (Hwnd), or the
// one main window of the spreadsheet's class.
WindowHandle FindExcelMainWindow(ExcelLink& link) {
  if (WindowHandle byTitle = link.discovery.FindTopLevelWindow(link.app.Caption())) return byTitle;
  AutomationValue named;
  if (InvokeByName(InvokeKind::kGet, named, link.app, u"Hwnd") == 0) {
    if (const auto* handle = std::get_if<std::int32_t>(&named); handle && *handle != 0) {
      return static_cast<WindowHandle>(static_cast<std::intptr_t>(*handle));  // handles are 32-bit values
    }
  }
  std::vector<WindowHandle> mains = link.discovery.FindTopLevelWindowsOfClass(kExcelMainWindowClass);
  return mains.size() == 1 ? mains.front() : 0;
}

int ConnectSheet(ExcelLink& link, const ExcelDispatch& window, const ExcelDispatch& sheet,
                 std::string& caption, int& sheetIndex) {
  std::string windowCaption = ToGbk(window.Caption());
  // Refused rather than cut: a cut caption would never match the window again.
  if (windowCaption.size() > kCaptionBytes) return FailAttach(link, kMsgNoSpecifiedInstance, ST_OK);
  link.excelWindow = FindExcelMainWindow(link);
  std::string sheetName = ToGbk(sheet.Name());
  caption = windowCaption;
  sheetIndex = sheet.Index();
  FormatWeightColumn(sheet, g_currentLayout.singleWeight.number);
  FormatWeightColumn(sheet, g_currentLayout.totalWeight.number);
  ConnectEvents(link, sheet);
  link.window.ShowSheetText(FormatText("%s : %s", caption.c_str(), sheetName.c_str()));
  link.window.ShowLinkLight(kLinkLightAttached);
  link.trackingSuspended = false;
  link.window.MakeTopmostAndRestore();
  link.activeCell = link.app.ActiveCell();
  return ST_OK;
}

}  // namespace

ExcelLink::ExcelLink(ExcelDiscovery& discoveryPort, LinkWindow& mainWindow)
    : discovery(discoveryPort),
      window(mainWindow),
      sink(std::make_shared<CWorksheetEventSink>(mainWindow, g_currentLayout)) {}

// A link that goes while attached stops the events it would otherwise keep
// receiving; the main window may be gone already, so it is not told.
ExcelLink::~ExcelLink() {
  if (attached && connectionPoint) connectionPoint->Unadvise(adviseCookie);
}

bool GetRunningExcel(ExcelLink& link, int attempts) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (AutomationObjectPtr running = link.discovery.GetActiveObject(kExcelProgId)) {
      link.app.Attach(std::move(running));
      return true;
    }
    link.discovery.Sleep(kRunningExcelRetryMs);
  }
  return false;
}

bool StartExcel(ExcelLink& link) {
  AutomationObjectPtr created = link.discovery.CreateObject(kExcelProgId);
  if (!created) {
    link.window.ShowStopMessage(kMsgCantStartExcel);
    return false;
  }
  link.app.Attach(std::move(created));
  link.app.SetVisible(true);
  link.app.SetUserControl(true);
  return true;
}

bool GetOrStartExcel(ExcelLink& link) {
  if (!GetRunningExcel(link, kOwnExcelAttempts)) return StartExcel(link);
  link.app.SetVisible(true);
  return true;
}

int FindExcelByCaption(ExcelLink& link, std::string_view caption) {
  std::vector<std::unique_ptr<RunningMoniker>> monikers;
  if (!link.discovery.EnumRunningObjects(monikers)) return -1;
  std::string withExtension(caption);
  if (caption.find('.') == std::string_view::npos) withExtension += ".xls";
  for (std::unique_ptr<RunningMoniker>& moniker : monikers) {
    std::string displayName = ToGbk(moniker->DisplayName());
    std::string_view name = AfterLastBackslash(displayName);
    if (!CompareLibraryText(name, caption) && !CompareLibraryText(name, withExtension)) continue;
    AutomationObjectPtr object = moniker->BindToObject();
    if (!object) continue;
    if (AutomationObjectPtr application = ApplicationOfWorkbook(object)) {
      link.app.Attach(std::move(application));
      return 1;
    }
  }
  return -1;
}

int FindWindowIndex(std::string_view caption, const ExcelDispatch& app) {
  ExcelDispatch windows = app.Windows();
  int count = windows.Count();
  for (int i = 1; i <= count; ++i) {
    if (CompareLibraryText(ToGbk(windows.Item(i).Caption()), caption)) return i;
  }
  return -1;
}

long InvokeByName(InvokeKind kind, AutomationValue& result, const ExcelDispatch& object,
                  std::u16string_view name, std::span<const AutomationValue> args) {
  if (object.IsEmpty()) return kInvokeNoObject;
  std::optional<int> id = object.Object()->DispatchIdOfName(name);
  if (!id) return kInvokeUnknownName;
  try {
    result = object.Invoke(*id, kind, args);
    return 0;
  } catch (const CAutomationError&) {
    return kInvokeException;
  }
}

int AttachSheet(ExcelLink& link, std::string& caption, int& sheetIndex) {
  if (link.attached) return ST_FAIL;
  ExcelDispatch window;
  ExcelDispatch sheet;
  bool specified = !caption.empty() && sheetIndex >= 1;
  int step = specified ? TakeSpecifiedSheet(link, caption, sheetIndex, window, sheet)
                       : TakeActiveSheet(link, window, sheet);
  if (step != kContinue) return step;
  return ConnectSheet(link, window, sheet, caption, sheetIndex);
}

int DetachSheet(ExcelLink& link) {
  if (!link.attached) return ST_OK;
  link.activeCell.Release();
  link.app.Release();
  if (link.connectionPoint) link.connectionPoint->Unadvise(link.adviseCookie);
  link.connectionPoint.reset();
  link.sink->Forget();
  link.attached = false;
  link.window.ShowSheetText("");
  link.window.ShowLinkLight(kLinkLightDetached);
  return ST_OK;
}

ExcelDispatch AddBomWorkbook(const ExcelDispatch& app) {
  app.Workbooks().Add();
  ExcelDispatch sheet = app.ActiveSheet();
  WriteStyleHeader(sheet, g_settings.style);
  return sheet;
}

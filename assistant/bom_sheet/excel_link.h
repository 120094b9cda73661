#pragma once

// The link between the assistant and one worksheet of a running
// spreadsheet: finding or starting the application, finding a workbook by
// its window caption in the running object table, attaching a sheet (its
// weight columns formatted, its events connected, the main window updated)
// and detaching it.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "assistant/excel/excel_discovery.h"
#include "assistant/excel/excel_dispatch.h"

class LinkWindow;
class CWorksheetEventSink;

inline constexpr const char* kMsgCantStartExcel = "Can't startup Excel Server!";
inline constexpr const char* kMsgNoSpecifiedInstance = "Failed to find the specified excel instance!";
inline constexpr const char* kMsgNoSheetWindow = "Failed to find the specified excel sheet window!";
inline constexpr const char* kMsgNoValidSheet = "Failed to find valid excel sheet!";
inline constexpr const char* kMsgNoValidWindow = "Failed to find valid excel window !";

// The caption field holds this many bytes; a longer caption is refused.
inline constexpr std::size_t kCaptionBytes = 255;
inline constexpr int kRunningExcelAttempts = 10;
inline constexpr int kOwnExcelAttempts = 5;
inline constexpr int kRunningExcelRetryMs = 10;
inline constexpr const char16_t* kWeightColumnFormat = u"0.00_ ";

// InvokeByName's result codes beside 0 for success.
inline constexpr long kInvokeNoObject = -1;
inline constexpr long kInvokeUnknownName = static_cast<long>(0x80020006);  // DISP_E_UNKNOWNNAME
inline constexpr long kInvokeException = static_cast<long>(0x80020009);    // DISP_E_EXCEPTION

// The process's one link record, with the ports it works through.
struct ExcelLink {
  ExcelLink(ExcelDiscovery& discoveryPort, LinkWindow& mainWindow);
  ~ExcelLink();
  ExcelLink(const ExcelLink&) = delete;
  ExcelLink& operator=(const ExcelLink&) = delete;

  ExcelDispatch app;         // the application; empty when there is none
  ExcelDispatch activeCell;  // the cell last taken as active cell
  bool attached = false;     // a sheet is attached and its events connected
  std::unique_ptr<ConnectionPoint> connectionPoint;
  std::uint32_t adviseCookie = 0;
  WindowHandle excelWindow = 0;  // the application's main window
  std::string caption;           // the attached workbook window's caption (GBK)
  int sheetIndex = -1;           // Index of the attached sheet; -1 when none
  bool picking = false;          // the finder is being dragged
  bool trackingSuspended = false;

  ExcelDiscovery& discovery;
  LinkWindow& window;
  // The receiver of the attached sheet's events.
  std::shared_ptr<CWorksheetEventSink> sink;
};

// The running application into link.app, trying `attempts` times with a
// short sleep after each failure. No message.
bool GetRunningExcel(ExcelLink& link, int attempts = kRunningExcelAttempts);
// A new application, made visible and under the user's control; on failure
// the message "Can't startup Excel Server!".
bool StartExcel(ExcelLink& link);
// The running application (made visible) or a new one.
bool GetOrStartExcel(ExcelLink& link);

// Finds the running workbook whose moniker names `caption` (GBK), with
// ".xls" added when the caption has no dot, and takes its application into
// link.app. 1 found, -1 not.
int FindExcelByCaption(ExcelLink& link, std::string_view caption);
// The 1-based index in the application's Windows of the window captioned
// `caption`, or -1.
int FindWindowIndex(std::string_view caption, const ExcelDispatch& app);

// Calls the member `name` of `object` with `args` in the given order; 0 on
// success, kInvokeNoObject for an empty object, or the failure's code.
long InvokeByName(InvokeKind kind, AutomationValue& result, const ExcelDispatch& object,
                  std::u16string_view name, std::span<const AutomationValue> args = {});

// Attaches the sheet `sheetIndex` of the workbook window `caption`, or the
// active sheet of the running (or a new) application when either is unset;
// both are read and written. ST_OK or ST_FAIL as the link's failure rules say.
int AttachSheet(ExcelLink& link, std::string& caption, int& sheetIndex);
// Releases the sheet, the application and the event connection; ST_OK.
int DetachSheet(ExcelLink& link);

// A new workbook in `app` with the current style's header; its active sheet.
ExcelDispatch AddBomWorkbook(const ExcelDispatch& app);

#include "tests/wine/assistant_demo.h"

#include <windows.h>

#include <chrono>
#include <optional>

#include "assistant/bom_sheet/excel_link.h"
#include "assistant/excel/automation_error.h"
#include "assistant/excel/excel_discovery_win32.h"
#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/excel_link_wine_support.h"
#include "tests/wine/standin_end.h"

namespace demo {
namespace {

using namespace std::chrono_literals;

constexpr int kSheetField = 1009;
constexpr int kSpecColumn = 2;
constexpr int kSingleWeightColumn = 6;
constexpr int kTotalWeightColumn = 7;
constexpr int kFirstRow = 3;  // below the standard style's two head rows
constexpr int kRed = 255;

// What a draughtsman might type: a plate with the apostrophe that keeps it
// a text and the same plate without it (the spreadsheet reads a formula),
// other sections, then mistakes: an unknown section and an entry the
// spreadsheet refuses.
const char16_t* const kSpecifications[] = {
    u"'-120*6",      u"-120*6",  u"D60*3",  u"H300*200*6*8", u"\u03C620", u"L50X5",     u"I20a",
    u"C120*60*20*3", u"GX50*40", u"2L50X5", u"%%C76*3.5",    u"120x6",    u"-120~200*6"};

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::filesystem::path PicturePath(const std::wstring& name) {
  return std::filesystem::absolute(L"screenshots") / L"demo" / (name + L".bmp");
}

HWND MainWindowOf(const uidriver::CProcess& program) {
  for (HWND dialog : uidriver::ProcessDialogs(program.Id())) {
    if (GetDlgItem(dialog, kSheetField)) return dialog;
  }
  return nullptr;
}

// The main window once it has attached its first sheet.
HWND WaitForAttachedWindow(const uidriver::CProcess& program) {
  HWND window = nullptr;
  uidriver::WaitUntil([&] { return (window = MainWindowOf(program)) != nullptr; }, 30s);
  if (window) uidriver::WaitUntil([&] { return !uidriver::GetItemText(window, kSheetField).empty(); }, 15s);
  return window;
}

// What the cell holds after typing: its shown text, and its formula when
// the spreadsheet made one of the entry.
std::wstring CellContent(const ExcelDispatch& cell) {
  std::wstring content = L"shows \"" + Wide(cell.Text()) + L"\"";
  std::u16string formula = cell.Formula();
  if (!formula.empty() && formula[0] == u'=') content += L" (the formula " + Wide(formula) + L")";
  return content;
}

// Types each specification and prints what the spreadsheet and then the
// assistant made of it.
void TypeSpecifications(const ExcelDispatch& cells, const PrintLine& print) {
  int row = kFirstRow;
  for (const char16_t* spec : kSpecifications) {
    ExcelDispatch cell = cells.Item(row, kSpecColumn);
    std::wstring line = L"  B" + std::to_wstring(row) + L"  typed " + Wide(spec) + L"  ->  ";
    try {
      cell.SetValue(std::u16string(spec));
    } catch (const CAutomationError& error) {
      print(line + L"refused by the spreadsheet: " + Wide(error.Description()));
      continue;
    }
    line += CellContent(cell);
    ExcelDispatch total = cells.Item(row, kTotalWeightColumn);
    bool written = linktest::PumpUntil([&] { return !total.Formula().empty(); }, 5s);
    if (written) {
      line += L"  ->  F: " + Wide(cells.Item(row, kSingleWeightColumn).Formula()) + L"   G: " +
              Wide(total.Formula());
    } else {
      bool red = cell.Font().Color() == kRed;
      line += red ? L"  ->  red: not a specification the assistant knows" : L"  ->  nothing written";
    }
    print(line);
    ++row;
  }
}

void EndStandin(const PrintLine& print) {
  if (!linktest::EndStandin()) print(L"The spreadsheet stand-in did not end; it was stopped.");
}

bool Run(const std::filesystem::path& installFolder, bool interactive, const PrintLine& print) {
  uidriver::CProcess assistant;
  if (!assistant.Start(installFolder / L"Ostrevia.exe")) return false;
  HWND window = WaitForAttachedWindow(assistant);
  if (!window) {
    assistant.Kill();
    return false;
  }
  print(L"Ostrevia.exe has opened a new BOM workbook in the spreadsheet and attached it: " +
        uidriver::GetItemText(window, kSheetField));
  if (interactive) {
    print(
        L"Type specifications into column B of the spreadsheet's grid (row 3 on); type a plate with its "
        L"apostrophe ('-120*6): without it the spreadsheet makes the formula =-120*6 of it. Close the "
        L"assistant to end.");
    assistant.WaitForExit(std::chrono::hours(1));
    return true;
  }
  CWin32ExcelDiscovery discovery;
  ExcelDispatch app(discovery.GetActiveObject(kExcelProgId));
  if (app.IsEmpty()) return false;
  print(L"\nSpecifications typed into the sheet by a second client, and the formulas the assistant wrote:");
  TypeSpecifications(app.ActiveSheet().Cells(), print);
  uidriver::SaveSettledWindowPicture(window, PicturePath(L"4-assistant"));
  PostMessageW(window, WM_CLOSE, 0, 0);
  bool ended = assistant.WaitForExit(20s).has_value();
  // The assistant stays on top of every window: the sheet is pictured once it has gone.
  if (HWND frame = linktest::StandinFrame())
    uidriver::SaveSettledWindowPicture(frame, PicturePath(L"5-spreadsheet"));
  return ended;
}

}  // namespace

bool ShowAssistant(const std::filesystem::path& installFolder, bool interactive, const PrintLine& print) {
  if (!linktest::RunStandin(L"/regserver")) {
    print(L"The spreadsheet stand-in could not be registered.");
    return false;
  }
  if (FAILED(OleInitialize(nullptr))) return false;
  bool shown = false;
  try {
    shown = Run(installFolder, interactive, print);
  } catch (const CAutomationError& error) {
    print(L"The spreadsheet refused a call: " + Wide(error.Description()));
  }
  EndStandin(print);
  OleUninitialize();
  return shown;
}

}  // namespace demo

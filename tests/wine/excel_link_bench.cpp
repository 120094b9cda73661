// The assistant's two paths through the real COM path into the stand-in,
// beside one bare cross-process property read of the same run:
// - typing: a second client writes each row's specification, as a person
//   typing would, and the change event runs the row's calculation; prints
//   rows per second and the calls per row;
// - Renew All of 2,000 mixed rows: prints the calls in all and the time as
//   a multiple of one bare call;
// - a paste of 2,000 specifications as one block, and the same rows
//   cleared at once: the calls in all, from the paste on, and the time;
// - start-up: the assistant's window painted beside Notepad's, and New BOM
//   after it (startup_bench.h).
// Fails when a row was not calculated or a window did not appear.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "assistant/bom_sheet/bom_commands.h"
#include "assistant/bom_sheet/excel_link.h"
#include "assistant/config/bom_style.h"
#include "assistant/engine/bom_row.h"
#include "assistant/excel/com_automation_win32.h"
#include "assistant/excel/excel_discovery_win32.h"
#include "base/code_page.h"
#include "base/status.h"
#include "tests/standins/workbook/standin_dispatch_ids.h"
#include "tests/unit/fakes/fake_excel_discovery.h"
#include "tests/wine/excel_link_wine_support.h"
#include "tests/wine/standin_end.h"
#include "tests/wine/startup_bench.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 100;
constexpr int kFirstRow = 3;
constexpr int kRowsPerRound = 10;
constexpr int kReadsPerRound = 30;

constexpr int kRenewRows = 2000;
// What one typed row cannot do without, each a call between the two
// processes: the typist's Item and Value; the change event it causes; the
// sink's Address of the target; the calculation's Item, Text, Font, Color,
// and Item and Formula for each of the two weight cells; the change event
// of each formula with the sink's Address of it; and the release of the
// four new objects (specification cell, its font, two weight cells).
constexpr int kNeededCallsPerRow = 2 + 1 + 1 + 8 + 2 * 2 + 4;
constexpr long kRenewCallTarget = 50;
constexpr long kPasteCallTarget = 60;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// A second client types an H-section into each row.
void TypeRows(const ExcelDispatch& cells, int first, int count) {
  for (int row = first; row < first + count; ++row) cells.Item(row, 2).SetValue(u"H300*200*6*8");
}

struct Timings {
  double rows = 0;       // seconds for all rows
  double bareReads = 0;  // seconds for all bare reads
  int reads = 0;
};

// Rows and bare reads in turns, so that a drift of the machine's load
// weighs on both alike.
Timings RenewInRounds(const ExcelDispatch& app, const ExcelDispatch& cells) {
  Timings timings;
  for (int first = kFirstRow; first < kFirstRow + kRows; first += kRowsPerRound) {
    Clock::time_point start = Clock::now();
    TypeRows(cells, first, kRowsPerRound);
    timings.rows += Seconds(Clock::now() - start);
    start = Clock::now();
    for (int i = 0; i < kReadsPerRound; ++i) app.Caption();
    timings.bareReads += Seconds(Clock::now() - start);
    timings.reads += kReadsPerRound;
  }
  return timings;
}

// A call that hands over an object nobody holds: a new stub in the
// stand-in, a new proxy here and a release call back.
double NewObjectSeconds(const ExcelDispatch& cells) {
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kReadsPerRound; ++i) cells.Item(kFirstRow + kRows + 10 + i, 9);
  return Seconds(Clock::now() - start) / kReadsPerRound;
}

int CheckRows(const ExcelDispatch& cells, int first, int count) {
  int wrong = 0;
  for (int row = first; row < first + count; ++row) {
    std::string expected = "=C" + std::to_string(row) + "*38.500000/1000";
    if (cells.Item(row, 6).Formula() != std::u16string(expected.begin(), expected.end())) ++wrong;
  }
  return wrong;
}

// A finished BOM: every row computes, so Renew All changes no colour.
const std::vector<std::u16string> kFinishedBom = {u"H300*200*6*8",     u"D60*3",   u"'-120*6",
                                                  u"H300~400*200*6*8", u"%%C60*3", u"'-120~200*6"};
// The same with a row in three that fails (no library here): each failing
// row between computed ones is an area of its own in the red range.
const std::vector<std::u16string> kBomWithFailures = {u"H300*200*6*8",     u"D60*3", u"L20X3",
                                                      u"H300~400*200*6*8", u"D50*3", u"nonsense"};

// The specifications typed as a person would, then Renew All; the figures
// of one sheet of kRenewRows rows.
int RenewAllOf(ExcelLink& link, const ExcelDispatch& app, const ExcelDispatch& cells, double bare,
               const char* name, const std::vector<std::u16string>& mix) {
  AutomationArray specs(kRenewRows, 1);
  for (int row = 1; row <= kRenewRows; ++row)
    specs.At(row, 1) = mix[static_cast<std::size_t>(row - 1) % mix.size()];
  DetachSheet(link);  // the specifications go in uncalculated
  cells.Item(kFirstRow, 2).Resize(kRenewRows, 1).SetValue(MakeAutomationArray(specs));
  cells.Item(kFirstRow, 2).Resize(kRenewRows, 1).Font().SetColor(0);
  link.app = app;
  link.caption.clear();  // the active sheet, recorded as the main window records it
  link.sheetIndex = -1;
  AttachSheet(link, link.caption, link.sheetIndex);

  long invokesBefore = ComInvokeCount();
  long eventsBefore = WorksheetEventCount();
  long releasesBefore = ComLastReleaseCount();
  Clock::time_point start = Clock::now();
  RenewAll(link);
  double seconds = Seconds(Clock::now() - start);
  long calls = (ComInvokeCount() - invokesBefore) + (WorksheetEventCount() - eventsBefore) +
               (ComLastReleaseCount() - releasesBefore);
  std::printf("renew all, %s:\n", name);
  std::printf("  %d rows in %.3f s, %.1f times one bare call\n", kRenewRows, seconds, seconds / bare);
  std::printf("  %ld calls in all, %.4f per row (target %ld in all for a finished BOM)\n", calls,
              static_cast<double>(calls) / kRenewRows, kRenewCallTarget);

  int wrong = 0;
  for (int row = kFirstRow; row < kFirstRow + kRenewRows; row += static_cast<int>(mix.size()))
    wrong += CheckRows(cells, row, 1);
  // Left as typed: a plate keeps its apostrophe, hidden as the spreadsheet hides it.
  if (cells.Item(kFirstRow, 2).Text() != u"H300*200*6*8") ++wrong;
  if (&mix == &kFinishedBom && cells.Item(kFirstRow + 2, 2).Text() != u"-120*6") ++wrong;
  return wrong;
}

// The calls between the two processes from now on: the assistant's, the
// events and the releases of objects new to this process.
class CCallCount {
 public:
  CCallCount()
      : m_invokes(ComInvokeCount()), m_events(WorksheetEventCount()), m_releases(ComLastReleaseCount()) {}
  long Calls() const {
    return (ComInvokeCount() - m_invokes) + (WorksheetEventCount() - m_events) +
           (ComLastReleaseCount() - m_releases);
  }

 private:
  long m_invokes;
  long m_events;
  long m_releases;
};

void PrintBlockFigures(const char* name, double seconds, long calls, double bare) {
  std::printf("%s:\n", name);
  std::printf("    %d rows in %.3f s (target under 1 s), %.1f times one bare call\n", kRenewRows, seconds,
              seconds / bare);
  std::printf("    %ld calls in all (target at most %ld)\n", calls, kPasteCallTarget);
}

// Rows of column `column` whose formulas are not `expected(row)`, read in one call.
int WrongFormulas(const ExcelDispatch& cells, int column, const std::function<std::string(int)>& expected) {
  AutomationArray formulas =
      AutomationArrayOf(cells.Item(kFirstRow, column).Resize(kRenewRows, 1).Get(dispid::kFormula));
  int wrong = 0;
  for (int index = 1; index <= kRenewRows; ++index) {
    int row = kFirstRow + index - 1;
    if (EncodeToCodePage(AutomationText(formulas.At(index, 1)), kCodePageUtf8) != expected(row)) ++wrong;
  }
  return wrong;
}

// 2,000 specifications of `mix` pasted as one block into an emptied BOM
// (one change event), then cleared at once; every row is checked against
// its own calculation.
int PasteAndClear(ExcelLink& link, const ExcelDispatch& app, const ExcelDispatch& cells, double bare,
                  const char* name, const std::vector<std::u16string>& mix) {
  DetachSheet(link);
  cells.Item(kFirstRow, 2)
      .Resize(kRenewRows, 6)
      .Invoke(standin_dispid::kClearContents, InvokeKind::kMethod, {});
  link.app = app;
  link.caption.clear();
  link.sheetIndex = -1;
  AttachSheet(link, link.caption, link.sheetIndex);
  AutomationArray specs(kRenewRows, 1);
  for (int row = 1; row <= kRenewRows; ++row)
    specs.At(row, 1) = mix[static_cast<std::size_t>(row - 1) % mix.size()];

  std::printf("%s:\n", name);
  CCallCount pasteCalls;
  Clock::time_point start = Clock::now();
  cells.Item(kFirstRow, 2).Resize(kRenewRows, 1).SetValue(MakeAutomationArray(specs));
  PrintBlockFigures("  pasted as one block", Seconds(Clock::now() - start), pasteCalls.Calls(), bare);
  auto rowFormulas = [&mix](int row, bool single) {
    std::u16string spec = mix[static_cast<std::size_t>(row - kFirstRow) % mix.size()];
    // The cell shows a text typed after an apostrophe without it.
    if (spec.starts_with(u"'")) spec.erase(0, 1);
    BomRowResult result = ComputeBomRow(EncodeToCodePage(spec, kCodePageGbk), row, g_materialLibrary,
                                        g_currentLayout, g_settings);
    return single ? result.singleWeightFormula : result.totalWeightFormula;
  };
  int wrong = WrongFormulas(cells, 6, [&](int row) { return rowFormulas(row, true); });
  wrong += WrongFormulas(cells, 7, [&](int row) { return rowFormulas(row, false); });

  CCallCount clearCalls;
  start = Clock::now();
  cells.Item(kFirstRow, 2)
      .Resize(kRenewRows, 1)
      .Invoke(standin_dispid::kClearContents, InvokeKind::kMethod, {});
  PrintBlockFigures("  cleared at once", Seconds(Clock::now() - start), clearCalls.Calls(), bare);
  auto empty = [](int) { return std::string(); };
  wrong += WrongFormulas(cells, 6, empty) + WrongFormulas(cells, 7, empty);
  return wrong;
}

int Run() {
  SelectBomStyle(g_settings, 1, g_currentLayout);
  CWin32ExcelDiscovery discovery;
  CFakeLinkWindow window;
  ExcelLink link(discovery, window);
  std::string caption;
  int sheetIndex = -1;
  if (AttachSheet(link, caption, sheetIndex) != ST_OK || !link.attached) {
    std::printf("the stand-in could not be attached\n");
    return 1;
  }
  ExcelDispatch app = link.app;
  ExcelDispatch cells = app.ActiveSheet().Cells();

  long invokesBefore = ComInvokeCount();
  long eventsBefore = WorksheetEventCount();
  long releasesBefore = ComLastReleaseCount();
  Timings timings = RenewInRounds(app, cells);
  double rowCalls = static_cast<double>(ComInvokeCount() - invokesBefore - timings.reads) / kRows;
  double events = static_cast<double>(WorksheetEventCount() - eventsBefore) / kRows;
  double releases = static_cast<double>(ComLastReleaseCount() - releasesBefore) / kRows;
  double perRow = timings.rows / kRows;
  double bare = timings.bareReads / timings.reads;
  double newObject = NewObjectSeconds(cells);

  double measuredCalls = rowCalls + events + releases;
  std::printf("rows typed:                 %d in %.3f s (%.1f rows/s)\n", kRows, timings.rows,
              kRows / timings.rows);
  std::printf("bare property read:         %.1f us (between the rounds of rows)\n", bare * 1e6);
  std::printf("new object read + release:  %.1f us\n", newObject * 1e6);
  std::printf("time per row:               %.1f us\n", perRow * 1e6);
  std::printf(
      "calls per row:              %.2f from the assistant, %.2f events from the stand-in,\n"
      "                            %.2f releases of objects new to the assistant = %.2f\n",
      rowCalls, events, releases, measuredCalls);
  std::printf("calls a row cannot do without: %d\n", kNeededCallsPerRow);
  std::printf("per row / (calls made x bare):   %.2f\n", perRow / (measuredCalls * bare));
  std::printf("per row / (calls needed x bare): %.2f (target 1.3)\n", perRow / (kNeededCallsPerRow * bare));
  int wrong = CheckRows(cells, kFirstRow, kRows);
  wrong += RenewAllOf(link, app, cells, bare, "a finished BOM", kFinishedBom);
  wrong += RenewAllOf(link, app, cells, bare, "a row in three failing", kBomWithFailures);
  wrong += PasteAndClear(link, app, cells, bare, "a paste of a finished BOM", kFinishedBom);
  wrong += PasteAndClear(link, app, cells, bare, "a paste with a row in three failing", kBomWithFailures);
  DetachSheet(link);
  app.SetVisible(false);
  if (wrong) std::printf("%d rows were not calculated\n", wrong);
  std::printf("end of the link benchmark\n");
  return wrong ? 1 : 0;
}

}  // namespace

int main() {
  if (!linktest::RunStandin(L"/regserver")) return 2;
  if (FAILED(OleInitialize(nullptr))) return 2;
  int result = Run();
  HWND frame = linktest::StandinFrame();
  if (frame && !linktest::WaitForStandinExit(frame)) {
    std::printf("the stand-in did not end\n");
    result = 1;
  }
  if (!ReportStartUpTimes(ZM_OSTREVIA_EXE, L"assistant_e2e\\ZMLib.txt")) result = 1;
  linktest::EndStandin();
  OleUninitialize();
  return result;
}

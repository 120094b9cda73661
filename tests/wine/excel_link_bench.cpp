// The assistant's two paths through the real COM path into the stand-in,
// beside one bare cross-process property read of the same run:
// - typing: a second client writes each row's specification, as a person
//   typing would, and the change event runs the row's calculation; prints
//   rows per second and the calls per row;
// - Renew All of 2,000 mixed rows: prints the calls in all and the time as
//   a multiple of one bare call.
// - start-up: the assistant's window painted beside Notepad's, and New BOM
//   after it (startup_bench.h).
// Fails when a row was not calculated or a window did not appear.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "assistant/bom_sheet/bom_commands.h"
#include "assistant/bom_sheet/excel_link.h"
#include "assistant/config/bom_style.h"
#include "assistant/excel/com_automation_win32.h"
#include "assistant/excel/excel_discovery_win32.h"
#include "base/status.h"
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
// sink's Column and Row of the target; the calculation's Item, Text, Font,
// Color, and Item and Formula for each of the two weight cells; the change
// event of each formula with the sink's Column of it; and the release of
// the four new objects (specification cell, its font, two weight cells).
constexpr int kNeededCallsPerRow = 2 + 1 + 2 + 8 + 2 * 2 + 4;
constexpr long kRenewCallTarget = 50;

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

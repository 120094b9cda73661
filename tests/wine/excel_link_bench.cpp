// Renewing rows of an attached sheet in the stand-in through the real COM
// path: each row's value assignment, the change event it causes and the
// row calculation the event runs. Prints rows per second and the calls per
// row beside one bare cross-process property read of the same run; fails
// when a renewed row was not calculated.

#include <windows.h>

#include <chrono>
#include <cstdio>

#include "assistant/bom_sheet/excel_link.h"
#include "assistant/config/bom_style.h"
#include "assistant/excel/com_automation_win32.h"
#include "assistant/excel/excel_discovery_win32.h"
#include "base/status.h"
#include "tests/unit/fakes/fake_excel_discovery.h"
#include "tests/wine/excel_link_wine_support.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 100;
constexpr int kFirstRow = 3;
constexpr int kRowsPerRound = 10;
constexpr int kReadsPerRound = 30;

// What one row cannot do without, each a call between the two processes:
// the renew loop's Item, Text and Value; the change event it causes; the
// sink's Column and Row of the target; the calculation's Item, Text, Font,
// Color, and Item and Formula for each of the two weight cells; the change
// event of each formula with the sink's Column of it; and the release of
// the four new objects (specification cell, its font, two weight cells).
constexpr int kNeededCallsPerRow = 3 + 1 + 2 + 8 + 2 * 2 + 4;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// The renew loop of the main window: read each specification's shown text
// and assign it again as the cell's value, as a text (after an apostrophe).
void RenewRows(const ExcelDispatch& cells, int first, int count) {
  for (int row = first; row < first + count; ++row) {
    ExcelDispatch cell = cells.Item(row, 2);
    std::u16string text = cell.Text();
    if (!text.empty()) cell.SetValue(u"'" + text);
  }
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
    RenewRows(cells, first, kRowsPerRound);
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

int CheckRows(const ExcelDispatch& cells) {
  int wrong = 0;
  for (int row = kFirstRow; row < kFirstRow + kRows; ++row) {
    std::string expected = "=C" + std::to_string(row) + "*7.850000/1000";
    if (cells.Item(row, 6).Formula() != std::u16string(expected.begin(), expected.end())) ++wrong;
  }
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
  DetachSheet(link);  // the specifications go in uncalculated
  for (int row = kFirstRow; row < kFirstRow + kRows; ++row) cells.Item(row, 2).SetValue(u"'-100*10");
  link.app = app;
  caption.clear();
  AttachSheet(link, caption, sheetIndex);

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
  std::printf("rows renewed:               %d in %.3f s (%.1f rows/s)\n", kRows, timings.rows,
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
  int wrong = CheckRows(cells);
  DetachSheet(link);
  app.SetVisible(false);
  if (wrong) std::printf("%d rows were not calculated\n", wrong);
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
  OleUninitialize();
  return result;
}

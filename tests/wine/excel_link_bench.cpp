// Renewing rows of an attached sheet in the stand-in through the real COM
// path: each row's value assignment, the change event it causes and the
// row calculation the event runs. Prints rows per second and calls per row
// beside one bare cross-process property read of the same run; fails when
// a renewed row was not calculated.

#include <windows.h>

#include <chrono>
#include <cstdio>

#include "assistant/common/status.h"
#include "assistant/config/bom_style.h"
#include "assistant/excel/com_automation_win32.h"
#include "assistant/excel/excel_discovery_win32.h"
#include "assistant/excel/excel_link.h"
#include "tests/unit/fakes/fake_excel_discovery.h"
#include "tests/wine/excel_link_wine_support.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 100;
constexpr int kFirstRow = 3;
constexpr int kBareReads = 300;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

double BareReadSeconds(const ExcelDispatch& app) {
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kBareReads; ++i) app.Caption();
  return Seconds(Clock::now() - start) / kBareReads;
}

// The renew loop of the main window: read each specification's shown text
// and assign it again as the cell's value.
void RenewRows(const ExcelDispatch& cells) {
  for (int row = kFirstRow; row < kFirstRow + kRows; ++row) {
    ExcelDispatch cell = cells.Item(row, 2);
    std::u16string text = cell.Text();
    if (!text.empty()) cell.SetValue(text);
  }
}

// A call that gives an object: a new stub in the stand-in, and a release.
double BareObjectReadSeconds(const ExcelDispatch& cells) {
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kBareReads; ++i) cells.Item(1, 1);
  return Seconds(Clock::now() - start) / kBareReads;
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
  for (int row = kFirstRow; row < kFirstRow + kRows; ++row) cells.Item(row, 2).SetValue(u"-100*10");
  link.app = app;
  caption.clear();
  AttachSheet(link, caption, sheetIndex);

  double bareBefore = BareReadSeconds(app);
  long invokesBefore = ComInvokeCount();
  long eventsBefore = WorksheetEventCount();
  long releasesBefore = ComReleaseCount();
  Clock::time_point start = Clock::now();
  RenewRows(cells);
  double elapsed = Seconds(Clock::now() - start);
  double invokes = static_cast<double>(ComInvokeCount() - invokesBefore) / kRows;
  double events = static_cast<double>(WorksheetEventCount() - eventsBefore) / kRows;
  double releases = static_cast<double>(ComReleaseCount() - releasesBefore) / kRows;
  double perRow = elapsed / kRows;
  double bareObject = BareObjectReadSeconds(cells);
  // The machine's load drifts: the bare call is the mean of before and after.
  double bare = (bareBefore + BareReadSeconds(app)) / 2;

  std::printf("rows renewed:              %d in %.3f s (%.1f rows/s)\n", kRows, elapsed, kRows / elapsed);
  std::printf("bare property read:        %.1f us\n", bare * 1e6);
  std::printf("bare object read + release: %.1f us\n", bareObject * 1e6);
  std::printf("time per row:              %.1f us\n", perRow * 1e6);
  std::printf("calls per row:             %.2f from the assistant + %.2f events from the stand-in\n", invokes,
              events);
  std::printf("objects released per row:  %.2f (each a release call to the stand-in)\n", releases);
  std::printf("per row / (calls x bare):  %.2f without the releases, %.2f with them\n",
              perRow / ((invokes + events) * bare), perRow / ((invokes + events + releases) * bare));
  // Priced by kind: a call or event that hands over an object costs a new
  // stub and a release; the others cost a bare read.
  double plainCalls = invokes + events - releases;
  std::printf("per row / (calls priced by kind): %.2f\n",
              perRow / (plainCalls * bare + releases * bareObject));
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

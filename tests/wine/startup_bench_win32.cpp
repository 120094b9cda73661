#include "tests/wine/startup_bench.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/excel_link_wine_support.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kRuns = 5;
constexpr int kSheetField = 1009;
constexpr double kTargetRatio = 1.2;
const wchar_t* const kNotepad = L"C:\\windows\\system32\\notepad.exe";

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Shown, and neither the window nor a shown child has anything left to paint.
bool IsPainted(HWND window) {
  if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return false;
  }
  return true;
}

// The first top-level window of the class `className` of the process that
// is painted.
HWND PaintedWindowOf(DWORD processId, const wchar_t* className) {
  for (HWND window : uidriver::TopLevelWindows(processId, className)) {
    if (IsPainted(window)) return window;
  }
  return nullptr;
}

struct StartRun {
  double firstPaint = 0;  // seconds from the process's start
  double newBom = 0;      // seconds from the first paint to the sheet attached
};

// Polls without pause: the figures are tenths of seconds.
HWND WaitForPaint(DWORD processId, const wchar_t* className, Clock::time_point start, double& seconds) {
  HWND window = nullptr;
  while (!(window = PaintedWindowOf(processId, className)) && SecondsSince(start) < 30) Sleep(1);
  seconds = SecondsSince(start);
  return window;
}

std::optional<double> NotepadRun() {
  uidriver::CProcess notepad;
  Clock::time_point start = Clock::now();
  if (!notepad.Start(kNotepad)) return std::nullopt;
  double seconds = 0;
  HWND window = WaitForPaint(notepad.Id(), L"Notepad", start, seconds);
  if (!window) return std::nullopt;
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (!notepad.WaitForExit(10s)) notepad.Kill();
  return seconds;
}

std::optional<StartRun> AssistantRun(const fs::path& program) {
  uidriver::CProcess assistant;
  Clock::time_point start = Clock::now();
  if (!assistant.Start(program)) return std::nullopt;
  StartRun run;
  HWND window = WaitForPaint(assistant.Id(), L"#32770", start, run.firstPaint);
  if (!window) return std::nullopt;
  std::wstring starting = DecodeToWide(UiText(kMsgStartingSpreadsheet), UiTextCodePage());
  bool attached = linktest::PumpUntil(
      [&] {
        std::wstring text = uidriver::GetItemText(window, kSheetField);
        return !text.empty() && text != starting;
      },
      30s);
  run.newBom = SecondsSince(start) - run.firstPaint;
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (!assistant.WaitForExit(20s)) assistant.Kill();
  if (!attached) return std::nullopt;
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

bool ReportStartUpTimes(const fs::path& assistant, const fs::path& library) {
  SelectTextTable(GetOEMCP());  // the language the assistant takes without settings
  fs::path folder = L"C:\\users\\Public\\ostrevia_bench";
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder);
  fs::copy_file(assistant, folder / L"Ostrevia.exe");
  fs::copy_file(library, folder / L"ZMLib.txt");

  // In turns, so that a drift of the machine's load weighs on both alike.
  std::vector<double> notepad, ostrevia, newBom;
  double coldNewBom = 0;
  for (int i = 0; i < kRuns; ++i) {
    std::optional<double> notepadRun = NotepadRun();
    std::optional<StartRun> run = AssistantRun(folder / L"Ostrevia.exe");
    if (!notepadRun || !run) {
      std::printf("start-up: %s did not show its window\n", notepadRun ? "Ostrevia.exe" : "notepad.exe");
      return false;
    }
    notepad.push_back(*notepadRun);
    ostrevia.push_back(run->firstPaint);
    // The first run starts the spreadsheet; the others find it running.
    if (i == 0) {
      coldNewBom = run->newBom;
    } else {
      newBom.push_back(run->newBom);
    }
  }
  double ratio = Median(ostrevia) / Median(notepad);
  std::printf("start to the window's first paint (median of %d):\n", kRuns);
  std::printf("  Ostrevia.exe %.3f s, notepad.exe %.3f s: %.2f times notepad's (target %.1f)\n",
              Median(ostrevia), Median(notepad), ratio, kTargetRatio);
  std::printf("New BOM after the first paint: %.3f s starting the spreadsheet, %.3f s with it running\n",
              coldNewBom, Median(newBom));
  return true;
}

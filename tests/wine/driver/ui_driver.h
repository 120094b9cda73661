#pragma once

// Drives another process's windows from outside, as a person would: finds
// its dialogs by class, clicks buttons by control id, sets and reads texts,
// answers message boxes by their text and saves pictures of windows.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "winfx/handles.h"

namespace uidriver {

using namespace std::chrono_literals;

class CProcess {
 public:
  // Starts `program` with `arguments` in its own folder.
  bool Start(const std::filesystem::path& program, const std::wstring& arguments = L"");
  DWORD Id() const { return m_id; }
  bool IsRunning() const;
  // The exit code, or nothing when the process did not end in time.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = 20s) const;
  void Kill() const;

 private:
  winfx::CHandle m_process;
  DWORD m_id = 0;
};

// Stands for every process where a process id is asked for.
inline constexpr DWORD kAnyProcess = 0;

// Top-level dialog windows (class "#32770") of a process, visible ones only.
std::vector<HWND> ProcessDialogs(DWORD processId);
// Visible top-level windows of the class `className`, of the process
// `processId` or of any process (0).
std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className);

// Waits for a visible top-level dialog of the process whose title is
// `title` (any title when empty).
HWND WaitForDialog(DWORD processId, const std::wstring& title = L"", std::chrono::milliseconds timeout = 15s);

// Waits until `condition` holds; false when the time ran out.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 15s);

std::wstring GetText(HWND window);
std::wstring GetItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::wstring& text);
bool IsItemVisible(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);
// Posts the click, so that a modal box it opens does not block the driver.
void Click(HWND dialog, int id);

// A message box of the process: its text, and the answer to give it.
struct MessageBoxSeen {
  HWND box = nullptr;
  std::wstring caption;
  std::wstring text;
};
// Waits for a message box (a dialog with the static 0xFFFF) of the process.
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout = 15s);
// Answers a message box with IDOK, IDYES, IDNO... and waits for it to close.
void Answer(const MessageBoxSeen& box, int command);

// The child dialog of `frame` that is shown now (the wizard's page).
HWND VisibleChildDialog(HWND frame);

// Saves a picture of the window as a 24-bit BMP file, once it is painted:
// captures until the picture is not blank (one colour, or a band of
// unpainted black) for up to `timeout`. False when it stays blank (the
// blank picture is then kept as NAME.blank.bmp).
bool SaveWindowPicture(HWND window, const std::filesystem::path& file,
                       std::chrono::milliseconds timeout = 3s);
// The same after the window and its children have been redrawn and have
// settled.
bool SaveSettledWindowPicture(HWND window, const std::filesystem::path& file);

// What a console program printed, and how it ended.
struct ProgramRun {
  bool started = false;
  bool ended = false;  // within the time given (it is ended otherwise)
  DWORD exitCode = 0;
  std::string output;  // standard output and error together
};
// Runs `commandLine` without a window, its output read through a pipe.
ProgramRun RunCapturingOutput(std::wstring commandLine, std::chrono::milliseconds timeout = 60s);

// Runs this thread's messages (paints and timers of its own windows) for
// `duration`.
void PumpMessages(std::chrono::milliseconds duration);
// Reads the text of the first message box titled `caption` and answers it
// with OK; "(no box)" when none comes.
std::wstring AnswerMessageBoxTitled(const wchar_t* caption);

}  // namespace uidriver

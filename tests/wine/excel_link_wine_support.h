#pragma once

// Helpers of the tests against the spreadsheet stand-in under Wine: its
// registration, waiting while COM calls come in, and its end.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace linktest {

using namespace std::chrono_literals;

// Runs the stand-in with `arguments` (its registration switches) and waits.
bool RunStandin(const std::wstring& arguments);

// Pumps this thread's messages, so that events from the stand-in arrive,
// until `condition` holds; false when the time ran out.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// The stand-in's frame window, or null when no stand-in runs.
HWND StandinFrame();
// The window of the workbook `name` (any workbook's when null) inside the
// frame's desk window, or null.
HWND StandinBookWindow(const wchar_t* name = nullptr);

// Waits for the process of `frame` to end; false when it did not in time,
// and then ends it, so that no stand-in outlives the test.
bool WaitForStandinExit(HWND frame, std::chrono::milliseconds timeout = 15s);

}  // namespace linktest

#include "tests/wine/excel_link_wine_support.h"

namespace linktest {

bool RunStandin(const std::wstring& arguments) {
  std::wstring commandLine = std::wstring(L"\"") + ZM_STANDIN_EXE + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, 30000);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode == 0;
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

HWND StandinFrame() { return FindWindowW(L"XLMAIN", nullptr); }

HWND StandinBookWindow(const wchar_t* name) {
  HWND desk = FindWindowExW(StandinFrame(), nullptr, L"XLDESK", nullptr);
  return desk ? FindWindowExW(desk, nullptr, L"EXCEL7", name) : nullptr;
}

bool WaitForStandinExit(HWND frame, std::chrono::milliseconds timeout) {
  DWORD processId = 0;
  GetWindowThreadProcessId(frame, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  if (!process) return !IsWindow(frame);  // already gone
  bool ended = PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeout);
  if (!ended) TerminateProcess(process, 1);
  CloseHandle(process);
  return ended;
}

}  // namespace linktest

// The spreadsheet stand-in: an out-of-process automation server that takes
// the spreadsheet's place on machines without it. See standin_options.h for
// its command line.

#include <windows.h>

#include "tests/standins/standin_busy_win32.h"
#include "tests/standins/standin_marshaling_win32.h"
#include "tests/standins/standin_options.h"
#include "tests/standins/standin_registration_win32.h"
#include "tests/standins/standin_server_win32.h"
#include "tests/standins/standin_windows_win32.h"
#include "winfx/com.h"

namespace {

int Serve(HINSTANCE instance, const StandinOptions& options) {
  winfx::CComInit com;
  if (!com.Succeeded()) return 2;
  CDispatchMarshalingCache marshaling;
  CBusyMessageFilter busyFilter;
  CStandinServer server(options);
  CStandinWindows windows(server.Model(), [&server, &windows] {
    server.RegisterWhenInBackground(windows.Frame());
    if (server.ShouldExit()) PostQuitMessage(0);
  });
  if (!windows.Create(instance) || !server.Start()) return 3;
  server.SetCallListener([&windows] { windows.Sync(false); });
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  server.Stop();  // revoked before the windows and COM go
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  StandinOptions options = ParseStandinOptions(commandLine);
  if (options.registerServer) return RegisterStandin(ServerArguments(options).c_str()) ? 0 : 1;
  if (options.unregisterServer) return UnregisterStandin() ? 0 : 1;
  return Serve(instance, options);
}

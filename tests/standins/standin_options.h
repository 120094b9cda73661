#pragma once

// The stand-in's command line.
//   /regserver [/unlisted]  register (the server then runs with /unlisted)
//   /unregserver            remove the registration
//   -Embedding              started by COM for a client
//   /unlisted               new, unsaved workbooks stay out of the running object table
//   /lateregister           the application becomes the class's running object only
//                           once its frame is shown and not in the foreground (when it
//                           first loses the focus), not at start
//   /latertitle             the frame's title in the later form "Book1 - <name>"
//   /otherids               members answer to ids of their own (the spreadsheet's
//                           plus 0x110000), found by name only, as a program that
//                           registers under the spreadsheet's name does; a call by
//                           the spreadsheet's fixed id finds no member
// Registered with /regserver, the other switches are kept for the server.
// While a grid cell is being edited (or an error box is open), and for the
// time that Application.HoldBusy(milliseconds) asks, calls are rejected with
// RPC_E_CALL_REJECTED.

#include <string>

inline constexpr const wchar_t* kStandinProgId = L"Excel.Application";

struct StandinOptions {
  bool registerServer = false;
  bool unregisterServer = false;
  bool embedding = false;
  bool listUnsaved = true;
  bool lateRegistration = false;
  bool laterTitle = false;
  bool otherIds = false;
};

// The switches of `options` that the registered server is started with.
std::wstring ServerArguments(const StandinOptions& options);

StandinOptions ParseStandinOptions(const std::wstring& commandLine);

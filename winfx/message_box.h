#pragma once

// Message boxes for texts kept as code-page bytes: both texts are converted
// from the code page they are written in and shown through the W API, so
// they read correctly whatever the machine's own code page.

#include <windows.h>

#include <string_view>

namespace winfx {

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, unsigned codePage,
                   UINT flags);

// Shows the exception being handled, in a catch block at a window
// procedure's boundary, where no exception may unwind into the system's code.
void ShowUnhandledException(HWND owner) noexcept;

}  // namespace winfx

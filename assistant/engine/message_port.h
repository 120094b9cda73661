#pragma once

#include <string_view>

// Where the engine's user-facing errors go: a message box without owner
// window, caption "Ostrevia3.5", error icon, in the program; a captured list in
// tests; standard error in the command-line front end.
class MessagePort {
 public:
  virtual ~MessagePort() = default;

  // `text` is in code page `codePage`.
  virtual void ShowError(std::string_view text, unsigned codePage) = 0;
};

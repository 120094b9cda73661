#pragma once

// The application object: the program's start does its work in
// InitInstance, which typically runs one modal dialog.

#include <windows.h>

namespace winfx {

class CApplication {
 public:
  virtual ~CApplication() = default;

  // Prepares the common controls, then runs InitInstance; its result is the
  // process's exit code.
  int Run();

 protected:
  virtual int InitInstance() = 0;
};

}  // namespace winfx

#pragma once

// The Win32 services that the wizard's pages hand to the install engine,
// made once the language (and so the code page of paths) is known.

#include "setup/engine/win32_registry.h"
#include "setup/engine/win32_setup_adapters.h"

struct CSetupServices {
  explicit CSetupServices(unsigned codePage)
      : registry(codePage), files(codePage), folders(codePage), links(codePage) {}

  Win32Registry registry;
  CWin32FileSystem files;
  CWin32SystemFolders folders;
  CWin32Resources resources;
  CWin32ShellLinks links;
  CWin32Pacer pacer;
};

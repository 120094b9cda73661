#pragma once

// The HTML Help control's platform over the real system (Windows build):
// the registry, the loader and the narrow help entry.

#include "assistant/ui/html_help_binding.h"

class CWin32HtmlHelpPlatform : public HtmlHelpPlatform {
 public:
  bool ReadClassesRootDefault(std::u16string_view subkey, std::u16string& value) override;
  LibraryHandle OpenLibrary(std::u16string_view pathOrName) override;
  EntryAddress FindExport(LibraryHandle library, int ordinal) override;
  WindowHandle CallHelpEntry(EntryAddress entry, WindowHandle caller, const std::string& path,
                             unsigned command, std::uintptr_t data) override;
};

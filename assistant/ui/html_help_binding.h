#pragma once

// The system's HTML Help control, bound on first use so that the assistant
// starts and runs without it: the library registered for the control's
// class, else "hhctrl.ocx" through the system's search order, and its export
// 14 (the narrow help entry). The library stays loaded for the rest of the
// process; after one failure to bind no further attempt is made.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/window_handle.h"

// A loaded library and an exported entry; 0 when there is none.
using LibraryHandle = std::uintptr_t;
using EntryAddress = std::uintptr_t;

// Under HKEY_CLASSES_ROOT: the control's in-process server.
inline constexpr std::u16string_view kHtmlHelpServerKey =
    u"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
inline constexpr std::u16string_view kHtmlHelpLibrary = u"hhctrl.ocx";
inline constexpr int kHtmlHelpEntryOrdinal = 14;

// What binding and calling the control needs from the system. Adapters:
// Win32 and an in-memory fake for host tests.
class HtmlHelpPlatform {
 public:
  virtual ~HtmlHelpPlatform() = default;

  // The default value of HKEY_CLASSES_ROOT\`subkey`, opened for reading;
  // false when the key or the value is missing or longer than a path.
  virtual bool ReadClassesRootDefault(std::u16string_view subkey, std::u16string& value) = 0;
  // A library by full path, or by bare name through the search order.
  virtual LibraryHandle OpenLibrary(std::u16string_view pathOrName) = 0;
  virtual EntryAddress FindExport(LibraryHandle library, int ordinal) = 0;
  // Calls the narrow help entry; `path` is in the code page it reads.
  virtual WindowHandle CallHelpEntry(EntryAddress entry, WindowHandle caller, const std::string& path,
                                     unsigned command, std::uintptr_t data) = 0;
};

class HtmlHelpBinding {
 public:
  explicit HtmlHelpBinding(HtmlHelpPlatform& platform) : m_platform(platform) {}
  HtmlHelpBinding(const HtmlHelpBinding&) = delete;
  HtmlHelpBinding& operator=(const HtmlHelpBinding&) = delete;

  // The help entry with these arguments: the viewer's window, or 0 when the
  // control cannot be bound or opens nothing.
  WindowHandle Call(WindowHandle caller, const std::string& path, unsigned command, std::uintptr_t data);

  bool IsBound() const { return m_entry != 0; }
  bool HasFailed() const { return m_failed; }

 private:
  bool Bind();
  LibraryHandle OpenRegisteredLibrary();

  HtmlHelpPlatform& m_platform;
  LibraryHandle m_library = 0;
  EntryAddress m_entry = 0;
  bool m_failed = false;
};

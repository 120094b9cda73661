#include "assistant/ui/html_help_binding.h"

WindowHandle HtmlHelpBinding::Call(WindowHandle caller, const std::string& path, unsigned command,
                                   std::uintptr_t data) {
  if (!Bind()) return 0;
  return m_platform.CallHelpEntry(m_entry, caller, path, command, data);
}

bool HtmlHelpBinding::Bind() {
  // A failure is final: later calls touch neither the registry nor the
  // loader, and never look up an entry without a library.
  if (m_failed) return false;
  if (!m_library) {
    m_library = OpenRegisteredLibrary();
    if (!m_library) m_library = m_platform.OpenLibrary(kHtmlHelpLibrary);
    if (!m_library) {
      m_failed = true;
      return false;
    }
  }
  if (!m_entry) {
    m_entry = m_platform.FindExport(m_library, kHtmlHelpEntryOrdinal);
    if (!m_entry) {
      m_failed = true;
      return false;
    }
  }
  return true;
}

LibraryHandle HtmlHelpBinding::OpenRegisteredLibrary() {
  std::u16string serverPath;
  if (!m_platform.ReadClassesRootDefault(kHtmlHelpServerKey, serverPath)) return 0;
  return m_platform.OpenLibrary(serverPath);
}

#pragma once

// The one exception of the automation layer: an error that the spreadsheet
// raised, with its description. It ends the current command, whose handler
// shows the description.

#include <exception>
#include <string>

#include "base/code_page.h"

class CAutomationError : public std::exception {
 public:
  explicit CAutomationError(std::u16string description, bool busy = false)
      : m_description(std::move(description)),
        m_utf8(EncodeToCodePage(m_description, kCodePageUtf8)),
        m_busy(busy) {}

  const std::u16string& Description() const { return m_description; }
  // The spreadsheet kept refusing the call because it was busy (a person
  // editing a cell, a dialog open): the command may be tried again later.
  bool Busy() const { return m_busy; }
  // The description in UTF-8.
  const char* what() const noexcept override { return m_utf8.c_str(); }

 private:
  std::u16string m_description;
  std::string m_utf8;
  bool m_busy;
};

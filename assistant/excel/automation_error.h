#pragma once

// The one exception of the automation layer: an error that the spreadsheet
// raised, with its description. It ends the current command, whose handler
// shows the description.

#include <exception>
#include <string>

#include "base/code_page.h"

// What kind of failure ended the call.
enum class AutomationFault {
  kRaised,         // the spreadsheet raised an error or refused the call
  kBusy,           // see Busy()
  kUnknownMember,  // see UnknownMember()
};

class CAutomationError : public std::exception {
 public:
  explicit CAutomationError(std::u16string description, bool busy = false)
      : CAutomationError(std::move(description), busy ? AutomationFault::kBusy : AutomationFault::kRaised) {}
  CAutomationError(std::u16string description, AutomationFault fault)
      : m_description(std::move(description)),
        m_utf8(EncodeToCodePage(m_description, kCodePageUtf8)),
        m_fault(fault) {}

  const std::u16string& Description() const { return m_description; }
  // The spreadsheet kept refusing the call because it was busy (a person
  // editing a cell, a dialog open): the command may be tried again later.
  bool Busy() const { return m_fault == AutomationFault::kBusy; }
  // The object knows no member of that dispatch id or name: a program that
  // registers under the spreadsheet's name but numbers its members otherwise.
  bool UnknownMember() const { return m_fault == AutomationFault::kUnknownMember; }
  // The description in UTF-8.
  const char* what() const noexcept override { return m_utf8.c_str(); }

 private:
  std::u16string m_description;
  std::string m_utf8;
  AutomationFault m_fault;
};

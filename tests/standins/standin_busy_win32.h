#pragma once

// The stand-in's busy state, as the spreadsheet's: while a person edits a
// cell or an error box is open, and for the time a test asks for, incoming
// automation calls are rejected (the caller sees RPC_E_CALL_REJECTED and
// may retry through its own message filter).

#include <objidl.h>
#include <windows.h>

// Busy for `milliseconds` from now (Application.HoldBusy of a test).
void HoldStandinBusy(int milliseconds);
// A cell is being edited, or an error box is open: busy until it ends.
void SetStandinEditing(bool editing);
bool IsStandinBusy();

// Rejects the calls of other processes to IDispatch while busy; installed
// on the server's thread while it lives.
class CBusyMessageFilter {
 public:
  CBusyMessageFilter();
  ~CBusyMessageFilter();
  CBusyMessageFilter(const CBusyMessageFilter&) = delete;
  CBusyMessageFilter& operator=(const CBusyMessageFilter&) = delete;

 private:
  IMessageFilter* m_filter = nullptr;
  IMessageFilter* m_previous = nullptr;
};

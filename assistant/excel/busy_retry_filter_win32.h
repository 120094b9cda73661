#pragma once

// While a person edits a cell, the spreadsheet rejects every call that
// comes in. The thread's message filter retries a rejected call for a few
// seconds, with the wait pointer, and then lets it fail: the command then
// ends with CAutomationError::Busy(), and its handler says so. Where COM
// does not consult the filter (Wine), the COM adapter retries the call
// itself within the same time.

#include <objbase.h>

#include "winfx/com.h"

inline constexpr DWORD kBusyRetryMs = 5000;
inline constexpr DWORD kBusyRetryDelayMs = 100;

// Registers the filter on the calling thread (single-threaded apartment)
// for the object's lifetime, and puts the previous one back at the end.
class CBusyRetryRegistration {
 public:
  CBusyRetryRegistration();
  ~CBusyRetryRegistration();
  CBusyRetryRegistration(const CBusyRetryRegistration&) = delete;
  CBusyRetryRegistration& operator=(const CBusyRetryRegistration&) = delete;

 private:
  winfx::CComPtr<IMessageFilter> m_filter;
  winfx::CComPtr<IMessageFilter> m_previous;
  bool m_registered = false;
};

// The filter's decision for a call rejected after `elapsedMs`: the delay
// before the next try, or -1 to give up.
DWORD BusyRetryDelay(DWORD elapsedMs, DWORD rejectType);

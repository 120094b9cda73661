#include "assistant/excel/busy_retry_filter_win32.h"

namespace {

class CBusyRetryFilter : public winfx::CRefCounted<IMessageFilter> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    return winfx::AnswerQuery<IMessageFilter>(this, iid, result, {IID_IMessageFilter});
  }
  // Calls into the assistant (the sheet's events) are always taken.
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) override {
    DWORD delay = BusyRetryDelay(elapsedMs, rejectType);
    if (delay != static_cast<DWORD>(-1)) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return delay;
  }
  // The window keeps its messages while a call waits; the default
  // processing keeps it painted.
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }
};

}  // namespace

DWORD BusyRetryDelay(DWORD elapsedMs, DWORD rejectType) {
  bool busy = rejectType == SERVERCALL_REJECTED || rejectType == SERVERCALL_RETRYLATER;
  return busy && elapsedMs < kBusyRetryMs ? kBusyRetryDelayMs : static_cast<DWORD>(-1);
}

CBusyRetryRegistration::CBusyRetryRegistration()
    : m_filter(winfx::CComPtr<IMessageFilter>::Adopt(new CBusyRetryFilter)) {
  m_registered = SUCCEEDED(CoRegisterMessageFilter(m_filter.Get(), m_previous.Receive()));
}

CBusyRetryRegistration::~CBusyRetryRegistration() {
  if (!m_registered) return;
  IMessageFilter* ours = nullptr;
  CoRegisterMessageFilter(m_previous.Get(), &ours);
  if (ours) ours->Release();
}

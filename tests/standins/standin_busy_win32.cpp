#include "tests/standins/standin_busy_win32.h"

#include "winfx/com.h"

namespace {

ULONGLONG g_busyUntil = 0;
int g_editing = 0;

class CRejectingFilter : public winfx::CRefCounted<IMessageFilter> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    return winfx::AnswerQuery<IMessageFilter>(this, iid, result, {IID_IMessageFilter});
  }
  // Only automation calls are turned away: reference counting and interface
  // queries go on, as they do while the spreadsheet is busy.
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO info) override {
    bool automation = info && info->iid == IID_IDispatch;
    return automation && IsStandinBusy() ? SERVERCALL_REJECTED : SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override {
    return static_cast<DWORD>(-1);  // the stand-in's own calls (events) are not retried
  }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }
};

}  // namespace

void HoldStandinBusy(int milliseconds) {
  g_busyUntil = GetTickCount64() + static_cast<ULONGLONG>(milliseconds > 0 ? milliseconds : 0);
}

void SetStandinEditing(bool editing) { g_editing += editing ? 1 : -1; }

bool IsStandinBusy() { return g_editing > 0 || GetTickCount64() < g_busyUntil; }

CBusyMessageFilter::CBusyMessageFilter() : m_filter(new CRejectingFilter) {
  CoRegisterMessageFilter(m_filter, &m_previous);
}

CBusyMessageFilter::~CBusyMessageFilter() {
  IMessageFilter* ours = nullptr;
  CoRegisterMessageFilter(m_previous, &ours);
  if (ours) ours->Release();
  if (m_previous) m_previous->Release();
  m_filter->Release();
}

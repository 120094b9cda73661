// The port over a COM IDispatch: arguments reversed into DISPPARAMS, the
// put value named DISPID_PROPERTYPUT, the EXCEPINFO description turned into
// CAutomationError.

#include <atomic>
#include <cstdio>
#include <vector>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/busy_retry_filter_win32.h"
#include "assistant/excel/com_automation_win32.h"

namespace {

constexpr LCID kInvokeLocale = LOCALE_SYSTEM_DEFAULT;

std::atomic<long> g_invokeCount{0};
std::atomic<long> g_lastReleaseCount{0};

std::u16string HresultText(HRESULT result) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "The automation call failed (0x%08lX).",
                static_cast<unsigned long>(result));
  return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

// Takes the texts out of an EXCEPINFO and frees them.
std::u16string TakeDescription(EXCEPINFO& info, HRESULT result) {
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  std::u16string description;
  if (info.bstrDescription) {
    description.assign(reinterpret_cast<const char16_t*>(info.bstrDescription),
                       SysStringLen(info.bstrDescription));
  }
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrHelpFile);
  return description.empty() ? HresultText(info.scode ? info.scode : result) : description;
}

// Clears the argument VARIANTs on every way out.
class CArgumentList {
 public:
  explicit CArgumentList(std::size_t count) : m_variants(count) {
    for (VARIANT& variant : m_variants) VariantInit(&variant);
  }
  ~CArgumentList() {
    for (VARIANT& variant : m_variants) VariantClear(&variant);
  }
  CArgumentList(const CArgumentList&) = delete;
  CArgumentList& operator=(const CArgumentList&) = delete;
  std::vector<VARIANT>& Variants() { return m_variants; }

 private:
  std::vector<VARIANT> m_variants;
};

class CComAutomationObject : public AutomationObject {
 public:
  explicit CComAutomationObject(IDispatch* dispatch) : m_dispatch(dispatch) {}
  ~CComAutomationObject() override {
    // A proxy's last reference going is a release call to the server.
    if (m_dispatch->Release() == 0) ++g_lastReleaseCount;
  }
  CComAutomationObject(const CComAutomationObject&) = delete;
  CComAutomationObject& operator=(const CComAutomationObject&) = delete;

  IDispatch* Dispatch() const { return m_dispatch; }

  AutomationValue Invoke(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args) override {
    // DISPPARAMS holds the arguments last first.
    CArgumentList list(args.size());
    std::vector<VARIANT>& variants = list.Variants();
    for (std::size_t i = 0; i < args.size(); ++i)
      AutomationValueToVariant(args[i], variants[args.size() - 1 - i]);
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{variants.data(), nullptr, static_cast<UINT>(variants.size()), 0};
    if (kind == InvokeKind::kPut) {
      params.rgdispidNamedArgs = &putId;
      params.cNamedArgs = 1;
    }
    WORD flags = kind == InvokeKind::kGet   ? DISPATCH_PROPERTYGET
                 : kind == InvokeKind::kPut ? DISPATCH_PROPERTYPUT
                                            : DISPATCH_METHOD;
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    UINT argumentError = 0;
    HRESULT hr = InvokeRetryingWhileBusy(dispatchId, flags, params,
                                         kind == InvokeKind::kPut ? nullptr : &result, info, argumentError);
    if (hr == DISP_E_EXCEPTION) throw CAutomationError(TakeDescription(info, hr));
    if (hr == RPC_E_CALL_REJECTED || hr == RPC_E_SERVERCALL_RETRYLATER)
      throw CAutomationError(HresultText(hr), true);
    if (hr == DISP_E_MEMBERNOTFOUND || hr == DISP_E_UNKNOWNNAME)
      throw CAutomationError(HresultText(hr), AutomationFault::kUnknownMember);
    if (FAILED(hr)) throw CAutomationError(HresultText(hr));
    try {
      AutomationValue value = AutomationValueFromVariant(result);
      VariantClear(&result);
      return value;
    } catch (...) {
      VariantClear(&result);
      throw;
    }
  }

  // A spreadsheet busy with a person's entry rejects the call. The thread's
  // message filter retries it where COM consults the filter; where it does
  // not, the call is tried again here, within the same time from the first
  // try, with the wait pointer.
  HRESULT InvokeRetryingWhileBusy(int dispatchId, WORD flags, DISPPARAMS& params, VARIANT* result,
                                  EXCEPINFO& info, UINT& argumentError) {
    DWORD start = GetTickCount();
    for (;;) {
      ++g_invokeCount;
      HRESULT hr = m_dispatch->Invoke(dispatchId, IID_NULL, kInvokeLocale, flags, &params, result, &info,
                                      &argumentError);
      if (hr != RPC_E_CALL_REJECTED && hr != RPC_E_SERVERCALL_RETRYLATER) return hr;
      DWORD delay = BusyRetryDelay(GetTickCount() - start, SERVERCALL_RETRYLATER);
      if (delay == static_cast<DWORD>(-1)) return hr;
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      Sleep(delay);
    }
  }

  std::optional<int> DispatchIdOfName(std::u16string_view name) override {
    std::wstring text(name.begin(), name.end());
    LPOLESTR names[] = {text.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(m_dispatch->GetIDsOfNames(IID_NULL, names, 1, kInvokeLocale, &id))) return std::nullopt;
    return static_cast<int>(id);
  }

 private:
  IDispatch* m_dispatch;
};

}  // namespace

AutomationObjectPtr WrapDispatch(IDispatch* dispatch) {
  if (!dispatch) return nullptr;
  return std::make_shared<CComAutomationObject>(dispatch);
}

IDispatch* DispatchOfWrapped(const AutomationObjectPtr& object) {
  auto* wrapped = dynamic_cast<CComAutomationObject*>(object.get());
  if (!wrapped) return nullptr;
  wrapped->Dispatch()->AddRef();
  return wrapped->Dispatch();
}

long ComInvokeCount() { return g_invokeCount; }

long ComLastReleaseCount() { return g_lastReleaseCount; }

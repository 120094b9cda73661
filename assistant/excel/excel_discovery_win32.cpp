#include "assistant/excel/excel_discovery_win32.h"

#include <objbase.h>
#include <ocidl.h>
#include <oleauto.h>

#include <atomic>
#include <string>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/com_automation_win32.h"
#include "winfx/com.h"

using winfx::AnswerQuery;
using winfx::CComPtr;
using winfx::CRefCounted;

namespace {

std::wstring WideOf(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

AutomationObjectPtr DispatchOfUnknown(IUnknown* unknown) {
  if (!unknown) return nullptr;
  IDispatch* dispatch = nullptr;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) return nullptr;
  return WrapDispatch(dispatch);
}

class CWin32RunningMoniker : public RunningMoniker {
 public:
  CWin32RunningMoniker(CComPtr<IMoniker> moniker, CComPtr<IBindCtx> context)
      : m_moniker(std::move(moniker)), m_context(std::move(context)) {}

  std::u16string DisplayName() override {
    LPOLESTR name = nullptr;
    if (FAILED(m_moniker->GetDisplayName(m_context.Get(), nullptr, &name)) || !name) return {};
    std::u16string text(reinterpret_cast<const char16_t*>(name));
    CoTaskMemFree(name);
    return text;
  }

  AutomationObjectPtr BindToObject() override {
    IDispatch* dispatch = nullptr;
    if (FAILED(m_moniker->BindToObject(m_context.Get(), nullptr, IID_IDispatch,
                                       reinterpret_cast<void**>(&dispatch))))
      return nullptr;
    return WrapDispatch(dispatch);
  }

 private:
  CComPtr<IMoniker> m_moniker;
  CComPtr<IBindCtx> m_context;
};

// The sink's IDispatch: forwards each event to the sink of the last advise.
// A connection point asks first for the events interface it calls.
class CSinkDispatch : public CRefCounted<IDispatch> {
 public:
  void SetTarget(AutomationObjectPtr target) { m_target = std::move(target); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    return AnswerQuery<IDispatch>(this, iid, result, {IID_IDispatch, kWorksheetEventsIid});
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    ++m_events;
    if (!m_target || !params || params->cArgs == 0) return S_OK;
    AutomationValue target;
    try {
      target = AutomationValueFromVariant(params->rgvarg[params->cArgs - 1]);
    } catch (const CAutomationError&) {
      return S_OK;  // a target that is no range: no event of the sheet's cells
    }
    // The target handles and reports its own errors; no exception may unwind
    // into the spreadsheet's code, which then learns that the call failed.
    try {
      m_target->Invoke(id, InvokeKind::kMethod, std::span(&target, 1));
    } catch (const std::exception&) {
      return E_UNEXPECTED;
    }
    return S_OK;
  }

  long Events() const { return m_events; }

 private:
  AutomationObjectPtr m_target;
  std::atomic<long> m_events{0};
};

// One sink for the process, whose reference it keeps: the spreadsheet may
// still hold the sink after a detach.
CSinkDispatch& SinkDispatch() {
  static CSinkDispatch* sink = new CSinkDispatch;
  return *sink;
}

class CWin32ConnectionPoint : public ConnectionPoint {
 public:
  explicit CWin32ConnectionPoint(CComPtr<IConnectionPoint> point) : m_point(std::move(point)) {}

  bool Advise(const AutomationObjectPtr& sink, std::uint32_t& cookie) override {
    SinkDispatch().SetTarget(sink);
    DWORD advised = 0;
    if (FAILED(m_point->Advise(&SinkDispatch(), &advised))) return false;
    cookie = advised;
    return true;
  }

  bool Unadvise(std::uint32_t cookie) override { return SUCCEEDED(m_point->Unadvise(cookie)); }

 private:
  CComPtr<IConnectionPoint> m_point;
};

}  // namespace

IDispatch* WorksheetEventSinkDispatch() { return &SinkDispatch(); }

long WorksheetEventCount() { return SinkDispatch().Events(); }

AutomationObjectPtr CWin32ExcelDiscovery::GetActiveObject(std::u16string_view progId) {
  CLSID classId;
  if (FAILED(CLSIDFromProgID(WideOf(progId).c_str(), &classId))) return nullptr;
  CComPtr<IUnknown> unknown;
  if (FAILED(::GetActiveObject(classId, nullptr, unknown.Receive()))) return nullptr;
  return DispatchOfUnknown(unknown.Get());
}

AutomationObjectPtr CWin32ExcelDiscovery::CreateObject(std::u16string_view progId) {
  CLSID classId;
  if (FAILED(CLSIDFromProgID(WideOf(progId).c_str(), &classId))) return nullptr;
  IDispatch* dispatch = nullptr;
  if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&dispatch)))) {
    return nullptr;
  }
  return WrapDispatch(dispatch);
}

bool CWin32ExcelDiscovery::EnumRunningObjects(std::vector<std::unique_ptr<RunningMoniker>>& monikers) {
  CComPtr<IBindCtx> context;
  CComPtr<IRunningObjectTable> table;
  CComPtr<IEnumMoniker> list;
  if (FAILED(CreateBindCtx(0, context.Receive())) ||
      FAILED(context->GetRunningObjectTable(table.Receive())) || FAILED(table->EnumRunning(list.Receive())) ||
      !list) {
    return false;
  }
  list->Reset();
  CComPtr<IMoniker> moniker;
  while (list->Next(1, moniker.Receive(), nullptr) == S_OK) {
    monikers.push_back(std::make_unique<CWin32RunningMoniker>(moniker, context));
  }
  return true;
}

std::unique_ptr<ConnectionPoint> CWin32ExcelDiscovery::FindWorksheetEvents(
    const AutomationObjectPtr& object) {
  CComPtr<IDispatch> dispatch = CComPtr<IDispatch>::Adopt(DispatchOfWrapped(object));
  if (!dispatch) return nullptr;
  CComPtr<IConnectionPointContainer> container;
  if (FAILED(dispatch->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(container.Receive())))) {
    return nullptr;
  }
  CComPtr<IConnectionPoint> point;
  if (FAILED(container->FindConnectionPoint(kWorksheetEventsIid, point.Receive())) || !point) return nullptr;
  return std::make_unique<CWin32ConnectionPoint>(point);
}

WindowHandle CWin32ExcelDiscovery::FindTopLevelWindow(std::u16string_view title) {
  return reinterpret_cast<WindowHandle>(FindWindowW(nullptr, WideOf(title).c_str()));
}

std::vector<WindowHandle> CWin32ExcelDiscovery::FindTopLevelWindowsOfClass(std::u16string_view className) {
  std::vector<WindowHandle> found;
  std::wstring name = WideOf(className);
  for (HWND window = FindWindowExW(nullptr, nullptr, name.c_str(), nullptr); window;
       window = FindWindowExW(nullptr, window, name.c_str(), nullptr)) {
    found.push_back(reinterpret_cast<WindowHandle>(window));
  }
  return found;
}

void CWin32ExcelDiscovery::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

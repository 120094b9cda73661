// The worksheet events of the in-memory workbook as a COM connection point:
// what a client advises through IConnectionPointContainer on a worksheet.

#include <olectl.h>

#include "assistant/excel/com_automation_win32.h"
#include "tests/standins/exposed_dispatch_win32.h"
#include "tests/standins/workbook/model_objects.h"
#include "winfx/com.h"

namespace {

// The sink a client gave: the events interface if it has it, else IDispatch.
IDispatch* SinkDispatch(IUnknown* sink) {
  IDispatch* dispatch = nullptr;
  if (SUCCEEDED(sink->QueryInterface(kWorksheetEventsIid, reinterpret_cast<void**>(&dispatch))))
    return dispatch;
  if (SUCCEEDED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) return dispatch;
  return nullptr;
}

class CEventsPoint : public winfx::CRefCounted<IConnectionPoint> {
 public:
  CEventsPoint(std::shared_ptr<CModelSheet> sheet, IConnectionPointContainer* container)
      : m_sheet(std::move(sheet)), m_container(container) {
    m_container->AddRef();
  }
  ~CEventsPoint() override { m_container->Release(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    return winfx::AnswerQuery<IConnectionPoint>(this, iid, result, {IID_IConnectionPoint});
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = kWorksheetEventsIid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
    if (!container) return E_POINTER;
    m_container->AddRef();
    *container = m_container;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (!sink || !cookie) return E_POINTER;
    IDispatch* dispatch = SinkDispatch(sink);
    if (!dispatch) return CONNECT_E_CANNOTCONNECT;
    *cookie = static_cast<DWORD>(m_sheet->Advise(WrapDispatch(dispatch)));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    return m_sheet->Unadvise(static_cast<int>(cookie)) ? S_OK : CONNECT_E_NOCONNECTION;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** list) override {
    if (list) *list = nullptr;
    return E_NOTIMPL;
  }

 private:
  std::shared_ptr<CModelSheet> m_sheet;
  IConnectionPointContainer* m_container;
};

// A tear-off of the worksheet's IDispatch: IUnknown is the owner's, so the
// object keeps one identity.
class CEventsContainer : public winfx::CRefCounted<IConnectionPointContainer> {
 public:
  CEventsContainer(std::shared_ptr<CModelSheet> sheet, IDispatch* owner)
      : m_sheet(std::move(sheet)), m_owner(owner) {
    m_owner->AddRef();
  }
  ~CEventsContainer() override { m_owner->Release(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    if (!result) return E_POINTER;
    if (iid == IID_IConnectionPointContainer) {
      *result = static_cast<IConnectionPointContainer*>(this);
      AddRef();
      return S_OK;
    }
    return m_owner->QueryInterface(iid, result);
  }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** list) override {
    if (list) *list = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid != kWorksheetEventsIid) return CONNECT_E_NOCONNECTION;
    *point = new CEventsPoint(m_sheet, this);
    return S_OK;
  }

 private:
  std::shared_ptr<CModelSheet> m_sheet;
  IDispatch* m_owner;
};

}  // namespace

IConnectionPointContainer* MakeWorksheetEventsContainer(const AutomationObjectPtr& object, IDispatch* owner) {
  std::shared_ptr<CModelSheet> sheet = ModelSheetOf(object);
  if (!sheet || ModelBlockOf(object)) return nullptr;  // worksheets only, not ranges
  return new CEventsContainer(std::move(sheet), owner);
}

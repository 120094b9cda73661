// Automation objects shown as COM IDispatch objects by their own dispatch
// ids: what the in-process tests and the stand-in server put in front of the
// in-memory workbook. No exception leaves a COM method.

#include <atomic>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/com_automation_win32.h"
#include "tests/standins/exposed_dispatch_win32.h"
#include "tests/standins/workbook/model_objects.h"
#include "winfx/com.h"

namespace {

std::atomic<long> g_exposedCount{0};
std::atomic<long> g_externalConnections{0};
ExposedCallObserver g_observer = nullptr;
ExposedCallFilter g_filter = nullptr;
ExposedNameFilter g_nameFilter = nullptr;

InvokeKind KindOf(WORD flags) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return InvokeKind::kPut;
  if (flags == DISPATCH_METHOD) return InvokeKind::kMethod;
  return InvokeKind::kGet;
}

// The arguments in declaration order: DISPPARAMS holds them last first,
// then the named ones (their dispatch ids are their positions, as
// GetIDsOfNames gave them; omitted ones between are missing), with a put's
// value as the named DISPID_PROPERTYPUT argument, last.
AutomationValue ArgumentOf(const VARIANT& variant);

HRESULT ReadArguments(const DISPPARAMS& params, InvokeKind kind, std::vector<AutomationValue>& args) {
  UINT named = params.cNamedArgs;
  bool putValue = named > 0 && params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
  if (kind == InvokeKind::kPut && !putValue) return DISP_E_PARAMNOTOPTIONAL;
  if (kind != InvokeKind::kPut && putValue) return DISP_E_PARAMNOTFOUND;
  for (UINT i = params.cArgs; i > named; --i) args.push_back(ArgumentOf(params.rgvarg[i - 1]));
  for (UINT i = putValue ? 1 : 0; i < named; ++i) {
    DISPID position = params.rgdispidNamedArgs[i];
    if (position < 0 || position > 64) return DISP_E_PARAMNOTFOUND;
    if (args.size() <= static_cast<std::size_t>(position)) args.resize(position + 1, AutomationMissing{});
    args[position] = ArgumentOf(params.rgvarg[i]);
  }
  if (putValue) args.push_back(AutomationValueFromVariant(params.rgvarg[0]));
  return S_OK;
}

// The spreadsheet's own error code and source, which its clients may test.
constexpr SCODE kSpreadsheetError = static_cast<SCODE>(0x800A03EC);

void FillException(EXCEPINFO* info, const std::u16string& description) {
  if (!info) return;
  *info = EXCEPINFO{};
  info->scode = kSpreadsheetError;
  info->bstrSource = SysAllocString(L"Microsoft Excel");
  info->bstrDescription = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(description.data()),
                                            static_cast<UINT>(description.size()));
}

class CExposedDispatch;

// One IDispatch per automation object while it lives: a client that is
// handed an object it already holds gets the same COM identity, so no new
// stub is made for it and no release call comes back for it.
std::mutex g_identityMutex;
std::unordered_map<const AutomationObject*, CExposedDispatch*> g_exposedByObject;

class CExposedDispatch : public winfx::CRefCounted<IDispatch, IExternalConnection> {
 public:
  explicit CExposedDispatch(AutomationObjectPtr object) : m_object(std::move(object)) { ++g_exposedCount; }
  ~CExposedDispatch() override { --g_exposedCount; }

  // The live IDispatch of `object` with a new reference, or a new one.
  static IDispatch* Of(const AutomationObjectPtr& object) {
    std::lock_guard lock(g_identityMutex);
    CExposedDispatch*& slot = g_exposedByObject[object.get()];
    if (slot) {
      ++slot->m_references;
    } else {
      slot = new CExposedDispatch(object);
    }
    return slot;
  }

  // The object behind `dispatch` when it is one of ours: a range handed back
  // as an argument (Copy Destination:=) comes back as itself.
  static AutomationObjectPtr ObjectOf(IDispatch* dispatch) {
    std::lock_guard lock(g_identityMutex);
    for (const auto& [object, exposed] : g_exposedByObject) {
      if (static_cast<IDispatch*>(exposed) == dispatch) return exposed->m_object;
    }
    return nullptr;
  }

  // The strong connections on the IDispatch of `object`, while it lives.
  static long ConnectionsOf(const AutomationObjectPtr& object) {
    std::lock_guard lock(g_identityMutex);
    auto found = g_exposedByObject.find(object.get());
    return found == g_exposedByObject.end() ? 0 : found->second->Connections();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    if (iid == IID_IExternalConnection) {
      return winfx::AnswerQuery<IExternalConnection>(this, iid, result, {IID_IExternalConnection});
    }
    if (result && iid == IID_IConnectionPointContainer) {
      *result = MakeWorksheetEventsContainer(m_object, this);
      if (*result) return S_OK;
    }
    return winfx::AnswerQuery<IDispatch>(this, iid, result, {IID_IDispatch});
  }

  // Connections of clients in other processes, for the server's lifetime.
  DWORD STDMETHODCALLTYPE AddConnection(DWORD type, DWORD) override {
    if (type & EXTCONN_STRONG) {
      ++g_externalConnections;
      ++m_connections;
    }
    return static_cast<DWORD>(g_externalConnections);
  }
  DWORD STDMETHODCALLTYPE ReleaseConnection(DWORD type, DWORD, BOOL) override {
    if (type & EXTCONN_STRONG) {
      --g_externalConnections;
      --m_connections;
    }
    return static_cast<DWORD>(g_externalConnections);
  }
  long Connections() const { return m_connections; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left;
    {
      // Under the lock, so that Of never revives an object on its way out.
      std::lock_guard lock(g_identityMutex);
      left = --m_references;
      if (left == 0) g_exposedByObject.erase(m_object.get());
    }
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    HRESULT result = S_OK;
    std::optional<int> member = m_object->DispatchIdOfName(reinterpret_cast<const char16_t*>(names[0]));
    for (UINT i = 0; i < count; ++i) {
      // After the member, the names of its arguments: their positions.
      std::optional<int> id =
          i == 0   ? member
          : member ? ModelArgumentPosition(*member, reinterpret_cast<const char16_t*>(names[i]))
                   : std::nullopt;
      if (id && i == 0 && g_nameFilter) id = g_nameFilter(*id);
      ids[i] = id ? *id : DISPID_UNKNOWN;
      if (!id) result = DISP_E_UNKNOWNNAME;
    }
    return result;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT*) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    InvokeKind kind = KindOf(flags);
    try {
      std::vector<AutomationValue> args;
      HRESULT read = ReadArguments(params ? *params : none, kind, args);
      if (FAILED(read)) return read;
      if (g_filter) id = g_filter(id, kind, args);
      if (id == kExposedNoMember) return DISP_E_MEMBERNOTFOUND;
      AutomationValue value = m_object->Invoke(id, kind, args);
      if (g_observer) g_observer(id, kind, args, value);
      if (result) {
        VariantInit(result);  // what the caller passed is not ours to free
        AutomationValueToVariant(value, *result);
      }
      return S_OK;
    } catch (const CAutomationError& error) {
      FillException(info, error.Description());
      return info ? DISP_E_EXCEPTION : E_FAIL;
    } catch (...) {
      return E_UNEXPECTED;
    }
  }

 private:
  AutomationObjectPtr m_object;
  std::atomic<long> m_connections{0};
};

AutomationValue ArgumentOf(const VARIANT& variant) {
  const VARIANT* given = &variant;
  if (V_VT(given) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(given)) given = V_VARIANTREF(given);
  if (V_VT(given) == VT_DISPATCH && V_DISPATCH(given)) {
    if (AutomationObjectPtr own = CExposedDispatch::ObjectOf(V_DISPATCH(given))) return own;
  }
  return AutomationValueFromVariant(variant);
}

}  // namespace

// Objects of a process that links this go out in calls and results as
// objects of ExposeAsDispatch.
const bool g_exposerInstalled = (SetObjectExposer(ExposeAsDispatch), true);

IDispatch* ExposeAsDispatch(const AutomationObjectPtr& object) {
  if (!object) return nullptr;
  if (IDispatch* own = DispatchOfWrapped(object)) return own;
  return CExposedDispatch::Of(object);
}

long ExposedDispatchCount() { return g_exposedCount; }

long ExternalConnectionCount() { return g_externalConnections; }

long ExternalConnectionCountOf(const AutomationObjectPtr& object) {
  return CExposedDispatch::ConnectionsOf(object);
}

void SetExposedCallObserver(ExposedCallObserver observer) { g_observer = observer; }

void SetExposedCallFilter(ExposedCallFilter filter) { g_filter = filter; }

void SetExposedNameFilter(ExposedNameFilter filter) { g_nameFilter = filter; }

#include "tests/standins/standin_server_win32.h"

#include <objbase.h>
#include <oleauto.h>

#include <atomic>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/com_automation_win32.h"
#include "assistant/excel/dispatch_ids.h"
#include "assistant/excel/excel_dispatch.h"
#include "tests/standins/exposed_dispatch_win32.h"
#include "tests/standins/standin_busy_win32.h"
#include "tests/standins/standin_file.h"
#include "tests/standins/standin_registration_win32.h"
#include "tests/standins/workbook/model_objects.h"
#include "winfx/com.h"

CStandinServer* g_standinServer = nullptr;

namespace {

// Ids under which newer clients call Open and SaveAs.
constexpr int kOpenNew = 0x783;
constexpr int kSaveAsNew = 0x785;

// The ids of /otherids: the spreadsheet's with these bits set.
constexpr int kOtherIdBits = 0x110000;
bool g_otherIds = false;

// Under /otherids a call must come with the other ids; the default member
// (0) and the negative standard ids stay as they are.
int TakeOtherId(int dispatchId) {
  if (!g_otherIds || dispatchId <= 0) return dispatchId;
  return (dispatchId & kOtherIdBits) == kOtherIdBits ? dispatchId & ~kOtherIdBits : kExposedNoMember;
}

std::wstring FileNamePart(const std::wstring& path) {
  std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH] = {};
  DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? full : path;
}

std::wstring WideOf(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// Gives out the application for every CreateInstance.
class CClassFactory : public winfx::CRefCounted<IClassFactory> {
 public:
  explicit CClassFactory(IDispatch* application) : m_application(application) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
    return winfx::AnswerQuery<IClassFactory>(this, iid, result, {IID_IClassFactory});
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** result) override {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return m_application->QueryInterface(iid, result);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  IDispatch* m_application;
};

std::wstring PathArgument(std::span<const AutomationValue> args) {
  if (args.empty()) return {};
  const auto* text = std::get_if<std::u16string>(&args[0]);
  return text ? WideOf(*text) : std::wstring();
}

int FilterCall(int dispatchId, InvokeKind, std::span<const AutomationValue> args) {
  dispatchId = TakeOtherId(dispatchId);
  if (dispatchId == kExposedNoMember) return dispatchId;
  if (dispatchId == kOpenNew) dispatchId = dispid::kOpen;
  if (dispatchId == kSaveAsNew) dispatchId = dispid::kSaveAs;
  if (g_standinServer && (dispatchId == dispid::kOpen || dispatchId == dispid::kAdd))
    g_standinServer->ReadFile(PathArgument(args));
  return dispatchId;
}

// Names answer with the newer ids, as the spreadsheet's own do.
int FilterName(int dispatchId) {
  if (dispatchId == dispid::kOpen) dispatchId = kOpenNew;
  if (dispatchId == dispid::kSaveAs) dispatchId = kSaveAsNew;
  return g_otherIds && dispatchId > 0 ? dispatchId | kOtherIdBits : dispatchId;
}

void ObserveCall(int dispatchId, InvokeKind, std::span<const AutomationValue> args, const AutomationValue&) {
  if (!g_standinServer) return;
  g_standinServer->NoteCall(dispatchId, PathArgument(args));
  g_standinServer->AfterCall();
}

}  // namespace

CStandinServer::CStandinServer(const StandinOptions& options) : m_options(options) {
  m_model->caption = u"Spreadsheet";
  m_model->visible = !options.embedding;  // started by hand: shown at once
  m_model->laterTitleForm = options.laterTitle;
  m_model->holdBusy = HoldStandinBusy;
  g_standinServer = this;
  g_otherIds = options.otherIds;
  SetExposedCallObserver(&ObserveCall);
  SetExposedCallFilter(&FilterCall);
  SetExposedNameFilter(&FilterName);
}

CStandinServer::~CStandinServer() {
  Stop();
  SetExposedCallObserver(nullptr);
  SetExposedCallFilter(nullptr);
  SetExposedNameFilter(nullptr);
  g_standinServer = nullptr;
}

bool CStandinServer::Start() {
  m_application = ExposeAsDispatch(MakeApplicationObject(m_model));
  m_factory = new CClassFactory(m_application);
  if (FAILED(CoRegisterClassObject(kStandinClassId, m_factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                   &m_classCookie))) {
    return false;
  }
  if (!m_options.lateRegistration) RegisterRunningApplication();
  return true;
}

void CStandinServer::RegisterRunningApplication() {
  if (m_runningDecided) return;
  m_runningDecided = true;
  IUnknown* other = nullptr;
  if (SUCCEEDED(GetActiveObject(kStandinClassId, nullptr, &other))) {
    other->Release();  // a second instance: reachable through its workbooks only
    return;
  }
  RegisterActiveObject(m_application, kStandinClassId, ACTIVEOBJECT_WEAK, &m_activeCookie);
}

void CStandinServer::RegisterWhenInBackground(HWND frame) {
  if (m_runningDecided || !IsWindowVisible(frame)) return;
  DWORD foregroundProcess = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
  if (foregroundProcess != GetCurrentProcessId()) RegisterRunningApplication();
}

void CStandinServer::Stop() {
  for (auto& [workbook, listing] : m_listings) Revoke(listing);
  m_listings.clear();
  if (m_activeCookie) RevokeActiveObject(std::exchange(m_activeCookie, 0), nullptr);
  if (m_classCookie) CoRevokeClassObject(std::exchange(m_classCookie, 0));
  if (m_factory) std::exchange(m_factory, nullptr)->Release();
  if (m_application) std::exchange(m_application, nullptr)->Release();
}

void CStandinServer::NoteCall(int dispatchId, const std::wstring& path) {
  if (path.empty()) return;
  if (dispatchId == dispid::kOpen || dispatchId == kOpenNew) {
    if (auto workbook = m_model->ActiveWorkbook()) m_paths[workbook.get()] = FullPath(path);
  } else if (dispatchId == dispid::kSaveAs || dispatchId == kSaveAsNew) {
    // The saved workbook has taken the file's name.
    for (const auto& workbook : m_model->Workbooks()) {
      if (WideOf(workbook->Name()) != FileNamePart(path)) continue;
      m_paths[workbook.get()] = FullPath(path);
      if (!SaveStandinFile(*workbook, path)) throw CAutomationError(u"The file could not be written.");
    }
  }
}

void CStandinServer::ReadFile(const std::wstring& path) {
  std::u16string key(path.begin(), path.end());
  if (path.empty() || m_model->HasSavedFile(key) ||
      GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
    return;
  // Read into a workbook of its own, then kept by the model as a saved file,
  // which Open and Add copy.
  auto scratch = CWorkbookModel::Create();
  scratch->sheetsInNewWorkbook = 0;
  auto workbook = scratch->AddWorkbook(std::nullopt);
  if (!LoadStandinFile(*workbook, path))
    throw CAutomationError(u"The file is not a workbook of this program.");
  m_model->SaveWorkbookAs(*workbook, key);
}

void CStandinServer::RefreshRunningObjects() {
  const auto& workbooks = m_model->Workbooks();
  for (std::size_t i = 0; i < workbooks.size(); ++i) {
    CModelWorkbook& workbook = *workbooks[i];
    auto path = m_paths.find(&workbook);
    std::wstring name = path != m_paths.end() ? path->second : WideOf(workbook.Name());
    if (path == m_paths.end() && !m_options.listUnsaved) name.clear();
    Listing& listing = m_listings[&workbook];
    if (listing.name == name) continue;
    Revoke(listing);
    if (!name.empty()) List(workbook, static_cast<int>(i) + 1, name);
  }
}

void CStandinServer::List(CModelWorkbook& workbook, int index, const std::wstring& name) {
  IRunningObjectTable* table = nullptr;
  IMoniker* moniker = nullptr;
  if (FAILED(GetRunningObjectTable(0, &table))) return;
  if (SUCCEEDED(CreateFileMoniker(name.c_str(), &moniker))) {
    ExcelDispatch book = ExcelDispatch(MakeApplicationObject(m_model)).Workbooks().Item(index);
    IDispatch* dispatch = ExposeAsDispatch(book.Object());
    Listing& listing = m_listings[&workbook];
    if (SUCCEEDED(table->Register(0, dispatch, moniker, &listing.cookie))) {
      listing.name = name;
      listing.workbook = book.Object();
    }
    dispatch->Release();  // the table keeps its own reference
    moniker->Release();
  }
  table->Release();
}

void CStandinServer::Revoke(Listing& listing) {
  if (!listing.cookie) return;
  IRunningObjectTable* table = nullptr;
  if (SUCCEEDED(GetRunningObjectTable(0, &table))) {
    table->Revoke(listing.cookie);
    table->Release();
  }
  listing = Listing{};
}

long CStandinServer::ConnectionsBeyondListings() const {
  long connections = ExternalConnectionCount();
  for (const auto& [workbook, listing] : m_listings) {
    if (listing.workbook) connections -= ExternalConnectionCountOf(listing.workbook);
  }
  return connections;
}

bool CStandinServer::ShouldExit() {
  // A server started for a client waits for it to connect first.
  constexpr ULONGLONG kFirstClientWaitMs = 30000;
  if (ExternalConnectionCount() > 0) m_everConnected = true;
  if (m_model->visible) return false;
  if (ConnectionsBeyondListings() > 0) return false;
  return m_everConnected || !m_options.embedding || GetTickCount64() - m_startTick > kFirstClientWaitMs;
}

#pragma once

// The stand-in's automation server: the in-memory workbook behind the
// class object, the application as the class's running object, every
// workbook in the running object table (a saved or opened one under its
// full path, a new one under its name), and the end of the process when no
// client holds it and no window is shown. A workbook that a client took
// from the table does not keep a hidden stand-in alive: Wine's script host
// never lets go of what GetObject gave it (where the system would run down
// the references of a client that has ended).

#include <objbase.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "tests/standins/standin_options.h"
#include "tests/standins/workbook/workbook_model.h"

class CStandinServer {
 public:
  explicit CStandinServer(const StandinOptions& options);
  ~CStandinServer();
  CStandinServer(const CStandinServer&) = delete;
  CStandinServer& operator=(const CStandinServer&) = delete;

  // Registers the class object, and the running application unless it
  // registers late (see RegisterWhenInBackground).
  bool Start();
  // With late registration: the application becomes the class's running
  // object once `frame` is shown and not in the foreground, as the
  // spreadsheet registers when its window first loses the focus.
  void RegisterWhenInBackground(HWND frame);
  // Revokes every registration.
  void Stop();

  const std::shared_ptr<CWorkbookModel>& Model() const { return m_model; }
  // The running object table up to date with the workbooks.
  void RefreshRunningObjects();
  // Notes the full path of a workbook that a call saved or opened, and
  // writes a saved one to its file.
  void NoteCall(int dispatchId, const std::wstring& path);
  // Makes the workbook file at `path` known to the model, for Open and Add.
  void ReadFile(const std::wstring& path);
  // Runs after every call a client made, once the registrations are updated.
  void SetCallListener(std::function<void()> listener) { m_callListener = std::move(listener); }
  void AfterCall() {
    m_everConnected = true;  // also when the client came and went between two ticks
    RefreshRunningObjects();
    if (m_callListener) m_callListener();
  }
  // No client holds the server (any more) and no window is shown.
  bool ShouldExit();

 private:
  struct Listing {
    std::wstring name;
    DWORD cookie = 0;
    AutomationObjectPtr workbook;  // the object the table hands out
  };
  // Connections of clients on other objects than the listed workbooks.
  long ConnectionsBeyondListings() const;

  void List(CModelWorkbook& workbook, int index, const std::wstring& name);
  // Only the first instance is the class's running object.
  void RegisterRunningApplication();
  void Revoke(Listing& listing);

  StandinOptions m_options;
  std::shared_ptr<CWorkbookModel> m_model = CWorkbookModel::Create();
  IDispatch* m_application = nullptr;
  IClassFactory* m_factory = nullptr;
  DWORD m_classCookie = 0;
  DWORD m_activeCookie = 0;
  bool m_runningDecided = false;  // registered, or found another instance first
  std::map<const CModelWorkbook*, std::wstring> m_paths;
  std::map<const CModelWorkbook*, Listing> m_listings;
  std::function<void()> m_callListener;
  bool m_everConnected = false;
  ULONGLONG m_startTick = GetTickCount64();
};

// The one server of the process, for the call observer.
extern CStandinServer* g_standinServer;

#pragma once

// CAssistantDlg: the assistant's main window (dialog 102), a small topmost
// tool window beside the spreadsheet. It shows the material library and
// the notation prefixes, holds the link to the attached worksheet and runs
// the commands of bom_commands.h on it; the link tells it what to show
// through LinkWindow.

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "assistant/app/tracking_desktop_win32.h"
#include "assistant/bom_sheet/excel_link.h"
#include "assistant/bom_sheet/link_window.h"
#include "assistant/config/assistant_folders.h"
#include "assistant/engine/library_file.h"
#include "assistant/excel/excel_discovery_win32.h"
#include "assistant/ui/color_list_box.h"
#include "assistant/ui/finder_button.h"
#include "winfx/controls/combo_box.h"
#include "winfx/controls/list_view.h"
#include "winfx/dialog.h"
#include "winfx/handles.h"

class CAssistantDlg : public winfx::CDialog, public LinkWindow {
 public:
  explicit CAssistantDlg(const AssistantFolders& folders);
  ~CAssistantDlg() override;

  // LinkWindow
  void ShowStopMessage(std::string_view text) override;
  void ShowSheetText(std::string_view text) override;
  void ShowLinkLight(int bitmapId) override;
  void MakeTopmostAndRestore() override;
  void SyncMaterialList(const ExcelDispatch& sheet, int row) override;
  void ReportEventError(std::u16string_view description) override;
  void ShowWaitPointer(bool shown) override;

 protected:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnInitDialog() override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  bool OnNotify(UINT_PTR id, NMHDR& header) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnPaint() override;
  bool OnDrawItem(UINT_PTR id, const DRAWITEMSTRUCT& item) override;
  bool OnDestroy() override;
  // Enter and Esc leave the window open; closing goes through WM_CLOSE.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void AddAboutMenuItem() const;
  void SetIcons();
  void SetUpMaterialList() const;
  void ApplyLanguageTexts() const;
  void LoadMaterials();
  void FillMaterialList();
  void FillPrefixList();
  // The library file changed while the window was in the background: read
  // again and the lists refilled; a faulty file leaves the lists as they are.
  void ReloadChangedLibrary();
  // The window shown and painted first; then the lists are filled and the
  // spreadsheet is found or started and a new BOM made, with the sheet
  // field saying so.
  void StartFirstBom();
  void SaveSettingsTellingFailure();
  void AddPrefixItem(const std::string& text, COLORREF color);
  void PlaceMainWindow() const;

  void OnClose();
  void OnMaterialClick();
  void OnPrefixSelected();
  void OnRenewAll();
  void OnStyleChosen();
  void OnSettings();
  void OnStyleSettings();
  void InsertText(std::string_view text);
  void BringExcelToTop() const;
  // Runs a command on the spreadsheet; an error the spreadsheet raises ends
  // it and is shown with the spreadsheet's description.
  void RunLinkCommand(const std::function<void()>& command);
  // The same for a command that may take seconds (a spreadsheet started,
  // every row renewed): the pointer shows the wait meanwhile.
  void RunLongLinkCommand(const std::function<void()>& command);
  void ShowAutomationError(const std::u16string& description) const;
  void ShowPendingEventError();
  bool OnSetCursor();
  void SelectMaterialRow(int row) const;

  AssistantFolders m_folders;
  CLibraryFile m_library;
  // The error that ended the last sheet event, until the window shows it.
  std::u16string m_pendingEventError;
  CWin32ExcelDiscovery m_discovery;
  ExcelLink m_link{m_discovery, *this};
  CWin32TrackingDesktop m_desktop;

  CColorListBox m_prefixes;
  CFinderButton m_finder;
  winfx::CListView m_materials;
  winfx::CComboBox m_styleChoice;
  // The texts of the list rows and prefix items, as GBK bytes.
  std::vector<std::string> m_materialSpecs;
  std::vector<std::string> m_prefixTexts;

  // A tick that shows a message box must not be entered again by the ticks
  // that the box's own message loop delivers.
  bool m_inTrackingTick = false;
  // A long command runs: its calls into the spreadsheet let this window's
  // messages through, and the pointer must keep showing the wait.
  bool m_busy = false;
  // What the wait pointer of a long sheet event replaced.
  bool m_busyBeforeEvent = false;
  HCURSOR m_cursorBeforeEvent = nullptr;
  HICON m_bigIcon = nullptr;
  HICON m_smallIcon = nullptr;
  HICON m_detachIcon = nullptr;
  winfx::CBitmap m_linkAttached;
  winfx::CBitmap m_linkDetached;
};

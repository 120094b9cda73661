#include "assistant/app/assistant_dlg_win32.h"

#include <commctrl.h>

#include <utility>

#include "assistant/app/about_dlg_win32.h"
#include "assistant/app/main_window_layout.h"
#include "assistant/app/message_box_port_win32.h"
#include "assistant/app/prefix_list_fill.h"
#include "assistant/bom_sheet/bom_commands.h"
#include "assistant/config/bom_style.h"
#include "assistant/engine/bom_row.h"
#include "assistant/engine/material_library.h"
#include "assistant/excel/automation_error.h"
#include "assistant/texts/text_tables.h"
#include "assistant/ui/help_access_win32.h"
#include "assistant/ui/settings_sheet_texts_win32.h"
#include "assistant/ui/settings_sheet_win32.h"
#include "assistant_resource.h"
#include "base/code_page.h"
#include "base/format_text.h"
#include "base/status.h"
#include "winfx/message_box.h"

namespace {

constexpr UINT_PTR kTrackingTimer = 0;
constexpr UINT kTrackingPeriodMs = 200;
// Posted by a sheet event that ended in an error, to show it after the event.
constexpr UINT kMsgShowEventError = WM_APP + 1;
// Posted at start so that the window shows before the spreadsheet starts.
constexpr UINT kMsgStartFirstBom = WM_APP + 2;
// Posted by the activation when the library file changed meanwhile.
constexpr UINT kMsgReloadLibrary = WM_APP + 3;
constexpr COLORREF kLibraryPrefixColor = RGB(155, 20, 80);
constexpr COLORREF kBuiltinPrefixColor = RGB(10, 85, 250);
constexpr UINT kPrefixFormat = DT_SINGLELINE | DT_VCENTER;
constexpr int kRowNoAttachedSheet = 62;
constexpr int kRowSimpleStyle = 72;
constexpr int kRowStandardStyle = 73;
constexpr int kStartStyleWithoutChoice = 1;

// The labels and buttons with the table row of their text.
struct LabelRow {
  int id;
  int row;
};
constexpr LabelRow kLabelRows[] = {
    {IDC_MATERIAL_LABEL, 12}, {IDC_DETACH_LABEL, 13}, {IDC_FINDER_LABEL, 14}, {IDC_SHEET_LABEL, 15},
    {IDC_SETTINGS, 16},       {IDC_NEW_BOM, 17},      {IDC_RENEW_ALL, 9},     {IDC_BOM_STYLE_LABEL, 4},
};
constexpr int kSpecificationHeaderRow = 2;
constexpr int kWeightHeaderRow = 3;

std::wstring WideOf(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::wstring UiWide(int row) { return WideOf(DecodeFromCodePage(UiText(row), UiTextCodePage())); }

std::wstring GbkWide(std::string_view bytes) { return WideOf(DecodeFromCodePage(bytes, kCodePageGbk)); }

std::string GbkOf(const std::wstring& text) {
  return EncodeToCodePage(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()),
                          kCodePageGbk);
}

HICON LoadProgramIcon(int id, int size) {
  return static_cast<HICON>(
      LoadImageW(winfx::ResourceInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_SHARED));
}

void SetColumnHeader(const winfx::CListView& list, int column, const std::wstring& text) {
  LVCOLUMNW header{};
  header.mask = LVCF_TEXT;
  header.pszText = const_cast<wchar_t*>(text.c_str());
  list.Send(LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
}

void InsertColumn(const winfx::CListView& list, int column, const std::wstring& text, int format) {
  LVCOLUMNW header{};
  header.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
  header.fmt = format;
  header.pszText = const_cast<wchar_t*>(text.c_str());
  header.iSubItem = column;
  list.Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
}

// Shows the wait pointer and keeps `busy` set while it lives; gone before
// a failed command's message is shown.
class CWaitPointer {
 public:
  explicit CWaitPointer(bool& busy) : m_busy(busy), m_previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {
    m_busy = true;
  }
  ~CWaitPointer() {
    m_busy = false;
    SetCursor(m_previous);
  }
  CWaitPointer(const CWaitPointer&) = delete;
  CWaitPointer& operator=(const CWaitPointer&) = delete;

 private:
  bool& m_busy;
  HCURSOR m_previous;
};

}  // namespace

CAssistantDlg::CAssistantDlg(const AssistantFolders& folders)
    : CDialog(IDD_ASSISTANT), m_folders(folders), m_library(folders) {}

CAssistantDlg::~CAssistantDlg() = default;

INT_PTR CAssistantDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return FALSE;
      CAboutDlg().DoModal(GetHwnd());
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(m_bigIcon);
    case WM_CLOSE:
      OnClose();
      return TRUE;
    case WM_HELP:
      ShowHelp(GetHwnd());
      return TRUE;
    case WM_SETCURSOR:
      return OnSetCursor() ? TRUE : CDialog::HandleMessage(message, wParam, lParam);
    case kMsgShowEventError:
      ShowPendingEventError();
      return TRUE;
    case WM_ACTIVATE:
      // After the activation is done: a faulty file's message takes the focus.
      if (LOWORD(wParam) != WA_INACTIVE && m_library.ChangedSinceLoad())
        PostMessageW(GetHwnd(), kMsgReloadLibrary, 0, 0);
      return CDialog::HandleMessage(message, wParam, lParam);
    case kMsgReloadLibrary:
      ReloadChangedLibrary();
      return TRUE;
    case kMsgStartFirstBom:
      StartFirstBom();
      return TRUE;
    default:
      return CDialog::HandleMessage(message, wParam, lParam);
  }
}

bool CAssistantDlg::OnInitDialog() {
  AddAboutMenuItem();
  SetIcons();
  m_link.picking = false;
  m_link.trackingSuspended = true;
  SetText(L"Ostrevia3.5");
  m_materials.Attach(GetItem(IDC_MATERIAL_LIST));
  m_styleChoice.Attach(GetItem(IDC_BOM_STYLE_CHOICE));
  m_prefixes.SubclassDlgItem(GetHwnd(), IDC_PREFIX_LIST);
  SetUpMaterialList();
  ApplyLanguageTexts();
  // Any style but 0 is the standard one, as for the layout and template.
  m_styleChoice.SetCurSel(g_settings.style != 0 ? 1 : 0);
  m_finder.SubclassDlgItem(GetHwnd(), IDC_FINDER, m_link);
  m_finder.ShowFinderImage();
  m_detachIcon = LoadProgramIcon(IDI_DETACH, 16);
  SendDlgItemMessageW(GetHwnd(), IDC_DETACH, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_detachIcon));
  m_link.app.Release();  // nothing is held yet
  StartTimer(kTrackingTimer, kTrackingPeriodMs);
  PlaceMainWindow();
  PostMessageW(GetHwnd(), kMsgStartFirstBom, 0, 0);
  return true;
}

void CAssistantDlg::StartFirstBom() {
  SetDlgItemTextW(GetHwnd(), IDC_SHEET, UiWide(kMsgStartingSpreadsheet).c_str());
  // The posted message comes before the window's first paint: paint now,
  // then fill the lists and show them before the spreadsheet is called.
  RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  LoadMaterials();
  FillPrefixList();
  RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RunLongLinkCommand([this] { NewBom(m_link, m_folders); });
  // Attaching names the sheet; a start that failed leaves nothing said.
  if (!m_link.attached) ShowSheetText("");
}

void CAssistantDlg::AddAboutMenuItem() const {
  HMENU menu = GetSystemMenu(GetHwnd(), FALSE);
  wchar_t text[128]{};
  if (!menu || LoadStringW(winfx::ResourceInstance(), IDS_ABOUTBOX, text, 128) <= 0) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
}

void CAssistantDlg::SetIcons() {
  m_bigIcon = LoadProgramIcon(IDR_MAINFRAME, GetSystemMetrics(SM_CXICON));
  m_smallIcon = LoadProgramIcon(IDR_MAINFRAME, GetSystemMetrics(SM_CXSMICON));
  Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon));
  Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
}

void CAssistantDlg::SetUpMaterialList() const {
  m_materials.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  InsertColumn(m_materials, 0, UiWide(kSpecificationHeaderRow), LVCFMT_CENTER);
  InsertColumn(m_materials, 1, UiWide(kWeightHeaderRow), LVCFMT_LEFT);
  MaterialColumnWidths widths = ComputeMaterialColumnWidths(m_materials.GetClientRect().right);
  m_materials.Send(WM_SETREDRAW, FALSE);
  m_materials.Send(LVM_SETCOLUMNWIDTH, 0, widths.specification);
  m_materials.Send(LVM_SETCOLUMNWIDTH, 1, widths.weight);
  m_materials.Send(WM_SETREDRAW, TRUE);
  m_materials.Invalidate();
}

void CAssistantDlg::ApplyLanguageTexts() const {
  for (const LabelRow& label : kLabelRows) SetDlgItemTextW(GetHwnd(), label.id, UiWide(label.row).c_str());
  int selection = m_styleChoice.GetCurSel();
  m_styleChoice.ResetContent();
  m_styleChoice.AddString(UiWide(kRowSimpleStyle));
  m_styleChoice.AddString(UiWide(kRowStandardStyle));
  m_styleChoice.SetCurSel(selection);
  SetColumnHeader(m_materials, 0, UiWide(kSpecificationHeaderRow));
  SetColumnHeader(m_materials, 1, UiWide(kWeightHeaderRow));
  RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CAssistantDlg::LoadMaterials() {
  CMessageBoxPort messages;
  if (m_library.Load(g_materialLibrary, messages) == ST_OK) FillMaterialList();
}

void CAssistantDlg::ReloadChangedLibrary() {
  if (!m_library.ChangedSinceLoad()) return;  // posted twice
  CMessageBoxPort messages;
  if (m_library.Reload(g_materialLibrary, messages) != ST_OK) return;
  m_materials.Send(LVM_DELETEALLITEMS);
  m_materialSpecs.clear();
  FillMaterialList();
  m_prefixes.ResetContent();
  m_prefixTexts.clear();
  FillPrefixList();
}

void CAssistantDlg::FillMaterialList() {
  // One redraw for the whole list, not one per row: the window shows the
  // sooner.
  m_materials.Send(WM_SETREDRAW, FALSE);
  m_materials.Send(LVM_SETITEMCOUNT, g_materialLibrary.rows.size());
  for (const MaterialRow& row : g_materialLibrary.rows) {
    int item = m_materials.InsertItem(m_materials.GetItemCount(), GbkWide(row.spec));
    m_materials.SetItemText(item, 1, GbkWide(FormatText("%0.2f", static_cast<double>(row.weight))));
    m_materialSpecs.push_back(row.spec);
  }
  m_materials.Send(WM_SETREDRAW, TRUE);
  m_materials.Invalidate();
}

void CAssistantDlg::FillPrefixList() {
  // The item height follows the dialog's font; the list asked before the
  // dialog had one.
  TEXTMETRICW metrics{};
  {
    winfx::CClientDC dc(m_prefixes.GetHwnd());
    winfx::CSelectObject font(dc.Get(), GetFont());
    GetTextMetricsW(dc.Get(), &metrics);
  }
  m_prefixes.SetItemHeight(metrics.tmHeight + 2);

  std::vector<std::string> prefixes = CollectLibraryPrefixes(m_materialSpecs);
  g_prefixCount = static_cast<int>(prefixes.size());
  for (const std::string& prefix : prefixes) AddPrefixItem(prefix, kLibraryPrefixColor);
  for (const BuiltinPrefix& builtin : kBuiltinPrefixes) AddPrefixItem(builtin.text, kBuiltinPrefixColor);
  FillBuiltinTips(g_tipTable, g_uiText);
  for (const UserFormula& formula : g_materialLibrary.formulas)
    AddPrefixItem(formula.prefix, kBuiltinPrefixColor);
  FillUserFormulaTips(g_tipTable, g_materialLibrary.formulas);
}

void CAssistantDlg::AddPrefixItem(const std::string& text, COLORREF color) {
  if (m_prefixes.AddItem(text, kCodePageGbk, color, 0, kPrefixFormat) >= 0) m_prefixTexts.push_back(text);
}

void CAssistantDlg::PlaceMainWindow() const {
  if (IsIconic(GetHwnd())) {
    ShowWindow(GetHwnd(), SW_RESTORE);
  } else {
    RECT window{};
    RECT desktop{};
    GetWindowRect(GetHwnd(), &window);
    GetWindowRect(GetDesktopWindow(), &desktop);
    WindowPosition place =
        ComputeMainWindowPosition(window.right - window.left, window.bottom - window.top,
                                  desktop.right - desktop.left, desktop.bottom - desktop.top);
    SetWindowPos(GetHwnd(), HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  }
  ShowWindow(GetHwnd(), SW_SHOW);
}

bool CAssistantDlg::OnCommand(WORD notifyCode, WORD id, HWND control) {
  if (id == IDC_PREFIX_LIST && notifyCode == LBN_SELCHANGE) {
    OnPrefixSelected();
    return true;
  }
  if (id == IDC_BOM_STYLE_CHOICE && notifyCode == CBN_SELCHANGE) {
    OnStyleChosen();
    return true;
  }
  if (notifyCode != BN_CLICKED) return false;
  switch (id) {
    case IDC_NEW_BOM:
      RunLongLinkCommand([this] { NewBom(m_link, m_folders); });
      return true;
    case IDC_SETTINGS:
      OnSettings();
      return true;
    case IDC_RENEW_ALL:
      OnRenewAll();
      return true;
    case IDC_DETACH:
      DetachSheet(m_link);
      m_link.trackingSuspended = true;
      return true;
    case IDC_BOM_STYLE_MORE:
      OnStyleSettings();
      return true;
    default:
      return CDialog::OnCommand(notifyCode, id, control);
  }
}

bool CAssistantDlg::OnNotify(UINT_PTR id, NMHDR& header) {
  if (id != IDC_MATERIAL_LIST || header.code != NM_CLICK) return false;
  OnMaterialClick();
  return true;
}

bool CAssistantDlg::OnTimer(UINT_PTR id) {
  if (id != kTrackingTimer || m_inTrackingTick) return false;
  m_inTrackingTick = true;
  RunLinkCommand([this] { RunTrackingTick(m_link, m_desktop); });
  m_inTrackingTick = false;
  return false;
}

bool CAssistantDlg::OnPaint() {
  if (!IsIconic(GetHwnd())) return false;
  winfx::CPaintDC dc(GetHwnd());
  Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()));
  RECT client = GetClientRect();
  int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc.Get(), x, y, m_bigIcon);
  return true;
}

bool CAssistantDlg::OnDrawItem(UINT_PTR id, const DRAWITEMSTRUCT& item) {
  if (id != IDC_PREFIX_LIST) return false;
  m_prefixes.DrawItem(item);
  return true;
}

bool CAssistantDlg::OnDestroy() {
  int selection = m_styleChoice.GetCurSel();
  if (selection >= 0) g_settings.style = selection;
  SaveSettingsTellingFailure();
  return false;
}

void CAssistantDlg::OnClose() {
  DetachSheet(m_link);
  StopTimer(kTrackingTimer);
  g_materialLibrary.rows.clear();
  m_linkAttached.Reset();
  m_linkDetached.Reset();
  EndDialog(IDCANCEL);
}

void CAssistantDlg::OnMaterialClick() {
  int mark = static_cast<int>(m_materials.Send(LVM_GETSELECTIONMARK));
  if (mark < 0) return;
  InsertText(GbkOf(m_materials.GetItemText(mark, 0)));
}

void CAssistantDlg::OnPrefixSelected() {
  int index = m_prefixes.GetCurSel();
  if (index < 0 || static_cast<std::size_t>(index) >= m_prefixTexts.size()) return;
  const std::string& text = m_prefixTexts[static_cast<std::size_t>(index)];
  if (index >= g_prefixCount) {
    InsertText(text);
    return;
  }
  int row = FindMaterialStartingWith(m_materialSpecs, text);
  if (row < 0) return;
  SelectMaterialRow(row);
  m_materials.Focus();
}

void CAssistantDlg::InsertText(std::string_view text) {
  RunLinkCommand([&] {
    if (InsertIntoActiveCell(m_link, text) == LinkCommandResult::kDone) BringExcelToTop();
  });
}

void CAssistantDlg::OnRenewAll() {
  RunLongLinkCommand([this] {
    switch (RenewAll(m_link)) {
      case LinkCommandResult::kNoApplication:
        winfx::ShowMessageBox(GetHwnd(), UiText(kRowNoAttachedSheet), kAssistantCaption, UiTextCodePage(),
                              MB_OK | MB_ICONSTOP);
        break;
      case LinkCommandResult::kDone:
        BringExcelToTop();
        break;
      default:
        break;
    }
  });
}

void CAssistantDlg::OnStyleChosen() {
  int selection = m_styleChoice.GetCurSel();
  if (selection < 0) return;
  SelectBomStyle(selection);
  g_settings.style = selection;
}

void CAssistantDlg::OnSettings() {
  int selection = m_styleChoice.GetCurSel();
  int chosen = 0;
  if (!RunSettingsSheet(GetHwnd(), SettingsSheetForm::kSettings,
                        selection >= 0 ? selection : kStartStyleWithoutChoice, m_link, chosen)) {
    return;
  }
  SelectBomStyle(g_settings.style);
  SaveSettingsTellingFailure();
  SelectTextTable(static_cast<unsigned>(g_settings.language));
  ApplyLanguageTexts();
  FillBuiltinTips(g_tipTable, g_uiText);
}

void CAssistantDlg::OnStyleSettings() {
  int selection = m_styleChoice.GetCurSel();
  int chosen = 0;
  if (!RunSettingsSheet(GetHwnd(), SettingsSheetForm::kBomStyleOnly,
                        selection >= 0 ? selection : kStartStyleWithoutChoice, m_link, chosen)) {
    return;
  }
  m_styleChoice.SetCurSel(chosen);
  SelectBomStyle(chosen);
  SaveSettingsTellingFailure();
}

void CAssistantDlg::SaveSettingsTellingFailure() {
  if (!SaveUserSettings(m_folders)) ShowCannotWrite(GetHwnd(), m_folders.user / kSettingsFileName);
}

void CAssistantDlg::BringExcelToTop() const {
  if (m_link.excelWindow == 0) return;
  SetWindowPos(reinterpret_cast<HWND>(m_link.excelWindow), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CAssistantDlg::RunLinkCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const CAutomationError& error) {
    if (error.Busy()) {
      ShowAutomationError(DecodeFromCodePage(UiText(kMsgSpreadsheetBusy), UiTextCodePage()));
    } else if (error.UnknownMember()) {
      ShowAutomationError(DecodeFromCodePage(UiText(kMsgNotTheSpreadsheet), UiTextCodePage()));
    } else {
      ShowAutomationError(error.Description());
    }
  }
}

void CAssistantDlg::ShowAutomationError(const std::u16string& description) const {
  MessageBoxW(GetHwnd(), WideOf(description).c_str(), L"Ostrevia3.5", MB_OK | MB_ICONEXCLAMATION);
}

void CAssistantDlg::ShowPendingEventError() {
  if (m_pendingEventError.empty()) return;
  ShowAutomationError(std::exchange(m_pendingEventError, std::u16string()));
}

void CAssistantDlg::RunLongLinkCommand(const std::function<void()>& command) {
  RunLinkCommand([&] {
    CWaitPointer wait(m_busy);
    command();
  });
}

bool CAssistantDlg::OnSetCursor() {
  if (!m_busy) return false;
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  SetWindowLongPtrW(GetHwnd(), DWLP_MSGRESULT, TRUE);
  return true;
}

void CAssistantDlg::SelectMaterialRow(int row) const {
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  m_materials.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  m_materials.Send(LVM_SETSELECTIONMARK, 0, row);
  m_materials.Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

// LinkWindow

void CAssistantDlg::ShowWaitPointer(bool shown) {
  if (shown) {
    m_busyBeforeEvent = std::exchange(m_busy, true);
    m_cursorBeforeEvent = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  } else {
    m_busy = m_busyBeforeEvent;
    SetCursor(m_cursorBeforeEvent);
  }
}

void CAssistantDlg::ReportEventError(std::u16string_view description) {
  // Errors of events that come before the window shows one are one report.
  bool posted = !m_pendingEventError.empty();
  m_pendingEventError = description;
  if (!posted) PostMessageW(GetHwnd(), kMsgShowEventError, 0, 0);
}

void CAssistantDlg::ShowStopMessage(std::string_view text) {
  winfx::ShowMessageBox(GetHwnd(), text, kAssistantCaption, UiTextCodePage(), MB_OK | MB_ICONSTOP);
}

void CAssistantDlg::ShowSheetText(std::string_view text) {
  SetDlgItemTextW(GetHwnd(), IDC_SHEET, GbkWide(text).c_str());
}

void CAssistantDlg::ShowLinkLight(int bitmapId) {
  winfx::CBitmap& bitmap = bitmapId == IDB_LINK_ATTACHED ? m_linkAttached : m_linkDetached;
  if (!bitmap) {
    bitmap.Reset(static_cast<HBITMAP>(LoadImageW(winfx::ResourceInstance(), MAKEINTRESOURCEW(bitmapId),
                                                 IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  }
  SendDlgItemMessageW(GetHwnd(), IDC_LINK_LIGHT, STM_SETIMAGE, IMAGE_BITMAP,
                      reinterpret_cast<LPARAM>(bitmap.Get()));
}

void CAssistantDlg::MakeTopmostAndRestore() {
  if (IsIconic(GetHwnd())) ShowWindow(GetHwnd(), SW_RESTORE);
  SetWindowPos(GetHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void CAssistantDlg::SyncMaterialList(const ExcelDispatch& sheet, int row) {
  if (row < 1 || !m_materials) return;
  std::string text = TakeSpecificationCell(m_link, sheet, row);
  if (text.empty()) return;
  int found = FindMaterialStartingWith(m_materialSpecs, text);
  if (found >= 0) SelectMaterialRow(found);
}

#include "assistant/ui/color_list_box.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "assistant/texts/text_tables.h"
#include "assistant/ui/prefix_tips.h"
#include "base/code_page.h"
#include "winfx/handles.h"

namespace {

constexpr LONG kBoldWeight = 700;
// Tooltip notifications are handled for these tool identifiers.
constexpr UINT_PTR kLastToolId = 0xFFFF;

// What an item without a record of its own is drawn with.
ListItemStyle DefaultStyle() { return {GetSysColor(COLOR_WINDOWTEXT), 0, DT_SINGLELINE | DT_VCENTER}; }

HFONT MakeBoldFont(HFONT font) {
  LOGFONTW description{};
  if (!GetObjectW(font, sizeof description, &description)) return nullptr;
  description.lfWeight = kBoldWeight;
  return CreateFontIndirectW(&description);
}

bool IsMouseMessage(UINT message) {
  return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
         message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_MBUTTONDOWN ||
         message == WM_MBUTTONUP;
}

// The wide copy of the tip, cut to the notification's buffer.
template <size_t N>
void CopyTip(const std::u16string& text, wchar_t (&buffer)[N]) {
  size_t length = std::min(text.size(), N - 1);
  std::copy_n(text.begin(), length, buffer);
  buffer[length] = L'\0';
}

template <size_t N>
void CopyTip(const std::string& text, char (&buffer)[N]) {
  size_t length = std::min(text.size(), N - 1);
  std::copy_n(text.begin(), length, buffer);
  buffer[length] = '\0';
}

static_assert(sizeof(NMTTDISPINFOW::szText) / sizeof(wchar_t) == kTipBufferChars);
static_assert(sizeof(NMTTDISPINFOA::szText) == kTipBufferChars);

}  // namespace

CColorListBox::~CColorListBox() {
  if (m_toolTip) DestroyWindow(m_toolTip);
}

bool CColorListBox::Subclass(HWND control) {
  if (!TakeOver(control)) return false;
  EnableToolTips();
  return true;
}

LRESULT CColorListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsMouseMessage(message)) RelayMouse(message, wParam, lParam);
  if (message == WM_NOTIFY && lParam && OnNeedText(*reinterpret_cast<NMHDR*>(lParam))) return 0;
  return Default(message, wParam, lParam);
}

void CColorListBox::OnControlDestroyed() {
  // The tooltip belongs to the list's top-level window, which may outlive
  // the list.
  if (m_toolTip) DestroyWindow(m_toolTip);
  m_toolTip = nullptr;
  m_toolId = -1;
  m_items.clear();
  Attach(nullptr);
}

int CColorListBox::AddItem(const std::wstring& text, COLORREF color, BYTE bold, UINT format) {
  if (!GetHwnd()) return LB_ERR;
  int index = AddString(text);
  if (index < 0) return index;
  m_items.push_back(std::make_unique<ListItemStyle>(ListItemStyle{color, bold, format}));
  SetItemData(index, reinterpret_cast<LPARAM>(m_items.back().get()));
  return index;
}

void CColorListBox::ResetContent() {
  winfx::CListBox::ResetContent();
  m_items.clear();
  RemoveTool();
}

int CColorListBox::AddItem(std::string_view bytes, unsigned codePage, COLORREF color, BYTE bold,
                           UINT format) {
  return AddItem(DecodeToWide(bytes, codePage), color, bold, format);
}

const ListItemStyle* CColorListBox::FindRecord(LPARAM itemData) const {
  // Only records of this list box are trusted: other item data (set by
  // someone else, or LB_ERR) is never taken as a pointer.
  auto owned = [itemData](const std::unique_ptr<ListItemStyle>& record) {
    return reinterpret_cast<LPARAM>(record.get()) == itemData;
  };
  auto found = std::find_if(m_items.begin(), m_items.end(), owned);
  return found == m_items.end() ? nullptr : found->get();
}

const ListItemStyle* CColorListBox::GetItemStyle(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return FindRecord(GetItemData(index));
}

void CColorListBox::DrawItem(const DRAWITEMSTRUCT& item) const {
  int index = static_cast<int>(item.itemID);
  if (index < 0) return;
  const ListItemStyle* record = FindRecord(static_cast<LPARAM>(item.itemData));
  ListItemStyle style = record ? *record : DefaultStyle();
  HDC dc = item.hDC;
  RECT rect = item.rcItem;

  winfx::CFont bold;
  std::optional<winfx::CSelectObject> selectBold;
  if (style.bold) {
    HFONT font = GetFont();
    bold.Reset(MakeBoldFont(font ? font : static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT))));
    if (bold) selectBold.emplace(dc, bold.Get());
  }

  bool selected = (item.itemState & ODS_SELECTED) != 0;
  switch (PlanItemBackground(selected, item.itemAction & ODA_DRAWENTIRE, item.itemAction & ODA_SELECT)) {
    case ItemBackground::kHighlightWithFocus:
      FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
      DrawFocusRect(dc, &rect);
      break;
    case ItemBackground::kClearFocusThenWindow:
      DrawFocusRect(dc, &rect);
      FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
      break;
    case ItemBackground::kNone:
      break;
  }

  // The text keeps its own colour, also on the highlight.
  COLORREF previousColor = SetTextColor(dc, style.color);
  int previousMode = SetBkMode(dc, TRANSPARENT);
  std::wstring text = GetItemText(index);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, style.format);
  SetBkMode(dc, previousMode);
  SetTextColor(dc, previousColor);
}

int CColorListBox::ToolHitTest(POINT point, TOOLINFOW* tool) const {
  int index = ItemFromPoint(point);
  if (index < 0) return -1;
  // The list names the nearest item also for a point below the last one.
  RECT rect = GetItemRect(index);
  if (!PtInRect(&rect, point)) return -1;
  if (tool) {
    *tool = TOOLINFOW{};
    // The size that every version of the tooltip control accepts.
    tool->cbSize = TTTOOLINFOW_V2_SIZE;
    tool->hwnd = GetHwnd();
    tool->uId = static_cast<UINT_PTR>(index);
    tool->rect = rect;
    tool->lpszText = LPSTR_TEXTCALLBACKW;
  }
  return index;
}

void CColorListBox::EnableToolTips() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
  InitCommonControlsEx(&classes);
  m_toolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, GetHwnd(), nullptr, nullptr, nullptr);
}

void CColorListBox::RelayMouse(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_toolTip) return;
  UpdateTool({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
  MSG relayed{GetHwnd(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&relayed.pt);
  SendMessageW(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CColorListBox::RemoveTool() {
  if (m_toolId >= 0 && m_toolTip) {
    TOOLINFOW old{};
    old.cbSize = TTTOOLINFOW_V2_SIZE;
    old.hwnd = GetHwnd();
    old.uId = static_cast<UINT_PTR>(m_toolId);
    SendMessageW(m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&old));
  }
  m_toolId = -1;
}

void CColorListBox::UpdateTool(POINT point) {
  TOOLINFOW tool{};
  int id = ToolHitTest(point, &tool);
  if (id == m_toolId && (id < 0 || EqualRect(&tool.rect, &m_toolRect))) return;
  RemoveTool();
  if (id < 0) return;
  if (SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
    m_toolId = id;
    m_toolRect = tool.rect;
  }
}

bool CColorListBox::OnNeedText(NMHDR& header) {
  if (header.code != TTN_NEEDTEXTA && header.code != TTN_NEEDTEXTW) return false;
  if (header.idFrom > kLastToolId) return false;
  int toolId = static_cast<int>(header.idFrom);
  std::wstring ownText;
  if (ChooseTip(toolId, g_prefixCount, g_tipTable).ownText) ownText = GetItemText(toolId);
  std::u16string_view itemText(reinterpret_cast<const char16_t*>(ownText.data()), ownText.size());
  unsigned codePage = UiTextCodePage();
  if (header.code == TTN_NEEDTEXTA) {
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
    CopyTip(NarrowTipText(toolId, itemText, g_prefixCount, g_tipTable, codePage), info.szText);
    info.lpszText = info.szText;
    info.hinst = nullptr;
  } else {
    auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
    CopyTip(WideTipText(toolId, itemText, g_prefixCount, g_tipTable, codePage), info.szText);
    info.lpszText = info.szText;
    info.hinst = nullptr;
  }
  return true;
}

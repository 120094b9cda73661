#include "setup/wizard/text_label.h"

#include <commctrl.h>
#include <shellapi.h>

#include <exception>

#include "base/code_page.h"
#include "setup/wizard/text_label_font.h"

static_assert(kLabelStyleCenter == SS_CENTER && kLabelStyleRight == SS_RIGHT);
static_assert(kLabelStyleTypeMask == SS_TYPEMASK && kLabelStyleCenterImage == SS_CENTERIMAGE);
static_assert(kLabelFormatCenter == DT_CENTER && kLabelFormatRight == DT_RIGHT);
static_assert(kLabelFormatVCenter == DT_VCENTER && kLabelFormatWordBreak == DT_WORDBREAK);
static_assert(kLabelFormatSingleLine == DT_SINGLELINE);

namespace {

void OpenWithShell(HWND label, const std::wstring& target) {
  // A failure to open is not reported: the click simply does nothing.
  ShellExecuteW(label, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

CTextLabel::CTextLabel()
    : m_textColor(GetSysColor(COLOR_WINDOWTEXT)),
      m_defaultBrush(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      m_defaultColor(GetSysColor(COLOR_BTNFACE)),
      m_opener(OpenWithShell) {
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof m_logFont, &m_logFont);
  m_font.Reset(CreateFontIndirectW(&m_logFont));
}

CTextLabel::~CTextLabel() {
  HWND hwnd = GetHwnd();
  if (!hwnd) return;
  if (m_flash.TimerRunning()) KillTimer(hwnd, kLabelFlashTimerId);
}

LRESULT CTextLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = GetHwnd();
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_PRINTCLIENT: {
      // Printing (screenshots) draws straight into the given context.
      RECT client = GetClientRect();
      PaintText(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kLabelFlashTimerId) OnTimer();
      break;
    case WM_SETCURSOR:
      if (OnSetCursor()) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      OnLButtonDown();
      break;
    // The static control paints its own look at once on the next three
    // messages, bypassing WM_PAINT: the label keeps them from it or paints
    // itself again afterwards.
    case WM_SYSCOLORCHANGE:
      OnSysColorChange();
      return 0;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
      Refresh(false, false);
      return result;
    }
    case WM_ENABLE: {
      LRESULT result = Default(message, wParam, lParam);
      RedrawNow();
      return result;
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

void CTextLabel::OnPaint() {
  winfx::CPaintDC paint(GetHwnd());
  RECT client = GetClientRect();
  if (m_transparent) {
    PaintText(paint.Get(), client);
    return;
  }
  // Drawn off screen and copied in one operation, so that it never flickers.
  winfx::CMemoryDC memory(paint.Get());
  winfx::CBitmap bitmap(CreateCompatibleBitmap(paint.Get(), Width(client), Height(client)));
  if (!memory.Get() || !bitmap) return;
  winfx::CSelectObject selectBitmap(memory.Get(), bitmap.Get());
  PaintText(memory.Get(), client);
  BitBlt(paint.Get(), 0, 0, Width(client), Height(client), memory.Get(), 0, 0, SRCCOPY);
}

void CTextLabel::PaintText(HDC dc, const RECT& client) {
  std::wstring text = GetText();
  LabelPaintState state;
  state.style = static_cast<std::uint32_t>(GetStyle());
  state.textHasLineBreak = text.find_first_of(L"\r\n") != std::wstring::npos;
  state.transparent = m_transparent;
  state.flashMode = m_flash.Mode();
  state.blinkState = m_flash.BlinkState();
  state.textColor = m_textColor;
  state.backgroundColor = m_backBrush ? m_backColor : m_defaultColor;
  state.text3D = m_text3D;
  state.raised3D = m_raised3D;
  state.rotate = m_rotate;
  LabelPaintPlan plan = PlanLabelPaint(state);

  if (plan.fill == LabelFill::kBackground) {
    FillRect(dc, &client, m_backBrush ? m_backBrush.Get() : m_defaultBrush.Get());
  } else if (plan.fill == LabelFill::kTextColor) {
    winfx::CBrush textBrush(CreateSolidBrush(m_textColor));
    FillRect(dc, &client, textBrush.Get());
  }
  if (!plan.drawText) return;

  int previousMode = SetBkMode(dc, TRANSPARENT);
  COLORREF previousColor = ::SetTextColor(dc, plan.textColor);
  winfx::CSelectObject selectFont(dc, m_font.Get());
  int length = static_cast<int>(text.size());
  if (plan.rotated) {
    // Turned about the centre: the baseline's middle sits on it.
    UINT previousAlign = SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    POINT previousOrigin{};
    OffsetViewportOrgEx(dc, (client.left + client.right) / 2, (client.top + client.bottom) / 2,
                        &previousOrigin);
    TextOutW(dc, 0, 0, text.c_str(), length);
    SetViewportOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
    SetTextAlign(dc, previousAlign);
  } else {
    RECT rect = client;
    if (plan.shadow) {
      RECT shadow = client;
      OffsetRect(&shadow, plan.shadowDx, plan.shadowDy);
      ::SetTextColor(dc, kLabelShadowColor);
      DrawTextW(dc, text.c_str(), length, &shadow, plan.format);
      ::SetTextColor(dc, plan.textColor);
    }
    DrawTextW(dc, text.c_str(), length, &rect, plan.format);
  }
  ::SetTextColor(dc, previousColor);
  SetBkMode(dc, previousMode);
}

void CTextLabel::OnTimer() {
  m_flash.Tick();
  RedrawNow();
}

bool CTextLabel::OnSetCursor() {
  if (!m_linkCursor) return false;
  SetCursor(m_linkCursor);
  return true;
}

void CTextLabel::OnLButtonDown() {
  if (m_openLink) {
    if (m_opener) m_opener(GetHwnd(), GetText());
    return;
  }
  NMHDR header{GetHwnd(), static_cast<UINT_PTR>(GetId()), kClicked};
  SendMessageW(GetParentHwnd(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CTextLabel::OnSysColorChange() {
  m_defaultColor = GetSysColor(COLOR_BTNFACE);
  m_defaultBrush.Reset(CreateSolidBrush(m_defaultColor));
  RedrawNow();
}

CTextLabel& CTextLabel::SetBkColor(COLORREF color) {
  m_backBrush.Reset(CreateSolidBrush(color));
  m_backColor = color;
  Refresh(false, false);
  return *this;
}

CTextLabel& CTextLabel::SetTextColor(COLORREF color) {
  m_textColor = color;
  RedrawNow();
  return *this;
}

CTextLabel& CTextLabel::SetText(const std::wstring& text) {
  // WM_SETTEXT invalidates the label (see HandleMessage).
  SetWindowTextW(GetHwnd(), text.c_str());
  return *this;
}

CTextLabel& CTextLabel::SetText(std::string_view bytes, unsigned codePage) {
  return SetText(DecodeToWide(bytes, codePage));
}

CTextLabel& CTextLabel::SetFontBold(bool bold) {
  m_logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  RemakeFont();
  return *this;
}

CTextLabel& CTextLabel::SetFontName(std::wstring_view faceName) {
  std::u16string_view name(reinterpret_cast<const char16_t*>(faceName.data()), faceName.size());
  std::size_t length = LabelFaceNameLength(name);
  faceName.copy(m_logFont.lfFaceName, length);
  m_logFont.lfFaceName[length] = L'\0';
  RemakeFont();
  return *this;
}

CTextLabel& CTextLabel::SetFontUnderline(bool underline) {
  m_logFont.lfUnderline = underline ? TRUE : FALSE;
  RemakeFont();
  return *this;
}

CTextLabel& CTextLabel::SetFontItalic(bool italic) {
  m_logFont.lfItalic = italic ? TRUE : FALSE;
  RemakeFont();
  return *this;
}

CTextLabel& CTextLabel::SetFontSize(int points) {
  winfx::CClientDC screen(nullptr);
  m_logFont.lfHeight = LabelFontHeight(points, GetDeviceCaps(screen.Get(), LOGPIXELSY));
  m_logFont.lfWidth = 0;
  RemakeFont();
  return *this;
}

CTextLabel& CTextLabel::SetSunken(bool sunken) {
  ChangeStyle(GWL_EXSTYLE, WS_EX_STATICEDGE, sunken, true);
  return *this;
}

CTextLabel& CTextLabel::SetBorder(bool border) {
  ChangeStyle(GWL_STYLE, WS_BORDER, border, true);
  return *this;
}

CTextLabel& CTextLabel::SetTransparent(bool transparent) {
  m_transparent = transparent;
  RedrawNow();
  return *this;
}

CTextLabel& CTextLabel::FlashText(bool on) {
  ApplyTimerAction(m_flash.FlashText(on));
  return *this;
}

CTextLabel& CTextLabel::FlashBackground(bool on) {
  ApplyTimerAction(m_flash.FlashBackground(on));
  return *this;
}

CTextLabel& CTextLabel::SetLink(bool link, bool openLink) {
  m_openLink = openLink;
  ChangeStyle(GWL_STYLE, SS_NOTIFY, link, false);
  return *this;
}

CTextLabel& CTextLabel::SetLinkCursor(HCURSOR cursor) {
  m_linkCursor = cursor;
  return *this;
}

CTextLabel& CTextLabel::Set3DText(bool on, bool raised) {
  m_text3D = on;
  m_raised3D = raised;
  RedrawNow();
  return *this;
}

CTextLabel& CTextLabel::SetRotationAngle(int degrees, bool rotate) {
  m_logFont.lfEscapement = LabelRotationTenths(degrees);
  m_logFont.lfOrientation = m_logFont.lfEscapement;
  m_rotate = rotate;
  RemakeFont();
  return *this;
}

void CTextLabel::RemakeFont() {
  m_font.Reset(CreateFontIndirectW(&m_logFont));
  RedrawNow();
}

void CTextLabel::ApplyTimerAction(LabelTimerAction action) {
  HWND hwnd = GetHwnd();
  if (!hwnd) return;
  if (action.stop) KillTimer(hwnd, kLabelFlashTimerId);
  if (action.start) SetTimer(hwnd, kLabelFlashTimerId, kLabelFlashPeriodMs, nullptr);
  // The label shows the phase it is in now, also after a flash stops.
  Refresh(true, false);
}

void CTextLabel::ChangeStyle(int index, LONG_PTR bits, bool on, bool frameChanged) {
  HWND hwnd = GetHwnd();
  if (!hwnd) return;
  LONG_PTR style = GetWindowLongPtrW(hwnd, index);
  SetWindowLongPtrW(hwnd, index, on ? (style | bits) : (style & ~bits));
  if (frameChanged) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_DRAWFRAME);
  }
}

void CTextLabel::Refresh(bool erase, bool updateNow) {
  HWND hwnd = GetHwnd();
  if (!hwnd) return;
  UINT update = updateNow ? RDW_UPDATENOW : 0;
  HWND parent = GetParentHwnd();
  if (m_transparent && parent) {
    RECT beneath = GetRectInParent();
    RedrawWindow(parent, &beneath, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | update);
    return;
  }
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0) | update);
}

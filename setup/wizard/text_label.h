#pragma once

// CTextLabel: a static control that paints its own text with a chosen colour
// and font, transparently over whatever lies beneath it or, when opaque,
// flicker-free through an off-screen bitmap. It can also show a sunken edge
// or a border, flash its text or background, draw a one-pixel shadow, rotate
// its text, and act as a link that opens its own text with the shell or
// notifies its parent.
//
// A dialog subclasses one of its static controls with it, then configures it;
// every setter returns the label so that calls chain:
//   m_title.SubclassDlgItem(GetHwnd(), 1008);
//   m_title.SetTransparent(true).SetFontSize(12).SetTextColor(RGB(0, 0, 128)).SetFontBold(true);

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "setup/wizard/text_label_flash.h"
#include "winfx/controls/static.h"
#include "winfx/handles.h"
#include "winfx/subclassed_control.h"

class CTextLabel : public winfx::CSubclassedControl<winfx::CStatic> {
 public:
  // The notification code the parent receives in WM_NOTIFY on a click.
  static constexpr UINT kClicked = 0x8200;

  // Opens a link target; the default asks the shell to open it with its
  // associated program.
  using LinkOpener = std::function<void(HWND label, const std::wstring& target)>;

  CTextLabel();
  ~CTextLabel() override;

  // Takes over the control's painting and input; false when the control
  // does not exist or the label already serves a window.
  bool Subclass(HWND control) { return TakeOver(control); }
  bool SubclassDlgItem(HWND dialog, int id) { return Subclass(GetDlgItem(dialog, id)); }

  CTextLabel& SetBkColor(COLORREF color);
  CTextLabel& SetTextColor(COLORREF color);
  CTextLabel& SetText(const std::wstring& text);
  // Text kept as bytes of `codePage` (GBK 936, Big5 950, ASCII).
  CTextLabel& SetText(std::string_view bytes, unsigned codePage);
  CTextLabel& SetFontBold(bool bold);
  CTextLabel& SetFontName(std::wstring_view faceName);
  CTextLabel& SetFontUnderline(bool underline);
  CTextLabel& SetFontItalic(bool italic);
  CTextLabel& SetFontSize(int points);
  CTextLabel& SetSunken(bool sunken);
  CTextLabel& SetBorder(bool border);
  CTextLabel& SetTransparent(bool transparent);
  // Flashing toggles every 500 ms: the text merges with the background, or
  // background and text swap colours; the first phase shows the change.
  CTextLabel& FlashText(bool on);
  CTextLabel& FlashBackground(bool on);
  CTextLabel& SetLink(bool link, bool openLink);
  CTextLabel& SetLinkCursor(HCURSOR cursor);
  CTextLabel& Set3DText(bool on, bool raised);
  CTextLabel& SetRotationAngle(int degrees, bool rotate);

  void SetLinkOpener(LinkOpener opener) { m_opener = std::move(opener); }
  const LOGFONTW& GetLogFont() const { return m_logFont; }
  const CLabelFlash& GetFlash() const { return m_flash; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();
  void PaintText(HDC dc, const RECT& client);
  void OnTimer();
  bool OnSetCursor();
  void OnLButtonDown();
  void OnSysColorChange();

  // Makes `font` again from `logFont`, then redraws at once.
  void RemakeFont();
  void ApplyTimerAction(LabelTimerAction action);
  void ChangeStyle(int index, LONG_PTR bits, bool on, bool frameChanged);
  // Invalidates the label; a transparent one has the area beneath it drawn
  // again first, so that nothing of its previous text stays.
  void Refresh(bool erase, bool updateNow);
  void RedrawNow() { Refresh(true, true); }

  COLORREF m_textColor;
  winfx::CBrush m_defaultBrush;
  COLORREF m_defaultColor;
  winfx::CBrush m_backBrush;
  COLORREF m_backColor = 0;
  LOGFONTW m_logFont{};
  winfx::CFont m_font;
  CLabelFlash m_flash;
  bool m_transparent = false;
  HCURSOR m_linkCursor = nullptr;
  bool m_raised3D = false;
  bool m_text3D = false;
  bool m_openLink = false;
  bool m_rotate = false;
  LinkOpener m_opener;
};

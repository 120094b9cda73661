#pragma once

// CColorListBox: the prefix list of the main window (control 1004), an
// owner-drawn fixed list box with strings whose items each carry their own
// text colour, weight and text format, and which shows a tooltip for the item
// under the mouse pointer (the texts come from prefix_tips.h).
//
// The dialog subclasses its list box with it, routes the list's WM_DRAWITEM
// to DrawItem and sets the item height itself (the list asks for it with
// WM_MEASUREITEM before the dialog's initialisation):
//   m_prefixes.SubclassDlgItem(GetHwnd(), 1004);
//   m_prefixes.AddItem(L"L", RGB(155, 20, 80), 0, DT_SINGLELINE | DT_VCENTER);
//   bool OnDrawItem(UINT_PTR id, const DRAWITEMSTRUCT& item) override {
//     if (id != 1004) return false;
//     m_prefixes.DrawItem(item);
//     return true;
//   }

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "winfx/controls/list_box.h"
#include "winfx/subclassed_control.h"

// Attached to each item as its item data; the list box owns it.
struct ListItemStyle {
  COLORREF color;  // text colour
  BYTE bold;       // 1: the bold variant of the list box's font
  UINT format;     // DrawText flags
};

class CColorListBox : public winfx::CSubclassedControl<winfx::CListBox> {
 public:
  CColorListBox() = default;
  ~CColorListBox() override;

  // Takes over the control and gives it its tooltip; false when the control
  // does not exist or the object already serves a window.
  bool Subclass(HWND control);
  bool SubclassDlgItem(HWND dialog, int id) { return Subclass(GetDlgItem(dialog, id)); }

  // Adds the text with its style; the item's index, or the negative result
  // of adding the string (LB_ERR, LB_ERRSPACE), in which case no record is
  // made.
  int AddItem(const std::wstring& text, COLORREF color, BYTE bold, UINT format);
  // The text as bytes of `codePage` (GBK 936, Big5 950, ASCII).
  int AddItem(std::string_view bytes, unsigned codePage, COLORREF color, BYTE bold, UINT format);
  // Removes every item with its record, so that a list filled again (the
  // library reloaded) holds no more records than items.
  void ResetContent();

  // Draws one item as the list's WM_DRAWITEM asks; nothing for index -1.
  void DrawItem(const DRAWITEMSTRUCT& item) const;

  // The tool under a client point: the item's index, with the item's
  // rectangle and a text callback in `tool` (when given); -1 where there is
  // no item.
  int ToolHitTest(POINT point, TOOLINFOW* tool) const;

  // The style of item `index`; null when the item carries no record of this
  // list box.
  const ListItemStyle* GetItemStyle(int index) const;
  // The records the list box holds, one per item added since the last reset.
  std::size_t GetRecordCount() const { return m_items.size(); }
  HWND GetToolTip() const { return m_toolTip; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnControlDestroyed() override;

 private:
  const ListItemStyle* FindRecord(LPARAM itemData) const;
  void EnableToolTips();
  // Makes the item under the mouse the tooltip's one tool and lets the
  // tooltip see the mouse message.
  void RelayMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void UpdateTool(POINT point);
  void RemoveTool();
  bool OnNeedText(NMHDR& header);

  std::vector<std::unique_ptr<ListItemStyle>> m_items;
  HWND m_toolTip = nullptr;
  int m_toolId = -1;
  RECT m_toolRect{};
};

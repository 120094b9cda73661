#pragma once

// A modal property sheet of pages made from dialog templates, with the
// system's OK, Cancel and Apply buttons.

#include <string>
#include <vector>

#include "winfx/dialog.h"

#include <prsht.h>

namespace winfx {

class CPropertyPage : public CDialog {
 public:
  CPropertyPage(int templateId, std::wstring title) : CDialog(templateId), m_title(std::move(title)) {}

  const std::wstring& GetTitle() const { return m_title; }

  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // The page is shown.
  virtual void OnSetActive() {}
  // The page is left or the sheet is about to apply: false keeps the page.
  virtual bool OnKillActive() { return true; }
  // OK or Apply: store the page's values.
  virtual void OnApply() {}

  bool OnNotify(UINT_PTR id, NMHDR& header) override;
  // Tells the sheet that a value changed, enabling Apply.
  void SetModified() const;

 private:
  std::wstring m_title;
};

// The sheet's window is bound while DoModal runs; GetHwnd() is null before
// and after.
class CPropertySheet : public CWindow {
 public:
  explicit CPropertySheet(std::wstring caption) : m_caption(std::move(caption)) {}
  virtual ~CPropertySheet() = default;
  CPropertySheet(const CPropertySheet&) = delete;
  CPropertySheet& operator=(const CPropertySheet&) = delete;

  void AddPage(CPropertyPage& page) { m_pages.push_back(&page); }
  // IDOK when the sheet ended with OK, IDCANCEL otherwise, -1 on failure.
  INT_PTR DoModal(HWND parent);

 protected:
  // Once the system has built the sheet with its pages and buttons, before
  // it is first painted: the place to hide or move the sheet's own buttons.
  virtual void OnInitSheet() {}

 private:
  static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam);
  static LRESULT CALLBACK SheetSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR data);

  std::wstring m_caption;
  std::vector<CPropertyPage*> m_pages;
};

}  // namespace winfx

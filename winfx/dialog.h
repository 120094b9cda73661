#pragma once

// A dialog made from a resource template, modal or as a child window. One
// static procedure binds the object at creation and hands every message to
// HandleMessage, which splits the common ones into OnXxx members. An OnXxx
// returns true when it handled the message; false asks for the default.

#include <string>

#include "winfx/window.h"

namespace winfx {

class CDialog : public CWindow {
 public:
  explicit CDialog(int templateId) : m_templateId(templateId) {}
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  int GetTemplateId() const { return m_templateId; }

  // Runs the dialog modally; returns what EndDialog was given, or -1 when the
  // template could not be loaded.
  INT_PTR DoModal(HWND parent = nullptr);
  // Creates the dialog as a modeless child of `parent` (for pages).
  bool CreateChild(HWND parent);
  void EndDialog(INT_PTR result) const { ::EndDialog(GetHwnd(), result); }

  // The procedure of every dialog of the framework.
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // True lets the system set the focus to the first control.
  virtual bool OnInitDialog() { return true; }
  virtual bool OnCommand(WORD notifyCode, WORD id, HWND control);
  virtual bool OnNotify(UINT_PTR id, NMHDR& header) {
    (void)id, (void)header;
    return false;
  }
  virtual bool OnTimer(UINT_PTR id) {
    (void)id;
    return false;
  }
  virtual bool OnPaint() { return false; }
  virtual bool OnDrawItem(UINT_PTR id, const DRAWITEMSTRUCT& item) {
    (void)id, (void)item;
    return false;
  }
  // A null brush asks for the default colours.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) {
    (void)dc, (void)control, (void)message;
    return nullptr;
  }
  virtual bool OnDestroy() { return false; }
  // IDOK and IDCANCEL of a modal dialog end it by default.
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  // The result of a WM_NOTIFY that the procedure returns through
  // DWLP_MSGRESULT.
  void SetMessageResult(LONG_PTR result) const { SetWindowLongPtrW(GetHwnd(), DWLP_MSGRESULT, result); }

  // Delivers a message to the object bound to `hwnd`; WM_INITDIALOG binds
  // `created` first.
  static INT_PTR Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, CDialog* created);

 private:
  int m_templateId;
};

// The module that holds the dialog templates and other resources.
HINSTANCE ResourceInstance();

}  // namespace winfx

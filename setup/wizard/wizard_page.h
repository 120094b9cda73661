#pragma once

// The base of the wizard's pages: a child dialog shown in the frame's page
// area. The frame asks a page through the virtual operations below; Next
// and Back answers are kStayOnPage, kNeighbourPage or a page's template id.

#include <memory>
#include <vector>

#include "winfx/dialog.h"
#include "winfx/handles.h"

class CTextLabel;

class CSetupWizard;

class CWizardPage : public winfx::CDialog {
 public:
  explicit CWizardPage(int templateId);
  ~CWizardPage() override;

  virtual bool OnCreatePage() { return true; }
  virtual void OnDestroyPage() {}
  virtual bool OnKillActive() { return true; }
  virtual void OnSetActive() {}
  virtual bool OnQueryCancel() { return true; }
  virtual int OnWizardBack() { return 0; }
  virtual int OnWizardNext() { return 0; }
  virtual bool OnWizardFinish() { return true; }

  CSetupWizard* owner = nullptr;
  bool created = false;
  bool active = false;

 protected:
  bool OnInitDialog() override;
  // Every control of a page is drawn on white.
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  // A page never closes itself: the frame handles OK and Cancel.
  void OnOK() override {}
  void OnCancel() override {}

  // The header band (control 1010) from green to white and the header icon
  // centred on control 1007; for pages that have them.
  void PaintHeader(HDC dc) const;
  bool OnPaint() override;

  // Makes static `id` a page title: transparent, 12 points, bold, `color`.
  void MakeTitleLabel(int id, COLORREF color);
  // Makes static `id` a transparent label (text over the header band).
  void MakeTransparentLabel(int id);

 private:
  CTextLabel& AddLabel(int id);

  winfx::CBrush m_whiteBrush;
  std::vector<std::unique_ptr<CTextLabel>> m_labels;
};

#include "setup/wizard/wizard_page.h"

#include "setup/res/install_resource.h"
#include "setup/wizard/header_band.h"
#include "setup/wizard/text_label.h"

CWizardPage::CWizardPage(int templateId) : CDialog(templateId) {}

CWizardPage::~CWizardPage() = default;

bool CWizardPage::OnInitDialog() {
  m_whiteBrush.Reset(CreateSolidBrush(RGB(255, 255, 255)));
  return true;
}

HBRUSH CWizardPage::OnCtlColor(HDC dc, HWND control, UINT message) {
  (void)control, (void)message;
  ::SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  return m_whiteBrush.Get();
}

bool CWizardPage::OnPaint() {
  winfx::CPaintDC paint(GetHwnd());
  if (GetItem(IDC_HEADER_BAND)) PaintHeader(paint.Get());
  return true;
}

void CWizardPage::PaintHeader(HDC dc) const {
  RECT band = winfx::CWindow(GetItem(IDC_HEADER_BAND)).GetRectInParent();
  int width = band.right - band.left;
  for (int x = 0; x < width; ++x) {
    BandColor color = HeaderBandColor(x, width);
    winfx::CBrush brush(CreateSolidBrush(RGB(color.red, color.green, color.blue)));
    RECT column{band.left + x, band.top, band.left + x + 1, band.bottom};
    FillRect(dc, &column, brush.Get());
  }
  HWND iconPlace = GetItem(IDC_HEADER_ICON);
  if (!iconPlace) return;
  RECT place = winfx::CWindow(iconPlace).GetRectInParent();
  auto icon = static_cast<HICON>(
      LoadImageW(winfx::ResourceInstance(), MAKEINTRESOURCEW(IDI_HEADER), IMAGE_ICON, 32, 32, LR_SHARED));
  if (icon) {
    DrawIconEx(dc, (place.left + place.right) / 2 - 16, (place.top + place.bottom) / 2 - 16, icon, 32, 32, 0,
               nullptr, DI_NORMAL);
  }
}

CTextLabel& CWizardPage::AddLabel(int id) {
  m_labels.push_back(std::make_unique<CTextLabel>());
  m_labels.back()->SubclassDlgItem(GetHwnd(), id);
  return *m_labels.back();
}

void CWizardPage::MakeTitleLabel(int id, COLORREF color) {
  AddLabel(id).SetTransparent(true).SetFontSize(12).SetTextColor(color).SetFontBold(true);
}

void CWizardPage::MakeTransparentLabel(int id) { AddLabel(id).SetTransparent(true); }

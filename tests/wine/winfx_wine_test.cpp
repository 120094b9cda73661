// The framework against the real dialog manager: templates, control
// wrappers, the check list, property sheets and converted message boxes.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/winfx_test_resource.h"
#include "winfx/application.h"
#include "winfx/controls/check_list_box.h"
#include "winfx/controls/combo_box.h"
#include "winfx/controls/edit.h"
#include "winfx/controls/list_view.h"
#include "winfx/controls/progress_bar.h"
#include "winfx/message_box.h"
#include "winfx/property_sheet.h"

namespace {

constexpr UINT_PTR kCheckTimer = 1;

// Fills every control, then on its first timer reads them back, clicks the
// check box of the second item and ends with 42.
class CControlsDialog : public winfx::CDialog {
 public:
  CControlsDialog() : CDialog(IDD_CONTROLS) {}

  std::wstring editText;
  bool checksAfterClick[3] = {};
  int checkNotifications = 0;
  int comboSelection = -2;
  int progress = -1;
  std::wstring listViewCell;
  int drawnItems = 0;

 protected:
  bool OnInitDialog() override {
    winfx::CEdit(GetItem(IDC_EDIT)).SetText(L"H300*200*6*8");
    m_checks.Attach(GetItem(IDC_CHECK_LIST));
    m_checks.EnableChecks();
    m_checks.SetItemHeight(16);
    for (const wchar_t* name : {L"R15.0 product", L"R16.2 product", L"R17.1 product"}) {
      m_checks.SetCheck(m_checks.AddString(name), true);
    }
    winfx::CComboBox combo(GetItem(IDC_COMBO));
    combo.AddString(L"Simple");
    combo.AddString(L"Standard");
    combo.SetCurSel(1);
    winfx::CProgressBar bar(GetItem(IDC_PROGRESS));
    bar.SetRange(0, 10);
    bar.SetPos(7);
    winfx::CListView list(GetItem(IDC_LIST_VIEW));
    list.InsertColumn(0, L"Spec", 80);
    list.InsertColumn(1, L"Weight", 80);
    list.SetItemText(list.InsertItem(0, L"L20X3"), 1, L"0.889");
    StartTimer(kCheckTimer, 10);
    return true;
  }

  bool OnTimer(UINT_PTR id) override {
    if (id != kCheckTimer) return false;
    // The first ticks may come before the dialog was ever painted.
    if (drawnItems == 0 && ++m_waitedTicks < 300) return true;
    StopTimer(kCheckTimer);
    editText = winfx::CEdit(GetItem(IDC_EDIT)).GetText();
    RECT second = m_checks.GetItemRect(1);
    m_checks.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.left + 3, second.top + 3));
    m_checks.Send(WM_LBUTTONUP, 0, MAKELPARAM(second.left + 3, second.top + 3));
    for (int i = 0; i < 3; ++i) checksAfterClick[i] = m_checks.GetCheck(i);
    comboSelection = winfx::CComboBox(GetItem(IDC_COMBO)).GetCurSel();
    progress = winfx::CProgressBar(GetItem(IDC_PROGRESS)).GetPos();
    listViewCell = winfx::CListView(GetItem(IDC_LIST_VIEW)).GetItemText(0, 1);
    EndDialog(42);
    return true;
  }

  bool OnCommand(WORD notifyCode, WORD id, HWND control) override {
    if (id == IDC_CHECK_LIST && notifyCode == winfx::CCheckListBox::kCheckChanged) {
      ++checkNotifications;
      return true;
    }
    return CDialog::OnCommand(notifyCode, id, control);
  }

  bool OnDrawItem(UINT_PTR id, const DRAWITEMSTRUCT& item) override {
    if (id != IDC_CHECK_LIST) return false;
    m_checks.DrawItem(item);
    ++drawnItems;
    return true;
  }

 private:
  winfx::CCheckListBox m_checks;
  int m_waitedTicks = 0;
};

TEST(Winfx, ModalDialogDrivesItsControls) {
  CControlsDialog dialog;
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(dialog.editText, L"H300*200*6*8");
  EXPECT_TRUE(dialog.checksAfterClick[0]);
  EXPECT_FALSE(dialog.checksAfterClick[1]);
  EXPECT_TRUE(dialog.checksAfterClick[2]);
  EXPECT_EQ(dialog.checkNotifications, 1);
  EXPECT_EQ(dialog.comboSelection, 1);
  EXPECT_EQ(dialog.progress, 7);
  EXPECT_EQ(dialog.listViewCell, L"0.889");
  EXPECT_GT(dialog.drawnItems, 0);
}

TEST(Winfx, MissingTemplateFailsTheModalRun) {
  class CMissing : public winfx::CDialog {
   public:
    CMissing() : CDialog(999) {}
  } dialog;
  EXPECT_EQ(dialog.DoModal(), -1);
}

class CPageOne : public winfx::CPropertyPage {
 public:
  CPageOne() : CPropertyPage(IDD_PAGE_ONE, L"General") {}
  std::wstring stored;
  bool refuseOnce = true;
  int killActiveCalls = 0;

 protected:
  bool OnInitDialog() override {
    SetText(L"ignored");
    winfx::CEdit(GetItem(IDC_PAGE_EDIT)).SetText(L"7850");
    // OK is pressed once the sheet is running; the page refuses the first
    // time, so a second press is needed.
    StartTimer(1, 10);
    return true;
  }
  bool OnTimer(UINT_PTR) override {
    PropSheet_PressButton(GetParentHwnd(), PSBTN_OK);
    if (!refuseOnce) StopTimer(1);
    return true;
  }
  bool OnKillActive() override {
    ++killActiveCalls;
    if (refuseOnce) {
      refuseOnce = false;
      return false;
    }
    return true;
  }
  void OnApply() override { stored = winfx::CEdit(GetItem(IDC_PAGE_EDIT)).GetText(); }
};

class CPageTwo : public winfx::CPropertyPage {
 public:
  CPageTwo() : CPropertyPage(IDD_PAGE_TWO, L"BOM style") {}
};

TEST(Winfx, PropertySheetAppliesItsPagesOnOk) {
  CPageOne one;
  CPageTwo two;
  winfx::CPropertySheet sheet(L"Setting");
  sheet.AddPage(one);
  sheet.AddPage(two);
  EXPECT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(one.stored, L"7850");
  EXPECT_EQ(one.killActiveCalls, 2);
}

TEST(Winfx, MessageBoxShowsCodePageTextsCorrectly) {
  std::wstring seen;
  std::thread reader([&] { seen = uidriver::AnswerMessageBoxTitled(L"\x5B89\x88DD"); });  // "安裝"
  // "安裝" and "安裝錯誤" in Big5.
  int answer = winfx::ShowMessageBox(nullptr, "\xA6\x77\xB8\xCB\xBF\xF9\xBB\x7E", "\xA6\x77\xB8\xCB", 950,
                                     MB_OK | MB_ICONSTOP);
  reader.join();
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(seen, L"\x5B89\x88DD\x932F\x8AA4");
}

}  // namespace

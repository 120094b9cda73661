// The settings sheet against the real property sheet, run modally on the
// test's thread and driven from a second thread as a user would: typing
// into its fields, switching pages and styles, pressing F1, Edit, OK and
// Cancel, and answering its message boxes by their text.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "assistant/bom_sheet/excel_link.h"
#include "assistant/config/settings.h"
#include "assistant/res/settings_pages_resource.h"
#include "assistant/texts/text_tables.h"
#include "assistant/ui/kv_property_sheet.h"
#include "assistant/ui/settings_sheet_texts_win32.h"
#include "assistant/ui/settings_sheet_win32.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/unit/fakes/fake_excel_discovery.h"
#include "tests/wine/driver/ui_driver.h"
#include "winfx/module_path.h"

namespace {

using namespace std::chrono_literals;

constexpr unsigned kEnglish = 437;

std::wstring Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

class SettingsSheetTest : public testing::Test {
 protected:
  void SetUp() override {
    g_settings = AssistantSettings{};
    g_settings.language = 0;
    SelectTextTable(kEnglish);
    m_discovery.activeObject = MakeApplicationObject(m_model);
  }

  // Runs the sheet here while `drive` works it from another thread; the
  // driver closes whatever is left open, so a failed check cannot hang the
  // test.
  bool Run(SettingsSheetForm form, int startStyle, const std::function<void(HWND sheet)>& drive) {
    DWORD process = GetCurrentProcessId();
    std::thread driver([&] {
      HWND sheet = uidriver::WaitForDialog(process, SheetText(16));
      EXPECT_NE(sheet, nullptr);
      if (!sheet) return;
      // The sheet is ready once its own start has hidden Apply.
      EXPECT_TRUE(uidriver::WaitUntil([&] { return !uidriver::IsItemVisible(sheet, kSheetApplyButton); }));
      drive(sheet);
      CloseLeftovers(process, sheet);
    });
    bool confirmed = RunSettingsSheet(nullptr, form, startStyle, m_link, m_chosenStyle);
    driver.join();
    return confirmed;
  }

  static void CloseLeftovers(DWORD process, HWND sheet) {
    for (int attempt = 0; attempt < 20 && IsWindow(sheet); ++attempt) {
      if (auto box = uidriver::WaitForMessageBox(process, 100ms)) {
        ADD_FAILURE() << "unexpected message box";
        uidriver::Answer(*box, IDOK);
      }
      PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
      uidriver::WaitUntil([&] { return !IsWindow(sheet); }, 1s);
    }
  }

  // The text of the next message box, which is then answered.
  static std::wstring AnswerMessage() {
    auto box = uidriver::WaitForMessageBox(GetCurrentProcessId());
    if (!box) return L"(no message box)";
    std::wstring seen = box->caption + L"|" + box->text;
    uidriver::Answer(*box, IDOK);
    return seen;
  }

  static HWND WaitForPage(HWND sheet, int itemOnPage) {
    HWND page = nullptr;
    uidriver::WaitUntil([&] {
      page = uidriver::VisibleChildDialog(sheet);
      return page && GetDlgItem(page, itemOnPage);
    });
    return page;
  }

  // The user picks style `index` in the style box.
  static void PickStyle(HWND page, int index) {
    HWND box = GetDlgItem(page, IDC_STYLE_NAME);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_STYLE_NAME, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
  }

  static int StyleBoxSelection(HWND page) {
    return static_cast<int>(SendMessageW(GetDlgItem(page, IDC_STYLE_NAME), CB_GETCURSEL, 0, 0));
  }

  // The window with the keyboard focus in the sheet's thread.
  HWND FocusedWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(m_sheetThread, &info);
    return info.hwndFocus;
  }

  bool HasWholeTextSelected(HWND edit) const {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == static_cast<DWORD>(GetWindowTextLengthW(edit)) && FocusedWindow() == edit;
  }

  std::shared_ptr<CWorkbookModel> m_model = CWorkbookModel::Create();
  CFakeExcelDiscovery m_discovery;
  CFakeLinkWindow m_window;
  ExcelLink m_link{m_discovery, m_window};
  DWORD m_sheetThread = GetCurrentThreadId();
  int m_chosenStyle = -1;
};

TEST_F(SettingsSheetTest, OkStoresBothPages) {
  bool confirmed = Run(SettingsSheetForm::kSettings, 1, [&](HWND sheet) {
    HWND general = WaitForPage(sheet, IDC_GENERAL_DENSITY);
    ASSERT_NE(general, nullptr);
    EXPECT_EQ(uidriver::GetItemText(general, IDC_GENERAL_DENSITY_LABEL), L"Density:");
    EXPECT_EQ(uidriver::GetItemText(general, IDC_GENERAL_DENSITY), L"7850.000");
    EXPECT_EQ(uidriver::GetItemText(general, IDC_GENERAL_FACTOR), L"1.000");
    EXPECT_EQ(uidriver::GetItemText(general, IDC_GENERAL_LANGUAGE), L"English");
    std::wstring library = uidriver::GetItemText(general, IDC_GENERAL_LIBRARY_PATH);
    // No copy of the user's: the installed library, beside the program.
    EXPECT_EQ(library, (winfx::ProgramFolder() / L"ZMLib.txt").wstring());

    uidriver::SetItemText(general, IDC_GENERAL_DENSITY, L"7800kg");
    uidriver::SetItemText(general, IDC_GENERAL_FACTOR, L"1.5");
    SendMessageW(GetDlgItem(general, IDC_GENERAL_CASE_SENSITIVE), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(GetDlgItem(general, IDC_GENERAL_LANGUAGE), CB_SETCURSEL, 0, 0);

    PostMessageW(sheet, PSM_SETCURSEL, 1, 0);
    HWND style = WaitForPage(sheet, IDC_STYLE_COUNT);
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_NAME), L"Standard");
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_HEAD_ROWS), L"2");
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_COUNT), L"D;E");
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_WEIGHT), L"F;G");
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_FILE), L"standard.xls");
    uidriver::SetItemText(style, IDC_STYLE_COUNT, L"h,i");
    uidriver::SetItemText(style, IDC_STYLE_WEIGHT, L"K");
    uidriver::SetItemText(style, IDC_STYLE_HEAD_ROWS, L"3");
    uidriver::Click(sheet, IDOK);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(sheet); }));
  });
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(m_chosenStyle, 1);
  EXPECT_FLOAT_EQ(g_settings.density, 7800.0f);
  EXPECT_FLOAT_EQ(g_settings.factor, 1.5f);
  EXPECT_EQ(g_settings.caseSensitive, 1);
  EXPECT_EQ(g_settings.language, 936);
  EXPECT_EQ(g_settings.style, 1);
  const BomStyleLayout& standard = g_settings.layouts[1];
  EXPECT_EQ(standard.headRows, 3);
  EXPECT_EQ(standard.faceCount.letters, "H");
  EXPECT_EQ(standard.inverseCount.letters, "I");
  EXPECT_EQ(standard.singleWeight.number, 0);
  EXPECT_EQ(standard.totalWeight.letters, "K");
}

TEST_F(SettingsSheetTest, InvalidNumbersKeepTheGeneralPage) {
  bool confirmed = Run(SettingsSheetForm::kSettings, 1, [&](HWND sheet) {
    HWND general = WaitForPage(sheet, IDC_GENERAL_DENSITY);
    ASSERT_NE(general, nullptr);
    HWND density = GetDlgItem(general, IDC_GENERAL_DENSITY);
    uidriver::SetItemText(general, IDC_GENERAL_DENSITY, L"0");
    PostMessageW(sheet, PSM_SETCURSEL, 1, 0);
    EXPECT_EQ(AnswerMessage(), L"Ostrevia3.5|Density is invalid!");
    EXPECT_EQ(uidriver::VisibleChildDialog(sheet), general);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return HasWholeTextSelected(density); }, 2s));

    uidriver::SetItemText(general, IDC_GENERAL_DENSITY, L"7850");
    uidriver::SetItemText(general, IDC_GENERAL_FACTOR, L"abc");
    uidriver::Click(sheet, IDOK);
    EXPECT_EQ(AnswerMessage(), L"Ostrevia3.5|Factoris invalid!");
    EXPECT_TRUE(uidriver::WaitUntil(
        [&] { return HasWholeTextSelected(GetDlgItem(general, IDC_GENERAL_FACTOR)); }, 2s));
    EXPECT_TRUE(IsWindow(sheet));

    uidriver::SetItemText(general, IDC_GENERAL_FACTOR, L"2");
    uidriver::Click(sheet, IDOK);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(sheet); }));
  });
  EXPECT_TRUE(confirmed);
  EXPECT_FLOAT_EQ(g_settings.factor, 2.0f);
}

TEST_F(SettingsSheetTest, InvalidColumnsAreQuotedAndNothingIsStored) {
  AssistantSettings before = g_settings;
  bool confirmed = Run(SettingsSheetForm::kBomStyleOnly, 1, [&](HWND sheet) {
    HWND style = WaitForPage(sheet, IDC_STYLE_COUNT);
    ASSERT_NE(style, nullptr);
    HWND count = GetDlgItem(style, IDC_STYLE_COUNT);
    uidriver::SetItemText(style, IDC_STYLE_COUNT, L"D;E;F");
    PickStyle(style, 0);
    EXPECT_EQ(AnswerMessage(), L"Ostrevia3.5|Invalid column: D;E;F !");
    EXPECT_TRUE(uidriver::WaitUntil([&] { return HasWholeTextSelected(count); }, 2s));
    EXPECT_EQ(StyleBoxSelection(style), 1);
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_FILE), L"standard.xls");

    uidriver::SetItemText(style, IDC_STYLE_COUNT, L"D;ZZZ");
    uidriver::Click(sheet, IDOK);
    EXPECT_EQ(AnswerMessage(), L"Ostrevia3.5|Invalid column: ZZZ !");
    EXPECT_TRUE(IsWindow(sheet));
    uidriver::Click(sheet, IDCANCEL);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(sheet); }));
  });
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(g_settings.layouts[1].inverseCount.letters, before.layouts[1].inverseCount.letters);
  EXPECT_EQ(g_settings.style, 1);
}

TEST_F(SettingsSheetTest, CancelAfterSwitchingKeepsTheStoredStyle) {
  bool confirmed = Run(SettingsSheetForm::kBomStyleOnly, 1, [&](HWND sheet) {
    HWND style = WaitForPage(sheet, IDC_STYLE_COUNT);
    ASSERT_NE(style, nullptr);
    uidriver::SetItemText(style, IDC_STYLE_WEIGHT, L"G");
    PickStyle(style, 0);
    EXPECT_TRUE(
        uidriver::WaitUntil([&] { return uidriver::GetItemText(style, IDC_STYLE_FILE) == L"simple.xls"; }));
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_WEIGHT), L"E;F");
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_HEAD_ROWS), L"1");
    uidriver::Click(sheet, IDCANCEL);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(sheet); }));
  });
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(g_settings.style, 1);
  EXPECT_EQ(g_settings.layouts[1].singleWeight.number, 0);
  EXPECT_EQ(g_settings.layouts[1].totalWeight.letters, "G");
  EXPECT_EQ(g_settings.layouts[0].singleWeight.letters, "E");
}

TEST_F(SettingsSheetTest, SheetShowsTheTableTextsWithItsButtonsPlaced) {
  SelectTextTable(936);
  bool confirmed = Run(SettingsSheetForm::kBomStyleOnly, 0, [&](HWND sheet) {
    EXPECT_EQ(uidriver::GetText(sheet), Wide(u"设置"));
    wchar_t title[64] = {};
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = title;
    tab.cchTextMax = 64;
    SendMessageW(PropSheet_GetTabControl(sheet), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tab));
    EXPECT_EQ(std::wstring(title), Wide(u"材料表样式"));
    HWND style = WaitForPage(sheet, IDC_STYLE_COUNT);
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_NAME), Wide(u"简单型"));
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_NAME_LABEL), Wide(u"材料表样式名:"));
    EXPECT_EQ(uidriver::GetItemText(style, IDC_STYLE_FILE), L"simple.xls");

    EXPECT_FALSE(uidriver::IsItemVisible(sheet, IDHELP));
    RECT client{};
    GetClientRect(sheet, &client);
    RECT ok = winfx::CWindow(GetDlgItem(sheet, IDOK)).GetRectInParent();
    RECT cancel = winfx::CWindow(GetDlgItem(sheet, IDCANCEL)).GetRectInParent();
    int width = client.right - client.left;
    EXPECT_EQ(ok.right, width - width / 20);
    EXPECT_EQ(cancel.right, ok.left - 6);
    EXPECT_EQ(cancel.right - cancel.left, ok.right - ok.left);
    EXPECT_GT(ok.right - ok.left, 0);
    uidriver::Click(sheet, IDOK);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(sheet); }));
  });
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(m_chosenStyle, 0);
  EXPECT_EQ(g_settings.style, 0);
}

TEST_F(SettingsSheetTest, F1AndTheTemplateEditButtonReachTheirCommands) {
  bool confirmed = Run(SettingsSheetForm::kSettings, 0, [&](HWND sheet) {
    HWND general = WaitForPage(sheet, IDC_GENERAL_DENSITY);
    ASSERT_NE(general, nullptr);
    // F1 in a field reaches the page as the system's help request. The
    // request waits for the message box it opens: it is sent from a thread
    // of its own while this one answers the box.
    HWND field = GetDlgItem(general, IDC_GENERAL_DENSITY);
    std::thread helpRequest([field] {
      HELPINFO help{sizeof(HELPINFO), HELPINFO_WINDOW, IDC_GENERAL_DENSITY, field, 0, {0, 0}};
      SendMessageW(field, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    });
    EXPECT_EQ(AnswerMessage(), L"Ostrevia3.5|Can't open help file:zelmorant.chm!");
    helpRequest.join();

    PostMessageW(sheet, PSM_SETCURSEL, 1, 0);
    HWND style = WaitForPage(sheet, IDC_STYLE_FILE_EDIT);
    ASSERT_NE(style, nullptr);
    // The click is handled before the Cancel posted after it.
    uidriver::Click(style, IDC_STYLE_FILE_EDIT);
    uidriver::Click(sheet, IDCANCEL);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(sheet); }));
  });
  EXPECT_FALSE(confirmed);
  // The simple style's template, made in the spreadsheet under its full
  // name in the user's folder.
  std::filesystem::path file = winfx::UserAppDataFolder() / L"Zelmorant10.1" / L"simple.xls";
  EXPECT_TRUE(m_model->HasSavedFile(file.u16string()));
  EXPECT_TRUE(m_link.app.IsEmpty());
}

}  // namespace

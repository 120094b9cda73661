// The pictures of the help (help/images), taken of the assistant at work in
// each language beside the spreadsheet stand-in: the main window attached to
// a sheet with a few rows typed, both settings pages, and the sheet with the
// formulas the assistant wrote. Saves BMP files into the folder given on the
// command line; help/make-pictures turns them into the help's PNG files.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "assistant/config/settings.h"
#include "assistant/excel/excel_discovery_win32.h"
#include "assistant/excel/excel_dispatch.h"
#include "assistant/res/settings_pages_resource.h"
#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/excel_link_wine_support.h"
#include "tests/wine/standin_end.h"
#include "winfx/module_path.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr int kSheetField = 1009;
constexpr int kSettingsButton = 1005;

struct Language {
  unsigned codePage;
  const wchar_t* name;  // the suffix of the picture files
};
constexpr Language kLanguages[] = {{936, L"chs"}, {950, L"cht"}, {437, L"eng"}};

// One row of the sample sheet: specification, length, face and inverse count.
struct SampleRow {
  const char16_t* spec;
  int length;
  int face;
  int inverse;
};
// The last one is a mistake: an H-section needs four dimensions.
constexpr SampleRow kSampleRows[] = {{u"-120*6", 2400, 4, 0},
                                     {u"H300*200*6*8", 6000, 2, 2},
                                     {u"L50X5", 1500, 8, 0},
                                     {u"\u03C620", 3000, 10, 0},
                                     {u"H300*200*6", 6000, 1, 0}};
constexpr int kFirstRow = 3;  // below the standard style's two head rows

std::wstring RowText(int row) {
  std::u16string text = DecodeFromCodePage(UiText(row), UiTextCodePage());
  return std::wstring(text.begin(), text.end());
}

HWND AttachedMainWindow(const uidriver::CProcess& program) {
  HWND window = nullptr;
  uidriver::WaitUntil(
      [&] {
        for (HWND dialog : uidriver::ProcessDialogs(program.Id())) {
          if (GetDlgItem(dialog, kSheetField)) window = dialog;
        }
        return window != nullptr;
      },
      30s);
  if (window) uidriver::WaitUntil([&] { return !uidriver::GetItemText(window, kSheetField).empty(); }, 15s);
  return window;
}

void TypeSampleRows(const ExcelDispatch& cells) {
  int row = kFirstRow;
  for (const SampleRow& sample : kSampleRows) {
    cells.Item(row, 3).SetValue(std::int32_t{sample.length});
    cells.Item(row, 4).SetValue(std::int32_t{sample.face});
    if (sample.inverse) cells.Item(row, 5).SetValue(std::int32_t{sample.inverse});
    cells.Item(row, 2).SetValue(std::u16string(sample.spec));
    ++row;
  }
  // The last row turns red; the ones before it have their formulas by then.
  ExcelDispatch last = cells.Item(row - 1, 2);
  linktest::PumpUntil([&] { return last.Font().Color() == 255; }, 10s);
}

HWND VisiblePage(HWND sheet, int itemOnPage) {
  HWND page = nullptr;
  uidriver::WaitUntil([&] {
    page = uidriver::VisibleChildDialog(sheet);
    return page && GetDlgItem(page, itemOnPage);
  });
  return page;
}

bool PictureSettings(const uidriver::CProcess& program, HWND window, const fs::path& folder,
                     const std::wstring& suffix) {
  uidriver::Click(window, kSettingsButton);
  HWND sheet = uidriver::WaitForDialog(program.Id(), RowText(16));
  if (!sheet || !VisiblePage(sheet, IDC_GENERAL_DENSITY)) {
    std::fputs("help_pictures: the settings did not open\n", stderr);
    return false;
  }
  uidriver::SaveSettledWindowPicture(sheet, folder / (L"general_" + suffix + L".bmp"));
  PostMessageW(sheet, PSM_SETCURSEL, 1, 0);
  if (!VisiblePage(sheet, IDC_STYLE_COUNT)) return false;
  uidriver::SaveSettledWindowPicture(sheet, folder / (L"style_" + suffix + L".bmp"));
  PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
  return uidriver::WaitUntil([&] { return !IsWindow(sheet); });
}

// The main window with the sample rows typed, and both settings pages. The
// spreadsheet is let go before the caller ends it.
bool PictureAssistant(const uidriver::CProcess& assistant, const fs::path& folder,
                      const std::wstring& suffix) {
  HWND window = AttachedMainWindow(assistant);
  CWin32ExcelDiscovery discovery;
  ExcelDispatch app(discovery.GetActiveObject(kExcelProgId));
  if (!window || app.IsEmpty()) {
    std::fputs("help_pictures: the assistant attached no sheet\n", stderr);
    return false;
  }
  TypeSampleRows(app.ActiveSheet().Cells());
  uidriver::SaveSettledWindowPicture(window, folder / (L"main_" + suffix + L".bmp"));
  bool pictured = PictureSettings(assistant, window, folder, suffix);
  PostMessageW(window, WM_CLOSE, 0, 0);
  return assistant.WaitForExit(20s).has_value() && pictured;
}

bool PictureLanguage(const Language& language, const fs::path& folder) {
  const fs::path program = L"C:\\users\\Public\\help_pictures";
  fs::remove_all(program);
  fs::create_directories(program);
  fs::copy_file(fs::absolute(ZM_OSTREVIA_EXE), program / L"Ostrevia.exe");
  fs::copy_file(fs::absolute(L"assistant_e2e\\ZMLib.txt"), program / L"ZMLib.txt");
  AssistantSettings settings;
  settings.language = static_cast<int>(language.codePage);
  // The user's settings, which the assistant reads before the program folder's.
  const fs::path user = winfx::UserAppDataFolder() / kUserFolderName;
  fs::create_directories(user);
  SaveSettings(user, settings);
  SelectTextTable(language.codePage);

  uidriver::CProcess assistant;
  if (!assistant.Start(program / L"Ostrevia.exe")) return false;
  bool pictured = PictureAssistant(assistant, folder, language.name);
  if (!pictured) assistant.Kill();
  // The assistant stays on top of every window: the sheet is pictured once
  // it has gone.
  if (HWND frame = linktest::StandinFrame()) {
    uidriver::SaveSettledWindowPicture(frame, folder / (L"sheet_" + std::wstring(language.name) + L".bmp"));
  }
  linktest::EndStandin();
  return pictured;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: help_pictures FOLDER\n", stderr);
    return 2;
  }
  const fs::path folder = argv[1];
  fs::create_directories(folder);
  if (!linktest::RunStandin(L"/regserver") || FAILED(OleInitialize(nullptr))) return 1;
  int failures = 0;
  for (const Language& language : kLanguages) {
    if (!PictureLanguage(language, folder)) {
      std::fprintf(stderr, "help_pictures: no pictures for code page %u\n", language.codePage);
      ++failures;
    }
  }
  OleUninitialize();
  return failures == 0 ? 0 : 1;
}

// Ostrevia.exe end to end under Wine, beside the spreadsheet stand-in: the
// program is copied with the material library into a folder and started;
// this test reads its window through the window driver and, as a second
// automation client, types into the workbook the program made and reads
// what the program wrote back.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "assistant/bom_sheet/excel_link.h"
#include "assistant/bom_sheet/sheet_header.h"
#include "assistant/config/assistant_folders.h"
#include "assistant/config/bom_style.h"
#include "assistant/config/settings.h"
#include "assistant/engine/bom_row.h"
#include "assistant/engine/material_library.h"
#include "assistant/excel/excel_discovery_win32.h"
#include "assistant/excel/excel_dispatch.h"
#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/standins/workbook/workbook_model.h"
#include "tests/unit/fakes/fake_excel_discovery.h"
#include "tests/wine/driver/person_input.h"
#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/excel_link_wine_support.h"
#include "winfx/module_path.h"

namespace {

namespace fs = std::filesystem;
using namespace linktest;
using namespace std::chrono_literals;

constexpr int kSheetField = 1009;
constexpr int kDetachButton = 1008;
constexpr int kRenewAllButton = 1006;
constexpr int kSettingsButton = 1005;
constexpr int kFinderButton = 1007;
constexpr int kStyleChoice = 1041;
constexpr int kStyleSettingsButton = 1042;
constexpr WPARAM kAboutCommand = 0x10;
// Density, library path and Edit of the general page; Edit of the style page.
constexpr int kDensityField = 1018;
constexpr int kLibraryPathField = 1031;
constexpr int kLibraryEditButton = 1032;
constexpr int kTemplateEditButton = 1046;
constexpr int kSimpleStyle = 0;
constexpr int kHeaderColumns = 12;
constexpr unsigned kTraditionalChinese = 950;

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// Row `row` of the active table as the program shows it.
std::wstring RowText(int row) { return Wide(DecodeFromCodePage(UiText(row), UiTextCodePage())); }

// A picture of the window for a person to look at, under screenshots/assistant.
void SavePicture(HWND window, const std::wstring& name) {
  fs::path file = fs::absolute(L"screenshots") / L"assistant" / (name + L".bmp");
  EXPECT_TRUE(uidriver::SaveSettledWindowPicture(window, file)) << "no painted picture of " << file.string();
}

// The main window of the process: the dialog that has the sheet field (a
// message box carries the same title).
HWND FindMainWindow(DWORD processId) {
  for (HWND dialog : uidriver::ProcessDialogs(processId)) {
    if (GetDlgItem(dialog, kSheetField)) return dialog;
  }
  return nullptr;
}

// A point of the workbook window `book` of the stand-in that no other
// window covers; none when there is no such point at its corners.
std::optional<POINT> UncoveredPointOf(HWND book) {
  RECT rect{};
  GetWindowRect(book, &rect);
  for (POINT point : {POINT{rect.left + 40, rect.top + 60}, POINT{rect.right - 40, rect.bottom - 40}}) {
    HWND hit = WindowFromPoint(point);
    if (hit == book || IsChild(book, hit)) return point;
  }
  return std::nullopt;
}

// The texts a new standard BOM sheet gets in the program's language, made
// by the same header writer on the in-memory workbook.
std::shared_ptr<CModelSheet> ExpectedStandardHeader() {
  auto model = CWorkbookModel::Create();
  model->AddWorkbook(std::nullopt);
  WriteStandardHeader(ExcelDispatch(MakeWorksheetObject(model->ActiveSheet())));
  return model->ActiveSheet();
}

// Runs Wine's own script host on the user's macro tests/wine/vbs/bom_macro.vbs
// with `mode`; prints what it printed and returns its exit code, the number
// of its failed checks (none when it did not end in time).
std::optional<DWORD> RunMacro(const std::wstring& mode) {
  uidriver::ProgramRun run =
      uidriver::RunCapturingOutput(L"C:\\windows\\system32\\cscript.exe //nologo \"" +
                                   fs::absolute(L"assistant_e2e\\bom_macro.vbs").wstring() + L"\" " + mode);
  std::printf("bom_macro.vbs %ls:\n%s", mode.c_str(), run.output.c_str());
  if (!run.ended) return std::nullopt;
  return run.exitCode;
}

// The user's folder of the assistant, as the program finds it.
fs::path UserFolder() { return winfx::UserAppDataFolder() / kUserFolderName; }

class AssistantE2ETest : public ::testing::Test {
 protected:
  // The stand-in registers as the running application only once its window
  // is shown and in the background, as the spreadsheet does.
  static void SetUpTestSuite() { ASSERT_TRUE(RunStandin(L"/regserver /lateregister")); }

  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    // No settings file: the program takes the machine's OEM code page.
    SelectTextTable(GetOEMCP());
    fs::remove_all(UserFolder());
    PrepareProgramFolder();
  }

  virtual void PrepareProgramFolder() {
    m_folder = L"C:\\users\\Public\\ostrevia_e2e";
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
    fs::copy_file(fs::absolute(ZM_OSTREVIA_EXE), m_folder / L"Ostrevia.exe");
    fs::copy_file(fs::absolute(L"assistant_e2e\\ZMLib.txt"), m_folder / L"ZMLib.txt");
  }

  void TearDown() override {
    if (m_program.IsRunning()) m_program.Kill();
    CWin32ExcelDiscovery discovery;
    HWND frame = StandinFrame();
    if (frame) {
      ExcelDispatch app(discovery.GetActiveObject(kExcelProgId));
      if (!app.IsEmpty()) app.SetVisible(false);
    }
    if (frame) {
      EXPECT_TRUE(WaitForStandinExit(frame)) << "the stand-in did not end";
    }
    OleUninitialize();
  }

  // Starts the program and waits for its main window and its first attach.
  HWND StartAssistant() {
    if (!m_program.Start(m_folder / L"Ostrevia.exe")) return nullptr;
    HWND window = nullptr;
    uidriver::WaitUntil([&] { return (window = FindMainWindow(m_program.Id())) != nullptr; }, 30s);
    if (!window) return nullptr;
    // The field says that the spreadsheet is being started until the sheet
    // is attached.
    uidriver::WaitUntil(
        [&] {
          std::wstring text = uidriver::GetItemText(window, kSheetField);
          return !text.empty() && text != RowText(kMsgStartingSpreadsheet);
        },
        15s);
    return window;
  }

  // Closes the window and waits for the program to end.
  void CloseAssistant(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_program.WaitForExit(20s).has_value()) << "the program did not end";
  }

  // Opens the settings sheet with `button` of the main window; its page
  // shown first.
  HWND OpenSettingsPage(HWND window, int button, HWND& sheet) {
    uidriver::Click(window, button);
    sheet = uidriver::WaitForDialog(m_program.Id(), RowText(16), 15s);
    return sheet ? uidriver::VisibleChildDialog(sheet) : nullptr;
  }

  // The spreadsheet as a second client sees it.
  // The spreadsheet the assistant works with. It registers as the running
  // application only once its window has lost the focus, so it is reached,
  // as a macro would reach it, through its first workbook.
  static ExcelDispatch RunningApplication() {
    CWin32ExcelDiscovery discovery;
    if (AutomationObjectPtr running = discovery.GetActiveObject(kExcelProgId)) return ExcelDispatch(running);
    CFakeLinkWindow window;
    ExcelLink link(discovery, window);
    return FindExcelByCaption(link, "Book1") == 1 ? link.app : ExcelDispatch();
  }

  static bool WaitForFormula(const ExcelDispatch& cells, int row, int column) {
    return PumpUntil([&] { return !cells.Item(row, column).Formula().empty(); }, 10s);
  }

  fs::path m_folder;
  uidriver::CProcess m_program;
};

TEST_F(AssistantE2ETest, NewBomIsCalculatedRenewedAndDetached) {
  HWND window = StartAssistant();
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  EXPECT_EQ(uidriver::GetText(window), L"Ostrevia3.5");

  // A new standard BOM workbook, attached and named in the sheet field.
  ExcelDispatch app = RunningApplication();
  ASSERT_FALSE(app.IsEmpty()) << "no spreadsheet runs";
  ExcelDispatch sheet = app.ActiveSheet();
  EXPECT_EQ(uidriver::GetItemText(window, kSheetField),
            Wide(app.ActiveWindow().Caption()) + L" : " + Wide(sheet.Name()));
  auto expected = ExpectedStandardHeader();
  ASSERT_NE(expected->CellText(1, 2), u"");
  ExcelDispatch cells = sheet.Cells();
  for (int row = 1; row <= 2; ++row) {
    for (int column = 1; column <= kHeaderColumns; ++column) {
      EXPECT_EQ(Wide(cells.Item(row, column).Text()), Wide(expected->CellText(row, column)))
          << "header cell " << row << "," << column;
    }
  }

  // Typed specifications get their weight formulas; a wrong one turns red.
  cells.Item(5, 2).SetValue(u"H300*200*6*8");
  ASSERT_TRUE(WaitForFormula(cells, 5, 6));
  EXPECT_EQ(Wide(cells.Item(5, 6).Formula()), L"=C5*38.500000/1000");
  EXPECT_EQ(Wide(cells.Item(5, 7).Formula()), L"=(D5+E5)*F5");
  cells.Item(6, 2).SetValue(u"'-100*10");
  ASSERT_TRUE(WaitForFormula(cells, 6, 6));
  EXPECT_EQ(Wide(cells.Item(6, 6).Formula()), L"=C6*7.850000/1000");
  cells.Item(7, 2).SetValue(u"nonsense");
  EXPECT_TRUE(PumpUntil([&] { return cells.Item(7, 2).Font().Color() == 255; }, 10s));
  SavePicture(window, L"attached");

  // Renew all writes every row's formulas again.
  cells.Item(5, 6).SetValue(u"");
  cells.Item(6, 7).SetValue(u"");
  uidriver::Click(window, kRenewAllButton);
  ASSERT_TRUE(WaitForFormula(cells, 5, 6));
  ASSERT_TRUE(WaitForFormula(cells, 6, 7));
  EXPECT_EQ(Wide(cells.Item(5, 6).Formula()), L"=C5*38.500000/1000");
  EXPECT_EQ(Wide(cells.Item(6, 7).Formula()), L"=(D6+E6)*F6");

  // Esc leaves the window open.
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  PumpUntil([] { return false; }, 500ms);
  EXPECT_TRUE(IsWindowVisible(window));

  // Detached: typing is no longer calculated, and renew all says why.
  uidriver::Click(window, kDetachButton);
  EXPECT_TRUE(uidriver::WaitUntil([&] { return uidriver::GetItemText(window, kSheetField).empty(); }, 10s));
  cells.Item(8, 2).SetValue(u"H300*200*6*8");
  PumpUntil([] { return false; }, 1s);
  EXPECT_EQ(Wide(cells.Item(8, 6).Formula()), L"");
  uidriver::Click(window, kRenewAllButton);
  std::optional<uidriver::MessageBoxSeen> box = uidriver::WaitForMessageBox(m_program.Id(), 10s);
  ASSERT_TRUE(box.has_value()) << "renew all without a link said nothing";
  EXPECT_EQ(box->text, RowText(62));
  EXPECT_EQ(box->caption, L"Ostrevia3.5");
  uidriver::Answer(*box, IDOK);

  // The finder pressed and the pointer resting over the workbook window:
  // the workbook's active sheet is attached again.
  HWND book = StandinBookWindow();
  ASSERT_NE(book, nullptr);
  std::optional<POINT> point = UncoveredPointOf(book);
  ASSERT_TRUE(point.has_value()) << "the workbook window is covered";
  SetCursorPos(point->x, point->y);
  HWND finder = GetDlgItem(window, kFinderButton);
  PostMessageW(finder, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_TRUE(uidriver::WaitUntil([&] { return !uidriver::GetItemText(window, kSheetField).empty(); }, 10s));
  PostMessageW(finder, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(uidriver::GetItemText(window, kSheetField),
            Wide(app.ActiveWindow().Caption()) + L" : " + Wide(sheet.Name()));
  cells.Item(9, 2).SetValue(u"'-100*10");
  ASSERT_TRUE(WaitForFormula(cells, 9, 6));
  EXPECT_EQ(Wide(cells.Item(9, 6).Formula()), L"=C9*7.850000/1000");

  // Closing the window ends the program and stores the settings, in the
  // user's folder.
  CloseAssistant(window);
  EXPECT_TRUE(fs::exists(UserFolder() / kSettingsFileName));
}

// A user's macro (Wine's script host, late-bound by name) types plates with
// and without the apostrophe, a wrong specification and a refused one into
// the new BOM; renew all writes a cleared weight again.
TEST_F(AssistantE2ETest, MacroTypedSpecificationsAreCalculated) {
  HWND window = StartAssistant();
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  EXPECT_EQ(RunMacro(L"type"), std::optional<DWORD>(0));
  ExcelDispatch cells = RunningApplication().ActiveSheet().Cells();
  uidriver::Click(window, kRenewAllButton);
  ASSERT_TRUE(WaitForFormula(cells, 7, 6));
  EXPECT_EQ(RunMacro(L"renewed"), std::optional<DWORD>(0));
  CloseAssistant(window);
}

// Renew all while a person edits a cell of the sheet: the spreadsheet
// rejects the calls until the entry ends, and the assistant waits for it.
TEST_F(AssistantE2ETest, RenewAllWaitsWhileACellIsEdited) {
  HWND window = StartAssistant();
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  ASSERT_EQ(RunMacro(L"type"), std::optional<DWORD>(0));
  HWND grid = StandinBookWindow();
  ASSERT_NE(grid, nullptr);
  // Cell B20 of the grid: 90 pixels a column after a 40-pixel row header, 20 a row.
  PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40 + 90 + 10, 20 * 20 + 5));
  for (wchar_t c : std::wstring(L"'-1")) PostMessageW(grid, WM_CHAR, c, 0);
  PumpUntil([] { return false; }, 500ms);
  uidriver::Click(window, kRenewAllButton);
  PumpUntil([] { return false; }, 1500ms);
  PostMessageW(grid, WM_CHAR, 0x1B, 0);  // Esc: the entry ends, calls are taken again
  std::optional<uidriver::MessageBoxSeen> box = uidriver::WaitForMessageBox(m_program.Id(), 5s);
  EXPECT_FALSE(box.has_value()) << "renew all gave up: " << fs::path(box ? box->text : L"").string();
  EXPECT_EQ(RunMacro(L"renewed"), std::optional<DWORD>(0));
  CloseAssistant(window);
}

// What a person does with the keyboard and mouse in the stand-in's grid.
class CGridHands {
 public:
  explicit CGridHands(HWND grid) : m_grid(grid) {}

  // A click on cell (row, column); column 0 is the row's header. `keys`
  // as a mouse message carries them (MK_SHIFT, MK_CONTROL).
  void Click(int row, int column, WPARAM keys = 0) const {
    PostMessageW(m_grid, WM_LBUTTONDOWN, MK_LBUTTON | keys, At(row, column));
    PostMessageW(m_grid, WM_LBUTTONUP, keys, At(row, column));
    Settle();
  }
  // A drag from one cell to another.
  void Drag(int fromRow, int fromColumn, int toRow, int toColumn) const {
    PostMessageW(m_grid, WM_LBUTTONDOWN, MK_LBUTTON, At(fromRow, fromColumn));
    PostMessageW(m_grid, WM_MOUSEMOVE, MK_LBUTTON, At(toRow, toColumn));
    PostMessageW(m_grid, WM_LBUTTONUP, 0, At(toRow, toColumn));
    Settle();
  }
  // Keys pressed as a person presses them, into the stand-in's frame.
  void Press(std::initializer_list<WORD> modifiers, WORD key, int times = 1) const {
    uidriver::PressKeys(m_grid, modifiers, key, times);
    Settle();
  }
  void Type(const std::wstring& text) const {
    for (wchar_t c : text) PostMessageW(m_grid, WM_CHAR, c, 0);
    Settle();
  }

 private:
  static LPARAM At(int row, int column) {
    return MAKELPARAM(column == 0 ? 10 : 40 + 90 * (column - 1) + 10, 20 * row + 5);
  }
  static void Settle() {
    PumpUntil([] { return false; }, 300ms);
  }

  HWND m_grid;
};

// Rows `first` to `last` of the sheet whose weight formulas are not those
// the row's own calculation gives its shown specification (an empty one:
// none), read as a second client.
std::vector<int> RowsNotCalculated(const ExcelDispatch& cells, int first, int last) {
  MaterialLibrary library;
  std::ifstream file(fs::absolute(L"assistant_e2e\\ZMLib.txt"), std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(ParseMaterialLibrary(library, content, "ZMLib.txt"), "");
  AssistantSettings settings;
  CurrentLayout layout;
  SelectBomStyle(settings, 1, layout);
  std::vector<int> wrong;
  for (int row = first; row <= last; ++row) {
    std::string shown = EncodeToCodePage(cells.Item(row, 2).Text(), kCodePageGbk);
    BomRowResult result = ComputeBomRow(shown, row, library, layout, settings);
    std::u16string single = cells.Item(row, 6).Formula();
    std::u16string total = cells.Item(row, 7).Formula();
    bool right = result.computed ? single == Utf16FromAscii(result.singleWeightFormula) &&
                                       total == Utf16FromAscii(result.totalWeightFormula)
                                 : !BomSpecificationOf(shown).empty() || (single.empty() && total.empty());
    if (!right || cells.Item(row, 2).Font().Color() != result.specificationColor) wrong.push_back(row);
  }
  return wrong;
}

// A BOM filled as a draughtsman fills one, by hand in the stand-in's grid:
// rows pasted from another program, a specification filled down, a block
// cleared with Delete, whole rows deleted. Each is one change of a block;
// every row of every block ends as its own calculation leaves it.
TEST_F(AssistantE2ETest, BlocksPastedFilledClearedAndDeletedByHandAreCalculated) {
  HWND window = StartAssistant();
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  ExcelDispatch cells = RunningApplication().ActiveSheet().Cells();
  HWND grid = StandinBookWindow();
  ASSERT_NE(grid, nullptr);
  CGridHands hands(grid);

  // Rows 5 to 22 pasted: specification, length and count, from another program.
  const std::wstring specs[] = {L"H300*200*6*8", L"D60*3",    L"%%C76*3.5",
                                L"-120*6",       L"nonsense", L"C200*75*9*11"};
  std::wstring table;
  for (int i = 0; i < 18; ++i) table += specs[i % 6] + L"\t6000\t2\r\n";
  ASSERT_TRUE(uidriver::PutClipboardText(table));
  hands.Click(5, 2);
  hands.Press({VK_CONTROL}, 'V');
  ASSERT_TRUE(WaitForFormula(cells, 22, 6)) << "the pasted rows were not calculated";
  EXPECT_EQ(Wide(cells.Item(22, 3).Text()), L"6000");
  EXPECT_EQ(RowsNotCalculated(cells, 5, 22), std::vector<int>{});

  // A specification typed into B25 and filled down to B32 with Ctrl+D.
  hands.Click(25, 2);
  hands.Type(L"D60*3\r");
  hands.Drag(25, 2, 32, 2);
  hands.Press({VK_CONTROL}, 'D');
  ASSERT_TRUE(WaitForFormula(cells, 32, 6)) << "the filled rows were not calculated";
  EXPECT_EQ(RowsNotCalculated(cells, 25, 32), std::vector<int>{});

  // B5:B10 taken with Shift+Down and cleared with Delete: the weights go too.
  hands.Click(5, 2);
  hands.Press({VK_SHIFT}, VK_DOWN, 5);
  hands.Press({}, VK_DELETE);
  EXPECT_TRUE(PumpUntil([&] { return cells.Item(10, 7).Formula().empty(); }, 10s));
  EXPECT_EQ(RowsNotCalculated(cells, 5, 10), std::vector<int>{});

  // Rows 14 to 16 taken by their headers and deleted with Ctrl+-: the rows
  // below move up (the pasted to 19, the filled to 22:29) and every row
  // still holds its own formulas.
  hands.Click(14, 0);
  hands.Click(16, 0, MK_SHIFT);
  std::u16string movedUp = cells.Item(17, 2).Text();
  hands.Press({VK_CONTROL}, VK_SUBTRACT);
  EXPECT_TRUE(PumpUntil([&] { return cells.Item(14, 2).Text() == movedUp; }, 10s)) << "no rows were deleted";
  PumpUntil([] { return false; }, 1s);
  EXPECT_EQ(RowsNotCalculated(cells, 5, 19), std::vector<int>{});
  EXPECT_EQ(RowsNotCalculated(cells, 22, 29), std::vector<int>{});
  SavePicture(window, L"blocks");

  CloseAssistant(window);
}

// The language of the settings file: every label in traditional Chinese,
// and the settings sheet opened from the window under its own title.
TEST_F(AssistantE2ETest, TraditionalChineseSettingsShowTraditionalTexts) {
  AssistantSettings settings;
  settings.language = kTraditionalChinese;
  SaveSettings(m_folder, settings);
  SelectTextTable(kTraditionalChinese);
  HWND window = StartAssistant();
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  const std::pair<int, int> labels[] = {{1016, 12}, {1017, 13}, {1018, 14}, {1019, 15},        {1005, 16},
                                        {1001, 17}, {1006, 9},  {1020, 4},  {kStyleChoice, 73}};
  for (auto [id, row] : labels) {
    EXPECT_EQ(uidriver::GetItemText(window, id), RowText(row)) << "control " << id;
  }
  EXPECT_NE(RowText(12), L"");

  uidriver::Click(window, kSettingsButton);
  HWND sheet = uidriver::WaitForDialog(m_program.Id(), RowText(16), 15s);
  ASSERT_NE(sheet, nullptr) << "the settings sheet did not open";
  SavePicture(window, L"main_cht");
  SavePicture(sheet, L"settings_cht");
  PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(sheet); }, 10s));

  CloseAssistant(window);
}

// The system menu's About box, and the style button's sheet, which holds the
// BOM style page alone.
TEST_F(AssistantE2ETest, AboutBoxAndStyleSheetOpenAndClose) {
  HWND window = StartAssistant();
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  PostMessageW(window, WM_SYSCOMMAND, kAboutCommand, 0);
  HWND about = uidriver::WaitForDialog(m_program.Id(), L"About Zelmorant Assistant", 15s);
  ASSERT_NE(about, nullptr) << "the About box did not open";
  PostMessageW(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(about); }, 10s));

  uidriver::Click(window, kStyleSettingsButton);
  HWND sheet = uidriver::WaitForDialog(m_program.Id(), RowText(16), 15s);
  ASSERT_NE(sheet, nullptr) << "the style sheet did not open";
  HWND tabs = FindWindowExW(sheet, nullptr, WC_TABCONTROLW, nullptr);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 1);
  PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(sheet); }, 10s));

  CloseAssistant(window);
}

// A program registered under the spreadsheet's name that numbers its
// members otherwise: the start ends at its first call with a message that
// says so, and nothing is written (asked by name, it holds no workbook).
TEST_F(AssistantE2ETest, AProgramAnsweringOtherwiseIsNamedAndNothingIsWritten) {
  ASSERT_TRUE(RunStandin(L"/regserver /otherids"));
  HWND frame = nullptr;
  {
    // Held from before the start to after the close, so that the other
    // program is still there to be asked what was written into it.
    ExcelDispatch other(CWin32ExcelDiscovery().CreateObject(kExcelProgId));
    ASSERT_FALSE(other.IsEmpty());
    frame = StandinFrame();
    ASSERT_TRUE(m_program.Start(m_folder / L"Ostrevia.exe"));
    std::optional<uidriver::MessageBoxSeen> box = uidriver::WaitForMessageBox(m_program.Id(), 30s);
    ASSERT_TRUE(box.has_value()) << "the start said nothing";
    EXPECT_EQ(box->text, RowText(kMsgNotTheSpreadsheet));
    uidriver::Answer(*box, IDOK);
    CloseAssistant(FindMainWindow(m_program.Id()));
    ExcelDispatch workbooks(std::get<AutomationObjectPtr>(other.GetByName(u"Workbooks")));
    EXPECT_EQ(std::get<std::int32_t>(workbooks.GetByName(u"Count")), 0);
  }
  EXPECT_TRUE(!frame || WaitForStandinExit(frame)) << "the stand-in did not end";
  ASSERT_TRUE(RunStandin(L"/regserver /lateregister"));
}

// The install folder as a user on today's Windows meets it: not writable
// (tests/wine/unwritable_install_folder.sh makes it immutable, with an
// administrator's settings in it). The user's density, library section,
// style and template survive a restart; the section is used at once.
class UnwritableInstallTest : public AssistantE2ETest {
 protected:
  void PrepareProgramFolder() override { m_folder = L"C:\\Program Files\\Zelmorant10.1"; }
  // The user goes to the spreadsheet and comes back to the window.
  static void ComeBackFromSpreadsheet(HWND window) {
    SetForegroundWindow(StandinFrame());
    PumpUntil([] { return false; }, 300ms);
    SetForegroundWindow(window);
  }
  static void EndSheet(HWND sheet, WPARAM command) {
    PostMessageW(sheet, WM_COMMAND, command, 0);
    EXPECT_TRUE(uidriver::WaitUntil([&] { return !IsWindow(sheet); }, 10s));
  }
};

TEST_F(UnwritableInstallTest, UsersChangesSurviveARestart) {
  SelectTextTable(437);  // the administrator's settings choose English
  const fs::path library = UserFolder() / kLibraryFileName;
  HWND window = StartAssistant();
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  HWND sheet = nullptr;
  HWND general = OpenSettingsPage(window, kSettingsButton, sheet);
  ASSERT_NE(general, nullptr) << "the settings sheet did not open";
  EXPECT_EQ(uidriver::GetItemText(general, kDensityField), L"7000.000");  // the administrator's
  uidriver::Click(general, kLibraryEditButton);  // the user's copy, opened in Notepad
  EXPECT_TRUE(uidriver::WaitUntil([] { return !uidriver::TopLevelWindows(0, L"Notepad").empty(); }, 15s));
  for (HWND editor : uidriver::TopLevelWindows(0, L"Notepad")) PostMessageW(editor, WM_CLOSE, 0, 0);
  uidriver::SetItemText(general, kDensityField, L"7600");
  EndSheet(sheet, IDOK);

  // A section added in the editor is used when the user comes back.
  std::ofstream(library, std::ios::binary | std::ios::app) << "\r\nQ50X5  3.77\r\n";
  ComeBackFromSpreadsheet(window);
  ExcelDispatch cells = RunningApplication().ActiveSheet().Cells();
  EXPECT_TRUE(PumpUntil(
      [&] {
        cells.Item(5, 2).SetValue(u"Q50X5");
        return PumpUntil([&] { return !cells.Item(5, 6).Formula().empty(); }, 1s);
      },
      15s));
  EXPECT_EQ(Wide(cells.Item(5, 6).Formula()), L"=C5*3.770000/1000");
  // A faulty line is reported when the user comes back; the library read
  // before stays in use.
  fs::copy_file(library, library.wstring() + L".good");
  std::ofstream(library, std::ios::binary | std::ios::app) << "Q60X5\r\n";
  ComeBackFromSpreadsheet(window);
  std::optional<uidriver::MessageBoxSeen> box = uidriver::WaitForMessageBox(m_program.Id(), 10s);
  ASSERT_TRUE(box.has_value()) << "the faulty library was not reported";
  uidriver::Answer(*box, IDOK);
  cells.Item(6, 2).SetValue(u"Q50X5");
  ASSERT_TRUE(WaitForFormula(cells, 6, 6));
  fs::remove(library);
  fs::copy_file(library.wstring() + L".good", library);

  // The simple style chosen; its template made by Edit, then edited.
  HWND styles = GetDlgItem(window, kStyleChoice);
  SendMessageW(styles, CB_SETCURSEL, kSimpleStyle, 0);
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(kStyleChoice, CBN_SELCHANGE), reinterpret_cast<LPARAM>(styles));
  HWND stylePage = OpenSettingsPage(window, kStyleSettingsButton, sheet);
  ASSERT_NE(stylePage, nullptr) << "the style sheet did not open";
  const fs::path simpleTemplate = UserFolder() / "simple.xls";
  uidriver::Click(stylePage, kTemplateEditButton);
  ASSERT_TRUE(uidriver::WaitUntil([&] { return fs::exists(simpleTemplate); }, 15s)) << "no template saved";
  EndSheet(sheet, IDCANCEL);
  ExcelDispatch app = RunningApplication();
  app.ActiveSheet().Cells().Item(1, 8).SetValue(u"Drawing");
  app.Workbooks().Item(app.Workbooks().Count()).SaveAs(simpleTemplate.u16string(), 1);
  CloseAssistant(window);
  EXPECT_FALSE(uidriver::WaitForMessageBox(m_program.Id(), 1s).has_value());

  window = StartAssistant();
  ASSERT_NE(window, nullptr) << "the main window did not appear again";
  EXPECT_EQ(uidriver::GetItemText(window, kStyleChoice), RowText(72));
  cells = RunningApplication().ActiveSheet().Cells();
  EXPECT_EQ(Wide(cells.Item(1, 8).Text()), L"Drawing");
  cells.Item(5, 2).SetValue(u"Q50X5");
  ASSERT_TRUE(WaitForFormula(cells, 5, 5));
  EXPECT_EQ(Wide(cells.Item(5, 5).Formula()), L"=C5*3.770000/1000");
  general = OpenSettingsPage(window, kSettingsButton, sheet);
  ASSERT_NE(general, nullptr);
  EXPECT_EQ(uidriver::GetItemText(general, kDensityField), L"7600.000");
  EXPECT_EQ(uidriver::GetItemText(general, kLibraryPathField), library.wstring());
  EndSheet(sheet, IDCANCEL);
  CloseAssistant(window);
}

}  // namespace

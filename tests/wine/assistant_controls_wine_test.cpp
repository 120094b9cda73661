// The main window's own controls against the real list box, button, edit,
// tooltip and GDI: prefix items drawn off screen and on the dialog and
// compared pixel by pixel, tooltip texts asked for as the tooltip control
// asks, the finder pressed and released, an edit field pointed at.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "assistant/bom_sheet/excel_link.h"
#include "assistant/texts/text_tables.h"
#include "assistant/ui/color_list_box.h"
#include "assistant/ui/finder_button.h"
#include "assistant/ui/prefix_tips.h"
#include "base/code_page.h"
#include "tests/unit/fakes/fake_excel_discovery.h"
#include "tests/wine/assistant_controls_test_resource.h"
#include "tests/wine/driver/ui_driver.h"
#include "winfx/controls/edit.h"
#include "winfx/dialog.h"
#include "winfx/handles.h"

namespace {

constexpr COLORREF kLibraryColor = RGB(155, 20, 80);
constexpr COLORREF kBuiltinColor = RGB(10, 85, 250);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr UINT kFormat = DT_SINGLELINE | DT_VCENTER;
constexpr int kItemHeight = 16;

class CControlsDialog : public winfx::CDialog {
 public:
  explicit CControlsDialog(ExcelLink& link) : CDialog(IDD_ASSISTANT_CONTROLS), m_link(link) {}

  CColorListBox prefixes;
  CFinderButton finder;
  int drawRequests = 0;

 protected:
  bool OnInitDialog() override {
    EXPECT_TRUE(prefixes.SubclassDlgItem(GetHwnd(), IDC_PREFIX_LIST));
    prefixes.SetItemHeight(kItemHeight);
    EXPECT_TRUE(finder.SubclassDlgItem(GetHwnd(), IDC_FINDER, m_link));
    finder.ShowFinderImage();
    return true;
  }

  bool OnDrawItem(UINT_PTR id, const DRAWITEMSTRUCT& item) override {
    if (id != IDC_PREFIX_LIST) return false;
    ++drawRequests;
    prefixes.DrawItem(item);
    return true;
  }

 private:
  ExcelLink& m_link;
};

// A 32-bit top-down bitmap in a memory context, to draw items into.
class CCanvas {
 public:
  CCanvas(int width, int height, COLORREF background) : m_width(width), m_height(height), m_dc(nullptr) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    m_bitmap.Reset(CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
    m_select.emplace(m_dc.Get(), m_bitmap.Get());
    winfx::CBrush brush(CreateSolidBrush(background));
    RECT all{0, 0, width, height};
    FillRect(m_dc.Get(), &all, brush.Get());
  }

  HDC Dc() const { return m_dc.Get(); }
  RECT Rect() const { return {0, 0, m_width, m_height}; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const RGBQUAD& p = static_cast<const RGBQUAD*>(m_bits)[y * m_width + x];
    return RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
  }
  bool SameAs(const CCanvas& other) const {
    GdiFlush();
    return m_width == other.m_width && m_height == other.m_height &&
           std::memcmp(m_bits, other.m_bits, static_cast<size_t>(m_width) * m_height * 4) == 0;
  }
  int Count(COLORREF color) const {
    int count = 0;
    for (int y = 0; y < m_height; ++y) {
      for (int x = 0; x < m_width; ++x) count += At(x, y) == color ? 1 : 0;
    }
    return count;
  }

 private:
  int m_width;
  int m_height;
  winfx::CMemoryDC m_dc;
  winfx::CBitmap m_bitmap;
  void* m_bits = nullptr;
  std::optional<winfx::CSelectObject> m_select;
};

// The top-level window that holds each test's dialog, made once.
class CHostWindow {
 public:
  CHostWindow()
      : m_hwnd(CreateWindowExW(0, L"STATIC", L"Assistant controls", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                               20, 20, 500, 400, nullptr, nullptr, nullptr, nullptr)) {}
  ~CHostWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
  }
  CHostWindow(const CHostWindow&) = delete;
  CHostWindow& operator=(const CHostWindow&) = delete;
  HWND Get() const { return m_hwnd; }

 private:
  HWND m_hwnd;
};

class AssistantControlsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { s_host = new CHostWindow; }
  static void TearDownTestSuite() {
    delete s_host;
    s_host = nullptr;
  }

  void SetUp() override {
    g_prefixCount = 0;
    g_tipTable = {};
    SelectTextTable(kCodePageGbk);
    ASSERT_TRUE(s_host->Get());
    ASSERT_TRUE(dialog.CreateChild(s_host->Get()));
    Pump(50);
  }
  void TearDown() override {
    if (dialog.GetHwnd()) DestroyWindow(dialog.GetHwnd());
    Pump(20);
  }

  void Pump(DWORD milliseconds) { uidriver::PumpMessages(std::chrono::milliseconds(milliseconds)); }

  // Fills the list as the main window does: two library prefixes, then two
  // built-in ones with their tips in slots 0 and 1.
  void FillPrefixes() {
    g_prefixCount = 2;
    ASSERT_EQ(dialog.prefixes.AddItem(L"L", kLibraryColor, 0, kFormat), 0);
    ASSERT_EQ(dialog.prefixes.AddItem(L"[", kLibraryColor, 0, kFormat), 1);
    ASSERT_EQ(dialog.prefixes.AddItem("D", kCodePageGbk, kBuiltinColor, 0, kFormat), 2);
    ASSERT_EQ(dialog.prefixes.AddItem("\xA6\xD5", kCodePageGbk, kBuiltinColor, 1, kFormat), 3);
    SetTip(0, "Tube D60*3");
    SetTip(1, std::string(100, 'x'));
  }

  static void SetTip(int slot, const std::string& text) {
    auto& bytes = g_tipTable[static_cast<size_t>(slot)];
    bytes.fill('\0');
    std::memcpy(bytes.data(), text.data(), std::min(text.size(), bytes.size() - 1));
  }

  // Draws item `index` into `canvas` as the list would, its font selected.
  void DrawInto(const CCanvas& canvas, int index, UINT state, UINT action) {
    DrawInto(canvas.Dc(), canvas.Rect(), index, state, action);
  }
  void DrawInto(HDC dc, RECT rect, int index, UINT state, UINT action) {
    winfx::CSelectObject font(dc, dialog.prefixes.GetFont());
    SetTextColor(dc, kWhite);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = IDC_PREFIX_LIST;
    item.itemID = static_cast<UINT>(index);
    item.itemAction = action;
    item.itemState = state;
    item.hwndItem = dialog.prefixes.GetHwnd();
    item.hDC = dc;
    item.rcItem = rect;
    item.itemData = static_cast<ULONG_PTR>(dialog.prefixes.GetItemData(index));
    dialog.prefixes.DrawItem(item);
    fontAfterDrawing = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    textColorAfterDrawing = GetTextColor(dc);
  }

  static int CALLBACK CollectCreatedFont(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
    if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
      auto* created = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
      reinterpret_cast<std::vector<LOGFONTW>*>(data)->push_back(created->elfw.elfLogFont);
    }
    return 1;
  }

  // The fonts made for drawing item `index`, as a metafile records them.
  std::vector<LOGFONTW> FontsMadeForDrawing(int index) {
    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    DrawInto(recorder, {0, 0, 80, kItemHeight}, index, 0, ODA_DRAWENTIRE);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    std::vector<LOGFONTW> fonts;
    EnumEnhMetaFile(nullptr, metafile, CollectCreatedFont, &fonts, nullptr);
    DeleteEnhMetaFile(metafile);
    return fonts;
  }

  // `text` drawn with `font` as an item's text is drawn.
  static void DrawReference(const CCanvas& canvas, HFONT font, const wchar_t* text, COLORREF color) {
    winfx::CSelectObject select(canvas.Dc(), font);
    SetTextColor(canvas.Dc(), color);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    RECT rect = canvas.Rect();
    DrawTextW(canvas.Dc(), text, -1, &rect, kFormat);
  }

  // An item as the drawing rules say: the fill (when given), the focus
  // rectangle (when asked for), then the text.
  static void DrawExpected(const CCanvas& canvas, std::optional<COLORREF> fill, bool focus, HFONT font,
                           const wchar_t* text, COLORREF color) {
    RECT rect = canvas.Rect();
    if (fill) {
      winfx::CBrush brush(CreateSolidBrush(*fill));
      FillRect(canvas.Dc(), &rect, brush.Get());
    }
    if (focus) DrawFocusRect(canvas.Dc(), &rect);
    DrawReference(canvas, font, text, color);
  }

  HFONT MakeFontOfWeight(LONG weight) {
    LOGFONTW description{};
    GetObjectW(dialog.prefixes.GetFont(), sizeof description, &description);
    description.lfWeight = weight;
    return CreateFontIndirectW(&description);
  }

  // What the tooltip control gets for tool `toolId` through the wide or the
  // narrow notification, and the handler's result.
  std::wstring AskWide(int toolId, LRESULT* result = nullptr) {
    NMTTDISPINFOW info{};
    info.hdr = {dialog.prefixes.GetToolTip(), static_cast<UINT_PTR>(toolId), TTN_NEEDTEXTW};
    LRESULT answer = dialog.prefixes.Send(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    if (result) *result = answer;
    return info.lpszText == info.szText ? info.szText : L"<not in the buffer>";
  }
  std::string AskNarrow(int toolId) {
    NMTTDISPINFOA info{};
    info.hdr = {dialog.prefixes.GetToolTip(), static_cast<UINT_PTR>(toolId), TTN_NEEDTEXTA};
    dialog.prefixes.Send(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    return info.lpszText == info.szText ? info.szText : "<not in the buffer>";
  }

  POINT CentreOf(int index) {
    RECT rect = dialog.prefixes.GetItemRect(index);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }

  void MoveMouseTo(POINT point) { dialog.prefixes.Send(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y)); }

  // The tooltip's one tool and the text the tooltip fetches for it.
  struct ToolSeen {
    int count = 0;
    UINT_PTR id = 0;
    RECT rect{};
    std::wstring text;
  };
  ToolSeen CurrentTool() {
    ToolSeen seen;
    HWND tip = dialog.prefixes.GetToolTip();
    seen.count = static_cast<int>(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    if (seen.count != 1) return seen;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
    seen.id = tool.uId;
    seen.rect = tool.rect;
    wchar_t buffer[256] = {};
    tool.lpszText = buffer;
    SendMessageW(tip, TTM_GETTEXTW, std::size(buffer), reinterpret_cast<LPARAM>(&tool));
    seen.text = buffer;
    return seen;
  }

  static CHostWindow* s_host;
  HFONT fontAfterDrawing = nullptr;
  COLORREF textColorAfterDrawing = 0;
  CFakeExcelDiscovery discovery;
  CFakeLinkWindow mainWindow;
  ExcelLink link{discovery, mainWindow};
  CControlsDialog dialog{link};
};

CHostWindow* AssistantControlsTest::s_host = nullptr;

TEST_F(AssistantControlsTest, ItemsKeepTheirOwnStyleRecords) {
  FillPrefixes();
  const ListItemStyle* bold = dialog.prefixes.GetItemStyle(3);
  ASSERT_NE(bold, nullptr);
  EXPECT_EQ(bold->color, kBuiltinColor);
  EXPECT_EQ(bold->bold, 1);
  EXPECT_EQ(bold->format, kFormat);
  EXPECT_EQ(dialog.prefixes.GetItemText(3), L"\x03C6");
  EXPECT_EQ(dialog.prefixes.GetItemStyle(0)->color, kLibraryColor);
  EXPECT_EQ(dialog.prefixes.GetRecordCount(), 4u);

  // Emptying the list frees the records (a reloaded library fills it
  // again); destroying the list frees them too.
  dialog.prefixes.ResetContent();
  EXPECT_EQ(dialog.prefixes.GetRecordCount(), 0u);
  FillPrefixes();
  EXPECT_EQ(dialog.prefixes.GetRecordCount(), 4u);
  DestroyWindow(dialog.GetHwnd());
  EXPECT_EQ(dialog.prefixes.GetRecordCount(), 0u);
  EXPECT_FALSE(dialog.prefixes.GetHwnd());
  EXPECT_EQ(dialog.prefixes.AddItem(L"H", kBuiltinColor, 0, kFormat), LB_ERR);
}

TEST_F(AssistantControlsTest, BoldItemsAreDrawnInThe700WeightOfTheListFont) {
  FillPrefixes();
  dialog.prefixes.AddItem(L"HHHH", kBuiltinColor, 1, kFormat);
  dialog.prefixes.AddItem(L"HHHH", kBuiltinColor, 0, kFormat);
  winfx::CFont boldFont(MakeFontOfWeight(700));
  CCanvas boldItem(80, kItemHeight, kWhite), boldReference(80, kItemHeight, kWhite);
  CCanvas plainItem(80, kItemHeight, kWhite), plainReference(80, kItemHeight, kWhite);
  DrawInto(boldItem, 4, 0, ODA_DRAWENTIRE);
  DrawInto(plainItem, 5, 0, ODA_DRAWENTIRE);
  DrawReference(boldReference, boldFont.Get(), L"HHHH", kBuiltinColor);
  DrawReference(plainReference, dialog.prefixes.GetFont(), L"HHHH", kBuiltinColor);

  ASSERT_FALSE(boldReference.SameAs(plainReference)) << "the font has no bold look to tell apart";
  EXPECT_TRUE(boldItem.SameAs(boldReference));
  EXPECT_TRUE(plainItem.SameAs(plainReference));

  // The bold font is the list's font with the weight 700; a plain item
  // makes no font. Both leave the context's font and colour as they were.
  LOGFONTW listFont{};
  GetObjectW(dialog.prefixes.GetFont(), sizeof listFont, &listFont);
  std::vector<LOGFONTW> boldFonts = FontsMadeForDrawing(4);
  ASSERT_EQ(boldFonts.size(), 2u);  // the list's own font, selected by the test, and the bold one
  EXPECT_EQ(boldFonts[1].lfWeight, 700);
  EXPECT_EQ(boldFonts[1].lfHeight, listFont.lfHeight);
  EXPECT_EQ(std::wstring(boldFonts[1].lfFaceName), listFont.lfFaceName);
  EXPECT_EQ(fontAfterDrawing, dialog.prefixes.GetFont());
  EXPECT_EQ(textColorAfterDrawing, kWhite);
  std::vector<LOGFONTW> plainFonts = FontsMadeForDrawing(5);
  ASSERT_EQ(plainFonts.size(), 1u);
  EXPECT_EQ(plainFonts[0].lfWeight, listFont.lfWeight);
}

TEST_F(AssistantControlsTest, ASelectedItemIsHighlightedAndItsTextKeepsItsColour) {
  FillPrefixes();
  COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  HFONT font = dialog.prefixes.GetFont();
  CCanvas selected(80, kItemHeight, kWhite), expected(80, kItemHeight, kWhite),
      inverted(80, kItemHeight, kWhite);
  DrawInto(selected, 0, ODS_SELECTED, ODA_DRAWENTIRE);
  DrawExpected(expected, highlight, true, font, L"L", kLibraryColor);
  DrawExpected(inverted, highlight, true, font, L"L", GetSysColor(COLOR_HIGHLIGHTTEXT));
  ASSERT_FALSE(expected.SameAs(inverted));
  EXPECT_TRUE(selected.SameAs(expected));
  // Inside the focus rectangle, right of the text.
  EXPECT_EQ(selected.At(70, kItemHeight / 2), highlight);

  // Leaving the selection puts the window colour back; a request for the
  // focus alone paints no background.
  CCanvas deselected(80, kItemHeight, highlight), window(80, kItemHeight, highlight);
  DrawInto(deselected, 0, 0, ODA_SELECT);
  DrawExpected(window, GetSysColor(COLOR_WINDOW), false, font, L"L", kLibraryColor);
  EXPECT_TRUE(deselected.SameAs(window));
  CCanvas focusOnly(80, kItemHeight, kWhite), textOnly(80, kItemHeight, kWhite);
  DrawInto(focusOnly, 0, ODS_SELECTED | ODS_FOCUS, ODA_FOCUS);
  DrawExpected(textOnly, std::nullopt, false, font, L"L", kLibraryColor);
  EXPECT_TRUE(focusOnly.SameAs(textOnly));

  // Index -1 (an empty list with the focus) draws nothing.
  CCanvas none(80, kItemHeight, kWhite);
  DrawInto(none, -1, ODS_FOCUS, ODA_FOCUS);
  EXPECT_EQ(none.Count(kWhite), 80 * kItemHeight);
}

TEST_F(AssistantControlsTest, ItemDataOfAnotherKindIsNeverTakenAsAStyle) {
  FillPrefixes();
  dialog.prefixes.SetItemData(1, 0x1234);
  EXPECT_EQ(dialog.prefixes.GetItemStyle(1), nullptr);
  CCanvas canvas(80, kItemHeight, kWhite), expected(80, kItemHeight, kWhite);
  DrawInto(canvas, 1, 0, ODA_DRAWENTIRE);
  DrawExpected(expected, std::nullopt, false, dialog.prefixes.GetFont(), L"[", GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_TRUE(canvas.SameAs(expected));
}

TEST_F(AssistantControlsTest, TheDialogRoutesItsDrawingToTheList) {
  FillPrefixes();
  // Without the focus the list draws each item once.
  winfx::CWindow(dialog.GetItem(IDC_ENTRY)).Focus();
  dialog.prefixes.SetCurSel(3);
  dialog.prefixes.Invalidate();
  Pump(100);
  ASSERT_GT(dialog.drawRequests, 0);

  // The list paints into a canvas of ours rather than being read off the
  // screen, where another test's window may lie over it.
  RECT client = dialog.prefixes.GetClientRect();
  CCanvas list(client.right, client.bottom, kWhite);
  dialog.prefixes.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(list.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
  RECT item = dialog.prefixes.GetItemRect(3);
  int width = item.right - item.left, height = item.bottom - item.top;
  CCanvas shot(width, height, kWhite), expected(width, height, kWhite);
  BitBlt(shot.Dc(), 0, 0, width, height, list.Dc(), item.left, item.top, SRCCOPY);
  winfx::CFont bold(MakeFontOfWeight(700));
  DrawExpected(expected, GetSysColor(COLOR_HIGHLIGHT), true, bold.Get(), L"\x03C6", kBuiltinColor);
  EXPECT_TRUE(shot.SameAs(expected));
}

TEST_F(AssistantControlsTest, TooltipsShowLeadingItemsOrTheirTipSlot) {
  FillPrefixes();
  LRESULT result = -1;
  EXPECT_EQ(AskWide(0, &result), L"L");
  EXPECT_EQ(result, 0);
  EXPECT_EQ(AskWide(1), L"[");
  EXPECT_EQ(AskWide(2), L"Tube D60*3");
  EXPECT_EQ(AskWide(3), std::wstring(79, L'x'));
  EXPECT_EQ(AskWide(2 + kTipSlots), L"");
  EXPECT_EQ(AskWide(65535), L"");
  EXPECT_EQ(AskNarrow(0), "L");
  EXPECT_EQ(AskNarrow(2), "Tube D60*3");
  EXPECT_EQ(AskNarrow(3), std::string(79, 'x'));

  // Tips are shown through the active table's code page.
  SelectTextTable(kCodePageBig5);
  SetTip(0, "\xBF\xFB\xAA\x4F");
  EXPECT_EQ(AskWide(2), L"\x92FC\x677F");
  EXPECT_EQ(AskNarrow(2), "\xBF\xFB\xAA\x4F");
}

TEST_F(AssistantControlsTest, TheToolFollowsTheItemUnderThePointer) {
  FillPrefixes();
  TOOLINFOW tool{};
  ASSERT_EQ(dialog.prefixes.ToolHitTest(CentreOf(1), &tool), 1);
  RECT second = dialog.prefixes.GetItemRect(1);
  EXPECT_TRUE(EqualRect(&tool.rect, &second));
  EXPECT_EQ(tool.hwnd, dialog.prefixes.GetHwnd());
  EXPECT_EQ(tool.lpszText, LPSTR_TEXTCALLBACKW);
  RECT client = dialog.prefixes.GetClientRect();
  POINT belowItems{client.right / 2, client.bottom - 2};
  EXPECT_EQ(dialog.prefixes.ToolHitTest(belowItems, nullptr), -1);

  // The tooltip itself asks the list for the text of the tool it holds.
  MoveMouseTo(CentreOf(0));
  ToolSeen seen = CurrentTool();
  EXPECT_EQ(seen.count, 1);
  EXPECT_EQ(seen.id, 0u);
  EXPECT_EQ(seen.text, L"L");
  MoveMouseTo(CentreOf(2));
  seen = CurrentTool();
  EXPECT_EQ(seen.count, 1);
  EXPECT_EQ(seen.id, 2u);
  RECT third = dialog.prefixes.GetItemRect(2);
  EXPECT_TRUE(EqualRect(&seen.rect, &third));
  EXPECT_EQ(seen.text, L"Tube D60*3");
  MoveMouseTo(belowItems);
  EXPECT_EQ(CurrentTool().count, 0);
}

TEST_F(AssistantControlsTest, TheFinderPicksWhileTheButtonIsHeld) {
  HCURSOR finderCursor = CFinderButton::FinderCursor();
  ASSERT_NE(finderCursor, nullptr);
  EXPECT_EQ(dialog.finder.Send(BM_GETIMAGE, IMAGE_ICON), reinterpret_cast<LRESULT>(finderCursor));
  link.trackingSuspended = true;

  dialog.finder.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  EXPECT_TRUE(link.picking);
  EXPECT_FALSE(link.trackingSuspended);
  EXPECT_EQ(dialog.finder.Send(BM_GETIMAGE, IMAGE_ICON), 0);
  EXPECT_EQ(GetCursor(), finderCursor);
  EXPECT_EQ(GetCapture(), dialog.finder.GetHwnd());

  // Released far from the button.
  dialog.finder.Send(WM_LBUTTONUP, 0, MAKELPARAM(-300, 200));
  EXPECT_FALSE(link.picking);
  EXPECT_FALSE(link.trackingSuspended);
  EXPECT_EQ(dialog.finder.Send(BM_GETIMAGE, IMAGE_ICON), reinterpret_cast<LRESULT>(finderCursor));
  EXPECT_NE(GetCapture(), dialog.finder.GetHwnd());
}

TEST_F(AssistantControlsTest, SelectEditTextFocusesAndSelectsTheWholeEntry) {
  winfx::CWindow entry(dialog.GetItem(IDC_ENTRY));
  std::wstring text = L"C120*60*20*3;H300*200*6*8;D60*3;-120*6;L50*5;[10;I20a";
  entry.SetText(text);
  entry.Send(EM_SETSEL, 0, 0);
  entry.Send(EM_SCROLLCARET);
  dialog.prefixes.Focus();
  ASSERT_EQ(entry.Send(EM_GETFIRSTVISIBLELINE), 0);

  EXPECT_EQ(SelectEditText(entry), 1);
  EXPECT_EQ(GetFocus(), entry.GetHwnd());
  DWORD start = 0, end = 0;
  entry.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, text.size());
  // The caret, at the end, is in view.
  EXPECT_GT(entry.Send(EM_GETFIRSTVISIBLELINE), 0);
}

}  // namespace

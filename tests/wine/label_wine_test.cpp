// The text label against the real window manager and GDI: every
// configuration is drawn into a dialog, the dialog's pixels are read back
// and checked for the effect each setting must have. A screenshot of the
// dialog is left in the working folder for people to look at.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "setup/wizard/text_label.h"
#include "setup/wizard/text_label_font.h"
#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/label_test_resource.h"
#include "winfx/dialog.h"

namespace {

constexpr COLORREF kTitleColor = RGB(127, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kShadow = RGB(108, 28, 28);

// "欢迎使用 Zelmorant 安装向导" in GBK and "請選擇安裝資料夾" in Big5.
const char kGbkTitle[] = "\xBB\xB6\xD3\xAD\xCA\xB9\xD3\xC3 Zelmorant \xB0\xB2\xD7\xB0\xCF\xF2\xB5\xBC";
const wchar_t kWideTitle[] = L"\x6B22\x8FCE\x4F7F\x7528 Zelmorant \x5B89\x88C5\x5411\x5BFC";
const char kBig5Description[] = "\xBD\xD0\xBF\xEF\xBE\xDC\xA6\x77\xB8\xCB\xB8\xEA\xAE\xC6\xA7\xA8";
const wchar_t kWideDescription[] = L"\x8ACB\x9078\x64C7\x5B89\x88DD\x8CC7\x6599\x593E";

// The height of the white band that the dialog paints across its top, in
// dialog units.
constexpr int kBandHeight = 30;

class CLabelDialog : public winfx::CDialog {
 public:
  CLabelDialog() : CDialog(IDD_LABELS) {}

  CTextLabel title, description, opaque, plain, flash, flashBack, shadow, rotated, wrapped, centred, font,
      framed, link, notify, plainLink, chinese;
  std::vector<std::wstring> opened;
  UINT notifyCode = 0;
  UINT_PTR notifyId = 0;

 protected:
  bool OnInitDialog() override {
    Bind(title, IDC_TITLE).SetTransparent(true).SetFontSize(12).SetTextColor(kTitleColor).SetFontBold(true);
    title.SetText(kGbkTitle, 936);
    Bind(description, IDC_DESCRIPTION).SetTransparent(true).SetText(kBig5Description, 950);
    Bind(opaque, IDC_OPAQUE).SetBkColor(kGreen).SetTextColor(kYellow).SetFontSize(12).SetFontBold(true);
    Bind(plain, IDC_DEFAULT);
    Bind(flash, IDC_FLASH).SetBkColor(kNavy).SetTextColor(kWhite).SetFontSize(12).SetFontBold(true);
    Bind(flashBack, IDC_FLASH_BACK).SetBkColor(kNavy).SetTextColor(kWhite);
    Bind(shadow, IDC_SHADOW).SetBkColor(kWhite).SetTextColor(kBlue).SetFontSize(14).SetFontBold(true);
    shadow.Set3DText(true, true);
    Bind(rotated, IDC_ROTATED).SetBkColor(kWhite).SetTextColor(kBlack).SetFontSize(12);
    rotated.SetRotationAngle(90, true);
    Bind(wrapped, IDC_WRAPPED).SetBkColor(kWhite).SetTextColor(kBlack);
    Bind(centred, IDC_CENTRED).SetBkColor(kWhite).SetTextColor(kBlack).SetFontSize(12);
    Bind(font, IDC_FONT).SetBkColor(kWhite).SetTextColor(kBlack).SetFontSize(12);
    Bind(framed, IDC_FRAMED);
    Bind(link, IDC_LINK).SetLink(true, true).SetLinkCursor(LoadCursorW(nullptr, IDC_HAND));
    link.SetLinkOpener([this](HWND, const std::wstring& target) { opened.push_back(target); });
    Bind(notify, IDC_NOTIFY).SetLink(true, false);
    Bind(plainLink, IDC_PLAIN);
    // The same texts in a face that holds Chinese, for the screenshot.
    Bind(chinese, IDC_CHINESE).SetFontName(L"WenQuanYi Micro Hei").SetFontSize(11).SetTextColor(kNavy);
    chinese.SetText(std::wstring(kWideTitle) + L" / " + kWideDescription);
    return true;
  }

  bool OnPaint() override {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(GetHwnd(), &paint);
    RECT band{0, 0, 320, kBandHeight};
    MapDialogRect(GetHwnd(), &band);
    FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(GetHwnd(), &paint);
    return true;
  }

  bool OnNotify(UINT_PTR id, NMHDR& header) override {
    notifyId = id;
    notifyCode = header.code;
    return true;
  }

 private:
  CTextLabel& Bind(CTextLabel& label, int id) {
    EXPECT_TRUE(label.SubclassDlgItem(GetHwnd(), id)) << id;
    return label;
  }
};

// The dialog's client area as read back from the screen.
class CPixels {
 public:
  CPixels(int width, int height, std::vector<RGBQUAD> bits)
      : m_width(width), m_height(height), m_bits(std::move(bits)) {}
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  COLORREF At(int x, int y) const {
    const RGBQUAD& p = m_bits[static_cast<size_t>(y) * m_width + x];
    return RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
  }
  const std::vector<RGBQUAD>& Bits() const { return m_bits; }
  // The part of `area` that was captured.
  RECT Clip(const RECT& area) const {
    return {std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0), std::min<LONG>(area.right, m_width),
            std::min<LONG>(area.bottom, m_height)};
  }

 private:
  int m_width;
  int m_height;
  std::vector<RGBQUAD> m_bits;
};

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

CPixels Capture(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  int width = client.right, height = client.bottom;
  winfx::CClientDC screen(window);
  BITMAPINFO info = TopDownInfo(width, height);
  void* bits = nullptr;
  winfx::CBitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  winfx::CMemoryDC memory(screen.Get());
  {
    winfx::CSelectObject select(memory.Get(), dib.Get());
    BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  const auto* first = static_cast<const RGBQUAD*>(bits);
  return CPixels(width, height, std::vector<RGBQUAD>(first, first + static_cast<size_t>(width) * height));
}

// What the window draws when asked to print its client area.
CPixels Print(const winfx::CWindow& window) {
  RECT client = window.GetClientRect();
  winfx::CClientDC screen(window.GetHwnd());
  BITMAPINFO info = TopDownInfo(client.right, client.bottom);
  void* bits = nullptr;
  winfx::CBitmap dib(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  winfx::CMemoryDC memory(screen.Get());
  {
    winfx::CSelectObject select(memory.Get(), dib.Get());
    window.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
    GdiFlush();
  }
  const auto* first = static_cast<const RGBQUAD*>(bits);
  size_t count = static_cast<size_t>(client.right) * client.bottom;
  return CPixels(client.right, client.bottom, std::vector<RGBQUAD>(first, first + count));
}

// A 32-bit top-down BMP file of the pixels.
bool SaveBitmap(const CPixels& pixels, const char* name) {
  BITMAPINFO info = TopDownInfo(pixels.Width(), pixels.Height());
  DWORD dataSize = static_cast<DWORD>(pixels.Bits().size() * sizeof(RGBQUAD));
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + dataSize;
  FILE* out = std::fopen(name, "wb");
  if (!out) return false;
  bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                 std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                 std::fwrite(pixels.Bits().data(), dataSize, 1, out) == 1;
  return std::fclose(out) == 0 && written;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The label's client area in the dialog's client coordinates.
RECT AreaOf(const CTextLabel& label) {
  RECT rect = label.GetClientRect();
  MapWindowPoints(label.GetHwnd(), label.GetParentHwnd(), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int CountNear(const CPixels& pixels, const RECT& wanted, COLORREF color, int tolerance) {
  RECT area = pixels.Clip(wanted);
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += Near(pixels.At(x, y), color, tolerance) ? 1 : 0;
  }
  return count;
}

// The bounding box of the pixels near `color` (or, with `matching` false, of
// those that are not); empty when there are none.
RECT BoxOf(const CPixels& pixels, const RECT& wanted, COLORREF color, int tolerance, bool matching) {
  RECT area = pixels.Clip(wanted);
  RECT box{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (Near(pixels.At(x, y), color, tolerance) != matching) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  return box;
}

// What is drawn on `background`.
RECT InkBox(const CPixels& pixels, const RECT& area, COLORREF background) {
  return BoxOf(pixels, area, background, 60, false);
}

RECT ColorBox(const CPixels& pixels, const RECT& area, COLORREF color, int tolerance) {
  return BoxOf(pixels, area, color, tolerance, true);
}

bool IsEmptyBox(const RECT& box) { return box.right <= box.left || box.bottom <= box.top; }

// The top-level window that holds each test's dialog. It is made once:
// hiding a top-level window costs Wine two seconds without a window manager,
// while the dialogs, children like the wizard's pages, come and go freely.
class CHostWindow {
 public:
  CHostWindow()
      : m_hwnd(CreateWindowExW(0, L"STATIC", L"Text labels", kStyle, 20, 20, 700, 500, nullptr, nullptr,
                               nullptr, nullptr)) {}
  ~CHostWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
  }
  CHostWindow(const CHostWindow&) = delete;
  CHostWindow& operator=(const CHostWindow&) = delete;
  HWND Get() const { return m_hwnd; }

  // Sizes the host so that its client area holds `child` exactly.
  void Fit(HWND child) const {
    RECT rect{};
    GetWindowRect(child, &rect);
    rect = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
    SetWindowPos(m_hwnd, HWND_TOP, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_SHOWWINDOW);
  }

 private:
  // The host paints nothing over its dialog.
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN;

  HWND m_hwnd;
};

class TextLabelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { s_host = new CHostWindow; }
  static void TearDownTestSuite() {
    delete s_host;
    s_host = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(s_host->Get());
    ASSERT_TRUE(dialog.CreateChild(s_host->Get()));
    s_host->Fit(dialog.GetHwnd());
    Pump(150);
  }
  void TearDown() override {
    if (dialog.GetHwnd()) DestroyWindow(dialog.GetHwnd());
    Pump(20);
  }

  void Pump(DWORD milliseconds) { uidriver::PumpMessages(std::chrono::milliseconds(milliseconds)); }

  CPixels Shot() { return Capture(dialog.GetHwnd()); }

  static CHostWindow* s_host;
  CLabelDialog dialog;
};

CHostWindow* TextLabelTest::s_host = nullptr;

TEST_F(TextLabelTest, TransparentTitlesShowCodePageTextOverTheBand) {
  EXPECT_EQ(dialog.title.GetText(), kWideTitle);
  EXPECT_EQ(dialog.description.GetText(), kWideDescription);

  CPixels pixels = Shot();
  EXPECT_TRUE(SaveBitmap(pixels, "label_wine_test.bmp"));
  RECT title = AreaOf(dialog.title);
  // The band shows through everywhere but under the text.
  EXPECT_EQ(CountNear(pixels, title, GetSysColor(COLOR_BTNFACE), 0), 0);
  EXPECT_GT(CountNear(pixels, title, kWhite, 0), (title.right - title.left) * (title.bottom - title.top) / 2);
  EXPECT_GT(CountNear(pixels, title, kTitleColor, 40), 20);
  RECT description = AreaOf(dialog.description);
  EXPECT_EQ(CountNear(pixels, description, GetSysColor(COLOR_BTNFACE), 0), 0);
  EXPECT_FALSE(IsEmptyBox(InkBox(pixels, description, kWhite)));
}

TEST_F(TextLabelTest, ChangingATransparentTextLeavesNothingOfTheOldOne) {
  RECT title = AreaOf(dialog.title);
  RECT before = InkBox(Shot(), title, kWhite);
  ASSERT_FALSE(IsEmptyBox(before));
  dialog.title.SetText(L"Z");
  Pump(100);
  CPixels pixels = Shot();
  RECT after = InkBox(pixels, title, kWhite);
  ASSERT_FALSE(IsEmptyBox(after));
  EXPECT_LT(after.right - after.left, (before.right - before.left) / 4);
  EXPECT_EQ(CountNear(pixels, title, GetSysColor(COLOR_BTNFACE), 0), 0);
}

TEST_F(TextLabelTest, OpaqueLabelsFillTheirBackground) {
  CPixels pixels = Shot();
  RECT opaque = AreaOf(dialog.opaque);
  EXPECT_EQ(pixels.At(opaque.left, opaque.top), kGreen);
  EXPECT_EQ(pixels.At(opaque.right - 1, opaque.bottom - 1), kGreen);
  EXPECT_GT(CountNear(pixels, opaque, kYellow, 40), 20);

  RECT plain = AreaOf(dialog.plain);
  EXPECT_EQ(pixels.At(plain.right - 1, plain.bottom - 1), GetSysColor(COLOR_BTNFACE));
  EXPECT_GT(CountNear(pixels, plain, GetSysColor(COLOR_WINDOWTEXT), 60), 5);

  // Printing the label (as screenshots do) draws the same look.
  CPixels printed = Print(dialog.opaque);
  RECT all{0, 0, printed.Width(), printed.Height()};
  EXPECT_EQ(printed.At(0, 0), kGreen);
  EXPECT_GT(CountNear(printed, all, kYellow, 40), 20);

  // Disabling the control keeps the label's own look.
  dialog.opaque.Enable(false);
  Pump(30);
  EXPECT_EQ(Shot().At(opaque.right - 1, opaque.bottom - 1), kGreen);
}

TEST_F(TextLabelTest, ASystemColourChangeRepaintsTheDefaultBackground) {
  INT element = COLOR_BTNFACE;
  COLORREF original = GetSysColor(COLOR_BTNFACE);
  COLORREF changed = RGB(200, 100, 50);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));
  Pump(100);
  for (CTextLabel* label : {&dialog.plain, &dialog.opaque}) label->Send(WM_SYSCOLORCHANGE);
  Pump(50);
  CPixels pixels = Shot();
  SetSysColors(1, &element, &original);

  RECT plain = AreaOf(dialog.plain);
  EXPECT_EQ(pixels.At(plain.right - 1, plain.bottom - 1), changed);
  RECT opaque = AreaOf(dialog.opaque);
  EXPECT_EQ(pixels.At(opaque.right - 1, opaque.bottom - 1), kGreen);
}

TEST_F(TextLabelTest, FlashingTextHidesAndShowsEveryHalfSecond) {
  RECT area = AreaOf(dialog.flash);
  dialog.flash.FlashText(true);
  // The times at which the text appeared or disappeared, over more than two
  // periods.
  std::vector<DWORD> changes;
  DWORD start = GetTickCount();
  bool wasVisible = true;
  while (GetTickCount() - start < 2000) {
    Pump(25);
    CPixels pixels = Shot();
    EXPECT_EQ(pixels.At(area.left, area.top), kNavy);
    bool visible = CountNear(pixels, area, kWhite, 60) > 10;
    if (visible != wasVisible) changes.push_back(GetTickCount() - start);
    wasVisible = visible;
  }
  // Wide bounds: a loaded machine delays timers and the pictures, but a
  // wrong period (tens of milliseconds, or seconds) still shows.
  ASSERT_GE(changes.size(), 2u);
  for (size_t i = 1; i < changes.size(); ++i) {
    DWORD phase = changes[i] - changes[i - 1];
    EXPECT_GE(phase, 250u) << "phase " << i;
    EXPECT_LE(phase, 1500u) << "phase " << i;
  }

  dialog.flash.FlashText(false);
  for (int i = 0; i < 12; ++i) {
    Pump(50);
    EXPECT_GT(CountNear(Shot(), area, kWhite, 60), 10) << "sample " << i << " after the flash stopped";
  }
}

TEST_F(TextLabelTest, FlashingBackgroundSwapsTheColours) {
  RECT area = AreaOf(dialog.flashBack);
  dialog.flashBack.FlashBackground(true);
  int navy = 0, white = 0;
  for (int i = 0; i < 24; ++i) {
    Pump(50);
    COLORREF corner = Shot().At(area.left, area.top);
    navy += corner == kNavy ? 1 : 0;
    white += corner == kWhite ? 1 : 0;
  }
  EXPECT_GT(navy, 4);
  EXPECT_GT(white, 4);
  dialog.flashBack.FlashBackground(false);
  Pump(600);
  EXPECT_EQ(Shot().At(area.left, area.top), kNavy);
}

TEST_F(TextLabelTest, ShadowLiesOnThePixelBesideTheText) {
  RECT area = AreaOf(dialog.shadow);
  CPixels raised = Shot();
  RECT text = ColorBox(raised, area, kBlue, 30);
  RECT shade = ColorBox(raised, area, kShadow, 30);
  ASSERT_FALSE(IsEmptyBox(text));
  ASSERT_FALSE(IsEmptyBox(shade));
  EXPECT_GT(shade.right, text.right);
  EXPECT_GT(shade.bottom, text.bottom);

  dialog.shadow.Set3DText(true, false);
  Pump(50);
  CPixels sunk = Shot();
  RECT sunkShade = ColorBox(sunk, area, kShadow, 30);
  RECT sunkText = ColorBox(sunk, area, kBlue, 30);
  EXPECT_LT(sunkShade.left, sunkText.left);
  // Anti-aliased edges blur a single pixel; the two shadows lie two apart.
  EXPECT_LE(sunkShade.top, sunkText.top);
  EXPECT_LT(sunkShade.top, shade.top);
  EXPECT_LT(sunkShade.left, shade.left);

  dialog.shadow.Set3DText(false, false);
  Pump(50);
  EXPECT_EQ(CountNear(Shot(), area, kShadow, 30), 0);
}

TEST_F(TextLabelTest, RotatedTextRunsUpwards) {
  RECT area = AreaOf(dialog.rotated);
  RECT ink = InkBox(Shot(), area, kWhite);
  ASSERT_FALSE(IsEmptyBox(ink));
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  EXPECT_EQ(dialog.rotated.GetLogFont().lfEscapement, 900);

  dialog.rotated.SetRotationAngle(0, false);
  Pump(50);
  RECT flat = InkBox(Shot(), area, kWhite);
  ASSERT_FALSE(IsEmptyBox(flat));
  EXPECT_LT(flat.bottom - flat.top, ink.bottom - ink.top);
}

TEST_F(TextLabelTest, StyleDecidesWrappingAndCentring) {
  CPixels pixels = Shot();
  RECT wrapped = InkBox(pixels, AreaOf(dialog.wrapped), kWhite);
  RECT centredArea = AreaOf(dialog.centred);
  RECT centred = InkBox(pixels, centredArea, kWhite);
  ASSERT_FALSE(IsEmptyBox(wrapped));
  ASSERT_FALSE(IsEmptyBox(centred));
  // The wrapped text takes lines: half as high again as a one-line label.
  EXPECT_GT(2 * (wrapped.bottom - wrapped.top), 3 * (centred.bottom - centred.top));
  EXPECT_NEAR((centred.left + centred.right) / 2, (centredArea.left + centredArea.right) / 2, 3);
  EXPECT_NEAR((centred.top + centred.bottom) / 2, (centredArea.top + centredArea.bottom) / 2, 4);
}

TEST_F(TextLabelTest, FontSettingsChangeOnlyWhatTheyName) {
  RECT area = AreaOf(dialog.font);
  int regular = CountNear(Shot(), area, kBlack, 100);
  dialog.font.SetFontBold(true);
  Pump(30);
  int bold = CountNear(Shot(), area, kBlack, 100);
  EXPECT_GT(bold, regular + regular / 5);
  dialog.font.SetFontUnderline(true);
  Pump(30);
  EXPECT_GT(CountNear(Shot(), area, kBlack, 100), bold);

  dialog.font.SetFontName(L"Courier New").SetFontItalic(true).SetFontSize(20).SetFontSize(12);
  const LOGFONTW& font = dialog.font.GetLogFont();
  winfx::CClientDC screen(nullptr);
  EXPECT_EQ(font.lfHeight, LabelFontHeight(12, GetDeviceCaps(screen.Get(), LOGPIXELSY)));
  EXPECT_EQ(font.lfWidth, 0);
  EXPECT_STREQ(font.lfFaceName, L"Courier New");
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_TRUE(font.lfItalic);
  EXPECT_TRUE(font.lfUnderline);

  dialog.font.SetFontName(std::wstring(40, L'x'));
  EXPECT_EQ(std::wstring(dialog.font.GetLogFont().lfFaceName), std::wstring(31, L'x'));
}

TEST_F(TextLabelTest, SunkenEdgeAndBorderTakeTheirFrame) {
  RECT plain = dialog.framed.GetClientRect();
  dialog.framed.SetSunken(true);
  RECT sunken = dialog.framed.GetClientRect();
  EXPECT_LT(sunken.right, plain.right);
  EXPECT_LT(sunken.bottom, plain.bottom);
  dialog.framed.SetSunken(false).SetBorder(true);
  RECT bordered = dialog.framed.GetClientRect();
  EXPECT_LT(bordered.right, plain.right);
  EXPECT_TRUE(dialog.framed.GetStyle() & WS_BORDER);
  EXPECT_FALSE(GetWindowLongPtrW(dialog.framed.GetHwnd(), GWL_EXSTYLE) & WS_EX_STATICEDGE);
  dialog.framed.SetBorder(false);
  EXPECT_EQ(dialog.framed.GetClientRect().right, plain.right);
}

TEST_F(TextLabelTest, ClicksOpenTheLinkOrNotifyTheParent) {
  dialog.link.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ASSERT_EQ(dialog.opened.size(), 1u);
  EXPECT_EQ(dialog.opened[0], L"B:\\readme.txt");
  EXPECT_EQ(dialog.notifyCode, 0u);

  dialog.notify.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(dialog.notifyCode, CTextLabel::kClicked);
  EXPECT_EQ(dialog.notifyId, static_cast<UINT_PTR>(IDC_NOTIFY));

  // Only a label with the notify style takes the mouse; others let it
  // through to the dialog.
  auto hit = [](const CTextLabel& label) {
    RECT rect{};
    GetWindowRect(label.GetHwnd(), &rect);
    return label.Send(WM_NCHITTEST, 0, MAKELPARAM(rect.left + 2, rect.top + 2));
  };
  EXPECT_EQ(hit(dialog.notify), HTCLIENT);
  EXPECT_EQ(hit(dialog.plainLink), HTTRANSPARENT);
  dialog.notify.SetLink(false, false);
  EXPECT_EQ(hit(dialog.notify), HTTRANSPARENT);
}

TEST_F(TextLabelTest, TheLinkCursorShowsOverTheLabel) {
  HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  SetCursor(nullptr);
  LPARAM hitAndMove = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  EXPECT_EQ(dialog.link.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog.link.GetHwnd()), hitAndMove),
            TRUE);
  EXPECT_EQ(GetCursor(), hand);
  // Without a link cursor the class cursor shows.
  dialog.notify.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog.notify.GetHwnd()), hitAndMove);
  EXPECT_NE(GetCursor(), hand);
}

}  // namespace

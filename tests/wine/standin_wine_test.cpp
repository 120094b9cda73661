// The spreadsheet stand-in as a user's macro meets it: started out of
// process by its ProgID and driven through IDispatch by name (GetIDsOfNames,
// then Invoke), so that the stand-in cannot become kinder than the real
// program again. One table per group of behaviours of the real program.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "assistant/excel/com_automation_win32.h"
#include "tests/standins/exposed_dispatch_win32.h"
#include "tests/unit/fakes/recording_automation_sink.h"
#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/excel_link_wine_support.h"

namespace {

using namespace linktest;

constexpr SCODE kSpreadsheetError = static_cast<SCODE>(0x800A03EC);
constexpr IID kWorksheetEventsIid = {
    0x00024411, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// A VARIANT owned by the test.
struct Var {
  VARIANT v;
  Var() { VariantInit(&v); }
  Var(int number) : Var() {
    V_VT(&v) = VT_I4;
    V_I4(&v) = number;
  }
  Var(const wchar_t* text) : Var() {
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
  }
  Var(const Var& other) : Var() { VariantCopy(&v, const_cast<VARIANT*>(&other.v)); }
  Var& operator=(const Var& other) {
    if (this != &other) VariantCopy(&v, const_cast<VARIANT*>(&other.v));
    return *this;
  }
  ~Var() { VariantClear(&v); }

  VARTYPE Type() const { return V_VT(&v); }
  // The value as text, as a macro's CStr would give it ("" for empty).
  std::wstring Text() const {
    Var text;
    if (FAILED(VariantChangeType(&text.v, const_cast<VARIANT*>(&v), 0, VT_BSTR)))
      return L"<" + std::to_wstring(Type()) + L">";
    return V_BSTR(&text.v) ? V_BSTR(&text.v) : L"";
  }
};

// What a late-bound call gave: its result, or its failure and the
// exception's code.
struct Outcome {
  HRESULT hr = S_OK;
  SCODE scode = 0;
  Var value;
};

// An object reached by name, as a macro reaches it.
class CLate {
 public:
  CLate() = default;
  explicit CLate(const Var& value) {
    if (value.Type() == VT_DISPATCH) m_object = value;
  }
  IDispatch* Dispatch() const { return m_object.Type() == VT_DISPATCH ? V_DISPATCH(&m_object.v) : nullptr; }

  // `name(args...)` read, put (the value last) or called; `argumentNames`
  // name the last arguments, as `SaveAs Filename:=...` does.
  Outcome Try(const std::wstring& name, WORD flags, std::vector<Var> args = {},
              const std::vector<std::wstring>& argumentNames = {}) const {
    Outcome outcome;
    if (!Dispatch()) {
      outcome.hr = E_POINTER;
      return outcome;
    }
    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(name.c_str())};
    for (const std::wstring& argument : argumentNames)
      names.push_back(const_cast<LPOLESTR>(argument.c_str()));
    std::vector<DISPID> ids(names.size());
    outcome.hr = Dispatch()->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()),
                                           LOCALE_USER_DEFAULT, ids.data());
    if (FAILED(outcome.hr)) return outcome;
    // DISPPARAMS: last argument first; named ones first of all.
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it) reversed.push_back(it->v);
    std::vector<DISPID> namedIds(ids.begin() + 1, ids.end());
    std::reverse(namedIds.begin(), namedIds.end());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), namedIds.data(), static_cast<UINT>(reversed.size()),
                      static_cast<UINT>(namedIds.size())};
    if (flags & DISPATCH_PROPERTYPUT) {
      params.rgdispidNamedArgs = &putId;
      params.cNamedArgs = 1;
    }
    EXCEPINFO info{};
    outcome.hr = Dispatch()->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &outcome.value.v,
                                    &info, nullptr);
    outcome.scode = info.scode;
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    return outcome;
  }

  // A property read with arguments, as `Cells(5, 2)`; fails the test on an error.
  CLate operator()(const std::wstring& name, std::vector<Var> args = {}) const {
    return CLate(Get(name, std::move(args)));
  }
  Var Get(const std::wstring& name, std::vector<Var> args = {}) const {
    Outcome outcome = Try(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(args));
    EXPECT_EQ(outcome.hr, S_OK) << "reading " << std::string(name.begin(), name.end());
    return outcome.value;
  }
  HRESULT Put(const std::wstring& name, const Var& value, std::vector<Var> args = {}) const {
    args.push_back(value);
    return Try(name, DISPATCH_PROPERTYPUT, std::move(args)).hr;
  }

 private:
  Var m_object;
};

// A 2 x 2 array of texts, as a macro's Array() of rows would be handed over.
Var TextBlock(const wchar_t* a, const wchar_t* b, const wchar_t* c, const wchar_t* d) {
  SAFEARRAYBOUND bounds[2] = {{2, 1}, {2, 1}};
  Var block;
  V_VT(&block.v) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(&block.v) = SafeArrayCreate(VT_VARIANT, 2, bounds);
  const wchar_t* texts[4] = {a, b, c, d};
  for (LONG i = 0; i < 4; ++i) {
    LONG index[2] = {1 + i / 2, 1 + i % 2};
    Var element(texts[i]);
    SafeArrayPutElement(V_ARRAY(&block.v), index, &element.v);
  }
  return block;
}

// Element (row, column) of a two-dimensional array from 1.
Var ElementOf(const Var& block, LONG row, LONG column) {
  Var element;
  LONG index[2] = {row, column};
  if (block.Type() == (VT_ARRAY | VT_VARIANT)) SafeArrayGetElement(V_ARRAY(&block.v), index, &element.v);
  return element;
}

class StandinWineTest : public ::testing::Test {
 protected:
  // Late registration: as the real program, the application is not the
  // class's running object until its window has lost the focus.
  static void SetUpTestSuite() { ASSERT_TRUE(RunStandin(L"/regserver /lateregister")); }

  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    CLSID classId{};
    ASSERT_TRUE(SUCCEEDED(CLSIDFromProgID(L"Excel.Application", &classId)));
    m_classId = classId;
    IDispatch* app = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                           reinterpret_cast<void**>(&app))));
    Var held;
    V_VT(&held.v) = VT_DISPATCH;
    V_DISPATCH(&held.v) = app;
    m_app = CLate(held);
    m_app(L"Workbooks").Try(L"Add", DISPATCH_METHOD);
    m_sheet = m_app(L"ActiveSheet");
  }

  void TearDown() override {
    HWND frame = StandinFrame();
    m_app.Put(L"Visible", Var(0));
    m_sheet = CLate();
    m_app = CLate();
    if (frame) {
      EXPECT_TRUE(WaitForStandinExit(frame)) << "the stand-in did not end";
    }
    OleUninitialize();
  }

  CLate Cell(int row, int column) const { return m_sheet(L"Cells", {row, column}); }

  CLSID m_classId{};
  CLate m_app;
  CLate m_sheet;
};

// A text put as Value or Formula is read as typing would read it.
TEST_F(StandinWineTest, EntriesAreReadAsTyped) {
  struct Case {
    const wchar_t* entry;
    VARTYPE type;  // of Value
    const wchar_t* value;
    const wchar_t* formula;
    const wchar_t* text;
    const wchar_t* prefix;
  };
  const Case cases[] = {
      {L"=2*3", VT_R8, L"6", L"=2*3", L"6", L""},
      {L"-120*6", VT_R8, L"-720", L"=-120*6", L"-720", L""},
      {L"+5*2", VT_R8, L"10", L"=+5*2", L"10", L""},
      {L"'-120*6", VT_BSTR, L"-120*6", L"-120*6", L"-120*6", L"'"},
      {L"12", VT_R8, L"12", L"12", L"12", L""},
      {L"1.5", VT_R8, L"1.5", L"1.5", L"1.5", L""},
      {L"-3", VT_R8, L"-3", L"-3", L"-3", L""},
      {L"H300*200*6*8", VT_BSTR, L"H300*200*6*8", L"H300*200*6*8", L"H300*200*6*8", L""},
      {L"L50X5", VT_BSTR, L"L50X5", L"L50X5", L"L50X5", L""},
      // Dates are not read as dates here: "1/2" stays a text.
      {L"1/2", VT_BSTR, L"1/2", L"1/2", L"1/2", L""},
  };
  for (const wchar_t* member : {L"Value", L"Formula"}) {
    for (const Case& c : cases) {
      std::wstring what = std::wstring(member) + L" = " + c.entry;
      CLate cell = Cell(5, 2);
      ASSERT_EQ(cell.Put(member, c.entry), S_OK) << what.c_str();
      Var value = cell.Get(L"Value");
      EXPECT_EQ(value.Type(), c.type) << what.c_str();
      EXPECT_EQ(value.Text(), c.value) << what.c_str();
      EXPECT_EQ(cell.Get(L"Formula").Text(), c.formula) << what.c_str();
      EXPECT_EQ(cell.Get(L"Text").Text(), c.text) << what.c_str();
      EXPECT_EQ(cell.Get(L"PrefixCharacter").Text(), c.prefix) << what.c_str();
    }
  }

  // Starting like a formula without reading as one: the put fails with the
  // spreadsheet's error, and the cell keeps what it had.
  for (const wchar_t* refused : {L"-120~200*6", L"=A1*", L"+x"}) {
    Outcome outcome = Cell(5, 2).Try(L"Value", DISPATCH_PROPERTYPUT, {Var(refused)});
    EXPECT_EQ(outcome.hr, DISP_E_EXCEPTION) << refused;
    EXPECT_EQ(outcome.scode, kSpreadsheetError) << refused;
    EXPECT_EQ(Cell(5, 2).Get(L"Text").Text(), L"1/2") << refused;
  }
}

// What a macro writes by name reaches the cells it names.
TEST_F(StandinWineTest, LateBindingReachesCellsByName) {
  // Parameterised properties and default members (dispatch id 0).
  ASSERT_EQ(m_sheet.Put(L"Cells", Var(L"'-120*6"), {5, 2}), S_OK);  // sheet.Cells(5, 2) = ...
  ASSERT_EQ(m_sheet(L"Range", {L"C5"}).Put(L"Value", Var(L"H300*200*6*8")), S_OK);
  CLate book = m_app(L"Workbooks", {1});
  struct Case {
    const char* what;
    Var result;
    const wchar_t* text;
  };
  const Case cases[] = {
      {"Cells(5, 2).Value", Cell(5, 2).Get(L"Value"), L"-120*6"},
      {"Cells(5, 2) (default member)", m_sheet.Get(L"Cells", {5, 2}), L""},
      {"Range(\"B5\").Text", m_sheet(L"Range", {L"B5"}).Get(L"Text"), L"-120*6"},
      {"Range(\"$C$5\").Column", m_sheet(L"Range", {L"$C$5"}).Get(L"Column"), L"3"},
      {"Range(\"B5:G20\").Count", m_sheet(L"Range", {L"B5:G20"}).Get(L"Count"), L"96"},
      {"Range(\"B5:G20\").Range(\"B1\").Column",
       m_sheet(L"Range", {L"B5:G20"})(L"Range", {L"B1"}).Get(L"Column"), L"3"},
      {"Range(\"B5\")._Default", m_sheet(L"Range", {L"B5"}).Get(L"_Default"), L"-120*6"},
      {"Workbooks(1).Name", book.Get(L"Name"), L"Book1"},
      {"Workbooks(\"book1\").Name", m_app(L"Workbooks", {L"book1"}).Get(L"Name"), L"Book1"},
      {"Sheets(\"Sheet2\").Index", book(L"Sheets", {L"Sheet2"}).Get(L"Index"), L"2"},
      {"Worksheets(3).Name", book(L"Worksheets", {3}).Get(L"Name"), L"Sheet3"},
      {"Sheets._Default(1).Name", book(L"Sheets")(L"_Default", {1}).Get(L"Name"), L"Sheet1"},
      {"Application.Cells(5, 3).Value", m_app(L"Cells", {5, 3}).Get(L"Value"), L"H300*200*6*8"},
  };
  for (const Case& c : cases) {
    if (c.result.Type() == VT_DISPATCH) {
      // An object is read through its default member, as a macro prints it.
      EXPECT_EQ(CLate(c.result).Get(L"_Default").Text(), L"-120*6") << c.what;
    } else {
      EXPECT_EQ(c.result.Text(), c.text) << c.what;
    }
  }

  // Merged areas answer MergeArea at the spreadsheet's dispatch id.
  m_sheet(L"Range", {L"A1:A2"}).Try(L"Merge", DISPATCH_METHOD);
  DISPID mergeArea = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"MergeArea");
  ASSERT_EQ(Cell(2, 1).Dispatch()->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &mergeArea), S_OK);
  EXPECT_EQ(mergeArea, 0x569);
  EXPECT_EQ(Cell(2, 1)(L"MergeArea").Get(L"Count").Text(), L"2");

  // Errors come as the spreadsheet's exception; unknown names are refused.
  Outcome outside = m_sheet.Try(L"Cells", DISPATCH_PROPERTYGET, {Var(0), Var(1)});
  EXPECT_EQ(outside.hr, DISP_E_EXCEPTION);
  EXPECT_EQ(outside.scode, kSpreadsheetError);
  EXPECT_EQ(m_sheet.Try(L"NoSuchMember", DISPATCH_PROPERTYGET).hr, DISP_E_UNKNOWNNAME);

  // Named arguments, as `SaveAs Filename:="..."` and `Open Filename:=...`.
  const wchar_t* path = L"C:\\users\\Public\\named.xls";
  Outcome saved = book.Try(L"SaveAs", DISPATCH_METHOD, {Var(path), Var(1)}, {L"Filename", L"FileFormat"});
  ASSERT_EQ(saved.hr, S_OK);
  EXPECT_EQ(book.Get(L"Name").Text(), L"named.xls");
  Outcome opened = m_app(L"Workbooks").Try(L"Open", DISPATCH_METHOD, {Var(path)}, {L"Filename"});
  ASSERT_EQ(opened.hr, S_OK);
  EXPECT_EQ(CLate(opened.value)(L"Sheets", {1})(L"Range", {L"C5"}).Get(L"Text").Text(), L"H300*200*6*8");
}

// A block's values and formulas in one call each, one change event a write;
// Text of cells that differ is Null.
TEST_F(StandinWineTest, BlocksAreReadAndWrittenAsArrays) {
  auto recorder = std::make_shared<CRecordingAutomationSink>();
  IDispatch* sink = ExposeAsDispatch(recorder);
  IConnectionPointContainer* container = nullptr;
  IConnectionPoint* point = nullptr;
  DWORD cookie = 0;
  ASSERT_EQ(
      m_sheet.Dispatch()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)),
      S_OK);
  ASSERT_EQ(container->FindConnectionPoint(kWorksheetEventsIid, &point), S_OK);
  ASSERT_EQ(point->Advise(sink, &cookie), S_OK);

  CLate block = m_sheet(L"Range", {L"B5:C6"});
  ASSERT_EQ(block.Put(L"Value", TextBlock(L"'-120*6", L"12", L"-100*10", L"L50X5")), S_OK);
  ASSERT_EQ(m_sheet(L"Range", {L"F5:G6"}).Put(L"Formula", TextBlock(L"=B6*2", L"=F5+1", L"=2", L"=C5")),
            S_OK);
  EXPECT_TRUE(PumpUntil([&] { return recorder->events.size() >= 2; }));
  ASSERT_EQ(recorder->events.size(), 2u);  // one change a write, for the whole block
  EXPECT_EQ(recorder->events[0].target, CellRect::Cell(5, 2));
  EXPECT_EQ(recorder->events[1].target, CellRect::Cell(5, 6));

  Var values = block.Get(L"Value");
  ASSERT_EQ(values.Type(), VT_ARRAY | VT_VARIANT);
  EXPECT_EQ(SafeArrayGetDim(V_ARRAY(&values.v)), 2u);
  const struct {
    LONG row, column;
    VARTYPE type;
    const wchar_t* text;
  } cells[] = {
      {1, 1, VT_BSTR, L"-120*6"}, {1, 2, VT_R8, L"12"}, {2, 1, VT_R8, L"-1000"}, {2, 2, VT_BSTR, L"L50X5"}};
  for (const auto& c : cells) {
    EXPECT_EQ(ElementOf(values, c.row, c.column).Type(), c.type) << c.row << "," << c.column;
    EXPECT_EQ(ElementOf(values, c.row, c.column).Text(), c.text) << c.row << "," << c.column;
  }
  Var formulas = m_sheet(L"Range", {L"F5:G6"}).Get(L"Formula");
  EXPECT_EQ(ElementOf(formulas, 1, 2).Text(), L"=F5+1");
  EXPECT_EQ(m_sheet(L"Range", {L"G5"}).Get(L"Value").Text(), L"-1999");

  // Text of a block: the shared text, or Null when the cells differ.
  EXPECT_EQ(block.Get(L"Text").Type(), VT_NULL);
  m_sheet(L"Range", {L"H1:H3"}).Put(L"Value", Var(L"same"));
  EXPECT_EQ(m_sheet(L"Range", {L"H1:H3"}).Get(L"Text").Text(), L"same");
  // An empty sheet's used range is its first cell.
  CLate empty = m_app(L"Workbooks", {1})(L"Sheets", {2})(L"UsedRange");
  EXPECT_EQ(empty.Get(L"Row").Text() + L"," + empty.Get(L"Count").Text(), L"1,1");

  point->Unadvise(cookie);
  point->Release();
  container->Release();
  sink->Release();
}

// The frame's title carries the active workbook's name, Application.Caption
// reads that title, and the windows have the spreadsheet's classes.
TEST_F(StandinWineTest, CaptionFollowsTheActiveWorkbook) {
  HWND frame = StandinFrame();
  ASSERT_NE(frame, nullptr);
  std::wstring caption = m_app.Get(L"Caption").Text();
  EXPECT_EQ(caption, L"Spreadsheet - Book1");
  EXPECT_EQ(FindWindowW(L"XLMAIN", caption.c_str()), frame);
  EXPECT_EQ(m_app.Get(L"Hwnd").Text(), std::to_wstring(reinterpret_cast<INT_PTR>(frame)));
  EXPECT_EQ(m_app.Get(L"_Default").Text(), L"Spreadsheet");

  m_app(L"Workbooks").Try(L"Add", DISPATCH_METHOD);
  EXPECT_EQ(m_app.Get(L"Caption").Text(), L"Spreadsheet - Book2");
  EXPECT_TRUE(PumpUntil([&] { return uidriver::GetText(frame) == L"Spreadsheet - Book2"; }));
  EXPECT_EQ(FindWindowW(L"XLMAIN", caption.c_str()), nullptr);  // the old title is gone
  EXPECT_NE(StandinBookWindow(L"Book1"), nullptr);
  EXPECT_NE(StandinBookWindow(L"Book2"), nullptr);
  m_app(L"Workbooks", {1}).Try(L"Activate", DISPATCH_METHOD);
  EXPECT_EQ(m_app.Get(L"Caption").Text(), caption);
  // The title comes back, and the workbook's window is in front again.
  EXPECT_TRUE(PumpUntil([&] { return FindWindowW(L"XLMAIN", caption.c_str()) == frame; }));
  EXPECT_EQ(uidriver::GetText(StandinBookWindow()), L"Book1");
  // A restored workbook window leaves the program's name alone in the title.
  ASSERT_EQ(m_app(L"ActiveWindow").Put(L"WindowState", Var(-4143)), S_OK);
  EXPECT_EQ(m_app.Get(L"Caption").Text(), L"Spreadsheet");
  EXPECT_TRUE(PumpUntil([&] { return uidriver::GetText(frame) == L"Spreadsheet"; }));
}

// The application registers as the class's running object only when its
// window has lost the focus, and only the first instance does.
TEST_F(StandinWineTest, OnlyTheFirstInstanceRegistersAndOnlyOnceInTheBackground) {
  IUnknown* running = nullptr;
  EXPECT_EQ(GetActiveObject(m_classId, nullptr, &running), MK_E_UNAVAILABLE);  // hidden since its start
  ASSERT_EQ(m_app.Put(L"Visible", Var(-1)), S_OK);
  HWND frame = StandinFrame();
  // Another program's window in front: the stand-in's frame has lost the focus.
  HWND other = CreateWindowExW(0, L"STATIC", L"other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  EXPECT_TRUE(PumpUntil([&] { return SUCCEEDED(GetActiveObject(m_classId, nullptr, &running)); }));
  if (running) running->Release();

  // A second instance started by hand stays out of the class's entry.
  uidriver::CProcess second;
  ASSERT_TRUE(second.Start(std::filesystem::absolute(ZM_STANDIN_EXE)));
  HWND secondFrame = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    for (HWND w = FindWindowW(L"XLMAIN", nullptr); w; w = FindWindowExW(nullptr, w, L"XLMAIN", nullptr)) {
      if (w != frame) secondFrame = w;
    }
    return secondFrame != nullptr;
  }));
  SetForegroundWindow(other);
  PumpUntil([] { return false; }, 1s);  // its timer has seen it in the background
  IUnknown* found = nullptr;
  ASSERT_EQ(GetActiveObject(m_classId, nullptr, &found), S_OK);
  Var held;
  V_VT(&held.v) = VT_DISPATCH;
  ASSERT_EQ(found->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(&held.v))), S_OK);
  found->Release();
  EXPECT_EQ(CLate(held).Get(L"Hwnd").Text(), std::to_wstring(reinterpret_cast<INT_PTR>(frame)));
  PostMessageW(secondFrame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(second.WaitForExit(15s).has_value());
  DestroyWindow(other);
}

// Calls are rejected while a cell is being edited, while an error box is
// open, and while a test holds the stand-in busy.
TEST_F(StandinWineTest, BusyStandinRejectsCalls) {
  ASSERT_EQ(m_app.Put(L"Visible", Var(-1)), S_OK);
  HWND grid = StandinBookWindow(L"Book1");
  ASSERT_NE(grid, nullptr);
  CLate a1 = Cell(1, 1);  // reached before the stand-in is busy
  auto rejected = [&] { return a1.Try(L"Value", DISPATCH_PROPERTYGET).hr == RPC_E_CALL_REJECTED; };
  auto type = [&](const std::wstring& keys) {
    for (wchar_t c : keys) PostMessageW(grid, WM_CHAR, c, 0);
  };
  DWORD standinProcess = 0;
  GetWindowThreadProcessId(grid, &standinProcess);

  struct Case {
    const wchar_t* keys;  // typed into B4, Enter last
    const wchar_t* text;  // of B4 afterwards
    bool errorBox;
  };
  const Case cases[] = {
      {L"'-120*6", L"-120*6", false},
      {L"-120*6", L"-720", false},
      {L"-120~200*6", L"-720", true},  // refused: the cell keeps what it had
  };
  for (const Case& c : cases) {
    // Cell B4 of the grid: 90 pixels a column after a 40-pixel row header, 20 a row.
    PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40 + 90 + 10, 4 * 20 + 5));
    type(c.keys);
    EXPECT_TRUE(PumpUntil(rejected, 5s)) << "not busy while editing " << c.keys;
    type(L"\r");
    if (c.errorBox) {
      std::optional<uidriver::MessageBoxSeen> box = uidriver::WaitForMessageBox(standinProcess, 10s);
      ASSERT_TRUE(box.has_value()) << "no error box for " << c.keys;
      EXPECT_TRUE(rejected()) << "not busy while the error box is open";
      uidriver::Answer(*box, IDOK);
    }
    EXPECT_TRUE(PumpUntil([&] { return !rejected(); }, 5s)) << "still busy after " << c.keys;
    EXPECT_EQ(m_sheet(L"Range", {L"B4"}).Get(L"Text").Text(), c.text) << c.keys;
  }

  ASSERT_EQ(m_app.Try(L"HoldBusy", DISPATCH_METHOD, {Var(1500)}).hr, S_OK);
  EXPECT_TRUE(rejected());
  EXPECT_TRUE(PumpUntil([&] { return !rejected(); }, 5s));
}

}  // namespace

// The COM adapter of the automation port against the in-memory workbook
// shown through IDispatch, in one process under Wine: every call crosses
// IDispatch::Invoke both ways.

#include <windows.h>

#include <gtest/gtest.h>

#include "assistant/bom_sheet/bom_row_writer.h"
#include "assistant/bom_sheet/sheet_header.h"
#include "assistant/config/bom_style.h"
#include "assistant/engine/material_library.h"
#include "assistant/excel/automation_error.h"
#include "assistant/excel/com_automation_win32.h"
#include "assistant/excel/dispatch_ids.h"
#include "assistant/excel/excel_dispatch.h"
#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "base/status.h"
#include "tests/standins/exposed_dispatch_win32.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/unit/fakes/recording_automation_sink.h"

namespace {

class ExcelComTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    m_app.Attach(WrapDispatch(ExposeAsDispatch(MakeApplicationObject(m_model))));
  }
  void TearDown() override {
    m_app.Release();
    m_model.reset();
    EXPECT_EQ(ExposedDispatchCount(), 0);  // every reference given out came back
    CoUninitialize();
  }

  std::shared_ptr<CWorkbookModel> m_model = CWorkbookModel::Create();
  ExcelDispatch m_app;
};

TEST_F(ExcelComTest, HeadersAndRowsAreWrittenThroughIDispatch) {
  ExcelDispatch book = m_app.Workbooks().Add();  // the omitted argument crosses as VT_ERROR
  ExcelDispatch sheet = m_app.ActiveSheet();
  SelectTextTable(950);
  EXPECT_EQ(WriteStandardHeader(sheet), 1);
  std::shared_ptr<CModelSheet> model = m_model->ActiveSheet();
  EXPECT_EQ(EncodeToCodePage(model->CellText(1, 1), kCodePageUtf8), "序 號");
  EXPECT_EQ(EncodeToCodePage(model->CellText(2, 6), kCodePageUtf8), "單 重");
  EXPECT_EQ(model->MergeArea(2, 1), (CellRect{1, 1, 2, 1}));
  EXPECT_EQ(model->ColumnWidth(2), 18);
  EXPECT_EQ(sheet.Cells().Item(1, 4).MergeArea().Count(), 2);
  SelectTextTable(437);

  // Row and column arrive in their order: DISPPARAMS holds them reversed.
  ExcelDispatch cell = sheet.Cells().Item(5, 2);
  EXPECT_EQ(cell.Row(), 5);
  EXPECT_EQ(cell.Column(), 2);
  cell.SetValue(u"H300*200*6*8");
  AssistantSettings settings;
  CurrentLayout layout;
  SelectBomStyle(settings, 1, layout);
  MaterialLibrary library;
  EXPECT_EQ(CalculateBomRow(sheet, 5, library, layout, settings), ST_OK);
  EXPECT_EQ(model->CellFormula(5, 6), u"=C5*38.500000/1000");
  EXPECT_EQ(model->CellFormula(5, 7), u"=(D5+E5)*F5");
  EXPECT_EQ(sheet.Cells().Item(5, 2).Font().Color(), 0);
  cell.SetValue(u"nothing");
  EXPECT_EQ(CalculateBomRow(sheet, 5, library, layout, settings), ST_FAIL);
  EXPECT_EQ(model->FontColor(5, 2), 255);

  sheet.Columns().ColumnItem(6).SetNumberFormatLocal(u"0.00_ ");
  sheet.Cells().Item(5, 3).SetValue(1000);
  sheet.Cells().Item(5, 4).SetValue(2.0);
  EXPECT_EQ(sheet.Cells().Item(5, 6).Text(), u"38.50 ");
  EXPECT_EQ(sheet.Cells().Item(5, 4).Value(), AutomationValue(2.0));
  book.SaveAs(u"C:\\standard.xls", 1);
  EXPECT_EQ(m_app.ActiveWindow().Caption(), u"standard.xls");
}

// A client handed an object it holds already gets the same IDispatch, so
// across processes no new stub is made and no release call comes back.
TEST_F(ExcelComTest, ACellAskedForTwiceIsOneComObject) {
  m_app.Workbooks().Add();
  ExcelDispatch cells = m_app.ActiveSheet().Cells();
  long lastReleases = ComLastReleaseCount();
  {
    ExcelDispatch first = cells.Item(5, 2);
    ExcelDispatch second = cells.Item(5, 2);
    IDispatch* a = DispatchOfWrapped(first.Object());
    IDispatch* b = DispatchOfWrapped(second.Object());
    EXPECT_EQ(a, b);
    a->Release();
    b->Release();
    second.Release();
    EXPECT_EQ(ComLastReleaseCount(), lastReleases);
  }
  EXPECT_EQ(ComLastReleaseCount(), lastReleases + 1);
}

TEST_F(ExcelComTest, SpreadsheetErrorsBringTheirDescription) {
  m_app.Workbooks().Add();
  ExcelDispatch sheet = m_app.ActiveSheet();
  m_model->ActiveSheet()->Protect(true);
  try {
    sheet.Cells().Item(1, 1).SetValue(u"x");
    FAIL() << "the protected sheet took the value";
  } catch (const CAutomationError& error) {
    EXPECT_EQ(error.Description(), u"The sheet is protected: its cells cannot be changed.");
  }
  EXPECT_THROW(sheet.Cells().Item(0, 1), CAutomationError);
  EXPECT_THROW(m_app.Sheets().Item(9), CAutomationError);
  EXPECT_THROW(m_app.Workbooks().Open(u"C:\\missing.xls"), CAutomationError);
}

TEST_F(ExcelComTest, NamesObjectsAndEventsCrossBothWays) {
  EXPECT_EQ(m_app.GetByName(u"Creator"), AutomationValue(dispid::kCreatorCode));
  EXPECT_EQ(ExcelDispatch(AutomationObjectOf(m_app.GetByName(u"Application"))).Caption(), u"Excel");
  EXPECT_THROW(m_app.GetByName(u"NoSuchMember"), CAutomationError);
  EXPECT_TRUE(m_app.ActiveSheet().IsEmpty());  // Nothing crosses as a null VT_DISPATCH

  m_app.Workbooks().Add();
  // The sink is a COM object too: the model calls it through IDispatch.
  auto recorder = std::make_shared<CRecordingAutomationSink>();
  int cookie = m_model->ActiveSheet()->Advise(WrapDispatch(ExposeAsDispatch(recorder)));
  ExcelDispatch cells = m_app.ActiveSheet().Cells();
  cells.Item(7, 2).SetFormula(u"=1+1");
  cells.Item(3, 4).Resize(2, 2).Select();
  cells.Item(7, 2).Font().SetColor(255);
  ASSERT_EQ(recorder->events.size(), 2u);
  EXPECT_EQ(recorder->events[0].dispatchId, dispid::kChange);
  EXPECT_EQ(recorder->events[0].target.top, 7);
  EXPECT_EQ(recorder->events[1].dispatchId, dispid::kSelectionChange);
  EXPECT_EQ(recorder->events[1].target.left, 4);
  EXPECT_EQ(m_app.ActiveCell().Row(), 3);
  EXPECT_TRUE(m_model->ActiveSheet()->Unadvise(cookie));
}

TEST_F(ExcelComTest, ReferencesAreCountedAndArgumentsChecked) {
  // An application nobody else holds, so that the counts start at one.
  std::shared_ptr<CWorkbookModel> model = CWorkbookModel::Create();
  IDispatch* dispatch = ExposeAsDispatch(MakeApplicationObject(model));
  EXPECT_EQ(dispatch->AddRef(), 2u);
  // Shown again while it lives, it is the same COM object.
  IDispatch* same = ExposeAsDispatch(MakeApplicationObject(model));
  EXPECT_EQ(same, dispatch);
  EXPECT_EQ(same->Release(), 2u);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown->Release(), 2u);
  IDispatch* other = nullptr;
  EXPECT_EQ(dispatch->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&other)), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);

  // A put without its named value, and named arguments, are refused.
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BOOL;
  V_BOOL(&value) = VARIANT_TRUE;
  DISPPARAMS unnamed{&value, nullptr, 1, 0};
  EXPECT_EQ(dispatch->Invoke(dispid::kVisible, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr,
                             nullptr),
            DISP_E_PARAMNOTOPTIONAL);
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS put{&value, &putId, 1, 1};
  EXPECT_EQ(
      dispatch->Invoke(dispid::kVisible, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr),
      S_OK);
  EXPECT_TRUE(model->visible);

  // The wrapper of a wrapped IDispatch hands the same object back.
  dispatch->AddRef();
  AutomationObjectPtr wrapped = WrapDispatch(dispatch);
  IDispatch* again = ExposeAsDispatch(wrapped);
  EXPECT_EQ(again, dispatch);
  again->Release();
  wrapped.reset();

  EXPECT_EQ(dispatch->Release(), 1u);
  EXPECT_EQ(dispatch->Release(), 0u);
}

}  // namespace

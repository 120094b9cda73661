#include "assistant/excel/excel_dispatch.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/unit/fakes/scripted_automation_object.h"
#include "tests/unit/fakes/workbook_test_support.h"

namespace {

using Args = std::vector<AutomationValue>;
const AutomationValue kMissing = AutomationMissing{};

struct ExpectedCall {
  const char* what;
  std::function<void(const ExcelDispatch&)> call;
  int dispatchId;
  InvokeKind kind;
  Args args;
};

}  // namespace

TEST(ExcelDispatch, EachMemberIsCalledByItsIdWithTypedArguments) {
  const ExpectedCall cases[] = {
      {"Workbooks", [](auto& d) { d.Workbooks(); }, 0x23C, InvokeKind::kGet, {}},
      {"Sheets", [](auto& d) { d.Sheets(); }, 0x1E5, InvokeKind::kGet, {}},
      {"Windows", [](auto& d) { d.Windows(); }, 0x1AE, InvokeKind::kGet, {}},
      {"ActiveWindow", [](auto& d) { d.ActiveWindow(); }, 0x2F7, InvokeKind::kGet, {}},
      {"ActiveSheet", [](auto& d) { d.ActiveSheet(); }, 0x133, InvokeKind::kGet, {}},
      {"ActiveCell", [](auto& d) { d.ActiveCell(); }, 0x131, InvokeKind::kGet, {}},
      {"Caption", [](auto& d) { d.Caption(); }, 0x8B, InvokeKind::kGet, {}},
      {"Visible", [](auto& d) { d.SetVisible(true); }, 0x22E, InvokeKind::kPut, {true}},
      {"UserControl", [](auto& d) { d.SetUserControl(true); }, 0x4BA, InvokeKind::kPut, {true}},
      {"Add", [](auto& d) { d.Add(); }, 0xB5, InvokeKind::kMethod, {kMissing}},
      {"Add template", [](auto& d) { d.Add(u"C:\\t.xls"); }, 0xB5, InvokeKind::kMethod, {u"C:\\t.xls"}},
      {"Count", [](auto& d) { d.Count(); }, 0x76, InvokeKind::kGet, {}},
      {"Item", [](auto& d) { d.Item(3); }, 0xAA, InvokeKind::kGet, {3}},
      {"Item cell", [](auto& d) { d.Item(5, 2); }, 0xAA, InvokeKind::kGet, {5, 2}},
      {"Item column", [](auto& d) { d.ColumnItem(2); }, 0xAA, InvokeKind::kGet, {2, kMissing}},
      {"Name", [](auto& d) { d.Name(); }, 0x6E, InvokeKind::kGet, {}},
      {"Index", [](auto& d) { d.Index(); }, 0x1E6, InvokeKind::kGet, {}},
      {"Cells", [](auto& d) { d.Cells(); }, 0xEE, InvokeKind::kGet, {}},
      {"Columns", [](auto& d) { d.Columns(); }, 0xF1, InvokeKind::kGet, {}},
      {"UsedRange", [](auto& d) { d.UsedRange(); }, 0x19C, InvokeKind::kGet, {}},
      {"Row", [](auto& d) { d.Row(); }, 0x101, InvokeKind::kGet, {}},
      {"Column", [](auto& d) { d.Column(); }, 0xF0, InvokeKind::kGet, {}},
      {"Rows", [](auto& d) { d.Rows(); }, 0x102, InvokeKind::kGet, {}},
      {"Resize", [](auto& d) { d.Resize(2, 1); }, 0x100, InvokeKind::kGet, {2, 1}},
      {"Worksheet", [](auto& d) { d.Worksheet(); }, 0x15C, InvokeKind::kGet, {}},
      {"Text", [](auto& d) { d.Text(); }, 0x8A, InvokeKind::kGet, {}},
      {"Value", [](auto& d) { d.SetValue(u"NO."); }, 0x6, InvokeKind::kPut, {u"NO."}},
      {"Formula", [](auto& d) { d.SetFormula(u"=D5*E5"); }, 0x105, InvokeKind::kPut, {u"=D5*E5"}},
      {"NumberFormatLocal",
       [](auto& d) { d.SetNumberFormatLocal(u"0.00_ "); },
       0x449,
       InvokeKind::kPut,
       {u"0.00_ "}},
      {"ColumnWidth", [](auto& d) { d.SetColumnWidth(18); }, 0xF2, InvokeKind::kPut, {18}},
      {"HorizontalAlignment",
       [](auto& d) { d.SetHorizontalAlignment(-4108); },
       0x88,
       InvokeKind::kPut,
       {-4108}},
      {"VerticalAlignment", [](auto& d) { d.SetVerticalAlignment(-4108); }, 0x89, InvokeKind::kPut, {-4108}},
      {"Merge", [](auto& d) { d.Merge(false); }, 0x234, InvokeKind::kMethod, {false}},
      {"Select", [](auto& d) { d.Select(); }, 0xEB, InvokeKind::kMethod, {}},
      {"Font", [](auto& d) { d.Font(); }, 0x92, InvokeKind::kGet, {}},
      {"Color", [](auto& d) { d.SetColor(255); }, 0x63, InvokeKind::kPut, {255}},
  };
  for (const ExpectedCall& expected : cases) {
    auto object = std::make_shared<CScriptedAutomationObject>();
    expected.call(ExcelDispatch(object));
    ASSERT_EQ(object->calls.size(), 1u) << expected.what;
    const auto& call = object->calls[0];
    EXPECT_EQ(call.dispatchId, expected.dispatchId) << expected.what;
    EXPECT_EQ(call.kind, expected.kind) << expected.what;
    EXPECT_EQ(call.args, expected.args) << expected.what;
  }
}

TEST(ExcelDispatch, OpenAndSaveAsFillTheirOptionalArguments) {
  auto object = std::make_shared<CScriptedAutomationObject>();
  ExcelDispatch dispatch(object);
  dispatch.Open(u"C:\\Zm\\simple.xls");
  dispatch.SaveAs(u"C:\\Zm\\simple.xls", 1);
  ASSERT_EQ(object->calls.size(), 2u);
  Args open(13, kMissing);
  open[0] = u"C:\\Zm\\simple.xls";
  EXPECT_EQ(object->calls[0].args, open);
  Args saveAs(11, kMissing);
  saveAs[0] = u"C:\\Zm\\simple.xls";
  saveAs[6] = 1;
  EXPECT_EQ(object->calls[1].args, saveAs);
  EXPECT_EQ(object->calls[1].dispatchId, 0x11C);
}

TEST(ExcelDispatch, ResultsAreReadByTheirTypes) {
  auto object = std::make_shared<CScriptedAutomationObject>();
  auto child = std::make_shared<CScriptedAutomationObject>();
  object->results[dispid::kCount] = 4.0;   // a double that holds a whole number reads as one
  object->results[dispid::kCaption] = 12;  // a window caption is a variant read as text
  object->results[dispid::kCells] = AutomationObjectPtr(child);
  object->results[dispid::kActiveSheet] = AutomationObjectPtr();
  object->results[dispid::kName] = AutomationObjectPtr(child);
  ExcelDispatch dispatch(object);
  EXPECT_EQ(dispatch.Count(), 4);
  EXPECT_EQ(dispatch.Caption(), u"12");
  EXPECT_EQ(dispatch.Cells().Object(), child);
  EXPECT_TRUE(dispatch.ActiveSheet().IsEmpty());
  EXPECT_THROW(dispatch.Name(), CAutomationError);  // an object is no text
  EXPECT_EQ(dispatch.Text(), u"");                  // an empty result reads as ""
}

TEST(ExcelDispatch, ErrorsCarryTheDescription) {
  auto object = std::make_shared<CScriptedAutomationObject>();
  object->errors[dispid::kValue] = u"Protected cell";
  ExcelDispatch dispatch(object);
  try {
    dispatch.SetValue(u"x");
    FAIL() << "no error";
  } catch (const CAutomationError& error) {
    EXPECT_EQ(error.Description(), u"Protected cell");
    EXPECT_STREQ(error.what(), "Protected cell");
  }

  ExcelDispatch empty;
  EXPECT_THROW(empty.Cells(), CAutomationError);
  EXPECT_THROW(empty.GetByName(u"Creator"), CAutomationError);
  object->names[u"Creator"] = dispid::kCreator;
  object->results[dispid::kCreator] = dispid::kCreatorCode;
  EXPECT_EQ(dispatch.GetByName(u"Creator"), AutomationValue(dispid::kCreatorCode));
  EXPECT_THROW(dispatch.GetByName(u"Nothing"), CAutomationError);

  dispatch.Release();
  EXPECT_TRUE(dispatch.IsEmpty());
  EXPECT_EQ(object.use_count(), 1);
}

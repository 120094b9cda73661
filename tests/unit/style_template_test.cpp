// The BOM style page's template Edit command over the fake discovery port
// and the in-memory spreadsheet: an existing template is opened, a missing
// one is made from the style's header and saved under its full name.

#include "assistant/bom_sheet/style_template.h"

#include <gtest/gtest.h>

#include "assistant/excel/automation_error.h"
#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "tests/unit/excel_link_fixture.h"
#include "tests/unit/test_support.h"

namespace {

class StyleTemplateTest : public ExcelLinkTest {
 protected:
  void SetUp() override {
    ExcelLinkTest::SetUp();
    SelectTextTable(437);
  }

  std::u16string FullName(const char* file) const { return (m_folder.Path() / file).u16string(); }

  // The text of a cell in the first sheet of the newest workbook.
  std::u16string NewestCell(int row, int column) const {
    return m_model->Workbooks().back()->Sheets().front()->CellText(row, column);
  }

  CTempFolder m_folder;
};

TEST_F(StyleTemplateTest, MissingTemplateIsMadeWithTheStyleHeaderAndSaved) {
  struct Case {
    int style;
    const char* file;
    int column;
    const char16_t* heading;
  };
  for (const Case& c : {Case{1, "standard.xls", 4, u"Num"}, Case{0, "simple.xls", 5, u"S.W.(kg)"}}) {
    SCOPED_TRACE(c.file);
    std::size_t workbooks = m_model->Workbooks().size();
    ASSERT_TRUE(EditStyleTemplate(m_link, c.style, m_folder.Path() / c.file));
    EXPECT_EQ(m_model->Workbooks().size(), workbooks + 1);
    EXPECT_TRUE(m_model->HasSavedFile(FullName(c.file)));
    EXPECT_EQ(m_model->Workbooks().back()->Name(), Utf16FromAscii(c.file));
    EXPECT_EQ(NewestCell(1, c.column), c.heading);
  }
  // The spreadsheet was found through the link's ports; the link itself
  // holds no application.
  EXPECT_TRUE(m_link.app.IsEmpty());
  EXPECT_TRUE(m_model->visible);
}

TEST_F(StyleTemplateTest, ExistingTemplateIsOpened) {
  // The spreadsheet knows the file from an earlier save; the folder has it.
  ASSERT_TRUE(EditStyleTemplate(m_link, 1, m_folder.Path() / "standard.xls"));
  m_folder.WriteFile("standard.xls", "saved by the spreadsheet");
  std::size_t workbooks = m_model->Workbooks().size();
  ASSERT_TRUE(EditStyleTemplate(m_link, 1, m_folder.Path() / "standard.xls"));
  ASSERT_EQ(m_model->Workbooks().size(), workbooks + 1);
  EXPECT_EQ(m_model->Workbooks().back()->Name(), u"standard.xls");
  EXPECT_EQ(NewestCell(2, 4), u"Face");
}

TEST_F(StyleTemplateTest, NoSpreadsheetMeansNothingHappens) {
  m_discovery.activeObject = nullptr;
  EXPECT_FALSE(EditStyleTemplate(m_link, 1, m_folder.Path() / "standard.xls"));
  ASSERT_EQ(m_window.messages.size(), 1u);
  EXPECT_EQ(m_window.messages[0], kMsgCantStartExcel);
  EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / "standard.xls"));
}

TEST_F(StyleTemplateTest, SpreadsheetRefusalEndsTheCommand) {
  // A file on disk that the spreadsheet cannot open.
  m_folder.WriteFile("simple.xls", "not a workbook");
  EXPECT_THROW(EditStyleTemplate(m_link, 0, m_folder.Path() / "simple.xls"), CAutomationError);
}

}  // namespace

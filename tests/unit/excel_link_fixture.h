#pragma once

// A link over the fake ports and one running in-memory application with
// the workbook "Book1" listed in the running object table under its name.

#include <gtest/gtest.h>

#include "assistant/bom_sheet/excel_link.h"
#include "assistant/config/bom_style.h"
#include "assistant/engine/bom_row.h"
#include "assistant/engine/material_library.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/unit/fakes/fake_excel_discovery.h"

inline constexpr WindowHandle kFrameWindow = 0x1234;

class ExcelLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_settings = AssistantSettings{};
    SelectBomStyle(g_settings, 1, g_currentLayout);
    g_materialLibrary = MaterialLibrary{};
    m_model->caption = u"Excel";
    m_book = m_model->AddWorkbook(std::nullopt);
    m_discovery.activeObject = MakeApplicationObject(m_model);
    m_discovery.windows[m_model->Title()] = kFrameWindow;  // "Excel - Book1"
    List(u"Book1", m_book);
  }
  void TearDown() override { DetachSheet(m_link); }

  // A fresh application and fresh ports, for one more case of a table.
  void Restart() {
    DetachSheet(m_link);
    m_link.app.Release();
    m_model = CWorkbookModel::Create();
    m_discovery = CFakeExcelDiscovery{};
    m_window = CFakeLinkWindow{};
    SetUp();
  }

  // Lists `book` in the running object table under `displayName`.
  void List(const std::u16string& displayName, const std::shared_ptr<CModelWorkbook>& book) {
    m_discovery.runningObjects.push_back({displayName, MakeWorksheetObject(book->Sheets().front())});
  }

  int Attach(std::string caption, int sheetIndex) {
    m_caption = std::move(caption);
    m_sheetIndex = sheetIndex;
    return AttachSheet(m_link, m_caption, m_sheetIndex);
  }

  std::shared_ptr<CWorkbookModel> m_model = CWorkbookModel::Create();
  std::shared_ptr<CModelWorkbook> m_book;
  CFakeExcelDiscovery m_discovery;
  CFakeLinkWindow m_window;
  ExcelLink m_link{m_discovery, m_window};
  std::string m_caption;
  int m_sheetIndex = -1;
};

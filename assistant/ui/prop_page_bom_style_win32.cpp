#include "assistant/ui/prop_page_bom_style.h"

#include "assistant/bom_sheet/style_template.h"
#include "assistant/config/bom_style.h"
#include "assistant/excel/automation_error.h"
#include "assistant/res/settings_pages_resource.h"
#include "assistant/texts/text_tables.h"
#include "assistant/ui/settings_sheet_texts_win32.h"
#include "base/code_page.h"
#include "winfx/controls/edit.h"

namespace {

constexpr int kTitleText = 70;
constexpr int kStyleNameLabelText = 71;
constexpr int kHeadRowsLabelText = 18;
constexpr int kColumnsLabelText = 68;
constexpr int kMaterialLabelText = 64;
constexpr int kLengthLabelText = 65;
constexpr int kCountLabelText = 66;
constexpr int kWeightLabelText = 67;
constexpr int kStyleFileLabelText = 74;
constexpr int kEditText = 29;
// The style names, in style index order.
constexpr int kStyleNameTexts[] = {72, 73};

int FaultItem(BomStyleField field) {
  switch (field) {
    case BomStyleField::kCount:
      return IDC_STYLE_COUNT;
    case BomStyleField::kLength:
      return IDC_STYLE_LENGTH;
    case BomStyleField::kWeight:
      return IDC_STYLE_WEIGHT;
    default:
      return IDC_STYLE_MATERIAL;
  }
}

}  // namespace

CPropPageBomStyle::CPropPageBomStyle(int startStyle, ExcelLink& link)
    : CPropertyPage(IDD_BOM_STYLE_PAGE, SheetText(kTitleText)),
      m_editor(g_settings),
      m_startStyle(startStyle != 0 ? 1 : 0),
      m_link(link) {}

bool CPropPageBomStyle::OnInitDialog() {
  m_styles.Attach(GetItem(IDC_STYLE_NAME));
  SetLabelTexts();
  m_styles.ResetContent();
  for (int row : kStyleNameTexts) m_styles.AddString(SheetText(row));
  m_styles.SetCurSel(m_startStyle);
  ShowFields(m_editor.Show(m_startStyle));
  return true;
}

void CPropPageBomStyle::SetLabelTexts() const {
  SetItemRow(GetHwnd(), IDC_STYLE_NAME_LABEL, kStyleNameLabelText);
  SetItemRow(GetHwnd(), IDC_STYLE_HEAD_ROWS_LABEL, kHeadRowsLabelText);
  SetItemRow(GetHwnd(), IDC_STYLE_COLUMNS_LABEL, kColumnsLabelText);
  SetItemRow(GetHwnd(), IDC_STYLE_MATERIAL_LABEL, kMaterialLabelText);
  SetItemRow(GetHwnd(), IDC_STYLE_LENGTH_LABEL, kLengthLabelText);
  SetItemRow(GetHwnd(), IDC_STYLE_COUNT_LABEL, kCountLabelText);
  SetItemRow(GetHwnd(), IDC_STYLE_WEIGHT_LABEL, kWeightLabelText);
  SetItemRow(GetHwnd(), IDC_STYLE_FILE_LABEL, kStyleFileLabelText);
  SetItemRow(GetHwnd(), IDC_STYLE_FILE_EDIT, kEditText);
}

void CPropPageBomStyle::ShowFields(const BomStyleFields& fields) const {
  SetItemBytes(GetHwnd(), IDC_STYLE_HEAD_ROWS, fields.headRows);
  SetItemBytes(GetHwnd(), IDC_STYLE_MATERIAL, fields.material);
  SetItemBytes(GetHwnd(), IDC_STYLE_COUNT, fields.count);
  SetItemBytes(GetHwnd(), IDC_STYLE_LENGTH, fields.length);
  SetItemBytes(GetHwnd(), IDC_STYLE_WEIGHT, fields.weight);
  SetItemBytes(GetHwnd(), IDC_STYLE_FILE, fields.templateFile);
}

BomStyleFields CPropPageBomStyle::ReadFields() const {
  BomStyleFields fields;
  fields.headRows = GetItemBytes(GetHwnd(), IDC_STYLE_HEAD_ROWS);
  fields.material = GetItemBytes(GetHwnd(), IDC_STYLE_MATERIAL);
  fields.count = GetItemBytes(GetHwnd(), IDC_STYLE_COUNT);
  fields.length = GetItemBytes(GetHwnd(), IDC_STYLE_LENGTH);
  fields.weight = GetItemBytes(GetHwnd(), IDC_STYLE_WEIGHT);
  fields.templateFile = GetItemBytes(GetHwnd(), IDC_STYLE_FILE);
  return fields;
}

void CPropPageBomStyle::ReportFault(const BomStyleFault& fault) const {
  ShowSheetError(GetHwnd(), BomStyleFaultMessage(fault));
  SelectEditText(winfx::CWindow(GetItem(FaultItem(fault.field))));
}

bool CPropPageBomStyle::OnCommand(WORD notifyCode, WORD id, HWND control) {
  if (id == IDC_STYLE_NAME && notifyCode == CBN_SELCHANGE) {
    SwitchStyle();
    return true;
  }
  if (id == IDC_STYLE_FILE_EDIT && notifyCode == BN_CLICKED) {
    EditTemplate();
    return true;
  }
  return CPropertyPage::OnCommand(notifyCode, id, control);
}

void CPropPageBomStyle::SwitchStyle() {
  BomStyleFields shown;
  BomStyleFault fault = m_editor.SwitchTo(m_styles.GetCurSel(), ReadFields(), shown);
  if (fault.field != BomStyleField::kNone) {
    m_styles.SetCurSel(m_editor.ShownStyle());
    ReportFault(fault);
    return;
  }
  ShowFields(shown);
}

bool CPropPageBomStyle::OnKillActive() {
  BomStyleFault fault = FindBomStyleFault(ReadFields());
  if (fault.field == BomStyleField::kNone) return true;
  ReportFault(fault);
  return false;
}

void CPropPageBomStyle::OnApply() { m_editor.Confirm(m_styles.GetCurSel(), ReadFields()); }

void CPropPageBomStyle::EditTemplate() const {
  // The spreadsheet's refusal ends the command; the user sees its words, or
  // what a program that does not answer as the spreadsheet is.
  AssistantFolders folders = ProcessFolders();
  std::string name = TemplateFileName(m_editor.ShownStyle());
  std::filesystem::path file = folders.PrepareUserCopy(name);
  if (file.empty()) {
    ShowCannotWrite(GetHwnd(), folders.user / name);
    return;
  }
  try {
    EditStyleTemplate(m_link, m_editor.ShownStyle(), file);
  } catch (const CAutomationError& error) {
    std::u16string description = error.UnknownMember()
                                     ? DecodeFromCodePage(UiText(kMsgNotTheSpreadsheet), UiTextCodePage())
                                     : error.Description();
    MessageBoxW(GetHwnd(), reinterpret_cast<const wchar_t*>(description.c_str()),
                SheetWide(kSettingsMessageCaption).c_str(), MB_OK | MB_ICONERROR);
  }
}

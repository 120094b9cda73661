#include "tests/standins/workbook/workbook_model.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/dispatch_ids.h"
#include "tests/standins/workbook/model_objects.h"
#include "tests/standins/workbook/number_format.h"

namespace {

// Deeper chains of references are taken for a circular reference.
constexpr int kMaxFormulaDepth = 256;

bool Overlaps(const CellRect& a, const CellRect& b) {
  return a.top <= b.bottom && b.top <= a.bottom && a.left <= b.right && b.left <= a.right;
}

std::u16string NumberText(int number) {
  std::u16string text;
  for (char c : std::to_string(number)) text += static_cast<char16_t>(c);
  return text;
}

std::u16string FileNamePart(const std::u16string& path) {
  std::size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

std::u16string StemOf(const std::u16string& path) {
  std::u16string name = FileNamePart(path);
  std::size_t dot = name.find_last_of(u'.');
  return dot == std::u16string::npos ? name : name.substr(0, dot);
}

// A block's cells read one by one into an array of its rows and columns.
template <typename Read>
AutomationArray ReadBlock(const CellRect& block, Read read) {
  AutomationArray cells(block.bottom - block.top + 1, block.right - block.left + 1);
  for (int row = 1; row <= cells.rows; ++row) {
    for (int column = 1; column <= cells.columns; ++column)
      cells.At(row, column) = read(block.top + row - 1, block.left + column - 1);
  }
  return cells;
}

}  // namespace

int CModelSheet::Index() const {
  std::shared_ptr<CModelWorkbook> workbook = Workbook();
  if (!workbook) return 1;
  const auto& sheets = workbook->Sheets();
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].get() == this) return static_cast<int>(i) + 1;
  }
  return 1;
}

FormulaResult CModelSheet::CellResult(int row, int column, int depth) const {
  auto found = m_cells.find({row, column});
  if (found == m_cells.end()) return {};
  const ModelCell& cell = found->second;
  if (cell.formula.empty()) {
    if (const auto* number = std::get_if<double>(&cell.value)) return {*number, {}};
    if (const auto* flag = std::get_if<bool>(&cell.value)) return {*flag ? 1.0 : 0.0, {}};
    if (std::holds_alternative<std::monostate>(cell.value)) return {};
    return {0, u"#VALUE!"};
  }
  if (depth > kMaxFormulaDepth) return {0, u"#REF!"};
  return EvaluateSheetFormula(cell.formula,
                              [this, depth](int r, int c) { return CellResult(r, c, depth + 1); });
}

AutomationValue CModelSheet::CellValue(int row, int column) const {
  auto found = m_cells.find({row, column});
  if (found == m_cells.end()) return {};
  if (found->second.formula.empty()) return found->second.value;
  FormulaResult result = CellResult(row, column, 0);
  if (!result.error.empty()) return result.error;
  return result.value;
}

std::u16string CModelSheet::CellFormula(int row, int column) const {
  auto found = m_cells.find({row, column});
  if (found == m_cells.end()) return {};
  if (!found->second.formula.empty()) return found->second.formula;
  return AutomationText(found->second.value);
}

std::u16string CModelSheet::PrefixCharacter(int row, int column) const {
  auto found = m_cells.find({row, column});
  return found != m_cells.end() && found->second.quotePrefix ? u"'" : u"";
}

AutomationArray CModelSheet::BlockValues(const CellRect& block) const {
  return ReadBlock(block, [this](int row, int column) { return CellValue(row, column); });
}

AutomationArray CModelSheet::BlockFormulas(const CellRect& block) const {
  return ReadBlock(block, [this](int row, int column) { return CellFormula(row, column); });
}

std::u16string CModelSheet::CellText(int row, int column) const {
  AutomationValue value = CellValue(row, column);
  if (const auto* number = std::get_if<double>(&value))
    return FormatNumber(*number, NumberFormat(row, column));
  return AutomationText(value);
}

namespace {

template <typename Field>
auto FormatOf(const std::map<std::pair<int, int>, ModelCell>& cells, const std::map<int, CellFormat>& columns,
              int row, int column, Field field) -> std::remove_reference_t<decltype(*(CellFormat{}.*field))> {
  auto cell = cells.find({row, column});
  if (cell != cells.end() && (cell->second.format.*field)) return *(cell->second.format.*field);
  auto columnFormat = columns.find(column);
  if (columnFormat != columns.end() && (columnFormat->second.*field)) return *(columnFormat->second.*field);
  return {};
}

}  // namespace

std::int32_t CModelSheet::FontColor(int row, int column) const {
  return FormatOf(m_cells, m_columnFormats, row, column, &CellFormat::fontColor);
}

std::u16string CModelSheet::NumberFormat(int row, int column) const {
  std::u16string format = FormatOf(m_cells, m_columnFormats, row, column, &CellFormat::numberFormat);
  return format.empty() ? u"General" : format;
}

std::int32_t CModelSheet::HorizontalAlignment(int row, int column) const {
  std::int32_t alignment = FormatOf(m_cells, m_columnFormats, row, column, &CellFormat::horizontalAlignment);
  return alignment ? alignment : kAlignGeneral;
}

std::int32_t CModelSheet::VerticalAlignment(int row, int column) const {
  std::int32_t alignment = FormatOf(m_cells, m_columnFormats, row, column, &CellFormat::verticalAlignment);
  return alignment ? alignment : kAlignBottom;
}

double CModelSheet::ColumnWidth(int column) const {
  auto found = m_columnWidths.find(column);
  return found == m_columnWidths.end() ? kDefaultColumnWidth : found->second;
}

CellRect CModelSheet::MergeArea(int row, int column) const {
  for (const CellRect& area : m_merges) {
    if (area.Contains(row, column)) return area;
  }
  return CellRect::Cell(row, column);
}

CellRect CModelSheet::UsedRange() const {
  if (m_cells.empty()) return CellRect::Cell(1, 1);
  CellRect used{kSheetRows, kSheetColumns, 1, 1};
  for (const auto& [position, cell] : m_cells) {
    used.top = std::min(used.top, position.first);
    used.bottom = std::max(used.bottom, position.first);
    used.left = std::min(used.left, position.second);
    used.right = std::max(used.right, position.second);
  }
  return used;
}

std::optional<std::u16string> CModelSheet::BlockText(const CellRect& block) const {
  std::u16string first = CellText(block.top, block.left);
  long long area = static_cast<long long>(block.bottom - block.top + 1) * (block.right - block.left + 1);
  long long stored = 0;
  for (const auto& [position, cell] : m_cells) {
    if (!block.Contains(position.first, position.second)) continue;
    ++stored;
    if (CellText(position.first, position.second) != first) return std::nullopt;
  }
  // Cells not stored are empty and show "".
  if (stored < area && !first.empty()) return std::nullopt;
  return first;
}

void CModelSheet::CheckWritable() const {
  if (m_protected) throw CAutomationError(u"The sheet is protected: its cells cannot be changed.");
}

void CModelSheet::SetInput(int row, int column, const CellEntry& entry) {
  ModelCell& cell = m_cells[{row, column}];
  cell.value = entry.value;
  cell.formula = entry.formula;
  cell.quotePrefix = entry.quotePrefix;
  const CellFormat& format = cell.format;
  bool formatted =
      format.fontColor || format.numberFormat || format.horizontalAlignment || format.verticalAlignment;
  if (cell.formula.empty() && !cell.quotePrefix && std::holds_alternative<std::monostate>(cell.value) &&
      !formatted) {
    m_cells.erase({row, column});  // an emptied cell no longer counts as used
  }
}

namespace {

// One value as a cell takes it: a text as typed, a number as it is.
CellEntry EntryOf(const AutomationValue& value) {
  if (const auto* text = std::get_if<std::u16string>(&value)) return ParseCellEntry(*text);
  if (std::holds_alternative<AutomationObjectPtr>(value) ||
      std::holds_alternative<AutomationMissing>(value) || std::holds_alternative<AutomationArrayPtr>(value)) {
    throw CAutomationError(u"Type mismatch");
  }
  CellEntry entry;
  if (const auto* number = std::get_if<std::int32_t>(&value)) {
    entry.value = static_cast<double>(*number);
  } else if (!std::holds_alternative<AutomationNull>(value)) {
    entry.value = value;
  }
  return entry;
}

}  // namespace

void CModelSheet::SetValue(const CellRect& block, const AutomationValue& value) {
  WriteBlock(block, value);
  FireEvent(dispid::kChange, block);
}

void CModelSheet::SetValue(const std::vector<CellRect>& areas, const AutomationValue& value) {
  for (const CellRect& area : areas) WriteBlock(area, value);
  FireEvent(dispid::kChange, areas);
}

void CModelSheet::WriteBlock(const CellRect& block, const AutomationValue& value) {
  CheckWritable();
  AutomationArray given = AutomationArrayOf(value);
  bool same = given.rows == 1 && given.columns == 1;
  // Every entry is read before any cell changes: one that does not read
  // refuses the whole write.
  std::vector<CellEntry> entries;
  for (const AutomationValue& element : given.values) entries.push_back(EntryOf(element));
  CellEntry notAvailable;
  notAvailable.value = std::u16string(u"#N/A");
  for (int row = block.top; row <= block.bottom; ++row) {
    for (int column = block.left; column <= block.right; ++column) {
      int r = row - block.top;
      int c = column - block.left;
      if (same) {
        SetInput(row, column, entries[0]);
      } else if (r < given.rows && c < given.columns) {
        SetInput(row, column, entries[static_cast<std::size_t>(r) * given.columns + c]);
      } else {
        SetInput(row, column, notAvailable);
      }
    }
  }
}

void CModelSheet::SetFormula(const CellRect& block, const std::u16string& formula) {
  SetValue(block, formula);
}

template <typename Setter>
void CModelSheet::ApplyFormat(const CellRect& block, Setter setter) {
  CheckWritable();
  if (block.IsWholeColumns()) {
    // A whole column takes the format itself, over what its cells held.
    for (int column = block.left; column <= block.right; ++column) {
      setter(m_columnFormats[column]);
      for (auto& [position, cell] : m_cells) {
        if (position.second == column) setter(cell.format);
      }
    }
    return;
  }
  for (int row = block.top; row <= block.bottom; ++row) {
    for (int column = block.left; column <= block.right; ++column) setter(m_cells[{row, column}].format);
  }
}

void CModelSheet::SetFontColor(const CellRect& block, std::int32_t color) {
  ApplyFormat(block, [color](CellFormat& format) { format.fontColor = color; });
}

void CModelSheet::SetNumberFormat(const CellRect& block, const std::u16string& numberFormat) {
  ApplyFormat(block, [&numberFormat](CellFormat& format) { format.numberFormat = numberFormat; });
}

void CModelSheet::SetHorizontalAlignment(const CellRect& block, std::int32_t alignment) {
  ApplyFormat(block, [alignment](CellFormat& format) { format.horizontalAlignment = alignment; });
}

void CModelSheet::SetVerticalAlignment(const CellRect& block, std::int32_t alignment) {
  ApplyFormat(block, [alignment](CellFormat& format) { format.verticalAlignment = alignment; });
}

void CModelSheet::SetColumnWidth(const CellRect& block, double width) {
  CheckWritable();
  if (width < 0 || width > 255) throw CAutomationError(u"The column width must lie between 0 and 255.");
  for (int column = block.left; column <= block.right; ++column) m_columnWidths[column] = width;
}

void CModelSheet::Merge(const CellRect& block, bool across) {
  CheckWritable();
  std::vector<CellRect> areas;
  if (across) {
    for (int row = block.top; row <= block.bottom; ++row)
      areas.push_back({row, block.left, row, block.right});
  } else {
    areas.push_back(block);
  }
  for (const CellRect& area : areas) {
    if (area.IsCell()) continue;
    // Areas that overlap the new one join it; only the first cell keeps its content.
    std::erase_if(m_merges, [&area](const CellRect& old) { return Overlaps(old, area); });
    std::erase_if(m_cells, [&area](const auto& entry) {
      return area.Contains(entry.first.first, entry.first.second) &&
             entry.first != std::make_pair(area.top, area.left);
    });
    m_merges.push_back(area);
  }
}

void CModelSheet::Select(const CellRect& block) {
  m_selection = block;
  m_activeRow = block.top;
  m_activeColumn = block.left;
  FireEvent(dispid::kSelectionChange, block);
}

void CModelSheet::TypeInto(int row, int column, const std::u16string& text) {
  SetValue(CellRect::Cell(row, column), text);
}

void CWorkbookModel::ActivateWorkbook(const CModelWorkbook& workbook) {
  for (std::size_t i = 0; i < m_workbooks.size(); ++i) {
    if (m_workbooks[i].get() == &workbook) m_activeWorkbook = static_cast<int>(i);
  }
}

std::u16string CWorkbookModel::Title() const {
  std::shared_ptr<CModelWorkbook> workbook = ActiveWorkbook();
  if (!workbook || !workbook->maximized) return caption;
  return laterTitleForm ? workbook->Name() + u" - " + caption : caption + u" - " + workbook->Name();
}

int CModelSheet::Advise(AutomationObjectPtr sink) {
  m_sinks.emplace_back(m_nextCookie, std::move(sink));
  return m_nextCookie++;
}

bool CModelSheet::Unadvise(int cookie) {
  return std::erase_if(m_sinks, [cookie](const auto& entry) { return entry.first == cookie; }) != 0;
}

void CModelSheet::FireEvent(int dispatchId, const CellRect& target) {
  FireEvent(dispatchId, std::vector<CellRect>{target});
}

void CModelSheet::FireEvent(int dispatchId, const std::vector<CellRect>& target) {
  if (m_sinks.empty()) return;
  // A sink may write cells, and so fire events, or unadvise while it runs.
  std::vector<std::pair<int, AutomationObjectPtr>> sinks = m_sinks;
  std::array<AutomationValue, 1> args = {MakeAreasRangeObject(shared_from_this(), target)};
  for (const auto& [cookie, sink] : sinks) {
    try {
      sink->Invoke(dispatchId, InvokeKind::kMethod, args);
    } catch (const CAutomationError&) {
      // The spreadsheet ignores what its event handlers report.
    }
  }
}

void CModelSheet::CopyContentFrom(const CModelSheet& other) {
  m_cells = other.m_cells;
  m_columnFormats = other.m_columnFormats;
  m_columnWidths = other.m_columnWidths;
  m_merges = other.m_merges;
  m_protected = other.m_protected;
}

std::shared_ptr<CModelSheet> CModelWorkbook::AddSheet(const std::u16string& name) {
  auto sheet = std::make_shared<CModelSheet>(name);
  m_sheets.push_back(sheet);
  return sheet;
}

std::shared_ptr<CModelSheet> CModelWorkbook::ActiveSheet() const {
  if (m_activeSheet < 0 || m_activeSheet >= static_cast<int>(m_sheets.size())) return nullptr;
  return m_sheets[m_activeSheet];
}

std::shared_ptr<CModelWorkbook> CWorkbookModel::ActiveWorkbook() const {
  if (m_activeWorkbook < 0 || m_activeWorkbook >= static_cast<int>(m_workbooks.size())) return nullptr;
  return m_workbooks[m_activeWorkbook];
}

std::shared_ptr<CModelSheet> CWorkbookModel::ActiveSheet() const {
  std::shared_ptr<CModelWorkbook> workbook = ActiveWorkbook();
  return workbook ? workbook->ActiveSheet() : nullptr;
}

std::shared_ptr<CModelWorkbook> CWorkbookModel::AddCopy(const std::u16string& path, std::u16string name) {
  auto saved = m_savedFiles.find(path);
  if (saved == m_savedFiles.end()) {
    throw CAutomationError(u"The file '" + path + u"' could not be found.");
  }
  auto workbook = std::make_shared<CModelWorkbook>(weak_from_this(), std::move(name));
  for (const auto& source : saved->second) {
    workbook->AddSheet(source->Name())->CopyContentFrom(*source);
  }
  for (const auto& sheet : workbook->Sheets()) sheet->SetWorkbook(workbook);
  m_workbooks.push_back(workbook);
  m_activeWorkbook = static_cast<int>(m_workbooks.size()) - 1;
  return workbook;
}

std::shared_ptr<CModelWorkbook> CWorkbookModel::AddWorkbook(
    const std::optional<std::u16string>& templatePath) {
  std::u16string counter = NumberText(m_bookCounter + 1);
  if (templatePath) {
    std::shared_ptr<CModelWorkbook> workbook = AddCopy(*templatePath, StemOf(*templatePath) + counter);
    ++m_bookCounter;
    return workbook;
  }
  ++m_bookCounter;
  auto workbook = std::make_shared<CModelWorkbook>(weak_from_this(), u"Book" + counter);
  for (int i = 1; i <= sheetsInNewWorkbook; ++i) {
    workbook->AddSheet(u"Sheet" + NumberText(i))->SetWorkbook(workbook);
  }
  m_workbooks.push_back(workbook);
  m_activeWorkbook = static_cast<int>(m_workbooks.size()) - 1;
  return workbook;
}

std::shared_ptr<CModelWorkbook> CWorkbookModel::OpenWorkbook(const std::u16string& path) {
  return AddCopy(path, FileNamePart(path));
}

void CWorkbookModel::SaveWorkbookAs(CModelWorkbook& workbook, const std::u16string& path) {
  if (path.empty()) throw CAutomationError(u"The file name is empty.");
  std::vector<std::shared_ptr<CModelSheet>> copies;
  for (const auto& sheet : workbook.Sheets()) {
    copies.push_back(std::make_shared<CModelSheet>(sheet->Name()));
    copies.back()->CopyContentFrom(*sheet);
  }
  m_savedFiles[path] = std::move(copies);
  workbook.SetName(FileNamePart(path));
}

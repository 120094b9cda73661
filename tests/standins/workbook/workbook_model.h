#pragma once

// The in-memory workbook: an application with workbooks, each with its
// worksheets and one window. Cells keep constants or formulas, a font colour,
// a number format and alignments; sheets keep column widths, merged areas,
// the selection and their event sinks. The automation objects over it are in
// model_objects.h; tests and the stand-in server also read it directly.

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "assistant/config/column_reference.h"
#include "assistant/excel/automation_object.h"
#include "tests/standins/workbook/cell_entry.h"
#include "tests/standins/workbook/sheet_formula.h"

inline constexpr int kSheetColumns = kMaxColumnNumber;
inline constexpr double kDefaultColumnWidth = 8.43;
inline constexpr std::int32_t kAlignGeneral = 1;
inline constexpr std::int32_t kAlignBottom = -4107;

// A block of cells, 1-based and inclusive.
struct CellRect {
  int top = 1;
  int left = 1;
  int bottom = 1;
  int right = 1;

  auto operator<=>(const CellRect&) const = default;
  bool Contains(int row, int column) const {
    return row >= top && row <= bottom && column >= left && column <= right;
  }
  bool IsCell() const { return top == bottom && left == right; }
  bool IsWholeColumns() const { return top == 1 && bottom == kSheetRows; }
  bool IsWholeRows() const { return left == 1 && right == kSheetColumns; }
  long long CellCount() const { return static_cast<long long>(bottom - top + 1) * (right - left + 1); }
  static CellRect Rows(int first, int last) { return {first, 1, last, kSheetColumns}; }
  static CellRect Cell(int row, int column) { return {row, column, row, column}; }
};

// Formatting that a cell holds itself or takes from its column.
struct CellFormat {
  std::optional<std::int32_t> fontColor;
  std::optional<std::u16string> numberFormat;
  std::optional<std::int32_t> horizontalAlignment;
  std::optional<std::int32_t> verticalAlignment;
};

struct ModelCell {
  AutomationValue value;     // empty, double, bool or text
  std::u16string formula;    // "" for a constant
  bool quotePrefix = false;  // a text entered after an apostrophe
  CellFormat format;
};

class CModelWorkbook;
class CWorkbookModel;

class CModelSheet : public std::enable_shared_from_this<CModelSheet> {
 public:
  explicit CModelSheet(std::u16string name) : m_name(std::move(name)) {}

  const std::u16string& Name() const { return m_name; }
  std::shared_ptr<CModelWorkbook> Workbook() const { return m_workbook.lock(); }
  void SetWorkbook(const std::shared_ptr<CModelWorkbook>& workbook) { m_workbook = workbook; }
  // 1-based position in its workbook.
  int Index() const;

  // Readers.
  AutomationValue CellValue(int row, int column) const;       // a formula's result, an error as its text
  std::u16string CellFormula(int row, int column) const;      // the formula, or the constant as text
  std::u16string CellText(int row, int column) const;         // as shown, in the number format
  std::u16string PrefixCharacter(int row, int column) const;  // "'" before a quoted text, else ""
  // The values or formulas of a block, row by row.
  AutomationArray BlockValues(const CellRect& block) const;
  AutomationArray BlockFormulas(const CellRect& block) const;
  std::int32_t FontColor(int row, int column) const;
  std::u16string NumberFormat(int row, int column) const;
  std::int32_t HorizontalAlignment(int row, int column) const;
  std::int32_t VerticalAlignment(int row, int column) const;
  double ColumnWidth(int column) const;
  CellRect MergeArea(int row, int column) const;  // the cell itself when not merged
  const std::vector<CellRect>& MergedAreas() const { return m_merges; }
  CellRect UsedRange() const;  // A1 for an empty sheet
  // The text the cells of a block share; none when they differ (the
  // spreadsheet then answers a null variant).
  std::optional<std::u16string> BlockText(const CellRect& block) const;

  // Writers; a protected sheet refuses them with CAutomationError. Value and
  // formula writes fire one change event for the whole block. A text is
  // read as typing would read it (cell_entry.h); an entry that does not
  // read refuses the whole write. An array gives each cell its own value
  // (a block of one gives all cells the same; cells beyond it get #N/A).
  void SetValue(const CellRect& block, const AutomationValue& value);
  // The same into every area of a range of several, one change event for all.
  void SetValue(const std::vector<CellRect>& areas, const AutomationValue& value);
  void SetFormula(const CellRect& block, const std::u16string& formula);
  void SetFontColor(const CellRect& block, std::int32_t color);
  void SetNumberFormat(const CellRect& block, const std::u16string& format);
  void SetHorizontalAlignment(const CellRect& block, std::int32_t alignment);
  void SetVerticalAlignment(const CellRect& block, std::int32_t alignment);
  void SetColumnWidth(const CellRect& block, double width);
  void Merge(const CellRect& block, bool across);
  void Protect(bool isProtected) { m_protected = isProtected; }

  // Edits of many cells at once, each one change event whose target is the
  // whole block (block_edits.cpp). Contents go, formats stay.
  void ClearContents(const std::vector<CellRect>& areas);
  // Whole rows go, the rows below move up and every formula's references
  // follow (a reference into the rows gone becomes #REF!); the target is
  // the rows, now holding the rows that moved up.
  void DeleteRows(int first, int last);
  // `count` empty rows before `first`; the target is the new rows.
  void InsertRows(int first, int count);
  // The content and format of `source` put at the top-left of
  // `destination`, repeated over it where it is a multiple of the source;
  // formulas move their references without "$" with them.
  void CopyBlock(const CellRect& source, const CellRect& destination);
  // Every row of `block` below its first takes the first row's cells.
  void FillDown(const CellRect& block);
  // Texts pasted from the clipboard, rows of cells from (top, left): each
  // read as typed, one that does not read kept as text, as the spreadsheet
  // takes text from another program. Returns the block pasted.
  CellRect PasteTexts(int top, int left, const std::vector<std::vector<std::u16string>>& rows);

  // Selection: fires the selection-change event for the new block.
  void Select(const CellRect& block);
  CellRect Selection() const { return m_selection; }
  std::pair<int, int> ActiveCell() const { return {m_activeRow, m_activeColumn}; }
  // What a user's typing does: the text as input, one change event.
  void TypeInto(int row, int column, const std::u16string& text);

  // Worksheet events (0x607, 0x609) go to every advised sink, called with
  // the target range; a sink's error does not reach the writer.
  int Advise(AutomationObjectPtr sink);
  bool Unadvise(int cookie);
  std::size_t SinkCount() const { return m_sinks.size(); }

  // The content and formatting of `other` (no sinks, no selection).
  void CopyContentFrom(const CModelSheet& other);

 private:
  FormulaResult CellResult(int row, int column, int depth) const;
  void CheckWritable() const;
  void SetInput(int row, int column, const CellEntry& entry);
  template <typename Setter>
  void ApplyFormat(const CellRect& block, Setter setter);
  void FireEvent(int dispatchId, const CellRect& target);
  void FireEvent(int dispatchId, const std::vector<CellRect>& target);
  void WriteBlock(const CellRect& block, const AutomationValue& value);
  void CopyCell(int fromRow, int fromColumn, int toRow, int toColumn, const ModelCell* source);
  void MoveRows(int first, int last, int by);

  std::u16string m_name;
  std::weak_ptr<CModelWorkbook> m_workbook;
  std::map<std::pair<int, int>, ModelCell> m_cells;
  std::map<int, CellFormat> m_columnFormats;
  std::map<int, double> m_columnWidths;
  std::vector<CellRect> m_merges;
  bool m_protected = false;
  CellRect m_selection;
  int m_activeRow = 1;
  int m_activeColumn = 1;
  std::vector<std::pair<int, AutomationObjectPtr>> m_sinks;
  int m_nextCookie = 1;
};

class CModelWorkbook {
 public:
  CModelWorkbook(std::weak_ptr<CWorkbookModel> application, std::u16string name)
      : m_application(std::move(application)), m_name(std::move(name)) {}

  std::shared_ptr<CWorkbookModel> Application() const { return m_application.lock(); }
  const std::u16string& Name() const { return m_name; }
  void SetName(std::u16string name) { m_name = std::move(name); }
  const std::vector<std::shared_ptr<CModelSheet>>& Sheets() const { return m_sheets; }
  std::shared_ptr<CModelSheet> AddSheet(const std::u16string& name);
  std::shared_ptr<CModelSheet> ActiveSheet() const;
  void ActivateSheet(int index) { m_activeSheet = index; }
  bool maximized = true;  // its window fills the desk

 private:
  std::weak_ptr<CWorkbookModel> m_application;
  std::u16string m_name;
  std::vector<std::shared_ptr<CModelSheet>> m_sheets;
  int m_activeSheet = 0;
};

// The application: its workbooks and windows (one per workbook, captioned
// with the workbook's name) and the files it saved, kept in memory.
class CWorkbookModel : public std::enable_shared_from_this<CWorkbookModel> {
 public:
  static std::shared_ptr<CWorkbookModel> Create() {
    return std::shared_ptr<CWorkbookModel>(new CWorkbookModel);
  }

  // The program's name, which the frame's title begins (or, in the later
  // form, ends) with.
  std::u16string caption = u"Excel";
  bool laterTitleForm = false;
  std::int32_t hwnd = 0;  // the frame window, once the server has one
  // The stand-in's test switch: rejects incoming calls for the milliseconds given.
  std::function<void(int milliseconds)> holdBusy;
  bool visible = false;
  bool userControl = false;
  int sheetsInNewWorkbook = 3;

  const std::vector<std::shared_ptr<CModelWorkbook>>& Workbooks() const { return m_workbooks; }
  std::shared_ptr<CModelWorkbook> ActiveWorkbook() const;
  std::shared_ptr<CModelSheet> ActiveSheet() const;
  // The frame's title, which Application.Caption reads: the program's name
  // and, when its window is maximised, the active workbook's ("<name> -
  // Book1", or "Book1 - <name>").
  std::u16string Title() const;

  // A new workbook "BookN", or a copy of a saved file named after it; an
  // unknown template file raises CAutomationError.
  std::shared_ptr<CModelWorkbook> AddWorkbook(const std::optional<std::u16string>& templatePath);
  std::shared_ptr<CModelWorkbook> OpenWorkbook(const std::u16string& path);
  void SaveWorkbookAs(CModelWorkbook& workbook, const std::u16string& path);
  bool HasSavedFile(const std::u16string& path) const { return m_savedFiles.count(path) != 0; }
  void ActivateWorkbook(int index) { m_activeWorkbook = index; }
  void ActivateWorkbook(const CModelWorkbook& workbook);

 private:
  CWorkbookModel() = default;
  std::shared_ptr<CModelWorkbook> AddCopy(const std::u16string& path, std::u16string name);

  std::vector<std::shared_ptr<CModelWorkbook>> m_workbooks;
  int m_activeWorkbook = -1;
  int m_bookCounter = 0;
  std::map<std::u16string, std::vector<std::shared_ptr<CModelSheet>>> m_savedFiles;
};

#include "tests/standins/workbook/model_objects.h"

#include <array>
#include <string_view>

#include "assistant/excel/automation_error.h"
#include "assistant/excel/dispatch_ids.h"
#include "tests/standins/workbook/cell_address.h"
#include "tests/standins/workbook/identity_cache.h"
#include "tests/standins/workbook/standin_dispatch_ids.h"

namespace {

struct MemberName {
  std::u16string_view name;
  int id;
};

// Members known by name; GetIDsOfNames of the COM wrapper answers from here too.
constexpr MemberName kMemberNames[] = {
    {u"Application", dispid::kApplication},
    {u"Creator", dispid::kCreator},
    {u"Workbooks", dispid::kWorkbooks},
    {u"Sheets", dispid::kSheets},
    {u"Windows", dispid::kWindows},
    {u"ActiveWindow", dispid::kActiveWindow},
    {u"ActiveSheet", dispid::kActiveSheet},
    {u"ActiveCell", dispid::kActiveCell},
    {u"Caption", dispid::kCaption},
    {u"Visible", dispid::kVisible},
    {u"UserControl", dispid::kUserControl},
    {u"Add", dispid::kAdd},
    {u"Open", dispid::kOpen},
    {u"SaveAs", dispid::kSaveAs},
    {u"Count", dispid::kCount},
    {u"Item", dispid::kItem},
    {u"Name", dispid::kName},
    {u"Index", dispid::kIndex},
    {u"Cells", dispid::kCells},
    {u"Columns", dispid::kColumns},
    {u"UsedRange", dispid::kUsedRange},
    {u"Row", dispid::kRow},
    {u"Column", dispid::kColumn},
    {u"Rows", dispid::kRows},
    {u"Resize", dispid::kResize},
    {u"Worksheet", dispid::kWorksheet},
    {u"Text", dispid::kText},
    {u"Value", dispid::kValue},
    {u"Formula", dispid::kFormula},
    {u"NumberFormatLocal", dispid::kNumberFormatLocal},
    {u"ColumnWidth", dispid::kColumnWidth},
    {u"HorizontalAlignment", dispid::kHorizontalAlignment},
    {u"VerticalAlignment", dispid::kVerticalAlignment},
    {u"Merge", dispid::kMerge},
    {u"Select", dispid::kSelect},
    {u"Font", dispid::kFont},
    {u"MergeArea", dispid::kMergeArea},
    {u"Color", dispid::kColor},
    {u"_Default", standin_dispid::kDefault},
    {u"Range", dispid::kRange},
    {u"Worksheets", standin_dispid::kWorksheets},
    {u"PrefixCharacter", standin_dispid::kPrefixCharacter},
    {u"Hwnd", standin_dispid::kHwnd},
    {u"HoldBusy", standin_dispid::kHoldBusy},
    {u"Activate", standin_dispid::kActivate},
    {u"WindowState", standin_dispid::kWindowState},
    {u"Address", dispid::kAddress},
    {u"Areas", standin_dispid::kAreas},
    {u"CountLarge", standin_dispid::kCountLarge},
    {u"EntireRow", standin_dispid::kEntireRow},
    {u"EntireColumn", standin_dispid::kEntireColumn},
    {u"ClearContents", standin_dispid::kClearContents},
    {u"Delete", standin_dispid::kDelete},
    {u"Insert", standin_dispid::kInsert},
    {u"Copy", standin_dispid::kCopy},
};

// Argument names of the methods that a macro calls with named arguments,
// in their order.
struct ArgumentNames {
  int id;
  std::u16string_view names[15];
};
constexpr ArgumentNames kArgumentNames[] = {
    {dispid::kOpen,
     {u"Filename", u"UpdateLinks", u"ReadOnly", u"Format", u"Password", u"WriteResPassword",
      u"IgnoreReadOnlyRecommended", u"Origin", u"Delimiter", u"Editable", u"Notify", u"Converter",
      u"AddToMru", u"Local", u"CorruptLoad"}},
    {dispid::kSaveAs,
     {u"Filename", u"FileFormat", u"Password", u"WriteResPassword", u"ReadOnlyRecommended", u"CreateBackup",
      u"AccessMode", u"ConflictResolution", u"AddToMru", u"TextCodepage", u"TextVisualLayout", u"Local"}},
    {dispid::kAdd, {u"Template"}},
    {standin_dispid::kCopy, {u"Destination"}},
    {standin_dispid::kDelete, {u"Shift"}},
    {standin_dispid::kInsert, {u"Shift", u"CopyOrigin"}},
};

char16_t FoldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// Properties that give a collection; read with arguments (`Cells(5, 2)`,
// `Workbooks(1)`) they give the collection's item, as the default member
// of the collection would.
bool IsCollectionProperty(int dispatchId) {
  switch (dispatchId) {
    case dispid::kCells:
    case dispid::kRows:
    case dispid::kColumns:
    case dispid::kWorkbooks:
    case dispid::kSheets:
    case dispid::kWindows:
    case standin_dispid::kWorksheets:
      return true;
    default:
      return false;
  }
}

[[noreturn]] void ThrowUnknownMember() {
  throw CAutomationError(u"The object does not support this member.");
}

void ExpectArguments(std::span<const AutomationValue> args, std::size_t count) {
  if (args.size() < count) throw CAutomationError(u"A required argument is missing.");
}

bool IsGiven(std::span<const AutomationValue> args, std::size_t index) {
  return index < args.size() && !std::holds_alternative<AutomationMissing>(args[index]) &&
         !std::holds_alternative<std::monostate>(args[index]);
}

// Common to every object: the members read by name.
class CModelObject : public AutomationObject {
 public:
  explicit CModelObject(std::shared_ptr<CWorkbookModel> model) : m_model(std::move(model)) {}

  AutomationValue Invoke(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args) override {
    if (dispatchId == dispid::kApplication && kind != InvokeKind::kPut) {
      if (!m_model) throw CAutomationError(u"The object belongs to no application.");
      return MakeApplicationObject(m_model);
    }
    if (dispatchId == dispid::kCreator && kind != InvokeKind::kPut) return std::int32_t{dispid::kCreatorCode};
    if (IsCollectionProperty(dispatchId) && !args.empty()) return InvokeItemOf(dispatchId, kind, args);
    return InvokeMember(dispatchId, kind, args);
  }

  std::optional<int> DispatchIdOfName(std::u16string_view name) override {
    for (const MemberName& member : kMemberNames) {
      if (SameName(member.name, name)) return member.id;
    }
    return std::nullopt;
  }

 protected:
  virtual AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                                       std::span<const AutomationValue> args) = 0;
  const std::shared_ptr<CWorkbookModel>& Model() const { return m_model; }

 private:
  // `Cells(5, 2)` reads Item(5, 2) of Cells; `Cells(5, 2) = x` puts x as
  // that item's value.
  AutomationValue InvokeItemOf(int dispatchId, InvokeKind kind, std::span<const AutomationValue> args) {
    AutomationObjectPtr collection = AutomationObjectOf(InvokeMember(dispatchId, InvokeKind::kGet, {}));
    if (!collection) ThrowUnknownMember();
    if (kind != InvokeKind::kPut) return collection->Invoke(dispid::kItem, InvokeKind::kGet, args);
    if (args.size() < 2) ThrowUnknownMember();
    AutomationObjectPtr item =
        AutomationObjectOf(collection->Invoke(dispid::kItem, InvokeKind::kGet, args.first(args.size() - 1)));
    if (!item) ThrowUnknownMember();
    std::array<AutomationValue, 1> value = {args.back()};
    return item->Invoke(standin_dispid::kDefault, InvokeKind::kPut, value);
  }

 private:
  std::shared_ptr<CWorkbookModel> m_model;
};

std::shared_ptr<CWorkbookModel> ApplicationOf(const CModelSheet& sheet) {
  std::shared_ptr<CModelWorkbook> workbook = sheet.Workbook();
  return workbook ? workbook->Application() : nullptr;
}

std::shared_ptr<CWorkbookModel> ApplicationOf(const CModelWorkbook& workbook) {
  return workbook.Application();
}

// An object over one part of the model: a sheet or a workbook.
template <typename ModelPart>
class CPartObject : public CModelObject {
 public:
  explicit CPartObject(std::shared_ptr<ModelPart> part)
      : CModelObject(ApplicationOf(*part)), m_part(std::move(part)) {}

  const std::shared_ptr<ModelPart>& Part() const { return m_part; }

 private:
  std::shared_ptr<ModelPart> m_part;
};

using CSheetPart = CPartObject<CModelSheet>;
using CWorkbookPart = CPartObject<CModelWorkbook>;

int IndexArgument(std::span<const AutomationValue> args, int count) {
  ExpectArguments(args, 1);
  int index = AutomationInt(args[0]);
  if (index < 1 || index > count) throw CAutomationError(u"The index is out of range.");
  return index;
}

AutomationObjectPtr MakeAreasObject(const std::shared_ptr<CModelSheet>& sheet, std::vector<CellRect> areas);
AutomationObjectPtr MakeAreasListObject(const std::shared_ptr<CModelSheet>& sheet,
                                        std::vector<CellRect> areas);

// Range(address) or Range(cell1, cell2) of a sheet, relative to `base`.
AutomationValue RangeOf(const std::shared_ptr<CModelSheet>& sheet, const CellRect& base,
                        std::span<const AutomationValue> args) {
  ExpectArguments(args, 1);
  if (const auto* address = std::get_if<std::u16string>(&args[0])) {
    std::vector<CellRect> areas = ParseAreasAddress(*address, base);
    if (areas.size() == 1) return MakeRangeObject(sheet, areas.front(), RangeKind::kCells);
    return MakeAreasObject(sheet, std::move(areas));
  }
  std::optional<CellRect> first = ModelBlockOf(AutomationObjectOf(args[0]));
  std::optional<CellRect> last = IsGiven(args, 1) ? ModelBlockOf(AutomationObjectOf(args[1])) : first;
  if (!first || !last) throw CAutomationError(u"The range is not valid.");
  return MakeRangeObject(sheet,
                         {std::min(first->top, last->top), std::min(first->left, last->left),
                          std::max(first->bottom, last->bottom), std::max(first->right, last->right)},
                         RangeKind::kCells);
}

// The font of a range's cells, in one block or several.
class CFontObject : public CSheetPart {
 public:
  CFontObject(std::shared_ptr<CModelSheet> sheet, std::vector<CellRect> areas)
      : CSheetPart(std::move(sheet)), m_areas(std::move(areas)) {}

 protected:
  AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                               std::span<const AutomationValue> args) override {
    if (dispatchId != dispid::kColor) ThrowUnknownMember();
    if (kind == InvokeKind::kPut) {
      ExpectArguments(args, 1);
      for (const CellRect& area : m_areas) Part()->SetFontColor(area, AutomationInt(args.back()));
      return {};
    }
    // Cells of different colours answer Null.
    const CellRect& firstArea = m_areas.front();
    std::int32_t first = Part()->FontColor(firstArea.top, firstArea.left);
    for (const CellRect& area : m_areas) {
      for (int row = area.top; row <= area.bottom; ++row) {
        for (int column = area.left; column <= area.right; ++column) {
          if (Part()->FontColor(row, column) != first) return AutomationNull{};
        }
      }
    }
    return first;
  }

 private:
  std::vector<CellRect> m_areas;
};

struct RangeKey {
  const CModelSheet* sheet;
  CellRect block;
  RangeKind kind;
  auto operator<=>(const RangeKey&) const = default;
};

CIdentityCache<RangeKey, CFontObject> g_fonts;

AutomationObjectPtr MakeFontObject(const std::shared_ptr<CModelSheet>& sheet, const CellRect& block) {
  return g_fonts.Find({sheet.get(), block, RangeKind::kCells},
                      [&] { return std::make_shared<CFontObject>(sheet, std::vector<CellRect>{block}); });
}

class CRangeObject : public CSheetPart {
 public:
  CRangeObject(std::shared_ptr<CModelSheet> sheet, CellRect block, RangeKind kind)
      : CRangeObject(std::move(sheet), std::vector<CellRect>{block}, kind) {}
  // A range of several blocks answers with its first, as the spreadsheet
  // does, but for writes and the font, which reach every block.
  CRangeObject(std::shared_ptr<CModelSheet> sheet, std::vector<CellRect> areas, RangeKind kind)
      : CSheetPart(std::move(sheet)), m_areas(std::move(areas)), m_block(m_areas.front()), m_kind(kind) {}
  const CellRect& Block() const { return m_block; }

 protected:
  AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                               std::span<const AutomationValue> args) override {
    if (kind == InvokeKind::kPut) return Put(dispatchId, args);
    switch (dispatchId) {
      case standin_dispid::kDefault:
        return IsGiven(args, 0) ? Item(args) : Values();
      case dispid::kRange:
        return RangeOf(Part(), m_block, args);
      case standin_dispid::kPrefixCharacter:
        return Part()->PrefixCharacter(m_block.top, m_block.left);
      case dispid::kItem:
        return Item(args);
      case dispid::kCount:
        return Count();
      case dispid::kRow:
        return std::int32_t{m_block.top};
      case dispid::kColumn:
        return std::int32_t{m_block.left};
      case dispid::kRows:
        return MakeRangeObject(Part(), m_block, RangeKind::kRows);
      case dispid::kColumns:
        return MakeRangeObject(Part(), m_block, RangeKind::kColumns);
      case dispid::kResize:
        return Resize(args);
      case dispid::kWorksheet:
        return MakeWorksheetObject(Part());
      case dispid::kText:
        if (m_block.IsCell()) return Part()->CellText(m_block.top, m_block.left);
        if (std::optional<std::u16string> shared = Part()->BlockText(m_block)) return *shared;
        return AutomationNull{};
      case dispid::kValue:
        return Values();
      case dispid::kFormula:
        if (m_block.IsCell()) return Part()->CellFormula(m_block.top, m_block.left);
        return MakeAutomationArray(Part()->BlockFormulas(m_block));
      case dispid::kNumberFormatLocal:
        return Part()->NumberFormat(m_block.top, m_block.left);
      case dispid::kColumnWidth:
        return Part()->ColumnWidth(m_block.left);
      case dispid::kHorizontalAlignment:
        return Part()->HorizontalAlignment(m_block.top, m_block.left);
      case dispid::kVerticalAlignment:
        return Part()->VerticalAlignment(m_block.top, m_block.left);
      case dispid::kMergeArea:
        return MakeRangeObject(Part(), Part()->MergeArea(m_block.top, m_block.left), RangeKind::kCells);
      case dispid::kFont:
        if (m_areas.size() > 1) return AutomationObjectPtr(std::make_shared<CFontObject>(Part(), m_areas));
        return MakeFontObject(Part(), m_block);
      case dispid::kMerge:
        Part()->Merge(m_block, IsGiven(args, 0) && AutomationBool(args[0]));
        return {};
      case dispid::kSelect:
        Part()->Select(m_block);
        return {};
      default:
        return InvokeBlockMember(dispatchId, args);
    }
  }

 private:
  // The members of edits of many cells, and of a range's areas.
  AutomationValue InvokeBlockMember(int dispatchId, std::span<const AutomationValue> args) {
    switch (dispatchId) {
      case dispid::kAddress:
        return Address();
      case standin_dispid::kAreas:
        return MakeAreasListObject(Part(), m_areas);
      case standin_dispid::kCountLarge:
        return static_cast<double>(CellCount());
      case standin_dispid::kEntireRow:
        return MakeAreasRangeObject(Part(), Entire(true));
      case standin_dispid::kEntireColumn:
        return MakeAreasRangeObject(Part(), Entire(false));
      case standin_dispid::kClearContents:
        Part()->ClearContents(m_areas);
        return true;
      case standin_dispid::kDelete:
        Part()->DeleteRows(WholeRows().top, WholeRows().bottom);
        return true;
      case standin_dispid::kInsert:
        Part()->InsertRows(WholeRows().top, WholeRows().bottom - WholeRows().top + 1);
        return true;
      case standin_dispid::kCopy:
        return Copy(args);
      default:
        ThrowUnknownMember();
    }
  }

  std::u16string Address() const {
    std::u16string address;
    for (const CellRect& area : m_areas) address += (address.empty() ? u"" : u",") + BlockAddress(area);
    return address;
  }

  long long CellCount() const {
    long long cells = 0;
    for (const CellRect& area : m_areas) cells += area.CellCount();
    return cells;
  }

  std::vector<CellRect> Entire(bool rows) const {
    std::vector<CellRect> entire;
    for (const CellRect& area : m_areas) {
      entire.push_back(rows ? CellRect::Rows(area.top, area.bottom)
                            : CellRect{1, area.left, kSheetRows, area.right});
    }
    return entire;
  }

  // Deleting and inserting take whole rows here; cells shifted within
  // their columns are not part of the stand-in.
  const CellRect& WholeRows() const {
    if (m_areas.size() != 1 || !m_block.IsWholeRows()) {
      throw CAutomationError(u"The stand-in deletes and inserts only one block of whole rows.");
    }
    return m_block;
  }

  // Copy Destination:=range; without a destination the spreadsheet would
  // use the clipboard, which only the grid window does here.
  AutomationValue Copy(std::span<const AutomationValue> args) {
    std::optional<CellRect> destination =
        IsGiven(args, 0) ? ModelBlockOf(AutomationObjectOf(args[0])) : std::nullopt;
    if (!destination) throw CAutomationError(u"Copy needs a destination range here.");
    Part()->CopyBlock(m_block, *destination);
    return true;
  }

  // A cell's value, or a block's as an array of its rows.
  AutomationValue Values() const {
    if (m_block.IsCell()) return Part()->CellValue(m_block.top, m_block.left);
    return MakeAutomationArray(Part()->BlockValues(m_block));
  }

  AutomationValue Put(int dispatchId, std::span<const AutomationValue> args) {
    ExpectArguments(args, 1);
    const AutomationValue& value = args.back();
    if (dispatchId == standin_dispid::kDefault && args.size() > 1) {
      // `range(2, 1) = x`: the item's value.
      AutomationObjectPtr item = AutomationObjectOf(Item(args.first(args.size() - 1)));
      std::array<AutomationValue, 1> itemValue = {value};
      return item->Invoke(standin_dispid::kDefault, InvokeKind::kPut, itemValue);
    }
    if (dispatchId == standin_dispid::kDefault || dispatchId == dispid::kValue ||
        dispatchId == dispid::kFormula) {
      // A formula put reads as typing too; an array gives every cell its
      // own; every area is written, one change event for them all.
      Part()->SetValue(m_areas, value);
      return {};
    }
    // An unknown member fails on the first block, before anything is written.
    for (const CellRect& area : m_areas) PutArea(dispatchId, area, value);
    return {};
  }

  void PutArea(int dispatchId, const CellRect& area, const AutomationValue& value) {
    switch (dispatchId) {
      case dispid::kNumberFormatLocal:
        return Part()->SetNumberFormat(area, AutomationText(value));
      case dispid::kColumnWidth:
        return Part()->SetColumnWidth(area, AutomationDouble(value));
      case dispid::kHorizontalAlignment:
        return Part()->SetHorizontalAlignment(area, AutomationInt(value));
      case dispid::kVerticalAlignment:
        return Part()->SetVerticalAlignment(area, AutomationInt(value));
      default:
        ThrowUnknownMember();
    }
  }

  int RowCount() const { return m_block.bottom - m_block.top + 1; }
  int ColumnCount() const { return m_block.right - m_block.left + 1; }

  AutomationValue Count() const {
    if (m_kind == RangeKind::kRows) return std::int32_t{RowCount()};
    if (m_kind == RangeKind::kColumns) return std::int32_t{ColumnCount()};
    return static_cast<std::int32_t>(CellCount());
  }

  [[noreturn]] static void ThrowOutsideSheet() {
    throw CAutomationError(u"The row or column lies outside the sheet.");
  }

  static CellRect Checked(const CellRect& block) {
    if (block.top < 1 || block.left < 1 || block.bottom > kSheetRows || block.right > kSheetColumns ||
        block.top > block.bottom || block.left > block.right) {
      ThrowOutsideSheet();
    }
    return block;
  }

  AutomationValue Item(std::span<const AutomationValue> args) const {
    ExpectArguments(args, 1);
    long long first = AutomationInt(args[0]);
    if (IsGiven(args, 1)) {
      long long row = m_block.top + first - 1;
      long long column = m_block.left + AutomationInt(args[1]) - 1;
      if (row < 1 || row > kSheetRows || column < 1 || column > kSheetColumns) ThrowOutsideSheet();
      return MakeRangeObject(Part(), CellRect::Cell(static_cast<int>(row), static_cast<int>(column)),
                             RangeKind::kCells);
    }
    if (first < 1 || first > static_cast<long long>(kSheetRows) * kSheetColumns) ThrowOutsideSheet();
    int index = static_cast<int>(first);
    if (m_kind == RangeKind::kColumns) {
      return MakeRangeObject(
          Part(), Checked({m_block.top, m_block.left + index - 1, m_block.bottom, m_block.left + index - 1}),
          RangeKind::kColumns);
    }
    if (m_kind == RangeKind::kRows) {
      return MakeRangeObject(
          Part(), Checked({m_block.top + index - 1, m_block.left, m_block.top + index - 1, m_block.right}),
          RangeKind::kRows);
    }
    // Cells in reading order, running on below the block.
    int row = m_block.top + (index - 1) / ColumnCount();
    int column = m_block.left + (index - 1) % ColumnCount();
    return MakeRangeObject(Part(), Checked(CellRect::Cell(row, column)), RangeKind::kCells);
  }

  AutomationValue Resize(std::span<const AutomationValue> args) const {
    int rows = IsGiven(args, 0) ? AutomationInt(args[0]) : RowCount();
    int columns = IsGiven(args, 1) ? AutomationInt(args[1]) : ColumnCount();
    if (rows < 1 || columns < 1) throw CAutomationError(u"The size of a block must be at least one cell.");
    long long bottom = static_cast<long long>(m_block.top) + rows - 1;
    long long right = static_cast<long long>(m_block.left) + columns - 1;
    if (bottom > kSheetRows || right > kSheetColumns) ThrowOutsideSheet();
    return MakeRangeObject(Part(),
                           {m_block.top, m_block.left, static_cast<int>(bottom), static_cast<int>(right)},
                           RangeKind::kCells);
  }

  std::vector<CellRect> m_areas;
  CellRect m_block;
  RangeKind m_kind;
};

class CWorksheetObject : public CSheetPart {
 public:
  using CSheetPart::CSheetPart;

 protected:
  AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                               std::span<const AutomationValue> args) override {
    if (kind == InvokeKind::kPut) ThrowUnknownMember();
    constexpr CellRect kWholeSheet{1, 1, kSheetRows, kSheetColumns};
    switch (dispatchId) {
      case dispid::kName:
        return Part()->Name();
      case dispid::kIndex:
        return std::int32_t{Part()->Index()};
      case dispid::kCells:
        return MakeRangeObject(Part(), kWholeSheet, RangeKind::kCells);
      case dispid::kColumns:
        return MakeRangeObject(Part(), kWholeSheet, RangeKind::kColumns);
      case dispid::kRows:
        return MakeRangeObject(Part(), kWholeSheet, RangeKind::kRows);
      case dispid::kUsedRange:
        return MakeRangeObject(Part(), Part()->UsedRange(), RangeKind::kCells);
      case dispid::kRange:
        return RangeOf(Part(), kWholeSheet, args);
      default:
        ThrowUnknownMember();
    }
  }
};

class CSheetsObject : public CWorkbookPart {
 public:
  using CWorkbookPart::CWorkbookPart;

 protected:
  AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                               std::span<const AutomationValue> args) override {
    if (kind == InvokeKind::kPut) ThrowUnknownMember();
    const auto& sheets = Part()->Sheets();
    if (dispatchId == dispid::kCount) return static_cast<std::int32_t>(sheets.size());
    if (dispatchId != dispid::kItem && dispatchId != standin_dispid::kDefault) ThrowUnknownMember();
    if (const auto* name = args.empty() ? nullptr : std::get_if<std::u16string>(&args[0])) {
      for (const auto& sheet : sheets) {
        if (SameName(sheet->Name(), *name)) return MakeWorksheetObject(sheet);
      }
      throw CAutomationError(u"The index is out of range.");
    }
    return MakeWorksheetObject(sheets[IndexArgument(args, static_cast<int>(sheets.size())) - 1]);
  }
};

class CWorkbookObject : public CWorkbookPart {
 public:
  using CWorkbookPart::CWorkbookPart;

 protected:
  AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                               std::span<const AutomationValue> args) override {
    if (kind == InvokeKind::kPut) ThrowUnknownMember();
    switch (dispatchId) {
      case dispid::kName:
        return Part()->Name();
      case dispid::kSheets:
      case standin_dispid::kWorksheets:
        return std::make_shared<CSheetsObject>(Part());
      case dispid::kSaveAs:
        ExpectArguments(args, 1);
        Model()->SaveWorkbookAs(*Part(), AutomationText(args[0]));
        return {};
      case standin_dispid::kActivate:
        Model()->ActivateWorkbook(*Part());
        return {};
      default:
        ThrowUnknownMember();
    }
  }
};

class CWindowObject : public CWorkbookPart {
 public:
  using CWorkbookPart::CWorkbookPart;

 protected:
  AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                               std::span<const AutomationValue> args) override {
    if (dispatchId == standin_dispid::kWindowState) {
      if (kind != InvokeKind::kPut) return Part()->maximized ? kWindowMaximized : kWindowNormal;
      ExpectArguments(args, 1);
      Part()->maximized = AutomationInt(args.back()) == kWindowMaximized;
      return {};
    }
    if (dispatchId != dispid::kCaption || kind == InvokeKind::kPut) ThrowUnknownMember();
    return Part()->Name();
  }

 private:
  static constexpr std::int32_t kWindowMaximized = -4137;
  static constexpr std::int32_t kWindowNormal = -4143;
};

// Workbooks and Windows: one item per workbook.
class CWorkbookListObject : public CModelObject {
 public:
  CWorkbookListObject(std::shared_ptr<CWorkbookModel> model, bool windows)
      : CModelObject(std::move(model)), m_windows(windows) {}

 protected:
  AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                               std::span<const AutomationValue> args) override {
    if (kind == InvokeKind::kPut) ThrowUnknownMember();
    const auto& workbooks = Model()->Workbooks();
    switch (dispatchId) {
      case dispid::kCount:
        return static_cast<std::int32_t>(workbooks.size());
      case dispid::kItem:
      case standin_dispid::kDefault:
        if (const auto* name = args.empty() ? nullptr : std::get_if<std::u16string>(&args[0])) {
          for (const auto& workbook : workbooks) {
            if (SameName(workbook->Name(), *name)) return Wrap(workbook);
          }
          throw CAutomationError(u"The index is out of range.");
        }
        return Wrap(workbooks[IndexArgument(args, static_cast<int>(workbooks.size())) - 1]);
      case dispid::kAdd:
        if (m_windows) ThrowUnknownMember();
        return Wrap(
            Model()->AddWorkbook(IsGiven(args, 0) ? std::optional(AutomationText(args[0])) : std::nullopt));
      case dispid::kOpen:
        if (m_windows) ThrowUnknownMember();
        ExpectArguments(args, 1);
        return Wrap(Model()->OpenWorkbook(AutomationText(args[0])));
      default:
        ThrowUnknownMember();
    }
  }

 private:
  AutomationObjectPtr Wrap(const std::shared_ptr<CModelWorkbook>& workbook) const {
    if (m_windows) return std::make_shared<CWindowObject>(workbook);
    return std::make_shared<CWorkbookObject>(workbook);
  }

  bool m_windows;
};

class CApplicationObject : public CModelObject {
 public:
  using CModelObject::CModelObject;

 protected:
  AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                               std::span<const AutomationValue> args) override {
    CWorkbookModel& model = *Model();
    if (kind == InvokeKind::kPut) {
      ExpectArguments(args, 1);
      switch (dispatchId) {
        case dispid::kVisible:
          model.visible = AutomationBool(args.back());
          return {};
        case dispid::kUserControl:
          model.userControl = AutomationBool(args.back());
          return {};
        case dispid::kCaption:
          model.caption = AutomationText(args.back());
          return {};
        default:
          ThrowUnknownMember();
      }
    }
    std::shared_ptr<CModelWorkbook> workbook = model.ActiveWorkbook();
    std::shared_ptr<CModelSheet> sheet = model.ActiveSheet();
    switch (dispatchId) {
      case dispid::kWorkbooks:
        return std::make_shared<CWorkbookListObject>(Model(), false);
      case dispid::kWindows:
        return std::make_shared<CWorkbookListObject>(Model(), true);
      case dispid::kSheets:
      case standin_dispid::kWorksheets:
        if (!workbook) throw CAutomationError(u"There is no active workbook.");
        return std::make_shared<CSheetsObject>(workbook);
      case dispid::kCells:
      case dispid::kRange:
        // The active sheet's.
        if (!sheet) throw CAutomationError(u"There is no active sheet.");
        return MakeWorksheetObject(sheet)->Invoke(dispatchId, InvokeKind::kGet, args);
      case standin_dispid::kDefault:
      case dispid::kName:
        return model.caption;
      case standin_dispid::kHwnd:
        return model.hwnd;
      case standin_dispid::kHoldBusy:
        ExpectArguments(args, 1);
        if (model.holdBusy) model.holdBusy(AutomationInt(args[0]));
        return {};
      case dispid::kActiveWindow:
        return workbook ? std::make_shared<CWindowObject>(workbook) : AutomationObjectPtr();
      case dispid::kActiveSheet:
        return sheet ? MakeWorksheetObject(sheet) : AutomationObjectPtr();
      case dispid::kActiveCell: {
        if (!sheet) return AutomationObjectPtr();
        auto [row, column] = sheet->ActiveCell();
        return MakeRangeObject(sheet, CellRect::Cell(row, column), RangeKind::kCells);
      }
      case dispid::kCaption:
        return model.Title();
      case dispid::kVisible:
        return model.visible;
      case dispid::kUserControl:
        return model.userControl;
      default:
        ThrowUnknownMember();
    }
  }
};

// The objects a client asks for again and again, one per model part.
CIdentityCache<const CWorkbookModel*, CApplicationObject> g_applications;
CIdentityCache<const CModelSheet*, CWorksheetObject> g_worksheets;
CIdentityCache<RangeKey, CRangeObject> g_ranges;

// A range of several blocks is made anew each time, as the spreadsheet makes
// them.
AutomationObjectPtr MakeAreasObject(const std::shared_ptr<CModelSheet>& sheet, std::vector<CellRect> areas) {
  return std::make_shared<CRangeObject>(sheet, std::move(areas), RangeKind::kCells);
}

// A range's Areas: Count, and Item(i) the i-th block as a range.
class CAreasObject : public CSheetPart {
 public:
  CAreasObject(std::shared_ptr<CModelSheet> sheet, std::vector<CellRect> areas)
      : CSheetPart(std::move(sheet)), m_areas(std::move(areas)) {}

 protected:
  AutomationValue InvokeMember(int dispatchId, InvokeKind kind,
                               std::span<const AutomationValue> args) override {
    if (kind == InvokeKind::kPut) ThrowUnknownMember();
    if (dispatchId == dispid::kCount) return static_cast<std::int32_t>(m_areas.size());
    if (dispatchId != dispid::kItem && dispatchId != standin_dispid::kDefault) ThrowUnknownMember();
    return MakeRangeObject(Part(), m_areas[IndexArgument(args, static_cast<int>(m_areas.size())) - 1],
                           RangeKind::kCells);
  }

 private:
  std::vector<CellRect> m_areas;
};

AutomationObjectPtr MakeAreasListObject(const std::shared_ptr<CModelSheet>& sheet,
                                        std::vector<CellRect> areas) {
  return std::make_shared<CAreasObject>(sheet, std::move(areas));
}

}  // namespace

AutomationObjectPtr MakeAreasRangeObject(const std::shared_ptr<CModelSheet>& sheet,
                                         const std::vector<CellRect>& areas) {
  if (areas.size() == 1) return MakeRangeObject(sheet, areas.front(), RangeKind::kCells);
  return MakeAreasObject(sheet, areas);
}

std::u16string BlockAddress(const CellRect& block) {
  auto text = [](const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); };
  auto row = [](int number) { return "$" + std::to_string(number); };
  auto column = [](int number) { return "$" + ColumnLetters(number); };
  std::string first;
  std::string last;
  if (block.IsWholeRows()) {
    first = row(block.top);
    last = row(block.bottom);
  } else if (block.IsWholeColumns()) {
    first = column(block.left);
    last = column(block.right);
  } else {
    first = column(block.left) + row(block.top);
    last = column(block.right) + row(block.bottom);
    if (block.IsCell()) return text(first);
  }
  return text(first + ":" + last);
}

AutomationObjectPtr MakeApplicationObject(const std::shared_ptr<CWorkbookModel>& model) {
  return g_applications.Find(model.get(), [&] { return std::make_shared<CApplicationObject>(model); });
}

AutomationObjectPtr MakeWorksheetObject(const std::shared_ptr<CModelSheet>& sheet) {
  return g_worksheets.Find(sheet.get(), [&] { return std::make_shared<CWorksheetObject>(sheet); });
}

AutomationObjectPtr MakeRangeObject(const std::shared_ptr<CModelSheet>& sheet, const CellRect& block,
                                    RangeKind kind) {
  return g_ranges.Find({sheet.get(), block, kind},
                       [&] { return std::make_shared<CRangeObject>(sheet, block, kind); });
}

std::shared_ptr<CModelSheet> ModelSheetOf(const AutomationObjectPtr& object) {
  if (auto* range = dynamic_cast<CRangeObject*>(object.get())) return range->Part();
  if (auto* worksheet = dynamic_cast<CWorksheetObject*>(object.get())) return worksheet->Part();
  return nullptr;
}

std::optional<CellRect> ModelBlockOf(const AutomationObjectPtr& object) {
  if (auto* range = dynamic_cast<CRangeObject*>(object.get())) return range->Block();
  return std::nullopt;
}

std::optional<int> ModelArgumentPosition(int dispatchId, std::u16string_view name) {
  for (const ArgumentNames& method : kArgumentNames) {
    if (method.id != dispatchId) continue;
    for (std::size_t i = 0; i < std::size(method.names); ++i) {
      if (!method.names[i].empty() && SameName(method.names[i], name)) return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

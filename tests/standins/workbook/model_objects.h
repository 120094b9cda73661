#pragma once

// The in-memory workbook as automation objects, by the spreadsheet's dispatch
// ids: Application, Workbooks, Workbook, Sheets, Worksheet, Windows, Window,
// Range and Font. Every object also answers "Application" and "Creator".

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assistant/excel/automation_object.h"
#include "tests/standins/workbook/workbook_model.h"

// What Item and Count of a range count: cells, rows or columns.
enum class RangeKind { kCells, kRows, kColumns };

AutomationObjectPtr MakeApplicationObject(const std::shared_ptr<CWorkbookModel>& model);
AutomationObjectPtr MakeWorksheetObject(const std::shared_ptr<CModelSheet>& sheet);
AutomationObjectPtr MakeRangeObject(const std::shared_ptr<CModelSheet>& sheet, const CellRect& block,
                                    RangeKind kind);
// One range over `areas`: a range of several areas when there are more than one.
AutomationObjectPtr MakeAreasRangeObject(const std::shared_ptr<CModelSheet>& sheet,
                                         const std::vector<CellRect>& areas);
// The address as the spreadsheet writes it: "$B$5:$B$7", "$B$9", whole rows
// "$10:$13", whole columns "$B:$B".
std::u16string BlockAddress(const CellRect& block);

// The sheet and block behind a range or worksheet object of the model; null
// for any other object.
std::shared_ptr<CModelSheet> ModelSheetOf(const AutomationObjectPtr& object);
std::optional<CellRect> ModelBlockOf(const AutomationObjectPtr& object);

// The position of the argument `name` of the method `dispatchId` (Open,
// SaveAs, Add), for callers that name their arguments; none when unknown.
std::optional<int> ModelArgumentPosition(int dispatchId, std::u16string_view name);

#pragma once

// Dispatch ids of the spreadsheet members the assistant calls, and of the
// readers that the tests and the stand-in server use.

namespace dispid {

// Application
inline constexpr int kWorkbooks = 0x23C;
inline constexpr int kSheets = 0x1E5;
inline constexpr int kWindows = 0x1AE;
inline constexpr int kActiveWindow = 0x2F7;
inline constexpr int kActiveSheet = 0x133;
inline constexpr int kActiveCell = 0x131;
inline constexpr int kCaption = 0x8B;  // also Window
inline constexpr int kVisible = 0x22E;
inline constexpr int kUserControl = 0x4BA;
// Read by name ("Creator", "Application") on any object.
inline constexpr int kApplication = 0x94;
inline constexpr int kCreator = 0x95;
inline constexpr int kCreatorCode = 0x5843454C;

// Workbooks, Workbook
inline constexpr int kAdd = 0xB5;
inline constexpr int kOpen = 0x2AA;
inline constexpr int kSaveAs = 0x11C;

// Windows, Sheets, Range
inline constexpr int kCount = 0x76;
inline constexpr int kItem = 0xAA;

// Worksheet
inline constexpr int kName = 0x6E;
inline constexpr int kIndex = 0x1E6;
inline constexpr int kCells = 0xEE;
inline constexpr int kColumns = 0xF1;
inline constexpr int kUsedRange = 0x19C;
inline constexpr int kRange = 0xC5;

// Range
inline constexpr int kAddress = 0xEC;  // "$B$5:$B$204", areas separated by commas
inline constexpr int kRow = 0x101;
inline constexpr int kColumn = 0xF0;
inline constexpr int kRows = 0x102;
inline constexpr int kResize = 0x100;
inline constexpr int kWorksheet = 0x15C;
inline constexpr int kText = 0x8A;
inline constexpr int kValue = 0x6;
inline constexpr int kFormula = 0x105;
inline constexpr int kNumberFormatLocal = 0x449;
inline constexpr int kColumnWidth = 0xF2;
inline constexpr int kHorizontalAlignment = 0x88;
inline constexpr int kVerticalAlignment = 0x89;
inline constexpr int kMerge = 0x234;
inline constexpr int kSelect = 0xEB;
inline constexpr int kFont = 0x92;
inline constexpr int kMergeArea = 0x569;

// Font
inline constexpr int kColor = 0x63;

// Worksheet events, on the dispinterface {00024411-0000-0000-C000-000000000046}.
inline constexpr int kSelectionChange = 0x607;
inline constexpr int kChange = 0x609;

}  // namespace dispid

// Centring, for both alignments.
inline constexpr int kAlignCenter = -4108;

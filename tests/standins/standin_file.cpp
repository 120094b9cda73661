#include "tests/standins/standin_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/code_page.h"

namespace {

constexpr const char* kSignature = "ZMSTANDIN 1";

std::string Utf8(std::u16string_view text) { return EncodeToCodePage(text, kCodePageUtf8); }
std::u16string Utf16(std::string_view text) { return DecodeFromCodePage(text, kCodePageUtf8); }

// Tabs, line ends and backslashes inside a field are escaped.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out;
}

std::string Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char next = text[++i];
    out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t tab = line.find('\t', start);
    fields.push_back(Unescaped(line.substr(start, tab - start)));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::string Number(double value) {
  std::ostringstream text;
  text.precision(17);
  text << value;
  return text.str();
}

// The input of a cell: kind letter and content.
std::string Input(const CModelSheet& sheet, int row, int column) {
  std::u16string formula = sheet.CellFormula(row, column);
  if (formula.empty()) return "e\t";
  if (formula[0] == u'=') return "f\t" + Escaped(Utf8(formula));
  AutomationValue value = sheet.CellValue(row, column);
  if (const auto* number = std::get_if<double>(&value)) return "n\t" + Number(*number);
  if (const auto* flag = std::get_if<bool>(&value)) return std::string("b\t") + (*flag ? "1" : "0");
  return "t\t" + Escaped(Utf8(formula));
}

std::string Format(const CModelSheet& sheet, int row, int column) {
  return std::to_string(sheet.FontColor(row, column)) + "\t" +
         Escaped(Utf8(sheet.NumberFormat(row, column))) + "\t" +
         std::to_string(sheet.HorizontalAlignment(row, column)) + "\t" +
         std::to_string(sheet.VerticalAlignment(row, column));
}

void WriteSheet(std::ostream& out, const CModelSheet& sheet) {
  out << "sheet\t" << Escaped(Utf8(sheet.Name())) << "\n";
  for (int column = 1; column <= kSheetColumns; ++column) {
    // The last row is never used by a BOM: its format is the column's own.
    out << "column\t" << column << "\t" << Number(sheet.ColumnWidth(column)) << "\t"
        << Format(sheet, kSheetRows, column) << "\n";
  }
  for (const CellRect& merge : sheet.MergedAreas()) {
    out << "merge\t" << merge.top << "\t" << merge.left << "\t" << merge.bottom << "\t" << merge.right
        << "\n";
  }
  CellRect used = sheet.UsedRange();
  for (int row = used.top; row <= used.bottom; ++row) {
    for (int column = used.left; column <= used.right; ++column) {
      out << "cell\t" << row << "\t" << column << "\t" << Input(sheet, row, column) << "\t"
          << Format(sheet, row, column) << "\n";
    }
  }
}

int Int(const std::string& text) { return std::atoi(text.c_str()); }

void ApplyFormat(CModelSheet& sheet, const CellRect& block, const std::vector<std::string>& fields,
                 std::size_t first) {
  sheet.SetFontColor(block, Int(fields[first]));
  sheet.SetNumberFormat(block, Utf16(fields[first + 1]));
  sheet.SetHorizontalAlignment(block, Int(fields[first + 2]));
  sheet.SetVerticalAlignment(block, Int(fields[first + 3]));
}

void ApplyInput(CModelSheet& sheet, const CellRect& cell, const std::string& kind,
                const std::string& content) {
  if (kind == "f" || kind == "t") sheet.SetValue(cell, Utf16(content));
  if (kind == "n") sheet.SetValue(cell, std::strtod(content.c_str(), nullptr));
  if (kind == "b") sheet.SetValue(cell, content == "1");
}

bool ApplyLine(CModelWorkbook& workbook, std::shared_ptr<CModelSheet>& sheet,
               const std::vector<std::string>& f) {
  if (f[0] == "sheet" && f.size() == 2) {
    sheet = workbook.AddSheet(Utf16(f[1]));
    return true;
  }
  if (!sheet) return false;
  if (f[0] == "column" && f.size() == 7) {
    CellRect column{1, Int(f[1]), kSheetRows, Int(f[1])};
    sheet->SetColumnWidth(column, std::strtod(f[2].c_str(), nullptr));
    ApplyFormat(*sheet, column, f, 3);
  } else if (f[0] == "merge" && f.size() == 5) {
    sheet->Merge({Int(f[1]), Int(f[2]), Int(f[3]), Int(f[4])}, false);
  } else if (f[0] == "cell" && f.size() == 9) {
    CellRect cell = CellRect::Cell(Int(f[1]), Int(f[2]));
    ApplyInput(*sheet, cell, f[3], f[4]);
    ApplyFormat(*sheet, cell, f, 5);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool SaveStandinFile(const CModelWorkbook& workbook, const std::filesystem::path& path) {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  out << kSignature << "\n";
  for (const auto& sheet : workbook.Sheets()) WriteSheet(out, *sheet);
  return static_cast<bool>(out.flush());
}

bool LoadStandinFile(CModelWorkbook& workbook, const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!std::getline(in, line) || line != kSignature) return false;
  std::shared_ptr<CModelSheet> sheet;
  while (std::getline(in, line)) {
    if (!line.empty() && !ApplyLine(workbook, sheet, Fields(line))) return false;
  }
  return true;
}

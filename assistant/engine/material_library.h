#pragma once

// The material library: user formulas and material rows read from ZMLib.txt.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class MessagePort;

inline constexpr std::size_t kMaxUserFormulas = 100;
inline constexpr std::size_t kMaxPrefixBytes = 10;
inline constexpr std::size_t kMaxFormulaBytes = 255;
inline constexpr std::size_t kMaxSpecBytes = 255;

// The reader takes the file in pieces of at most this many bytes, up to and
// including a line feed; a longer physical line is read as several lines.
inline constexpr std::size_t kLibraryLinePieceBytes = 498;

struct MaterialRow {
  std::string spec;  // as the user writes it in the sheet, GBK
  float weight = 0;  // kg per metre, always greater than 0
};

struct UserFormula {
  std::string prefix;     // leading letters of a specification of this shape
  std::string formula;    // expression in the dimension names
  std::string variables;  // the notation without its first prefix-length bytes
};

struct MaterialLibrary {
  std::vector<MaterialRow> rows;      // in file order
  std::vector<UserFormula> formulas;  // in file order, at most kMaxUserFormulas
};

// Reads the library file at `path` into `library`, replacing its content. On
// a format error, what was stored before the failing line stays in the
// library. Errors are shown through `messages` in the active language.
// Returns ST_OK or ST_FAIL.
int LoadMaterialLibrary(MaterialLibrary& library, const std::filesystem::path& path, MessagePort& messages);

// The reading itself, over the file's bytes; `pathText` names the file in
// messages. Returns the error text in the active language, empty when the
// whole text was read.
std::string ParseMaterialLibrary(MaterialLibrary& library, std::string_view content,
                                 std::string_view pathText);

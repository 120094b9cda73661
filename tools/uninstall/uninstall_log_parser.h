#pragma once

// Reads the text of the uninstall log (UTF-8) into its removal records, in
// log order, and its message rows. Lines end in CR LF or LF; blank lines are
// skipped; a line that does not follow the record grammar is counted and
// otherwise ignored, so that a damaged line never turns into a removal.
//
//   J0,2,{registry path},   the path runs to the last comma, which ends the line
//   P0,{file path},0        the path runs to the last comma
//   U0,{folder path},0
//   A{number},{text}        the text runs to the end of the line

#include <string>
#include <string_view>
#include <vector>

#include "tools/uninstall/uninstall_messages.h"

// The product whose log the uninstaller reads; the safety rules trust this
// name, never the log's own.
inline constexpr char kUninstallProductName[] = "Zelmorant10.1";

// One removal record, as the parser hands it on. Texts are UTF-8: the
// program converts the log from the installer's code page before parsing,
// so that no trail byte of a double-byte character can pass for a backslash.
enum class RecordKind { kRegistry, kFile, kFolder };

struct UninstallRecord {
  RecordKind kind;
  std::string path;
  int root = 0;  // registry records only: 2 is HKEY_LOCAL_MACHINE
};

struct ParsedUninstallLog {
  std::vector<UninstallRecord> records;
  CUninstallMessages messages;
  int malformedLines = 0;
};

ParsedUninstallLog ParseUninstallLog(std::string_view text);

// The code page of the language the installer ran in (GBK for simplified
// Chinese, Big5 for traditional, Western for English), in which it wrote
// the log's message rows; it records that code page as the "Language="
// line of the add-in settings file "Zelmorant.ini" beside the log.
inline constexpr char kInstallerSettingsName[] = "Zelmorant.ini";

// The number of the first "Language=" line of the settings text, or
// `fallback` when there is no such line or it holds no code page number.
unsigned InstallerCodePage(std::string_view settingsText, unsigned fallback);

// The log's bytes as UTF-8, each record read as it was written: message
// rows in `languageCodePage`, other records in the machine's
// `ansiCodePage`, and a record with the UTF-8 mark (the byte order mark
// before its path) as UTF-8, the mark dropped.
std::string DecodeUninstallLog(std::string_view bytes, unsigned ansiCodePage, unsigned languageCodePage);

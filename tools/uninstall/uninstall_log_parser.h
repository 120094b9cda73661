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

#include <string_view>
#include <vector>

#include "tools/uninstall/uninstall_messages.h"
#include "tools/uninstall/uninstall_record.h"

struct ParsedUninstallLog {
  std::vector<UninstallRecord> records;
  CUninstallMessages messages;
  int malformedLines = 0;
};

ParsedUninstallLog ParseUninstallLog(std::string_view text);

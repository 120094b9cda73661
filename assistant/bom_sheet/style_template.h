#pragma once

// The BOM style page's Edit button: the style's template workbook, the
// user's own (AssistantFolders::PrepareUserCopy), opened in the spreadsheet
// for the user to edit, or made first (an empty workbook with the style's
// header, saved under the template's name) when the file does not exist.

#include <filesystem>

struct ExcelLink;

// The spreadsheet is found or started through the ports of `link`, which
// itself is left as it is: an attached sheet stays attached to its own
// application. False when no spreadsheet could be had (the user was told
// through the link's window). An error of the spreadsheet ends it with
// CAutomationError.
bool EditStyleTemplate(ExcelLink& link, int style, const std::filesystem::path& templateFile);

#pragma once

// What the settings sheet's pages share on Windows: the active table's rows
// and the user's texts converted with the table's code page, the sheet's
// error box and the assistant's folders.

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "assistant/config/assistant_folders.h"

inline constexpr const char* kSettingsMessageCaption = "Ostrevia3.5";

// Row `row` of the active text table.
std::wstring SheetText(int row);
// Code-page bytes of the active table to UTF-16 and back.
std::wstring SheetWide(std::string_view bytes);
std::string SheetNarrow(const std::wstring& text);

// The text of item `id` of `dialog` as code-page bytes, and back.
std::string GetItemBytes(HWND dialog, int id);
void SetItemBytes(HWND dialog, int id, std::string_view bytes);
// Item `id` shows row `row` of the active table.
void SetItemRow(HWND dialog, int id, int row);

// The sheet's error box: caption kSettingsMessageCaption, error icon.
void ShowSheetError(HWND owner, std::string_view text);

// The running program's folder and the user's folder.
AssistantFolders ProcessFolders();

// Tells the user that `file` could not be written (row kMsgCannotWriteFile).
void ShowCannotWrite(HWND owner, const std::filesystem::path& file);

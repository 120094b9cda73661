#include "assistant/ui/settings_sheet_texts_win32.h"

#include "assistant/texts/text_tables.h"
#include "base/code_page.h"
#include "winfx/message_box.h"
#include "winfx/module_path.h"
#include "winfx/window.h"

std::wstring SheetWide(std::string_view bytes) { return DecodeToWide(bytes, UiTextCodePage()); }

std::wstring SheetText(int row) { return SheetWide(UiText(row)); }

std::string SheetNarrow(const std::wstring& text) { return EncodeFromWide(text, UiTextCodePage()); }

std::string GetItemBytes(HWND dialog, int id) {
  return SheetNarrow(winfx::CWindow(GetDlgItem(dialog, id)).GetText());
}

void SetItemBytes(HWND dialog, int id, std::string_view bytes) {
  winfx::CWindow(GetDlgItem(dialog, id)).SetText(SheetWide(bytes));
}

void SetItemRow(HWND dialog, int id, int row) {
  winfx::CWindow(GetDlgItem(dialog, id)).SetText(SheetText(row));
}

void ShowSheetError(HWND owner, std::string_view text) {
  winfx::ShowMessageBox(owner, text, kSettingsMessageCaption, UiTextCodePage(), MB_OK | MB_ICONERROR);
}

AssistantFolders ProcessFolders() {
  return {winfx::ProgramFolder(), winfx::UserAppDataFolder() / kUserFolderName};
}

void ShowCannotWrite(HWND owner, const std::filesystem::path& file) {
  std::u16string text = UiTextNaming(kMsgCannotWriteFile, file.u16string());
  MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text.c_str()),
              SheetWide(kSettingsMessageCaption).c_str(), MB_OK | MB_ICONERROR);
}

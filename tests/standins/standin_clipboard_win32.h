#pragma once

// The system clipboard's text (CF_UNICODETEXT), as the grid copies to it and
// pastes from it, whatever program put it there.

#include <windows.h>

#include <optional>
#include <string>

bool PutClipboardText(HWND owner, const std::u16string& text);
std::optional<std::u16string> ClipboardText(HWND owner);

#pragma once

// A person's keystrokes and another program's clipboard, for driving a
// window that reads the keyboard itself (a grid rather than a dialog).

#include <windows.h>

#include <initializer_list>
#include <string>

namespace uidriver {

// Brings the top window of `window` to the front and presses `key`
// `times` times with `modifiers` held, through the system's input, so that
// the window's own translation makes the characters.
void PressKeys(HWND window, std::initializer_list<WORD> modifiers, WORD key, int times = 1);

// Leaves `text` on the clipboard as another program would (Unicode text,
// tabs between cells and line ends between rows for a table).
bool PutClipboardText(const std::wstring& text);

}  // namespace uidriver

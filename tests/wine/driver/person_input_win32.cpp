#include "tests/wine/driver/person_input.h"

#include <cstring>
#include <iterator>
#include <vector>

namespace uidriver {

namespace {

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  // The arrows and Delete are extended keys; without the flag their scan
  // codes are the number pad's, which type digits and a point.
  bool extended = (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_DELETE;
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

}  // namespace

void PressKeys(HWND window, std::initializer_list<WORD> modifiers, WORD key, int times) {
  HWND top = GetAncestor(window, GA_ROOT);
  SetForegroundWindow(top);
  // The keys go where the focus is once the window has come to the front.
  for (int wait = 0; wait < 100 && GetForegroundWindow() != top; ++wait) Sleep(20);
  Sleep(100);
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  for (int i = 0; i < times; ++i) {
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
  }
  for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier)
    inputs.push_back(KeyInput(*modifier, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool PutClipboardText(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool put = false;
  if (memory) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!put) GlobalFree(memory);
  }
  CloseClipboard();
  return put;
}

}  // namespace uidriver

#pragma once

// The engine's errors in the program: a message box without owner window,
// caption "Ostrevia3.5", error icon.

#include <windows.h>

#include "assistant/engine/message_port.h"
#include "winfx/message_box.h"

inline constexpr const char* kAssistantCaption = "Ostrevia3.5";

class CMessageBoxPort : public MessagePort {
 public:
  void ShowError(std::string_view text, unsigned codePage) override {
    winfx::ShowMessageBox(nullptr, text, kAssistantCaption, codePage, MB_OK | MB_ICONERROR);
  }
};

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "assistant/engine/message_port.h"

// Keeps every message the engine shows.
class CCapturedMessages : public MessagePort {
 public:
  void ShowError(std::string_view text, unsigned codePage) override {
    texts.emplace_back(text);
    codePages.push_back(codePage);
  }
  std::vector<std::string> texts;
  std::vector<unsigned> codePages;
};

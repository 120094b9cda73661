#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "assistant/engine/message_port.h"

// UTF-8 test text in the code pages the programs hold.
std::string Gbk(std::string_view utf8);
std::string Big5(std::string_view utf8);

// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& file);

// A fresh folder under the system's temporary folder, removed with the object.
class CTempFolder {
 public:
  CTempFolder();
  ~CTempFolder();
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path WriteFile(const std::string& name, std::string_view bytes) const;

 private:
  std::filesystem::path m_path;
};

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

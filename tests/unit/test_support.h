#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/unit/fakes/captured_messages.h"

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

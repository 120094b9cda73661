#include "setup/engine/text_file.h"

#include <string>

bool CTextFile::WriteLine(std::string_view line) {
  if (!m_file) return false;
  std::string bytes(line);
  bytes += "\r\n";
  return m_file->Write(bytes.data(), bytes.size());
}

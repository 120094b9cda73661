#pragma once

// A text-mode file object: every line gets a carriage return and line feed on
// disk, whatever the build. It owns the file it was given and closes it on
// Close or destruction; a closed object writes nothing.

#include <memory>
#include <string>
#include <string_view>

#include "setup/engine/setup_file_system.h"

class CTextFile {
 public:
  CTextFile() = default;
  CTextFile(const CTextFile&) = delete;
  CTextFile& operator=(const CTextFile&) = delete;

  // Takes over an open file (closing the previous one); a null file leaves
  // the object closed.
  void Attach(std::unique_ptr<OutputFile> file) { m_file = std::move(file); }
  bool IsOpen() const { return m_file != nullptr; }
  void Close() { m_file.reset(); }

  // Writes `line` followed by CR LF; false when closed or the write failed.
  bool WriteLine(std::string_view line) {
    if (!m_file) return false;
    std::string bytes(line);
    bytes += "\r\n";
    return m_file->Write(bytes.data(), bytes.size());
  }

 private:
  std::unique_ptr<OutputFile> m_file;
};

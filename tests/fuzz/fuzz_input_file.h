#pragma once

// The fuzz input as a file, for the readers that open a path: one file in
// memory per process, rewritten for every input, so that a run does not
// wear the disk and costs little more than the reading itself.

#include <cstddef>
#include <cstdint>
#include <filesystem>

class CFuzzInputFile {
 public:
  CFuzzInputFile();
  ~CFuzzInputFile();
  CFuzzInputFile(const CFuzzInputFile&) = delete;
  CFuzzInputFile& operator=(const CFuzzInputFile&) = delete;

  // Replaces the content; the path stays the same.
  void Write(const uint8_t* data, size_t size);
  const std::filesystem::path& Path() const { return m_path; }

 private:
  int m_descriptor = -1;
  std::filesystem::path m_path;
};

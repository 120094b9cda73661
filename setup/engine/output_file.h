#pragma once

// A file open for writing, as the platform hands it out. Closing happens when
// the object is destroyed.

#include <cstddef>

class OutputFile {
 public:
  virtual ~OutputFile() = default;

  // True when every byte was written.
  virtual bool Write(const void* bytes, std::size_t size) = 0;
};

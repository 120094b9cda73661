#include "tests/fuzz/fuzz_input_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

CFuzzInputFile::CFuzzInputFile() {
  m_descriptor = memfd_create("fuzz-input", 0);
  if (m_descriptor < 0) std::abort();
  m_path = "/proc/self/fd/" + std::to_string(m_descriptor);
}

CFuzzInputFile::~CFuzzInputFile() { close(m_descriptor); }

void CFuzzInputFile::Write(const uint8_t* data, size_t size) {
  if (ftruncate(m_descriptor, 0) != 0) std::abort();
  size_t written = 0;
  while (written < size) {
    ssize_t result = pwrite(m_descriptor, data + written, size - written, static_cast<off_t>(written));
    if (result <= 0) std::abort();
    written += static_cast<size_t>(result);
  }
}

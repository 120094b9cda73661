// The tar walk over arbitrary bytes: every entry it reports lies inside the
// data, the count and the positions agree, and nothing past the last valid
// header is reached.

#include <cstdint>

#include "setup/archive/tar_header.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// Reads every byte of the entry, so that the sanitizer sees any that lies
// outside the input.
unsigned Touch(const uint8_t* bytes, size_t size) {
  unsigned sum = 0;
  for (size_t i = 0; i < size; ++i) sum += bytes[i];
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int count = CountTarEntries(data, size);
  FailIf(count < 0, "a negative count");
  TarEntry entry;
  volatile unsigned sink = 0;
  for (int index = 0; index < count && index < 64; ++index) {
    FailIf(!FindTarEntry(data, size, index, entry),
           "an entry below the count is not found");  // the count promised it
    FailIf(entry.dataOffset % kTarBlockSize != 0 || entry.dataOffset > size,
           "an entry's data outside the blocks of the input");
    FailIf(entry.size > size - entry.dataOffset, "an entry running past the end of the input");
    FailIf(entry.name.size() > 100 || entry.name.find('\0') != std::string::npos,
           "a name longer than its field or holding a NUL");
    sink = sink + Touch(data + entry.dataOffset, static_cast<size_t>(entry.size));
  }
  FailIf(count < 64 && FindTarEntry(data, size, count, entry), "an entry at the count");
  FailIf(FindTarEntry(data, size, -1, entry), "an entry before the first");
  return 0;
}

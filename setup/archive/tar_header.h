#pragma once

// The walk over the 512-byte headers of a tar archive held in memory. Every
// read stays inside the data: a header that does not fit, or whose entry
// runs past the end of the data, counts as invalid and ends the walk.

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kTarBlockSize = 512;

struct TarEntry {
  size_t dataOffset = 0;  // of the entry's bytes, just after its header
  uint64_t size = 0;
  bool isFile = false;  // a regular file: type flag '0' or NUL
  std::string name;
};

// An unsigned octal number in a fixed-width text field: leading white space
// skipped, ends at the first character that is not an octal digit; 0 when
// there is none.
uint64_t ReadOctalField(const unsigned char* field, size_t width);

// The block of 512 bytes passes the tar checksum test.
bool PassesTarChecksum(const unsigned char* block);

// The entry at position `index` (from 0). False when it or a header before
// it is invalid.
bool FindTarEntry(const unsigned char* data, size_t size, int index, TarEntry& entry);

// The number of valid headers before the first invalid one.
int CountTarEntries(const unsigned char* data, size_t size);

#include "setup/archive/tar_header.h"

#include <climits>
#include <cstring>

namespace {

constexpr size_t kNameOffset = 0;
constexpr size_t kNameWidth = 100;
constexpr size_t kSizeOffset = 124;
constexpr size_t kSizeWidth = 12;
constexpr size_t kChecksumOffset = 148;
constexpr size_t kChecksumWidth = 8;
constexpr size_t kTypeFlagOffset = 156;

bool IsWhiteSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Reads the header at `offset`; false when it is not a valid header whose
// entry lies inside the data.
bool ReadHeader(const unsigned char* data, size_t size, size_t offset, TarEntry& entry) {
  if (offset > size || size - offset < kTarBlockSize) return false;
  const unsigned char* header = data + offset;
  if (!PassesTarChecksum(header)) return false;
  const uint64_t entrySize = ReadOctalField(header + kSizeOffset, kSizeWidth);
  const size_t dataOffset = offset + kTarBlockSize;
  if (entrySize > size - dataOffset) return false;
  entry.dataOffset = dataOffset;
  entry.size = entrySize;
  const unsigned char typeFlag = header[kTypeFlagOffset];
  entry.isFile = typeFlag == '0' || typeFlag == '\0';
  const char* name = reinterpret_cast<const char*>(header + kNameOffset);
  entry.name.assign(name, strnlen(name, kNameWidth));
  return true;
}

size_t NextHeaderOffset(const TarEntry& entry) {
  const size_t blocks = (static_cast<size_t>(entry.size) + kTarBlockSize - 1) / kTarBlockSize;
  return entry.dataOffset + blocks * kTarBlockSize;
}

}  // namespace

uint64_t ReadOctalField(const unsigned char* field, size_t width) {
  size_t i = 0;
  while (i < width && IsWhiteSpace(field[i])) ++i;
  uint64_t value = 0;
  for (; i < width && field[i] >= '0' && field[i] <= '7'; ++i) {
    if (value > (UINT64_MAX >> 3)) return UINT64_MAX;  // cannot describe data in memory anyway
    value = value << 3 | static_cast<uint64_t>(field[i] - '0');
  }
  return value;
}

bool PassesTarChecksum(const unsigned char* block) {
  uint64_t sum = 0;
  for (size_t i = 0; i < kTarBlockSize; ++i) {
    const bool inChecksum = i >= kChecksumOffset && i < kChecksumOffset + kChecksumWidth;
    sum += inChecksum ? ' ' : block[i];
  }
  return sum == ReadOctalField(block + kChecksumOffset, kChecksumWidth);
}

bool FindTarEntry(const unsigned char* data, size_t size, int index, TarEntry& entry) {
  if (index < 0) return false;
  size_t offset = 0;
  for (int position = 0;; ++position) {
    if (!ReadHeader(data, size, offset, entry)) return false;
    if (position == index) return true;
    offset = NextHeaderOffset(entry);
  }
}

int CountTarEntries(const unsigned char* data, size_t size) {
  TarEntry entry;
  size_t offset = 0;
  int count = 0;
  while (count < INT_MAX && ReadHeader(data, size, offset, entry)) {
    ++count;
    offset = NextHeaderOffset(entry);
  }
  return count;
}

// The zip directory reader over an arbitrary file, against minizip's own
// view of the central directory: records carry a terminated name and the
// recorded sizes, and an entry extracted without an error has exactly the
// recorded size and checksum, whether it comes out in one piece or in many.

#include <unzip.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "setup/archive/archive_open.h"
#include "setup/archive/zip_directory.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input_file.h"

namespace {

constexpr int kMaxEntries = 16;
constexpr uint32_t kMaxEntryBytes = 1u << 20;

struct Recorded {
  uint32_t crc = 0;
  uint64_t size = 0;
};

// The central directory record of each entry, as minizip reads it.
std::vector<std::optional<Recorded>> RecordedEntries(const std::filesystem::path& path, int count) {
  std::vector<std::optional<Recorded>> entries(static_cast<size_t>(count));
  unzFile archive = OpenMinizipArchive(path);
  FailIf(!archive, "minizip opens what the reader opened");  // the reader opened it
  int status = unzGoToFirstFile(archive);
  for (int i = 0; i < count && status == UNZ_OK; ++i) {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(archive, &info, nullptr, 0, nullptr, 0, nullptr, 0) == UNZ_OK) {
      entries[static_cast<size_t>(i)] = Recorded{static_cast<uint32_t>(info.crc), info.uncompressed_size};
    }
    status = unzGoToNextFile(archive);
  }
  unzClose(archive);
  return entries;
}

void CheckContent(const unsigned char* bytes, uint32_t size, const Recorded& recorded) {
  FailIf(size != recorded.size, "an extracted entry differs in size from its record");
  FailIf(crc32(0, bytes, size) != recorded.crc, "an extracted entry does not match its recorded checksum");
}

// The whole entry in one call into a buffer of exactly its size, as the
// archive reader asks for it.
void ExtractWhole(CZipDirectory& zip, int index, uint32_t size, const Recorded& recorded) {
  std::unique_ptr<unsigned char[]> buffer(new unsigned char[size]);
  const int result = zip.ExtractToMemory(index, buffer.get(), static_cast<int>(size));
  if (result == UZ_OK || result == UZ_MORE) CheckContent(buffer.get(), size, recorded);
}

// The same in small pieces until the reader says the entry has ended; only
// the last piece may be partly filled.
void ExtractInPieces(CZipDirectory& zip, int index, uint32_t size, const Recorded& recorded) {
  constexpr size_t kPiece = 61;
  std::vector<unsigned char> content;
  for (;;) {
    unsigned char piece[kPiece] = {};
    const int result = zip.ExtractToMemory(index, piece, static_cast<int>(kPiece));
    if (result == UZ_OK) break;
    if (result != UZ_MORE) return;  // a failure: nothing delivered counts
    const size_t remaining = size - content.size();
    FailIf(remaining == 0, "bytes beyond the recorded size");  // bytes beyond the recorded size
    content.insert(content.end(), piece, piece + std::min(remaining, kPiece));
  }
  CheckContent(content.data(), static_cast<uint32_t>(content.size()), recorded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CFuzzInputFile file;
  file.Write(data, size);
  int result = UZ_OK;
  std::unique_ptr<CZipDirectory> zip = OpenZipDirectory(file.Path(), &result);
  if (!zip) {
    FailIf(result != UZ_CORRUPT,
           "a readable file refused for another reason than damage");  // the file itself is readable
    return 0;
  }
  ZipEntryInfo info;
  FailIf(zip->GetEntry(-1, info) != UZ_OK || info.index < 0, "no entry count");
  const int count = info.index;
  const std::vector<std::optional<Recorded>> recorded =
      RecordedEntries(file.Path(), std::min(count, kMaxEntries));
  for (int index = 0; index < count && index < kMaxEntries; ++index) {
    if (zip->GetEntry(index, info) != UZ_OK) continue;
    FailIf(info.index != index || std::memchr(info.name, '\0', sizeof info.name) == nullptr,
           "a record of another position, or a name without its NUL");
    const std::optional<Recorded>& entry = recorded[static_cast<size_t>(index)];
    FailIf(!entry, "a record that minizip does not find");  // the reader found a record that minizip does not
    FailIf(info.uncompressedSize != std::min<uint64_t>(entry->size, UINT32_MAX),
           "a record's size differs from the directory's");
    if (info.uncompressedSize > kMaxEntryBytes) continue;
    ExtractWhole(*zip, index, info.uncompressedSize, *entry);
    FailIf(zip->GetEntry(index, info) != UZ_OK,
           "a record read before is not found again");  // ends the extraction; the record is cached
    ExtractInPieces(*zip, index, info.uncompressedSize, *entry);
  }
  return 0;
}

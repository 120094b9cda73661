// The conversions of a zip entry record over arbitrary bytes: a DOS date and
// time, external attributes and a local extra field. Times land in their
// formats' ranges, and the extra field is read only inside its length.

#include <cstdint>
#include <cstring>
#include <memory>

#include "setup/archive/zip_directory.h"
#include "setup/archive/zip_entry_fields.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// 100 ns units from 1601 to 1970, and the DOS range 1980 … 2107.
constexpr uint64_t kUnixEpoch = 116444736000000000ull;
constexpr uint64_t kTicksPerSecond = 10000000ull;
constexpr uint64_t kDosFirst = kUnixEpoch + 315532800ull * kTicksPerSecond;
constexpr uint64_t kDosLast = kUnixEpoch + 4354819200ull * kTicksPerSecond;

uint32_t ReadWord(const uint8_t* bytes) {
  uint32_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// A time of a "UT" block: a signed 32-bit count of seconds from 1970.
bool IsUnixTime(uint64_t time) {
  const int64_t seconds =
      (static_cast<int64_t>(time) - static_cast<int64_t>(kUnixEpoch)) / static_cast<int64_t>(kTicksPerSecond);
  return time % kTicksPerSecond == 0 && seconds >= INT32_MIN && seconds <= INT32_MAX;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  const uint64_t dosTime = FileTimeFromDosDateTime(ReadWord(data));
  FailIf(dosTime != 0 && (dosTime < kDosFirst || dosTime >= kDosLast), "a DOS time outside 1980 to 2107");

  const uint32_t attributes = MapZipAttributes(ReadWord(data + 4));
  FailIf((attributes & kAttributeNormal) == 0, "attributes without the normal bit");

  // The field in a buffer of its own exact length.
  const size_t length = size - 8;
  std::unique_ptr<unsigned char[]> extra(new unsigned char[length]);
  std::memcpy(extra.get(), data + 8, length);
  ZipEntryInfo info;
  info.modificationTime = info.accessTime = info.creationTime = dosTime;
  ApplyExtendedTimestamp(extra.get(), length, info);
  for (uint64_t time : {info.modificationTime, info.accessTime, info.creationTime}) {
    FailIf(time != dosTime && !IsUnixTime(time), "a time from the extra field that no UT block can carry");
  }
  return 0;
}

#include "setup/archive/zip_entry_fields.h"

#include "setup/archive/zip_directory.h"

namespace {

constexpr int64_t kTicksPerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t kSecondsFrom1601To1970 = 11'644'473'600;

constexpr uint32_t kUnixDirectory = 0x40000000;
constexpr uint32_t kUnixOwnerWrite = 0x00800000;

constexpr unsigned char kExtendedTimestampId[2] = {0x55, 0x54};  // "UT"
constexpr size_t kBlockHeaderSize = 4;

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned DaysInMonth(unsigned year, unsigned month) {
  static constexpr unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

uint32_t ReadLittleEndian32(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// Applies the times of one "UT" block whose data lies in [data, end).
void ApplyTimestampBlock(const unsigned char* data, const unsigned char* end, ZipEntryInfo& info) {
  if (data >= end) return;
  const unsigned flags = *data++;
  uint64_t* const times[3] = {&info.modificationTime, &info.accessTime, &info.creationTime};
  for (int bit = 0; bit < 3; ++bit) {
    if ((flags & (1u << bit)) == 0) continue;
    if (end - data < 4) return;  // announced but not there: keep the DOS time
    // A signed count: times before 1970 are negative.
    *times[bit] = FileTimeFromUnixSeconds(static_cast<int32_t>(ReadLittleEndian32(data)));
    data += 4;
  }
}

}  // namespace

uint32_t MapZipAttributes(uint32_t external) {
  uint32_t attributes = kAttributeNormal;
  if ((external & kUnixDirectory) != 0 || (external & kAttributeDirectory) != 0) {
    attributes |= kAttributeDirectory;
  }
  if ((external & kAttributeArchive) != 0) attributes |= kAttributeArchive;
  if ((external & kAttributeHidden) != 0) attributes |= kAttributeHidden;
  if ((external & kUnixOwnerWrite) == 0 || (external & kAttributeReadOnly) != 0) {
    attributes |= kAttributeReadOnly;
  }
  if ((external & kAttributeSystem) != 0) attributes |= kAttributeSystem;
  return attributes;
}

uint64_t FileTimeFromDosDateTime(uint32_t dosDateTime) {
  const unsigned date = dosDateTime >> 16;
  const unsigned time = dosDateTime & 0xFFFF;
  const unsigned year = 1980 + (date >> 9);
  const unsigned month = (date >> 5) & 0x0F;
  const unsigned day = date & 0x1F;
  const unsigned hour = time >> 11;
  const unsigned minute = (time >> 5) & 0x3F;
  const unsigned second = (time & 0x1F) * 2;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 ||
      second > 59) {
    return 0;
  }
  const int64_t seconds = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  return FileTimeFromUnixSeconds(seconds);
}

uint64_t FileTimeFromUnixSeconds(int64_t seconds) {
  return static_cast<uint64_t>((seconds + kSecondsFrom1601To1970) * kTicksPerSecond);
}

void ApplyExtendedTimestamp(const unsigned char* extra, size_t length, ZipEntryInfo& info) {
  if (length <= kBlockHeaderSize) return;
  size_t position = 0;
  while (position + kBlockHeaderSize <= length) {
    const unsigned char* block = extra + position;
    const size_t dataSize = block[2] | static_cast<size_t>(block[3]) << 8;
    if (block[0] == kExtendedTimestampId[0] && block[1] == kExtendedTimestampId[1]) {
      const size_t available = length - position - kBlockHeaderSize;
      const unsigned char* data = block + kBlockHeaderSize;
      ApplyTimestampBlock(data, data + (dataSize < available ? dataSize : available), info);
      return;
    }
    position += kBlockHeaderSize + dataSize;
  }
}

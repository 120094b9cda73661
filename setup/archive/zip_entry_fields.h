#pragma once

// The conversions behind a zip entry record: attributes, DOS date and time,
// and the "UT" extended-timestamp block of the local extra field.

#include <cstddef>
#include <cstdint>

struct ZipEntryInfo;

// Windows attributes from the 32-bit external attributes of a directory
// record (low half MS-DOS bits, high half Unix mode).
uint32_t MapZipAttributes(uint32_t external);

// A Windows file time from a DOS date (high 16 bits) and time (low 16 bits),
// field by field, without a time-zone shift; 0 when a field is out of range.
uint64_t FileTimeFromDosDateTime(uint32_t dosDateTime);

// A Windows file time from seconds since 1970-01-01 UTC.
uint64_t FileTimeFromUnixSeconds(int64_t seconds);

// Replaces the times that the first "UT" block of `extra` carries. Reads
// only bytes inside the field and inside the block.
void ApplyExtendedTimestamp(const unsigned char* extra, size_t length, ZipEntryInfo& info);

#pragma once

// Reads a zip archive by entry position: a fixed-size record per entry
// (name as stored, Windows attributes, three Windows file times, sizes) and
// extraction of an entry into a caller's buffer. minizip does the format
// work underneath; this layer positions, converts and caches.

#include <cstdint>
#include <filesystem>
#include <memory>

// Result codes of the reader.
inline constexpr int UZ_OK = 0;
inline constexpr int UZ_NOFILE = 0x200;       // the archive file cannot be opened
inline constexpr int UZ_MORE = 0x600;         // bytes delivered; the entry stays open
inline constexpr int UZ_CORRUPT = 0x700;      // not a readable archive, or a bad local header
inline constexpr int UZ_READ = 0x800;         // the local extra field cannot be read
inline constexpr int UZ_ARGS = 0x10000;       // position out of range
inline constexpr int UZ_INFLATE = 0x5000000;  // decompression or reading failed

inline constexpr int kZipNameSize = 260;

// Windows file-attribute bits that the records use.
inline constexpr uint32_t kAttributeReadOnly = 0x01;
inline constexpr uint32_t kAttributeHidden = 0x02;
inline constexpr uint32_t kAttributeSystem = 0x04;
inline constexpr uint32_t kAttributeDirectory = 0x10;
inline constexpr uint32_t kAttributeArchive = 0x20;
inline constexpr uint32_t kAttributeNormal = 0x80;

// The record of one entry. The record of position -1 carries the entry
// count in `index` and nothing else.
struct ZipEntryInfo {
  int32_t index = 0;
  char name[kZipNameSize] = {};  // as stored, NUL-terminated; directories end in '/'
  uint32_t attributes = 0;
  // Windows file times: 100 ns units since 1601-01-01 UTC.
  uint64_t accessTime = 0;
  uint64_t creationTime = 0;
  uint64_t modificationTime = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
};

class CZipDirectory {
 public:
  ~CZipDirectory();
  CZipDirectory(const CZipDirectory&) = delete;
  CZipDirectory& operator=(const CZipDirectory&) = delete;

  // Position -1 … count-1. Always ends with no entry open for extraction.
  int GetEntry(int index, ZipEntryInfo& info);
  // UZ_MORE when bytes were delivered (the entry stays open, a further call
  // continues), UZ_OK when the entry has no more bytes.
  int ExtractToMemory(int index, void* buffer, int capacity);
  int Close();

 private:
  friend std::unique_ptr<CZipDirectory> OpenZipDirectory(const std::filesystem::path& path, int* result);
  explicit CZipDirectory(void* archive, int entryCount);

  int MoveTo(int index);
  int ReadRecord(int index, ZipEntryInfo& info);
  int OpenForExtraction(int index);
  void CloseOpenEntry();
  int FailExtraction();

  void* m_archive = nullptr;  // minizip's handle
  int m_entryCount = 0;
  int m_currentEntry = 0;  // the entry minizip stands on
  int m_openEntry = -1;
  bool m_openEntryDrained = false;  // its last byte was delivered and minizip closed it
  int m_cachedIndex = -1;
  ZipEntryInfo m_cachedEntry;
};

// Null on failure; `result` (when given) receives UZ_NOFILE or UZ_CORRUPT.
std::unique_ptr<CZipDirectory> OpenZipDirectory(const std::filesystem::path& path, int* result = nullptr);

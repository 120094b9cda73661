#pragma once

// An archive as the installer sees it: opened by path, counted, and handed
// out entry by entry as blocks of bytes in memory. Three kinds, told apart by
// content: a zip archive, a single gzip-compressed file, a tar inside gzip.
// Failures return 0 (or -1 for the count) and leave an English text for
// GetErrorText.

#include <filesystem>
#include <memory>
#include <string>

#include "setup/archive/gzip_file.h"
#include "setup/archive/zip_directory.h"

inline constexpr int ARCHIVE_NONE = 0;
inline constexpr int ARCHIVE_ZIP = 1;
inline constexpr int ARCHIVE_GZIP = 2;
inline constexpr int ARCHIVE_TARGZ = 3;

class CArchiveReader {
 public:
  CArchiveReader() = default;
  ~CArchiveReader() { Close(); }
  CArchiveReader(const CArchiveReader&) = delete;
  CArchiveReader& operator=(const CArchiveReader&) = delete;

  // 1 on success, 0 on failure.
  int Open(const std::filesystem::path& path);
  // Number of entries, -1 on failure.
  int GetFileCount();
  // 1 on success with all four outputs set, 0 on failure (outputs untouched).
  // `data` points into the reader's own buffer: for a zip archive it is valid
  // until the next GetFile or Close (and NUL-terminated after `size` bytes),
  // for the gzip kinds until Close.
  int GetFile(int index, unsigned char** data, int* size, int* isFile, std::string* name);
  std::string GetErrorText() const { return m_errorText; }
  // Releases the archive and the data; the kind stays.
  void Close();

  int GetType() const { return m_type; }
  // The zip record of an entry, for inspection: 1 on success, 0 when the
  // archive is not an open zip archive or the record cannot be read.
  int GetZipEntry(int index, ZipEntryInfo* info);

 private:
  bool ReadContent();
  int GetZipFile(int index, unsigned char** data, int* size, int* isFile, std::string* name);
  int GetTarFile(int index, unsigned char** data, int* size, int* isFile, std::string* name);

  CGzipFile m_file;
  std::unique_ptr<CZipDirectory> m_zip;
  std::unique_ptr<unsigned char[]> m_data;
  int m_dataSize = 0;
  std::string m_errorText;
  int m_type = ARCHIVE_NONE;
};

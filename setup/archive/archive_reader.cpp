#include "setup/archive/archive_reader.h"

#include <climits>

#include "setup/archive/tar_header.h"

namespace {

constexpr const char* kNotOpened = "Archive not opened";
constexpr const char* kUnknownType = "Could not determine archive type !";
constexpr const char* kGzipUnreadable = "Could not read data from gzip archive !";
constexpr const char* kNoFileCount = "Could not get files from the archive !";
constexpr const char* kNoEntry = "Could not get file at the specified position from the archive !";
constexpr const char* kNoUnzip = "Could not unzip file at the specified position from the archive !";
constexpr const char* kInvalidPosition = "Invalid file position !";

constexpr const char* kGzipEntryName = "unknown";

// A zip block carries this many bytes beyond the entry, so that it ends in a NUL.
constexpr uint32_t kZipBlockSlack = 10;

}  // namespace

void CArchiveReader::Close() {
  if (m_zip) m_zip->Close();
  m_zip.reset();
  if (m_file.IsOpen()) m_file.Close();
  m_data.reset();
  m_dataSize = 0;
  m_errorText.clear();
}

int CArchiveReader::Open(const std::filesystem::path& path) {
  m_zip = OpenZipDirectory(path);
  if (m_zip) {
    m_type = ARCHIVE_ZIP;
    return 1;
  }
  if (!m_file.Open(path, kGzipRead)) {
    m_errorText = kUnknownType;
    return 0;
  }
  if (!ReadContent()) return 0;
  const bool tar = m_dataSize >= static_cast<int>(kTarBlockSize) && PassesTarChecksum(m_data.get());
  m_type = tar ? ARCHIVE_TARGZ : ARCHIVE_GZIP;
  return 1;
}

bool CArchiveReader::ReadContent() {
  if (!m_data && !m_file.ReadAll(m_data, m_dataSize)) m_data.reset();
  if (!m_data) {
    m_dataSize = 0;
    m_errorText = kGzipUnreadable;
    return false;
  }
  return true;
}

int CArchiveReader::GetFileCount() {
  switch (m_type) {
    case ARCHIVE_ZIP: {
      if (!m_zip) return -1;
      ZipEntryInfo countRecord;
      if (m_zip->GetEntry(-1, countRecord) != UZ_OK) {
        m_errorText = kNoFileCount;
        return -1;
      }
      return countRecord.index;
    }
    case ARCHIVE_GZIP:
      return 1;
    case ARCHIVE_TARGZ:
      if (!ReadContent()) return -1;
      return CountTarEntries(m_data.get(), static_cast<size_t>(m_dataSize));
    default:
      m_errorText = kNotOpened;
      return -1;
  }
}

int CArchiveReader::GetFile(int index, unsigned char** data, int* size, int* isFile, std::string* name) {
  switch (m_type) {
    case ARCHIVE_ZIP:
      return GetZipFile(index, data, size, isFile, name);
    case ARCHIVE_GZIP:
      if (!ReadContent()) return 0;
      *data = m_data.get();
      *size = m_dataSize;
      *isFile = 1;
      *name = kGzipEntryName;
      return 1;
    case ARCHIVE_TARGZ:
      return GetTarFile(index, data, size, isFile, name);
    default:
      m_errorText = kNotOpened;
      return 0;
  }
}

int CArchiveReader::GetZipFile(int index, unsigned char** data, int* size, int* isFile, std::string* name) {
  if (!m_zip) return 0;
  ZipEntryInfo entry;
  if (m_zip->GetEntry(index, entry) != UZ_OK) {
    m_errorText = kNoEntry;
    return 0;
  }
  // The block's size must fit the int that tells it.
  if (entry.uncompressedSize > static_cast<uint32_t>(INT_MAX) - kZipBlockSlack) {
    m_errorText = kNoUnzip;
    return 0;
  }
  const int entrySize = static_cast<int>(entry.uncompressedSize);
  m_data.reset();
  m_data = std::make_unique_for_overwrite<unsigned char[]>(entry.uncompressedSize + kZipBlockSlack);
  const int result = m_zip->ExtractToMemory(index, m_data.get(), entrySize);
  if (result != UZ_OK && result != UZ_MORE) {
    m_errorText = kNoUnzip;
    return 0;
  }
  m_data[entry.uncompressedSize] = 0;
  *data = m_data.get();
  *size = entrySize;
  *isFile = (entry.attributes & kAttributeNormal) != 0 ? 1 : 0;
  *name = entry.name;
  return 1;
}

int CArchiveReader::GetTarFile(int index, unsigned char** data, int* size, int* isFile, std::string* name) {
  if (!ReadContent()) return 0;
  TarEntry entry;
  if (!FindTarEntry(m_data.get(), static_cast<size_t>(m_dataSize), index, entry)) {
    m_errorText = kInvalidPosition;
    return 0;
  }
  *data = m_data.get() + entry.dataOffset;
  *size = static_cast<int>(entry.size);
  *isFile = entry.isFile ? 1 : 0;
  *name = entry.name;
  return 1;
}

int CArchiveReader::GetZipEntry(int index, ZipEntryInfo* info) {
  if (m_type != ARCHIVE_ZIP || !m_zip) return 0;
  return m_zip->GetEntry(index, *info) == UZ_OK ? 1 : 0;
}

#include "setup/archive/zip_directory.h"

#include <unzip.h>

#include <climits>
#include <cstring>
#include <vector>

#include "setup/archive/archive_open.h"
#include "setup/archive/zip_entry_fields.h"

namespace {

// minizip's position is unknown after a failed step: the next move starts
// again from the first entry.
constexpr int kPositionUnknown = INT_MAX;

constexpr unsigned long kStored = 0;
constexpr unsigned long kDeflated = 8;

uint32_t SizeField(ZPOS64_T size) { return size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(size); }

// The local extra field of the entry minizip stands on, read after minizip
// has checked the local header. False when it cannot be read whole.
bool ReadLocalExtraField(unzFile archive, std::vector<unsigned char>& extra) {
  int length = unzGetLocalExtrafield(archive, nullptr, 0);
  if (length < 0) return false;
  extra.resize(static_cast<size_t>(length));
  if (length == 0) return true;
  return unzGetLocalExtrafield(archive, extra.data(), static_cast<unsigned>(length)) == length;
}

}  // namespace

CZipDirectory::CZipDirectory(void* archive, int entryCount) : m_archive(archive), m_entryCount(entryCount) {}

CZipDirectory::~CZipDirectory() { Close(); }

std::unique_ptr<CZipDirectory> OpenZipDirectory(const std::filesystem::path& path, int* result) {
  int ignored = UZ_OK;
  int& status = result ? *result : ignored;
  if (ReadableFileLength(path) < 0) {
    status = UZ_NOFILE;
    return nullptr;
  }
  unzFile archive = OpenMinizipArchive(path);
  unz_global_info64 global{};
  if (archive == nullptr || unzGetGlobalInfo64(archive, &global) != UNZ_OK || global.number_entry > INT_MAX) {
    if (archive) unzClose(archive);
    status = UZ_CORRUPT;
    return nullptr;
  }
  status = UZ_OK;
  return std::unique_ptr<CZipDirectory>(new CZipDirectory(archive, static_cast<int>(global.number_entry)));
}

int CZipDirectory::MoveTo(int index) {
  if (index < m_currentEntry) {
    m_currentEntry = kPositionUnknown;
    if (unzGoToFirstFile(m_archive) != UNZ_OK) return UZ_CORRUPT;
    m_currentEntry = 0;
  }
  while (m_currentEntry < index) {
    if (unzGoToNextFile(m_archive) != UNZ_OK) {
      m_currentEntry = kPositionUnknown;
      return UZ_CORRUPT;
    }
    ++m_currentEntry;
  }
  return UZ_OK;
}

void CZipDirectory::CloseOpenEntry() {
  if (m_openEntry == -1) return;
  if (!m_openEntryDrained) unzCloseCurrentFile(m_archive);  // a CRC mismatch here is of no interest
  m_openEntry = -1;
  m_openEntryDrained = false;
}

int CZipDirectory::ReadRecord(int index, ZipEntryInfo& info) {
  int status = MoveTo(index);
  if (status != UZ_OK) return status;

  ZipEntryInfo record;
  unz_file_info64 entry{};
  if (unzGetCurrentFileInfo64(m_archive, &entry, record.name, sizeof record.name, nullptr, 0, nullptr, 0) !=
      UNZ_OK) {
    return UZ_CORRUPT;
  }
  record.name[sizeof record.name - 1] = '\0';  // a longer name is cut to 259 bytes
  if (entry.compression_method != kStored && entry.compression_method != kDeflated) return UZ_CORRUPT;

  // Opening the entry raw checks its local header against the directory
  // record and finds the local extra field, without preparing inflation.
  if (unzOpenCurrentFile2(m_archive, nullptr, nullptr, 1) != UNZ_OK) return UZ_CORRUPT;
  std::vector<unsigned char> extra;
  bool extraRead = ReadLocalExtraField(m_archive, extra);
  unzCloseCurrentFile(m_archive);
  if (!extraRead) return UZ_READ;

  record.index = index;
  record.attributes = MapZipAttributes(static_cast<uint32_t>(entry.external_fa));
  record.compressedSize = SizeField(entry.compressed_size);
  record.uncompressedSize = SizeField(entry.uncompressed_size);
  const uint64_t dosTime = FileTimeFromDosDateTime(static_cast<uint32_t>(entry.dosDate));
  record.modificationTime = record.accessTime = record.creationTime = dosTime;
  ApplyExtendedTimestamp(extra.data(), extra.size(), record);
  info = record;
  return UZ_OK;
}

int CZipDirectory::GetEntry(int index, ZipEntryInfo& info) {
  if (m_archive == nullptr || index < -1 || index >= m_entryCount) return UZ_ARGS;
  CloseOpenEntry();
  if (index != -1 && index == m_cachedIndex) {
    info = m_cachedEntry;
    return UZ_OK;
  }
  if (index == -1) {
    info = ZipEntryInfo{};
    info.index = m_entryCount;
    return UZ_OK;
  }
  int status = ReadRecord(index, info);
  if (status != UZ_OK) return status;
  m_cachedEntry = info;
  m_cachedIndex = index;
  return UZ_OK;
}

int CZipDirectory::OpenForExtraction(int index) {
  CloseOpenEntry();
  if (m_archive == nullptr || index < 0 || index >= m_entryCount) return UZ_ARGS;
  int status = MoveTo(index);
  if (status != UZ_OK) return status;
  if (unzOpenCurrentFile(m_archive) != UNZ_OK) return UZ_CORRUPT;
  m_openEntry = index;
  return UZ_OK;
}

int CZipDirectory::FailExtraction() {
  CloseOpenEntry();
  return UZ_INFLATE;
}

int CZipDirectory::ExtractToMemory(int index, void* buffer, int capacity) {
  if (index != m_openEntry || index == -1) {
    int status = OpenForExtraction(index);
    if (status != UZ_OK) return status;
  }
  if (m_openEntryDrained) {  // every byte was delivered and checked by the last call
    CloseOpenEntry();
    return UZ_OK;
  }
  const int delivered =
      unzReadCurrentFile(m_archive, buffer, capacity < 0 ? 0u : static_cast<unsigned>(capacity));
  if (delivered < 0) return FailExtraction();
  // minizip checks the CRC only when the entry is closed after its last
  // byte, and stops silently when the data ends before the declared size:
  // both are damaged entries, not successes.
  const bool complete = unzeof(m_archive) == 1;
  if (!complete && delivered < capacity) return FailExtraction();
  if (complete) {
    m_openEntryDrained = true;
    if (unzCloseCurrentFile(m_archive) != UNZ_OK) return FailExtraction();
  }
  if (delivered > 0) return UZ_MORE;
  CloseOpenEntry();
  return UZ_OK;
}

int CZipDirectory::Close() {
  if (m_archive == nullptr) return UZ_OK;
  CloseOpenEntry();
  unzClose(m_archive);
  m_archive = nullptr;
  return UZ_OK;
}

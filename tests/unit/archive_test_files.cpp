#include "tests/unit/archive_test_files.h"

#include <zip.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/format_text.h"
#include "setup/archive/gzip_file.h"

namespace {

void Check(bool condition, const char* what) {
  if (!condition) throw std::runtime_error(what);
}

std::string LittleEndian(uint32_t value, int bytes) {
  std::string text;
  for (int i = 0; i < bytes; ++i) text += static_cast<char>(value >> (8 * i) & 0xFF);
  return text;
}

}  // namespace

void WriteZip(const std::filesystem::path& file, const std::vector<ZipTestEntry>& entries) {
  zipFile zip = zipOpen64(file.string().c_str(), APPEND_STATUS_CREATE);
  Check(zip != nullptr, "zipOpen64");
  for (const ZipTestEntry& entry : entries) {
    zip_fileinfo info{};
    info.dosDate = entry.dosTime;
    info.external_fa = entry.externalAttributes;
    int opened = zipOpenNewFileInZip4_64(
        zip, entry.name.c_str(), &info, entry.localExtra.data(), static_cast<uInt>(entry.localExtra.size()),
        nullptr, 0, nullptr, entry.method, entry.method == 0 ? 0 : Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS,
        DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, entry.madeBy, 0, 0);
    Check(opened == ZIP_OK, "zipOpenNewFileInZip4_64");
    Check(
        zipWriteInFileInZip(zip, entry.content.data(), static_cast<unsigned>(entry.content.size())) == ZIP_OK,
        "zipWriteInFileInZip");
    Check(zipCloseFileInZip(zip) == ZIP_OK, "zipCloseFileInZip");
  }
  Check(zipClose(zip, nullptr) == ZIP_OK, "zipClose");
}

std::vector<ZipTestEntry> NumberedEntries(int count) {
  std::vector<ZipTestEntry> entries;
  for (int i = 0; i < count; ++i) {
    entries.push_back(
        {.name = FormatText("entry%d.txt", i), .content = FormatText("content of entry %d", i)});
  }
  return entries;
}

std::string ExtendedTimestampBlock(unsigned flags, const std::vector<uint32_t>& times) {
  std::string data(1, static_cast<char>(flags));
  for (uint32_t time : times) data += LittleEndian(time, 4);
  return "UT" + LittleEndian(static_cast<uint32_t>(data.size()), 2) + data;
}

std::string TarHeader(const std::string& name, uint64_t size, char typeFlag) {
  std::string header(512, '\0');
  auto put = [&header](size_t offset, const std::string& text) { header.replace(offset, text.size(), text); };
  put(0, name);
  put(100, "0000644");
  put(124, FormatText("%011llo", static_cast<unsigned long long>(size)));
  put(136, "14017054077");
  header[156] = typeFlag;
  put(257, "ustar");
  put(263, "00");
  unsigned sum = 0;
  for (size_t i = 0; i < header.size(); ++i)
    sum += i >= 148 && i < 156 ? ' ' : static_cast<unsigned char>(header[i]);
  put(148, FormatText("%06o", sum) + std::string("\0 ", 2));
  return header;
}

std::string MakeTar(const std::vector<TarTestEntry>& entries, bool endBlocks) {
  std::string tar;
  for (const TarTestEntry& entry : entries) {
    tar += TarHeader(entry.name, entry.content.size(), entry.typeFlag) + entry.content;
    tar.append((512 - entry.content.size() % 512) % 512, '\0');
  }
  if (endBlocks) tar.append(1024, '\0');
  return tar;
}

void WriteGzip(const std::filesystem::path& file, const std::string& content) {
  CGzipFile gzip;
  Check(gzip.Open(file, kGzipWrite), "gzip open");
  Check(gzip.Write(content.data(), static_cast<int>(content.size())), "gzip write");
  Check(gzip.Close(), "gzip close");
}

#include "tests/unit/fakes/setup_zip_writer.h"

#include <zip.h>
#include <zlib.h>

#include <fstream>
#include <iterator>

std::string WriteTestZip(const std::filesystem::path& path, const std::vector<TestZipEntry>& entries) {
  zipFile zip = zipOpen64(path.string().c_str(), APPEND_STATUS_CREATE);
  if (!zip) return {};
  for (const TestZipEntry& entry : entries) {
    zip_fileinfo info{};
    int method = entry.stored ? 0 : Z_DEFLATED;
    int level = entry.stored ? 0 : Z_DEFAULT_COMPRESSION;
    zipOpenNewFileInZip64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, method, level, 0);
    if (!entry.content.empty()) {
      zipWriteInFileInZip(zip, entry.content.data(), static_cast<unsigned>(entry.content.size()));
    }
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

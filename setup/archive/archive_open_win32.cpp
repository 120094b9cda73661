// Opening archive files on Windows through the wide-character API.

#include <windows.h>

#include <unzip.h>
#include <zlib.h>

// After unzip.h, which declares what it uses.
#include <iowin32.h>

#include "setup/archive/archive_open.h"

long long ReadableFileLength(const std::filesystem::path& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  LARGE_INTEGER size{};
  bool known = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size);
  CloseHandle(file);
  return known ? static_cast<long long>(size.QuadPart) : -1;
}

void* OpenMinizipArchive(const std::filesystem::path& path) {
  zlib_filefunc64_def functions;
  fill_win32_filefunc64W(&functions);
  return unzOpen2_64(path.c_str(), &functions);
}

gzFile_s* OpenGzipPath(const std::filesystem::path& path, const char* mode) {
  return gzopen_w(path.c_str(), mode);
}

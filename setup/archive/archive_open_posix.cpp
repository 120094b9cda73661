// Opening archive files on Linux: paths are byte strings.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unzip.h>
#include <zlib.h>

#include "setup/archive/archive_open.h"

long long ReadableFileLength(const std::filesystem::path& path) {
  int descriptor = open(path.c_str(), O_RDONLY);
  if (descriptor < 0) return -1;
  struct stat status {};
  bool regular = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
  close(descriptor);
  return regular ? static_cast<long long>(status.st_size) : -1;
}

void* OpenMinizipArchive(const std::filesystem::path& path) { return unzOpen64(path.c_str()); }

gzFile_s* OpenGzipPath(const std::filesystem::path& path, const char* mode) {
  return gzopen(path.c_str(), mode);
}

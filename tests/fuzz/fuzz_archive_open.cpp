// The archive library's platform adapter for the fuzz targets: minizip reads
// the file from memory. Over the C library's files it reads a byte at a time
// with a seek between headers, two system calls a byte, which would make
// the file system and not the reader the subject of the fuzzing.

#include <unzip.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "setup/archive/archive_open.h"

namespace {

struct CMemoryStream {
  std::vector<unsigned char> bytes;
  ZPOS64_T position = 0;
};

voidpf ZCALLBACK OpenStream(voidpf, const void* name, int mode) {
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
  std::ifstream in(static_cast<const char*>(name), std::ios::binary | std::ios::ate);
  if (!in) return nullptr;
  auto* stream = new CMemoryStream;
  stream->bytes.resize(static_cast<size_t>(in.tellg()));
  in.seekg(0).read(reinterpret_cast<char*>(stream->bytes.data()),
                   static_cast<std::streamsize>(stream->bytes.size()));
  return stream;
}

uLong ZCALLBACK ReadStream(voidpf, voidpf opaque, void* buffer, uLong size) {
  auto* stream = static_cast<CMemoryStream*>(opaque);
  const ZPOS64_T available =
      stream->position < stream->bytes.size() ? stream->bytes.size() - stream->position : 0;
  const uLong count = size < available ? size : static_cast<uLong>(available);
  std::copy_n(stream->bytes.data() + stream->position, count, static_cast<unsigned char*>(buffer));
  stream->position += count;
  return count;
}

uLong ZCALLBACK WriteStream(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellStream(voidpf, voidpf opaque) { return static_cast<CMemoryStream*>(opaque)->position; }

long ZCALLBACK SeekStream(voidpf, voidpf opaque, ZPOS64_T offset, int origin) {
  auto* stream = static_cast<CMemoryStream*>(opaque);
  ZPOS64_T base = 0;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = stream->position;
  if (origin == ZLIB_FILEFUNC_SEEK_END) base = stream->bytes.size();
  if (offset > UINT64_MAX - base) return -1;
  stream->position = base + offset;  // past the end reads nothing, as a file would
  return 0;
}

int ZCALLBACK CloseStream(voidpf, voidpf opaque) {
  delete static_cast<CMemoryStream*>(opaque);
  return 0;
}

int ZCALLBACK StreamError(voidpf, voidpf) { return 0; }

}  // namespace

long long ReadableFileLength(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return -1;
  const auto size = std::filesystem::file_size(path, error);
  return error ? -1 : static_cast<long long>(size);
}

void* OpenMinizipArchive(const std::filesystem::path& path) {
  zlib_filefunc64_def functions{OpenStream, ReadStream,  WriteStream, TellStream,
                                SeekStream, CloseStream, StreamError, nullptr};
  return unzOpen2_64(path.c_str(), &functions);
}

gzFile_s* OpenGzipPath(const std::filesystem::path& path, const char* mode) {
  return gzopen(path.c_str(), mode);
}

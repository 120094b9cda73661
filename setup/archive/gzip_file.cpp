#include "setup/archive/gzip_file.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "setup/archive/archive_open.h"

namespace {

// Reading in pieces of the compressed length alone would take thousands of
// calls for well-compressed content.
constexpr long long kMinimumReadChunk = 256 * 1024;

}  // namespace

CGzipFile::~CGzipFile() { Close(); }

bool CGzipFile::Open(const std::filesystem::path& path, int mode) {
  if (IsOpen()) return false;
  m_fileLength = 0;
  if (mode == kGzipWrite) {
    m_handle = OpenGzipPath(path, "wb");
    if (m_handle) {
      m_mode = mode;
      ApplyParams();
    }
  } else if (mode == kGzipRead) {
    const long long length = ReadableFileLength(path);
    if (length >= 0) {
      m_fileLength = length;
      m_handle = OpenGzipPath(path, "rb");
    }
  }
  m_mode = m_handle ? mode : kGzipNotOpen;
  if (!m_handle) m_fileLength = 0;
  return IsOpen();
}

bool CGzipFile::Close() {
  if (!IsOpen()) return false;
  const int result = gzclose(m_handle);
  m_handle = nullptr;
  m_mode = kGzipNotOpen;
  m_fileLength = 0;
  return result == Z_OK;
}

bool CGzipFile::Write(const void* buffer, int length) {
  if (!IsOpen() || m_mode != kGzipWrite || length < 0) return false;
  if (length == 0) return true;
  return gzwrite(m_handle, buffer, static_cast<unsigned>(length)) == length;
}

bool CGzipFile::WriteString(const char* text) {
  const size_t length = std::strlen(text);
  if (length > INT_MAX) return false;
  return Write(text, static_cast<int>(length));
}

int CGzipFile::Read(void* buffer, int length) {
  if (!IsOpen() || m_mode != kGzipRead || length <= 0) return 0;
  return gzread(m_handle, buffer, static_cast<unsigned>(length));
}

bool CGzipFile::ReadAll(std::unique_ptr<unsigned char[]>& data, int& size) {
  size = 0;
  if (!IsOpen() || m_mode != kGzipRead || m_fileLength == 0) return false;
  const int chunk = static_cast<int>(std::clamp(m_fileLength, kMinimumReadChunk, 64LL * 1024 * 1024));
  std::vector<unsigned char> content;
  int read = 0;
  for (;;) {
    const size_t used = content.size();
    if (used > static_cast<size_t>(INT_MAX - chunk)) return false;  // beyond what an int size can tell
    content.resize(used + static_cast<size_t>(chunk));
    read = Read(content.data() + used, chunk);
    content.resize(used + static_cast<size_t>(std::max(read, 0)));
    if (read <= 0) break;
  }
  if (read < 0) return false;
  size = static_cast<int>(content.size());
  data = std::make_unique_for_overwrite<unsigned char[]>(content.size());
  std::copy(content.begin(), content.end(), data.get());
  return size > 0;
}

bool CGzipFile::ApplyParams() {
  if (!IsOpen() || m_mode != kGzipWrite) return false;
  return gzsetparams(m_handle, m_level, m_strategy) == Z_OK;
}

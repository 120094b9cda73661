#include "setup/archive/gzip_file.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "setup/archive/archive_open.h"

namespace {

// The room for inflated bytes grows by its size so far, from this much.
constexpr size_t kFirstInflateStep = 16 * 1024;

bool StartsWithGzipSignature(const unsigned char* bytes, size_t size) {
  return size >= 2 && bytes[0] == 0x1f && bytes[1] == 0x8b;
}

// Inflates the member that `stream` stands on onto the end of `content`;
// false when the member is damaged or the input ends inside it.
bool InflateMember(z_stream& stream, std::vector<unsigned char>& content) {
  for (;;) {
    const size_t used = content.size();
    if (used > static_cast<size_t>(INT_MAX)) return false;  // beyond what an int size can tell
    const size_t step = std::max(kFirstInflateStep, used);
    content.resize(used + step);
    stream.next_out = content.data() + used;
    stream.avail_out = static_cast<uInt>(step);
    const int result = inflate(&stream, Z_NO_FLUSH);
    content.resize(used + step - stream.avail_out);
    if (result == Z_STREAM_END) return true;
    if (result != Z_OK) return false;  // Z_BUF_ERROR: no progress, the input has ended
  }
}

// The content of a file's bytes, as gzip reads it: the members one after
// the other, up to the first bytes that begin no member (ignored); bytes
// without the gzip signature as they are. Nothing when a member is damaged
// or cut short. (zlib's own gzread takes a member that the file cuts short
// just as its output buffer fills for a complete one.)
std::optional<std::vector<unsigned char>> Inflated(std::vector<unsigned char> bytes) {
  if (!StartsWithGzipSignature(bytes.data(), bytes.size())) return bytes;
  if (bytes.size() > UINT_MAX) return std::nullopt;
  z_stream stream{};
  if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return std::nullopt;
  std::vector<unsigned char> content;
  size_t offset = 0;
  bool whole = true;
  while (whole && StartsWithGzipSignature(bytes.data() + offset, bytes.size() - offset)) {
    inflateReset(&stream);
    stream.next_in = bytes.data() + offset;
    stream.avail_in = static_cast<uInt>(bytes.size() - offset);
    whole = InflateMember(stream, content);
    offset = bytes.size() - stream.avail_in;
  }
  inflateEnd(&stream);
  if (!whole) return std::nullopt;
  return content;
}

std::optional<std::vector<unsigned char>> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

CGzipFile::~CGzipFile() { Close(); }

bool CGzipFile::Open(const std::filesystem::path& path, int mode) {
  if (IsOpen()) return false;
  if (mode == kGzipWrite) {
    m_handle = OpenGzipPath(path, "wb");
    if (m_handle) {
      m_mode = mode;
      ApplyParams();
    }
  } else if (mode == kGzipRead && ReadableFileLength(path) >= 0) {
    m_readPath = path;
    m_mode = mode;
  }
  return IsOpen();
}

bool CGzipFile::Close() {
  if (!IsOpen()) return false;
  const int result = m_handle ? gzclose(m_handle) : Z_OK;
  m_handle = nullptr;
  m_mode = kGzipNotOpen;
  m_readPath.clear();
  m_content.reset();
  m_readOffset = 0;
  return result == Z_OK;
}

bool CGzipFile::Write(const void* buffer, int length) {
  if (!m_handle || m_mode != kGzipWrite || length < 0) return false;
  if (length == 0) return true;
  return gzwrite(m_handle, buffer, static_cast<unsigned>(length)) == length;
}

bool CGzipFile::WriteString(const char* text) {
  const size_t length = std::strlen(text);
  if (length > INT_MAX) return false;
  return Write(text, static_cast<int>(length));
}

bool CGzipFile::Inflate() {
  if (m_content) return true;
  std::optional<std::vector<unsigned char>> bytes = ReadBytes(m_readPath);
  if (!bytes) return false;
  m_content = Inflated(std::move(*bytes));
  if (m_content && m_content->size() > static_cast<size_t>(INT_MAX)) m_content.reset();
  return m_content.has_value();
}

int CGzipFile::Read(void* buffer, int length) {
  if (m_mode != kGzipRead || length <= 0) return 0;
  if (!Inflate()) return -1;
  const size_t count = std::min(static_cast<size_t>(length), m_content->size() - m_readOffset);
  std::copy_n(m_content->data() + m_readOffset, count, static_cast<unsigned char*>(buffer));
  m_readOffset += count;
  return static_cast<int>(count);
}

bool CGzipFile::ReadAll(std::unique_ptr<unsigned char[]>& data, int& size) {
  size = 0;
  if (m_mode != kGzipRead || !Inflate() || m_content->empty()) return false;
  size = static_cast<int>(m_content->size());
  data = std::make_unique_for_overwrite<unsigned char[]>(m_content->size());
  std::copy(m_content->begin(), m_content->end(), data.get());
  return true;
}

bool CGzipFile::ApplyParams() {
  if (!m_handle || m_mode != kGzipWrite) return false;
  return gzsetparams(m_handle, m_level, m_strategy) == Z_OK;
}

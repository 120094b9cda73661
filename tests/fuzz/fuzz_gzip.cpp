// The gzip reader over an arbitrary file, against zlib's inflate driven
// directly: the content comes out whole and unchanged, or the reading
// fails; a damaged or cut member never yields bytes.

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "setup/archive/gzip_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input_file.h"

namespace {

constexpr size_t kMaxContent = 1u << 20;

bool StartsWithGzipMagic(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 0x1f && data[1] == 0x8b;
}

struct Expected {
  bool damaged = false;
  bool tooLarge = false;  // a bomb: not worth the fuzzer's time
  std::string content;
};

// What a gzip reader must deliver: data without the gzip signature as it is;
// otherwise the members one after the other up to the first bytes that do
// not begin another member. Nothing for a damaged or cut member.
Expected ExpectedContent(const uint8_t* data, size_t size) {
  Expected expected;
  std::string& content = expected.content;
  if (!StartsWithGzipMagic(data, size)) {
    content.assign(reinterpret_cast<const char*>(data), size);
    return expected;
  }
  size_t offset = 0;
  while (StartsWithGzipMagic(data + offset, size - offset)) {
    z_stream stream{};
    FailIf(inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK, "zlib's inflate starts");
    stream.next_in = const_cast<Bytef*>(data + offset);
    stream.avail_in = static_cast<uInt>(size - offset);
    int result = Z_OK;
    while (result == Z_OK) {
      unsigned char buffer[4096];
      stream.next_out = buffer;
      stream.avail_out = sizeof buffer;
      result = inflate(&stream, Z_NO_FLUSH);
      content.append(reinterpret_cast<char*>(buffer), sizeof buffer - stream.avail_out);
      if (content.size() > kMaxContent) {
        expected.tooLarge = true;
        break;
      }
    }
    offset = size - stream.avail_in;
    inflateEnd(&stream);
    if (expected.tooLarge) return expected;
    if (result != Z_STREAM_END) {
      expected.damaged = true;
      return expected;
    }
  }
  return expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CFuzzInputFile file;
  file.Write(data, size);
  const Expected expected = ExpectedContent(data, size);
  if (expected.tooLarge) return 0;

  CGzipFile gzip;
  FailIf(!gzip.Open(file.Path(), kGzipRead), "a readable file does not open");  // any readable file opens
  std::unique_ptr<unsigned char[]> content;
  int contentSize = -1;
  const bool read = gzip.ReadAll(content, contentSize);
  FailIf(read != (!expected.damaged && !expected.content.empty()),
         "the reading succeeds exactly when the content is whole and not empty");
  if (!read) return 0;
  FailIf(static_cast<size_t>(contentSize) != expected.content.size() ||
             std::memcmp(content.get(), expected.content.data(), expected.content.size()) != 0,
         "the content read differs from the content inflated");
  return 0;
}

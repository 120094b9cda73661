// The installer's archive reader over an arbitrary file, as the installation
// uses it: every entry handed out lies inside the reader's data (each byte
// is read here, and a zip entry ends in the promised NUL), positions outside
// the count fail, and no name that the installer accepts leads out of the
// folder it is unpacked into.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/code_page.h"
#include "setup/archive/archive_reader.h"
#include "setup/engine/setup_paths.h"
#include "setup/engine/setup_state.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input_file.h"

namespace {

constexpr int kMaxEntries = 32;
constexpr int kCodePages[] = {437, 936, 950};

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// Windows takes a name made of dots and blanks with two dots or more as
// the folder above.
bool LeadsUp(std::u16string_view component) {
  size_t dots = 0;
  for (char16_t c : component) {
    if (c != u'.' && c != u' ') return false;
    dots += c == u'.' ? 1 : 0;
  }
  return dots >= 2;
}

// Whether folder + `name` can name something outside the folder: a rooted
// name, a drive or stream colon, or more steps up than down at any point.
bool LeadsOutOfFolder(std::string_view name) {
  const std::u16string text = DecodeFromCodePage(name, SetupCodePage());
  if (!text.empty() && IsSeparator(text.front())) return true;
  if (text.find(u':') != std::u16string::npos) return true;
  int depth = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    std::u16string_view component = std::u16string_view(text).substr(start, end - start);
    if (LeadsUp(component)) {
      if (--depth < 0) return true;
    } else if (!component.empty() && component != u".") {
      ++depth;
    }
    start = end + 1;
  }
  return false;
}

unsigned Touch(const unsigned char* bytes, int size) {
  unsigned sum = 0;
  for (int i = 0; i < size; ++i) sum += bytes[i];
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CFuzzInputFile file;
  file.Write(data, size);
  SetLanguage(kCodePages[size % 3]);

  CArchiveReader reader;
  if (!reader.Open(file.Path())) return 0;
  const int count = reader.GetFileCount();
  FailIf(count < -1 || (count == -1 && reader.GetType() != ARCHIVE_ZIP),
         "a count below -1, or -1 from a kind that always counts");
  volatile unsigned sink = 0;
  for (int index = 0; index < count && index < kMaxEntries; ++index) {
    unsigned char* bytes = nullptr;
    int length = -1;
    int isFile = -1;
    std::string name;
    if (!reader.GetFile(index, &bytes, &length, &isFile, &name)) continue;
    FailIf(bytes == nullptr || length < 0 || (isFile != 0 && isFile != 1),
           "an entry handed out without bytes, size or kind");
    sink = sink + Touch(bytes, length);
    FailIf(reader.GetType() == ARCHIVE_ZIP && bytes[length] != 0, "a zip entry without its closing NUL");
    FailIf(IsSafeEntryName(name) && LeadsOutOfFolder(name),
           "an accepted entry name leads out of the target folder");
  }
  if (count >= 0 && reader.GetType() != ARCHIVE_GZIP) {
    unsigned char* bytes = nullptr;
    int length = 0;
    int isFile = 0;
    std::string name;
    FailIf(reader.GetFile(count, &bytes, &length, &isFile, &name), "an entry past the count");
    FailIf(reader.GetFile(-1, &bytes, &length, &isFile, &name), "an entry before the first");
  }
  return 0;
}

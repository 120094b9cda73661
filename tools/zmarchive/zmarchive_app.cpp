#include "tools/zmarchive/zmarchive_app.h"

#include <charconv>
#include <optional>

#include "base/code_page.h"
#include "base/format_text.h"
#include "setup/archive/archive_reader.h"

namespace {

constexpr const char* kUsage = "usage: zmarchive [--names CP] FILE\n";

constexpr uint64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kDaysFrom1601To1970 = 134'774;

struct ZmarchiveOptions {
  unsigned nameCodePage = kCodePageGbk;
  std::filesystem::path file;
};

// Civil date of a day count since 1970-01-01.
void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
  const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

const char* KindName(int type) {
  switch (type) {
    case ARCHIVE_ZIP:
      return "zip";
    case ARCHIVE_GZIP:
      return "gzip";
    default:
      return "tar";
  }
}

std::string ParseOptions(const std::vector<std::filesystem::path>& args, ZmarchiveOptions& options) {
  std::vector<std::filesystem::path> files;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--names") {
      files.push_back(args[i]);
      continue;
    }
    if (i + 1 >= args.size()) return "--names needs a code page";
    const std::string value = args[++i].string();
    const char* end = value.data() + value.size();
    std::from_chars_result read = std::from_chars(value.data(), end, options.nameCodePage);
    if (read.ec != std::errc() || read.ptr != end) return "--names takes a code page number, not " + value;
  }
  if (files.size() != 1) return "one archive file expected";
  options.file = files.front();
  return {};
}

std::string ZipEntryColumns(CArchiveReader& reader, int index) {
  ZipEntryInfo info;
  if (!reader.GetZipEntry(index, &info)) return {};
  return FormatText("\t0x%02X\t", info.attributes) + FormatFileTime(info.modificationTime) + "\t" +
         FormatFileTime(info.accessTime) + "\t" + FormatFileTime(info.creationTime);
}

int ListEntries(CArchiveReader& reader, const ZmarchiveOptions& options, ZmarchiveOutput& output) {
  const int count = reader.GetFileCount();
  if (count < 0) {
    output.err += "zmarchive: " + reader.GetErrorText() + "\n";
    return kZmarchiveFailed;
  }
  output.out += std::string("kind ") + KindName(reader.GetType()) + FormatText("\ncount %d\n", count);
  for (int i = 0; i < count; ++i) {
    unsigned char* data = nullptr;
    int size = 0;
    int isFile = 0;
    std::string name;
    if (!reader.GetFile(i, &data, &size, &isFile, &name)) {
      output.err += "zmarchive: " + reader.GetErrorText() + "\n";
      return kZmarchiveFailed;
    }
    output.out += FormatText("%d\t%d\t%d\t", i, size, isFile) +
                  ConvertCodePage(name, options.nameCodePage, kCodePageUtf8);
    if (reader.GetType() == ARCHIVE_ZIP) output.out += ZipEntryColumns(reader, i);
    output.out += "\n";
  }
  return kZmarchiveListed;
}

}  // namespace

std::string FormatFileTime(uint64_t fileTime) {
  const uint64_t seconds = fileTime / kTicksPerSecond;
  const int64_t days = static_cast<int64_t>(seconds / 86400) - kDaysFrom1601To1970;
  const unsigned secondOfDay = static_cast<unsigned>(seconds % 86400);
  int64_t year = 0;
  unsigned month = 0;
  unsigned day = 0;
  CivilFromDays(days, year, month, day);
  return FormatText("%04lld-%02u-%02u %02u:%02u:%02u", static_cast<long long>(year), month, day,
                    secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
}

int RunZmarchive(const std::vector<std::filesystem::path>& args, ZmarchiveOutput& output) {
  ZmarchiveOptions options;
  std::string error = ParseOptions(args, options);
  if (!error.empty()) {
    output.err += "zmarchive: " + error + "\n" + kUsage;
    return kZmarchiveUsage;
  }
  CArchiveReader reader;
  if (!reader.Open(options.file)) {
    output.err += "zmarchive: " + reader.GetErrorText() + "\n";
    return kZmarchiveFailed;
  }
  return ListEntries(reader, options, output);
}

// Extraction of a 64 MiB zip archive of mixed entries through CArchiveReader,
// against a plain minizip loop over the same archive in the same run. The
// archive is made at start in a temporary folder and removed at the end;
// the ratio of the two times closes the report.

#include <benchmark/benchmark.h>
#include <unzip.h>
#include <zip.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "setup/archive/archive_reader.h"

namespace {

constexpr size_t kArchiveBytes = 64u << 20;
const char* const kReaderName = "ArchiveReaderExtraction";
const char* const kPlainName = "PlainMinizipExtraction";

std::filesystem::path g_archive;

std::string TextContent(std::mt19937& random, size_t size) {
  std::string text;
  while (text.size() < size) {
    text += "H" + std::to_string(100 + random() % 400) + "*" + std::to_string(100 + random() % 300) + "*" +
            std::to_string(6 + random() % 10) + "\t" + std::to_string(random() % 10000) + "\tQ235B\r\n";
  }
  text.resize(size);
  return text;
}

std::string RandomContent(std::mt19937& random, size_t size) {
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

// Text, incompressible and zero-filled entries of sizes from a few bytes to
// megabytes, stored and deflated, with some directories and empty files.
bool WriteMixedArchive(const std::filesystem::path& file) {
  zipFile zip = zipOpen64(file.string().c_str(), APPEND_STATUS_CREATE);
  if (!zip) return false;
  std::mt19937 random(20261207);
  const size_t sizes[] = {0, 300, 4096, 70000, 1u << 20, 3u << 20, 12000, 900, 512u << 10};
  size_t total = 0;
  bool ok = true;
  for (int index = 0; ok && total < kArchiveBytes; ++index) {
    const size_t size = std::min(sizes[index % std::size(sizes)], kArchiveBytes - total);
    const int kind = index % 5;
    std::string content = kind == 1 || kind == 3 ? TextContent(random, size)
                          : kind == 2            ? RandomContent(random, size)
                          : kind == 4            ? std::string(size, '\0')
                                                 : TextContent(random, size / 4);
    const bool stored = kind == 2 && index % 2 == 0;
    std::string name = (index % 17 == 0 ? "dir" + std::to_string(index) + "/" : "") + "entry" +
                       std::to_string(index) + ".bin";
    zip_fileinfo info{};
    ok = zipOpenNewFileInZip(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                             stored ? 0 : Z_DEFLATED, stored ? 0 : Z_DEFAULT_COMPRESSION) == ZIP_OK &&
         zipWriteInFileInZip(zip, content.data(), static_cast<unsigned>(content.size())) == ZIP_OK &&
         zipCloseFileInZip(zip) == ZIP_OK;
    total += content.size();
  }
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

void ArchiveReaderExtraction(benchmark::State& state) {
  int64_t bytes = 0;
  for (auto _ : state) {
    CArchiveReader reader;
    if (!reader.Open(g_archive)) state.SkipWithError(reader.GetErrorText().c_str());
    const int count = reader.GetFileCount();
    for (int i = 0; i < count; ++i) {
      unsigned char* data = nullptr;
      int size = 0, isFile = 0;
      std::string name;
      if (!reader.GetFile(i, &data, &size, &isFile, &name))
        state.SkipWithError(reader.GetErrorText().c_str());
      benchmark::DoNotOptimize(data);
      bytes += size;
    }
  }
  state.SetBytesProcessed(bytes);
}

// What a caller would write with minizip alone: every entry read whole into a
// buffer of its size.
void PlainMinizipExtraction(benchmark::State& state) {
  int64_t bytes = 0;
  for (auto _ : state) {
    unzFile zip = unzOpen64(g_archive.c_str());
    if (!zip) state.SkipWithError("unzOpen64");
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
      unz_file_info64 info{};
      char name[260];
      unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
      std::vector<unsigned char> buffer(info.uncompressed_size + 1);
      if (unzOpenCurrentFile(zip) != UNZ_OK ||
          unzReadCurrentFile(zip, buffer.data(), static_cast<unsigned>(info.uncompressed_size)) !=
              static_cast<int>(info.uncompressed_size) ||
          unzCloseCurrentFile(zip) != UNZ_OK) {
        state.SkipWithError("entry");
      }
      benchmark::DoNotOptimize(buffer.data());
      bytes += static_cast<int64_t>(info.uncompressed_size);
    }
    unzClose(zip);
  }
  state.SetBytesProcessed(bytes);
}

BENCHMARK(ArchiveReaderExtraction)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainMinizipExtraction)->Unit(benchmark::kMillisecond);

// Keeps the times per iteration of both runs for the closing ratios. The
// processor time is the steadier figure on a machine shared with others.
class CRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        m_times[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (!m_times.count(kReaderName) || !m_times.count(kPlainName)) return;
    const auto [readerReal, readerCpu] = m_times[kReaderName];
    const auto [plainReal, plainCpu] = m_times[kPlainName];
    GetOutputStream() << "CArchiveReader " << readerReal << " ms (cpu " << readerCpu << "), plain minizip "
                      << plainReal << " ms (cpu " << plainCpu << "); ratio " << readerReal / plainReal
                      << " (cpu " << readerCpu / plainCpu << "), target <= 1.2\n";
  }

 private:
  std::map<std::string, std::pair<double, double>> m_times;  // real, processor
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zm-archive-bench-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder);
  g_archive = folder / "mixed.zip";
  int status = 1;
  if (WriteMixedArchive(g_archive)) {
    std::cout << "archive: " << std::filesystem::file_size(g_archive) / 1024 << " KiB on disk, "
              << (kArchiveBytes >> 20) << " MiB of entries\n";
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    status = 0;
  } else {
    std::cerr << "could not write the benchmark archive\n";
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return status;
}

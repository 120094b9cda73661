#include "tests/unit/test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>

#include "base/code_page.h"

std::string Gbk(std::string_view utf8) { return ConvertCodePage(utf8, kCodePageUtf8, kCodePageGbk); }

std::string Big5(std::string_view utf8) { return ConvertCodePage(utf8, kCodePageUtf8, kCodePageBig5); }

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

CTempFolder::CTempFolder() {
  static std::atomic<int> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  m_path = std::filesystem::temp_directory_path() /
           ("zm-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(m_path);
}

CTempFolder::~CTempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path CTempFolder::WriteFile(const std::string& name, std::string_view bytes) const {
  std::filesystem::path file = m_path / name;
  std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

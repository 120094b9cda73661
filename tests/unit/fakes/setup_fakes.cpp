#include "tests/unit/fakes/setup_fakes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "setup/engine/setup_paths.h"
#include "setup/engine/setup_state.h"

namespace {

class CStdOutputFile : public OutputFile {
 public:
  explicit CStdOutputFile(const std::filesystem::path& path)
      : m_stream(path, std::ios::binary | std::ios::trunc) {}
  bool IsOpen() const { return m_stream.is_open(); }
  bool Write(const void* bytes, std::size_t size) override {
    m_stream.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    return static_cast<bool>(m_stream);
  }

 private:
  std::ofstream m_stream;
};

}  // namespace

std::unique_ptr<OutputFile> CSetupTestFiles::CreateAlways(const std::string& path) {
  if (readOnly.count(path) || locked.count(path)) return nullptr;
  auto file = std::make_unique<CStdOutputFile>(NativePath(path));
  if (!file->IsOpen()) return nullptr;
  created.push_back(path);
  return file;
}

bool CSetupTestFiles::SetNormalAttributes(const std::string& path) {
  readOnly.erase(path);
  return std::filesystem::exists(NativePath(path));
}

bool CSetupTestFiles::RemoveFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::remove(NativePath(path), error);
}

bool CSetupTestFiles::CreateFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directory(NativePath(path), error);
  return !error;
}

bool CFakeSystemFolders::MakeTempFile(const std::string& folder, const std::string& prefix,
                                      std::string* path) {
  if (folder.empty()) return false;
  std::string name = WithSeparator(folder) + prefix + std::to_string(tempFiles.size() + 1) + ".tmp";
  std::ofstream created(NativePath(name), std::ios::binary);
  if (!created) return false;
  tempFiles.push_back(name);
  *path = name;
  return true;
}

bool CFakeResources::LoadFileResource(int id, std::string_view* bytes) {
  auto found = resources.find(id);
  if (found == resources.end()) return false;
  *bytes = found->second;
  return true;
}

CSetupStateGuard::~CSetupStateGuard() {
  g_uninstallLog.Close();
  g_installDir.clear();
  SetLanguage(950);
}

std::string ReadTestFile(const std::string& path) {
  std::ifstream file(NativePath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string TestFolder(const std::filesystem::path& parent, const std::string& name) {
  std::filesystem::path folder = parent / name;
  std::filesystem::create_directories(folder);
  return folder.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}

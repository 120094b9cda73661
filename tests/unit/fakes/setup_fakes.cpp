#include "tests/unit/fakes/setup_fakes.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/code_page.h"
#include "setup/engine/setup_paths.h"
#include "setup/engine/setup_state.h"

namespace fs = std::filesystem;

namespace {

// A host name in the setup code page.
std::string SetupName(const fs::path& name) { return EncodeToCodePage(name.u16string(), kSetupPathCodePage); }

bool CaseLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

class CStdOutputFile : public OutputFile {
 public:
  explicit CStdOutputFile(const fs::path& path) : m_stream(path, std::ios::binary | std::ios::trunc) {}
  bool IsOpen() const { return m_stream.is_open(); }
  bool Write(const void* bytes, std::size_t size) override {
    m_stream.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    return static_cast<bool>(m_stream);
  }

 private:
  std::ofstream m_stream;
};

}  // namespace

fs::path CSetupTestFiles::HostPath(const std::string& path) const {
  bool onDrive = m_drive != 0 && path.size() >= 2 && path[1] == ':' &&
                 std::toupper(static_cast<unsigned char>(path[0])) == m_drive;
  if (!onDrive) return NativePath(path);
  fs::path host = m_root;
  std::size_t start = 2;
  while (start < path.size()) {
    std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) host /= NativePath(path.substr(start, end - start));
    start = end + 1;
  }
  return host;
}

std::unique_ptr<OutputFile> CSetupTestFiles::CreateAlways(const std::string& path) {
  if (readOnly.count(path) || locked.count(path)) return nullptr;
  auto file = std::make_unique<CStdOutputFile>(HostPath(path));
  if (!file->IsOpen()) return nullptr;
  created.push_back(path);
  return file;
}

std::unique_ptr<OutputFile> CSetupTestFiles::CreateNew(const std::string& path) {
  if (fs::exists(fs::symlink_status(HostPath(path)))) return nullptr;
  return CreateAlways(path);
}

bool CSetupTestFiles::SetNormalAttributes(const std::string& path) {
  readOnly.erase(path);
  return fs::exists(HostPath(path));
}

bool CSetupTestFiles::CreateFolder(const std::string& path) {
  std::error_code error;
  fs::create_directory(HostPath(path), error);
  return !error;
}

PathKind CSetupTestFiles::Kind(const std::string& path) {
  fs::file_status status = fs::symlink_status(HostPath(path));
  if (fs::is_symlink(status)) return PathKind::kLink;
  if (!fs::exists(status)) return PathKind::kMissing;
  return fs::is_directory(status) ? PathKind::kFolder : PathKind::kFile;
}

bool CSetupTestFiles::RemoveFile(const std::string& path) {
  readOnly.erase(path);
  std::error_code error;
  return !locked.count(path) && Kind(path) == PathKind::kFile && fs::remove(HostPath(path), error);
}

bool CSetupTestFiles::RemoveEmptyFolder(const std::string& path) {
  std::error_code error;
  return Kind(path) == PathKind::kFolder && fs::remove(HostPath(path), error);
}

bool CSetupTestFiles::RemoveLink(const std::string& path) {
  std::error_code error;
  return Kind(path) == PathKind::kLink && fs::remove(HostPath(path), error);
}

std::vector<std::string> CSetupTestFiles::ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(HostPath(folder), error)) {
    names.push_back(SetupName(entry.path().filename()));
  }
  std::sort(names.begin(), names.end(), CaseLess);
  return names;
}

bool CSetupTestFiles::RemoveAtRestart(const std::string& path) {
  if (restartRefused) return false;
  atRestart.push_back(path);
  return true;
}

void CSetupTestFiles::AddFile(const std::string& path, std::string_view bytes) {
  fs::path host = HostPath(path);
  fs::create_directories(host.parent_path());
  std::ofstream(host, std::ios::binary) << bytes;
}

void CSetupTestFiles::AddFolder(const std::string& path) { fs::create_directories(HostPath(path)); }

void CSetupTestFiles::AddLink(const std::string& path, const std::string& target) {
  const fs::path host = HostPath(path);
  const fs::path hostTarget = HostPath(target);
  fs::create_directories(host.parent_path());
  if (fs::is_directory(hostTarget)) {
    fs::create_directory_symlink(hostTarget, host);
  } else {
    fs::create_symlink(hostTarget, host);
  }
}

std::string CSetupTestFiles::Read(const std::string& path) const {
  std::ifstream file(HostPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::set<std::string> CSetupTestFiles::Dump() const {
  std::set<std::string> lines;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(m_root)) {
    std::string path = std::string(1, m_drive) + ":";
    for (const fs::path& part : fs::relative(entry.path(), m_root)) path += "\\" + SetupName(part);
    lines.insert((entry.is_symlink() ? "L " : entry.is_directory() ? "D " : "F ") + path);
  }
  return lines;
}

bool CFakeSystemFolders::MakePrivateTempFolder(std::string* folder) {
  if (tempFolder.empty()) return false;
  std::string name = WithSeparator(tempFolder) + "ZMsetup" + std::to_string(privateFolders.size() + 1);
  if (!fs::create_directory(NativePath(name))) return false;
  privateFolders.push_back(name);
  *folder = WithSeparator(name);
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
  g_ansiCodePage = 1252;
  SetLanguage(950);
}

std::string ReadTestFile(const std::string& path) { return CSetupTestFiles().Read(path); }

std::string TestFolder(const fs::path& parent, const std::string& name) {
  fs::path folder = parent / name;
  fs::create_directories(folder);
  return folder.string() + static_cast<char>(fs::path::preferred_separator);
}

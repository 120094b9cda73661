#include "setup/engine/installation.h"

#include <array>

#include "setup/archive/archive_reader.h"
#include "setup/engine/settings_defaults.h"
#include "setup/engine/setup_paths.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/shortcuts.h"
#include "setup/engine/uninstall_log.h"

namespace {

constexpr int kTextCreatingLink = 3;
constexpr int kTextCopyFile = 4;

// The two temporary files of the archives, removed when the run returns.
class CTempArchives {
 public:
  explicit CTempArchives(SetupFileSystem& files) : m_files(files) {}
  ~CTempArchives() { Remove(); }
  CTempArchives(const CTempArchives&) = delete;
  CTempArchives& operator=(const CTempArchives&) = delete;

  // The files are written later, each created anew, in a folder of the
  // run's own that no one else can write.
  bool Make(SystemFolders& folders) {
    if (!folders.MakePrivateTempFolder(&m_folder)) return false;
    m_paths = {m_folder + "product.zip", m_folder + "system.zip"};
    return true;
  }
  const std::string& Path(int index) const { return m_paths[index]; }
  void Remove() {
    if (m_folder.empty()) return;
    for (const std::string& path : m_paths) {
      if (m_files.Kind(path) != PathKind::kMissing) m_files.RemoveFile(path);
    }
    m_files.RemoveEmptyFolder(WithoutFinalSeparator(m_folder));
    m_folder.clear();
  }

 private:
  SetupFileSystem& m_files;
  std::string m_folder;
  std::array<std::string, 2> m_paths;
};

bool OpenArchive(CArchiveReader& reader, const std::string& path) {
  reader.Close();
  return reader.Open(NativePath(path)) != 0;
}

// Writes one entry; an unsafe name fails like a file that cannot be created.
bool WriteEntry(SetupFileSystem& files, const std::string& name, const std::string& target,
                const unsigned char* data, int size) {
  std::unique_ptr<OutputFile> file = IsSafeEntryName(name) ? files.CreateAlways(target) : nullptr;
  if (!file) return false;
  file->Write(data, static_cast<std::size_t>(size));
  return true;
}

// Unpacks every file of `reader` into `folder`; progress positions start at
// `firstPosition`.
bool UnpackArchive(InstallEnvironment& env, CArchiveReader& reader, int count, int firstPosition,
                   const std::string& folder) {
  for (int index = 0; index < count; ++index) {
    unsigned char* data = nullptr;
    int size = 0;
    int isFile = 0;
    std::string name;
    if (!reader.GetFile(index, &data, &size, &isFile, &name)) {
      env.progress.ShowPlainMessage(reader.GetErrorText());
      return false;
    }
    if (EndsWithSeparator(name)) continue;  // a folder entry
    std::string target = folder + name;
    env.progress.SetProgressPosition(firstPosition + index);
    env.progress.SetFileLabel(SetupTextAsPath(g_text[kTextCopyFile]) + target);
    if (!WriteEntry(env.files, name, target, data, size)) return false;
    AppendFileRecord(target);
    env.pacer.Pause(kFilePacingMs);
  }
  return true;
}

bool UnpackArchives(InstallEnvironment& env, const CTempArchives& temps) {
  CArchiveReader product;
  CArchiveReader system;
  if (!OpenArchive(product, temps.Path(0)) || !OpenArchive(system, temps.Path(1))) return false;
  int productCount = product.GetFileCount();
  int systemCount = system.GetFileCount();
  if (productCount < 0 || systemCount < 0) return false;
  env.progress.SetProgressRange(0, productCount + systemCount);
  if (!UnpackArchive(env, product, productCount, 0, g_installDir)) return false;
  std::string systemFolder;
  // Without it the names would land in the working folder.
  if (!env.folders.GetSystemFolder(&systemFolder)) return false;
  return UnpackArchive(env, system, systemCount, productCount, WithSeparator(systemFolder));
}

}  // namespace

bool ExtractResourceToFile(ResourceSource& resources, SetupFileSystem& files, int id,
                           const std::string& path) {
  std::string_view bytes;
  if (!resources.LoadFileResource(id, &bytes)) return false;
  std::unique_ptr<OutputFile> file = files.CreateNew(path);
  if (!file) return false;
  file->Write(bytes.data(), bytes.size());
  return true;
}

bool RunInstallation(InstallEnvironment& env) {
  env.progress.StopTimer();
  RegisterUninstallEntry(env.registry);
  AppendUninstallEntryRecords();
  {
    CTempArchives temps(env.files);
    if (!temps.Make(env.folders)) return false;
    if (!ExtractResourceToFile(env.resources, env.files, kProductArchiveId, temps.Path(0)) ||
        !ExtractResourceToFile(env.resources, env.files, kSystemArchiveId, temps.Path(1))) {
      return false;
    }
    // The readers are closed when this returns, before the files go.
    if (!UnpackArchives(env, temps)) return false;
  }
  WriteSettingsFile(env.files, g_installDir + "Zelmorant.ini");
  AppendRuntimeRecords();
  env.progress.SetFileLabel(SetupTextAsPath(g_text[kTextCreatingLink]));
  CreateShortcuts(env.folders, env.files, env.links);
  return true;
}

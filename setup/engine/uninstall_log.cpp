#include "setup/engine/uninstall_log.h"

#include "base/code_page.h"
#include "setup/engine/registry_key.h"
#include "setup/engine/setup_file_system.h"
#include "setup/engine/setup_paths.h"
#include "setup/engine/setup_state.h"

const std::array<const char*, kUninstallMessageCount> kUninstallMessages = {
    "A10,%s",  // formed with kProductVersion
    "A13,OK",
    "A36,Can't copy file %s to %s",
    "A42,Removing files ...",
    "A43,Are you sure you want uninstall %s?",
    "A44,Remove",
    "A45,Remove all",
    "A46,Close",
    "A47,%s will be removed after restart",
    "A48,Uninstall",
    "A49,Can't process %s",
    "A50,Uninstall succeed!",
    "A51,Future other application procedure or you will possibly need %s.Do you still delete them?",
    "A52,Can't remove %s,retry?",
    "A53,The files created befor(or after) install, and future other application procedure or you will "
    "possibly need them",
    "A54,Removing registry keys...",
    "A55,Deleting records in INI files...",
    "A58,Waiting...",
    // Ends with a full-width question mark in the Chinese code pages.
    "A80,Are you sure you want terminate the uninstall\xA3\xBF",
    "A81,Checking the installed program...",
};

bool IsAnsiPath(const std::string& path) {
  bool lossless = false;
  EncodeToCodePage(DecodeFromCodePage(path, kSetupPathCodePage), g_ansiCodePage, &lossless);
  return lossless;
}

std::string StoredPath(const std::string& path) {
  bool lossless = false;
  std::string ansi =
      EncodeToCodePage(DecodeFromCodePage(path, kSetupPathCodePage), g_ansiCodePage, &lossless);
  return lossless ? ansi : kUtf8PathMark + path;
}

namespace {

void AppendRegistryRecord(const std::string& path) {
  g_uninstallLog.WriteLine("J0,2," + StoredPath(path) + ",");
}

std::string UninstallEntryPath() { return std::string(kUninstallKeyPath) + "\\" + kProductVersion; }

}  // namespace

void OpenUninstallLog(SetupFileSystem& files) {
  std::string path = g_installDir + kUninstallLogName;
  files.SetNormalAttributes(path);
  g_uninstallLog.Attach(files.CreateAlways(path));
}

void AppendProductRecord(const std::string& release, const std::string& product) {
  AppendRegistryRecord(std::string("SOFTWARE\\Autodesk\\AutoCAD\\") + release + "\\" + product +
                       "\\Applications\\" + kProductVersion);
}

void AppendApplicationsRecord(const std::string& release, const std::string& product) {
  AppendRegistryRecord(std::string("SOFTWARE\\Autodesk\\AutoCAD\\") + release + "\\" + product +
                       "\\Applications");
}

void AppendProductKeyRecord() { AppendRegistryRecord(std::string("SOFTWARE\\") + kProductVersion); }

void AppendUninstallEntryRecords() {
  AppendRegistryRecord(UninstallEntryPath() + "\\DisplayName");
  AppendRegistryRecord(UninstallEntryPath() + "\\UninstallString");
  AppendRegistryRecord(UninstallEntryPath());
}

void AppendFileRecord(const std::string& path) { g_uninstallLog.WriteLine("P0," + StoredPath(path) + ",0"); }

void AppendRuntimeRecords() {
  for (const char* name : kRuntimeFiles) AppendFileRecord(g_installDir + name);
  AppendFolderRecord(WithoutFinalSeparator(g_installDir), "");
}

void AppendFolderRecord(const std::string& folder, const std::string& name) {
  g_uninstallLog.WriteLine("U0," + StoredPath(folder + name) + ",0");
}

void AppendCreatedFolderRecords(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) AppendFolderRecord(folder, "");
}

void WriteUninstallMessages() {
  std::string first = kUninstallMessages[0];
  first.replace(first.find("%s"), 2, kProductVersion);
  g_uninstallLog.WriteLine(first);
  for (int row = 1; row < kUninstallMessageCount; ++row) g_uninstallLog.WriteLine(kUninstallMessages[row]);
}

bool RegisterUninstallEntry(RegistryApi& registry) {
  CRegistryKey key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.Open(UninstallEntryPath(), true)) return false;
  key.WriteString("DisplayName", kProductVersion);
  key.WriteString("UninstallString", "\"" + g_installDir + "uninstall.exe\"");
  key.Close();
  return true;
}

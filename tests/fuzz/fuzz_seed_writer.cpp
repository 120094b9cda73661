// Writes seeds for the fuzz targets with the programs' own writers: the
// assistant's settings file as it saves it, and an uninstall log as the
// installer records an installation.
//
//   fuzz_seed_writer OUTPUT_FOLDER

#include <filesystem>
#include <fstream>
#include <memory>

#include "assistant/config/settings.h"
#include "setup/engine/setup_file_system.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"

namespace fs = std::filesystem;

namespace {

class CStreamFile : public OutputFile {
 public:
  explicit CStreamFile(const fs::path& path) : m_stream(path, std::ios::binary) {}
  bool Write(const void* bytes, std::size_t size) override {
    return static_cast<bool>(
        m_stream.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size)));
  }

 private:
  std::ofstream m_stream;
};

void WriteSettings(const fs::path& folder) {
  AssistantSettings defaults;
  SaveSettings(folder, defaults);
  fs::rename(folder / kSettingsFileName, folder / "default.ini");
  AssistantSettings changed;
  changed.density = 2700.5f;
  changed.factor = 1.25f;
  changed.caseSensitive = 1;
  changed.language = 936;
  changed.style = 0;
  changed.layouts[0].headRows = 3;
  changed.layouts[0].material = {27, "AA"};
  changed.layouts[1].inverseCount = {0, "0"};
  SaveSettings(folder, changed);
  fs::rename(folder / kSettingsFileName, folder / "changed.ini");
}

void WriteUninstallLog(const fs::path& file) {
  g_installDir = "C:\\Program Files\\Zelmorant10.1\\";
  g_uninstallLog.Attach(std::make_unique<CStreamFile>(file));
  AppendProductRecord("R15.0", "ACAD-1:804");
  AppendProductKeyRecord();
  AppendUninstallEntryRecords();
  for (const char* name : {"Ostrevia.exe", "ZMConfig.exe", "ZMLib.txt", "help\\index.htm", "uninstall.exe"}) {
    AppendFileRecord(g_installDir + name);
  }
  AppendFileRecord("C:\\windows\\system32\\ZMCht.dll");
  AppendRuntimeRecords();
  AppendFileRecord("C:\\users\\draughtsman\\Start Menu\\Programs\\Zelmorant10.1\\Ostrevia.lnk");
  AppendFolderRecord("C:\\users\\draughtsman\\Start Menu\\Programs\\", "Zelmorant10.1");
  WriteUninstallMessages();
  g_uninstallLog.Close();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const fs::path out = argv[1];
  fs::create_directories(out / "fuzz_settings");
  fs::create_directories(out / "fuzz_uninstall_log");
  WriteSettings(out / "fuzz_settings");
  WriteUninstallLog(out / "fuzz_uninstall_log" / "installed.ini");
  return 0;
}

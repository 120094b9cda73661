// The uninstaller over an arbitrary log, run against a machine in memory
// that holds the product, Windows' own files, the user's files and links in
// the install folder and the Start menu: whatever the log says, nothing
// outside the product's places goes, and nothing behind a link.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/memory_file_system.h"
#include "tests/unit/fakes/memory_registry.h"
#include "tools/uninstall/uninstall_log_parser.h"
#include "tools/uninstall/uninstall_paths.h"
#include "tools/uninstall/uninstall_plan.h"
#include "tools/uninstall/uninstaller.h"

namespace {

const std::string kInstall = "C:\\Program Files\\Zelmorant10.1";
const std::string kSystem = "C:\\windows\\system32";
const std::string kPrograms = "C:\\users\\draughtsman\\Start Menu\\Programs";
const std::string kGroup = kPrograms + "\\Zelmorant10.1";
const std::string kOwnProgram = kInstall + "\\uninstall.exe";

class CAnswerRetryOnce : public UninstallPrompt {
 public:
  bool AskRetry(const std::string&) override { return m_asked++ == 0; }

 private:
  int m_asked = 0;
};

void FillFiles(CMemoryFileSystem& files) {
  for (const char* name :
       {"\\uninstall.exe", "\\Ostrevia.exe", "\\ZMLib.txt", "\\help\\index.htm", "\\My BOM.xls"}) {
    files.AddFile(kInstall + name);
  }
  for (const char* name : {"\\kernel32.dll", "\\ZMCht.dll", "\\zmother.txt"}) files.AddFile(kSystem + name);
  files.AddFile(kGroup + "\\Ostrevia.lnk");
  files.AddFile(kPrograms + "\\Accessories\\Notepad.lnk");
  files.AddFile("C:\\users\\draughtsman\\Documents\\plan.dwg");
  files.AddFile("C:\\users\\draughtsman\\Documents\\drawings\\a.dwg");
  files.AddLink(kInstall + "\\docs", "C:\\users\\draughtsman\\Documents");
  files.AddLink(kInstall + "\\system", kSystem);
  files.AddLink(kInstall + "\\readme.txt", kSystem + "\\kernel32.dll");
  files.AddLink(kPrograms + "\\Zelmorant10.2", kPrograms + "\\Accessories");
}

void FillRegistry(MemoryRegistry& registry) {
  const std::string applications = "SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:804\\Applications\\";
  registry.PutString(kHkeyLocalMachine, "SOFTWARE\\Zelmorant10.1\\R15.0\\Loader", "MODULE", "x");
  registry.PutString(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Tool", "x");
  registry.PutString(kHkeyLocalMachine, applications + "Zelmorant10.1", "LOADER", "x");
  registry.PutString(kHkeyLocalMachine, applications + "Other", "LOADER", "x");
}

// What the product may lose: its install folder (the links in it included,
// but not what they point to), its libraries in the system folder, its
// Start-menu group. The dump's lines read "F path", "D path" or "L path".
bool IsProductFile(const std::string& line) {
  const std::string path = line.substr(2);
  if (SamePath(path, kInstall) || IsStrictlyInside(path, kInstall)) return true;
  if (SamePath(ParentPath(path), kSystem)) return FoldCase(LastComponent(path)).starts_with("zm");
  return SamePath(path, kGroup) || IsStrictlyInside(path, kGroup);
}

// The registry's dump lines read "path" for a key and "path [name] type:data"
// for a value.
bool IsProductKey(std::string_view line) {
  const std::string key(line.substr(0, line.find(" [")));
  const std::vector<std::string_view> parts = SplitPath(key);
  for (size_t i = 1; i < parts.size(); ++i) {
    if (SamePath(parts[i], "Zelmorant10.1")) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ParsedUninstallLog log =
      ParseUninstallLog(std::string_view(reinterpret_cast<const char*>(data), size));
  // The files are made once and each input gets a copy; the registry's few
  // keys are made anew.
  static const struct Files {
    CMemoryFileSystem files;
    std::set<std::string> before;
  } machine = [] {
    Files made;
    FillFiles(made.files);
    made.before = made.files.Dump();
    return made;
  }();
  CMemoryFileSystem files = machine.files;
  const std::set<std::string>& filesBefore = machine.before;
  MemoryRegistry registry;
  FillRegistry(registry);
  const std::vector<std::string> registryBefore = registry.Dump(kHkeyLocalMachine);

  static const CRemovalPolicy policy(ProductPlaces{kInstall, kSystem, {kPrograms}}, "Zelmorant10.1");
  const UninstallPlan plan = BuildUninstallPlan(log.records, policy);
  CAnswerRetryOnce prompt;
  CUninstaller uninstaller(UninstallServices{files, registry, prompt}, policy, kOwnProgram);
  const UninstallReport report = uninstaller.Run(plan);
  ComposeReportText(report, log.messages);

  const std::set<std::string> filesAfter = files.Dump();
  for (const std::string& line : filesBefore) {
    FailIf(!filesAfter.contains(line) && !IsProductFile(line),
           "something outside the product's places, or behind a link, was removed");
  }
  const std::vector<std::string> registryAfter = registry.Dump(kHkeyLocalMachine);
  const std::set<std::string> registryLeft(registryAfter.begin(), registryAfter.end());
  for (const std::string& line : registryBefore) {
    FailIf(!registryLeft.contains(line) && !IsProductKey(line),
           "a registry item not named after the product was removed");
  }
  return 0;
}

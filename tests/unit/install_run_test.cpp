#include "setup/engine/installation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "setup/engine/demand_load.h"
#include "setup/engine/setup_paths.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"
#include "tests/unit/fakes/memory_registry.h"
#include "tests/unit/fakes/setup_fakes.h"
#include "tests/unit/fakes/setup_zip_writer.h"
#include "tests/unit/test_support.h"
#include "tests/unit/uninstall_messages_expected.h"

namespace {

const std::vector<TestZipEntry> kProductEntries = {
    {"ZMLib.txt", "[Material]\r\nL50*5\r\n"},
    {"help/", ""},
    {"Ostrevia.exe", std::string(3000, 'M')},
};
const std::vector<TestZipEntry> kSystemEntries = {{"ZMCht.dll", "system library"}};

class InstallRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(1252);
    g_installDir = TestFolder(m_temp.Path(), "inst");
    m_system = TestFolder(m_temp.Path(), "sys");
    m_folders.systemFolder = m_system;
    m_folders.tempFolder = TestFolder(m_temp.Path(), "temp");
    m_folders.programsFolder = TestFolder(m_temp.Path(), "progs");
    SetArchives(kProductEntries, kSystemEntries);
  }
  void SetArchives(const std::vector<TestZipEntry>& product, const std::vector<TestZipEntry>& system) {
    m_resources.resources[kProductArchiveId] = WriteTestZip(m_temp.Path() / "product.zip", product);
    m_resources.resources[kSystemArchiveId] = WriteTestZip(m_temp.Path() / "system.zip", system);
  }
  bool Run() {
    if (!g_uninstallLog.IsOpen()) OpenUninstallLog(m_files);
    InstallEnvironment env{m_registry, m_files, m_folders, m_resources, m_links, m_progress, m_pacer};
    return RunInstallation(env);
  }
  std::string Log() {
    g_uninstallLog.Close();
    return ReadTestFile(g_installDir + kUninstallLogName);
  }
  bool TempFilesRemain() const {
    for (const std::string& path : m_folders.privateFolders) {
      if (std::filesystem::exists(NativePath(path))) return true;
    }
    return false;
  }
  std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
  }

  CSetupStateGuard m_guard;
  CTempFolder m_temp;
  std::string m_system;
  MemoryRegistry m_registry;
  CSetupTestFiles m_files;
  CFakeSystemFolders m_folders;
  CFakeResources m_resources;
  CFakeShellLinks m_links;
  CRecordingProgress m_progress;
  CCountingPacer m_pacer;
};

const char kEntryRecords[] =
    "J0,2,Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1\\DisplayName,\r\n"
    "J0,2,Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1\\UninstallString,\r\n"
    "J0,2,Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1,\r\n";

}  // namespace

TEST_F(InstallRunTest, CompleteLogOfASuccessfulInstallation) {
  OpenUninstallLog(m_files);
  RegisterCheckedProducts(m_registry, {{"R15.0", "ACAD-1:409", "AutoCAD 2002", "English"},
                                       {"R16.2", "ACAD-4001:804", "AutoCAD 2006", "Chinese"}});
  ASSERT_TRUE(Run());

  const std::string& dir = g_installDir;
  std::string group = m_folders.programsFolder + "Zelmorant10.1";
  std::string expected = Lines({
      // The registration made each "Applications" key: it is logged after
      // the product's own key below it.
      "J0,2,SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409\\Applications\\Zelmorant10.1,",
      "J0,2,SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409\\Applications,",
      "J0,2,SOFTWARE\\Autodesk\\AutoCAD\\R16.2\\ACAD-4001:804\\Applications\\Zelmorant10.1,",
      "J0,2,SOFTWARE\\Autodesk\\AutoCAD\\R16.2\\ACAD-4001:804\\Applications,",
      "J0,2,SOFTWARE\\Zelmorant10.1,",
  });
  expected += kEntryRecords;
  expected += Lines({
      "P0," + dir + "ZMLib.txt,0",
      "P0," + dir + "Ostrevia.exe,0",
      "P0," + m_system + "ZMCht.dll,0",
      "P0," + dir + "Zelmorant.ini,0",
      "P0," + dir + "replace.txt,0",
      "P0," + dir + "Ostrevia.ini,0",
      "P0," + dir + "uninstall.ini,0",
      "U0," + dir.substr(0, dir.size() - 1) + ",0",
      "P0," + group + "\\Ostrevia.lnk,0",
      "P0," + group + "\\Zelmorant Help.lnk,0",
      "P0," + group + "\\Zelmorant Config.lnk,0",
      "P0," + group + "\\Uninstall Zelmorant.lnk,0",
      "U0," + group + ",0",
  });
  for (const char* message : kExpectedUninstallMessages) expected += std::string(message) + "\r\n";
  EXPECT_EQ(Log(), expected);
}

TEST_F(InstallRunTest, UnpacksBothArchivesWithProgressAndPacing) {
  ASSERT_TRUE(Run());
  EXPECT_EQ(ReadTestFile(g_installDir + "ZMLib.txt"), "[Material]\r\nL50*5\r\n");
  EXPECT_EQ(ReadTestFile(g_installDir + "Ostrevia.exe"), std::string(3000, 'M'));
  EXPECT_EQ(ReadTestFile(m_system + "ZMCht.dll"), "system library");
  EXPECT_FALSE(std::filesystem::exists(NativePath(g_installDir + "help"))) << "folders are never created";
  EXPECT_EQ(ReadTestFile(g_installDir + "Zelmorant.ini").substr(0, 12), "Command=zm\r\n");
  EXPECT_EQ(m_links.links.size(), 4u);

  EXPECT_EQ(m_progress.events, (std::vector<std::string>{
                                   "stop",
                                   "range 0 4",
                                   "position 0",
                                   "label Copy File:" + g_installDir + "ZMLib.txt",
                                   "position 2",
                                   "label Copy File:" + g_installDir + "Ostrevia.exe",
                                   "position 3",
                                   "label Copy File:" + m_system + "ZMCht.dll",
                                   "label Creating link...",
                               }));
  EXPECT_EQ(m_pacer.pauses, (std::vector<int>{10, 10, 10}));
  EXPECT_EQ(m_folders.privateFolders.size(), 1u);
  EXPECT_FALSE(TempFilesRemain());
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1";
  EXPECT_EQ(m_registry.Text(kHkeyLocalMachine, key, "UninstallString"),
            "\"" + g_installDir + "uninstall.exe\"");
}

// The label joins the language's text and a path: both as UTF-8.
TEST_F(InstallRunTest, LabelUsesTheLanguagesCopyText) {
  SetLanguage(950);
  ASSERT_TRUE(Run());
  EXPECT_EQ(m_progress.events.at(3), "label 復制文件:" + g_installDir + "ZMLib.txt");
  EXPECT_EQ(m_progress.events.back(), "label 正在創建快截方式...");
}

TEST_F(InstallRunTest, ExistingFilesAreOverwrittenAndTruncated) {
  m_temp.WriteFile("inst/ZMLib.txt", std::string(10000, 'o'));
  m_temp.WriteFile("sys/ZMCht.dll", std::string(10000, 'o'));
  ASSERT_TRUE(Run());
  EXPECT_EQ(ReadTestFile(g_installDir + "ZMLib.txt"), "[Material]\r\nL50*5\r\n");
  EXPECT_EQ(ReadTestFile(m_system + "ZMCht.dll"), "system library");
}

TEST_F(InstallRunTest, ArchivesOfFoldersOnlyGiveNoFilesButSucceed) {
  SetArchives({{"docs/", ""}, {"docs/sub/", ""}}, {{"x\\", ""}});
  ASSERT_TRUE(Run());
  EXPECT_EQ(m_progress.events, (std::vector<std::string>{"stop", "range 0 3", "label Creating link..."}));
  EXPECT_TRUE(m_pacer.pauses.empty());
  std::string log = Log();
  EXPECT_EQ(log.find("P0," + g_installDir + "docs"), std::string::npos);
  EXPECT_NE(log.find("P0," + g_installDir + "Zelmorant.ini,0"), std::string::npos);
}

TEST_F(InstallRunTest, ATargetThatCannotBeCreatedEndsTheRun) {
  m_files.locked.insert(g_installDir + "Ostrevia.exe");
  EXPECT_FALSE(Run());
  EXPECT_EQ(Log(), kEntryRecords + Lines({"P0," + g_installDir + "ZMLib.txt,0"}));
  EXPECT_FALSE(std::filesystem::exists(NativePath(g_installDir + "Zelmorant.ini")));
  EXPECT_FALSE(std::filesystem::exists(NativePath(m_system + "ZMCht.dll")));
  EXPECT_TRUE(m_links.links.empty());
  EXPECT_EQ(m_progress.events.back(), "label Copy File:" + g_installDir + "Ostrevia.exe");
  EXPECT_FALSE(TempFilesRemain());
}

TEST_F(InstallRunTest, AnEntryInAMissingSubfolderEndsTheRun) {
  SetArchives({{"ZMLib.txt", "lib"}, {"missing/file.txt", "x"}}, kSystemEntries);
  EXPECT_FALSE(Run());
  EXPECT_EQ(Log(), kEntryRecords + Lines({"P0," + g_installDir + "ZMLib.txt,0"}));
}

TEST_F(InstallRunTest, AnEntryThatFailsToExtractShowsTheReadersText) {
  std::vector<TestZipEntry> system = {{"good.dll", "fine"}, {"bad.dll", "DAMAGED-ENTRY-CONTENT", true}};
  SetArchives(kProductEntries, system);
  std::string& bytes = m_resources.resources[kSystemArchiveId];
  std::size_t at = bytes.find("DAMAGED-ENTRY-CONTENT");
  ASSERT_NE(at, std::string::npos);
  bytes[at] = 'X';  // the stored CRC no longer matches
  EXPECT_FALSE(Run());
  ASSERT_GE(m_progress.events.size(), 2u);
  const std::string& message = m_progress.events.back();
  EXPECT_EQ(message.rfind("message ", 0), 0u) << message;
  EXPECT_GT(message.size(), 8u);
  EXPECT_EQ(Log(), kEntryRecords +
                       Lines({"P0," + g_installDir + "ZMLib.txt,0", "P0," + g_installDir + "Ostrevia.exe,0",
                              "P0," + m_system + "good.dll,0"}));
  EXPECT_FALSE(TempFilesRemain());
}

TEST_F(InstallRunTest, MissingResourcesAndUnreadableArchivesFailBeforeAnyFile) {
  const struct {
    const char* what;
    int id;
    bool remove;
  } cases[] = {
      {"no product archive", kProductArchiveId, true},
      {"no system archive", kSystemArchiveId, true},
      {"empty product archive", kProductArchiveId, false},
      {"empty system archive", kSystemArchiveId, false},
  };
  for (const auto& c : cases) {
    SetArchives(kProductEntries, kSystemEntries);
    if (c.remove) {
      m_resources.resources.erase(c.id);
    } else {
      m_resources.resources[c.id].clear();
    }
    EXPECT_FALSE(Run()) << c.what;
    EXPECT_EQ(Log(), kEntryRecords) << c.what;
    EXPECT_FALSE(std::filesystem::exists(NativePath(g_installDir + "ZMLib.txt"))) << c.what;
    EXPECT_FALSE(TempFilesRemain()) << c.what;
  }
}

TEST_F(InstallRunTest, NoTemporaryFolderFailsTheRun) {
  m_folders.tempFolder.clear();
  EXPECT_FALSE(Run());
  EXPECT_EQ(Log(), kEntryRecords);
}

TEST_F(InstallRunTest, WithoutALogTheRunWritesNoRecordsAndStillInstalls) {
  InstallEnvironment env{m_registry, m_files, m_folders, m_resources, m_links, m_progress, m_pacer};
  ASSERT_FALSE(g_uninstallLog.IsOpen());
  ASSERT_TRUE(RunInstallation(env));
  EXPECT_FALSE(std::filesystem::exists(NativePath(g_installDir + kUninstallLogName)));
  EXPECT_EQ(ReadTestFile(m_system + "ZMCht.dll"), "system library");
  EXPECT_EQ(m_links.links.size(), 4u);
}

// Entry names that would leave the target folder fail the run like a file
// that cannot be created, and nothing lands outside.
TEST_F(InstallRunTest, UnsafeEntryNamesFailTheRunAndWriteNothingOutside) {
  const char* names[] = {"../escape.txt",   "..\\escape.txt", "sub/../../escape.txt",
                         "...\\escape.txt", "C:escape.txt",   "ZMLib.txt:stream"};
  for (const char* name : names) {
    SetArchives({{name, "outside"}}, kSystemEntries);
    EXPECT_FALSE(Run()) << name;
    EXPECT_EQ(Log(), kEntryRecords) << name;
    EXPECT_FALSE(std::filesystem::exists(m_temp.Path() / "escape.txt")) << name;
  }
  SetArchives(kProductEntries, {{"../escape.txt", "outside"}});
  EXPECT_FALSE(Run());
  EXPECT_FALSE(std::filesystem::exists(m_temp.Path() / "escape.txt"));
}

TEST(IsSafeEntryName, AcceptsOnlyNamesInsideTheFolder) {
  const struct {
    const char* name;
    bool safe;
  } cases[] = {
      {"ZMLib.txt", true},
      {"docs/readme.txt", true},
      {"docs\\readme.txt", true},
      {"a..b.txt", true},
      {"..txt", true},
      {"./x", true},
      {"..", false},
      {"../x", false},
      {"a/../../x", false},
      {"a\\..\\x", false},
      {".. /x", false},
      {"/etc/x", false},
      {"\\x", false},
      {"C:x", false},
      {"C:\\x", false},
      {"x:ads", false},
      {"\\\\server\\x", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSafeEntryName(c.name), c.safe) << c.name;
}

// Paths are UTF-8 in every language: "許", whose Big5 trail byte is a
// backslash, is no separator.
TEST(SetupPaths, FinalSeparatorsAreCharactersNotBytes) {
  CSetupStateGuard guard;
  SetLanguage(950);
  const std::string bare = "C:\\許";
  EXPECT_FALSE(EndsWithSeparator(bare));
  EXPECT_EQ(WithSeparator(bare), bare + "\\");
  EXPECT_EQ(WithoutFinalSeparator(bare), bare);
  EXPECT_EQ(WithoutFinalSeparator(bare + "\\"), bare);
  EXPECT_EQ(WithSeparator("C:\\Zm/"), "C:\\Zm/");
}

// A file placed under the archive's name beforehand is never opened.
TEST(ExtractResourceToFile, WritesTheWholeResourceIntoANewFileOnly) {
  CTempFolder temp;
  CSetupTestFiles files;
  CFakeResources resources;
  resources.resources[139] = std::string("bytes\0with zero", 15);
  std::string folder = TestFolder(temp.Path(), "t");
  EXPECT_TRUE(ExtractResourceToFile(resources, files, 139, folder + "out.tmp"));
  EXPECT_EQ(ReadTestFile(folder + "out.tmp"), std::string("bytes\0with zero", 15));
  EXPECT_FALSE(ExtractResourceToFile(resources, files, 140, folder + "none.tmp"));

  temp.WriteFile("t/planted.tmp", "planted");
  EXPECT_FALSE(ExtractResourceToFile(resources, files, 139, folder + "planted.tmp"));
  EXPECT_EQ(ReadTestFile(folder + "planted.tmp"), "planted");
}

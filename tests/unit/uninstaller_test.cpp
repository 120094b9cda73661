#include "tools/uninstall/uninstaller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "setup/engine/demand_load.h"
#include "setup/engine/installation.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"
#include "tests/unit/fakes/memory_registry.h"
#include "tests/unit/fakes/setup_fakes.h"
#include "tests/unit/fakes/setup_zip_writer.h"
#include "tests/unit/test_support.h"
#include "tools/uninstall/uninstall_log_parser.h"
#include "tools/uninstall/uninstall_paths.h"

namespace {

// Drive D: of the test machine lies in a test folder (see CSetupTestFiles).
const std::string kInstall = "D:\\Program Files\\Zelmorant10.1";
const std::string kOwnProgram = kInstall + "\\uninstall.exe";
const std::string kSystem = "D:\\windows\\system32";
const std::string kPrograms = "D:\\users\\draughtsman\\Start Menu\\Programs";
const std::string kGroup = kPrograms + "\\Zelmorant10.1";
const std::vector<TestZipEntry> kProductEntries = {
    {"Ostrevia.exe", "assistant"},        {"ZMConfig.exe", "settings"},
    {"ZMLib.txt", "[Material]"},          {"Zelmorant2000.arx", "add-in 2000"},
    {"Zelmorant2007.arx", "add-in 2007"}, {"uninstall.exe", "uninstaller"}};

// A machine with two CAD products (each with another add-in registered) and
// Windows' own files, before the product is installed.
class UninstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(1252);
    for (const char* product : {"SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:804",
                                "SOFTWARE\\Autodesk\\AutoCAD\\R17.1\\ACAD-6001:409"}) {
      m_registry.PutString(kHkeyLocalMachine, product, "ProductName", "AutoCAD");
      m_registry.PutString(kHkeyLocalMachine, std::string(product) + "\\Applications\\Other", "LOADER", "x");
    }
    m_registry.PutString(kHkeyLocalMachine, kUninstallKeyPath, "", "");
    m_files.AddFile(kSystem + "\\kernel32.dll");
    m_files.AddFile(kSystem + "\\ZMOther.txt");
    m_files.AddFolder(kPrograms + "\\Accessories");
    m_files.AddFolder("D:\\Program Files");
    m_folders.systemFolder = kSystem;
    m_folders.programsFolder = kPrograms;
    m_folders.tempFolder = TestFolder(m_temp.Path(), "temp");
    m_resources.resources[kProductArchiveId] = WriteTestZip(m_temp.Path() / "product.zip", kProductEntries);
    m_resources.resources[kSystemArchiveId] =
        WriteTestZip(m_temp.Path() / "system.zip", {{"ZMCht.dll", "system library"}});
    m_links.files = &m_files;
  }

  // Installs as the wizard does: the folder the user chose, the products
  // checked on the setting page, then the installation run. Returns the log.
  std::string Install() {
    m_filesBefore = m_files.Dump();
    m_registryBefore = m_registry.Dump(kHkeyLocalMachine);
    g_installDir = kInstall + "\\";
    m_files.AddFolder(kInstall);
    OpenUninstallLog(m_files);
    RegisterCheckedProducts(m_registry, {{"R15.0", "ACAD-1:804", "AutoCAD 2000", "Chinese"},
                                         {"R17.1", "ACAD-6001:409", "AutoCAD 2008", "English"}});
    InstallEnvironment env{m_registry, m_files, m_folders, m_resources, m_links, m_progress, m_pacer};
    EXPECT_TRUE(RunInstallation(env));
    g_uninstallLog.Close();
    return m_files.Read(kInstall + "\\uninstall.ini");
  }

  UninstallReport Uninstall(const std::string& log) {
    ParsedUninstallLog parsed = ParseUninstallLog(log);
    CUninstaller uninstaller(UninstallServices{m_files, m_registry, m_prompt, &m_shown}, m_policy,
                             kOwnProgram);
    return uninstaller.Run(BuildUninstallPlan(parsed.records, m_policy));
  }

  CSetupStateGuard m_guard;
  CTempFolder m_temp;
  MemoryRegistry m_registry;
  CSetupTestFiles m_files{'D', m_temp.Path() / "D"};
  CFakeSystemFolders m_folders;
  CFakeResources m_resources;
  CFakeShellLinks m_links;
  CRecordingProgress m_progress;
  CCountingPacer m_pacer;
  CScriptedPrompt m_prompt;
  // The stages and items the uninstaller showed: "42/13" is row 42 with 13
  // items, then one line per item.
  struct CRecordingUninstallProgress : UninstallProgress {
    void BeginStage(int row, int total) override {
      shown.push_back(std::to_string(row) + "/" + std::to_string(total));
    }
    void ItemDone(const std::string& item) override { shown.push_back(item); }
    std::vector<std::string> shown;
  } m_shown;
  CRemovalPolicy m_policy{ProductPlaces{kInstall, kSystem, {kPrograms}}, kUninstallProductName};
  std::set<std::string> m_filesBefore;
  std::vector<std::string> m_registryBefore;
};

}  // namespace

TEST_F(UninstallerTest, TheInstallersLogRemovesExactlyWhatTheInstallerMade) {
  std::string log = Install();
  ASSERT_NE(m_files.Dump(), m_filesBefore);
  ASSERT_NE(m_registry.Dump(kHkeyLocalMachine), m_registryBefore);
  UninstallReport report = Uninstall(log);

  EXPECT_EQ(m_registry.Dump(kHkeyLocalMachine), m_registryBefore);
  // The running program and then its folder go at restart, in that order.
  std::set<std::string> expected = m_filesBefore;
  expected.insert({"F " + kOwnProgram, "D " + kInstall});
  EXPECT_EQ(m_files.Dump(), expected);
  EXPECT_EQ(m_files.atRestart, (std::vector<std::string>{kOwnProgram, kInstall}));
  EXPECT_EQ(report.atRestart, m_files.atRestart);
  EXPECT_TRUE(report.Complete());
  EXPECT_TRUE(report.keptFolders.empty());
  EXPECT_TRUE(report.keptKeys.empty());
  EXPECT_EQ(report.missing, 2);  // replace.txt and Ostrevia.ini were never made
  EXPECT_TRUE(m_prompt.asked.empty());
  // Every item is shown once, files and folders first, then the registry.
  const std::vector<std::string>& shown = m_shown.shown;
  auto registryStage = std::find(shown.begin(), shown.end(), "54/6");
  ASSERT_NE(registryStage, shown.end());
  EXPECT_EQ(shown.front(), "42/" + std::to_string(registryStage - shown.begin() - 1));
  EXPECT_EQ(shown.end() - registryStage - 1, 6);
  EXPECT_EQ(shown.back(), std::string(kUninstallKeyPath) + "\\Zelmorant10.1");

  CUninstallMessages messages;
  EXPECT_EQ(ComposeReportText(report, messages), "Uninstall succeed!\n\n" + kOwnProgram +
                                                     " will be removed after restart\n\n" + kInstall +
                                                     " will be removed after restart");
}

TEST_F(UninstallerTest, TheUsersOwnFilesKeepTheirFolderAndAreReported) {
  std::string log = Install();
  m_files.AddFile(kInstall + "\\My BOM.xls");
  m_files.AddFile(kInstall + "\\Drawings\\plan.dwg");
  UninstallReport report = Uninstall(log);

  EXPECT_EQ(m_files.Kind(kInstall + "\\My BOM.xls"), PathKind::kFile);
  EXPECT_EQ(m_files.Kind(kInstall + "\\Drawings\\plan.dwg"), PathKind::kFile);
  EXPECT_EQ(m_files.Kind(kInstall + "\\ZMLib.txt"), PathKind::kMissing);
  ASSERT_EQ(report.keptFolders.size(), 1u);
  EXPECT_EQ(report.keptFolders[0].path, kInstall);
  EXPECT_EQ(report.keptFolders[0].contents,
            (std::vector<std::string>{"Drawings", "My BOM.xls", "uninstall.exe"}));
  EXPECT_EQ(m_files.atRestart, std::vector<std::string>{kOwnProgram});  // not the folder
  EXPECT_TRUE(report.Complete());

  std::string text = ComposeReportText(report, CUninstallMessages());
  EXPECT_TRUE(text.starts_with("Uninstall succeed!\n\nThe files created befor(or after) install")) << text;
  EXPECT_NE(text.find("\n  " + kInstall + "\n    Drawings\n    My BOM.xls\n"), std::string::npos) << text;
}

TEST_F(UninstallerTest, MissingAndStubbornItemsDoNotStopTheRest) {
  std::string log = Install();
  ASSERT_TRUE(m_files.RemoveFile(kInstall + "\\ZMLib.txt"));
  ASSERT_EQ(m_registry.DeleteTree(kHkeyLocalMachine, "SOFTWARE\\Zelmorant10.1"), kRegistrySuccess);
  const std::string busy = kInstall + "\\Ostrevia.exe";
  const std::string stubborn = kInstall + "\\ZMConfig.exe";
  m_files.locked = {busy, stubborn};
  // The user closes the running assistant and retries once; the other file
  // stays locked and the user gives up after one retry.
  m_prompt.answer = [&](const std::string& path) {
    m_files.locked.erase(busy);
    return path == busy || m_prompt.asked.size() < 3;
  };
  m_files.restartRefused = true;
  UninstallReport report = Uninstall(log);

  EXPECT_EQ(m_prompt.asked, (std::vector<std::string>{busy, stubborn, stubborn}));
  EXPECT_EQ(m_files.Kind(busy), PathKind::kMissing);
  EXPECT_EQ(report.failed, (std::vector<std::string>{stubborn, kOwnProgram}));
  EXPECT_EQ(m_files.Kind(kInstall + "\\Zelmorant2007.arx"), PathKind::kMissing);
  EXPECT_EQ(m_files.Kind(kGroup), PathKind::kMissing);
  EXPECT_EQ(m_registry.Dump(kHkeyLocalMachine), m_registryBefore);
  EXPECT_FALSE(report.Complete());

  std::string text = ComposeReportText(report, CUninstallMessages());
  EXPECT_TRUE(
      text.starts_with("Uninstall did not finish. These items could not be removed:\n  Can't process " +
                       stubborn + "\n  Can't process " + kOwnProgram))
      << text;
  EXPECT_EQ(text.find("Uninstall succeed!"), std::string::npos);
}

TEST_F(UninstallerTest, AKeyNotNamedAfterTheProductGoesOnlyWithoutSubkeys) {
  std::string log =
      "J0,2,SOFTWARE\\Zelmorant10.1\\R15.0\\Name,\r\nJ0,2,SOFTWARE\\Zelmorant10.1\\R15.0,\r\n" + Install();
  UninstallReport report = Uninstall(log);
  EXPECT_EQ(report.keptKeys, std::vector<std::string>{"SOFTWARE\\Zelmorant10.1\\R15.0"});
  EXPECT_TRUE(report.failed.empty());
  // SOFTWARE\Zelmorant10.1 comes later and takes its whole tree along.
  EXPECT_EQ(m_registry.Dump(kHkeyLocalMachine), m_registryBefore);
  EXPECT_NE(
      ComposeReportText(report, CUninstallMessages()).find("kept because they hold other keys:\n  SOFTWARE"),
      std::string::npos);
}

// Whatever a damaged or altered log names, only the product's own places
// are touched: everything here exists and must survive.
TEST_F(UninstallerTest, ALogNamingOtherPlacesRemovesNothingThere) {
  const std::vector<std::string> files = {kSystem + "\\kernel32.dll",
                                          "D:\\Program Files\\Zelmorant10.1 Backup\\data.txt",
                                          "D:\\Program Files\\Other\\data.txt",
                                          kPrograms + "\\Accessories\\Notepad.lnk",
                                          kGroup + "\\tool.exe",
                                          "D:\\autoexec.bat"};
  const std::vector<std::string> folders = {"D:\\Program Files", kSystem, kPrograms,
                                            kPrograms + "\\Accessories",
                                            "D:\\Program Files\\Zelmorant10.1 Backup"};
  std::string log;
  for (const std::string& file : files) {
    m_files.AddFile(file);
    log += "P0," + file + ",0\r\n";
  }
  for (const std::string& folder : folders) {
    m_files.AddFolder(folder);
    log += "U0," + folder + ",0\r\n";
  }
  for (const char* record :
       {"P0,D:\\Program Files\\Zelmorant10.1\\..\\Other\\data.txt,0", "U0,D:\\,0", "U0,D:,0",
        "P0,\\\\server\\share\\Zelmorant10.1\\a.txt,0", "P0,Zelmorant10.1\\ZMLib.txt,0",
        "P0,D:/Program Files/Other/data.txt,0", "P0,D:\\Program Files\\Zelmorant10.1\\*,0",
        "P0,D:\\Program Files\\Zelmorant10.1\\ZMLib.txt:stream,0"}) {
    log += std::string(record) + "\r\n";
  }
  for (const char* key :
       {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Zelmorant10.1", "SOFTWARE\\Zelmorant10.1"}) {
    m_registry.PutString(kHkeyLocalMachine, key, "Tool", "kept");
  }
  for (const char* record :
       {"J0,2,SOFTWARE,", "J0,2,SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Tool,",
        "J0,2,Zelmorant10.1,", "J0,1,SOFTWARE\\Zelmorant10.1,", "J0,2,\\SOFTWARE\\Zelmorant10.1,",
        "J0,2,SOFTWARE\\\\Zelmorant10.1,"}) {
    log += std::string(record) + "\r\n";
  }
  std::set<std::string> filesBefore = m_files.Dump();
  std::vector<std::string> registryBefore = m_registry.Dump(kHkeyLocalMachine);

  UninstallReport report = Uninstall(log);
  EXPECT_EQ(m_files.Dump(), filesBefore);
  EXPECT_EQ(m_registry.Dump(kHkeyLocalMachine), registryBefore);
  EXPECT_EQ(report.removed, 0);
  // D:\Program Files lies above the install folder: not refused, but kept,
  // as it is not empty.
  EXPECT_EQ(report.refused.size(), files.size() + folders.size() - 1 + 8 + 6);
  EXPECT_FALSE(report.Complete());
  std::string text = ComposeReportText(report, CUninstallMessages());
  EXPECT_NE(text.find("outside the product's folders"), std::string::npos);
  EXPECT_NE(text.find(kSystem + "\\kernel32.dll"), std::string::npos);
}

// Anyone who may write to the install folder or the Start menu can put a
// junction or symbolic link where the log expects a file or folder: the
// link goes, what it points to stays, and nothing behind it is touched.
TEST_F(UninstallerTest, ALinkGoesAsItselfAndNothingBehindItIsTouched) {
#ifdef _WIN32
  GTEST_SKIP() << "Wine makes no symbolic links that it reports as links; the Wine end-to-end test has them";
#endif
  const std::string documents = "D:\\users\\draughtsman\\Documents";
  std::string log = Install() + "P0," + kInstall + "\\help\\plan.dwg,0\r\nU0," + kInstall + "\\help,0\r\n";
  m_files.AddFile(documents + "\\plan.dwg");
  m_files.AddLink(kInstall + "\\help", documents);
  ASSERT_TRUE(m_files.RemoveFile(kInstall + "\\ZMLib.txt"));
  m_files.AddLink(kInstall + "\\ZMLib.txt", kSystem + "\\kernel32.dll");
  // The Start-menu group becomes a link to the system folder, which holds a
  // file by the name of one of the shortcuts.
  std::vector<std::string> behindLinks;
  for (const auto& [target, shortcut] : m_links.links) {
    ASSERT_TRUE(m_files.RemoveFile(shortcut));
    behindLinks.push_back(shortcut);
  }
  ASSERT_TRUE(m_files.RemoveEmptyFolder(kGroup));
  m_files.AddLink(kGroup, kSystem);
  const std::string lookalike = kSystem + "\\" + std::string(LastComponent(behindLinks.at(0)));
  m_files.AddFile(lookalike);
  behindLinks.push_back(kInstall + "\\help\\plan.dwg");

  UninstallReport report = Uninstall(log);
  std::set<std::string> expected = m_filesBefore;
  expected.insert({"D " + documents, "F " + documents + "\\plan.dwg", "F " + lookalike, "F " + kOwnProgram,
                   "D " + kInstall});
  EXPECT_EQ(m_files.Dump(), expected);
  EXPECT_EQ(report.refused, behindLinks);
  EXPECT_TRUE(report.failed.empty());
}

TEST(RemovalPolicy, AnInstallFolderAtADriveRootGrantsNothing) {
  CRemovalPolicy policy(ProductPlaces{"D:\\", kSystem, {kPrograms}}, kUninstallProductName);
  EXPECT_FALSE(policy.MayRemoveFile("D:\\ZMLib.txt"));
  EXPECT_FALSE(policy.MayRemoveFolder("D:\\Zelmorant10.1"));
  EXPECT_TRUE(policy.MayRemoveFile(kSystem + "\\zmcht.DLL"));
  EXPECT_TRUE(policy.MayRemoveFile(kGroup + "\\Ostrevia.LNK"));
}

TEST(UninstallPlan, FoldersDeepestFirstAndEveryItemOnce) {
  CRemovalPolicy policy(ProductPlaces{kInstall, kSystem, {kPrograms}}, kUninstallProductName);
  std::vector<UninstallRecord> records = {
      {RecordKind::kFolder, kInstall},       {RecordKind::kFolder, kInstall + "\\help"},
      {RecordKind::kFile, kInstall + "\\a"}, {RecordKind::kFolder, kInstall + "\\help\\img"},
      {RecordKind::kFile, kInstall + "\\A"}, {RecordKind::kFolder, "D:\\PROGRAM FILES\\ZELMORANT10.1"},
      {RecordKind::kFolder, kGroup},         {RecordKind::kRegistry, "SOFTWARE\\Zelmorant10.1", 2}};
  UninstallPlan plan = BuildUninstallPlan(records, policy);
  EXPECT_EQ(plan.files, std::vector<std::string>{kInstall + "\\a"});
  EXPECT_EQ(plan.folders,
            (std::vector<std::string>{kGroup, kInstall + "\\help\\img", kInstall + "\\help", kInstall}));
  EXPECT_EQ(plan.registryItems, std::vector<std::string>{"SOFTWARE\\Zelmorant10.1"});
  EXPECT_TRUE(plan.refused.empty());
}

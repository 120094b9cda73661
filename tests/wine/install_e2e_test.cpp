// Install.exe end to end: a fresh Wine prefix seeded with CAD product keys,
// the wizard driven from outside as a person would, then the registry, the
// files and the shortcuts it left behind.

#include <windows.h>
// After windows.h, which it needs.
#include <aclapi.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "setup/engine/win32_folder_security.h"
#include "setup/res/install_resource.h"
#include "tests/unit/uninstall_messages_expected.h"
#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/file_links.h"
#include "tests/wine/install_e2e_support.h"
#include "tests/wine/prefix_snapshot.h"
#include "tools/uninstall/uninstall_resource.h"
#include "winfx/module_path.h"

namespace fs = std::filesystem;
using namespace uidriver;

namespace {

const std::wstring kFolder = L"C:\\ZM Test\\Zelmorant10.1";
constexpr int kSheetField = 1009;
constexpr int kSettingsButton = 1005;
constexpr int kDensityField = 1018;
constexpr LRESULT kMainHelpTopics = 9;
constexpr LRESULT kSettingsHelpTopics = 2;
const std::wstring kAcadKey = L"SOFTWARE\\Autodesk\\AutoCAD";

void ExpectRegPathForm(const std::wstring& release, const std::wstring& product, const std::wstring& module) {
  std::wstring application = kAcadKey + L"\\" + release + L"\\" + product + L"\\Applications\\Zelmorant10.1";
  EXPECT_EQ(ReadDword(application, L"LOADCTRLS"), 2u) << fs::path(release).string();
  EXPECT_EQ(ReadString(application, L"REGPATH"),
            L"\\\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmorant10.1\\" + release);
  std::wstring own = L"SOFTWARE\\Zelmorant10.1\\" + release;
  EXPECT_EQ(ReadString(own + L"\\Loader", L"MODULE"), module);
  EXPECT_EQ(ReadString(own + L"\\Name", L"Zelmorant10.1"), L"Zelmorant10.1");
  EXPECT_EQ(ReadString(own + L"\\Commands", L"zm"), L"zm");
}

void ExpectLoaderForm(const std::wstring& release, const std::wstring& product, const std::wstring& module) {
  std::wstring application = kAcadKey + L"\\" + release + L"\\" + product + L"\\Applications\\Zelmorant10.1";
  EXPECT_EQ(ReadString(application, L"LOADER"), module);
  EXPECT_EQ(ReadDword(application, L"LOADCTRLS"), 2u);
  EXPECT_EQ(ReadString(application, L"DESCRIPTION"), L"Zelmorant10.1");
  EXPECT_EQ(ReadString(application + L"\\Commands", L"zm"), L"zm");
  EXPECT_FALSE(KeyExists(L"SOFTWARE\\Zelmorant10.1\\" + release));
}

struct Language {
  int listIndex;  // in the language dialog
  const char* codePage;
  const wchar_t* name;
  const wchar_t* wizardTitle;
  std::vector<std::wstring> linkNames;
};

const Language kEnglish{
    2,
    "1252",
    L"eng",
    L"Install Zelmorant10.1",
    {L"Ostrevia.lnk", L"Zelmorant Help.lnk", L"Zelmorant Config.lnk", L"Uninstall Zelmorant.lnk"}};
const Language kSimplified{
    0,
    "936",
    L"chs",
    L"安装 Zelmorant10.1",
    {L"Ostrevia.lnk", L"Zelmorant帮助.lnk", L"Zelmorant配置.lnk", L"卸载Zelmorant.lnk"}};
const Language kTraditional{
    1,
    "950",
    L"cht",
    L"安裝 Zelmorant10.1",
    {L"Ostrevia.lnk", L"Zelmorant幫助.lnk", L"Zelmorant配置.lnk", L"卸載Zelmorant.lnk"}};

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SeedCadProducts()); }
  void TearDown() override { installer.Kill(); }

  // Starts the installer and chooses the language; returns the wizard.
  HWND StartWizard(const Language& language) {
    EXPECT_TRUE(installer.Start(InstallerPath()));
    HWND chooser = WaitForDialog(installer.Id(), L"Select Language");
    EXPECT_NE(chooser, nullptr);
    SendMessageW(GetDlgItem(chooser, IDC_LANGUAGE_LIST), LB_SETCURSEL, language.listIndex, 0);
    Click(chooser, IDOK);
    HWND wizard = WaitForDialog(installer.Id(), language.wizardTitle);
    EXPECT_NE(wizard, nullptr) << "no wizard titled as the language says";
    return wizard;
  }

  HWND WaitForPage(HWND wizard, int controlOnPage, std::chrono::milliseconds timeout = 15s) {
    HWND page = nullptr;
    bool shown = WaitUntil(
        [&] {
          page = VisibleChildDialog(wizard);
          return page && GetDlgItem(page, controlOnPage);
        },
        timeout);
    return shown ? page : nullptr;
  }

  // Welcome page, Next, and the setting page with `folder` typed in.
  HWND GoToSettingPage(HWND wizard, const std::wstring& folder) {
    WaitForPage(wizard, IDC_AGREEMENT);
    Click(wizard, IDC_WIZARD_NEXT);
    HWND setting = WaitForPage(wizard, IDC_FOLDER);
    SetItemText(setting, IDC_FOLDER, folder);
    return setting;
  }

  // Next on the setting page, answering Yes when asked to create the
  // folder; any other box is left for the test.
  void LeaveSettingPage(HWND wizard) {
    Click(wizard, IDC_WIZARD_NEXT);
    std::optional<MessageBoxSeen> box;
    // The wizard moves on, or asks first: a slow machine may take a while.
    WaitUntil(
        [&] {
          box = WaitForMessageBox(installer.Id(), 0ms);
          HWND page = VisibleChildDialog(wizard);
          return box || (page && !GetDlgItem(page, IDC_FOLDER)) || !installer.IsRunning();
        },
        30s);
    if (box && box->text.find(L"\n\n") != std::wstring::npos) Answer(*box, IDYES);
  }

  void FinishAndExit(HWND wizard) {
    ASSERT_TRUE(WaitUntil([&] { return IsItemVisible(wizard, IDC_WIZARD_FINISH); }, 60s));
    Click(wizard, IDC_WIZARD_FINISH);
    EXPECT_EQ(installer.WaitForExit(), 0u);
  }

  void InstallIn(const Language& language, const std::wstring& folder) {
    HWND wizard = StartWizard(language);
    EXPECT_TRUE(SavePicture(wizard, language.name, L"1-welcome"));
    GoToSettingPage(wizard, folder);
    EXPECT_TRUE(SavePicture(wizard, language.name, L"2-setting"));
    LeaveSettingPage(wizard);
    // The run holds the page for a moment only: take the screen at once, and
    // keep the picture only if the page was still there afterwards.
    if (HWND progress = WaitForPage(wizard, IDC_PROGRESS, 2s)) {
      std::this_thread::sleep_for(30ms);  // the page paints before the run starts
      EXPECT_TRUE(SavePicture(wizard, language.name, L"3-progress", false));
      if (VisibleChildDialog(wizard) != progress) fs::remove(PicturePath(language.name, L"3-progress"));
    }
    WaitUntil([&] { return IsItemVisible(wizard, IDC_WIZARD_FINISH); }, 60s);
    EXPECT_TRUE(SavePicture(wizard, language.name, L"4-finish"));
    FinishAndExit(wizard);
  }

  CProcess installer;
};

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

// Whether the log holds a message row ("A10,...", "A13,..."), which a run
// writes only after every file.
bool HasMessageRow(const std::string& log) { return std::regex_search(log, std::regex("(^|\n)A[0-9]+,")); }

std::string InCodePage(const std::wstring& text, UINT codePage, BOOL* usedDefault = nullptr) {
  DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int size = WideCharToMultiByte(codePage, flags, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, usedDefault);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(codePage, flags, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, usedDefault);
  return bytes;
}

// A path as the log stores it: in the machine's ANSI code page, or as UTF-8
// behind the byte order mark when that code page cannot hold it.
std::string InLog(const std::wstring& path) {
  BOOL usedDefault = FALSE;
  std::string ansi = InCodePage(path, CP_ACP, &usedDefault);
  return usedDefault ? "\xEF\xBB\xBF" + InCodePage(path, CP_UTF8) : ansi;
}

// The files of the product archive in archive order: the uninstaller first,
// then by name.
std::vector<fs::path> ProductFilesInArchiveOrder() {
  std::vector<fs::path> files = PayloadFiles(L"product");
  std::stable_partition(files.begin(), files.end(),
                        [](const fs::path& file) { return file.filename() == L"uninstall.exe"; });
  return files;
}

// The uninstall log of an installation into kFolder, line by line in the
// order the uninstaller expects; paths as the log stores them.
// A first installation (`fresh`) made the folder above kFolder and the
// products' "Applications" keys, and logs them.
std::string ExpectedLog(const Language& language, bool fresh) {
  const std::string dir = Narrow(kFolder) + "\\";
  std::string log;
  auto line = [&log](const std::string& text) { log += text + "\r\n"; };
  if (fresh) line("U0,C:\\ZM Test,0");
  for (const char* product : {"R14.0\\ACAD-1:409", "R15.0\\ACAD-1:804", "R16.2\\ACAD-201:409",
                              "R17.1\\ACAD-6001:409", "R18.0\\ACAD-8001:409"}) {
    std::string applications = std::string("SOFTWARE\\Autodesk\\AutoCAD\\") + product + "\\Applications";
    line("J0,2," + applications + "\\Zelmorant10.1,");
    if (fresh && std::string_view(product) != "R18.0\\ACAD-8001:409") line("J0,2," + applications + ",");
  }
  line("J0,2,SOFTWARE\\Zelmorant10.1,");
  const std::string entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1";
  line("J0,2," + entry + "\\DisplayName,");
  line("J0,2," + entry + "\\UninstallString,");
  line("J0,2," + entry + ",");
  for (const fs::path& file : ProductFilesInArchiveOrder())
    line("P0," + dir + file.filename().string() + ",0");
  for (const fs::path& file : PayloadFiles(L"system")) {
    line("P0," + SystemFolder().string() + "\\" + file.filename().string() + ",0");
  }
  for (const char* name : {"Zelmorant.ini", "replace.txt", "Ostrevia.ini", "uninstall.ini"}) {
    line("P0," + dir + name + ",0");
  }
  line("U0," + Narrow(kFolder) + ",0");
  const std::wstring group = ProgramsFolder().wstring() + L"\\Zelmorant10.1";
  for (const std::wstring& link : language.linkNames) line("P0," + InLog(group + L"\\" + link) + ",0");
  line("U0," + InLog(group) + ",0");
  for (const char* message : kExpectedUninstallMessages) line(message);
  return log;
}

// "Zelmorant.ini" as the add-in expects it, but for the server address,
// which only has to be a private one.
void ExpectSettingsFile(const std::string& settings, const std::string& codePage) {
  std::string expected;
  for (const char* line : {"Command=zm",
                           "ExcelPath=",
                           "DefOperation=Export",
                           "StatToExcel=True",
                           "OutLineColor=1",
                           "GeneralLineColor=7",
                           "TextColor=7",
                           "TextStyle=*Current*",
                           "AutoWrap=1",
                           "AutoLoad=1",
                           "TextHeight=3",
                           "TextWidth=1",
                           "TableDistance=15",
                           "RowNum=40",
                           "CellHeight=8",
                           "WidthFactor=1",
                           "Density=7850",
                           "Factor=1",
                           "OutNewExcel=1",
                           "ServerIP=",
                           "ServerPort=5888",
                           "Timeout=5",
                           "MinTableLineLen=0",
                           "Scale=1",
                           "LetterCase=1",
                           "LocalIP= ",
                           "Script=1",
                           "TextRotation=1",
                           "ImportGrid=2",
                           "AutoReplace=0",
                           "LineLayer=*Current*",
                           "TextLayer=*Current*",
                           "HorMargin=2",
                           "VerMargin=2",
                           "AutoFitting=1",
                           "TextFormat=0",
                           "FixedRowHeight=0",
                           "ShowMenu=1",
                           "InsertMode=0",
                           "ExportText_ExportTAB=1",
                           "ExportText_CharsPerCol=10",
                           "ImportText_ColByTAB=1",
                           "ImportText_ColByMarkStr=1",
                           "ImportText_ColMarkStr= ",
                           "ImportText_SpaceNumber=3",
                           "ContinueExport=0",
                           "ImportSelArea=0",
                           "Version=Zelmorant10.1",
                           "Language=",
                           "ExportGrid=1",
                           "AutoDiv=0"}) {
    expected += line;
    if (std::string_view(line) == "Language=") expected += codePage;
    expected += "\r\n";
  }
  size_t server = settings.find("ServerIP=");
  ASSERT_NE(server, std::string::npos);
  size_t end = settings.find("\r\n", server);
  std::string address = settings.substr(server + 9, end - server - 9);
  EXPECT_TRUE(address.starts_with("10.") || address.starts_with("192.168.") || address.starts_with("172."))
      << address;
  EXPECT_EQ(std::string(settings).erase(server + 9, address.size()), expected);
}

void ExpectInstalled(const Language& language, bool fresh = true) {
  std::wstring dir = kFolder + L"\\";
  ExpectRegPathForm(L"R14.0", L"ACAD-1:409", dir + L"Zelmorant14.arx");
  ExpectRegPathForm(L"R15.0", L"ACAD-1:804", dir + L"Zelmorant2000.arx");
  ExpectLoaderForm(L"R16.2", L"ACAD-201:409", dir + L"Zelmorant2004.arx");
  ExpectLoaderForm(L"R17.1", L"ACAD-6001:409", dir + L"Zelmorant2007.arx");
  EXPECT_FALSE(KeyExists(L"SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:409\\Applications"));
  EXPECT_FALSE(KeyExists(L"SOFTWARE\\Autodesk\\AutoCAD\\R16.2\\ACAD-201:804\\Applications"));
  EXPECT_FALSE(KeyExists(L"SOFTWARE\\Zelmorant10.1\\R18.0"));

  std::wstring uninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1";
  EXPECT_EQ(ReadString(uninstall, L"DisplayName"), L"Zelmorant10.1");
  EXPECT_EQ(ReadString(uninstall, L"UninstallString"), L"\"" + dir + L"uninstall.exe\"");

  for (const fs::path& entry : PayloadFiles(L"product")) {
    EXPECT_EQ(ReadBytes(fs::path(dir) / entry.filename()), ReadBytes(entry)) << entry.filename();
  }
  // A product registered in the 64-bit view only is no 32-bit CAD release.
  EXPECT_FALSE(KeyExists(kAcadKey + L"\\R17.1\\" + kProduct64Only + L"\\Applications", KEY_WOW64_64KEY));
  // The system library lands where a 32-bit program's system folder is.
  for (const fs::path& entry : PayloadFiles(L"system")) {
    EXPECT_EQ(ReadBytes(Wow64SystemFolder() / entry.filename()), ReadBytes(entry)) << entry.filename();
    EXPECT_FALSE(ExistsInNativeSystemFolder(entry.filename().wstring())) << entry.filename();
  }

  ExpectSettingsFile(ReadBytes(fs::path(dir) / L"Zelmorant.ini"), language.codePage);
  std::string log = ReadBytes(fs::path(dir) / L"uninstall.ini");
  EXPECT_EQ(log, ExpectedLog(language, fresh));
  EXPECT_TRUE(HasMessageRow(log));  // the failed run below must not have them

  fs::path group = ProgramsFolder() / L"Zelmorant10.1";
  for (const std::wstring& name : language.linkNames) {
    EXPECT_TRUE(fs::exists(group / name)) << fs::path(name).string();
    EXPECT_TRUE(LinkTarget(group / name).wstring().starts_with(dir)) << fs::path(name).string();
  }
}

TEST_F(InstallTest, InstallingTwiceReplacesTheFiles) {
  InstallIn(kEnglish, kFolder);
  std::ofstream(fs::path(kFolder) / L"ZMLib.txt", std::ios::binary) << "changed by the user";
  InstallIn(kEnglish, L"  " + kFolder + L"\\  ");
  ExpectInstalled(kEnglish, false);
}

TEST_F(InstallTest, WelcomePageNeedsTheAgreementAndCancelAsks) {
  HWND wizard = StartWizard(kEnglish);
  HWND welcome = WaitForPage(wizard, IDC_AGREEMENT);
  EXPECT_NE(GetItemText(welcome, IDC_AGREEMENT).find(L"Licence Agreement"), std::wstring::npos);
  EXPECT_EQ(SendMessageW(GetDlgItem(welcome, IDC_ACCEPT), BM_GETCHECK, 0, 0), BST_CHECKED);

  PostMessageW(GetDlgItem(welcome, IDC_DECLINE), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return SendMessageW(GetDlgItem(welcome, IDC_DECLINE), BM_GETCHECK, 0, 0); }));
  Click(wizard, IDC_WIZARD_NEXT);
  std::optional<MessageBoxSeen> refusal = WaitForMessageBox(installer.Id());
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text, L"Can't continue,You must agree the agreement first!");
  EXPECT_EQ(refusal->caption, L"Install");
  Answer(*refusal, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return VisibleChildDialog(wizard) == welcome; }));

  Click(wizard, IDCANCEL);
  std::optional<MessageBoxSeen> question = WaitForMessageBox(installer.Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, L"Are you sure you want to cancel Setup?");
  Answer(*question, IDNO);
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(installer.IsRunning());

  Click(wizard, IDCANCEL);
  question = WaitForMessageBox(installer.Id());
  ASSERT_TRUE(question);
  Answer(*question, IDYES);
  EXPECT_EQ(installer.WaitForExit(), 0u);
  EXPECT_FALSE(KeyExists(L"SOFTWARE\\Zelmorant10.1"));
}

TEST_F(InstallTest, InvalidFoldersAreRefused) {
  HWND wizard = StartWizard(kEnglish);
  HWND setting = GoToSettingPage(wizard, L"C:");
  // A drive root could only be uninstalled by removing nothing or too much.
  // A folder the machine's ANSI code page cannot hold is refused before
  // anything is written, and says why.
  const std::wstring noAnsi =
      L"C:\\Łódź\\Zelmorant10.1\n\nThe folder name has characters that this computer's ANSI code page cannot "
      L"hold: CAD programs could not load the add-in from it. Please choose another folder.";
  for (const auto& [folder, message] :
       std::initializer_list<std::pair<std::wstring, std::wstring>>{{L"C:", L"Invalid path!"},
                                                                    {L"C:\\", L"Invalid path!"},
                                                                    {L"C:\\\\", L"Invalid path!"},
                                                                    {L"C:\\Tools\\\\Sub", L"Invalid path!"},
                                                                    {L"   ", L"Invalid path!"},
                                                                    {L"C:\\Łódź\\Zelmorant10.1", noAnsi}}) {
    SetItemText(setting, IDC_FOLDER, folder);
    Click(wizard, IDC_WIZARD_NEXT);
    std::optional<MessageBoxSeen> box = WaitForMessageBox(installer.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, message);
    Answer(*box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return GetFocusedControlId(installer.Id()) == IDC_FOLDER; }, 3s));
    EXPECT_EQ(VisibleChildDialog(wizard), setting);
  }
  // A missing folder: No keeps the page, Yes creates it.
  SetItemText(setting, IDC_FOLDER, L"C:\\New Place\\Deep");
  Click(wizard, IDC_WIZARD_NEXT);
  std::optional<MessageBoxSeen> create = WaitForMessageBox(installer.Id());
  ASSERT_TRUE(create);
  EXPECT_EQ(create->text, L"C:\\New Place\\Deep\n\nThis path does not exist. Do you want to create it?");
  Answer(*create, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return VisibleChildDialog(wizard) == setting; }));
  EXPECT_FALSE(fs::exists(L"C:\\New Place"));
  LeaveSettingPage(wizard);
  FinishAndExit(wizard);
  EXPECT_TRUE(fs::exists(L"C:\\New Place\\Deep\\ZMLib.txt"));
  EXPECT_FALSE(fs::exists(L"C:\\Łódź"));
}

TEST_F(InstallTest, NoCadProductKeyEndsTheProgram) {
  RemoveCadProducts();
  HWND wizard = StartWizard(kEnglish);
  WaitForPage(wizard, IDC_AGREEMENT);
  Click(wizard, IDC_WIZARD_NEXT);
  std::optional<MessageBoxSeen> box = WaitForMessageBox(installer.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text,
            L"Accessing registry failed, please sure you have the privilege of accessing registry!");
  Answer(*box, IDOK);
  EXPECT_EQ(installer.WaitForExit(), 0u);
  EXPECT_FALSE(KeyExists(L"SOFTWARE\\Zelmorant10.1"));
  EXPECT_FALSE(fs::exists(kFolder));
}

// Install then uninstall, each case in a fresh prefix: the prefix is as it
// was before, file for file and value for value, but for a file of the
// user's that the log does not name (kept, with its folders).
struct ResidueCase {
  const char* name;
  const Language* language;
  bool switches;      // Install.exe /S and uninstall.exe /S instead of clicks
  bool userFile;      // the user saves a file into the install folder
  bool lockedTarget;  // a file held open fails the run halfway
  // The user's temporary folder and Start menu lie below Chinese names.
  bool chineseUserFolders = false;
  // Another install folder than kFolder (then only its traces are checked).
  const wchar_t* folder = nullptr;
};

// The prefix is a Western machine (ANSI code page 1252): the Chinese cases
// are Chinese installations on an English machine.
const ResidueCase kResidueCases[] = {
    {"EnglishByClicks", &kEnglish, false, true, false},
    {"SimplifiedChineseByClicks", &kSimplified, false, false, false},
    {"TraditionalChineseByClicks", &kTraditional, false, false, false},
    {"EnglishBySwitches", &kEnglish, true, false, false},
    {"SimplifiedChineseBySwitches", &kSimplified, true, true, false},
    {"FailedRunByClicks", &kEnglish, false, false, true},
    {"FailedRunBySwitches", &kTraditional, true, false, true},
    {"EnglishForAUserWithChineseFolders", &kEnglish, false, false, false, true},
    {"SimplifiedChineseIntoAWesternFolder", &kSimplified, true, false, false, false,
     L"C:\\Café\\Zelmorant10.1"},
};

// Temporary folder and Programs folder below Chinese names, for this
// process and the programs it starts.
void UseChineseUserFolders() {
  wchar_t profile[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, profile, CSIDL_PROFILE, FALSE));
  fs::path temp = fs::path(profile) / L"临时文件";
  fs::path programs = fs::path(L"C:\\用户\\钢结构\\开始菜单\\程序");
  fs::create_directories(temp);
  fs::create_directories(programs);
  SetEnvironmentVariableW(L"TEMP", temp.c_str());
  SetEnvironmentVariableW(L"TMP", temp.c_str());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER,
                            L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                            nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  std::wstring value = programs.wstring();
  RegSetValueExW(key, L"Programs", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  ASSERT_EQ(ProgramsFolder(), programs);
}

class ResidueTest : public InstallTest, public ::testing::WithParamInterface<ResidueCase> {
 protected:
  // Install.exe with `arguments`; its exit code.
  DWORD RunInstaller(const std::wstring& arguments) {
    EXPECT_TRUE(installer.Start(InstallerPath(), arguments));
    return installer.WaitForExit(120s).value_or(999);
  }

  // The installed uninstaller, as Add/Remove Programs starts it; the
  // questions come from its temporary copy.
  DWORD Uninstall(const std::wstring& folder, bool bySwitches, bool userFileKept) {
    CProcess uninstaller;
    EXPECT_TRUE(uninstaller.Start(fs::path(folder) / L"uninstall.exe", bySwitches ? L"/S" : L""));
    if (!bySwitches) {
      std::optional<MessageBoxSeen> question = WaitForMessageBox(kAnyProcess);
      EXPECT_TRUE(question);
      if (!question) return 999;
      EXPECT_EQ(question->text, L"Are you sure you want uninstall Zelmorant10.1?");
      EXPECT_EQ(question->caption, L"Uninstall");
      Answer(*question, IDYES);
      std::optional<MessageBoxSeen> done = WaitForMessageBox(kAnyProcess, 60s);
      EXPECT_TRUE(done);
      if (!done) return 999;
      EXPECT_TRUE(done->text.starts_with(L"Uninstall succeed!")) << fs::path(done->text).string();
      EXPECT_EQ(done->text.find(L"restart"), std::wstring::npos) << fs::path(done->text).string();
      if (userFileKept) {
        EXPECT_NE(done->text.find(L"\n  " + folder + L"\n    My BOM.xls"), std::wstring::npos)
            << fs::path(done->text).string();
      }
      Answer(*done, IDOK);
    }
    return uninstaller.WaitForExit(60s).value_or(999);
  }
};

// What a failed run left: the entries before the locked one and their
// records, the uninstaller first; no settings, no message rows.
void ExpectFailedRunLog() {
  std::string log = ReadBytes(fs::path(kFolder) / L"uninstall.ini");
  EXPECT_FALSE(HasMessageRow(log)) << log;
  EXPECT_FALSE(fs::exists(fs::path(kFolder) / L"Zelmorant.ini"));
  for (const fs::path& entry : PayloadFiles(L"product")) {
    bool before = entry.filename() == L"uninstall.exe" || entry.filename().wstring() < L"ZMConfig.exe";
    std::string record = "P0,C:\\ZM Test\\Zelmorant10.1\\" + entry.filename().string() + ",0\r\n";
    EXPECT_EQ(log.find(record) != std::string::npos, before) << record;
  }
}

TEST_P(ResidueTest, InstallThenUninstallLeavesNothing) {
  const ResidueCase& c = GetParam();
  const Language& language = *c.language;
  const std::wstring folder = c.folder ? c.folder : kFolder;
  if (c.chineseUserFolders) UseChineseUserFolders();
  fs::path locked = fs::path(kFolder) / L"ZMConfig.exe";
  winfx::CHandle lock;
  if (c.lockedTarget) {
    // Wine lets an administrator overwrite a read-only file, so the target
    // is held open without sharing instead: the installer cannot create it.
    fs::create_directories(kFolder);
    std::ofstream(locked) << "old";
    lock = winfx::CHandle(CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.IsValid());
  }
  const std::set<std::wstring> before = PrefixSnapshot();

  if (c.switches) {
    std::wstring log = fs::absolute(std::wstring(L"install-") + language.name + L".log").wstring();
    DWORD exitCode = RunInstaller(L"/S /L=" + fs::path(language.codePage).wstring() + L" /LOG=\"" + log +
                                  L"\" /D=" + folder);
    EXPECT_EQ(exitCode, c.lockedTarget ? 4u : 0u);
    EXPECT_NE(ReadBytes(log).find(c.lockedTarget ? "Exit code: 4" : "Exit code: 0"), std::string::npos)
        << ReadBytes(log);
  } else if (c.lockedTarget) {
    HWND wizard = StartWizard(language);
    GoToSettingPage(wizard, kFolder);
    LeaveSettingPage(wizard);
    std::optional<MessageBoxSeen> failed = WaitForMessageBox(installer.Id(), 60s);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->text, L"Setup failed!");
    Answer(*failed, IDOK);
    EXPECT_EQ(installer.WaitForExit(), 0u);
  } else {
    InstallIn(language, kFolder);
  }
  if (c.lockedTarget) {
    ExpectFailedRunLog();
  } else if (!c.folder) {
    ExpectInstalled(language);
  } else {
    EXPECT_TRUE(fs::exists(fs::path(folder) / L"Zelmorant.ini"));
  }

  if (c.userFile)
    std::ofstream(fs::path(kFolder) / L"My BOM.xls", std::ios::binary) << "the draughtsman's own";
  EXPECT_EQ(Uninstall(folder, c.switches, c.userFile), 0u);
  lock.Close();
  if (c.lockedTarget) {
    EXPECT_EQ(ReadBytes(locked), "old");
  }
  // The temporary copy removes itself once it has ended.
  EXPECT_TRUE(WaitUntil([] { return !HasTemporaryUninstaller(); }, 30s));

  std::vector<std::wstring> expected;
  if (c.userFile) {
    expected = {L"+ D C:\\ZM Test", L"+ D C:\\ZM Test\\Zelmorant10.1",
                L"+ F C:\\ZM Test\\Zelmorant10.1\\My BOM.xls 21"};
  }
  std::vector<std::wstring> differences = SnapshotDifferences(before, PrefixSnapshot());
  std::string shown;
  for (const std::wstring& line : differences) shown += InCodePage(line, CP_UTF8) + "\n";
  EXPECT_EQ(differences, expected) << shown;
}

INSTANTIATE_TEST_SUITE_P(Cases, ResidueTest, ::testing::ValuesIn(kResidueCases),
                         [](const ::testing::TestParamInfo<ResidueCase>& info) { return info.param.name; });

// A program run without a window; its exit code, 999 when it did not start
// or end.
DWORD RunSilently(const fs::path& program, const std::wstring& arguments,
                  std::chrono::milliseconds timeout = 120s) {
  CProcess process;
  return process.Start(program, arguments) ? process.WaitForExit(timeout).value_or(999) : 999;
}

// Unattended installs that cannot go on say why, each with its own exit
// code, and write nothing.
TEST_F(InstallTest, SwitchesRefuseWithADistinctExitCode) {
  struct Case {
    const wchar_t* arguments;
    bool withCad;
    DWORD exitCode;
  } cases[] = {
      {L"/S /L=437", true, 1},
      {L"/S /D=C:\\", true, 3},
      {L"/S /D=Program Files", true, 3},
      // The machine's ANSI code page (1252) has no "Ł", and no look-alike
      // may stand in for it.
      {L"/S /D=C:\\Łódź\\Zelmorant10.1", true, 3},
      {L"/S", false, 2},
  };
  const std::set<std::wstring> before = PrefixSnapshot();
  for (const Case& c : cases) {
    if (!c.withCad) RemoveCadProducts();
    EXPECT_EQ(RunSilently(InstallerPath(), c.arguments, 60s), c.exitCode) << fs::path(c.arguments).string();
    if (!c.withCad) {
      ASSERT_TRUE(SeedCadProducts());
    }
  }
  EXPECT_EQ(SnapshotDifferences(before, PrefixSnapshot()), std::vector<std::wstring>{});
}

// A version resource string of a program file; "(none)" without one.
std::wstring VersionText(const fs::path& program, const wchar_t* name) {
  DWORD handle = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(program.c_str(), &handle));
  if (info.empty() || !GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
    return L"(none)";
  wchar_t* text = nullptr;
  UINT length = 0;
  std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
  if (!VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) return L"(none)";
  return text;
}

TEST_F(InstallTest, ShippedProgramsCarryVersionInformation) {
  struct Case {
    fs::path program;
    const wchar_t* product;
    const wchar_t* version;
    const wchar_t* description;
  } cases[] = {
      {InstallerPath(), L"Zelmorant10.1", L"10.1", L"Zelmorant10.1 setup"},
      {fs::absolute(L"..\\..\\setup\\payload\\product\\uninstall.exe"), L"Zelmorant10.1", L"10.1",
       L"Zelmorant10.1 uninstaller"},
      {fs::absolute(L"..\\..\\setup\\payload\\product\\Ostrevia.exe"), L"Ostrevia", L"3.5",
       L"Ostrevia material assistant"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VersionText(c.program, L"ProductName"), c.product) << c.program;
    EXPECT_EQ(VersionText(c.program, L"ProductVersion"), c.version) << c.program;
    EXPECT_EQ(VersionText(c.program, L"FileDescription"), c.description) << c.program;
  }
}

TEST_F(InstallTest, UninstallWithoutALogRemovesNothing) {
  const fs::path folder = L"C:\\ZM Test\\Copied";
  fs::create_directories(folder);
  fs::path program = folder / L"uninstall.exe";
  fs::copy_file(fs::absolute(L"..\\..\\setup\\payload\\product\\uninstall.exe"), program);
  std::ofstream(folder / L"ZMLib.txt") << "stays";

  CProcess uninstaller;
  ASSERT_TRUE(uninstaller.Start(program));
  std::optional<MessageBoxSeen> box = WaitForMessageBox(kAnyProcess);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"Can't process " + folder.wstring() +
                           L"\\uninstall.ini\n\nThe uninstall log cannot be read. Nothing was removed.");
  EXPECT_EQ(box->caption, L"Uninstall");
  Answer(*box, IDOK);
  EXPECT_EQ(uninstaller.WaitForExit(), 1u);
  EXPECT_TRUE(fs::exists(program));
  EXPECT_EQ(ReadBytes(folder / L"ZMLib.txt"), "stays");
}

// A large installation: the uninstaller shows its stage and a bar, and its
// window answers while it works.
TEST_F(InstallTest, UninstallShowsProgressAndAnswersWhileItWorks) {
  const fs::path folder = L"C:\\ZM Test\\Zelmorant10.1";
  fs::create_directories(folder / L"Library");
  fs::copy_file(fs::absolute(L"..\\..\\setup\\payload\\product\\uninstall.exe"), folder / L"uninstall.exe");
  std::ofstream log(folder / L"uninstall.ini", std::ios::binary);
  for (int i = 0; i < 1000; ++i) {
    std::wstring file = (folder / L"Library" / (L"Part" + std::to_wstring(i) + L".txt")).wstring();
    std::ofstream(fs::path(file)) << i;
    log << "P0," << InCodePage(file, CP_ACP) << ",0\r\n";
  }
  log << "U0," << InCodePage((folder / L"Library").wstring(), CP_ACP) << ",0\r\n";
  log.close();

  CProcess uninstaller;
  ASSERT_TRUE(uninstaller.Start(folder / L"uninstall.exe"));
  std::optional<MessageBoxSeen> question = WaitForMessageBox(kAnyProcess);
  ASSERT_TRUE(question);
  Answer(*question, IDYES);
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND dialog : ProcessDialogs(kAnyProcess)) {
      if (GetDlgItem(dialog, IDC_PROGRESS_BAR)) window = dialog;
    }
    return window != nullptr;
  }));
  EXPECT_EQ(GetText(window), L"Uninstall");
  // The window may be found before its first stage is written.
  EXPECT_TRUE(WaitUntil([&] { return GetItemText(window, IDC_PROGRESS_STAGE) == L"Removing files ..."; }, 5s))
      << InCodePage(GetItemText(window, IDC_PROGRESS_STAGE), CP_UTF8);
  // Its thread takes messages between files: each one is answered at once.
  int answered = 0;
  auto slowest = 0ms;
  for (int probe = 0; probe < 5 && IsWindow(window); ++probe) {
    DWORD_PTR result = 0;
    auto start = std::chrono::steady_clock::now();
    if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 250, &result)) ++answered;
    slowest = std::max(slowest, std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - start));
    std::this_thread::sleep_for(20ms);
  }
  std::printf("progress window: %d of 5 probes answered, slowest %d ms\n", answered,
              static_cast<int>(slowest.count()));
  EXPECT_GT(answered, 0);
  std::optional<MessageBoxSeen> done = WaitForMessageBox(kAnyProcess, 120s);
  ASSERT_TRUE(done);
  EXPECT_TRUE(done->text.starts_with(L"Uninstall succeed!")) << InCodePage(done->text, CP_UTF8);
  Answer(*done, IDOK);
  EXPECT_EQ(uninstaller.WaitForExit(60s), 0u);
  EXPECT_FALSE(fs::exists(folder));
}

// The help viewers of the HTML Help control: visible top-level windows of
// its frame class, of the process `processId` or of any process (0).
std::vector<HWND> HelpViewers(DWORD processId) { return TopLevelWindows(processId, L"HH Parent"); }

// The viewer titled as the help file's title says, once it is up.
HWND WaitForHelpViewer(DWORD processId, const std::wstring& title, std::chrono::milliseconds timeout = 20s) {
  HWND viewer = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : HelpViewers(processId)) {
          if (GetText(window) == title) viewer = window;
        }
        return viewer != nullptr;
      },
      timeout);
  return viewer;
}

// The entries of the viewer's contents tree, which the viewer reads from
// the help file.
BOOL CALLBACK FindTreeView(HWND child, LPARAM found) {
  wchar_t className[32] = {};
  GetClassNameW(child, className, 32);
  if (std::wstring(className) != WC_TREEVIEWW) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

LRESULT ContentsEntries(HWND viewer) {
  HWND tree = nullptr;
  EnumChildWindows(viewer, FindTreeView, reinterpret_cast<LPARAM>(&tree));
  return tree ? SendMessageW(tree, TVM_GETCOUNT, 0, 0) : -1;
}

void CloseHelpViewer(HWND viewer) {
  PostMessageW(viewer, WM_CLOSE, 0, 0);
  WaitUntil([&] { return !IsWindow(viewer); });
}

// The installed assistant's main window once it is up. This prefix has no
// spreadsheet: the assistant says so at start, and the box is answered.
HWND WaitForAssistantWindow(const CProcess& assistant) {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        if (std::optional<MessageBoxSeen> box = WaitForMessageBox(assistant.Id(), 0ms)) Answer(*box, IDOK);
        for (HWND dialog : ProcessDialogs(assistant.Id())) {
          if (GetDlgItem(dialog, kSheetField)) window = dialog;
        }
        return window != nullptr;
      },
      30s);
  return window;
}

// F1 pressed as a person would in `window` of another process, until a help
// viewer titled `title` comes up there: a test running beside this one may
// hold the keyboard for a moment.
HWND PressF1ForViewer(HWND window, DWORD processId, const std::wstring& title) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }, 5s)) continue;
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    if (HWND viewer = WaitForHelpViewer(processId, title, 10s)) return viewer;
  }
  return nullptr;
}

// The title a help viewer shows: the help file holds it in the code page of
// its language, and the viewer reads it in the system's ANSI code page.
std::wstring ViewerTitle(const std::wstring& title, UINT fileCodePage) {
  std::string bytes = InCodePage(title, fileCodePage);
  int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring shown(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), shown.data(), size);
  return shown;
}

const std::wstring kSettingsHelpTitle = ViewerTitle(L"Ostrevia 设置 · 設置 · Settings", 936);

struct HelpLanguage {
  const char* codePage;
  const wchar_t* settingsCaption;  // of the settings sheet
  std::wstring helpTitle;          // of the language's help file, as a viewer shows it
};

// In the installed assistant of that language, F1 in the main window and on
// the general page of the settings, each opening a viewer on its help file.
void ExpectF1OpensTheHelpFiles(CProcess& assistant, const HelpLanguage& language) {
  // The language is the user's setting, in the user's own folder.
  const fs::path userFolder = winfx::UserAppDataFolder() / L"Zelmorant10.1";
  fs::create_directories(userFolder);
  std::ofstream(userFolder / L"Ostrevia.ini", std::ios::binary)
      << "Density=7850\r\nFactor=1\r\nCaseSensitive=0\r\nLanguage=" << language.codePage << "\r\n";
  ASSERT_TRUE(assistant.Start(fs::path(kFolder) / L"Ostrevia.exe"));
  HWND window = WaitForAssistantWindow(assistant);
  ASSERT_NE(window, nullptr) << "the main window did not appear";

  HWND viewer = PressF1ForViewer(window, assistant.Id(), language.helpTitle);
  ASSERT_NE(viewer, nullptr) << "F1 opened no viewer on the language's help file";
  EXPECT_EQ(ContentsEntries(viewer), kMainHelpTopics);
  CloseHelpViewer(viewer);

  Click(window, kSettingsButton);
  HWND sheet = WaitForDialog(assistant.Id(), language.settingsCaption);
  ASSERT_NE(sheet, nullptr) << "the settings did not open";
  ASSERT_TRUE(WaitUntil([&] {
    HWND page = VisibleChildDialog(sheet);
    return page && GetDlgItem(page, kDensityField);
  })) << "the general page did not come up";
  HWND settingsViewer = PressF1ForViewer(sheet, assistant.Id(), kSettingsHelpTitle);
  ASSERT_NE(settingsViewer, nullptr) << "F1 on the general page opened no viewer on zelmorant.chm";
  EXPECT_EQ(ContentsEntries(settingsViewer), kSettingsHelpTopics);
  CloseHelpViewer(settingsViewer);
}

// The installed help files: the help shortcut opens the installation's help,
// and in each language F1 opens the language's help at the main window's
// topic and, on the settings, zelmorant.chm at the settings topic (a file
// without the topic's context id opens no viewer).
TEST_F(InstallTest, F1AndTheHelpShortcutOpenTheInstalledHelpFiles) {
  InstallIn(kEnglish, kFolder);
  ShellExecuteW(nullptr, L"open", (ProgramsFolder() / L"Zelmorant10.1" / L"Zelmorant Help.lnk").c_str(),
                nullptr, nullptr, SW_SHOWNORMAL);
  HWND shortcutViewer = WaitForHelpViewer(0, L"Ostrevia Help");
  ASSERT_NE(shortcutViewer, nullptr) << "the help shortcut opened no help viewer";
  EXPECT_EQ(ContentsEntries(shortcutViewer), kMainHelpTopics);
  CloseHelpViewer(shortcutViewer);

  const HelpLanguage languages[] = {{"936", L"设置", ViewerTitle(L"Ostrevia 帮助", 936)},
                                    {"950", L"設置", ViewerTitle(L"Ostrevia 說明", 950)},
                                    {"437", L"Setting", L"Ostrevia Help"}};
  for (const HelpLanguage& language : languages) {
    SCOPED_TRACE(language.codePage);
    CProcess assistant;
    ExpectF1OpensTheHelpFiles(assistant, language);
    assistant.Kill();
  }
}

// Whoever may write to the install folder can put links in it: a junction, a
// symbolic link to a folder and one to a file, all into a folder of the
// user's. The uninstaller removes the links (where the system lets it tell
// them), never what they point to, and does not look behind them.
TEST_F(InstallTest, UninstallNeverFollowsALink) {
  const fs::path folder = L"C:\\ZM Test\\Linked";
  const fs::path keep = L"C:\\ZM Keep";
  fs::create_directories(folder);
  fs::create_directories(keep / L"sub");
  for (const fs::path& file : {keep / L"a.txt", keep / L"sub" / L"b.txt"}) std::ofstream(file) << "stays";
  fs::copy_file(fs::absolute(L"..\\..\\setup\\payload\\product\\uninstall.exe"), folder / L"uninstall.exe");
  std::ofstream(folder / L"own.txt") << "goes";
  SetFileAttributesW((folder / L"own.txt").c_str(), FILE_ATTRIBUTE_READONLY);  // goes all the same
  const struct {
    const wchar_t* name;
    fs::path target;
    LinkKind kind;
  } links[] = {{L"help", keep, LinkKind::kJunction},
               {L"docs", keep, LinkKind::kFolderSymbolicLink},
               {L"ZMLib.txt", keep / L"a.txt", LinkKind::kFileSymbolicLink}};
  std::vector<LinkMade> made;
  for (const auto& link : links) {
    made.push_back(MakeLink(folder / link.name, link.target, link.kind));
    ASSERT_NE(made.back(), LinkMade::kNone) << fs::path(link.name).string();
    RecordProperty(fs::path(link.name).string(),
                   made.back() == LinkMade::kReparsePoint ? "reparse point" : "host link");
  }
  const std::string base = "C:\\ZM Test\\Linked\\";
  std::ofstream(folder / L"uninstall.ini", std::ios::binary)
      << "P0," << base << "help\\a.txt,0\r\nP0," << base << "docs\\sub\\b.txt,0\r\nP0," << base
      << "ZMLib.txt,0\r\nP0," << base << "own.txt,0\r\nP0," << base << "uninstall.ini,0\r\nU0," << base
      << "docs\\sub,0\r\nU0," << base << "help,0\r\nU0," << base << "docs,0\r\n";

  CProcess uninstaller;
  ASSERT_TRUE(uninstaller.Start(folder / L"uninstall.exe"));
  std::optional<MessageBoxSeen> question = WaitForMessageBox(kAnyProcess);
  ASSERT_TRUE(question);
  Answer(*question, IDYES);
  std::optional<MessageBoxSeen> done = WaitForMessageBox(kAnyProcess, 60s);
  ASSERT_TRUE(done);
  const std::wstring behind = L"they were left alone:\n  " + folder.wstring() + L"\\help\\a.txt\n  " +
                              folder.wstring() + L"\\docs\\sub\\b.txt\n  " + folder.wstring() +
                              L"\\docs\\sub";
  EXPECT_NE(done->text.find(behind), std::wstring::npos) << fs::path(done->text).string();
  Answer(*done, IDOK);
  EXPECT_EQ(uninstaller.WaitForExit(), 2u);

  EXPECT_EQ(ReadBytes(keep / L"a.txt"), "stays");
  EXPECT_EQ(ReadBytes(keep / L"sub" / L"b.txt"), "stays");
  EXPECT_FALSE(fs::exists(folder / L"own.txt"));
  for (size_t i = 0; i < made.size(); ++i) {
    // A link that the system shows as a reparse point goes; one it follows
    // without saying so cannot be removed as itself and is reported.
    const fs::path link = folder / links[i].name;
    const bool gone = GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES;
    EXPECT_EQ(gone, made[i] == LinkMade::kReparsePoint) << link.string();
    EXPECT_EQ(done->text.find(L"Can't process " + link.wstring() + L"\n") != std::wstring::npos, !gone)
        << fs::path(done->text).string();
  }
}

// DLLs that Windows does not protect and that programs meet by name (not
// version.dll: Wine's own user32 imports it at start, Windows' does not).
const wchar_t* const kPlantedDlls[] = {L"uxtheme", L"dwmapi",   L"userenv",  L"cryptbase", L"propsys",
                                       L"winmm",   L"dbghelp",  L"profapi",  L"sspicli",   L"iphlpapi",
                                       L"dnsapi",  L"wtsapi32", L"netapi32", L"cryptsp",   L"bcrypt"};

std::vector<std::wstring> FilesIn(const fs::path& folder) {
  std::vector<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().wstring());
  return names;
}

// The planted DLL beside Install.exe in a downloads folder and in the
// temporary folder (where the uninstaller's copy used to lie), and Wine
// told to look beside a program first, as Windows does: both elevated
// setup programs succeed, and no planted DLL leaves its marker.
TEST_F(InstallTest, PlantedDllsAreNeverLoaded) {
  const fs::path downloads = L"C:\\users\\Public\\Downloads";
  const fs::path markers = L"C:\\planted";
  const fs::path folder = L"C:\\ZM Planted\\Zelmorant10.1";
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  fs::create_directories(downloads);
  fs::create_directories(markers);
  for (const fs::path& program : {InstallerPath(), fs::absolute(L"planted_probe.exe")})
    fs::copy_file(program, downloads / program.filename(), fs::copy_options::overwrite_existing);
  std::wstring overrides = _wgetenv(L"WINEDLLOVERRIDES") ? _wgetenv(L"WINEDLLOVERRIDES") : L"";
  for (const wchar_t* dll : kPlantedDlls) {
    overrides += std::wstring(L";") + dll + L"=n,b";
    for (const fs::path& place : {downloads, fs::path(temp)})
      fs::copy_file(L"planted.dll", place / (std::wstring(dll) + L".dll"),
                    fs::copy_options::overwrite_existing);
  }
  SetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides.c_str());  // for the programs started below

  // A program that searches as the system does finds what was planted.
  EXPECT_EQ(RunSilently(downloads / L"planted_probe.exe", L""), 0u);
  ASSERT_EQ(FilesIn(markers), std::vector<std::wstring>{L"dwmapi.dll in planted_probe.exe"});
  fs::remove(markers / L"dwmapi.dll in planted_probe.exe");

  // The wizard's first window, with the common controls and their themes.
  ASSERT_TRUE(installer.Start(downloads / L"Install.exe"));
  EXPECT_NE(WaitForDialog(installer.Id(), L"Select Language"), nullptr);
  installer.Kill();
  EXPECT_EQ(RunSilently(downloads / L"Install.exe", L"/S /D=" + folder.wstring()), 0u);
  EXPECT_EQ(RunSilently(folder / L"uninstall.exe", L"/S"), 0u);
  // The copy and its folder go when the copy ends, after the installed files.
  EXPECT_TRUE(WaitUntil([] { return !HasTemporaryUninstaller(); }, 30s));
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_EQ(FilesIn(markers), std::vector<std::wstring>{});
}

// Wine keeps of a folder's rules what its file modes say (owner, system,
// everyone): a folder the installer makes keeps nothing for everyone; one
// that everyone may write is refused before anything is written.
TEST_F(InstallTest, AFolderOutsideProgramFilesGetsProgramFilesRules) {
  ASSERT_EQ(RunSilently(InstallerPath(), L"/S /D=C:\\Zelmorant"), 0u);
  std::optional<FolderAccess> access = ReadFolderAccess(L"C:\\Zelmorant");
  ASSERT_TRUE(access);
  EXPECT_FALSE(OthersCanWrite(*access, CurrentUserSid()));
  for (const AccessGrant& grant : access->grants) EXPECT_NE(grant.sid, "S-1-1-0") << "everyone may read";

  fs::create_directories(L"C:\\Shared");
  EXPECT_EQ(SetNamedSecurityInfoW(const_cast<wchar_t*>(L"C:\\Shared"), SE_FILE_OBJECT,
                                  DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));  // no access list: open to everyone
  EXPECT_EQ(RunSilently(InstallerPath(), L"/S /L=1252 /LOG=C:\\refused.txt /D=C:\\Shared"), 3u);
  EXPECT_EQ(FilesIn(L"C:\\Shared"), std::vector<std::wstring>{});
  EXPECT_NE(
      ReadBytes(L"C:\\refused.txt").find("C:\\Shared: Users who are not administrators can change files"),
      std::string::npos);
}

}  // namespace

// Install.exe end to end: a fresh Wine prefix seeded with CAD product keys,
// the wizard driven from outside as a person would, then the registry, the
// files and the shortcuts it left behind.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "setup/res/install_resource.h"
#include "tests/unit/uninstall_messages_expected.h"
#include "tests/wine/driver/ui_driver.h"
#include "tests/wine/file_links.h"
#include "tests/wine/install_e2e_support.h"

namespace fs = std::filesystem;
using namespace uidriver;

namespace {

const std::wstring kFolder = L"C:\\ZM Test\\Zelmorant10.1";
const std::wstring kAcadKey = L"SOFTWARE\\Autodesk\\AutoCAD";

// The assistant's windows, and the topics of the help files.
constexpr int kSheetField = 1009;
constexpr int kSettingsButton = 1005;
constexpr int kDensityField = 1018;
constexpr LRESULT kMainHelpTopics = 9;
constexpr LRESULT kSettingsHelpTopics = 2;

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
    "437",
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

// A text in the code page the log is written in.
std::string InCodePage(const std::wstring& text, UINT codePage) {
  int size = WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                      nullptr);
  return bytes;
}

// The uninstall log of an installation into kFolder, line by line in the
// order the uninstaller expects; the link names in the language's code page.
std::string ExpectedLog(const Language& language) {
  const std::string dir = Narrow(kFolder) + "\\";
  std::string log;
  auto line = [&log](const std::string& text) { log += text + "\r\n"; };
  for (const char* product : {"R14.0\\ACAD-1:409", "R15.0\\ACAD-1:804", "R16.2\\ACAD-201:409",
                              "R17.1\\ACAD-6001:409", "R18.0\\ACAD-8001:409"}) {
    line(std::string("J0,2,SOFTWARE\\Autodesk\\AutoCAD\\") + product + "\\Applications\\Zelmorant10.1,");
  }
  line("J0,2,SOFTWARE\\Zelmorant10.1,");
  const std::string entry = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1";
  line("J0,2," + entry + "\\DisplayName,");
  line("J0,2," + entry + "\\UninstallString,");
  line("J0,2," + entry + ",");
  for (const fs::path& file : PayloadFiles(L"product")) line("P0," + dir + file.filename().string() + ",0");
  for (const fs::path& file : PayloadFiles(L"system")) {
    line("P0," + SystemFolder().string() + "\\" + file.filename().string() + ",0");
  }
  for (const char* name : {"Zelmorant.ini", "replace.txt", "Ostrevia.ini", "uninstall.ini"}) {
    line("P0," + dir + name + ",0");
  }
  line("U0," + Narrow(kFolder) + ",0");
  const std::string group = ProgramsFolder().string() + "\\Zelmorant10.1";
  UINT codePage = static_cast<UINT>(std::stoul(language.codePage));
  if (codePage == 437) codePage = 1252;  // English names are ASCII either way
  for (const std::wstring& link : language.linkNames) {
    line("P0," + group + "\\" + InCodePage(link, codePage) + ",0");
  }
  line("U0," + group + ",0");
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

void ExpectInstalled(const Language& language) {
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
  EXPECT_EQ(ReadString(uninstall, L"UninstallString"), dir + L"uninstall.exe");

  for (const fs::path& entry : PayloadFiles(L"product")) {
    EXPECT_EQ(ReadBytes(fs::path(dir) / entry.filename()), ReadBytes(entry)) << entry.filename();
  }
  for (const fs::path& entry : PayloadFiles(L"system")) {
    EXPECT_EQ(ReadBytes(SystemFolder() / entry.filename()), ReadBytes(entry)) << entry.filename();
  }

  ExpectSettingsFile(ReadBytes(fs::path(dir) / L"Zelmorant.ini"), language.codePage);
  std::string log = ReadBytes(fs::path(dir) / L"uninstall.ini");
  EXPECT_EQ(log, ExpectedLog(language));
  EXPECT_TRUE(HasMessageRow(log));  // the failed run below must not have them

  fs::path group = ProgramsFolder() / L"Zelmorant10.1";
  for (const std::wstring& name : language.linkNames) {
    EXPECT_TRUE(fs::exists(group / name)) << fs::path(name).string();
    EXPECT_TRUE(LinkTarget(group / name).wstring().starts_with(dir)) << fs::path(name).string();
  }
}

TEST_F(InstallTest, InstallsInEnglish) {
  InstallIn(kEnglish, kFolder);
  ExpectInstalled(kEnglish);
}

TEST_F(InstallTest, InstallsInSimplifiedChinese) {
  InstallIn(kSimplified, kFolder);
  ExpectInstalled(kSimplified);
}

TEST_F(InstallTest, InstallsInTraditionalChinese) {
  InstallIn(kTraditional, kFolder);
  ExpectInstalled(kTraditional);
}

TEST_F(InstallTest, InstallingTwiceReplacesTheFiles) {
  InstallIn(kEnglish, kFolder);
  std::ofstream(fs::path(kFolder) / L"ZMLib.txt", std::ios::binary) << "changed by the user";
  InstallIn(kEnglish, L"  " + kFolder + L"\\  ");
  ExpectInstalled(kEnglish);
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
  for (const std::wstring& folder : {std::wstring(L"C:"), std::wstring(L"C:\\\\"),
                                     std::wstring(L"C:\\Tools\\\\Sub"), std::wstring(L"   ")}) {
    SetItemText(setting, IDC_FOLDER, folder);
    Click(wizard, IDC_WIZARD_NEXT);
    std::optional<MessageBoxSeen> box = WaitForMessageBox(installer.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"Invalid path!");
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

TEST_F(InstallTest, ALockedTargetFailsTheRun) {
  // Wine lets an administrator overwrite a read-only file, so the target is
  // held open without sharing instead: the installer cannot create it.
  fs::create_directories(kFolder);
  fs::path locked = fs::path(kFolder) / L"ZMConfig.exe";
  std::ofstream(locked) << "old";
  winfx::CHandle lock(CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock.IsValid());

  HWND wizard = StartWizard(kEnglish);
  GoToSettingPage(wizard, kFolder);
  LeaveSettingPage(wizard);
  std::optional<MessageBoxSeen> failed = WaitForMessageBox(installer.Id(), 60s);
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->text, L"Setup failed!");
  Answer(*failed, IDOK);
  EXPECT_EQ(installer.WaitForExit(), 0u);
  lock.Close();

  // Entries are unpacked in archive order: the ones before the locked file
  // were written and logged, nothing after it.
  std::string log = ReadBytes(fs::path(kFolder) / L"uninstall.ini");
  EXPECT_EQ(ReadBytes(locked), "old");
  EXPECT_EQ(log.find("ZMConfig.exe"), std::string::npos) << log;
  EXPECT_FALSE(HasMessageRow(log)) << log;
  EXPECT_FALSE(fs::exists(fs::path(kFolder) / L"Zelmorant.ini"));
  for (const fs::path& entry : PayloadFiles(L"product")) {
    bool before = entry.filename().wstring() < L"ZMConfig.exe";
    std::string record = "P0,C:\\ZM Test\\Zelmorant10.1\\" + entry.filename().string() + ",0\r\n";
    EXPECT_EQ(log.find(record) != std::string::npos, before) << record;
  }
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
LRESULT ContentsEntries(HWND viewer) {
  HWND tree = nullptr;
  EnumChildWindows(
      viewer,
      [](HWND child, LPARAM found) -> BOOL {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        if (std::wstring(className) != WC_TREEVIEWW) return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tree));
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
  std::ofstream(fs::path(kFolder) / L"Ostrevia.ini", std::ios::binary)
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
                                    {"950", L"設置", ViewerTitle(L"Ostrevia 幫助", 950)},
                                    {"437", L"Setting", L"Ostrevia Help"}};
  for (const HelpLanguage& language : languages) {
    SCOPED_TRACE(language.codePage);
    CProcess assistant;
    ExpectF1OpensTheHelpFiles(assistant, language);
    assistant.Kill();
  }
}

// Paths that the system removes at the next restart, as Windows records them.
std::wstring PendingRemovals() {
  std::wstring names(8192, L'\0');
  DWORD size = static_cast<DWORD>(names.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager",
                   L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, names.data(),
                   &size) != ERROR_SUCCESS) {
    return L"";
  }
  names.resize(size / sizeof(wchar_t));
  std::replace(names.begin(), names.end(), L'\0', L'|');
  return names;
}

// Puts a file of the user's into the install folder, runs the installed
// uninstaller, answers it, then checks what is gone and what stayed.
void UninstallKeepingAUserFile(const Language& language) {
  const fs::path userFile = fs::path(kFolder) / L"My BOM.xls";
  std::ofstream(userFile, std::ios::binary) << "the draughtsman's own bill of materials";

  CProcess uninstaller;
  ASSERT_TRUE(uninstaller.Start(fs::path(kFolder) / L"uninstall.exe"));
  std::optional<MessageBoxSeen> question = WaitForMessageBox(uninstaller.Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(question->text, L"Are you sure you want uninstall Zelmorant10.1?");
  EXPECT_EQ(question->caption, L"Uninstall");
  Answer(*question, IDYES);
  std::optional<MessageBoxSeen> done = WaitForMessageBox(uninstaller.Id(), 60s);
  ASSERT_TRUE(done);
  EXPECT_TRUE(done->text.starts_with(L"Uninstall succeed!")) << fs::path(done->text).string();
  EXPECT_NE(done->text.find(L"\n  " + kFolder + L"\n    My BOM.xls"), std::wstring::npos)
      << fs::path(done->text).string();
  EXPECT_NE(done->text.find(kFolder + L"\\uninstall.exe will be removed after restart"), std::wstring::npos);
  Answer(*done, IDOK);
  EXPECT_EQ(uninstaller.WaitForExit(), 0u);

  EXPECT_FALSE(KeyExists(L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1"));
  EXPECT_FALSE(KeyExists(L"SOFTWARE\\Zelmorant10.1"));
  for (const wchar_t* product :
       {L"R14.0\\ACAD-1:409", L"R15.0\\ACAD-1:804", L"R16.2\\ACAD-201:409", L"R17.1\\ACAD-6001:409"}) {
    std::wstring key = kAcadKey + L"\\" + product;
    EXPECT_FALSE(KeyExists(key + L"\\Applications\\Zelmorant10.1")) << fs::path(product).string();
    EXPECT_EQ(ReadString(key, L"ProductName").substr(0, 7), L"AutoCAD");  // the CAD product stays
  }

  for (const fs::path& entry : PayloadFiles(L"product")) {
    bool running = entry.filename() == L"uninstall.exe";
    EXPECT_EQ(fs::exists(fs::path(kFolder) / entry.filename()), running) << entry.filename();
  }
  for (const fs::path& entry : PayloadFiles(L"system")) {
    EXPECT_FALSE(fs::exists(SystemFolder() / entry.filename())) << entry.filename();
  }
  for (const wchar_t* name : {L"Zelmorant.ini", L"uninstall.ini"}) {
    EXPECT_FALSE(fs::exists(fs::path(kFolder) / name)) << fs::path(name).string();
  }
  for (const std::wstring& link : language.linkNames) {
    EXPECT_FALSE(fs::exists(ProgramsFolder() / L"Zelmorant10.1" / link)) << fs::path(link).string();
  }
  EXPECT_FALSE(fs::exists(ProgramsFolder() / L"Zelmorant10.1"));
  EXPECT_EQ(ReadBytes(userFile), "the draughtsman's own bill of materials");
  std::wstring pending = PendingRemovals();
  EXPECT_NE(pending.find(kFolder + L"\\uninstall.exe"), std::wstring::npos) << fs::path(pending).string();
  EXPECT_EQ(pending.find(kFolder + L"|"), std::wstring::npos) << "the folder still holds the user's file";
}

TEST_F(InstallTest, UninstallRemovesWhatTheLogNamesAndKeepsTheUsersFiles) {
  InstallIn(kEnglish, kFolder);
  UninstallKeepingAUserFile(kEnglish);
}

// The log holds the shortcut names in the installer's code page.
TEST_F(InstallTest, UninstallAfterASimplifiedChineseInstallation) {
  InstallIn(kSimplified, kFolder);
  UninstallKeepingAUserFile(kSimplified);
}

TEST_F(InstallTest, UninstallAfterATraditionalChineseInstallation) {
  InstallIn(kTraditional, kFolder);
  UninstallKeepingAUserFile(kTraditional);
}

TEST_F(InstallTest, UninstallWithoutALogRemovesNothing) {
  const fs::path folder = L"C:\\ZM Test\\Copied";
  fs::create_directories(folder);
  fs::path program = folder / L"uninstall.exe";
  fs::copy_file(fs::absolute(L"..\\..\\setup\\payload\\product\\uninstall.exe"), program);
  std::ofstream(folder / L"ZMLib.txt") << "stays";

  CProcess uninstaller;
  ASSERT_TRUE(uninstaller.Start(program));
  std::optional<MessageBoxSeen> box = WaitForMessageBox(uninstaller.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, L"Can't process " + folder.wstring() +
                           L"\\uninstall.ini\n\nThe uninstall log cannot be read. Nothing was removed.");
  EXPECT_EQ(box->caption, L"Uninstall");
  Answer(*box, IDOK);
  EXPECT_EQ(uninstaller.WaitForExit(), 1u);
  EXPECT_TRUE(fs::exists(program));
  EXPECT_EQ(ReadBytes(folder / L"ZMLib.txt"), "stays");
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
  std::optional<MessageBoxSeen> question = WaitForMessageBox(uninstaller.Id());
  ASSERT_TRUE(question);
  Answer(*question, IDYES);
  std::optional<MessageBoxSeen> done = WaitForMessageBox(uninstaller.Id(), 60s);
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

}  // namespace

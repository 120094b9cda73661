// F1 help against Wine's own HTML Help control: the registry read, the
// loader and entry 14 of the real adapter, the program folder, and what the
// control returns for help files it cannot open.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "assistant/texts/text_tables.h"
#include "assistant/ui/help_access_win32.h"
#include "assistant/ui/html_help_platform_win32.h"
#include "tests/wine/driver/ui_driver.h"

namespace {

constexpr wchar_t kTestClassKey[] = L"Software\\Classes\\ZmHelpWineTest";
constexpr char16_t kTestClassSubkey[] = u"ZmHelpWineTest";

// A host with the real program folder that keeps its messages instead of
// showing them.
class CCapturingHelpHost : public CWin32HelpHost {
 public:
  void ShowStopMessage(WindowHandle owner, std::string_view text, unsigned codePage) override {
    messages.emplace_back(text);
    owners.push_back(owner);
    codePages.push_back(codePage);
  }
  std::vector<std::string> messages;
  std::vector<WindowHandle> owners;
  std::vector<unsigned> codePages;
};

std::u16string Lower(std::u16string text) {
  for (char16_t& c : text) c = static_cast<char16_t>(towlower(c));
  return text;
}

bool EndsWith(const std::u16string& text, std::u16string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

BOOL CALLBACK CountIfOwnVisible(HWND hwnd, LPARAM counter) {
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

// Visible top-level windows of this process.
int CountOwnWindows() {
  int count = 0;
  EnumWindows(CountIfOwnVisible, reinterpret_cast<LPARAM>(&count));
  return count;
}

void SetClassDefault(DWORD type, const std::wstring& value) {
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExW(HKEY_LOCAL_MACHINE, kTestClassKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  RegSetValueExW(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

}  // namespace

TEST(HelpWine, TheAdapterBindsWinesHtmlHelpControl) {
  CWin32HtmlHelpPlatform platform;
  std::u16string server;
  ASSERT_TRUE(platform.ReadClassesRootDefault(kHtmlHelpServerKey, server));
  EXPECT_TRUE(EndsWith(Lower(server), u"\\hhctrl.ocx"));

  LibraryHandle byPath = platform.OpenLibrary(server);
  LibraryHandle byName = platform.OpenLibrary(kHtmlHelpLibrary);
  ASSERT_NE(byName, 0u);
  EXPECT_EQ(byPath, byName);

  // Entry 14 is the narrow help entry.
  EntryAddress entry = platform.FindExport(byName, kHtmlHelpEntryOrdinal);
  EXPECT_NE(entry, 0u);
  EXPECT_EQ(entry,
            reinterpret_cast<EntryAddress>(GetProcAddress(reinterpret_cast<HMODULE>(byName), "HtmlHelpA")));
  EXPECT_EQ(platform.FindExport(byName, 9999), 0u);
  EXPECT_EQ(platform.OpenLibrary(u"zm_no_such_control.ocx"), 0u);
}

TEST(HelpWine, RegistryReadExpandsPathsAndRefusesTooLongOnes) {
  CWin32HtmlHelpPlatform platform;
  std::u16string value;
  EXPECT_FALSE(platform.ReadClassesRootDefault(kTestClassSubkey, value));

  SetClassDefault(REG_EXPAND_SZ, L"%SystemRoot%\\system32\\hhctrl.ocx");
  ASSERT_TRUE(platform.ReadClassesRootDefault(kTestClassSubkey, value));
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  std::u16string expected = reinterpret_cast<const char16_t*>(system);
  EXPECT_EQ(Lower(value), Lower(expected + u"\\hhctrl.ocx"));

  SetClassDefault(REG_SZ, L"C:\\" + std::wstring(300, L'x') + L".ocx");
  EXPECT_FALSE(platform.ReadClassesRootDefault(kTestClassSubkey, value));

  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kTestClassKey);
}

TEST(HelpWine, HelpFilesTheControlCannotOpenGiveNoViewer) {
  CWin32HtmlHelpPlatform platform;
  HtmlHelpBinding binding(platform);
  CCapturingHelpHost host;
  std::string folder = host.ProgramFolder();
  {
    std::ofstream notHelp("not_a_help_file.chm", std::ios::binary);
    notHelp << "not a compiled help file";
  }

  EXPECT_EQ(binding.Call(0, folder + "missing.chm", kHelpCommandContext, kHelpTopic), 0u);
  EXPECT_EQ(binding.Call(0, folder + "not_a_help_file.chm", kHelpCommandContext, kHelpTopic), 0u);
  EXPECT_TRUE(binding.IsBound());
  EXPECT_FALSE(binding.HasFailed());
  EXPECT_EQ(CountOwnWindows(), 0);
  std::remove("not_a_help_file.chm");
}

TEST(HelpWine, F1WithoutHelpFilesTellsWhichFileIsMissing) {
  CCapturingHelpHost host;
  std::string folder = host.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_NE(GetFileAttributesA((folder + "help_wine_test.exe").c_str()), INVALID_FILE_ATTRIBUTES);

  SelectTextTable(437);
  ShowHelp(0x1234, ProcessHtmlHelp(), host);
  ShowSettingsHelp(0x1234, ProcessHtmlHelp(), host);
  EXPECT_EQ(host.messages, (std::vector<std::string>{"Can't open help file:ZMEng.chm!",
                                                     "Can't open help file:zelmorant.chm!"}));
  EXPECT_TRUE(ProcessHtmlHelp().IsBound());
}

TEST(HelpWine, TheMessageBoxShowsTheTableTextUnderTheAssistantsCaption) {
  SelectTextTable(950);
  std::wstring seen;
  std::thread reader([&] { seen = uidriver::AnswerMessageBoxTitled(L"Ostrevia3.5"); });
  ShowHelp(nullptr);
  reader.join();
  EXPECT_EQ(seen, L"沒有找到幫助文件:ZMCHT.chm!");
}

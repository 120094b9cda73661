// The install engine's Win32 adapters against the real API under Wine: the
// registry, shell links, resources of this program, system folders, and one
// complete installation run into a folder of the prefix.

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/code_page.h"
#include "setup/engine/demand_load.h"
#include "setup/engine/installation.h"
#include "setup/engine/registry_key.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"
#include "setup/engine/win32_registry.h"
#include "setup/engine/win32_setup_adapters.h"
#include "tests/unit/fakes/setup_fakes.h"

namespace {

constexpr char kTestKey[] = "Software\\ZmSetupWineTest";

std::string Big5(const char16_t* text) { return EncodeToCodePage(text, kCodePageBig5); }

std::wstring Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

std::string ReadWide(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes;
}

std::string ReadLocal(const char* name) {
  std::ifstream file(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring TempFolderW() {
  wchar_t buffer[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, buffer);
  return buffer;
}

int CountTempArchives() {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((TempFolderW() + L"ZMsetup*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 1;
  while (FindNextFileW(search, &found)) ++count;
  FindClose(search);
  return count;
}

// The target of a link, read back through the shell-link interface.
std::wstring LinkTarget(const std::wstring& linkPath) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return L"<no shell link>";
  }
  std::wstring target = L"<not loaded>";
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
      // The item list is what the shell follows; Wine's GetPath answers
      // from the link's ANSI copy of the path, which loses Chinese names.
      PIDLIST_ABSOLUTE list = nullptr;
      wchar_t path[MAX_PATH] = {};
      if (SUCCEEDED(link->GetIDList(&list)) && list && SHGetPathFromIDListW(list, path)) target = path;
      CoTaskMemFree(list);
    }
    file->Release();
  }
  link->Release();
  return target;
}

class CComSession {
 public:
  CComSession() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~CComSession() { CoUninitialize(); }
};

// The arguments of the recorded calls of one kind ("stop", "range", ...).
std::vector<std::string> ProgressCalls(const CRecordingProgress& progress, const std::string& kind) {
  std::vector<std::string> calls;
  for (const std::string& event : progress.events) {
    if (event == kind) calls.emplace_back();
    if (event.starts_with(kind + " ")) calls.push_back(event.substr(kind.size() + 1));
  }
  return calls;
}

}  // namespace

TEST(Win32Registry, CreatesEnumeratesAndReadsThroughCRegistryKey) {
  Win32Registry registry(kCodePageBig5);
  {
    CRegistryKey key(registry);
    ASSERT_TRUE(key.SetRootKey(kHkeyCurrentUser));
    EXPECT_FALSE(key.Open(kTestKey, false));
    EXPECT_EQ(key.LastError(), ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(key.Open(std::string(kTestKey) + "\\R16.2", true));
    EXPECT_TRUE(key.WriteString("ProductName", Big5(u"AutoCAD 2006 繁體")));
    EXPECT_TRUE(key.WriteDword("LOADCTRLS", 2));
    EXPECT_TRUE(key.WriteString("Longest", std::string(254, 'x')));
    EXPECT_FALSE(key.WriteString("TooLong", std::string(255, 'x')));
    ASSERT_TRUE(key.Open(std::string(kTestKey) + "\\R15.0", true));
  }
  // The string arrives as real UTF-16 in the registry.
  wchar_t wide[64] = {};
  DWORD size = sizeof wide;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\ZmSetupWineTest\\R16.2", L"ProductName",
                         RRF_RT_REG_SZ, nullptr, wide, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(wide), Wide(u"AutoCAD 2006 繁體"));

  CRegistryKey parent(registry);
  parent.SetRootKey(kHkeyCurrentUser);
  ASSERT_TRUE(parent.Open(kTestKey, false));
  std::vector<std::string> names;
  for (std::uint32_t index = 0;; ++index) {
    CRegistryKey child(registry);
    std::string name;
    if (!parent.EnumSubKey(index, &name, &child)) break;
    names.push_back(name);
    if (name != "R16.2") continue;
    std::string value = "unchanged";
    EXPECT_TRUE(child.ReadString("ProductName", &value));
    EXPECT_EQ(value, Big5(u"AutoCAD 2006 繁體"));
    EXPECT_EQ(child.GetValueType("LOADCTRLS"), static_cast<std::uint32_t>(REG_DWORD));
    EXPECT_EQ(child.GetValueType("ProductName"), static_cast<std::uint32_t>(REG_SZ));
    value = "unchanged";
    EXPECT_FALSE(child.ReadString("LOADCTRLS", &value));
    EXPECT_FALSE(child.ReadString("TooLong", &value));
    EXPECT_EQ(value, "unchanged");
    EXPECT_TRUE(child.ReadString("Longest", &value));
    EXPECT_EQ(value.size(), 254u);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"R15.0", "R16.2"}));

  // Deleting as the uninstaller does (and as the in-memory registry models
  // it): a key with subkeys only as a whole tree.
  const std::string r16 = std::string(kTestKey) + "\\R16.2";
  EXPECT_EQ(registry.DeleteKey(kHkeyCurrentUser, kTestKey), ERROR_ACCESS_DENIED);
  EXPECT_EQ(registry.DeleteKey(kHkeyCurrentUser, std::string(kTestKey) + "\\R15.0"), ERROR_SUCCESS);
  RegistryHandle opened = 0;
  ASSERT_EQ(registry.OpenKey(kHkeyCurrentUser, r16, &opened), ERROR_SUCCESS);
  EXPECT_EQ(registry.DeleteValue(opened, "Longest"), ERROR_SUCCESS);
  EXPECT_EQ(registry.DeleteValue(opened, "Longest"), ERROR_FILE_NOT_FOUND);
  registry.CloseKey(opened);
  EXPECT_EQ(registry.DeleteTree(kHkeyCurrentUser, kTestKey), ERROR_SUCCESS);
  EXPECT_EQ(registry.OpenKey(kHkeyCurrentUser, kTestKey, &opened), ERROR_FILE_NOT_FOUND);
}

TEST(Win32Registry, SetRootKeyRefusesOtherHandlesAndReadsAtTheRoot) {
  Win32Registry registry(kCodePageBig5);
  CRegistryKey key(registry);
  for (HKEY refused : {HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY(nullptr)}) {
    EXPECT_FALSE(key.SetRootKey(reinterpret_cast<RegistryHandle>(refused)));
    EXPECT_EQ(key.Root(), kHkeyCurrentUser);
  }
  ASSERT_TRUE(key.SetRootKey(kHkeyLocalMachine));
  EXPECT_TRUE(key.Open("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", false));
  std::string value;
  EXPECT_TRUE(key.ReadString("CurrentVersion", &value));
  EXPECT_FALSE(value.empty());
}

TEST(CreateShellLink, WritesALinkWithItsChineseNameAndTarget) {
  CComSession com;
  CWin32ShellLinks links(kCodePageBig5);
  std::wstring folder = TempFolderW() + Wide(u"捷徑測試");
  CreateDirectoryW(folder.c_str(), nullptr);
  std::string folderBytes = EncodeToCodePage(std::u16string(folder.begin(), folder.end()), kCodePageBig5);
  std::string link = folderBytes + "\\" + Big5(u"Zelmorant幫助.lnk");
  EXPECT_TRUE(links.CreateShellLink("C:\\Zm\\ZMCht.chm", link));
  EXPECT_TRUE(links.CreateShellLink(Big5(u"C:\\Zm\\說明.chm"), link)) << "an existing link is replaced";

  std::wstring linkW = folder + L"\\" + Wide(u"Zelmorant幫助.lnk");
  ASSERT_TRUE(Exists(linkW));
  EXPECT_EQ(LinkTarget(linkW), Wide(u"C:\\Zm\\說明.chm"));
  DeleteFileW(linkW.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST(CWin32Resources, ExtractsThisProgramsFileResources) {
  CWin32Resources resources;
  CWin32FileSystem files(kCodePageBig5);
  std::wstring pathW = TempFolderW() + Wide(u"資源.zip");
  std::string path = EncodeToCodePage(std::u16string(pathW.begin(), pathW.end()), kCodePageBig5);
  ASSERT_TRUE(ExtractResourceToFile(resources, files, kProductArchiveId, path));
  std::string expected = ReadLocal("setup_product.zip");
  ASSERT_GT(expected.size(), 100u);
  EXPECT_EQ(ReadWide(pathW), expected);
  EXPECT_FALSE(ExtractResourceToFile(resources, files, 141, path));
  EXPECT_TRUE(files.RemoveFile(path));
  EXPECT_FALSE(Exists(pathW));
}

TEST(CWin32SystemFolders, NamesTheSystemAndTemporaryFolders) {
  CWin32SystemFolders folders(kCodePageBig5);
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  std::string folder;
  ASSERT_TRUE(folders.GetSystemFolder(&folder));
  EXPECT_EQ(DecodeFromCodePage(folder, kCodePageBig5), std::u16string(system, system + wcslen(system)));

  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  std::string first;
  std::string second;
  ASSERT_TRUE(folders.MakePrivateTempFolder(&first));
  ASSERT_TRUE(folders.MakePrivateTempFolder(&second));
  EXPECT_NE(first, second);
  for (const std::string& name : {first, second}) {
    std::wstring wide(name.begin(), name.end());
    EXPECT_EQ(wide.rfind(std::wstring(temp) + L"ZMsetup", 0), 0u) << name;
    EXPECT_EQ(wide.back(), L'\\');
    EXPECT_TRUE(RemoveDirectoryW(wide.c_str())) << "made empty: " << name;
  }
  std::string programs;
  EXPECT_TRUE(folders.GetProgramsFolder(&programs));
  EXPECT_NE(programs.find("Programs"), std::string::npos) << programs;
}

TEST(RunInstallation, InstallsIntoAFolderOfThePrefix) {
  CComSession com;
  SetLanguage(950);
  std::wstring installW = TempFolderW() + Wide(u"安裝測試\\");
  CreateDirectoryW(installW.c_str(), nullptr);
  // Paths are UTF-8 whatever the language; the log stores those its ANSI
  // code page cannot hold as marked UTF-8.
  g_ansiCodePage = GetACP();
  g_installDir = EncodeToCodePage(std::u16string(installW.begin(), installW.end()), kCodePageUtf8);

  Win32Registry registry(kCodePageUtf8);
  CWin32FileSystem files(kCodePageUtf8);
  CWin32SystemFolders folders(kCodePageUtf8);
  CWin32Resources resources;
  CWin32ShellLinks links(kCodePageUtf8);
  CRecordingProgress progress;
  CWin32Pacer pacer;
  OpenUninstallLog(files);
  ASSERT_TRUE(g_uninstallLog.IsOpen());
  RegisterCheckedProducts(registry, {});
  InstallEnvironment env{registry, files, folders, resources, links, progress, pacer};
  int tempArchivesBefore = CountTempArchives();
  ASSERT_TRUE(RunInstallation(env));
  g_uninstallLog.Close();
  EXPECT_EQ(CountTempArchives(), tempArchivesBefore);

  EXPECT_EQ(ProgressCalls(progress, "stop").size(), 1u);
  EXPECT_EQ(ProgressCalls(progress, "range"), (std::vector<std::string>{"0 4"}));
  EXPECT_EQ(ProgressCalls(progress, "position"), (std::vector<std::string>{"0", "2", "3"}));
  EXPECT_TRUE(ProgressCalls(progress, "message").empty());
  EXPECT_EQ(ProgressCalls(progress, "label").back(), "正在創建快截方式...");

  EXPECT_EQ(ReadWide(installW + L"ZMLib.txt"), ReadLocal("setup_product/ZMLib.txt"));
  EXPECT_EQ(ReadWide(installW + L"Ostrevia.exe"), ReadLocal("setup_product/Ostrevia.exe"));
  EXPECT_FALSE(Exists(installW + L"help"));
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring systemFile = std::wstring(system) + L"\\ZMTest.dll";
  EXPECT_EQ(ReadWide(systemFile), ReadLocal("setup_system/ZMTest.dll"));
  EXPECT_NE(ReadWide(installW + L"Zelmorant.ini").find("\r\nLanguage=950\r\n"), std::string::npos);

  std::string log = ReadWide(installW + L"uninstall.ini");
  EXPECT_EQ(log.rfind("J0,2,SOFTWARE\\Zelmorant10.1,\r\n", 0), 0u);
  EXPECT_NE(log.find("P0," + StoredPath(g_installDir + "ZMLib.txt") + ",0\r\n"), std::string::npos);
  std::string systemBytes = EncodeToCodePage(std::u16string(system, system + wcslen(system)), GetACP());
  EXPECT_NE(log.find("P0," + systemBytes + "\\ZMTest.dll,0\r\n"), std::string::npos);
  EXPECT_NE(log.find("U0," + StoredPath(g_installDir.substr(0, g_installDir.size() - 1)) + ",0\r\n"),
            std::string::npos);
  EXPECT_TRUE(log.ends_with("A81,Checking the installed program...\r\n"));

  wchar_t programs[MAX_PATH];
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, programs, CSIDL_PROGRAMS, FALSE));
  std::wstring group = std::wstring(programs) + L"\\Zelmorant10.1\\";
  EXPECT_EQ(LinkTarget(group + L"Ostrevia.lnk"), installW + L"Ostrevia.exe");
  EXPECT_EQ(LinkTarget(group + Wide(u"Zelmorant幫助.lnk")), installW + L"ZMCht.chm");
  EXPECT_EQ(LinkTarget(group + Wide(u"卸載Zelmorant.lnk")), installW + L"uninstall.exe");

  wchar_t uninstall[MAX_PATH] = {};
  DWORD size = sizeof uninstall;
  EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE,
                         L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zelmorant10.1",
                         L"UninstallString", RRF_RT_REG_SZ, nullptr, uninstall, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(uninstall), L"\"" + installW + L"uninstall.exe\"");

  // A second run replaces everything without error; a file that another
  // program holds open then stops a third (Wine's root ignores read-only).
  EXPECT_TRUE(RunInstallation(env));
  HANDLE held =
      CreateFileW((installW + L"Ostrevia.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(RunInstallation(env));
  CloseHandle(held);
  EXPECT_EQ(CountTempArchives(), tempArchivesBefore);
  DeleteFileW(systemFile.c_str());
}

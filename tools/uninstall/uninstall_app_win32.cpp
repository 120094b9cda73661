// uninstall.exe: reads "uninstall.ini" beside itself, asks once, removes
// what the log names within the product's places, and says what it did;
// with /S it neither asks nor says. The work is done by a temporary copy of
// the program (see temporary_copy.h), so that the program and its folder go
// at once.
// The log stores paths in the ANSI code page (or UTF-8, marked) and message
// rows in the language's (see DecodeUninstallLog); the program works in
// UTF-8 and shows every text through the wide-character API.

#include <shlobj.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <optional>
#include <string>

#include "base/code_page.h"
#include "setup/engine/win32_registry.h"
#include "setup/engine/win32_setup_adapters.h"
#include "tools/uninstall/progress_window.h"
#include "tools/uninstall/temporary_copy.h"
#include "tools/uninstall/uninstall_log_parser.h"
#include "tools/uninstall/uninstall_paths.h"
#include "tools/uninstall/uninstaller.h"
#include "winfx/dll_search.h"
#include "winfx/message_box.h"

namespace {

constexpr char kLogName[] = "uninstall.ini";

std::wstring WideFromUtf8(const std::string& text) { return DecodeToWide(text, kCodePageUtf8); }

std::string Utf8FromWide(const std::wstring& text) { return EncodeFromWide(text, kCodePageUtf8); }

std::string SpecialFolder(int id) {
  wchar_t buffer[MAX_PATH];
  if (!SHGetSpecialFolderPathW(nullptr, buffer, id, FALSE)) return {};
  return Utf8FromWide(buffer);
}

std::string SystemFolder() {
  wchar_t buffer[MAX_PATH];
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Utf8FromWide(buffer) : std::string();
}

// The long form, as the installer logged it, even when the program was
// started by a short name.
std::string OwnProgramPath() {
  std::wstring buffer(32768, L'\0');
  DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  std::wstring longPath(32768, L'\0');
  length = GetLongPathNameW(buffer.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
  if (length == 0 || length >= longPath.size()) return Utf8FromWide(buffer);
  longPath.resize(length);
  return Utf8FromWide(longPath);
}

// The places the removal policy trusts: this program's folder, not the
// log's idea of it.
ProductPlaces FindProductPlaces(const std::string& ownProgram) {
  ProductPlaces places;
  places.installFolder = std::string(ParentPath(ownProgram));
  places.systemFolder = SystemFolder();
  places.programsFolders = {SpecialFolder(CSIDL_PROGRAMS), SpecialFolder(CSIDL_COMMON_PROGRAMS)};
  return places;
}

class CMessageBoxPrompt : public UninstallPrompt {
 public:
  CMessageBoxPrompt(const CUninstallMessages& messages, bool silent)
      : m_messages(messages), m_silent(silent) {}

  bool AskRetry(const std::string& path) override {
    return !m_silent && winfx::ShowMessageBox(nullptr, m_messages.Format(kMsgCannotRemoveRetry, path),
                                              m_messages.Text(kMsgCaption), kCodePageUtf8,
                                              MB_RETRYCANCEL | MB_ICONWARNING) == IDRETRY;
  }

 private:
  const CUninstallMessages& m_messages;
  bool m_silent;
};

int Show(const CUninstallMessages& messages, const std::string& text, UINT flags) {
  return winfx::ShowMessageBox(nullptr, text, messages.Text(kMsgCaption), kCodePageUtf8, flags);
}

// The whole file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  LARGE_INTEGER size{};
  std::string bytes;
  bool read = GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20);
  if (read) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    read = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
                             got == bytes.size());
  }
  CloseHandle(file);
  if (!read) return std::nullopt;
  return bytes;
}

// The installer's code page, from its settings file in `folder`; the
// machine's ANSI code page when that file does not say.
unsigned LogCodePage(const std::string& folder) {
  std::optional<std::string> settings = ReadWholeFile(folder + "\\" + kInstallerSettingsName);
  unsigned codePage = InstallerCodePage(settings.value_or(""), CP_ACP);
  return IsValidCodePage(codePage) ? codePage : CP_ACP;
}

// The whole log, converted to UTF-8; nothing when it cannot be read.
std::optional<std::string> ReadLog(const std::string& folder) {
  std::optional<std::string> bytes = ReadWholeFile(folder + "\\" + kLogName);
  if (!bytes) return std::nullopt;
  return DecodeUninstallLog(*bytes, GetACP(), LogCodePage(folder));
}

int ReportUnusableLog(const CUninstallMessages& messages, const std::string& path, const char* why,
                      bool silent) {
  if (silent) return 1;
  Show(messages, messages.Format(kMsgCannotProcess, path) + "\n\n" + why + " Nothing was removed.",
       MB_OK | MB_ICONERROR);
  return 1;
}

bool Confirm(const CUninstallMessages& messages) {
  std::string question = messages.Format(kMsgConfirm, messages.Text(kMsgProductName));
  return Show(messages, question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// The log's records, and the uninstaller's own program, its log and its
// folder, which a log cut short by a failed installation does not name.
std::vector<UninstallRecord> RecordsWithOwnFiles(const ParsedUninstallLog& log,
                                                 const std::string& ownProgram) {
  std::string folder(ParentPath(ownProgram));
  std::vector<UninstallRecord> records = log.records;
  records.push_back({RecordKind::kFile, ownProgram});
  records.push_back({RecordKind::kFile, folder + "\\" + kLogName});
  records.push_back({RecordKind::kFolder, folder});
  return records;
}

UninstallReport RemoveProduct(const ParsedUninstallLog& log, const std::string& ownProgram,
                              SetupFileSystem& files, bool silent, UninstallProgress* progress) {
  CRemovalPolicy policy(FindProductPlaces(ownProgram), kUninstallProductName);
  Win32Registry registry(kCodePageUtf8);
  CMessageBoxPrompt prompt(log.messages, silent);
  CUninstaller uninstaller(UninstallServices{files, registry, prompt, progress}, policy, ownProgram);
  return uninstaller.Run(BuildUninstallPlan(RecordsWithOwnFiles(log, ownProgram), policy));
}

std::string SkippedLinesNote(int malformedLines) {
  if (malformedLines == 0) return {};
  return "\n\n" + std::to_string(malformedLines) + " unreadable line(s) of the uninstall log were skipped.";
}

std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> arguments;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!list) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(list[i]);
  LocalFree(list);
  return arguments;
}

// The whole uninstall of the program at `ownProgram`; its exit code.
int Uninstall(UninstallSwitches& switches, const std::string& ownProgram) {
  const std::string folder(ParentPath(ownProgram));
  const std::string logPath = folder + "\\" + kLogName;
  std::optional<std::string> text = ReadLog(folder);
  if (!text) {
    return ReportUnusableLog(CUninstallMessages(), logPath, "The uninstall log cannot be read.",
                             switches.silent);
  }
  ParsedUninstallLog log = ParseUninstallLog(*text);
  if (log.records.empty()) {
    return ReportUnusableLog(log.messages, logPath, "The uninstall log names nothing to remove.",
                             switches.silent);
  }
  if (!switches.silent && !Confirm(log.messages)) return 0;
  CWin32FileSystem system(kCodePageUtf8);
  CAfterOriginalFiles files(system, !switches.origin.empty());
  std::optional<CProgressWindow> window;
  if (!switches.silent) window.emplace(log.messages).Show();
  UninstallProgress* progress = window ? &*window : nullptr;
  UninstallReport report = RemoveProduct(log, ownProgram, files, switches.silent, progress);
  int exitCode = report.Complete() ? 0 : 2;
  if (progress) progress->BeginStage(kMsgWaiting, 1);  // for the original to end
  HandOverToOriginal(switches, exitCode);
  files.RemovePending(report);
  window.reset();
  if (!switches.silent) {
    Show(log.messages, ComposeReportText(report, log.messages) + SkippedLinesNote(log.malformedLines),
         MB_OK | (report.Complete() ? MB_ICONINFORMATION : MB_ICONWARNING));
  }
  return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  winfx::RestrictDllSearch();
  UninstallSwitches switches = ParseUninstallSwitches(CommandLineArguments());
  if (switches.origin.empty()) {
    std::string ownProgram = OwnProgramPath();
    std::optional<int> copyResult = RunFromTemporaryCopy(WideFromUtf8(ownProgram), switches.silent);
    return copyResult ? *copyResult : Uninstall(switches, ownProgram);
  }
  int exitCode = Uninstall(switches, Utf8FromWide(switches.origin));
  HandOverToOriginal(switches, exitCode);  // when it ended before handing over
  LeaveOwnFolder(switches);
  return exitCode;
}

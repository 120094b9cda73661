#include "tests/wine/file_links.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string>

#include "winfx/handles.h"

namespace fs = std::filesystem;

namespace {

// The mount-point form of a reparse buffer, which the SDK headers of
// user-mode programs leave out.
struct MountPointBuffer {
  DWORD tag;
  WORD dataLength;
  WORD reserved;
  WORD substituteOffset;
  WORD substituteLength;
  WORD printOffset;
  WORD printLength;
  wchar_t names[MAX_PATH * 2 + 8];
};

bool MakeJunction(const fs::path& link, const fs::path& target) {
  if (!CreateDirectoryW(link.c_str(), nullptr)) return false;
  winfx::CHandle folder(CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  const std::wstring substitute = L"\\??\\" + target.wstring();
  const std::wstring print = target.wstring();
  MountPointBuffer buffer{};
  buffer.tag = IO_REPARSE_TAG_MOUNT_POINT;
  buffer.substituteLength = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
  buffer.printOffset = static_cast<WORD>(buffer.substituteLength + sizeof(wchar_t));
  buffer.printLength = static_cast<WORD>(print.size() * sizeof(wchar_t));
  std::memcpy(buffer.names, substitute.c_str(), buffer.substituteLength + sizeof(wchar_t));
  std::memcpy(reinterpret_cast<char*>(buffer.names) + buffer.printOffset, print.c_str(),
              buffer.printLength + sizeof(wchar_t));
  buffer.dataLength =
      static_cast<WORD>(4 * sizeof(WORD) + buffer.printOffset + buffer.printLength + sizeof(wchar_t));
  DWORD returned = 0;
  const bool made =
      folder.IsValid() && DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, &buffer,
                                          buffer.dataLength + 8, nullptr, 0, &returned, nullptr);
  folder.Close();
  if (!made) RemoveDirectoryW(link.c_str());
  return made;
}

bool IsReparsePoint(const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The host's path of a Windows path, from Wine's own conversion; empty when
// the program does not run under Wine.
std::string HostPath(const fs::path& path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* converted = convert(path.c_str());
  if (!converted) return {};
  std::string hostPath = converted;
  HeapFree(GetProcessHeap(), 0, converted);
  return hostPath;
}

std::wstring Quoted(const std::string& text) {
  return L"\"" + std::wstring(text.begin(), text.end()) + L"\"";
}

// Runs the host's ln through Wine's path to host programs.
bool MakeHostLink(const fs::path& link, const fs::path& target) {
  const std::string folder = HostPath(link.parent_path());
  const std::string targetPath = HostPath(target);
  if (folder.empty() || targetPath.empty()) return false;
  const std::wstring program = L"\\\\?\\unix\\bin\\ln";
  std::wstring command =
      L"ln -s " + Quoted(targetPath) + L" " + Quoted(folder + "/" + link.filename().string());
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  winfx::CHandle processHandle(process.hProcess);
  winfx::CHandle thread(process.hThread);
  // Wine neither waits for a host program nor passes on its exit code: the
  // link's appearance tells that it ran.
  for (int tries = 0; tries < 100; ++tries) {
    if (GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(100);
  }
  return false;
}

}  // namespace

LinkMade MakeLink(const fs::path& link, const fs::path& target, LinkKind kind) {
  constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
  bool made = false;
  if (kind == LinkKind::kJunction) {
    made = MakeJunction(link, target);
  } else {
    DWORD flags = kUnprivileged | (kind == LinkKind::kFolderSymbolicLink ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0);
    made = CreateSymbolicLinkW(link.c_str(), target.c_str(), flags);
  }
  if (made && IsReparsePoint(link)) return LinkMade::kReparsePoint;
  return MakeHostLink(link, target) ? LinkMade::kHostLink : LinkMade::kNone;
}

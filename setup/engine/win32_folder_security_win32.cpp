#include "setup/engine/win32_folder_security.h"

#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>
#include <sddl.h>

namespace {

constexpr int kPrivateFolderAttempts = 100;

std::string SidText(PSID sid) {
  LPWSTR text = nullptr;
  if (!sid || !ConvertSidToStringSidW(sid, &text)) return {};
  std::string ascii;
  for (const wchar_t* at = text; *at; ++at) ascii += static_cast<char>(*at);
  LocalFree(text);
  return ascii;
}

std::wstring WideAscii(const char* text) {
  std::wstring wide;
  for (; *text; ++text) wide += static_cast<wchar_t>(*text);
  return wide;
}

void ReadGrants(const ACL& list, FolderAccess& access) {
  for (DWORD index = 0; index < list.AceCount; ++index) {
    void* entry = nullptr;
    if (!GetAce(const_cast<ACL*>(&list), index, &entry)) continue;
    const auto* header = static_cast<const ACE_HEADER*>(entry);
    // Both kinds begin with the mask and the identifier.
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE && header->AceType != ACCESS_ALLOWED_CALLBACK_ACE_TYPE)
      continue;
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
    access.grants.push_back({SidText(&allowed->SidStart), allowed->Mask});
  }
}

}  // namespace

bool CreateFolderWithAccess(const std::wstring& path, const char* access) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(WideAscii(access).c_str(), SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    return false;
  }
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  bool made = CreateDirectoryW(path.c_str(), &attributes) != 0;
  DWORD error = GetLastError();
  LocalFree(descriptor);
  SetLastError(error);
  return made;
}

std::wstring CreatePrivateFolder(const std::wstring& parent, const std::wstring& prefix, const char* access) {
  const std::wstring stem = parent + prefix + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < kPrivateFolderAttempts; ++attempt) {
    std::wstring folder = stem + std::to_wstring(GetTickCount() % 100000 + attempt);
    if (CreateFolderWithAccess(folder, access)) return folder + L"\\";
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

std::wstring CreatePrivateTempFolder(const std::wstring& prefix) {
  wchar_t temp[MAX_PATH + 1];
  DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return {};
  return CreatePrivateFolder(temp, prefix, kAdministratorsOnlyAccess);
}

std::string CurrentUserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  alignas(TOKEN_USER) unsigned char buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  bool read = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size) != 0;
  CloseHandle(token);
  return read ? SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid) : std::string();
}

std::optional<FolderAccess> ReadFolderAccess(const std::wstring& path) {
  PSID owner = nullptr;
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr, &list,
                            nullptr, &descriptor) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  FolderAccess access;
  access.owner = SidText(owner);
  access.hasAccessList = list != nullptr;
  if (list) ReadGrants(*list, access);
  LocalFree(descriptor);
  return access;
}

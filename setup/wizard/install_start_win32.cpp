#include "setup/wizard/install_start.h"

#include <windows.h>

#include "base/code_page.h"

#include "setup/engine/demand_load.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"
#include "setup/engine/win32_folder_security.h"
#include "setup/wizard/setup_services.h"

bool InstallFolderExists(const std::wstring& folder) {
  DWORD attributes = GetFileAttributesW((folder + L"\\").c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool InstallFolderOpenToOthers(const std::wstring& folder) {
  if (!InstallFolderExists(folder)) return false;
  std::optional<FolderAccess> access = ReadFolderAccess(folder);
  return !access || OthersCanWrite(*access, CurrentUserSid());
}

std::vector<std::wstring> CreateFolderTree(const std::wstring& folder) {
  std::vector<std::wstring> made;
  auto make = [&made](const std::wstring& path) {
    if (CreateFolderWithAccess(path, kProgramFilesAccess)) made.push_back(path);
  };
  for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1)) {
    make(folder.substr(0, at));
  }
  make(folder);
  return made;
}

void BeginInstallation(CSetupServices& services, const std::string& folder,
                       const std::vector<std::wstring>& madeFolders, const std::vector<AcadProduct>& chosen) {
  g_installDir = folder + "\\";
  OpenUninstallLog(services.files);
  // The install folder itself is recorded with the installed files.
  std::vector<std::string> parents;
  for (const std::wstring& made : madeFolders) {
    std::string narrow = EncodeFromWide(made, kSetupPathCodePage);
    if (narrow != folder) parents.push_back(narrow);
  }
  AppendCreatedFolderRecords(parents);
  RegisterCheckedProducts(services.registry, chosen);
}

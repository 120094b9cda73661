#pragma once

// What the setting page and the unattended install do alike once the
// install folder is chosen: the folder made, the uninstall log opened, the
// add-in registered.

#include <string>
#include <vector>

#include "setup/engine/acad_products.h"

struct CSetupServices;

// The text shown when an existing folder is refused because users who are
// not administrators can write it.
inline constexpr int kFolderOpenToOthersText = 30;

bool InstallFolderExists(const std::wstring& folder);
// Whether the folder exists and users who are not administrators can write
// it (see OthersCanWrite), or its rules cannot be read: every user's CAD
// program loads the add-in from it, and an administrator runs its
// uninstaller. A folder still to be made is not: it gets Program Files' rules.
bool InstallFolderOpenToOthers(const std::wstring& folder);
// Creates the folder with every missing parent, each with the access rules
// that Program Files gives (wherever it lies); the folders it made,
// outermost first.
std::vector<std::wstring> CreateFolderTree(const std::wstring& folder);

// Sets g_installDir (`folder`, UTF-8, and a backslash),
// opens the uninstall log, records in it the folders made above the
// install folder, then registers the add-in for `chosen`.
void BeginInstallation(CSetupServices& services, const std::string& folder,
                       const std::vector<std::wstring>& madeFolders, const std::vector<AcadProduct>& chosen);

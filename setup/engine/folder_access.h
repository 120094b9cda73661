#pragma once

// Who may change a folder of the product. The setup programs run elevated
// and every user's CAD program loads the add-in modules from the install
// folder: a folder that users who are not administrators can write would
// let any of them replace a module, or the uninstaller that an
// administrator later runs. Rules are security descriptor texts; security
// identifiers are in their text form ("S-1-5-32-544").

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What Program Files gives its folders: administrators and the system full
// control, users read and run; nothing inherited from the parent.
inline constexpr char kProgramFilesAccess[] = "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
// The setup programs' own temporary folders: administrators and the system
// only.
inline constexpr char kAdministratorsOnlyAccess[] = "O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";

// One entry of a folder's access list that allows something.
struct AccessGrant {
  std::string sid;
  std::uint32_t mask = 0;
};

struct FolderAccess {
  std::string owner;
  bool hasAccessList = true;  // a folder without one is open to everyone
  std::vector<AccessGrant> grants;
};

// Whether anyone but administrators, the system, the system's installer
// service and `installingUser` (the administrator running the setup) can
// add, change or remove what the folder holds, change its access rules, or
// do so in the files the folder passes its rules on to. An owner outside
// those may always change the rules.
bool OthersCanWrite(const FolderAccess& access, std::string_view installingUser);

#include "setup/engine/folder_access.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 3> kTrustedSids = {
    "S-1-5-32-544",                                                    // Administrators
    "S-1-5-18",                                                        // the system
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",  // the installer service
};
// Stands for whoever creates an item inside: the elevated setup program.
constexpr std::string_view kCreatorOwnerSid = "S-1-3-0";

// Add a file or folder, remove a child, delete, change the rules or the
// owner, and the generic rights that include writing.
constexpr std::uint32_t kWritingRights =
    0x0002 | 0x0004 | 0x0040 | 0x00010000 | 0x00040000 | 0x00080000 | 0x10000000 | 0x40000000;

}  // namespace

bool OthersCanWrite(const FolderAccess& access, std::string_view installingUser) {
  auto trusted = [installingUser](std::string_view sid) {
    return sid == installingUser ||
           std::find(kTrustedSids.begin(), kTrustedSids.end(), sid) != kTrustedSids.end();
  };
  if (!access.hasAccessList || !trusted(access.owner)) return true;
  return std::any_of(access.grants.begin(), access.grants.end(), [&trusted](const AccessGrant& grant) {
    return (grant.mask & kWritingRights) != 0 && !trusted(grant.sid) && grant.sid != kCreatorOwnerSid;
  });
}

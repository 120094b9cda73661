#include "setup/engine/folder_access.h"

#include <gtest/gtest.h>

namespace {

constexpr char kAdmins[] = "S-1-5-32-544";
constexpr char kUsers[] = "S-1-5-32-545";
constexpr char kInstaller[] = "S-1-5-21-1-2-3-1001";  // the administrator running the setup
constexpr char kOther[] = "S-1-5-21-1-2-3-1002";
constexpr std::uint32_t kFull = 0x001F01FF;
constexpr std::uint32_t kReadAndRun = 0x001200A9;

}  // namespace

// Program Files' rules, a drive root's child, a user's own folder, and one
// entry too many in each of the ways that open a folder.
TEST(OthersCanWrite, OnlyAdministratorsTheSystemAndTheInstallingUserMayWrite) {
  const struct {
    const char* what;
    FolderAccess access;
    bool open;
  } cases[] = {
      {"Program Files",
       {kAdmins, true, {{"S-1-5-18", kFull}, {kAdmins, kFull}, {kUsers, kReadAndRun}}},
       false},
      {"the installing administrator's", {kInstaller, true, {{kInstaller, kFull}}}, false},
      {"files owned by their creator", {kAdmins, true, {{"S-1-3-0", kFull}}}, false},
      {"everyone may change attributes", {kAdmins, true, {{"S-1-1-0", kReadAndRun | 0x0100}}}, false},
      {"authenticated users may modify", {kAdmins, true, {{"S-1-5-11", 0x001301BF}}}, true},
      {"users may add files", {kAdmins, true, {{kUsers, kReadAndRun | 0x0002}}}, true},
      {"users may add folders", {kAdmins, true, {{kUsers, 0x0004}}}, true},
      {"users may change the rules", {kAdmins, true, {{kUsers, 0x00040000}}}, true},
      {"everyone may write", {kAdmins, true, {{"S-1-1-0", 0x40000000}}}, true},
      {"another user owns it", {kOther, true, {{kAdmins, kFull}}}, true},
      {"no access list", {kAdmins, false, {}}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(OthersCanWrite(c.access, kInstaller), c.open) << c.what;
  EXPECT_TRUE(OthersCanWrite({kInstaller, true, {{kInstaller, kFull}}}, kOther)) << "another administrator";
}

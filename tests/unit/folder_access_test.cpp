#include "setup/engine/folder_access.h"

#include <gtest/gtest.h>

namespace {

constexpr char kAdministrators[] = "S-1-5-32-544";
constexpr char kSystem[] = "S-1-5-18";
constexpr char kUsers[] = "S-1-5-32-545";
constexpr char kEveryone[] = "S-1-1-0";
constexpr char kAuthenticatedUsers[] = "S-1-5-11";
constexpr char kCreatorOwner[] = "S-1-3-0";
constexpr char kInstaller[] = "S-1-5-21-1-2-3-1001";  // the administrator running the setup
constexpr char kOtherUser[] = "S-1-5-21-1-2-3-1002";

constexpr std::uint32_t kFullControl = 0x001F01FF;
constexpr std::uint32_t kReadAndRun = 0x001200A9;
constexpr std::uint32_t kModify = 0x001301BF;
constexpr std::uint32_t kAddFile = 0x0002;
constexpr std::uint32_t kAddFolder = 0x0004;
constexpr std::uint32_t kChangeRules = 0x00040000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kWriteAttributes = 0x0100;

FolderAccess ProgramFilesLike() {
  return {kAdministrators,
          true,
          {{kSystem, kFullControl}, {kAdministrators, kFullControl}, {kUsers, kReadAndRun}}};
}

}  // namespace

// The folders a user meets: Program Files' rules, the rules a folder at the
// root of a drive inherits, a user's own folder, and the ways in which one
// entry too many opens a folder.
TEST(OthersCanWrite, OnlyAdministratorsTheSystemAndTheInstallingUserMayWrite) {
  const struct {
    const char* what;
    FolderAccess access;
    bool open;
  } cases[] = {
      {"Program Files' rules", ProgramFilesLike(), false},
      {"owned by the system's installer service",
       {"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", true, {{kUsers, kReadAndRun}}},
       false},
      {"the installing administrator's own folder", {kInstaller, true, {{kInstaller, kFullControl}}}, false},
      {"whoever creates a file inside owns it",
       {kAdministrators, true, {{kCreatorOwner, kFullControl}}},
       false},
      {"everyone may only read and change attributes",
       {kAdministrators, true, {{kEveryone, kReadAndRun | kWriteAttributes}}},
       false},
      {"a drive root's child: authenticated users may modify",
       {kAdministrators, true, {{kSystem, kFullControl}, {kAuthenticatedUsers, kModify}}},
       true},
      {"users may add files", {kAdministrators, true, {{kUsers, kReadAndRun | kAddFile}}}, true},
      {"users may add folders", {kAdministrators, true, {{kUsers, kReadAndRun | kAddFolder}}}, true},
      {"users may change the rules", {kAdministrators, true, {{kUsers, kChangeRules}}}, true},
      {"everyone may write", {kAdministrators, true, {{kEveryone, kGenericWrite}}}, true},
      {"another user's folder", {kOtherUser, true, {{kAdministrators, kFullControl}}}, true},
      {"another user has full control", {kAdministrators, true, {{kOtherUser, kFullControl}}}, true},
      {"no access list at all", {kAdministrators, false, {}}, true},
      {"an owner that could not be read", {"", true, {{kAdministrators, kFullControl}}}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(OthersCanWrite(c.access, kInstaller), c.open) << c.what;
  // Another administrator installing: the first one's own folder is not his.
  EXPECT_TRUE(OthersCanWrite({kInstaller, true, {{kInstaller, kFullControl}}}, kOtherUser));
}

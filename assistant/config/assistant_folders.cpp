#include "assistant/config/assistant_folders.h"

#include <system_error>

namespace {

bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::filesystem::path AssistantFolders::InUse(const std::filesystem::path& name) const {
  // No user's folder (the system named none): the program folder's.
  std::filesystem::path mine = user / name;
  return !user.empty() && IsFile(mine) ? mine : program / name;
}

bool AssistantFolders::MakeUserFolder() const {
  if (user.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(user, error);
  return !error;
}

std::filesystem::path AssistantFolders::PrepareUserCopy(const std::filesystem::path& name) const {
  if (!MakeUserFolder()) return {};
  std::error_code error;
  std::filesystem::path mine = user / name;
  if (IsFile(mine) || !IsFile(program / name)) return mine;
  // The copy is the user's to change, whatever the installed file's attributes.
  if (!std::filesystem::copy_file(program / name, mine, error)) return {};
  std::filesystem::permissions(mine, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                               error);
  return mine;
}

// The host build: the locale comes from the environment, as the C library
// reads it (LC_ALL, then LC_CTYPE, then LANG).

#include <cstdlib>

#include "assistant/config/config_platform.h"

unsigned SystemOemCodePage() {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return OemCodePageFromLocale(value);
  }
  return OemCodePageFromLocale("");
}

void MakeFileWritable(const std::filesystem::path& file) {
  std::error_code ignored;
  std::filesystem::permissions(file, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                               ignored);
}

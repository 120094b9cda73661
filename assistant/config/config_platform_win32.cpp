#include <windows.h>

#include "assistant/config/config_platform.h"

unsigned SystemOemCodePage() { return GetOEMCP(); }

void MakeFileWritable(const std::filesystem::path& file) {
  // Hidden and system files refuse to be truncated as well as read-only ones.
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

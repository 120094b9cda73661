#pragma once

// What the settings need from the machine.

#include <filesystem>
#include <string_view>

// The machine's OEM code page: GetOEMCP() on Windows; on other systems the
// code page that a Windows machine of the locale's language would have.
unsigned SystemOemCodePage();

// 936 for zh_CN and zh_SG, 950 for zh_TW and zh_HK, 437 otherwise; the name
// is a POSIX locale name such as "zh_TW.UTF-8".
unsigned OemCodePageFromLocale(std::string_view localeName);

// Makes an existing file writable (normal attributes); no error when the file
// is missing or cannot be changed.
void MakeFileWritable(const std::filesystem::path& file);

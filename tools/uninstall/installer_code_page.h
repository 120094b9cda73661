#pragma once

// The code page the installer wrote the log in. The installer keeps paths
// and names in the code page of the language the user chose (GBK for
// simplified Chinese, Big5 for traditional), which need not be the
// machine's; it records that code page as the "Language=" line of the
// add-in settings file "Zelmorant.ini" beside the log.

#include <string_view>

inline constexpr char kInstallerSettingsName[] = "Zelmorant.ini";

// The number of the first "Language=" line of the settings text, or
// `fallback` when there is no such line or it holds no code page number.
unsigned InstallerCodePage(std::string_view settingsText, unsigned fallback);

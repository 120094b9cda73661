#pragma once

// Where the uninstaller runs, as the Win32 API tells it (Windows build only;
// paths in UTF-8).

#include <string>

#include "tools/uninstall/removal_policy.h"

// The running program's path, and the places the removal policy trusts.
std::string OwnProgramPath();
ProductPlaces FindProductPlaces(const std::string& ownProgram);

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);

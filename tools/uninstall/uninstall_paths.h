#pragma once

// Windows paths as the uninstaller checks them: UTF-8 text, backslash
// separators, letter case ignored for ASCII letters as the file system and
// the registry do.

#include <string>
#include <string_view>
#include <vector>

std::string FoldCase(std::string_view text);
bool SamePath(std::string_view a, std::string_view b);

// "C:" or "C:\".
bool IsDriveRoot(std::string_view path);
// "X:\name\..." with no empty, "." or ".." component, no wildcard, stream colon,
// forward slash or control character, and no final backslash.
bool IsPlainAbsolutePath(std::string_view path);
// `path` lies below `folder` (not the folder itself).
bool IsStrictlyInside(std::string_view path, std::string_view folder);

// The text before the last backslash (empty when there is none), and after.
std::string_view ParentPath(std::string_view path);
std::string_view LastComponent(std::string_view path);
int PathDepth(std::string_view path);
std::string_view WithoutFinalBackslash(std::string_view path);
std::vector<std::string_view> SplitPath(std::string_view path);

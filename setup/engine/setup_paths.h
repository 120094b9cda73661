#pragma once

// Paths of the setup program: UTF-8 built by concatenation. Every test of a
// separator looks at the decoded characters.

#include <filesystem>
#include <string>
#include <string_view>

// Whether the last character is a backslash or a slash.
bool EndsWithSeparator(std::string_view path);
// `path` with a backslash appended when it lacks a final separator.
std::string WithSeparator(const std::string& path);
// `path` without its final separator, if it has one.
std::string WithoutFinalSeparator(const std::string& path);
// Whether an archive entry name stays inside the folder it is appended to:
// not absolute, no drive letter or other colon, no ".." component.
bool IsSafeEntryName(std::string_view name);
// The path as the standard library opens it.
std::filesystem::path NativePath(const std::string& path);

#pragma once

// Links in the file system for the tests: a junction, or a symbolic link to
// a folder or a file, made as Windows makes them: reparse points. Wine 8
// refuses junctions (FSCTL_SET_REPARSE_POINT is not supported) and only
// pretends to make symbolic links (CreateSymbolicLinkW succeeds and makes
// nothing); there the host's own symbolic link is made instead, which Wine
// follows without reporting it as a reparse point.

#include <filesystem>

enum class LinkKind { kJunction, kFolderSymbolicLink, kFileSymbolicLink };
enum class LinkMade { kNone, kReparsePoint, kHostLink };

LinkMade MakeLink(const std::filesystem::path& link, const std::filesystem::path& target, LinkKind kind);

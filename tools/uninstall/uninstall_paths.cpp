#include "tools/uninstall/uninstall_paths.h"

#include <algorithm>

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsPlainComponent(std::string_view component) {
  if (component.empty() || component == "." || component == "..") return false;
  return std::none_of(component.begin(), component.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("/:*?\"<>|").find(c) != std::string_view::npos;
  });
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool SamePath(std::string_view a, std::string_view b) { return FoldCase(a) == FoldCase(b); }

bool IsDriveRoot(std::string_view path) {
  return (path.size() == 2 || (path.size() == 3 && path[2] == '\\')) && IsAsciiLetter(path[0]) &&
         path[1] == ':';
}

bool IsPlainAbsolutePath(std::string_view path) {
  if (path.size() < 4 || !IsAsciiLetter(path[0]) || path.substr(1, 2) != ":\\") return false;
  std::vector<std::string_view> parts = SplitPath(path.substr(3));
  return std::all_of(parts.begin(), parts.end(), IsPlainComponent);
}

bool IsStrictlyInside(std::string_view path, std::string_view folder) {
  std::string prefix = FoldCase(WithoutFinalBackslash(folder)) + "\\";
  return path.size() > prefix.size() && FoldCase(path).starts_with(prefix);
}

std::string_view ParentPath(std::string_view path) {
  size_t last = path.rfind('\\');
  return last == std::string_view::npos ? std::string_view() : path.substr(0, last);
}

std::string_view LastComponent(std::string_view path) {
  size_t last = path.rfind('\\');
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

int PathDepth(std::string_view path) { return static_cast<int>(std::count(path.begin(), path.end(), '\\')); }

std::string_view WithoutFinalBackslash(std::string_view path) {
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    size_t end = path.find('\\', start);
    parts.push_back(path.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

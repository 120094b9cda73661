#pragma once

// Zip archives made by the tests through minizip's writer, as the install
// run reads them.

#include <filesystem>
#include <string>
#include <vector>

struct TestZipEntry {
  std::string name;  // a name ending in "/" makes a folder entry
  std::string content;
  bool stored = false;  // kept uncompressed, so that a test can damage it
};

// Writes the archive to `path` and returns its bytes.
std::string WriteTestZip(const std::filesystem::path& path, const std::vector<TestZipEntry>& entries);

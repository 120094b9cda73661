#pragma once

// Files and folders as the install engine creates them. Paths are bytes in
// the setup code page.

#include <memory>
#include <string>

#include "setup/engine/output_file.h"

class SetupFileSystem {
 public:
  virtual ~SetupFileSystem() = default;

  // Creates the file for writing with exclusive access and normal
  // attributes; an existing file is truncated. Null when it cannot be
  // created (a read-only or locked file, a missing folder).
  virtual std::unique_ptr<OutputFile> CreateAlways(const std::string& path) = 0;
  // Clears read-only and other attributes of an existing file.
  virtual bool SetNormalAttributes(const std::string& path) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Creates one folder; true also when it exists already.
  virtual bool CreateFolder(const std::string& path) = 0;
};

#pragma once

// Files and folders as the installer creates them and the uninstaller
// removes them. Paths are bytes in the code page the adapter was made with:
// the language's code page for the installer, UTF-8 for the uninstaller.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// A file open for writing, as the platform hands it out. Closing happens when
// the object is destroyed.
class OutputFile {
 public:
  virtual ~OutputFile() = default;

  // True when every byte was written.
  virtual bool Write(const void* bytes, std::size_t size) = 0;
};

// A link is a junction, a symbolic link or any other reparse point: the
// uninstaller removes it as itself and never acts on what it points to.
enum class PathKind { kMissing, kFile, kFolder, kLink };

class SetupFileSystem {
 public:
  virtual ~SetupFileSystem() = default;

  // Creates the file for writing with exclusive access and normal
  // attributes; an existing file is truncated. Null when it cannot be
  // created (a read-only or locked file, a missing folder).
  virtual std::unique_ptr<OutputFile> CreateAlways(const std::string& path) = 0;
  // The same for a file that must not exist yet: null when something is
  // there already under that name, which is never opened.
  virtual std::unique_ptr<OutputFile> CreateNew(const std::string& path) = 0;
  // Clears read-only and other attributes of an existing file.
  virtual bool SetNormalAttributes(const std::string& path) = 0;
  // Creates one folder; true also when it exists already.
  virtual bool CreateFolder(const std::string& path) = 0;

  // The kind of the item itself: a link is reported as kLink, not followed.
  virtual PathKind Kind(const std::string& path) = 0;
  // Clears a read-only attribute first; false when the file stays. Fails on
  // a link.
  virtual bool RemoveFile(const std::string& path) = 0;
  // Fails on a folder that is not empty, and on a link.
  virtual bool RemoveEmptyFolder(const std::string& path) = 0;
  // Removes the link itself; what it points to stays as it is.
  virtual bool RemoveLink(const std::string& path) = 0;
  // Names of the files and folders in `folder`.
  virtual std::vector<std::string> ListFolder(const std::string& folder) = 0;
  // Has the file or empty folder removed when the machine restarts; the
  // requests are carried out in the order they were made.
  virtual bool RemoveAtRestart(const std::string& path) = 0;
};

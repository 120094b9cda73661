#pragma once

// The material library file in use (the user's copy, else the installed
// one) and what it was when it was last read, so that the main window can
// read it again when the user comes back from editing it.

#include <cstdint>
#include <filesystem>
#include <utility>

#include "assistant/config/assistant_folders.h"
#include "assistant/engine/material_library.h"

class CLibraryFile {
 public:
  explicit CLibraryFile(AssistantFolders folders) : m_folders(std::move(folders)) {}

  // The file that is read now.
  std::filesystem::path Path() const { return m_folders.InUse(kLibraryFileName); }

  // Reads the file in use into `library` as LoadMaterialLibrary does (on an
  // error, what was read before the failing line stays and the error is
  // shown). ST_OK or ST_FAIL.
  int Load(MaterialLibrary& library, MessagePort& messages);

  // Whether another file is in use, or the file was changed, since the last
  // Load or Reload; false before the first.
  bool ChangedSinceLoad() const { return !m_loaded.path.empty() && StampNow() != m_loaded; }

  // Reads the file in use into a library of its own, which replaces
  // `library` when the whole file was read; on an error the error is shown
  // and `library` stays as it was. Either way the file counts as read, so
  // that a faulty file is reported once, not at every activation. ST_OK or
  // ST_FAIL.
  int Reload(MaterialLibrary& library, MessagePort& messages);

 private:
  struct Stamp {
    std::filesystem::path path;
    std::filesystem::file_time_type written{};
    std::uintmax_t size = 0;
    bool operator==(const Stamp&) const = default;
  };
  Stamp StampNow() const;

  AssistantFolders m_folders;
  Stamp m_loaded;
};

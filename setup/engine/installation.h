#pragma once

// The installation run: the Add/Remove Programs entry, the two archives that
// the program carries as "FILE" resources unpacked into the install folder
// and the system folder, the add-in's settings file, the uninstall records
// and the shortcuts.

#include <string>

#include "setup/engine/registry_api.h"
#include "setup/engine/setup_file_system.h"
#include "setup/engine/setup_ports.h"

inline constexpr int kProductArchiveId = 139;
inline constexpr int kSystemArchiveId = 140;
inline constexpr int kFilePacingMs = 10;

// Everything the run reaches outside the program.
struct InstallEnvironment {
  RegistryApi& registry;
  SetupFileSystem& files;
  SystemFolders& folders;
  ResourceSource& resources;
  ShellLinks& links;
  ProgressView& progress;
  Pacer& pacer;
};

// Writes "FILE" resource `id` into a new file at `path`; false when the
// resource is missing or the file cannot be created, also when something is
// at that path already.
bool ExtractResourceToFile(ResourceSource& resources, SetupFileSystem& files, int id,
                           const std::string& path);

// Runs the installation into g_installDir. False on the first failure, after
// which nothing more is written and nothing is undone; the caller then shows
// "Setup failed!".
bool RunInstallation(InstallEnvironment& env);

#pragma once

// The records of the uninstall log ("uninstall.ini" in the install folder),
// which the uninstaller reads to remove what was installed, and the
// Add/Remove Programs entry. Every writer does nothing while g_uninstallLog
// is closed.
//
//   J0,2,{registry path},      a key or value under HKEY_LOCAL_MACHINE
//   P0,{full path},0           a file
//   U0,{full path},0           a folder
//   A{number},{text}           a text of the uninstaller
//
// Paths (UTF-8 in the program) are stored in the machine's ANSI code page;
// a path that code page cannot hold (a Start menu below a Chinese profile
// name on a Western machine) is stored as UTF-8 behind kUtf8PathMark, so
// that the uninstaller reads each record as it was written. Message rows
// are in the language's code page.

#include <array>
#include <string>
#include <vector>

#include "setup/engine/registry_api.h"

class SetupFileSystem;

inline constexpr char kUtf8PathMark[] = "\xEF\xBB\xBF";  // the UTF-8 byte order mark

// Whether the ANSI code page holds `path` (UTF-8) without loss: no
// character missing, none replaced by a look-alike ("L" for "Ł").
bool IsAnsiPath(const std::string& path);
// `path` as a record stores it.
std::string StoredPath(const std::string& path);

inline constexpr char kUninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char kUninstallLogName[] = "uninstall.ini";

// Files that are no archive entries but are removed with the installation.
inline constexpr std::array<const char*, 4> kRuntimeFiles = {"Zelmorant.ini", "replace.txt", "Ostrevia.ini",
                                                             "uninstall.ini"};

inline constexpr int kUninstallMessageCount = 20;
// The uninstaller's texts, in English whatever the language; "%s" is filled
// by the uninstaller. Row 1 is formed with kProductVersion when written.
extern const std::array<const char*, kUninstallMessageCount> kUninstallMessages;

// Makes an earlier log writable, then opens g_installDir + "uninstall.ini"
// anew. A log that cannot be opened stays closed, without a word.
void OpenUninstallLog(SetupFileSystem& files);

// The Applications key of one registered product.
void AppendProductRecord(const std::string& release, const std::string& product);
// The "Applications" key above it, when the installer created it.
void AppendApplicationsRecord(const std::string& release, const std::string& product);
// SOFTWARE\Zelmorant10.1, the product's own key.
void AppendProductKeyRecord();
// DisplayName, UninstallString, then the Add/Remove Programs key itself.
void AppendUninstallEntryRecords();
void AppendFileRecord(const std::string& path);
// The runtime files in the install folder, then the install folder itself.
void AppendRuntimeRecords();
// The folder record of `folder`, `name` appended to it.
void AppendFolderRecord(const std::string& folder, const std::string& name);
// The folders made for the install folder above it, so that the
// uninstaller removes them when they are empty.
void AppendCreatedFolderRecords(const std::vector<std::string>& folders);
void WriteUninstallMessages();

// Creates the Add/Remove Programs key with "DisplayName" and
// "UninstallString" (g_installDir + "uninstall.exe" in quotes, so that a
// folder with blanks cannot start another program); false when the key
// cannot be created.
bool RegisterUninstallEntry(RegistryApi& registry);

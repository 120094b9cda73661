#pragma once

// The setup program's process-wide state, shared by the wizard and the
// install engine. Texts are bytes in the code page of the chosen language
// (see SetupCodePage); paths are UTF-8 (kSetupPathCodePage), so that any
// folder the system names reaches the file calls unchanged, whatever the
// language.

#include <array>
#include <string>

#include "setup/engine/text_file.h"

inline constexpr char kProductVersion[] = "Zelmorant10.1";

inline constexpr int kSetupShortcutCount = 4;

// A fixed 64-byte text slot of the setup tables, zero-terminated.
using TextSlot = std::array<char, 64>;

// One shortcut: target file name relative to the install folder, and the
// name of the link file.
struct ShortcutRow {
  TextSlot target;
  TextSlot linkName;
};

// 936, 950, or any other value for English; set at start-up.
extern int g_codePage;
// The current language's texts by slot, each pointing into its table.
extern std::array<const char*, 100> g_text;
// Id of the "FILE" resource with the agreement of the language.
extern int g_agreementId;
// Caption of the wizard's message boxes.
extern std::string g_caption;
// Install folder (UTF-8); ends in a backslash once set.
extern std::string g_installDir;
// The uninstall log; closed until the setting page opens it.
extern CTextFile g_uninstallLog;
extern std::array<ShortcutRow, kSetupShortcutCount> g_shortcuts;

// Selects the language: g_codePage, g_text, g_agreementId and the link names
// of g_shortcuts (texts 11 to 14).
void SetLanguage(int codePage);

// The code page in which the current texts and all paths are held: 936 or
// 950 for the Chinese languages, Windows Western (1252) for English.
unsigned SetupCodePage();

inline constexpr unsigned kSetupPathCodePage = 65001;

// The machine's ANSI code page, in which the uninstall log stores paths;
// set at start-up (Western, 1252, until then).
extern unsigned g_ansiCodePage;

// A text of the language's tables (or a link name) as UTF-8, to be joined
// with paths.
std::string SetupTextAsPath(const char* text);

// Copies `text` into a fixed slot, cut to fit with its terminating zero.
void CopyToSlot(TextSlot& slot, const char* text);

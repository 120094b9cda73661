#pragma once

// The assistant's settings and their file, Ostrevia.ini: 19 lines
// "Key=value" in a fixed order, CR LF line ends. The program folder's file
// holds an administrator's defaults; the user's own is in the user's folder
// (assistant_folders.h).

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "assistant/config/assistant_folders.h"

inline constexpr int kSettingsKeyCount = 19;
inline constexpr const char* kSettingsFileName = "Ostrevia.ini";
// The reader takes a line in pieces of at most this many bytes; a longer line
// is read as several lines and shifts the later keys.
inline constexpr std::size_t kSettingsLinePieceBytes = 254;

// One column of a layout: its number (1 for A, 0 when the style has none) and
// its letters. For a number of 0 the letters keep the text they were read
// from ("0").
struct BomColumn {
  int number = 0;
  std::string letters;
};

// Where a BOM style keeps each item of a row.
struct BomStyleLayout {
  int headRows = 0;
  BomColumn material;
  BomColumn length;
  BomColumn faceCount;     // pieces as drawn ("ZNumer")
  BomColumn inverseCount;  // mirrored pieces ("FNumer"); number 0: none
  BomColumn singleWeight;  // weight of one piece ("SWeight"); number 0: none
  BomColumn totalWeight;   // ("Weight")
};

struct AssistantSettings {
  float density = 7850;
  float factor = 1;
  int caseSensitive = 0;
  int language = 0;  // a code page; LoadSettings puts the OEM one for 0
  int style = 1;     // 0 simple, 1 standard
  std::array<BomStyleLayout, 2> layouts = DefaultLayouts();
  // The value text of each key as read; SaveSettings regenerates them.
  std::array<std::string, kSettingsKeyCount> keyTexts = DefaultKeyTexts();

  static std::array<BomStyleLayout, 2> DefaultLayouts();
  static std::array<std::string, kSettingsKeyCount> DefaultKeyTexts();
};

// The process-wide record.
extern AssistantSettings g_settings;

// Reads Ostrevia.ini from `programFolder` into the key texts of `settings`
// (a missing file leaves them) and parses every key. Returns ST_OK.
int LoadSettings(const std::filesystem::path& programFolder, AssistantSettings& settings);

// The same from a settings file anywhere.
int LoadSettingsFile(const std::filesystem::path& file, AssistantSettings& settings);

// The same from the file's bytes.
void ReadSettingsText(std::string_view bytes, AssistantSettings& settings);

// Regenerates the key texts of `settings` and returns the file's bytes.
std::string SettingsFileText(AssistantSettings& settings);

// Regenerates the key texts of `settings` and writes the file, clearing its
// read-only attribute first. A file that cannot be written stays as it was.
// Returns ST_OK.
int SaveSettings(const std::filesystem::path& programFolder, AssistantSettings& settings);

// The same into the file `file`; false when it could not be written.
bool WriteSettingsFile(const std::filesystem::path& file, AssistantSettings& settings);

// The process-wide forms: g_settings, and LoadSettings selects the stored
// style into g_currentLayout.
int LoadSettings(const std::filesystem::path& programFolder);
// The settings in use (the user's file, else the program folder's).
int LoadSettings(const AssistantFolders& folders);
// Into the user's folder only, made when missing; false when the file could
// not be written, which the caller tells the user.
bool SaveUserSettings(const AssistantFolders& folders);

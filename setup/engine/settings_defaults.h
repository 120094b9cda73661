#pragma once

// The add-in's settings file "Zelmorant.ini": 51 lines of key and default
// value, written anew at every installation.

#include <array>
#include <string>

#include "setup/engine/setup_state.h"

class SetupFileSystem;

inline constexpr int kSettingDefaultCount = 51;

struct SettingDefault {
  TextSlot key;  // with its "=" sign
  TextSlot value;
};

extern std::array<SettingDefault, kSettingDefaultCount> g_settingDefaults;

// Fills "Version=" and "Language=" from kProductVersion and g_codePage and
// writes the table to `path`, replacing a read-only file. Always true; a file
// that cannot be created is skipped without a word.
bool WriteSettingsFile(SetupFileSystem& files, const std::string& path);

#include "setup/engine/settings_defaults.h"

#include <string>
#include <utility>

#include "setup/engine/setup_file_system.h"

namespace {

constexpr std::pair<const char*, const char*> kDefaults[kSettingDefaultCount] = {
    {"Command=", "zm"},
    {"ExcelPath=", ""},
    {"DefOperation=", "Export"},
    {"StatToExcel=", "True"},
    {"OutLineColor=", "1"},
    {"GeneralLineColor=", "7"},
    {"TextColor=", "7"},
    {"TextStyle=", "*Current*"},
    {"AutoWrap=", "1"},
    {"AutoLoad=", "1"},
    {"TextHeight=", "3"},
    {"TextWidth=", "1"},
    {"TableDistance=", "15"},
    {"RowNum=", "40"},
    {"CellHeight=", "8"},
    {"WidthFactor=", "1"},
    {"Density=", "7850"},
    {"Factor=", "1"},
    {"OutNewExcel=", "1"},
    {"ServerIP=", "192.168.1.10"},
    {"ServerPort=", "5888"},
    {"Timeout=", "5"},
    {"MinTableLineLen=", "0"},
    {"Scale=", "1"},
    {"LetterCase=", "1"},
    {"LocalIP=", " "},
    {"Script=", "1"},
    {"TextRotation=", "1"},
    {"ImportGrid=", "2"},
    {"AutoReplace=", "0"},
    {"LineLayer=", "*Current*"},
    {"TextLayer=", "*Current*"},
    {"HorMargin=", "2"},
    {"VerMargin=", "2"},
    {"AutoFitting=", "1"},
    {"TextFormat=", "0"},
    {"FixedRowHeight=", "0"},
    {"ShowMenu=", "1"},
    {"InsertMode=", "0"},
    {"ExportText_ExportTAB=", "1"},
    {"ExportText_CharsPerCol=", "10"},
    {"ImportText_ColByTAB=", "1"},
    {"ImportText_ColByMarkStr=", "1"},
    {"ImportText_ColMarkStr=", " "},
    {"ImportText_SpaceNumber=", "3"},
    {"ContinueExport=", "0"},
    {"ImportSelArea=", "0"},
    {"Version=", ""},   // kProductVersion, at run time
    {"Language=", ""},  // g_codePage, at run time
    {"ExportGrid=", "1"},
    {"AutoDiv=", "0"},
};

constexpr int kVersionRow = 47;
constexpr int kLanguageRow = 48;

std::array<SettingDefault, kSettingDefaultCount> InitialDefaults() {
  std::array<SettingDefault, kSettingDefaultCount> rows{};
  for (int row = 0; row < kSettingDefaultCount; ++row) {
    CopyToSlot(rows[row].key, kDefaults[row].first);
    CopyToSlot(rows[row].value, kDefaults[row].second);
  }
  return rows;
}

}  // namespace

std::array<SettingDefault, kSettingDefaultCount> g_settingDefaults = InitialDefaults();

bool WriteSettingsFile(SetupFileSystem& files, const std::string& path) {
  CopyToSlot(g_settingDefaults[kVersionRow].value, kProductVersion);
  CopyToSlot(g_settingDefaults[kLanguageRow].value, std::to_string(g_codePage).c_str());
  files.SetNormalAttributes(path);
  CTextFile file;
  file.Attach(files.CreateAlways(path));
  for (const SettingDefault& row : g_settingDefaults) {
    file.WriteLine(std::string(row.key.data()) + row.value.data());
  }
  return true;
}

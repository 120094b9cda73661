#pragma once

// The uninstaller's message table with which every complete uninstall log
// ends, row by row; the last text ends in the full-width question mark.
inline constexpr const char* kExpectedUninstallMessages[] = {
    "A10,Zelmorant10.1",
    "A13,OK",
    "A36,Can't copy file %s to %s",
    "A42,Removing files ...",
    "A43,Are you sure you want uninstall %s?",
    "A44,Remove",
    "A45,Remove all",
    "A46,Close",
    "A47,%s will be removed after restart",
    "A48,Uninstall",
    "A49,Can't process %s",
    "A50,Uninstall succeed!",
    "A51,Future other application procedure or you will possibly need %s.Do you still delete them?",
    "A52,Can't remove %s,retry?",
    ("A53,The files created befor(or after) install, and future other application procedure or you will "
     "possibly need them"),
    "A54,Removing registry keys...",
    "A55,Deleting records in INI files...",
    "A58,Waiting...",
    "A80,Are you sure you want terminate the uninstall\xA3\xBF",
    "A81,Checking the installed program...",
};

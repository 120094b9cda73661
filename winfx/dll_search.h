#pragma once

// Where the programs take their DLLs from (Windows build only). The setup
// programs run elevated from folders that other users' processes can write
// (a downloads folder, the temporary folder); a DLL placed there under the
// name of a system DLL that Windows does not protect would run with the
// programs' rights. So every program restricts the search to the system
// folder before anything else, and loads DLLs by their full system path.
//
// What the restriction cannot reach, the DLLs named in a program's import
// table, is kept to those that Windows always takes from the system folder
// (its KnownDLLs): the common controls, whose loading starts the system's
// theming, are bound at their first use (common_controls_win32.cpp). The
// images also carry a load configuration whose dependent-load flags keep
// the DLLs that those system DLLs import in the system folder
// (cmake/DllSearch.cmake); tests/wine/shipped_dll_search_check.sh holds the
// shipped programs to both.

#include <windows.h>

#include <string>

namespace winfx {

// The first call of every program: the system folder only, the current
// folder out of the search. False when the system offers no such
// restriction (an old system without its loader update).
bool RestrictDllSearch();

// Loads a DLL of the system folder by its full path; null when it cannot.
HMODULE LoadSystemLibrary(const std::wstring& name);

}  // namespace winfx

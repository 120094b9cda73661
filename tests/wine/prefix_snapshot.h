#pragma once

// A before/after picture of a Wine prefix: every file and folder of drive
// C: (the native system folder included) and every registry key and value
// of HKEY_LOCAL_MACHINE (both views) and HKEY_CURRENT_USER, one line each.
// What Wine itself keeps changing is left out (see the source).

#include <set>
#include <string>
#include <vector>

std::set<std::wstring> PrefixSnapshot();

// "+ line" for what only `after` holds, "- line" for what only `before`
// holds, in order.
std::vector<std::wstring> SnapshotDifferences(const std::set<std::wstring>& before,
                                              const std::set<std::wstring>& after);

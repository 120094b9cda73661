#pragma once

#include "setup/wizard/setup_switches.h"

// The unattended install of Install.exe /S: no window, every CAD product
// found, the same files, keys, shortcuts and log as a clicked install. The
// result is one of the kSetupExit codes; with /LOG the reason is written
// there.
int RunSilentInstall(const SetupSwitches& switches);

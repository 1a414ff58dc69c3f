#pragma once
#include <string>

// The shared data folder of the driver's files on this system, chosen by the
// operating-system version; ends in a backslash.
std::wstring SystemDataFolder();

// The library root of this machine: the folder the integrator named in the
// registry ("LibraryRoot"), or "C:\ZOR\" where nothing is named there. Ends
// in a backslash.
struct LibraryRootSetting {
    std::wstring root;
    // Named by the integrator: a root that cannot be reached is then worth
    // telling the operator about.
    bool configured = false;
};
LibraryRootSetting SystemLibraryRoot();

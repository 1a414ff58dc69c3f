#pragma once
#include <string>

// The shared data folder of the driver's files on this system, chosen by the
// operating-system version; ends in a backslash.
std::wstring SystemDataFolder();

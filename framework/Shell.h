#pragma once
// Files handed to the shell: the Recycle Bin.
#include <string>

namespace fw {

// Whether the volume that holds `path` has a Recycle Bin.
bool HasRecycleBin(const std::wstring& path);

// Moves one file to the Recycle Bin without any dialog of the shell's own;
// false when the file is still where it was.
bool RecycleFile(const std::wstring& path);

} // namespace fw

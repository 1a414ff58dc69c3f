#pragma once
// Files handed to and from the shell: the Recycle Bin, dropped files.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace fw {

// Whether the volume that holds `path` has a Recycle Bin.
bool HasRecycleBin(const std::wstring& path);

// Moves one file to the Recycle Bin without any dialog of the shell's own;
// false when the file is still where it was.
bool RecycleFile(const std::wstring& path);

// The paths a WM_DROPFILES message carries; the drop block is released.
std::vector<std::wstring> TakeDroppedFiles(HDROP drop);

} // namespace fw

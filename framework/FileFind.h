#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// Hands every entry matching a FindFirstFile pattern to `visit`, in the order
// the file system returns them, "." and ".." included; false when the
// pattern cannot be enumerated at all.
bool ForEachEntry(const std::wstring& pattern, const std::function<void(const WIN32_FIND_DATAW&)>& visit);

// Names of the entries matching a FindFirstFile pattern (for example
// "C:\\folder\\*.*"), in the order the file system returns them, "." and ".."
// included. Nothing when the pattern cannot be enumerated at all.
std::optional<std::vector<std::wstring>> EnumerateDirectory(const std::wstring& pattern);

// The name under which the file system holds the file that `path` reaches
// (its long name, also when `path` ends in a short 8.3 alias); nothing when
// no file or folder is there.
std::optional<std::wstring> ResolvedFileName(const std::wstring& path);

// The path by which the system holds the file or folder that `path` reaches:
// absolute, links followed and short 8.3 names made long, so that two names
// of one folder read alike. A path that reaches nothing comes back only made
// absolute.
std::wstring SystemPath(const std::wstring& path);

} // namespace fw

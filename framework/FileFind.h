#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/Handle.h"

namespace fw {

// Hands every entry matching a FindFirstFile pattern to `visit`, in the order
// the file system returns them, "." and ".." included; false when the
// pattern cannot be enumerated at all.
bool ForEachEntry(const std::wstring& pattern, const std::function<void(const WIN32_FIND_DATAW&)>& visit);

// Names of the entries matching a FindFirstFile pattern (for example
// "C:\\folder\\*.*"), in the order the file system returns them, "." and ".."
// included. Nothing when the pattern cannot be enumerated at all.
std::optional<std::vector<std::wstring>> EnumerateDirectory(const std::wstring& pattern);

// Lists the entries matching a FindFirstFile pattern a few at a time, so
// that a large folder can be read in slices between other work.
class DirectoryReader {
public:
    explicit DirectoryReader(const std::wstring& pattern);
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;

    // Reads on until the listing is complete (true) or `until` has passed.
    bool ReadUntil(std::chrono::steady_clock::time_point until);
    // The names read, in the order the file system returns them, "." and ".."
    // included; nothing when the pattern could not be enumerated at all.
    std::optional<std::vector<std::wstring>> Take();

private:
    FindHandle m_find;
    std::vector<std::wstring> m_names;
    bool m_failed = false;
    bool m_done = false;
};

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

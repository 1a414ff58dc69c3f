#pragma once
// Small helpers for building library folders on disk in the dialog tests.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/support/GuiTestSupport.h"

namespace library_tree {

// Folders (relative to root, "\"-separated) are created with their parents;
// a relative path with an extension is written as a small material file.
inline void Make(const std::filesystem::path& root, const std::vector<std::wstring>& entries)
{
    for (const std::wstring& entry : entries) {
        const std::filesystem::path path = root / entry;
        if (path.has_extension())
            testing_support::WriteFile(path, "[OPTION]\r\nMARK_MODE=1\r\n");
        else
            std::filesystem::create_directories(path);
    }
}

// Every path below root, relative to it.
inline std::set<std::wstring> Snapshot(const std::filesystem::path& root)
{
    std::set<std::wstring> paths;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        paths.insert(std::filesystem::relative(it->path(), root).wstring());
    return paths;
}

} // namespace library_tree

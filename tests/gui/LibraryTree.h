#pragma once
// Small helpers for building library folders on disk in the dialog tests.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/support/GuiTestSupport.h"
#include "utils/HandOffRules.h"

namespace library_tree {

// What every material file written here holds: a mark mode, so that a panel
// that has loaded one shows it.
inline constexpr char kMaterialText[] = "[OPTION]\r\nMARK_MODE=1\r\n";

// Folders (relative to root, "\"-separated) are created with their parents;
// a relative path with an extension is written as a small material file.
inline void Make(const std::filesystem::path& root, const std::vector<std::wstring>& entries)
{
    for (const std::wstring& entry : entries) {
        const std::filesystem::path path = root / entry;
        if (path.has_extension())
            testing_support::WriteFile(path, kMaterialText);
        else
            std::filesystem::create_directories(path);
    }
}

// Material files whose names Make would take for folders ("ab", ".spi").
inline void MakeFiles(const std::filesystem::path& root, const std::vector<std::wstring>& files)
{
    for (const std::wstring& file : files)
        testing_support::WriteFile(root / file, kMaterialText);
}

// The model's parameter folder below the library root.
inline std::filesystem::path ParameterFolder(const std::filesystem::path& root, const std::wstring& model)
{
    return root / utils::ParameterFolderName(model).value_or(L"unknown");
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

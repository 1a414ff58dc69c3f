#include "framework/FileFind.h"

#include <windows.h>

namespace fw {

std::optional<std::vector<std::wstring>> EnumerateDirectory(const std::wstring& pattern)
{
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<std::wstring> names;
    do {
        names.emplace_back(data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

} // namespace fw

#include "framework/FileFind.h"

#include <windows.h>

#include "framework/Handle.h"

namespace fw {

bool ForEachEntry(const std::wstring& pattern, const std::function<void(const WIN32_FIND_DATAW&)>& visit)
{
    WIN32_FIND_DATAW data{};
    // The basic level skips the short names, which nothing here uses; systems
    // before Windows 7 refuse it, and get the standard level instead.
    FindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
    if (!find && ::GetLastError() == ERROR_INVALID_PARAMETER)
        find.Reset(::FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0));
    if (!find)
        return false;
    do {
        visit(data);
    } while (::FindNextFileW(find.Get(), &data));
    return true;
}

std::optional<std::vector<std::wstring>> EnumerateDirectory(const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    if (!ForEachEntry(pattern, [&names](const WIN32_FIND_DATAW& data) { names.emplace_back(data.cFileName); }))
        return std::nullopt;
    return names;
}

std::optional<std::wstring> ResolvedFileName(const std::wstring& path)
{
    // A name without wildcards finds the one entry it reaches, and the entry
    // reports its long name whichever of its names was asked for.
    WIN32_FIND_DATAW data{};
    const FindHandle find(::FindFirstFileW(path.c_str(), &data));
    if (!find)
        return std::nullopt;
    return std::wstring(data.cFileName);
}

} // namespace fw

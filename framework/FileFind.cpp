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

std::wstring SystemPath(const std::wstring& path)
{
    // Asked with the size first: both calls say how much room they need.
    const auto ask = [](auto call) {
        std::wstring text(MAX_PATH, L'\0');
        for (int tries = 0; tries < 3; ++tries) {
            const DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
            if (length == 0)
                return std::wstring();
            if (length < text.size()) {
                text.resize(length);
                return text;
            }
            text.assign(length, L'\0');
        }
        return std::wstring();
    };
    const FileHandle opened(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (opened) {
        const std::wstring held = ask([&opened](wchar_t* buffer, DWORD size) {
            return ::GetFinalPathNameByHandleW(opened.Get(), buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        });
        if (!held.empty())
            return held;
    }
    const std::wstring full =
        ask([&path](wchar_t* buffer, DWORD size) { return ::GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
    if (full.empty())
        return path;
    // A folder that cannot be opened may still have its long name told.
    const std::wstring longName =
        ask([&full](wchar_t* buffer, DWORD size) { return ::GetLongPathNameW(full.c_str(), buffer, size); });
    return longName.empty() ? full : longName;
}

} // namespace fw

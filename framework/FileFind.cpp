#include "framework/FileFind.h"

#include <windows.h>

#include "framework/Handle.h"

namespace fw {

namespace {

FindHandle FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data)
{
    // The basic level skips the short names, which nothing here uses, and a
    // large fetch takes more entries per trip to the file system; systems
    // before Windows 7 refuse both, and get the standard call instead.
    FindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
    if (!find && ::GetLastError() == ERROR_INVALID_PARAMETER)
        find.Reset(::FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0));
    return find;
}

} // namespace

bool ForEachEntry(const std::wstring& pattern, const std::function<void(const WIN32_FIND_DATAW&)>& visit)
{
    WIN32_FIND_DATAW data{};
    const FindHandle find = FindFirst(pattern, data);
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

DirectoryReader::DirectoryReader(const std::wstring& pattern)
{
    WIN32_FIND_DATAW data{};
    m_find = FindFirst(pattern, data);
    if (!m_find) {
        m_failed = m_done = true;
        return;
    }
    m_names.emplace_back(data.cFileName);
}

bool DirectoryReader::ReadUntil(std::chrono::steady_clock::time_point until)
{
    // The clock is read every few entries only: each entry is cheap, a look
    // at the clock is not much cheaper.
    constexpr int kEntriesBetweenLooks = 32;
    WIN32_FIND_DATAW data{};
    while (!m_done) {
        for (int i = 0; i < kEntriesBetweenLooks; ++i) {
            if (!::FindNextFileW(m_find.Get(), &data)) {
                m_done = true;
                m_find.Reset();
                break;
            }
            m_names.emplace_back(data.cFileName);
        }
        if (!m_done && std::chrono::steady_clock::now() >= until)
            return false;
    }
    return true;
}

std::optional<std::vector<std::wstring>> DirectoryReader::Take()
{
    if (m_failed)
        return std::nullopt;
    return std::move(m_names);
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

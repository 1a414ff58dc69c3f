#include "checker/FolderListings.h"

#include <windows.h>

namespace checker {

FolderListings::Listing& FolderListings::Get(const std::wstring& folder)
{
    const auto known = m_listings.find(folder);
    if (known != m_listings.end())
        return known->second;
    Listing& listing = m_listings[folder];
    // The pattern the program's own enumeration uses.
    WIN32_FIND_DATAW data{};
    HANDLE find =
        ::FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return listing;
    listing.entries.emplace();
    do {
        listing.entries->push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return listing;
}

const std::optional<std::vector<FolderEntry>>& FolderListings::List(const std::wstring& folder)
{
    return Get(folder).entries;
}

std::optional<bool> FolderListings::IsFolder(const std::wstring& folder, const std::wstring& name)
{
    Listing& listing = Get(folder);
    if (!listing.entries)
        return std::nullopt;
    if (listing.kinds.empty())
        for (const FolderEntry& entry : *listing.entries)
            listing.kinds.emplace(entry.name, entry.folder);
    const auto kind = listing.kinds.find(name);
    if (kind == listing.kinds.end())
        return std::nullopt;
    return kind->second;
}

utils::FolderLister FolderListings::Lister()
{
    return [this](const std::wstring& folder) -> std::optional<std::vector<std::wstring>> {
        const std::optional<std::vector<FolderEntry>>& entries = List(folder);
        if (!entries)
            return std::nullopt;
        std::vector<std::wstring> names;
        names.reserve(entries->size());
        for (const FolderEntry& entry : *entries)
            names.push_back(entry.name);
        return names;
    };
}

} // namespace checker

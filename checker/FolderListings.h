#pragma once
// Folder listings taken once each, with the kind of every entry, for the
// checker's walk and for the program's own scan rules over the same tree.
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "utils/LibraryScan.h"

namespace checker {

struct FolderEntry {
    std::wstring name;
    bool folder;
};

class FolderListings {
public:
    // The entries of folder\*.* in the order the file system returns them,
    // "." and ".." included; nothing when the folder cannot be listed (it is
    // missing, or a file).
    const std::optional<std::vector<FolderEntry>>& List(const std::wstring& folder);

    // Whether the entry `name` of `folder` is a folder itself; nothing when
    // the folder has no such entry.
    std::optional<bool> IsFolder(const std::wstring& folder, const std::wstring& name);

    // The listings as the library scan asks for them.
    utils::FolderLister Lister();

private:
    struct Listing {
        std::optional<std::vector<FolderEntry>> entries;
        std::unordered_map<std::wstring, bool> kinds; // filled when first asked
    };
    Listing& Get(const std::wstring& folder);

    std::unordered_map<std::wstring, Listing> m_listings;
};

} // namespace checker

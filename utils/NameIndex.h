#pragma once
// Finding materials by part of their name across many folders: every name is
// folded once (case, accents, width: whatever the fold removes) and kept in
// the order the material list shows it, so that each search is a plain scan
// of folded text. Free of Win32: the fold and the list's order come from the
// caller, which makes the rules here checkable natively.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace utils {

// Maps a text to the form names and typed text are compared in. It must map
// "\n" to itself (no name holds a line break), so that the names of a folder
// can be folded in one call; a fold that does not is called name by name.
using TextFold = std::function<std::wstring(std::wstring_view)>;
// A key whose byte order is the order in which the material list sorts texts.
using OrderKey = std::function<std::string(std::wstring_view)>;

// One folder as a search sees it.
struct IndexedFolder {
    // What the folder is known by from one search to the next.
    std::wstring path;
    // Grows with every listing of the folder.
    std::uint32_t version = 0;
    // The names of its files in listing order; must outlive the next Search.
    const std::vector<std::wstring>* files = nullptr;
    // Characters the list leaves off the end of each name (the extension).
    std::size_t cut = 0;
};

struct NameHit {
    std::size_t folder = 0; // position among the folders of the last Update
    std::size_t file = 0;   // index into that folder's files
    bool prefix = false;    // the name begins with the text
    bool operator==(const NameHit&) const = default;
};

struct NameSearch {
    // Names that begin with the text first, then the others; each part in
    // the order of the folders and, within a folder, of the list.
    std::vector<NameHit> shown;
    // Every name found, the ones beyond the limit included.
    std::size_t total = 0;
};

class NameIndex {
public:
    NameIndex(TextFold fold, OrderKey order);

    // The folders the next searches look in, in this order. A folder keeps
    // what was made of it while its path, version and names stay the same;
    // one that is new or has changed is folded and ordered again. Returns
    // the number of folders that were.
    std::size_t Update(const std::vector<IndexedFolder>& folders);
    // Whether Update would fold a folder again, judged by path, version and
    // number of names alone (a cheap look, for the wait cursor).
    bool NeedsWork(const std::vector<IndexedFolder>& folders) const;

    // The names of the folders of the last Update that contain `typed`, once
    // folded, anywhere; at most `limit` of them in `shown`. Nothing is found
    // for a text that folds to nothing.
    NameSearch Search(std::wstring_view typed, std::size_t limit) const;

private:
    struct Entry {
        std::wstring path;
        std::uint32_t version = 0;
        std::size_t count = 0;
        std::uint64_t hash = 0;
        // The folded names in list order, each followed by "\n".
        std::wstring folded;
        // Where each name begins in `folded`, and one past the last.
        std::vector<std::uint32_t> starts;
        // The file each name of the list order stands for.
        std::vector<std::uint32_t> files;
    };

    void Build(Entry& entry, const IndexedFolder& folder) const;
    std::vector<std::wstring> FoldAll(const std::vector<std::wstring>& texts) const;
    std::wstring FoldQuery(std::wstring_view typed) const;

    TextFold m_fold;
    OrderKey m_order;
    std::vector<Entry> m_entries; // in the order of the last Update
};

} // namespace utils

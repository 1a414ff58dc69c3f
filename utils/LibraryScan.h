#pragma once
// The rules of the library's layout, and its lists, counts and running end
// indexes as a scan of the whole tree gives them (the library model in
// library/Library.h flattens itself into them).
//
// Layout: parameter folder / group folders (names beginning with a digit) /
// category folders / material files, plus one "Customize" folder of
// user-saved materials per group, found whatever its letter case. Every
// listing the result holds starts with "." and ".." (taken by name, whatever
// order the file system reports them in), so a folder's own entries always
// start two places after its start index.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace utils {

inline constexpr int kScannedGroups = 3;      // groups that get categories
inline constexpr int kSlotTableSize = 25;     // group 1 slots 0..8, groups 2 and 3 slots 0..7
inline constexpr int kMaxShownCategories = 8; // regular categories per group
inline constexpr wchar_t kCustomizeName[] = L"Customize";

// A set of groups (1..kScannedGroups) as bits, group 1 the lowest.
constexpr unsigned GroupBit(int group) { return 1u << (group - 1); }

// Index of slot k of group g (1..3) in the running end table.
constexpr int SlotTableIndex(int group, int slot) { return group == 1 ? slot : group == 2 ? 9 + slot : 17 + slot; }

// Index of group g's first regular category in categoryPaths: each earlier
// group adds its shown regular categories (its buttons less "Customize").
constexpr int CategoryPathBase(const std::array<int, 3>& categoryCount, int group)
{
    return group == 2 ? categoryCount[0] - 1 : group == 3 ? categoryCount[0] + categoryCount[1] - 2 : 0;
}

// Number of slots of group g in the running end table.
constexpr int SlotTableCount(int group) { return group == 1 ? 9 : 8; }

// A parameter-folder entry counts as a group when its name begins with a
// character from "." to "9": a digit, or a dot (so ".", ".." and hidden
// files such as ".keep" pass as well).
constexpr bool IsGroupEntryName(std::wstring_view name) { return !name.empty() && name[0] >= L'.' && name[0] <= L'9'; }

// The whole library as lists and running end indexes.
struct LibraryScan {
    // ".", ".." and the group entries of the parameter folder.
    std::vector<std::wstring> groupEntries;
    int groupEntryCount = 0;
    // parameter folder\group, one per group (index 0 is group 1).
    std::vector<std::wstring> groupPaths;
    // Every entry of group folders 1, 2, 3 in turn, each with its "." and "..".
    std::vector<std::wstring> categoryEntries;
    // parameter folder\group\category of every shown regular category.
    std::vector<std::wstring> categoryPaths;
    // Category buttons of groups 1..3: shown regular categories + "Customize".
    std::array<int, 3> categoryCount{};
    // Listings (".", ".." and files) of the shown regular categories.
    std::vector<std::wstring> materialEntries;
    // Running end index into materialEntries per slot (see SlotTableIndex);
    // a slot without a folder ends where the slot before it ends.
    std::array<int, kSlotTableSize> categoryEnd{};
    // Per group: the "Customize" folder path, then its ".", ".." and files.
    std::vector<std::wstring> customizeEntries;
    // Running end index into customizeEntries after the block of group 1, 2, 3.
    std::array<int, 3> customizeEnd{};

    bool operator==(const LibraryScan&) const = default;
};

// Names of a folder's entries in any order, or nothing when the folder cannot
// be listed (missing, or a file).
using FolderLister = std::function<std::optional<std::vector<std::wstring>>(const std::wstring& folder)>;
// Creates a folder; true when it was created.
using FolderCreator = std::function<bool(const std::wstring& folder)>;

// The order in which NTFS enumerates a folder: ordinal comparison of the
// upper-cased UTF-16 code units. Names equal but for case (possible on other
// file systems) are ordered by their own code units, so the order is total.
bool NameLess(const std::wstring& a, const std::wstring& b);

// Upper case of one UTF-16 code unit, as the file system compares names:
// ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and full-width Latin.
wchar_t UpcaseUnit(wchar_t c);

// Two names of one folder that the file system takes for the same entry:
// equal unit by unit once upper-cased.
bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b);

// The name of a group's folder of user-saved materials, in any letter case
// (Windows finds "customize" under "Customize").
inline bool IsCustomizeName(std::wstring_view name) { return SameNameIgnoringCase(name, kCustomizeName); }

} // namespace utils

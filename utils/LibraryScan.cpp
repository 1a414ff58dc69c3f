#include "utils/LibraryScan.h"

#include <algorithm>
#include <iterator>

#include "utils/MaterialName.h"

namespace utils {

namespace {

// Surplus categories. The category panel has nine buttons and a group's
// "Customize" button is always the last one shown, so a group can show at most
// eight regular categories (slots 0..7) in every group, although group 1 has a
// ninth slot in the end table. Regular categories after the eighth, in name
// order, are skipped as a whole: no path, no listing, no slot and no count.
// Keeping them anywhere would shift the path index of later groups
// (categoryPaths is indexed by counts) or push "Customize" past the last
// button. Group 1's slot 8 therefore always stays empty.

std::wstring Join(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name; }

bool IsDotEntry(const std::wstring& name) { return name == L"." || name == L".."; }

// A folder's entries with "." and ".." first, then the other names in the
// file system's name order; nothing when the folder cannot be listed.
std::optional<std::vector<std::wstring>> Listing(const FolderLister& list, const std::wstring& folder)
{
    std::optional<std::vector<std::wstring>> names = list(folder);
    if (!names)
        return std::nullopt;
    std::vector<std::wstring> entries{L".", L".."};
    for (std::wstring& name : *names)
        if (!IsDotEntry(name))
            entries.push_back(std::move(name));
    std::sort(entries.begin() + 2, entries.end(), NameLess);
    return entries;
}

// The listing of a folder of materials: a temporary file that an
// interrupted save left there is no material and is never listed.
std::optional<std::vector<std::wstring>> MaterialListing(const FolderLister& list, const std::wstring& folder)
{
    std::optional<std::vector<std::wstring>> entries = Listing(list, folder);
    if (entries)
        entries->erase(std::remove_if(entries->begin() + 2, entries->end(), IsOwnTempFileName), entries->end());
    return entries;
}

void Append(std::vector<std::wstring>& to, const std::vector<std::wstring>& from)
{
    to.insert(to.end(), from.begin(), from.end());
}

// A listing the scan keeps as it is: its names move, so a library of many
// materials is not held twice while it is scanned.
void Append(std::vector<std::wstring>& to, std::vector<std::wstring>&& from)
{
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

// What one group's scan has counted so far.
struct GroupTally {
    int regular = 0;        // regular categories taken
    int customizeBlock = 0; // entries the group adds to customizeEntries
    bool hasCustomize = false;
};

void AddCustomize(LibraryScan& scan, const std::wstring& path, const FolderLister& list, GroupTally& tally)
{
    std::optional<std::vector<std::wstring>> content = MaterialListing(list, path);
    tally.hasCustomize = true;
    scan.customizeEntries.push_back(path);
    tally.customizeBlock = 1;
    if (content) {
        tally.customizeBlock += static_cast<int>(content->size());
        Append(scan.customizeEntries, std::move(*content));
    }
}

void AddCategory(LibraryScan& scan, int group, const std::wstring& path, const FolderLister& list,
                 std::array<int, kSlotTableSize>& slotCounts, GroupTally& tally)
{
    if (tally.regular == kMaxShownCategories)
        return;
    scan.categoryPaths.push_back(path);
    std::optional<std::vector<std::wstring>> content = MaterialListing(list, path);
    if (content) {
        slotCounts[SlotTableIndex(group, tally.regular)] = static_cast<int>(content->size());
        Append(scan.materialEntries, std::move(*content));
    }
    ++tally.regular;
}

// A group without "Customize" gets one. `listingStart` is where the group's
// own listing begins in categoryEntries, when the group could be listed.
void CreateCustomize(LibraryScan& scan, const std::wstring& groupPath, std::optional<size_t> listingStart,
                     const FolderCreator& create, GroupTally& tally)
{
    const std::wstring path = Join(groupPath, kCustomizeName);
    scan.customizeEntries.push_back(path);
    tally.customizeBlock = 1;
    // A folder created just now is empty; recording it as the next run
    // will find it makes this run's lists and ranges equal to that run's.
    if (!create(path))
        return;
    scan.customizeEntries.insert(scan.customizeEntries.end(), {L".", L".."});
    tally.customizeBlock += 2;
    if (listingStart) {
        const std::wstring name = kCustomizeName;
        auto& listing = scan.categoryEntries;
        const auto from = listing.begin() + static_cast<std::ptrdiff_t>(*listingStart + 2);
        listing.insert(std::lower_bound(from, listing.end(), name, NameLess), name);
    }
}

// Categories and "Customize" folder of group g (1..3); slotCounts gets the
// number of listed entries per slot of the end table.
void ScanGroup(LibraryScan& scan, int group, const std::wstring& groupPath, const FolderLister& list,
               const FolderCreator& create, std::array<int, kSlotTableSize>& slotCounts)
{
    const std::optional<std::vector<std::wstring>> entries = Listing(list, groupPath);
    const size_t listingStart = scan.categoryEntries.size();
    GroupTally tally;
    if (entries) {
        Append(scan.categoryEntries, *entries);
        for (auto name = entries->begin() + 2; name != entries->end(); ++name) {
            const std::wstring path = Join(groupPath, *name);
            // Windows takes "customize" for "Customize". Where a file system
            // tells them apart, the first in name order is the group's
            // folder and the others are neither that nor a category.
            if (!IsCustomizeName(*name))
                AddCategory(scan, group, path, list, slotCounts, tally);
            else if (!tally.hasCustomize)
                AddCustomize(scan, path, list, tally);
        }
    }
    if (!tally.hasCustomize)
        CreateCustomize(scan, groupPath, entries ? std::optional<size_t>(listingStart) : std::nullopt, create, tally);
    scan.categoryCount[group - 1] = tally.regular + 1;
    scan.customizeEnd[group - 1] = tally.customizeBlock;
}

} // namespace

LibraryScan ScanLibraryTree(const std::wstring& paramFolder, const FolderLister& list, const FolderCreator& create)
{
    LibraryScan scan;
    if (paramFolder.empty())
        return scan;
    const std::optional<std::vector<std::wstring>> entries = Listing(list, paramFolder);
    if (!entries)
        return scan;
    for (const std::wstring& name : *entries)
        if (IsGroupEntryName(name))
            scan.groupEntries.push_back(name);
    scan.groupEntryCount = static_cast<int>(scan.groupEntries.size());

    std::array<int, kSlotTableSize> slotCounts{};
    for (int i = 2; i < scan.groupEntryCount; ++i) {
        const int group = i - 1;
        const std::wstring groupPath = Join(paramFolder, scan.groupEntries[static_cast<size_t>(i)]);
        scan.groupPaths.push_back(groupPath);
        if (group <= kScannedGroups)
            ScanGroup(scan, group, groupPath, list, create, slotCounts);
    }

    int end = 0;
    for (int k = 0; k < kSlotTableSize; ++k)
        scan.categoryEnd[static_cast<size_t>(k)] = end += slotCounts[static_cast<size_t>(k)];
    scan.customizeEnd[1] += scan.customizeEnd[0];
    scan.customizeEnd[2] += scan.customizeEnd[1];
    return scan;
}

wchar_t UpcaseUnit(wchar_t c)
{
    const auto in = [c](unsigned from, unsigned to) {
        const auto unit = static_cast<unsigned>(c);
        return unit >= from && unit <= to;
    };
    const auto odd = (c & 1) != 0;
    if (in(L'a', L'z') || in(0xFF41, 0xFF5A))
        return static_cast<wchar_t>(c - 0x20);
    if (c < 0xE0)
        return c;
    if (in(0xE0, 0xFE))
        return c == 0xF7 ? c : static_cast<wchar_t>(c - 0x20);
    if (c == 0xFF)
        return static_cast<wchar_t>(0x178);
    // Latin Extended-A: pairs of capital and small letter.
    if (in(0x100, 0x12F) || in(0x132, 0x137) || in(0x14A, 0x177))
        return odd ? static_cast<wchar_t>(c - 1) : c;
    if (in(0x139, 0x148) || in(0x179, 0x17E))
        return odd ? c : static_cast<wchar_t>(c - 1);
    // Greek.
    if (c == 0x3AC)
        return static_cast<wchar_t>(0x386);
    if (in(0x3AD, 0x3AF))
        return static_cast<wchar_t>(c - 0x25);
    if (c == 0x3C2)
        return static_cast<wchar_t>(0x3A3);
    if (in(0x3B1, 0x3CB))
        return static_cast<wchar_t>(c - 0x20);
    if (c == 0x3CC)
        return static_cast<wchar_t>(0x38C);
    if (in(0x3CD, 0x3CE))
        return static_cast<wchar_t>(c - 0x3F);
    // Cyrillic.
    if (in(0x430, 0x44F))
        return static_cast<wchar_t>(c - 0x20);
    if (in(0x450, 0x45F))
        return static_cast<wchar_t>(c - 0x50);
    return c;
}

bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](wchar_t x, wchar_t y) { return UpcaseUnit(x) == UpcaseUnit(y); });
}

bool NameLess(const std::wstring& a, const std::wstring& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const wchar_t ua = UpcaseUnit(a[i]);
        const wchar_t ub = UpcaseUnit(b[i]);
        if (ua != ub)
            return ua < ub;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

} // namespace utils

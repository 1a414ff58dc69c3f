// The library scan over an in-memory folder tree decoded from the input:
// arbitrary group, category and file names (dot-names, "Customize" in any
// letter case, non-ASCII, leftovers of saves), files where folders are
// expected, empty folders, listings with "." and ".." anywhere or missing, and
// folders that cannot be created. The ranges every reader relies on must hold,
// the group's "Customize" folder is found in any letter case and is never a
// category, and the scan may create nothing but a group's own "Customize"
// folder.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "library/Library.h"
#include "utils/LibraryScan.h"
#include "utils/MaterialName.h"

namespace {

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            __builtin_trap();                                                                                          \
    } while (0)

const std::wstring kParam = L"C:\\ZOR\\parameter_R250";

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

std::wstring Upper(const std::wstring& name)
{
    std::wstring upper;
    for (wchar_t c : name)
        upper.push_back(utils::UpcaseUnit(c));
    return upper;
}

struct Tree {
    std::map<std::wstring, std::set<std::wstring>> folders; // path -> child names
    std::set<std::wstring> files;
    bool readOnly = false; // no folder can be created
    bool hideDots = false; // listings without "." and ".."
    int dotPosition = 0;   // where "." and ".." appear among the names
    std::set<std::wstring> created;
    std::set<std::wstring> listed;

    std::wstring Name(Input& in)
    {
        static const wchar_t* const kFixed[] = {
            L"Customize", L"customize", L"CUSTOMIZE",   L"Customize ", L"Customise",    L".", L"..",
            L".hidden",   L"..x",       L"...",         L"1",          L"2_Wood",       L"3", L"10",
            L"9z",        L"0",         L"~mm1A2B.tmp", L"~MM0.TMP",   L"~mm12345.tmp",
        };
        const std::uint8_t pick = in.Byte();
        if (pick < 2 * std::size(kFixed))
            return kFixed[pick % std::size(kFixed)];
        static const wchar_t kAlphabet[] = L"0123456789._- aAbBzZ\x00E9\x00C9\x00FF\x0178\x0416\x0436\x03A3\x03C3"
                                           L"\x00A0\x4E2D\xFF41";
        const int length = 1 + in.Byte() % 9;
        std::wstring name;
        for (int i = 0; i < length; ++i)
            name.push_back(kAlphabet[in.Byte() % (std::size(kAlphabet) - 1)]);
        return name;
    }

    void Build(Input& in, const std::wstring& path, int depth)
    {
        folders[path];
        int count = in.Byte() % (depth == 0 ? 7 : 13);
        if (depth == 2 && count == 12)
            count = 40 + in.Byte(); // hundreds of materials now and then
        for (int i = 0; i < count; ++i) {
            std::wstring name = Name(in);
            if (name == L"." || name == L".." || folders[path].count(name))
                continue;
            folders[path].insert(name);
            const std::wstring child = path + L"\\" + name;
            // Mostly folders above the material level, mostly files at it.
            const bool folder = depth < 2 ? in.Byte() % 5 != 0 : depth < 4 && in.Byte() % 9 == 0;
            if (folder)
                Build(in, child, depth + 1);
            else
                files.insert(child);
        }
    }

    std::optional<std::vector<std::wstring>> List(const std::wstring& path)
    {
        listed.insert(path);
        const auto folder = folders.find(path);
        if (folder == folders.end())
            return std::nullopt;
        // Reverse name order, so the scan has to sort.
        std::vector<std::wstring> names(folder->second.rbegin(), folder->second.rend());
        if (!hideDots) {
            const auto at = names.begin() + static_cast<std::ptrdiff_t>(dotPosition % (names.size() + 1));
            names.insert(names.insert(at, L".."), L".");
        }
        return names;
    }

    // As on NTFS: fails when the parent is no folder or holds the name in any
    // letter case.
    bool Create(const std::wstring& path)
    {
        created.insert(path);
        const auto cut = path.rfind(L'\\');
        const auto parent = folders.find(path.substr(0, cut));
        if (readOnly || parent == folders.end())
            return false;
        const std::wstring name = path.substr(cut + 1);
        for (const std::wstring& sibling : parent->second)
            if (Upper(sibling) == Upper(name))
                return false;
        parent->second.insert(name);
        folders[path];
        return true;
    }

    // The names a scan of `path` must report after its "." and "..".
    std::vector<std::wstring> Sorted(const std::wstring& path) const
    {
        const auto folder = folders.find(path);
        std::vector<std::wstring> names(folder->second.begin(), folder->second.end());
        std::sort(names.begin(), names.end(), utils::NameLess);
        return names;
    }
    // Those of a folder of materials, where the temporary files of saves
    // are never listed.
    std::vector<std::wstring> Materials(const std::wstring& path) const
    {
        std::vector<std::wstring> names = Sorted(path);
        names.erase(std::remove_if(names.begin(), names.end(), utils::IsOwnTempFileName), names.end());
        return names;
    }
};

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The listing held at [from, to): ".", "..", then the folder's names.
void CheckListing(const std::vector<std::wstring>& list, int from, int to, const std::vector<std::wstring>& names)
{
    CHECK(to - from == static_cast<int>(names.size()) + 2);
    CHECK(list[static_cast<std::size_t>(from)] == L"." && list[static_cast<std::size_t>(from) + 1] == L"..");
    for (std::size_t i = 0; i < names.size(); ++i)
        CHECK(list[static_cast<std::size_t>(from) + 2 + i] == names[i]);
}

void CheckScan(const utils::LibraryScan& scan, const Tree& tree, const std::set<std::wstring>& createdNow)
{
    // Groups: digit- and dot-names of the parameter folder, "." and ".." first.
    const std::vector<std::wstring> top = tree.Sorted(kParam);
    CHECK(scan.groupEntryCount == static_cast<int>(scan.groupEntries.size()));
    CHECK(scan.groupEntryCount >= 2);
    CHECK(scan.groupEntries[0] == L"." && scan.groupEntries[1] == L"..");
    std::vector<std::wstring> groups;
    for (const std::wstring& name : top)
        if (name[0] >= L'.' && name[0] <= L'9')
            groups.push_back(name);
    CHECK(std::equal(groups.begin(), groups.end(), scan.groupEntries.begin() + 2, scan.groupEntries.end()));
    CHECK(scan.groupPaths.size() == groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i)
        CHECK(scan.groupPaths[i] == kParam + L"\\" + groups[i]);

    const int scanned = std::min(static_cast<int>(groups.size()), utils::kScannedGroups);
    std::size_t categoryEntry = 0;
    std::size_t pathIndex = 0;
    std::set<std::wstring> mayCreate;
    for (int g = 1; g <= utils::kScannedGroups; ++g) {
        const int before = g == 1 ? 0 : scan.customizeEnd[static_cast<std::size_t>(g - 2)];
        const int end = scan.customizeEnd[static_cast<std::size_t>(g - 1)];
        CHECK(end >= before);
        if (g > scanned) {
            // No such group: nothing of it anywhere.
            CHECK(end == before);
            for (int k = 0; k < utils::SlotTableCount(g); ++k) {
                const int index = utils::SlotTableIndex(g, k);
                const int from = index == 0 ? 0 : scan.categoryEnd[static_cast<std::size_t>(index - 1)];
                CHECK(scan.categoryEnd[static_cast<std::size_t>(index)] == from);
            }
            continue;
        }
        const std::wstring groupPath = scan.groupPaths[static_cast<std::size_t>(g - 1)];
        const bool isFolder = tree.folders.count(groupPath) != 0;
        // The group's own folder: the first name of any letter case, in its
        // own spelling; "Customize" where there is none.
        std::wstring customizeName = utils::kCustomizeName;
        if (isFolder)
            for (const std::wstring& name : tree.Sorted(groupPath))
                if (Upper(name) == Upper(utils::kCustomizeName)) {
                    customizeName = name;
                    break;
                }
        const std::wstring customize = groupPath + L"\\" + customizeName;

        // The group's listing, with a folder created by this scan among it.
        if (isFolder) {
            const std::vector<std::wstring> names = tree.Sorted(groupPath);
            CheckListing(scan.categoryEntries, static_cast<int>(categoryEntry),
                         static_cast<int>(categoryEntry + names.size() + 2), names);
            categoryEntry += names.size() + 2;
        }

        // Customize block: its path, then "." and ".." and its files when it is a folder.
        CHECK(end > before);
        CHECK(scan.customizeEntries[static_cast<std::size_t>(before)] == customize);
        if (tree.folders.count(customize))
            CheckListing(scan.customizeEntries, before + 1, end, tree.Materials(customize));
        else
            CHECK(end == before + 1);
        const bool hadCustomize = isFolder && tree.folders.at(groupPath).count(customizeName) &&
                                  !createdNow.count(customize);
        if (!hadCustomize)
            mayCreate.insert(customize);

        // Regular categories: the first eight in name order take slots 0..7.
        std::vector<std::wstring> regular;
        if (isFolder)
            for (const std::wstring& name : tree.Sorted(groupPath))
                if (Upper(name) != Upper(utils::kCustomizeName))
                    regular.push_back(name);
        const int shown = std::min(static_cast<int>(regular.size()), utils::kMaxShownCategories);
        CHECK(scan.categoryCount[static_cast<std::size_t>(g - 1)] == shown + 1);
        for (int k = 0; k < utils::SlotTableCount(g); ++k) {
            const int index = utils::SlotTableIndex(g, k);
            const int to = scan.categoryEnd[static_cast<std::size_t>(index)];
            const int from = index == 0 ? 0 : scan.categoryEnd[static_cast<std::size_t>(index - 1)];
            CHECK(from <= to);
            CHECK(to <= static_cast<int>(scan.materialEntries.size()));
            if (k >= shown) {
                CHECK(from == to);
                continue;
            }
            const std::wstring path = groupPath + L"\\" + regular[static_cast<std::size_t>(k)];
            CHECK(scan.categoryPaths[pathIndex++] == path);
            if (tree.folders.count(path))
                CheckListing(scan.materialEntries, from, to, tree.Materials(path));
            else
                CHECK(from == to); // a file where a category folder belongs
        }
    }
    CHECK(pathIndex == scan.categoryPaths.size());
    CHECK(categoryEntry == scan.categoryEntries.size());
    CHECK(scan.categoryEnd[utils::kSlotTableSize - 1] == static_cast<int>(scan.materialEntries.size()));
    CHECK(scan.customizeEnd[2] == static_cast<int>(scan.customizeEntries.size()));
    for (const std::wstring& path : createdNow)
        CHECK(mayCreate.count(path));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    Tree tree;
    const std::uint8_t flags = in.Byte();
    tree.readOnly = (flags & 1) != 0;
    tree.hideDots = (flags & 2) != 0;
    tree.dotPosition = flags >> 2;
    if ((flags & 0xF0) == 0xF0) {
        // The parameter folder itself is a file.
        tree.files.insert(kParam);
        CHECK(ScanLibraryTree(
                  L"", [&](const std::wstring& p) { return tree.List(p); },
                  [&](const std::wstring& p) { return tree.Create(p); }) == utils::LibraryScan{});
        const utils::LibraryScan scan = ScanLibraryTree(
            kParam, [&](const std::wstring& p) { return tree.List(p); },
            [&](const std::wstring& p) { return tree.Create(p); });
        CHECK(scan == utils::LibraryScan{});
        CHECK(tree.created.empty());
        return 0;
    }
    tree.Build(in, kParam, 0);
    const auto lister = [&](const std::wstring& p) { return tree.List(p); };
    const auto creator = [&](const std::wstring& p) { return tree.Create(p); };

    const utils::LibraryScan first = ScanLibraryTree(kParam, lister, creator);
    const std::set<std::wstring> createdFirst = tree.created;
    for (const std::wstring& path : tree.listed)
        CHECK(path == kParam || StartsWith(path, kParam + L"\\"));
    CheckScan(first, tree, createdFirst);

    // The next run finds the folders this one created and must give the same lists.
    tree.created.clear();
    const utils::LibraryScan second = ScanLibraryTree(kParam, lister, creator);
    CheckScan(second, tree, tree.created);
    CHECK(second == first);
    return 0;
}

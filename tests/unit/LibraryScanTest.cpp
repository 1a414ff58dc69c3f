#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "library/Library.h"
#include "utils/LibraryScan.h"

using utils::LibraryScan;

namespace utils {
void PrintTo(const LibraryScan& scan, std::ostream* out)
{
    const auto list = [out](const char* name, const std::vector<std::wstring>& entries) {
        *out << "\n  " << name << ":";
        for (const std::wstring& entry : entries)
            *out << " " << testing::PrintToString(entry);
    };
    list("groupEntries", scan.groupEntries);
    list("groupPaths", scan.groupPaths);
    list("categoryEntries", scan.categoryEntries);
    list("categoryPaths", scan.categoryPaths);
    list("materialEntries", scan.materialEntries);
    list("customizeEntries", scan.customizeEntries);
    *out << "\n  counts: " << testing::PrintToString(scan.categoryCount)
         << " ends: " << testing::PrintToString(scan.categoryEnd)
         << " customize: " << testing::PrintToString(scan.customizeEnd);
}
} // namespace utils
using Names = std::vector<std::wstring>;

namespace {

// An in-memory folder tree whose listings come back in scrambled order, with
// "." and ".." somewhere among them, as Wine on a Unix file system gives them.
class FakeTree {
public:
    void Folder(const std::wstring& path)
    {
        if (m_folders.count(path))
            return;
        m_folders[path];
        const auto cut = path.rfind(L'\\');
        if (cut != std::wstring::npos) {
            Folder(path.substr(0, cut));
            m_folders[path.substr(0, cut)].insert(path.substr(cut + 1));
        }
    }
    void File(const std::wstring& path)
    {
        const auto cut = path.rfind(L'\\');
        Folder(path.substr(0, cut));
        m_folders[path.substr(0, cut)].insert(path.substr(cut + 1));
    }
    // Files named prefix + number for number 1..count.
    void Files(const std::wstring& folder, const std::wstring& prefix, int count)
    {
        Folder(folder);
        for (int i = 1; i <= count; ++i)
            File(folder + L"\\" + prefix + std::to_wstring(1000 + i) + L".VX");
    }

    utils::FolderLister Lister()
    {
        return [this](const std::wstring& folder) -> std::optional<Names> {
            ++m_listings;
            m_listed.push_back(folder);
            const auto found = m_folders.find(folder);
            if (found == m_folders.end())
                return std::nullopt;
            Names names(found->second.rbegin(), found->second.rend());
            names.insert(names.begin() + static_cast<long>(names.size() / 2), L"..");
            names.push_back(L".");
            return names;
        };
    }
    // Creates a folder unless its parent is missing or already holds the name
    // in any letter case (as a case-insensitive file system would refuse).
    utils::FolderCreator Creator()
    {
        return [this](const std::wstring& path) {
            m_createAttempts.push_back(path);
            const auto cut = path.rfind(L'\\');
            const auto parent = m_folders.find(path.substr(0, cut));
            if (parent == m_folders.end())
                return false;
            const std::wstring name = path.substr(cut + 1);
            for (const std::wstring& existing : parent->second) {
                std::wstring a = existing, b = name;
                std::transform(a.begin(), a.end(), a.begin(), utils::UpcaseUnit);
                std::transform(b.begin(), b.end(), b.begin(), utils::UpcaseUnit);
                if (a == b)
                    return false;
            }
            Folder(path);
            return true;
        };
    }

    LibraryScan Scan(const std::wstring& paramFolder = L"P")
    {
        return ScanLibraryTree(paramFolder, Lister(), Creator());
    }

    std::map<std::wstring, std::set<std::wstring>> m_folders;
    Names m_createAttempts;
    Names m_listed;
    int m_listings = 0;
};

// The index ranges as the readers of the scan use them.
int TableIndex(int group, int slot) { return group == 1 ? slot : group == 2 ? 9 + slot : 17 + slot; }

Names Materials(const LibraryScan& scan, int group, int slot)
{
    const int index = TableIndex(group, slot);
    const int end = scan.categoryEnd[static_cast<size_t>(index)];
    const int start = index == 0 ? 0 : scan.categoryEnd[static_cast<size_t>(index - 1)];
    Names names;
    for (int i = start + 2; i <= end - 1; ++i)
        names.push_back(scan.materialEntries.at(static_cast<size_t>(i)));
    return names;
}

std::wstring CategoryPath(const LibraryScan& scan, int group, int slot)
{
    const int base = group == 1   ? 0
                     : group == 2 ? scan.categoryCount[0] - 1
                                  : scan.categoryCount[0] + scan.categoryCount[1] - 2;
    return scan.categoryPaths.at(static_cast<size_t>(base + slot));
}

std::wstring CustomizePath(const LibraryScan& scan, int group)
{
    const int start = group == 1 ? 0 : scan.customizeEnd[static_cast<size_t>(group - 2)];
    return scan.customizeEntries.at(static_cast<size_t>(start));
}

Names CustomMaterials(const LibraryScan& scan, int group)
{
    const int start = group == 1 ? 0 : scan.customizeEnd[static_cast<size_t>(group - 2)];
    const int end = scan.customizeEnd[static_cast<size_t>(group - 1)];
    Names names;
    for (int i = start + 3; i <= end - 1; ++i)
        names.push_back(scan.customizeEntries.at(static_cast<size_t>(i)));
    return names;
}

int Groups(const LibraryScan& scan) { return scan.groupEntryCount - 2; }

} // namespace

TEST(LibraryScan, ThreeGroupsGiveListsCountsAndRanges)
{
    FakeTree tree;
    tree.File(L"P\\1_Engrave\\Wood\\Oak.VX");
    tree.File(L"P\\1_Engrave\\Wood\\Birch.VX");
    tree.File(L"P\\1_Engrave\\Acrylic\\Clear.VX");
    tree.Folder(L"P\\1_Engrave\\Empty");
    tree.File(L"P\\1_Engrave\\Customize\\Mine.VX");
    // What saves cut short leave is no material; a name of another pattern is.
    tree.File(L"P\\1_Engrave\\Customize\\~mm1A2B.tmp");
    tree.File(L"P\\1_Engrave\\Wood\\~MM7.TMP");
    tree.File(L"P\\1_Engrave\\Wood\\~mm12345.tmp");
    tree.File(L"P\\2_Photo\\Stone\\Slate.VX");
    tree.File(L"P\\3_Vector\\Cutting\\Card red.VX");
    tree.File(L"P\\3_Vector\\Cutting\\Paper red.VX");
    tree.File(L"P\\Readme.txt");
    const LibraryScan scan = tree.Scan();

    EXPECT_EQ(scan.groupEntries, (Names{L".", L"..", L"1_Engrave", L"2_Photo", L"3_Vector"}));
    EXPECT_EQ(Groups(scan), 3);
    EXPECT_EQ(scan.groupPaths, (Names{L"P\\1_Engrave", L"P\\2_Photo", L"P\\3_Vector"}));
    EXPECT_EQ(scan.categoryCount, (std::array<int, 3>{4, 2, 2}));

    EXPECT_EQ(CategoryPath(scan, 1, 0), L"P\\1_Engrave\\Acrylic");
    EXPECT_EQ(CategoryPath(scan, 1, 1), L"P\\1_Engrave\\Empty");
    EXPECT_EQ(CategoryPath(scan, 1, 2), L"P\\1_Engrave\\Wood");
    EXPECT_EQ(CategoryPath(scan, 2, 0), L"P\\2_Photo\\Stone");
    EXPECT_EQ(CategoryPath(scan, 3, 0), L"P\\3_Vector\\Cutting");
    EXPECT_EQ(scan.categoryPaths.size(), 5u);

    EXPECT_EQ(Materials(scan, 1, 0), (Names{L"Clear.VX"}));
    EXPECT_EQ(Materials(scan, 1, 1), Names{});
    EXPECT_EQ(Materials(scan, 1, 2), (Names{L"Birch.VX", L"Oak.VX", L"~mm12345.tmp"}));
    for (int slot = 3; slot < 9; ++slot)
        EXPECT_EQ(Materials(scan, 1, slot), Names{}) << slot;
    EXPECT_EQ(Materials(scan, 2, 0), (Names{L"Slate.VX"}));
    EXPECT_EQ(Materials(scan, 3, 0), (Names{L"Card red.VX", L"Paper red.VX"}));
    for (int slot = 1; slot < 8; ++slot) {
        EXPECT_EQ(Materials(scan, 2, slot), Names{}) << slot;
        EXPECT_EQ(Materials(scan, 3, slot), Names{}) << slot;
    }
    // Each category's listing keeps its "." and ".." before its files.
    EXPECT_EQ(scan.materialEntries.size(), 5u * 2 + 7);
    EXPECT_EQ(scan.materialEntries[0], L".");
    EXPECT_EQ(scan.materialEntries[1], L"..");

    EXPECT_EQ(CustomizePath(scan, 1), L"P\\1_Engrave\\Customize");
    EXPECT_EQ(CustomMaterials(scan, 1), (Names{L"Mine.VX"}));
    EXPECT_EQ(CustomizePath(scan, 2), L"P\\2_Photo\\Customize");
    EXPECT_EQ(CustomMaterials(scan, 2), Names{});
    EXPECT_EQ(CustomizePath(scan, 3), L"P\\3_Vector\\Customize");
    EXPECT_EQ(tree.m_createAttempts, (Names{L"P\\2_Photo\\Customize", L"P\\3_Vector\\Customize"}));

    // The group listings as they stand after the scan, created folders included.
    EXPECT_EQ(scan.categoryEntries, (Names{L".", L"..", L"Acrylic", L"Customize", L"Empty", L"Wood", L".", L"..",
                                           L"Customize", L"Stone", L".", L"..", L"Customize", L"Cutting"}));
}

TEST(LibraryScan, EmptyParameterFolderHasNoGroups)
{
    FakeTree tree;
    tree.Folder(L"P");
    const LibraryScan scan = tree.Scan();
    EXPECT_EQ(scan.groupEntryCount, 2);
    EXPECT_EQ(Groups(scan), 0);
    EXPECT_TRUE(scan.groupPaths.empty());
    EXPECT_TRUE(scan.categoryPaths.empty());
    EXPECT_TRUE(scan.customizeEntries.empty());
    EXPECT_EQ(scan.categoryCount, (std::array<int, 3>{}));
    EXPECT_TRUE(tree.m_createAttempts.empty());
}

TEST(LibraryScan, FolderThatCannotBeListedOrIsNotNamedScansNothing)
{
    FakeTree tree;
    tree.File(L"P\\1_A\\Cat\\m.VX");
    EXPECT_EQ(tree.Scan(L"Q"), LibraryScan{});
    // An empty name would be the root of the current drive: not even listed.
    tree.m_listings = 0;
    EXPECT_EQ(tree.Scan(L""), LibraryScan{});
    EXPECT_EQ(tree.m_listings, 0);
    EXPECT_TRUE(tree.m_createAttempts.empty());
}

TEST(LibraryScan, GroupWithoutCategoriesShowsOnlyItsNewCustomizeFolder)
{
    FakeTree tree;
    tree.Folder(L"P\\1_Empty");
    const LibraryScan scan = tree.Scan();
    EXPECT_EQ(Groups(scan), 1);
    EXPECT_EQ(scan.categoryCount[0], 1);
    EXPECT_TRUE(scan.categoryPaths.empty());
    EXPECT_EQ(scan.customizeEntries, (Names{L"P\\1_Empty\\Customize", L".", L".."}));
    EXPECT_EQ(scan.customizeEnd, (std::array<int, 3>{3, 3, 3}));
    EXPECT_EQ(CustomMaterials(scan, 1), Names{});
    EXPECT_EQ(tree.m_createAttempts, (Names{L"P\\1_Empty\\Customize"}));
    EXPECT_TRUE(tree.m_folders.count(L"P\\1_Empty\\Customize"));
}

TEST(LibraryScan, CustomizeSortedBetweenCategoriesLeavesSlotsConsecutive)
{
    FakeTree tree;
    tree.File(L"P\\1_G\\A\\a1.VX");
    tree.File(L"P\\1_G\\Customize\\c1.VX");
    tree.File(L"P\\1_G\\Customize\\c2.VX");
    tree.File(L"P\\1_G\\D\\d1.VX");
    tree.File(L"P\\1_G\\D\\d2.VX");
    tree.File(L"P\\2_H\\B\\b1.VX");
    const LibraryScan scan = tree.Scan();
    EXPECT_EQ(scan.categoryCount[0], 3); // A, D and "Customize" at position 2
    EXPECT_EQ(CategoryPath(scan, 1, 0), L"P\\1_G\\A");
    EXPECT_EQ(CategoryPath(scan, 1, 1), L"P\\1_G\\D");
    EXPECT_EQ(Materials(scan, 1, 0), (Names{L"a1.VX"}));
    EXPECT_EQ(Materials(scan, 1, 1), (Names{L"d1.VX", L"d2.VX"}));
    EXPECT_EQ(CustomMaterials(scan, 1), (Names{L"c1.VX", L"c2.VX"}));
    EXPECT_EQ(CategoryPath(scan, 2, 0), L"P\\2_H\\B");
    EXPECT_EQ(Materials(scan, 2, 0), (Names{L"b1.VX"}));
}

TEST(LibraryScan, FirstRunCreatesCustomizeFoldersAndEqualsTheNextRun)
{
    FakeTree tree;
    tree.Files(L"P\\1_A\\Wood", L"w", 3);
    tree.Files(L"P\\1_A\\Stone", L"s", 2);
    tree.Files(L"P\\2_B\\Glass", L"g", 4);
    tree.Files(L"P\\3_C\\Paper", L"p", 1);
    tree.Folder(L"P\\4_D\\Extra");
    const LibraryScan first = tree.Scan();
    EXPECT_EQ(tree.m_createAttempts, (Names{L"P\\1_A\\Customize", L"P\\2_B\\Customize", L"P\\3_C\\Customize"}));
    tree.m_createAttempts.clear();
    const LibraryScan second = tree.Scan();
    EXPECT_TRUE(tree.m_createAttempts.empty());
    EXPECT_EQ(first, second);
    EXPECT_EQ(second.categoryCount, (std::array<int, 3>{3, 2, 2}));
}

TEST(LibraryScan, FileInAGroupFolderIsAnEmptyCategory)
{
    FakeTree tree;
    tree.File(L"P\\1_A\\Notes.txt");
    tree.Files(L"P\\1_A\\Wood", L"w", 2);
    tree.File(L"P\\2_file.dat"); // a file named like a group
    tree.Files(L"P\\3_C\\Paper", L"p", 1);
    const LibraryScan scan = tree.Scan();
    EXPECT_EQ(Groups(scan), 3);
    EXPECT_EQ(scan.categoryCount[0], 3);
    EXPECT_EQ(CategoryPath(scan, 1, 0), L"P\\1_A\\Notes.txt");
    EXPECT_EQ(Materials(scan, 1, 0), Names{});
    EXPECT_EQ(Materials(scan, 1, 1), (Names{L"w1001.VX", L"w1002.VX"}));
    // The file group has nothing but its "Customize" button, whose folder
    // could not be made.
    EXPECT_EQ(scan.categoryCount[1], 1);
    EXPECT_EQ(CustomizePath(scan, 2), L"P\\2_file.dat\\Customize");
    EXPECT_EQ(scan.customizeEnd[1] - scan.customizeEnd[0], 1);
    EXPECT_EQ(CategoryPath(scan, 3, 0), L"P\\3_C\\Paper");
    EXPECT_EQ(Materials(scan, 3, 0), (Names{L"p1001.VX"}));
}

TEST(LibraryScan, FourthGroupGetsAPathOnly)
{
    FakeTree tree;
    for (const wchar_t* group : {L"1_A", L"2_B", L"3_C", L"4_D"})
        tree.Files(std::wstring(L"P\\") + group + L"\\Cat", L"m", 2);
    const LibraryScan scan = tree.Scan();
    EXPECT_EQ(Groups(scan), 4);
    EXPECT_EQ(scan.groupPaths.back(), L"P\\4_D");
    EXPECT_EQ(scan.categoryPaths.size(), 3u);
    EXPECT_EQ(scan.materialEntries.size(), 3u * 4);
    EXPECT_EQ(std::count(scan.categoryEntries.begin(), scan.categoryEntries.end(), L"."), 3);
    EXPECT_EQ(tree.m_createAttempts.size(), 3u);
    EXPECT_EQ(tree.m_folders.count(L"P\\4_D\\Customize"), 0u);
}

TEST(LibraryScan, OnlyDotAndDigitNamesAreGroups)
{
    FakeTree tree;
    tree.Files(L"P\\.hidden\\Cat", L"h", 1);
    tree.Files(L"P\\9_Last\\Cat", L"n", 1);
    tree.Files(L"P\\Archive\\Cat", L"a", 1);
    tree.Files(L"P\\_old\\Cat", L"o", 1);
    tree.Files(L"P\\:x", L"c", 1);
    const LibraryScan scan = tree.Scan();
    EXPECT_EQ(scan.groupEntries, (Names{L".", L"..", L".hidden", L"9_Last"}));
}

TEST(LibraryScan, CategoriesBeyondEightAreSkippedEverywhere)
{
    FakeTree tree;
    // Group 1: ten categories; group 2: nine with "Customize" among them;
    // group 3: two.
    for (wchar_t c = L'A'; c <= L'J'; ++c)
        tree.Files(std::wstring(L"P\\1_G\\") + c, std::wstring(1, c), 1);
    for (wchar_t c = L'A'; c <= L'I'; ++c)
        tree.Files(std::wstring(L"P\\2_H\\") + c, std::wstring(1, c), 2);
    tree.Files(L"P\\2_H\\Customize", L"custom", 3);
    tree.Files(L"P\\3_K\\X", L"x", 1);
    tree.Files(L"P\\3_K\\Y", L"y", 1);
    const LibraryScan scan = tree.Scan();

    EXPECT_EQ(scan.categoryCount, (std::array<int, 3>{9, 9, 3}));
    EXPECT_EQ(scan.categoryPaths.size(), 8u + 8u + 2u);
    for (int slot = 0; slot < 8; ++slot) {
        const std::wstring letter(1, static_cast<wchar_t>(L'A' + slot));
        EXPECT_EQ(CategoryPath(scan, 1, slot), L"P\\1_G\\" + letter);
        EXPECT_EQ(Materials(scan, 1, slot), (Names{letter + L"1001.VX"}));
        EXPECT_EQ(CategoryPath(scan, 2, slot), L"P\\2_H\\" + letter);
        EXPECT_EQ(Materials(scan, 2, slot), (Names{letter + L"1001.VX", letter + L"1002.VX"}));
    }
    EXPECT_EQ(Materials(scan, 1, 8), Names{}); // the ninth button is "Customize"
    EXPECT_EQ(CategoryPath(scan, 3, 0), L"P\\3_K\\X");
    EXPECT_EQ(CategoryPath(scan, 3, 1), L"P\\3_K\\Y");
    EXPECT_EQ(Materials(scan, 3, 1), (Names{L"y1001.VX"}));
    // Nothing of the skipped folders is kept.
    for (const std::wstring& entry : scan.materialEntries) {
        EXPECT_NE(entry, L"I1001.VX");
        EXPECT_NE(entry, L"J1001.VX");
    }
    EXPECT_EQ(CustomizePath(scan, 2), L"P\\2_H\\Customize");
    EXPECT_EQ(CustomMaterials(scan, 2), (Names{L"custom1001.VX", L"custom1002.VX", L"custom1003.VX"}));
    EXPECT_EQ(CustomizePath(scan, 3), L"P\\3_K\\Customize");
}

TEST(LibraryScan, HundredsOfCustomMaterialsKeepTheirRanges)
{
    FakeTree tree;
    tree.Files(L"P\\1_A\\Cat", L"a", 1);
    tree.Files(L"P\\1_A\\Customize", L"mine", 300);
    tree.Files(L"P\\2_B\\Customize", L"more", 200);
    tree.Files(L"P\\3_C\\Customize", L"last", 2);
    const LibraryScan scan = tree.Scan();
    EXPECT_EQ(scan.customizeEnd, (std::array<int, 3>{303, 506, 511}));
    const Names first = CustomMaterials(scan, 1);
    ASSERT_EQ(first.size(), 300u);
    EXPECT_EQ(first.front(), L"mine1001.VX");
    EXPECT_EQ(first.back(), L"mine1300.VX");
    EXPECT_EQ(CustomizePath(scan, 2), L"P\\2_B\\Customize");
    EXPECT_EQ(CustomMaterials(scan, 2).size(), 200u);
    EXPECT_EQ(CustomizePath(scan, 3), L"P\\3_C\\Customize");
    EXPECT_EQ(CustomMaterials(scan, 3), (Names{L"last1001.VX", L"last1002.VX"}));
}

TEST(LibraryScan, CustomizeInOtherLetterCaseIsTheGroupsOwnFolder)
{
    // Windows finds "customize" under "Customize": it is no category, keeps
    // its own spelling, and nothing is created beside it.
    FakeTree tree;
    tree.Files(L"P\\1_A\\customize", L"c", 2);
    tree.Folder(L"P\\1_A\\Wood");
    // Where a file system tells them apart, the first in name order is the
    // group's folder, and the other is nothing at all.
    tree.Files(L"P\\2_B\\customize", L"lower", 1);
    tree.Files(L"P\\2_B\\CUSTOMIZE", L"upper", 1);
    const LibraryScan scan = tree.Scan();
    EXPECT_EQ(scan.categoryCount, (std::array<int, 3>{2, 1, 0}));
    EXPECT_EQ(scan.categoryPaths, (Names{L"P\\1_A\\Wood"}));
    EXPECT_TRUE(tree.m_createAttempts.empty());
    EXPECT_EQ(CustomizePath(scan, 1), L"P\\1_A\\customize");
    EXPECT_EQ(CustomMaterials(scan, 1), (Names{L"c1001.VX", L"c1002.VX"}));
    EXPECT_EQ(CustomizePath(scan, 2), L"P\\2_B\\CUSTOMIZE");
    EXPECT_EQ(CustomMaterials(scan, 2), (Names{L"upper1001.VX"}));
    EXPECT_TRUE(utils::IsCustomizeName(L"cUsToMiZe"));
    EXPECT_FALSE(utils::IsCustomizeName(L"Customise"));
    EXPECT_FALSE(utils::IsCustomizeName(L"Customize "));
}

TEST(NameLess, OrdersAsTheFileSystemEnumerates)
{
    // Each name sorts before the next one.
    const Names ordered = {
        L"",
        L"!x",
        L"-",
        L".hidden",
        L"0",
        L"10",
        L"1_Engrave",
        L"2_Photo",
        L"9",
        L"A",
        L"a b",
        L"Ab",
        L"Card red",
        L"Cardboard",
        L"Crystal",
        L"Customize",
        L"CUTTING",
        L"Laminate 2-colour",
        L"Laminate dark",
        L"Wood",
        L"wooden",
        L"Z",
        L"[x]",
        L"_old",
        L"{x}",
        L"\u00E4",
        L"\u00C4x",
        L"\u00FEa",
        L"\u0101",
        L"\u0410",
        L"\u0431",
        L"\u30AB",
        L"\uFF41",
    };
    for (size_t i = 0; i + 1 < ordered.size(); ++i) {
        EXPECT_TRUE(utils::NameLess(ordered[i], ordered[i + 1])) << i;
        EXPECT_FALSE(utils::NameLess(ordered[i + 1], ordered[i])) << i;
    }
}

TEST(NameLess, NamesEqualButForCaseStillHaveAnOrder)
{
    EXPECT_TRUE(utils::NameLess(L"WOOD", L"wood"));
    EXPECT_FALSE(utils::NameLess(L"wood", L"WOOD"));
    EXPECT_FALSE(utils::NameLess(L"wood", L"wood"));
}

TEST(UpcaseUnit, MapsSmallLettersOfCommonScripts)
{
    const struct {
        wchar_t small;
        wchar_t capital;
    } cases[] = {
        {L'a', L'A'},           {L'z', L'Z'},           {L'A', L'A'},           {L'_', L'_'},
        {L'1', L'1'},           {L'\u00E9', L'\u00C9'}, {L'\u00F7', L'\u00F7'}, {L'\u00FF', L'\u0178'},
        {L'\u00DF', L'\u00DF'}, {L'\u0101', L'\u0100'}, {L'\u0142', L'\u0141'}, {L'\u017E', L'\u017D'},
        {L'\u0151', L'\u0150'}, {L'\u03B1', L'\u0391'}, {L'\u03C2', L'\u03A3'}, {L'\u03AC', L'\u0386'},
        {L'\u03CE', L'\u038F'}, {L'\u0436', L'\u0416'}, {L'\u0451', L'\u0401'}, {L'\uFF5A', L'\uFF3A'},
        {L'\u3042', L'\u3042'}, {L'\u6728', L'\u6728'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(utils::UpcaseUnit(c.small)), static_cast<int>(c.capital))
            << std::hex << static_cast<int>(c.small);
}

namespace {

// Group 1 of three categories and its "Customize" folder, group 2 of one.
FakeTree ModelTree()
{
    FakeTree tree;
    tree.Files(L"P\\1_Engrave\\Acrylic", L"A", 3);
    tree.Files(L"P\\1_Engrave\\Leather", L"L", 2);
    tree.Files(L"P\\1_Engrave\\Wood", L"W", 4);
    tree.Files(L"P\\1_Engrave\\customize", L"Mine", 1);
    tree.Files(L"P\\2_Photo\\Stone", L"S", 1);
    return tree;
}

} // namespace

TEST(Library, OpeningListsTheGroupsAndACategoryOnlyWhenItIsShown)
{
    FakeTree tree = ModelTree();
    Library library(tree.Lister(), tree.Creator());
    library.Open(L"P");
    // What the buttons and captions need, and nothing of the materials.
    EXPECT_EQ(tree.m_listed, (Names{L"P", L"P\\1_Engrave", L"P\\2_Photo"}));
    EXPECT_EQ(library.CategoryButtonCount(1), 4);
    EXPECT_EQ(library.CategoryButtonCount(2), 2);
    EXPECT_EQ(library.CategoryButtonCount(3), 0);
    ASSERT_NE(library.Category(1, 2), nullptr);
    EXPECT_FALSE(library.Category(1, 2)->IsListed());

    // The third category's pictures follow the group's earlier materials:
    // those two categories are listed for it, no other folder.
    tree.m_listed.clear();
    EXPECT_EQ(library.FirstPicture(1, 2), 5);
    EXPECT_EQ(tree.m_listed, (Names{L"P\\1_Engrave\\Acrylic", L"P\\1_Engrave\\Leather"}));
    EXPECT_EQ(library.Files(*library.Category(1, 2)).size(), 4u);
    EXPECT_EQ(library.Files(*library.Category(1, 2)).size(), 4u);
    EXPECT_EQ(tree.m_listed.size(), 3u);
    EXPECT_EQ(library.Category(1, 2)->Path(), L"P\\1_Engrave\\Wood");
}

TEST(Library, RelistingReadsThatFolderAloneAgain)
{
    FakeTree tree = ModelTree();
    Library library(tree.Lister(), tree.Creator());
    library.Open(L"P");
    const MaterialFolder& custom = *library.Customize(1);
    EXPECT_EQ(library.Files(custom), (Names{L"Mine1001.VX"}));
    const auto version = custom.Version();
    tree.File(L"P\\1_Engrave\\customize\\Added.VX");
    EXPECT_EQ(library.Files(custom), (Names{L"Mine1001.VX"})); // not read again unasked
    tree.m_listed.clear();
    library.Relist(custom);
    EXPECT_EQ(tree.m_listed, (Names{L"P\\1_Engrave\\customize"}));
    EXPECT_EQ(custom.Files(), (Names{L"Added.VX", L"Mine1001.VX"}));
    EXPECT_GT(custom.Version(), version);
    // Found by its path whatever the letter case, as the file system finds it.
    EXPECT_EQ(library.FolderAt(L"p\\1_ENGRAVE\\Customize"), &custom);
    EXPECT_EQ(library.FolderAt(L"P\\1_Engrave\\Wood"), library.Category(1, 2));
    EXPECT_EQ(library.FolderAt(L"P\\1_Engrave"), nullptr);
}

// Another station adds a category and removes one: the groups and
// categories are read again, the folders still there keep their listings
// (nothing of them is read), the new one is listed when first shown, and a
// model folder that does not answer keeps the library as it was.
TEST(Library, ReopeningKeepsTheListingsOfFoldersStillThere)
{
    FakeTree tree = ModelTree();
    Library library(tree.Lister(), tree.Creator());
    library.Open(L"P");
    const auto wood = library.Files(*library.Category(1, 2));
    const auto woodVersion = library.Category(1, 2)->Version();
    tree.Files(L"P\\1_Engrave\\Glass", L"G", 2);
    tree.m_folders[L"P\\1_Engrave"].erase(L"Acrylic");
    tree.File(L"P\\1_Engrave\\Wood\\Added.VX");
    tree.m_listed.clear();
    ASSERT_TRUE(library.Reopen());
    // The model folder once, its groups, and no folder of materials.
    EXPECT_EQ(tree.m_listed, (Names{L"P", L"P\\1_Engrave", L"P\\2_Photo"}));
    ASSERT_EQ(library.CategoryButtonCount(1), 4);
    EXPECT_EQ(library.Category(1, 0)->Path(), L"P\\1_Engrave\\Glass");
    EXPECT_FALSE(library.Category(1, 0)->IsListed());
    const MaterialFolder& kept = *library.Category(1, 2);
    EXPECT_EQ(kept.Path(), L"P\\1_Engrave\\Wood");
    EXPECT_EQ(kept.Files(), wood);
    EXPECT_EQ(kept.Version(), woodVersion);
    EXPECT_EQ(library.Customize(1)->Path(), L"P\\1_Engrave\\customize");

    // Removed and made again: listed anew, under a version its path never had.
    library.Files(*library.Category(1, 1));
    const auto leatherVersion = library.Category(1, 1)->Version();
    tree.m_folders[L"P\\1_Engrave"].erase(L"Leather");
    ASSERT_TRUE(library.Reopen());
    tree.m_folders[L"P\\1_Engrave"].insert(L"Leather");
    ASSERT_TRUE(library.Reopen());
    const MaterialFolder& leather = *library.Category(1, 1);
    EXPECT_EQ(leather.Path(), L"P\\1_Engrave\\Leather");
    EXPECT_EQ(library.Files(leather).size(), 2u);
    EXPECT_NE(leather.Version(), leatherVersion);

    tree.m_folders.erase(L"P");
    EXPECT_FALSE(library.Reopen());
    EXPECT_EQ(library.CategoryButtonCount(1), 4);
    EXPECT_EQ(library.Category(1, 2)->Files(), wood);
}

TEST(Library, FoldersNotYetListedComeShownGroupFirst)
{
    FakeTree tree = ModelTree();
    Library library(tree.Lister(), tree.Creator());
    library.Open(L"P");
    Names order;
    while (const MaterialFolder* next = library.NextUnlisted(2)) {
        order.push_back(next->Path());
        library.StoreListing(*next, Names{L".", L"x.VX", L".."});
    }
    EXPECT_EQ(order, (Names{L"P\\2_Photo\\Stone", L"P\\1_Engrave\\Acrylic", L"P\\1_Engrave\\Leather",
                            L"P\\1_Engrave\\Wood", L"P\\1_Engrave\\customize"}));
    // The created "Customize" of group 2 is empty and needs no listing.
    EXPECT_TRUE(library.Customize(2)->IsListed());
    EXPECT_EQ(library.Category(1, 0)->Files(), (Names{L"x.VX"}));
}

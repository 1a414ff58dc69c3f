#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utils/NameIndex.h"

using utils::IndexedFolder;
using utils::NameIndex;
using Names = std::vector<std::wstring>;

namespace {

// A stand-in for the system's fold: ASCII letters lower-cased, a few accented
// letters to their base letter, the combining acute accent dropped.
std::wstring TestFold(std::wstring_view text)
{
    std::wstring folded;
    for (wchar_t c : text) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
        else if (c == L'\u00e9' || c == L'\u00c9')
            c = L'e';
        else if (c == L'\u00e4')
            c = L'a';
        else if (c == L'\u0301')
            continue;
        folded.push_back(c);
    }
    return folded;
}

// The list's order: case-blind, as the list sorts.
std::string TestOrder(std::wstring_view text)
{
    std::string key;
    for (const wchar_t c : TestFold(text))
        key.push_back(static_cast<char>(c & 0x7f));
    return key;
}

struct Library {
    std::vector<Names> folders;
    std::vector<std::uint32_t> versions;

    std::vector<IndexedFolder> Folders() const
    {
        std::vector<IndexedFolder> result;
        for (std::size_t i = 0; i < folders.size(); ++i)
            result.push_back({L"F" + std::to_wstring(i), versions[i], &folders[i], 3});
        return result;
    }
};

// The found names as "folder:text", in the order they are shown.
std::vector<std::wstring> Shown(const Library& library, const utils::NameSearch& found)
{
    std::vector<std::wstring> texts;
    for (const utils::NameHit& hit : found.shown)
        texts.push_back(std::to_wstring(hit.folder) + L":" + library.folders[hit.folder][hit.file]);
    return texts;
}

TEST(NameIndexTest, FindsAnywhereInTheNameBeginningsFirstEachInListOrder)
{
    // Listing order is the file system's, not the list's (which ignores case).
    const Library library{{{L"oak veneer.VX", L"Dark Oak.VX", L"Ash.VX", L"Oak.VX", L"cloak.VX", L"OAK2.VX"},
                           {L"Smoked oak.VX", L"Oakum.VX", L"Pine.VX"}},
                          {1, 1}};
    NameIndex index(TestFold, TestOrder);
    EXPECT_EQ(index.Update(library.Folders()), 2u);
    const struct {
        const wchar_t* typed;
        std::vector<std::wstring> shown;
    } cases[] = {
        {L"oak",
         {L"0:Oak.VX", L"0:oak veneer.VX", L"0:OAK2.VX", L"1:Oakum.VX", L"0:cloak.VX", L"0:Dark Oak.VX",
          L"1:Smoked oak.VX"}},
        {L"OAK V", {L"0:oak veneer.VX"}},
        {L"hc", {}}, // "Ash" and "cloak" follow each other in the list: no name holds it
        {L"vx", {}}, // the extension the list leaves off
        {L"ash", {L"0:Ash.VX"}},
        {L"h\n", {L"0:Ash.VX"}}, // a pasted line break is no part of the text
        {L"", {}},
        {L"\u0301", {}}, // folds to nothing
    };
    for (const auto& c : cases) {
        const utils::NameSearch found = index.Search(c.typed, 100);
        EXPECT_EQ(Shown(library, found), c.shown) << c.typed;
        EXPECT_EQ(found.total, c.shown.size()) << c.typed;
    }
    // The hit names the file of the listing and whether the name begins with the text.
    const utils::NameSearch oak = index.Search(L"oak", 100);
    EXPECT_EQ(oak.shown.front(), (utils::NameHit{0, 3, true}));
    EXPECT_EQ(oak.shown.back(), (utils::NameHit{1, 0, false}));
}

TEST(NameIndexTest, ShowsAtMostTheLimitBeginningsFirstAndCountsTheRest)
{
    Library library{{{}, {}}, {1, 1}};
    for (int i = 0; i < 30; ++i)
        library.folders[0].push_back(L"Board " + std::to_wstring(100 + i) + L".VX");
    for (int i = 0; i < 5; ++i)
        library.folders[1].push_back(L"B" + std::to_wstring(i) + L".VX");
    NameIndex index(TestFold, TestOrder);
    index.Update(library.Folders());
    const struct {
        const wchar_t* typed;
        std::size_t limit;
        std::size_t shown;
        std::size_t prefixes;
        std::size_t total;
    } cases[] = {
        {L"b", 10, 10, 10, 35}, {L"b", 40, 35, 35, 35}, {L"1", 8, 8, 0, 31}, {L"b", 0, 0, 0, 35}, {L"zz", 10, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const utils::NameSearch found = index.Search(c.typed, c.limit);
        EXPECT_EQ(found.shown.size(), c.shown) << c.typed << " " << c.limit;
        EXPECT_EQ(found.total, c.total) << c.typed << " " << c.limit;
        std::size_t prefixes = 0;
        for (const utils::NameHit& hit : found.shown)
            prefixes += hit.prefix;
        EXPECT_EQ(prefixes, c.prefixes) << c.typed << " " << c.limit;
    }
    // "b" begins every name of the second folder too: the limit keeps the
    // first ones in folder order.
    EXPECT_EQ(Shown(library, index.Search(L"b", 31)).back(), L"1:B0.VX");
}

TEST(NameIndexTest, FoldsCaseAndAccentsOfNamesAndTypedTextAlike)
{
    const Library library{{{L"Eiche.VX", L"Caf\u00e9 table.VX", L"Cafe\u0301 chair.VX", L"\u6728\u6750.VX"}}, {1}};
    int calls = 0;
    NameIndex index(
        [&calls](std::wstring_view text) {
            ++calls;
            return TestFold(text);
        },
        TestOrder);
    index.Update(library.Folders());
    EXPECT_EQ(calls, 1) << "a folder's names are folded in one call";
    const struct {
        const wchar_t* typed;
        std::vector<std::wstring> shown;
    } cases[] = {
        {L"eiche", {L"0:Eiche.VX"}},
        {L"EICHE", {L"0:Eiche.VX"}},
        {L"cafe", {L"0:Cafe\u0301 chair.VX", L"0:Caf\u00e9 table.VX"}},
        {L"CAF\u00c9 T", {L"0:Caf\u00e9 table.VX"}},
        {L"\u6750", {L"0:\u6728\u6750.VX"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(library, index.Search(c.typed, 100)), c.shown) << c.typed;

    // A fold that does not keep line breaks is called name by name instead.
    NameIndex breaking(
        [](std::wstring_view text) {
            std::wstring folded = TestFold(text);
            std::erase(folded, L'\n');
            return folded;
        },
        TestOrder);
    breaking.Update(library.Folders());
    EXPECT_EQ(Shown(library, breaking.Search(L"cafe", 100)), cases[2].shown);
    EXPECT_EQ(Shown(library, breaking.Search(L"\u6750c", 100)), std::vector<std::wstring>{});

    // A name with a line break (some file systems allow one) keeps its
    // neighbours apart all the same.
    const Library odd{{{L"Ash\nTree.VX", L"Birch.VX"}}, {1}};
    index.Update(odd.Folders());
    EXPECT_EQ(Shown(odd, index.Search(L"treeb", 100)), std::vector<std::wstring>{});
    EXPECT_EQ(Shown(odd, index.Search(L"asht", 100)), std::vector<std::wstring>{L"0:Ash\nTree.VX"});
}

TEST(NameIndexTest, FoldsAgainOnlyFoldersThatChanged)
{
    Library library{{{L"Oak.VX"}, {L"Pine.VX"}, {L"Elm.VX"}}, {1, 1, 1}};
    NameIndex index(TestFold, TestOrder);
    EXPECT_TRUE(index.NeedsWork(library.Folders()));
    EXPECT_EQ(index.Update(library.Folders()), 3u);
    EXPECT_FALSE(index.NeedsWork(library.Folders()));
    EXPECT_EQ(index.Update(library.Folders()), 0u);

    // Listed again with a new material.
    library.folders[1].push_back(L"Pinewood.VX");
    library.versions[1] = 2;
    EXPECT_TRUE(index.NeedsWork(library.Folders()));
    EXPECT_EQ(index.Update(library.Folders()), 1u);
    EXPECT_EQ(Shown(library, index.Search(L"pinew", 10)), std::vector<std::wstring>{L"1:Pinewood.VX"});

    // The library opened afresh: the folder's version starts again and
    // happens to equal the old one, but its names are not the same.
    library.folders[0] = {L"Teak.VX"};
    EXPECT_EQ(index.Update(library.Folders()), 1u);
    EXPECT_EQ(index.Search(L"oak", 10).total, 0u);
    EXPECT_EQ(Shown(library, index.Search(L"teak", 10)), std::vector<std::wstring>{L"0:Teak.VX"});

    // A folder no longer searched is dropped; the order is the one asked for.
    library.folders = {library.folders[2], library.folders[1]};
    std::vector<IndexedFolder> folders = {{L"F2", 1, &library.folders[0], 3}, {L"F1", 2, &library.folders[1], 3}};
    EXPECT_EQ(index.Update(folders), 0u);
    EXPECT_EQ(Shown(library, index.Search(L"e", 10)),
              (std::vector<std::wstring>{L"0:Elm.VX", L"1:Pine.VX", L"1:Pinewood.VX"}));
}

} // namespace

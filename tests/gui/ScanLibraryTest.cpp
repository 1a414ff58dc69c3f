// The library scan on real folders, as the dialog keeps its results.
#include <gtest/gtest.h>

#include "tests/gui/LibraryTree.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;
using Texts = std::vector<std::wstring>;

namespace {

class ScanLibraryTest : public DialogFixture {
protected:
    MaterialDialog& OpenR250()
    {
        WriteHandOff(L"R250", L"English");
        WriteLanguageFile(L"[AP_English]\r\n1000=Hello\r\n");
        return Open();
    }
    std::wstring Param() const { return (LibraryRoot() / L"parameter_R250").wstring(); }

    // The ranges as the readers of the scan use them.
    Texts Materials(int group, int slot)
    {
        const int index = group == 1 ? slot : group == 2 ? 9 + slot : 17 + slot;
        const int end = Inspect(Dialog()).m_categoryEnd[index];
        const int start = index == 0 ? 0 : Inspect(Dialog()).m_categoryEnd[index - 1];
        Texts names;
        for (int i = start + 2; i <= end - 1; ++i)
            names.push_back(Inspect(Dialog()).m_materialEntries.at(static_cast<size_t>(i)));
        return names;
    }
    std::wstring CategoryPath(int group, int slot)
    {
        const MaterialDialogInspector in = Inspect(Dialog());
        const auto& count = in.m_categoryCount;
        const int base = group == 1 ? 0 : group == 2 ? count[0] - 1 : count[0] + count[1] - 2;
        return in.m_categoryPaths.at(static_cast<size_t>(base + slot));
    }
    std::wstring CustomizePath(int group)
    {
        const int start = group == 1 ? 0 : Inspect(Dialog()).m_customizeEnd[group - 2];
        return Inspect(Dialog()).m_customizeEntries.at(static_cast<size_t>(start));
    }
    Texts CustomMaterials(int group)
    {
        const int start = group == 1 ? 0 : Inspect(Dialog()).m_customizeEnd[group - 2];
        Texts names;
        for (int i = start + 3; i <= Inspect(Dialog()).m_customizeEnd[group - 1] - 1; ++i)
            names.push_back(Inspect(Dialog()).m_customizeEntries.at(static_cast<size_t>(i)));
        return names;
    }
};

struct ScanState {
    Texts groupEntries, groupPaths, categoryEntries, categoryPaths, materialEntries, customizeEntries;
    std::vector<int> counts;
    bool operator==(const ScanState&) const = default;
};

ScanState StateOf(MaterialDialog& d)
{
    const MaterialDialogInspector in = Inspect(d);
    ScanState s{in.m_groupEntries,
                in.m_groupPaths,
                in.m_categoryEntries,
                in.m_categoryPaths,
                in.m_materialEntries,
                in.m_customizeEntries,
                {}};
    s.counts.push_back(in.m_groupEntryCount);
    s.counts.insert(s.counts.end(), in.m_categoryCount.begin(), in.m_categoryCount.end());
    s.counts.insert(s.counts.end(), in.m_categoryEnd.begin(), in.m_categoryEnd.end());
    s.counts.insert(s.counts.end(), in.m_customizeEnd.begin(), in.m_customizeEnd.end());
    return s;
}

} // namespace

TEST_F(ScanLibraryTest, FoldersComeInNameOrderWhateverTheFileSystemReturns)
{
    // Made out of order, in mixed letter case.
    library_tree::Make(LibraryRoot(), {
                                          L"parameter_R250\\3_Vector\\signs\\Tag.VX",
                                          L"parameter_R250\\1_Engrave\\wood\\maple strip.VX",
                                          L"parameter_R250\\1_Engrave\\wood\\Birch plywood.VX",
                                          L"parameter_R250\\1_Engrave\\Crystal\\Glass block.VX",
                                          L"parameter_R250\\1_Engrave\\Crystal\\acrylic block.VX",
                                          L"parameter_R250\\1_Engrave\\Cardboard\\Puzzle.VX",
                                          L"parameter_R250\\2_Photo\\Customize\\mine b.VX",
                                          L"parameter_R250\\2_Photo\\Customize\\Mine a.VX",
                                          L"parameter_R250\\2_Photo\\Stone\\Slate.VX",
                                          L"parameter_R250\\2_Photo\\Acrylic\\Clear.VX",
                                          L"parameter_R250\\3_Vector\\Cutting\\Paper red.VX",
                                          L"parameter_R250\\3_Vector\\Cutting\\Card red.VX",
                                          L"parameter_R250\\readme.txt",
                                      });
    MaterialDialog& dialog = OpenR250();
    const std::wstring p = Param();

    EXPECT_EQ(Inspect(dialog).m_groupEntries, (Texts{L".", L"..", L"1_Engrave", L"2_Photo", L"3_Vector"}));
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 5);
    EXPECT_EQ(Inspect(dialog).m_groupPaths, (Texts{p + L"\\1_Engrave", p + L"\\2_Photo", p + L"\\3_Vector"}));
    EXPECT_EQ(Inspect(dialog).m_categoryCount[0], 4);
    EXPECT_EQ(Inspect(dialog).m_categoryCount[1], 3);
    EXPECT_EQ(Inspect(dialog).m_categoryCount[2], 3);

    EXPECT_EQ(CategoryPath(1, 0), p + L"\\1_Engrave\\Cardboard");
    EXPECT_EQ(CategoryPath(1, 1), p + L"\\1_Engrave\\Crystal");
    EXPECT_EQ(CategoryPath(1, 2), p + L"\\1_Engrave\\wood");
    EXPECT_EQ(CategoryPath(2, 0), p + L"\\2_Photo\\Acrylic");
    EXPECT_EQ(CategoryPath(2, 1), p + L"\\2_Photo\\Stone");
    EXPECT_EQ(CategoryPath(3, 0), p + L"\\3_Vector\\Cutting");
    EXPECT_EQ(CategoryPath(3, 1), p + L"\\3_Vector\\signs");

    EXPECT_EQ(Materials(1, 0), (Texts{L"Puzzle.VX"}));
    EXPECT_EQ(Materials(1, 1), (Texts{L"acrylic block.VX", L"Glass block.VX"}));
    EXPECT_EQ(Materials(1, 2), (Texts{L"Birch plywood.VX", L"maple strip.VX"}));
    EXPECT_EQ(Materials(1, 3), Texts{});
    EXPECT_EQ(Materials(2, 0), (Texts{L"Clear.VX"}));
    EXPECT_EQ(Materials(2, 1), (Texts{L"Slate.VX"}));
    EXPECT_EQ(Materials(3, 0), (Texts{L"Card red.VX", L"Paper red.VX"}));
    EXPECT_EQ(Materials(3, 1), (Texts{L"Tag.VX"}));

    EXPECT_EQ(CustomizePath(1), p + L"\\1_Engrave\\Customize");
    EXPECT_EQ(CustomizePath(2), p + L"\\2_Photo\\Customize");
    EXPECT_EQ(CustomizePath(3), p + L"\\3_Vector\\Customize");
    EXPECT_EQ(CustomMaterials(2), (Texts{L"Mine a.VX", L"mine b.VX"}));
    EXPECT_EQ(CustomMaterials(1), Texts{});
    EXPECT_TRUE(std::filesystem::is_directory(LibraryRoot() / L"parameter_R250\\1_Engrave\\Customize"));
    EXPECT_TRUE(std::filesystem::is_directory(LibraryRoot() / L"parameter_R250\\3_Vector\\Customize"));
}

TEST_F(ScanLibraryTest, FirstRunWithoutCustomizeFoldersEqualsTheNextRun)
{
    library_tree::Make(LibraryRoot(), {
                                          L"parameter_R250\\1_A\\Wood\\Oak.VX",
                                          L"parameter_R250\\1_A\\Stone\\Slate.VX",
                                          L"parameter_R250\\2_B\\Glass\\Clear.VX",
                                          L"parameter_R250\\3_C\\Paper\\Red.VX",
                                          L"parameter_R250\\4_D\\Extra\\More.VX",
                                      });
    MaterialDialog& dialog = OpenR250();
    const ScanState first = StateOf(dialog);
    const auto afterFirst = library_tree::Snapshot(LibraryRoot());
    for (const wchar_t* group : {L"1_A", L"2_B", L"3_C"})
        EXPECT_TRUE(afterFirst.count(std::wstring(L"parameter_R250\\") + group + L"\\Customize")) << group;
    EXPECT_FALSE(afterFirst.count(L"parameter_R250\\4_D\\Customize"));

    dialog.ScanLibrary();
    EXPECT_TRUE(StateOf(dialog) == first);
    EXPECT_EQ(library_tree::Snapshot(LibraryRoot()), afterFirst);
    EXPECT_EQ(Inspect(dialog).m_groupPaths.size(), 4u);
}

TEST_F(ScanLibraryTest, EmptyParameterFolderHasNoGroups)
{
    library_tree::Make(LibraryRoot(), {L"parameter_R250"});
    MaterialDialog& dialog = OpenR250();
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 2);
    EXPECT_TRUE(Inspect(dialog).m_groupPaths.empty());
    EXPECT_TRUE(Inspect(dialog).m_customizeEntries.empty());
    EXPECT_EQ(library_tree::Snapshot(LibraryRoot()), (std::set<std::wstring>{L"parameter_R250"}));
}

TEST_F(ScanLibraryTest, CategoriesBeyondEightAreLeftOut)
{
    std::vector<std::wstring> entries;
    for (wchar_t c = L'A'; c <= L'J'; ++c)
        entries.push_back(std::wstring(L"parameter_R250\\1_A\\") + c + L"\\" + c + L".VX");
    entries.push_back(L"parameter_R250\\2_B\\Only\\One.VX");
    library_tree::Make(LibraryRoot(), entries);
    MaterialDialog& dialog = OpenR250();
    EXPECT_EQ(Inspect(dialog).m_categoryCount[0], 9);
    EXPECT_EQ(Materials(1, 7), (Texts{L"H.VX"}));
    EXPECT_EQ(Materials(1, 8), Texts{});
    EXPECT_EQ(CategoryPath(2, 0), Param() + L"\\2_B\\Only");
    EXPECT_EQ(Materials(2, 0), (Texts{L"One.VX"}));
    EXPECT_EQ(CustomizePath(1), Param() + L"\\1_A\\Customize");
    // "Customize" is the ninth button, the last one.
    EXPECT_EQ(Inspect(dialog).m_customSlot, 8);
}

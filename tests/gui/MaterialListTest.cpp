// The material list: which entries a category or "Customize" request shows,
// their texts and pictures, their placement, and the right click.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/gui/LibraryTree.h"
#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;

namespace {

struct Shown {
    std::wstring text;
    int image;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os)
{
    *os << "{\"" << std::string(s.text.begin(), s.text.end()) << "\", " << s.image << "}";
}

class MaterialListTest : public PanelFixture {
protected:
    // Opens the dialog of this model over these folders and files (relative
    // to the model's parameter folder).
    MaterialDialog& OpenTree(const std::wstring& model, const std::vector<std::wstring>& tree)
    {
        library_tree::Make(library_tree::ParameterFolder(LibraryRoot(), model), tree);
        WriteHandOff(model, L"English");
        MaterialDialog& dialog = Open();
        m_catcher.Clear();
        return dialog;
    }

    // Three groups. The scan takes names in the file system's order, by their
    // upper case, where "_" comes after the letters; the list puts it first:
    // _Acrylic is scanned last and shown first.
    MaterialDialog& OpenWithLibrary()
    {
        return OpenTree(L"R250", {
                                     L"1\\1 Wood\\Maple.VX",
                                     L"1\\1 Wood\\Zinc.VX",
                                     L"1\\1 Wood\\_Acrylic.VX",
                                     L"1\\2 Stone\\Slate.VX",
                                     L"1\\2 Stone\\Birch.VX",
                                     L"1\\3 Empty",
                                     L"1\\4 Glass\\Glass.VX",
                                     L"1\\Customize\\Mine.VX",
                                     L"1\\Customize\\Another.VX",
                                     // Group 2 has no "Customize" folder: the scan creates it.
                                     L"2\\1 Paper\\Paper.VX",
                                     L"2\\2 Card\\Card.VX",
                                     L"2\\2 Card\\Board.VX",
                                     L"3\\1 Rubber\\Rubber.VX",
                                     L"3\\Customize",
                                 });
    }

    // The group's buttons, then the category (or "Customize") button at slot.
    std::vector<Shown> Show(int group, int slot)
    {
        if (Dialog().CurrentGroup() != group)
            ChooseGroup(group);
        ChooseSlot(slot);
        return Items();
    }

    // A position no button asks for, filled as a button would.
    std::vector<Shown> Fill(int group, int position)
    {
        if (Dialog().CurrentGroup() != group)
            ChooseGroup(group);
        Dialog().ClearMaterialView();
        Dialog().FillMaterialList(position);
        return Items();
    }

    HWND List() const { return Item(IDC_MATERIAL_LIST); }

    std::vector<Shown> Items()
    {
        std::vector<Shown> items;
        const int count = static_cast<int>(::SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[128] = {};
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = i;
            item.pszText = text;
            item.cchTextMax = 128;
            ::SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            items.push_back({text, item.iImage});
        }
        return items;
    }

    HIMAGELIST Pictures() const
    {
        return reinterpret_cast<HIMAGELIST>(::SendMessageW(List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    }

    POINT Position(int item)
    {
        POINT p{};
        ::SendMessageW(List(), LVM_GETITEMPOSITION, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&p));
        return p;
    }

    LRESULT RightClick(POINT at)
    {
        NMITEMACTIVATE info{};
        info.hdr.hwndFrom = List();
        info.hdr.idFrom = IDC_MATERIAL_LIST;
        info.hdr.code = NM_RCLICK;
        info.iItem = -1;
        info.ptAction = at;
        return ::SendMessageW(Dialog().Hwnd(), WM_NOTIFY, IDC_MATERIAL_LIST, reinterpret_cast<LPARAM>(&info));
    }

    bool Selected(int item)
    {
        return ::SendMessageW(List(), LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) != 0;
    }
};

TEST_F(MaterialListTest, ItemsAreSortedByNameWhilePicturesFollowScanOrder)
{
    MaterialDialog& dialog = OpenWithLibrary();
    EXPECT_EQ(Show(1, 0), (std::vector<Shown>{{L"_Acrylic", 2}, {L"Maple", 0}, {L"Zinc", 1}}));
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListGroup1.Get());
    // Pictures run on over the group's categories in slot order.
    EXPECT_EQ(Show(1, 1), (std::vector<Shown>{{L"Birch", 3}, {L"Slate", 4}}));
    EXPECT_EQ(Show(1, 2), (std::vector<Shown>{}));
    EXPECT_EQ(Show(1, 3), (std::vector<Shown>{{L"Glass", 5}}));
    // Each group counts from 0 and shows its own picture list.
    EXPECT_EQ(Show(2, 1), (std::vector<Shown>{{L"Board", 1}, {L"Card", 2}}));
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListGroup2.Get());
    EXPECT_EQ(Show(3, 0), (std::vector<Shown>{{L"Rubber", 0}}));
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListGroup3.Get());
}

TEST_F(MaterialListTest, PositionsBeyondTheGroupsSlotsShowNothing)
{
    OpenWithLibrary();
    EXPECT_TRUE(Fill(1, 4).empty());
    EXPECT_TRUE(Fill(1, 9).empty());
    EXPECT_TRUE(Fill(1, -1).empty());
    EXPECT_TRUE(Fill(2, 8).empty());
}

TEST_F(MaterialListTest, NinthCategoryOfGroupOneIsLeftOut)
{
    // Nine categories of one material each: eight buttons show them, the
    // ninth button is "Customize", and the ninth material is nowhere.
    std::vector<std::wstring> tree = {L"2\\1 Paper\\Paper.VX"};
    for (int k = 1; k <= 9; ++k)
        tree.push_back(L"1\\" + std::to_wstring(k) + L" Category\\M" + std::to_wstring(k) + L".VX");
    MaterialDialog& dialog = OpenTree(L"R250", tree);
    for (int slot = 0; slot < 8; ++slot)
        EXPECT_EQ(Show(1, slot), (std::vector<Shown>{{L"M" + std::to_wstring(slot + 1), slot}})) << slot;
    EXPECT_TRUE(Show(1, 8).empty());
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListCustom.Get());
    EXPECT_TRUE(Fill(1, 8).empty());
    // Group 2's pictures still count from its own first material.
    EXPECT_EQ(Show(2, 0), (std::vector<Shown>{{L"Paper", 0}}));
}

TEST_F(MaterialListTest, CustomizeViewShowsTheGroupsOwnFolder)
{
    MaterialDialog& dialog = OpenWithLibrary();
    // The "Customize" button follows the group's categories.
    EXPECT_EQ(Show(1, 4), (std::vector<Shown>{{L"Another", 0}, {L"Mine", 0}}));
    EXPECT_TRUE(Inspect(dialog).m_customizeShown);
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListCustom.Get());

    // A folder the scan has just created, and an empty one.
    EXPECT_TRUE(
        std::filesystem::is_directory(library_tree::ParameterFolder(LibraryRoot(), L"R250") / L"2" / L"Customize"));
    EXPECT_TRUE(Show(2, 2).empty());
    EXPECT_TRUE(Inspect(dialog).m_customizeShown);
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListCustom.Get());
    EXPECT_TRUE(Show(3, 1).empty());
    EXPECT_TRUE(Inspect(dialog).m_customizeShown);

    // A regular category clears the flag again.
    EXPECT_EQ(Show(3, 0), (std::vector<Shown>{{L"Rubber", 0}}));
    EXPECT_FALSE(Inspect(dialog).m_customizeShown);
}

TEST_F(MaterialListTest, NamesLoseTheModelsExtensionLength)
{
    OpenTree(L"R250", {L"1\\1 Wood\\Acrylic.VX", L"1\\1 Wood\\Glass.spi"});
    EXPECT_EQ(Show(1, 0), (std::vector<Shown>{{L"Acrylic", 0}, {L"Glass.", 1}}));

    // Any file is a material; a name no longer than the cut is shown whole.
    library_tree::MakeFiles(library_tree::ParameterFolder(LibraryRoot(), L"VTE") / L"1" / L"1 Misc",
                            {L"Notes.txt", L".spi", L"ab"});
    OpenTree(L"VTE", {});
    EXPECT_EQ(Show(1, 0), (std::vector<Shown>{{L".spi", 0}, {L"ab", 1}, {L"Notes", 2}}));
}

TEST_F(MaterialListTest, IconsStandSortedOnTheGridWithEverySecondFourPixelsLeft)
{
    OpenWithLibrary();
    // The list's first fill: the control has never painted an item yet.
    Show(1, 0);
    ASSERT_EQ(Items().size(), 3u);
    EXPECT_EQ(::SendMessageW(List(), LVM_GETITEMSPACING, FALSE, 0), MAKELONG(110, 100));
    // The places hold also once the list has painted itself.
    for (int painted = 0; painted < 2; ++painted) {
        const POINT first = Position(0);
        const POINT second = Position(1);
        const POINT third = Position(2);
        // Two icons to a row: "Acrylic", "Maple", then "Zinc" below "Acrylic".
        EXPECT_EQ(second.x, first.x + 110 - 4) << painted;
        EXPECT_EQ(second.y, first.y) << painted;
        EXPECT_EQ(third.x, first.x) << painted;
        EXPECT_EQ(third.y, first.y + 100) << painted;
        PumpMessages(100);
    }
}

TEST_F(MaterialListTest, RightClickSelectsWithoutLoading)
{
    OpenWithLibrary();
    ASSERT_EQ(Show(1, 0).size(), 3u);

    RECT icon{LVIR_ICON, 0, 0, 0};
    ::SendMessageW(List(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&icon));
    EXPECT_EQ(RightClick(POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2}), 0);
    EXPECT_TRUE(Selected(1));
    EXPECT_FALSE(Selected(0));
    // The panel stays empty: a loaded material would show its mark mode.
    EXPECT_EQ(::SendMessageW(Item(IDC_MARK_MODE), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ItemText(IDC_SPEED), L"");

    // Empty space changes nothing.
    RECT client{};
    ::GetClientRect(List(), &client);
    EXPECT_EQ(RightClick(POINT{client.right - 2, client.bottom - 2}), 0);
    EXPECT_TRUE(Selected(1));
    EXPECT_FALSE(Selected(0));
    EXPECT_FALSE(Selected(2));
}

TEST_F(MaterialListTest, ListDoesNotDestroyTheDialogsPictures)
{
    MaterialDialog& dialog = OpenWithLibrary();
    Show(1, 0);
    HIMAGELIST pictures = Inspect(dialog).m_imageListGroup1.Get();
    ASSERT_EQ(Pictures(), pictures);
    const int count = ::ImageList_GetImageCount(pictures);
    ASSERT_GT(count, 0);
    EXPECT_TRUE(::GetWindowLongPtrW(List(), GWL_STYLE) & LVS_SHAREIMAGELISTS);
    ::DestroyWindow(List());
    EXPECT_EQ(::ImageList_GetImageCount(pictures), count);
}

} // namespace

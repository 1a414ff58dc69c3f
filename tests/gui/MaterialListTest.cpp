// The material list: which entries a category or "Customize" request shows,
// their texts and pictures, their placement, and the right click.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/support/DialogFixture.h"
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

class MaterialListTest : public DialogFixture {
protected:
    // A library of three groups filled in directly, so the list's reading of
    // the ranges is tested on its own.
    MaterialDialog& OpenWithLibrary(const std::wstring& model)
    {
        MaterialDialog& dialog = Open();
        m_catcher.Clear();
        Arrange(dialog).m_strModel = model;
        dialog.BuildPictureLists();
        Arrange(dialog).m_materialEntries.clear();
        int end = 0;
        int table = 0;
        auto slot = [&](std::vector<std::wstring> files) {
            Arrange(dialog).m_materialEntries.push_back(L".");
            Arrange(dialog).m_materialEntries.push_back(L"..");
            end += 2;
            for (auto& f : files)
                Arrange(dialog).m_materialEntries.push_back(f);
            end += static_cast<int>(files.size());
            Arrange(dialog).m_categoryEnd[table++] = end;
        };
        const std::wstring ext = model == L"R250" ? L".VX" : L".spi";
        // Group 1: slot 0 lists its files out of name order.
        slot({L"Zinc" + ext, L"Acrylic" + ext, L"Maple" + ext});
        slot({L"Slate" + ext, L"Birch" + ext});
        slot({});
        slot({L"Glass" + ext});
        while (table < 9)
            Arrange(dialog).m_categoryEnd[table++] = end; // slots without a folder
        // Group 2: two categories.
        slot({L"Paper" + ext});
        slot({L"Card" + ext, L"Board" + ext});
        while (table < 17)
            Arrange(dialog).m_categoryEnd[table++] = end;
        // Group 3: one category.
        slot({L"Rubber" + ext});
        while (table < 25)
            Arrange(dialog).m_categoryEnd[table++] = end;

        Arrange(dialog).m_customizeEntries = {L"P\\1\\Customize", L".", L"..", L"Mine" + ext, L"Another" + ext,
                                     L"P\\2\\Customize",
                                     L"P\\3\\Customize", L".", L".."};
        Arrange(dialog).m_customizeEnd[0] = 5;
        Arrange(dialog).m_customizeEnd[1] = 6;
        Arrange(dialog).m_customizeEnd[2] = 9;
        Arrange(dialog).m_categoryCount[0] = 5;
        Arrange(dialog).m_categoryCount[1] = 3;
        Arrange(dialog).m_categoryCount[2] = 2;
        return dialog;
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

    std::vector<Shown> Fill(int group, int position)
    {
        ::SendMessageW(List(), LVM_DELETEALLITEMS, 0, 0);
        Arrange(Dialog()).m_curGroup = static_cast<std::uint8_t>(group);
        Dialog().FillMaterialList(position);
        return Items();
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
    MaterialDialog& dialog = OpenWithLibrary(L"Vortan");
    EXPECT_EQ(Fill(1, 0), (std::vector<Shown>{{L"Acrylic", 1}, {L"Maple", 2}, {L"Zinc", 0}}));
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListGroup1.Get());
    EXPECT_FALSE(Inspect(dialog).m_customizeShown);
    // Pictures run on over the group's categories in slot order.
    EXPECT_EQ(Fill(1, 1), (std::vector<Shown>{{L"Birch", 4}, {L"Slate", 3}}));
    EXPECT_EQ(Fill(1, 2), (std::vector<Shown>{}));
    EXPECT_EQ(Fill(1, 3), (std::vector<Shown>{{L"Glass", 5}}));
    // Each group counts from 0 and shows its own picture list.
    EXPECT_EQ(Fill(2, 1), (std::vector<Shown>{{L"Board", 2}, {L"Card", 1}}));
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListGroup2.Get());
    EXPECT_EQ(Fill(3, 0), (std::vector<Shown>{{L"Rubber", 0}}));
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListGroup3.Get());
}

TEST_F(MaterialListTest, PositionsBeyondTheGroupsSlotsShowNothing)
{
    OpenWithLibrary(L"Vortan");
    EXPECT_TRUE(Fill(1, 4).empty());
    EXPECT_TRUE(Fill(2, 8).empty());
    EXPECT_TRUE(Fill(1, 9).empty());
    EXPECT_TRUE(Fill(1, -1).empty());
    EXPECT_TRUE(Fill(4, 0).empty());
    EXPECT_TRUE(Fill(0, MaterialDialog::kCustomizeRequest).empty());
}

TEST_F(MaterialListTest, NinthCategoryOfGroupOneShowsItsMaterials)
{
    MaterialDialog& dialog = OpenWithLibrary(L"Vortan");
    // Group 1 with a ninth regular category: slot 8 holds one material.
    const int before = Inspect(dialog).m_categoryEnd[7];
    Arrange(dialog).m_materialEntries.insert(Arrange(dialog).m_materialEntries.begin() + before, {L".", L"..", L"Ninth.spi"});
    for (int i = 8; i < 25; ++i)
        Arrange(dialog).m_categoryEnd[i] += 3;
    EXPECT_EQ(Fill(1, 8), (std::vector<Shown>{{L"Ninth", 6}}));
    EXPECT_EQ(Fill(2, 0), (std::vector<Shown>{{L"Paper", 0}}));
}

TEST_F(MaterialListTest, CustomizeViewShowsTheGroupsOwnFolder)
{
    MaterialDialog& dialog = OpenWithLibrary(L"Vortan");
    EXPECT_EQ(Fill(1, MaterialDialog::kCustomizeRequest), (std::vector<Shown>{{L"Another", 0}, {L"Mine", 0}}));
    EXPECT_TRUE(Inspect(dialog).m_customizeShown);
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListCustom.Get());

    // A folder the scan has just created (only its path), and an empty one.
    EXPECT_TRUE(Fill(2, MaterialDialog::kCustomizeRequest).empty());
    EXPECT_TRUE(Inspect(dialog).m_customizeShown);
    EXPECT_EQ(Pictures(), Inspect(dialog).m_imageListCustom.Get());
    EXPECT_TRUE(Fill(3, MaterialDialog::kCustomizeRequest).empty());
    EXPECT_TRUE(Inspect(dialog).m_customizeShown);

    // A regular category clears the flag again.
    Fill(1, 0);
    EXPECT_FALSE(Inspect(dialog).m_customizeShown);
}

TEST_F(MaterialListTest, NamesLoseTheModelsExtensionLength)
{
    MaterialDialog& dialog = OpenWithLibrary(L"R250");
    Arrange(dialog).m_materialEntries[Arrange(dialog).m_categoryEnd[2] + 2] = L"Glass.spi"; // slot 3's one file
    EXPECT_EQ(Fill(1, 0), (std::vector<Shown>{{L"Acrylic", 1}, {L"Maple", 2}, {L"Zinc", 0}}));
    EXPECT_EQ(Fill(1, 3), (std::vector<Shown>{{L"Glass.", 5}}));

    Arrange(dialog).m_strModel = L"VTE";
    // Any file is a material; a name no longer than the cut is shown whole.
    Arrange(dialog).m_materialEntries[Arrange(dialog).m_categoryEnd[2] + 2] = L"Notes.txt";
    EXPECT_EQ(Fill(1, 3), (std::vector<Shown>{{L"Notes", 5}}));
    Arrange(dialog).m_materialEntries[Arrange(dialog).m_categoryEnd[2] + 2] = L".spi";
    EXPECT_EQ(Fill(1, 3), (std::vector<Shown>{{L".spi", 5}}));
    Arrange(dialog).m_materialEntries[Arrange(dialog).m_categoryEnd[2] + 2] = L"ab";
    EXPECT_EQ(Fill(1, 3), (std::vector<Shown>{{L"ab", 5}}));
}

TEST_F(MaterialListTest, IconsStandSortedOnTheGridWithEverySecondFourPixelsLeft)
{
    OpenWithLibrary(L"Vortan");
    // The list's first fill: the control has never painted an item yet.
    Fill(1, 0);
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
    MaterialDialog& dialog = OpenWithLibrary(L"Vortan");
    Arrange(dialog).m_curGroup = 1;
    Arrange(dialog).m_customSlot = 4;
    ::SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SLOT0, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Item(IDC_SLOT0)));
    ASSERT_EQ(Items().size(), 3u);

    RECT icon{LVIR_ICON, 0, 0, 0};
    ::SendMessageW(List(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&icon));
    EXPECT_EQ(RightClick(POINT{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2}), 0);
    EXPECT_TRUE(Selected(1));
    EXPECT_FALSE(Selected(0));
    EXPECT_EQ(Inspect(dialog).m_bMaterialShown, 0);
    EXPECT_EQ(ItemText(IDC_SPEED), L"");
    EXPECT_TRUE(Inspect(dialog).m_materialFilePath.empty());

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
    MaterialDialog& dialog = OpenWithLibrary(L"Vortan");
    Fill(1, 0);
    HIMAGELIST pictures = Inspect(dialog).m_imageListGroup1.Get();
    ASSERT_EQ(Pictures(), pictures);
    EXPECT_TRUE(::GetWindowLongPtrW(List(), GWL_STYLE) & LVS_SHAREIMAGELISTS);
    ::DestroyWindow(List());
    EXPECT_EQ(::ImageList_GetImageCount(pictures), 33);
}

} // namespace

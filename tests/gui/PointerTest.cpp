// Hot areas under the pointer, the group and category buttons, and the
// column animation between groups.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "resources/resource.h"
#include "tests/gui/LibraryTree.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;

namespace {

constexpr POINT kInCancel{450, 300};
constexpr POINT kInSaveAs{450, 265};
constexpr POINT kInAccept{450, 240};
constexpr POINT kNowhere{100, 350};
// The animation counts as over once no tick has come for this long; far more
// than the 20 ms period, so a busy machine does not end it early.
constexpr DWORD kQuietMs = 800;
// The model with three groups of categories.
constexpr wchar_t kModel[] = L"R250";

class PointerTest : public DialogFixture {
protected:
    // The model's library with one group folder per entry, each with as many
    // category buttons as the entry says: that many less one regular
    // categories, and the "Customize" folder the scan adds.
    void WriteGroups(const std::vector<int>& buttons)
    {
        const std::filesystem::path folder = library_tree::ParameterFolder(LibraryRoot(), kModel);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::vector<std::wstring> tree;
        for (size_t g = 0; g < buttons.size(); ++g) {
            const std::wstring group = std::to_wstring(g + 1);
            tree.push_back(group);
            for (int k = 0; k + 1 < buttons[g]; ++k)
                tree.push_back(group + L"\\Category" + std::to_wstring(k));
        }
        library_tree::Make(folder, tree);
    }

    // The same, with these material files (relative to the parameter folder).
    MaterialDialog& OpenWithGroups(const std::vector<int>& buttons, const std::vector<std::wstring>& materials = {})
    {
        WriteGroups(buttons);
        library_tree::Make(library_tree::ParameterFolder(LibraryRoot(), kModel), materials);
        WriteHandOff(kModel, L"English");
        MaterialDialog& dialog = Open();
        m_catcher.Clear();
        return dialog;
    }

    // The label state a material click leaves, and when asked a change after
    // it: another mark mode than the loaded one (none since the start-up).
    void ShowMaterial(bool asStored)
    {
        Dialog().SetMaterialShown(1);
        if (!asStored)
            ChooseMarkMode(2);
    }

    void ChooseMarkMode(int position)
    {
        ::SendMessageW(Item(IDC_MARK_MODE), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        ::SendMessageW(Dialog().Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_MARK_MODE, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_MARK_MODE)));
    }

    void Move(POINT p) { ::SendMessageW(Dialog().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }

    bool SetCursorAnswer()
    {
        return ::SendMessageW(Dialog().Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Dialog().Hwnd()),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) != FALSE;
    }

    void Click(int id)
    {
        ::SendMessageW(Dialog().Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }

    bool Highlighted(int id) { return (::SendMessageW(Item(id), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }

    RECT ChildRect(int id)
    {
        RECT rc{};
        ::GetWindowRect(Item(id), &rc);
        ::MapWindowPoints(nullptr, Dialog().Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    int ListCount() { return static_cast<int>(::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_GETITEMCOUNT, 0, 0)); }

    std::wstring ListText(int item)
    {
        wchar_t text[64] = {};
        LVITEMW info{};
        info.pszText = text;
        info.cchTextMax = 64;
        ::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                       reinterpret_cast<LPARAM>(&info));
        return text;
    }

    bool ItemSelected(int item)
    {
        return ::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED) != 0;
    }

    void SelectItem(int item)
    {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        ::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                       reinterpret_cast<LPARAM>(&state));
    }

    // Runs the dialog's messages one at a time until no animation tick has
    // come for a while; records the column height after every tick. `onTick`
    // runs after each tick with the tick's number (from 1).
    std::vector<int> RunAnimation(const std::function<void(int)>& onTick = {}, int stopAfter = 0)
    {
        std::vector<int> heights;
        DWORD lastTick = ::GetTickCount();
        while (::GetTickCount() - lastTick < kQuietMs) {
            MSG msg;
            if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
                continue;
            }
            // The column's timers are 1 to 3, the group's number; the dialog
            // has timers of its own besides.
            const bool tick = msg.message == WM_TIMER && msg.hwnd == Dialog().Hwnd() && msg.wParam >= 1 &&
                              msg.wParam <= 3;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            if (!tick)
                continue;
            lastTick = ::GetTickCount();
            heights.push_back(Inspect(Dialog()).m_rowHeight);
            if (onTick)
                onTick(static_cast<int>(heights.size()));
            if (stopAfter && static_cast<int>(heights.size()) == stopAfter)
                break;
        }
        return heights;
    }

    void ExpectColumnAtRest(int visibleSlots)
    {
        for (int k = 0; k < 9; ++k) {
            const RECT rc = ChildRect(MaterialDialog::kSlotIds[k]);
            EXPECT_EQ(rc.left, 156) << k;
            EXPECT_EQ(rc.top, 99 + 24 * k) << k;
            EXPECT_EQ(rc.right - rc.left, 137) << k;
            EXPECT_EQ(rc.bottom - rc.top, 24) << k;
            EXPECT_EQ(::IsWindowVisible(Item(MaterialDialog::kSlotIds[k])) != FALSE, k < visibleSlots) << k;
        }
    }
};

TEST_F(PointerTest, HotAreaIsTakenOnlyWhenItsActionIsAvailable)
{
    MaterialDialog& dialog = Open();
    const struct {
        bool shown;
        bool unchanged;
        POINT p;
        int expected;
    } cases[] = {
        {false, false, kInCancel, 1},
        {false, false, kInSaveAs, 0},
        {false, false, kInAccept, 0},
        {false, false, kNowhere, 0},
        {true, false, kInCancel, 1},
        {true, false, kInSaveAs, 2},
        {true, false, kInAccept, 0},
        {true, true, kInCancel, 1},
        {true, true, kInSaveAs, 2},
        {true, true, kInAccept, 3},
        {true, true, kNowhere, 0},
        // The rectangles' edges: left and top inside, right and bottom outside.
        {true, true, {443, 230}, 3},
        {true, true, {525, 240}, 0},
        {true, true, {450, 253}, 0},
        {true, true, {524, 317}, 1},
    };
    for (const auto& c : cases) {
        Move(kNowhere);
        if (c.shown)
            ShowMaterial(c.unchanged);
        else
            dialog.ClearMaterialView();
        Move(c.p);
        EXPECT_EQ(static_cast<int>(Inspect(dialog).m_hoverArea), c.expected)
            << c.p.x << "," << c.p.y << " shown " << int(c.shown) << " unchanged " << int(c.unchanged);
    }
}

TEST_F(PointerTest, AreaIsLeftOnlyByMovingOutOfIt)
{
    MaterialDialog& dialog = Open();
    ShowMaterial(true);
    Move(kInAccept);
    ASSERT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(3));
    // A state change does not reset the area.
    ChooseMarkMode(2);
    Move(POINT{500, 245});
    EXPECT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(3));
    // Straight from Accept into Save as: first nothing, then Save as.
    Move(kInSaveAs);
    EXPECT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(0));
    Move(kInSaveAs);
    EXPECT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(2));
    Move(kInCancel);
    EXPECT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(0));
    Move(kInCancel);
    EXPECT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(1));
    Move(kNowhere);
    EXPECT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(0));
}

TEST_F(PointerTest, HandCursorOnlyOverATakenArea)
{
    MaterialDialog& dialog = Open();
    HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);

    // No material: Save as and Accept are disabled, the arrow stays.
    Move(kInSaveAs);
    SetCursorAnswer();
    EXPECT_EQ(::GetCursor(), arrow);
    Move(kInAccept);
    SetCursorAnswer();
    EXPECT_EQ(::GetCursor(), arrow);

    Move(kNowhere);
    Move(kInCancel);
    EXPECT_TRUE(SetCursorAnswer());
    EXPECT_EQ(::GetCursor(), hand);

    // Passed up from a child control: still the hand while the area is held.
    ::SetCursor(arrow);
    EXPECT_NE(::SendMessageW(dialog.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Item(IDC_SPEED)),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              FALSE);
    EXPECT_EQ(::GetCursor(), hand);

    Move(kNowhere);
    SetCursorAnswer();
    EXPECT_EQ(::GetCursor(), arrow);
}

TEST_F(PointerTest, PressAnywhereArmsTheRelease)
{
    MaterialDialog& dialog = Open();
    const std::filesystem::path handOff = DataFolder() / L"~Ma2Drv.dat";
    // Over Cancel, a release without a press before it does nothing.
    Move(kInCancel);
    ::SendMessageW(dialog.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(kInCancel.x, kInCancel.y));
    EXPECT_FALSE(std::filesystem::exists(handOff));
    EXPECT_TRUE(::IsWindowVisible(dialog.Hwnd()));

    // A press away from every area arms the release that follows inside one.
    Move(kNowhere);
    ::SendMessageW(dialog.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kNowhere.x, kNowhere.y));
    Move(kInCancel);
    ::SendMessageW(dialog.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(kInCancel.x, kInCancel.y));
    EXPECT_EQ(ReadProfile(handOff, L"Path", L"Path"), L"");
    EXPECT_EQ(ReadProfile(handOff, L"Texture", L"Name"), L"");
    EXPECT_FALSE(::IsWindowVisible(dialog.Hwnd()));
}

TEST_F(PointerTest, StartUpHighlightsGroupOneOnly)
{
    MaterialDialog& dialog = OpenWithGroups({5, 3, 2});
    EXPECT_TRUE(Highlighted(IDC_GROUP1));
    EXPECT_FALSE(Highlighted(IDC_GROUP2));
    EXPECT_FALSE(Highlighted(IDC_GROUP3));
    for (int id : MaterialDialog::kSlotIds)
        EXPECT_FALSE(Highlighted(id)) << id;
    EXPECT_EQ(ListCount(), 0);
    EXPECT_EQ(Inspect(dialog).m_curGroup, 1);
    EXPECT_EQ(Inspect(dialog).m_curSlot, 0);
    EXPECT_FALSE(Inspect(dialog).m_customizeShown);
    EXPECT_EQ(Inspect(dialog).m_rowHeight, 24);
}

TEST_F(PointerTest, ButtonsShownFollowTheLibrary)
{
    MaterialDialog& dialog = OpenWithGroups({});
    const struct {
        std::vector<int> buttons; // category buttons of each group folder
        int group;                // whose category buttons are shown
        int shownGroups;
        int shownSlots;
    } cases[] = {
        {{}, 1, 0, 0},
        {{1}, 1, 1, 1},
        {{9, 1}, 1, 2, 9},
        {{1, 1, 3}, 3, 3, 3},
        // Twelve categories in group 2 and five groups: the panel's nine
        // buttons and three groups.
        {{1, 13, 1, 1, 1}, 2, 3, 9},
        // A fourth group has no categories of its own to show.
        {{1, 1, 1, 6}, 4, 3, 0},
    };
    for (const auto& c : cases) {
        // The driver's hand-off read again over the changed library.
        WriteGroups(c.buttons);
        dialog.LoadDriverHandOff();
        dialog.UpdateButtonVisibility(1, static_cast<BYTE>(c.group));
        for (int g = 0; g < 3; ++g)
            EXPECT_EQ(::IsWindowVisible(Item(MaterialDialog::kGroupIds[g])) != FALSE, g < c.shownGroups)
                << "groups " << c.buttons.size() << " button " << g;
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(::IsWindowVisible(Item(MaterialDialog::kSlotIds[k])) != FALSE, k < c.shownSlots)
                << "group " << c.group << " slot " << k;
    }
    // Without the flag the group buttons are left as they are.
    WriteGroups({});
    dialog.LoadDriverHandOff();
    dialog.UpdateButtonVisibility(0, 3);
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_GROUP3)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_SLOT0)));
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(PointerTest, GroupChangeFromRestTakesTwentySixTicks)
{
    MaterialDialog& dialog = OpenWithGroups({5, 3, 2}, {L"1\\Category2\\Oak.VX"});
    Click(IDC_SLOT2);
    ASSERT_EQ(ListCount(), 1);
    ShowMaterial(true);

    Click(IDC_GROUP2);
    EXPECT_EQ(Inspect(dialog).m_curGroup, 2);
    EXPECT_EQ(Inspect(dialog).m_rowStep, -2);
    EXPECT_FALSE(Highlighted(IDC_SLOT2));
    EXPECT_FALSE(Highlighted(IDC_GROUP1));
    EXPECT_TRUE(Highlighted(IDC_GROUP2));
    EXPECT_EQ(ListCount(), 0);
    // The material view is cleared: Save as no longer takes the pointer.
    Move(kInSaveAs);
    EXPECT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(0));

    bool turned = false;
    const std::vector<int> heights = RunAnimation([&](int) {
        if (turned || Inspect(dialog).m_rowStep != 2)
            return;
        turned = true;
        // At the turn, with height 0, the surplus buttons of group 1 go.
        EXPECT_EQ(ChildRect(IDC_SLOT4).bottom - ChildRect(IDC_SLOT4).top, 0);
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(::IsWindowVisible(Item(MaterialDialog::kSlotIds[k])) != FALSE, k < 3) << k;
    });
    std::vector<int> expected;
    for (int h = 22; h >= 0; h -= 2)
        expected.push_back(h);
    for (int h = 0; h <= 24; h += 2)
        expected.push_back(h);
    expected.push_back(24);
    EXPECT_EQ(heights.size(), 26u);
    EXPECT_EQ(heights, expected);
    EXPECT_TRUE(turned);
    ExpectColumnAtRest(3);
}

TEST_F(PointerTest, SecondGroupChangeMidCollapseCollapsesFromTheCurrentHeight)
{
    MaterialDialog& dialog = OpenWithGroups({5, 3, 2});
    Click(IDC_GROUP2);
    const std::vector<int> first = RunAnimation({}, 5);
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(Inspect(dialog).m_rowHeight, 14);

    Click(IDC_GROUP3);
    EXPECT_EQ(Inspect(dialog).m_curGroup, 3);
    EXPECT_EQ(Inspect(dialog).m_rowStep, -2);
    EXPECT_TRUE(Highlighted(IDC_GROUP3));
    EXPECT_FALSE(Highlighted(IDC_GROUP2));
    // Timers 2 and 3 both run now; each tick of either applies one step, and
    // each stops on its own first tick past the full height.
    const std::vector<int> second = RunAnimation();
    std::vector<int> expected;
    for (int h = 12; h >= 0; h -= 2)
        expected.push_back(h);
    for (int h = 0; h <= 24; h += 2)
        expected.push_back(h);
    expected.push_back(24);
    expected.push_back(24);
    EXPECT_EQ(first.size() + second.size(), 27u);
    EXPECT_EQ(second, expected);
    ExpectColumnAtRest(2);

    // Both timers have stopped: nothing moves any more.
    PumpMessages(100);
    EXPECT_EQ(Inspect(dialog).m_rowHeight, 24);
}

TEST_F(PointerTest, ClickingTheSelectedGroupOnlyHighlightsIt)
{
    MaterialDialog& dialog = OpenWithGroups({5, 3, 2}, {L"1\\Category0\\Oak.VX"});
    Click(IDC_SLOT0);
    ShowMaterial(true);
    ::SendMessageW(Item(IDC_GROUP1), BM_SETSTATE, 0, 0);
    Click(IDC_GROUP1);
    EXPECT_TRUE(Highlighted(IDC_GROUP1));
    EXPECT_TRUE(Highlighted(IDC_SLOT0));
    EXPECT_EQ(ListCount(), 1);
    // The material is still shown: Accept takes the pointer.
    Move(kInAccept);
    EXPECT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(3));
    EXPECT_TRUE(RunAnimation().empty());
}

TEST_F(PointerTest, CategoryClickFillsTheListOnceAndOnlyHighlightsAfterwards)
{
    // Eight categories of one material each, and one custom material in the
    // "Customize" folder on the ninth button.
    std::vector<std::wstring> materials = {L"1\\Customize\\Own.VX"};
    for (int k = 0; k < 8; ++k)
        materials.push_back(L"1\\Category" + std::to_wstring(k) + L"\\M" + std::to_wstring(k) + L".VX");
    MaterialDialog& dialog = OpenWithGroups({9}, materials);

    for (int k = 0; k < 9; ++k) {
        const int id = MaterialDialog::kSlotIds[k];
        Click(id);
        EXPECT_EQ(Inspect(dialog).m_curSlot, k);
        for (int other = 0; other < 9; ++other)
            EXPECT_EQ(Highlighted(MaterialDialog::kSlotIds[other]), other == k) << k << " " << other;
        ASSERT_EQ(ListCount(), 1) << k;
        EXPECT_EQ(ListText(0), k == 8 ? L"Own" : L"M" + std::to_wstring(k));

        // Again: nothing is cleared or refilled.
        SelectItem(0);
        ShowMaterial(true);
        ::SendMessageW(Item(id), BM_SETSTATE, 0, 0);
        Click(id);
        EXPECT_EQ(ListCount(), 1) << k;
        EXPECT_TRUE(ItemSelected(0)) << k;
        EXPECT_TRUE(Highlighted(id)) << k;
        Move(kNowhere);
        Move(kInSaveAs);
        EXPECT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(2)) << k;
        Move(kNowhere);
    }
}

TEST_F(PointerTest, GroupChangeKeepsTheChosenSlot)
{
    // Group 1's fifth button is its "Customize" folder; the fourth a category.
    MaterialDialog& dialog = OpenWithGroups({5, 3});
    Click(IDC_SLOT3);
    ASSERT_EQ(Inspect(dialog).m_curSlot, 3);
    Click(IDC_GROUP2);
    EXPECT_EQ(Inspect(dialog).m_curSlot, 3);
    RunAnimation();
}

} // namespace

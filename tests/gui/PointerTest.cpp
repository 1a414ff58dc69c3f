// Hot areas under the pointer, the group and category buttons, and the
// column animation between groups.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "resources/resource.h"
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

class PointerTest : public DialogFixture {
protected:
    MaterialDialog& OpenWithGroups(int groups, std::initializer_list<int> counts)
    {
        MaterialDialog& dialog = Open();
        m_catcher.Clear();
        Arrange(dialog).m_groupEntryCount = groups + 2;
        int g = 0;
        for (int count : counts)
            Arrange(dialog).m_categoryCount[g++] = count;
        dialog.InitSelectionState();
        return dialog;
    }

    void Move(POINT p)
    {
        ::SendMessageW(Dialog().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }

    bool SetCursorAnswer()
    {
        return ::SendMessageW(Dialog().Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Dialog().Hwnd()),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) != FALSE;
    }

    void Click(int id)
    {
        ::SendMessageW(Dialog().Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(Item(id)));
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

    void AddListMarker()
    {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"marker");
        ::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
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
            const bool tick = msg.message == WM_TIMER && msg.hwnd == Dialog().Hwnd();
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
        BYTE shown;
        BYTE unchanged;
        POINT p;
        int expected;
    } cases[] = {
        {0, 0, kInCancel, 1}, {0, 0, kInSaveAs, 0}, {0, 0, kInAccept, 0}, {0, 0, kNowhere, 0},
        {1, 0, kInCancel, 1}, {1, 0, kInSaveAs, 2}, {1, 0, kInAccept, 0},
        {1, 1, kInCancel, 1}, {1, 1, kInSaveAs, 2}, {1, 1, kInAccept, 3}, {1, 1, kNowhere, 0},
        // The rectangles' edges: left and top inside, right and bottom outside.
        {1, 1, {443, 230}, 3}, {1, 1, {525, 240}, 0}, {1, 1, {450, 253}, 0}, {1, 1, {524, 317}, 1},
    };
    for (const auto& c : cases) {
        Arrange(dialog).m_hoverArea = static_cast<HoverArea>(0);
        Arrange(dialog).m_bMaterialShown = c.shown;
        Arrange(dialog).m_bParamsUnchanged = c.unchanged;
        Move(c.p);
        EXPECT_EQ(static_cast<int>(Inspect(dialog).m_hoverArea), c.expected) << c.p.x << "," << c.p.y << " shown " << int(c.shown)
                                                   << " unchanged " << int(c.unchanged);
    }
}

TEST_F(PointerTest, AreaIsLeftOnlyByMovingOutOfIt)
{
    MaterialDialog& dialog = Open();
    Arrange(dialog).m_bMaterialShown = 1;
    Arrange(dialog).m_bParamsUnchanged = 1;
    Move(kInAccept);
    ASSERT_EQ(Inspect(dialog).m_hoverArea, static_cast<HoverArea>(3));
    // A state change does not reset the area.
    Arrange(dialog).m_bParamsUnchanged = 0;
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
    Arrange(dialog).m_bPressArmed = 0;
    ::SendMessageW(dialog.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kNowhere.x, kNowhere.y));
    EXPECT_EQ(Inspect(dialog).m_bPressArmed, 1);
}

TEST_F(PointerTest, StartUpHighlightsGroupOneOnly)
{
    MaterialDialog& dialog = OpenWithGroups(3, {5, 3, 2});
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
    MaterialDialog& dialog = Open();
    const struct {
        int groups;
        int categories; // of the group asked for
        int group;
        int shownGroups;
        int shownSlots;
    } cases[] = {
        {0, 4, 1, 0, 4}, {1, 1, 1, 1, 1}, {2, 9, 1, 2, 9}, {3, 3, 3, 3, 3},
        {5, 12, 2, 3, 9}, {3, 0, 1, 3, 0}, {3, -1, 1, 3, 0}, {3, 4, 4, 3, 0},
    };
    for (const auto& c : cases) {
        Arrange(dialog).m_groupEntryCount = c.groups + 2;
        if (c.group >= 1 && c.group <= 3)
            Arrange(dialog).m_categoryCount[c.group - 1] = c.categories;
        dialog.UpdateButtonVisibility(1, static_cast<BYTE>(c.group));
        for (int g = 0; g < 3; ++g)
            EXPECT_EQ(::IsWindowVisible(Item(MaterialDialog::kGroupIds[g])) != FALSE, g < c.shownGroups)
                << "groups " << c.groups << " button " << g;
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(::IsWindowVisible(Item(MaterialDialog::kSlotIds[k])) != FALSE, k < c.shownSlots)
                << "categories " << c.categories << " slot " << k;
    }
    // Without the flag the group buttons are left as they are.
    Arrange(dialog).m_groupEntryCount = 2;
    dialog.UpdateButtonVisibility(0, 3);
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_GROUP3)));
}

TEST_F(PointerTest, GroupChangeFromRestTakesTwentySixTicks)
{
    MaterialDialog& dialog = OpenWithGroups(3, {5, 3, 2});
    ::SendMessageW(Item(IDC_SLOT2), BM_SETSTATE, 1, 0);
    Arrange(dialog).m_slotMask = 1 << 2;
    AddListMarker();
    Arrange(dialog).m_bMaterialShown = 1;

    Click(IDC_GROUP2);
    EXPECT_EQ(Inspect(dialog).m_curGroup, 2);
    EXPECT_EQ(Inspect(dialog).m_rowStep, -2);
    EXPECT_EQ(Inspect(dialog).m_slotMask, 0);
    EXPECT_FALSE(Highlighted(IDC_SLOT2));
    EXPECT_FALSE(Highlighted(IDC_GROUP1));
    EXPECT_TRUE(Highlighted(IDC_GROUP2));
    EXPECT_EQ(ListCount(), 0);
    EXPECT_EQ(Inspect(dialog).m_bMaterialShown, 0);

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
    MaterialDialog& dialog = OpenWithGroups(3, {5, 3, 2});
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
    MaterialDialog& dialog = OpenWithGroups(3, {5, 3, 2});
    AddListMarker();
    Arrange(dialog).m_rowStep = 7;
    ::SendMessageW(Item(IDC_GROUP1), BM_SETSTATE, 0, 0);
    Click(IDC_GROUP1);
    EXPECT_TRUE(Highlighted(IDC_GROUP1));
    EXPECT_EQ(ListCount(), 1);
    EXPECT_EQ(Inspect(dialog).m_rowStep, 7);
    EXPECT_TRUE(RunAnimation().empty());
}

TEST_F(PointerTest, CategoryClickFillsTheListOnceAndOnlyHighlightsAfterwards)
{
    MaterialDialog& dialog = OpenWithGroups(1, {9});
    // One material in each of the nine slots of group 1.
    Arrange(dialog).m_materialEntries.clear();
    for (int k = 0; k < 9; ++k) {
        for (const wchar_t* name : {L".", L"..", L"M.spi"})
            Arrange(dialog).m_materialEntries.push_back(name);
        Arrange(dialog).m_categoryEnd[k] = 3 * (k + 1);
    }
    Arrange(dialog).m_customizeEntries = {L"C:\\lib\\1\\Customize", L".", L"..", L"Own.spi"};
    Arrange(dialog).m_customizeEnd[0] = 4;
    Arrange(dialog).m_customSlot = 8;

    for (int k = 0; k < 9; ++k) {
        const int id = MaterialDialog::kSlotIds[k];
        Click(id);
        EXPECT_EQ(Inspect(dialog).m_curSlot, k);
        EXPECT_EQ(Inspect(dialog).m_slotMask, 1 << k);
        for (int other = 0; other < 9; ++other)
            EXPECT_EQ(Highlighted(MaterialDialog::kSlotIds[other]), other == k) << k << " " << other;
        EXPECT_EQ(ListCount(), 1) << k;
        EXPECT_EQ(Inspect(dialog).m_customizeShown, k == 8) << k;

        // Again: nothing is cleared or refilled.
        AddListMarker();
        Arrange(dialog).m_bMaterialShown = 1;
        ::SendMessageW(Item(id), BM_SETSTATE, 0, 0);
        Click(id);
        EXPECT_EQ(ListCount(), 2) << k;
        EXPECT_EQ(Inspect(dialog).m_bMaterialShown, 1) << k;
        EXPECT_TRUE(Highlighted(id)) << k;
    }
}

TEST_F(PointerTest, GroupChangeKeepsTheChosenSlot)
{
    MaterialDialog& dialog = OpenWithGroups(2, {5, 3});
    Arrange(dialog).m_customSlot = 4;
    Click(IDC_SLOT3);
    ASSERT_EQ(Inspect(dialog).m_curSlot, 3);
    Click(IDC_GROUP2);
    EXPECT_EQ(Inspect(dialog).m_curSlot, 3);
    RunAnimation();
}

} // namespace

// Start-up state of the main dialog, its data exchange, and the hover button.
#include <gtest/gtest.h>

#include "framework/DataExchange.h"
#include "resources/resource.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;

namespace {

std::wstring ComboItem(HWND combo, int index)
{
    wchar_t text[64] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

class MainDialogTest : public DialogFixture {
protected:
    // Start-up over an empty environment shows its own messages; these tests
    // look only at what follows.
    MaterialDialog& OpenQuietly()
    {
        MaterialDialog& dialog = Open();
        m_catcher.Clear();
        return dialog;
    }
    // The panel's texts and combo positions, put in without the exchange.
    void SetPanel(const wchar_t* speed, const wchar_t* power, const wchar_t* ppi, int markMode, int resolution)
    {
        ::SetWindowTextW(Item(IDC_SPEED), speed);
        ::SetWindowTextW(Item(IDC_POWER), power);
        ::SetWindowTextW(Item(IDC_PPI), ppi);
        ::SendMessageW(Item(IDC_MARK_MODE), CB_SETCURSEL, static_cast<WPARAM>(markMode), 0);
        ::SendMessageW(Item(IDC_RESOLUTION), CB_SETCURSEL, static_cast<WPARAM>(resolution), 0);
    }
    LRESULT Selection(int id) const { return ::SendMessageW(Item(id), CB_GETCURSEL, 0, 0); }
};

TEST_F(MainDialogTest, StartsWithAnEmptyPanel)
{
    Open();
    EXPECT_EQ(ItemText(IDC_SPEED), L"");
    EXPECT_EQ(ItemText(IDC_POWER), L"");
    EXPECT_EQ(ItemText(IDC_PPI), L"");
    EXPECT_EQ(::SendMessageW(Item(IDC_MARK_MODE), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(::SendMessageW(Item(IDC_RESOLUTION), CB_GETCURSEL, 0, 0), 0);

    const wchar_t* modes[] = {L"", L"B/W", L"MCF", L"3D", L"Stamp"};
    ASSERT_EQ(::SendMessageW(Item(IDC_MARK_MODE), CB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ComboItem(Item(IDC_MARK_MODE), i), modes[i]);
    const wchar_t* steps[] = {L"", L"125", L"250", L"300", L"380", L"500", L"600", L"760", L"1000"};
    ASSERT_EQ(::SendMessageW(Item(IDC_RESOLUTION), CB_GETCOUNT, 0, 0), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(ComboItem(Item(IDC_RESOLUTION), i), steps[i]);
}

TEST_F(MainDialogTest, EditsRefuseTooLongOrNonDigitInput)
{
    Open();
    EXPECT_EQ(::SendMessageW(Item(IDC_SPEED), EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_EQ(::SendMessageW(Item(IDC_POWER), EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_EQ(::SendMessageW(Item(IDC_PPI), EM_GETLIMITTEXT, 0, 0), 4);
    EXPECT_TRUE(::GetWindowLongPtrW(Item(IDC_POWER), GWL_STYLE) & ES_NUMBER);
    EXPECT_TRUE(::GetWindowLongPtrW(Item(IDC_PPI), GWL_STYLE) & ES_NUMBER);
    EXPECT_FALSE(::GetWindowLongPtrW(Item(IDC_SPEED), GWL_STYLE) & ES_NUMBER);

    // Typed characters beyond the limit are refused.
    ::SetFocus(Item(IDC_PPI));
    for (wchar_t c : std::wstring(L"12345"))
        ::SendMessageW(Item(IDC_PPI), WM_CHAR, c, 0);
    EXPECT_EQ(ItemText(IDC_PPI), L"1234");
    ::SetFocus(Item(IDC_SPEED));
    for (wchar_t c : std::wstring(L"12.345"))
        ::SendMessageW(Item(IDC_SPEED), WM_CHAR, c, 0);
    EXPECT_EQ(ItemText(IDC_SPEED), L"12.34");
}

TEST_F(MainDialogTest, ExchangeStoresEachValueBeforeCheckingItsRange)
{
    MaterialDialog& dialog = OpenQuietly();
    SetPanel(L"1", L"7", L"9", 0, 3);
    ASSERT_TRUE(dialog.UpdateData(true));
    SetPanel(L"150", L"50", L"500", 2, 5);

    EXPECT_FALSE(dialog.UpdateData(true));
    ASSERT_EQ(m_catcher.Messages().size(), 1u);
    EXPECT_EQ(m_catcher.Messages()[0], fw::OutOfRangeMessage(0.0, 100.0));
    EXPECT_EQ(::GetFocus(), Item(IDC_SPEED));
    EXPECT_FALSE(dialog.EndResult().has_value()); // the dialog stays open

    // The controls shown again from the values the exchange kept.
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(Selection(IDC_MARK_MODE), 2); // exchanged before the failure
    EXPECT_EQ(ItemText(IDC_SPEED), L"150"); // stored, then found out of range
    EXPECT_EQ(ItemText(IDC_POWER), L"7");   // after it: untouched
    EXPECT_EQ(ItemText(IDC_PPI), L"9");
    EXPECT_EQ(Selection(IDC_RESOLUTION), 3);
}

TEST_F(MainDialogTest, TextThatIsNotANumberLeavesItsMemberUnchanged)
{
    MaterialDialog& dialog = OpenQuietly();
    SetPanel(L"1", L"3", L"9", 0, 0);
    ASSERT_TRUE(dialog.UpdateData(true));
    SetPanel(L"12.5", L"", L"40", 0, 0);

    EXPECT_FALSE(dialog.UpdateData(true));
    ASSERT_EQ(m_catcher.Messages().size(), 1u);
    EXPECT_EQ(m_catcher.Messages()[0], fw::NotANumberMessage());
    EXPECT_EQ(::GetFocus(), Item(IDC_POWER));

    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(ItemText(IDC_SPEED), L"12.5");
    EXPECT_EQ(ItemText(IDC_POWER), L"3");
    EXPECT_EQ(ItemText(IDC_PPI), L"9");
}

TEST_F(MainDialogTest, ValidValuesGoBothWays)
{
    MaterialDialog& dialog = OpenQuietly();
    ::SetWindowTextW(Item(IDC_SPEED), L" 12.50 ");
    ::SetWindowTextW(Item(IDC_POWER), L"100");
    ::SetWindowTextW(Item(IDC_PPI), L"1525");
    ::SendMessageW(Item(IDC_RESOLUTION), CB_SETCURSEL, 8, 0);
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_EQ(Inspect(dialog).m_speedValue, 12.5);
    EXPECT_EQ(Inspect(dialog).m_powerValue, 100.0);
    EXPECT_EQ(Inspect(dialog).m_ppiValue, 1525.0);
    EXPECT_EQ(Inspect(dialog).m_resolutionIndex, 8);

    // Back to the controls in the shortest form of each number.
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(ItemText(IDC_SPEED), L"12.5");
    SetPanel(L"0.0", L"100", L"0760", 0, 8);
    EXPECT_TRUE(dialog.UpdateData(true));
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(ItemText(IDC_SPEED), L"0");
    EXPECT_EQ(ItemText(IDC_PPI), L"760");
}

TEST_F(MainDialogTest, ControlsStandAtOneAndAHalfPixelsPerDialogUnit)
{
    MaterialDialog& dialog = Open();
    const struct {
        int id;
        RECT expected; // client pixels
    } cases[] = {
        {IDC_GROUP1, {57, 95, 152, 119}},  // 38,63,63,16 dialog units
        {IDC_SLOT8, {156, 288, 293, 312}}, // 104,192,91,16
        {IDC_MATERIAL_LIST, {296, 95, 533, 218}}, {IDC_SPEED, {303, 269, 360, 287}}, {IDC_PPI, {383, 269, 440, 287}},
    };
    for (const auto& c : cases) {
        RECT rc{};
        ::GetWindowRect(Item(c.id), &rc);
        ::MapWindowPoints(nullptr, dialog.Hwnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, c.expected.left) << c.id;
        EXPECT_EQ(rc.top, c.expected.top) << c.id;
        EXPECT_EQ(rc.right - rc.left, c.expected.right - c.expected.left) << c.id;
        EXPECT_EQ(rc.bottom - rc.top, c.expected.bottom - c.expected.top) << c.id;
    }
}

TEST_F(MainDialogTest, CancelCommandEndsTheDialog)
{
    MaterialDialog& dialog = Open();
    ::SendMessageW(dialog.Hwnd(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(dialog.EndResult().has_value());
    EXPECT_EQ(*dialog.EndResult(), IDCANCEL);
}

// ---- Hover button faces, drawn into a memory DC.

class HoverButtonTest : public DialogFixture {
protected:
    Pixels Draw(int id, UINT itemState)
    {
        HWND button = Item(id);
        HoverButton* hover = Dialog().ButtonFor(button);
        EXPECT_NE(hover, nullptr);
        RECT rc{};
        ::GetClientRect(button, &rc);
        return Render(rc.right, rc.bottom, [&](HDC hdc) {
            DRAWITEMSTRUCT item{};
            item.CtlType = ODT_BUTTON;
            item.CtlID = static_cast<UINT>(id);
            item.hwndItem = button;
            item.hDC = hdc;
            item.rcItem = rc;
            item.itemState = itemState;
            ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)));
            hover->DrawItem(item);
        });
    }

    // Bounding box of the dark caption pixels.
    static RECT CaptionBox(const Pixels& p)
    {
        RECT box{p.width, p.height, -1, -1};
        for (int y = 4; y < p.height - 4; ++y)
            for (int x = 4; x < p.width - 4; ++x)
                if (GetRValue(p.At(x, y)) < 80 && GetGValue(p.At(x, y)) < 80 && GetBValue(p.At(x, y)) < 80) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
        return box;
    }
};

TEST_F(HoverButtonTest, FaceIsYellowOnHoverBlueWithStateAndBlueWins)
{
    Open();
    ::SetFocus(Item(IDC_MATERIAL_LIST));
    HWND slot = Item(IDC_SLOT3);
    HoverButton* button = Dialog().ButtonFor(slot);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(slot, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    ::SendMessageW(slot, BM_SETSTATE, 0, 0);
    button->m_bHover = FALSE;
    EXPECT_NE(Draw(IDC_SLOT3, 0).At(6, 6), HoverButton::kHoverYellow);

    button->m_bHover = TRUE;
    EXPECT_EQ(Draw(IDC_SLOT3, 0).At(6, 6), HoverButton::kHoverYellow);

    ::SendMessageW(slot, BM_SETSTATE, 1, 0);
    EXPECT_EQ(Draw(IDC_SLOT3, 0).At(6, 6), HoverButton::kStateBlue);
    button->m_bHover = FALSE;
    EXPECT_EQ(Draw(IDC_SLOT3, 0).At(6, 6), HoverButton::kStateBlue);
    ::SendMessageW(slot, BM_SETSTATE, 0, 0);
}

TEST_F(HoverButtonTest, PushedCaptionMovesOnePixelRightAndDown)
{
    Open();
    ::SetFocus(Item(IDC_MATERIAL_LIST));
    ::SetWindowTextW(Item(IDC_SLOT1), L"Wood");
    const RECT flat = CaptionBox(Draw(IDC_SLOT1, 0));
    const RECT pushed = CaptionBox(Draw(IDC_SLOT1, ODS_SELECTED));
    ASSERT_GE(flat.right, flat.left);
    EXPECT_EQ(pushed.left, flat.left + 1);
    EXPECT_EQ(pushed.top, flat.top + 1);
}

TEST_F(HoverButtonTest, MouseMoveStartsHoverAndTheTimerEndsItOutside)
{
    Open();
    HWND slot = Item(IDC_SLOT0);
    HoverButton* button = Dialog().ButtonFor(slot);
    ::ShowWindow(slot, SW_SHOW);
    ::SendMessageW(slot, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(button->m_bHover);
    ::SetCursorPos(1000, 760);
    ::PostMessageW(slot, WM_TIMER, 1, 0);
    PumpMessages(30);
    EXPECT_FALSE(button->m_bHover);
}

} // namespace

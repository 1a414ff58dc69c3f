// The window's outline and picture lists, the painted skin with its label
// colours, and the caption strip.
#include <gtest/gtest.h>

#include <cstdlib>

#include <functional>

#include "resources/resource.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;

namespace {

constexpr COLORREF kLabelBlue = RGB(0, 32, 115);
constexpr COLORREF kLabelGrey = RGB(192, 192, 192);

// The resource bitmap as it is stored.
Pixels ResourceBitmap(int id, int width, int height)
{
    return Render(width, height, [&](HDC hdc) {
        HBITMAP bitmap = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
        ASSERT_NE(bitmap, nullptr) << id;
        HDC memory = ::CreateCompatibleDC(hdc);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(hdc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
        ::DeleteObject(bitmap);
    });
}

struct Ink {
    int blue = 0;
    int grey = 0;
    int other = 0;
};

// Classifies the pixels of `rect` that differ from the background.
bool Near(COLORREF c, COLORREF ink, int tolerance)
{
    return std::abs(GetRValue(c) - GetRValue(ink)) <= tolerance && std::abs(GetGValue(c) - GetGValue(ink)) <= tolerance &&
           std::abs(GetBValue(c) - GetBValue(ink)) <= tolerance;
}

Ink InkIn(const Pixels& painted, const Pixels& background, const RECT& rect)
{
    Ink ink;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = painted.At(x, y);
            if (c == background.At(x, y))
                continue;
            // Smoothed text blends its edges into the background: count the
            // pixels near each ink colour.
            if (Near(c, kLabelBlue, 40))
                ++ink.blue;
            else if (Near(c, kLabelGrey, 12))
                ++ink.grey;
            else
                ++ink.other;
        }
    return ink;
}

class WindowSkinTest : public DialogFixture {
protected:
    MaterialDialog& OpenWithLabels()
    {
        MaterialDialog& dialog = Open();
        m_catcher.Clear(); // whatever start-up had to say about the empty library
        Arrange(dialog).m_panelLabels.clear();
        for (int i = 0; i < 13; ++i)
            Arrange(dialog).m_panelLabels.push_back(L"MMMMMMMM" + std::to_wstring(i));
        return dialog;
    }

    Pixels Paint() { return Render(600, 400, [&](HDC hdc) { Dialog().PaintClient(hdc); }); }

    Pixels Background()
    {
        StringList labels;
        labels.swap(Arrange(Dialog()).m_panelLabels);
        Pixels pixels = Paint();
        labels.swap(Arrange(Dialog()).m_panelLabels);
        return pixels;
    }

    void ExpectLabel(const Pixels& painted, const Pixels& background, const RECT& rect, COLORREF colour,
                     const char* what)
    {
        const Ink ink = InkIn(painted, background, rect);
        if (colour == kLabelBlue) {
            EXPECT_GT(ink.blue, 4) << what;
            EXPECT_EQ(ink.grey, 0) << what;
        } else {
            EXPECT_GT(ink.grey, 4) << what;
            EXPECT_EQ(ink.blue, 0) << what;
        }
    }
};

TEST_F(WindowSkinTest, WindowIsCentredAndCutToItsOutline)
{
    MaterialDialog& dialog = Open();
    RECT rc{};
    ::GetWindowRect(dialog.Hwnd(), &rc);
    EXPECT_EQ(rc.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - 300);
    EXPECT_EQ(rc.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - 200);
    EXPECT_EQ(rc.right - rc.left, 600);
    EXPECT_EQ(rc.bottom - rc.top, 400);

    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(dialog.Hwnd(), region), ERROR);
    // Rounded top corners.
    EXPECT_FALSE(::PtInRegion(region, 0, 0));
    EXPECT_FALSE(::PtInRegion(region, 599, 0));
    EXPECT_FALSE(::PtInRegion(region, 1, 1));
    EXPECT_FALSE(::PtInRegion(region, 597, 1));
    // Left edge one pixel in; slightly rounded bottom-left corner.
    EXPECT_FALSE(::PtInRegion(region, 0, 200));
    EXPECT_TRUE(::PtInRegion(region, 1, 200));
    EXPECT_FALSE(::PtInRegion(region, 1, 398));
    EXPECT_TRUE(::PtInRegion(region, 300, 200));
    EXPECT_TRUE(::PtInRegion(region, 20, 5));
    // Square bottom-right corner: the last row and column reach the corner.
    EXPECT_TRUE(::PtInRegion(region, 598, 398));
    EXPECT_TRUE(::PtInRegion(region, 598, 390));
    EXPECT_TRUE(::PtInRegion(region, 590, 398));
    // The dialog keeps its own copy of what the system got.
    ASSERT_TRUE(Inspect(dialog).m_rgnWindow);
    EXPECT_TRUE(::EqualRgn(region, Inspect(dialog).m_rgnWindow.Get()));
    ::DeleteObject(region);
}

TEST_F(WindowSkinTest, PictureListsFollowTheModel)
{
    MaterialDialog& dialog = Open();
    Arrange(dialog).m_strModel = L"R250";
    dialog.BuildPictureLists();
    EXPECT_EQ(Inspect(dialog).m_imageListGroup1.Count(), 15);
    EXPECT_EQ(Inspect(dialog).m_imageListGroup2.Count(), 15);
    EXPECT_EQ(Inspect(dialog).m_imageListGroup3.Count(), 20);
    EXPECT_EQ(Inspect(dialog).m_imageListCustom.Count(), 1);
    int cx = 0, cy = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(Inspect(dialog).m_imageListGroup3.Get(), &cx, &cy));
    EXPECT_EQ(cx, 85);
    EXPECT_EQ(cy, 70);

    // Each picture is the resource the table names, cut to 85 pixels.
    auto expectPicture = [](HIMAGELIST list, int index, int id) {
        const Pixels drawn = Render(85, 70, [&](HDC hdc) { ::ImageList_Draw(list, index, hdc, 0, 0, ILD_NORMAL); });
        const Pixels source = ResourceBitmap(id, 85, 70);
        int differing = 0;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 85; ++x)
                differing += drawn.At(x, y) != source.At(x, y);
        EXPECT_LT(differing, 85 * 70 / 20) << "picture " << index << " should be " << id;
    };
    expectPicture(Inspect(dialog).m_imageListGroup3.Get(), 0, 174);
    expectPicture(Inspect(dialog).m_imageListGroup3.Get(), 1, 175);
    expectPicture(Inspect(dialog).m_imageListGroup3.Get(), 2, 173);
    expectPicture(Inspect(dialog).m_imageListGroup1.Get(), 14, 170);
    expectPicture(Inspect(dialog).m_imageListCustom.Get(), 0, 176);

    Arrange(dialog).m_strModel = L"Vortan";
    dialog.BuildPictureLists();
    EXPECT_EQ(Inspect(dialog).m_imageListGroup1.Count(), 33);
    EXPECT_EQ(Inspect(dialog).m_imageListGroup2.Count(), 0);
    EXPECT_EQ(Inspect(dialog).m_imageListGroup3.Count(), 0);
    EXPECT_EQ(Inspect(dialog).m_imageListCustom.Count(), 1);
    expectPicture(Inspect(dialog).m_imageListGroup1.Get(), 0, 176);
    expectPicture(Inspect(dialog).m_imageListGroup1.Get(), 1, 154);
    expectPicture(Inspect(dialog).m_imageListGroup1.Get(), 17, 170);
    expectPicture(Inspect(dialog).m_imageListGroup1.Get(), 32, 176);
}

TEST_F(WindowSkinTest, ClientShowsTheWindowImageBelowTheCaptionStrip)
{
    MaterialDialog& dialog = Open();
    Arrange(dialog).m_panelLabels.clear();
    const Pixels painted = Paint();
    const Pixels image = ResourceBitmap(IDB_WINDOW_IMAGE, 600, 400);
    // Away from the version string, the client is the image from (3,30).
    int differing = 0;
    for (int y = 0; y < 300; y += 7)
        for (int x = 0; x < 597; x += 5)
            differing += painted.At(x, y) != image.At(x + 3, y + 30);
    EXPECT_EQ(differing, 0);
}

TEST_F(WindowSkinTest, HotAreaLabelsAreGreyUntilAMaterialIsShown)
{
    MaterialDialog& dialog = OpenWithLabels();
    const Pixels background = Background();

    Pixels painted = Paint();
    ExpectLabel(painted, background, MaterialDialog::kAcceptLabel, kLabelGrey, "accept, nothing shown");
    ExpectLabel(painted, background, MaterialDialog::kSaveAsLabel, kLabelGrey, "save as, nothing shown");
    ExpectLabel(painted, background, MaterialDialog::kCancelLabel, kLabelBlue, "cancel, nothing shown");

    dialog.SetMaterialShown(1);
    painted = Paint();
    ExpectLabel(painted, background, MaterialDialog::kAcceptLabel, kLabelBlue, "accept, shown");
    ExpectLabel(painted, background, MaterialDialog::kSaveAsLabel, kLabelBlue, "save as, shown");
    ExpectLabel(painted, background, MaterialDialog::kCancelLabel, kLabelBlue, "cancel, shown");

    dialog.SetMaterialShown(0);
    painted = Paint();
    ExpectLabel(painted, background, MaterialDialog::kAcceptLabel, kLabelGrey, "accept, cleared");
    ExpectLabel(painted, background, MaterialDialog::kSaveAsLabel, kLabelGrey, "save as, cleared");
}

TEST_F(WindowSkinTest, LabelStateChangesRepaintOnlyTheLabels)
{
    MaterialDialog& dialog = Open();
    ::UpdateWindow(dialog.Hwnd());
    dialog.SetMaterialShown(1);
    RECT update{};
    ASSERT_TRUE(::GetUpdateRect(dialog.Hwnd(), &update, FALSE));
    EXPECT_EQ(update.left, 440);
    EXPECT_EQ(update.top, 234);
    EXPECT_EQ(update.right, 525);
    EXPECT_EQ(update.bottom, 286);

    ::UpdateWindow(dialog.Hwnd());
    dialog.TrackParameterChange(static_cast<ParamChange>(2));
    ASSERT_TRUE(::GetUpdateRect(dialog.Hwnd(), &update, FALSE));
    EXPECT_EQ(update.top, 234);
    EXPECT_EQ(update.bottom, 254);
}

TEST_F(WindowSkinTest, AcceptLabelFollowsTrackedChanges)
{
    MaterialDialog& dialog = OpenWithLabels();
    const Pixels background = Background();
    // A loaded material whose baseline the panel shows.
    ::SetWindowTextW(Item(IDC_SPEED), L"12.5");
    ::SetWindowTextW(Item(IDC_POWER), L"40");
    ::SetWindowTextW(Item(IDC_PPI), L"500");
    Arrange(dialog).m_loadedSpeed = 12.5;
    Arrange(dialog).m_loadedPower = 40.0;
    Arrange(dialog).m_loadedPpi = 500.0;
    Arrange(dialog).m_loadedMarkMode = 0;
    Arrange(dialog).m_loadedResolution = 0;
    dialog.SetMaterialShown(1);

    auto typeSpeed = [&](const wchar_t* text) {
        ::SetWindowTextW(Item(IDC_SPEED), text);
        ASSERT_TRUE(dialog.UpdateData(true));
        dialog.TrackParameterChange(static_cast<ParamChange>(2));
    };

    typeSpeed(L"13");
    EXPECT_EQ(Inspect(dialog).m_bParamsUnchanged, 0);
    Pixels painted = Paint();
    ExpectLabel(painted, background, MaterialDialog::kAcceptLabel, kLabelGrey, "accept after a change");
    ExpectLabel(painted, background, MaterialDialog::kSaveAsLabel, kLabelBlue, "save as after a change");

    // The same number written differently is no change.
    typeSpeed(L"12.50");
    EXPECT_EQ(Inspect(dialog).m_bParamsUnchanged, 1);
    painted = Paint();
    ExpectLabel(painted, background, MaterialDialog::kAcceptLabel, kLabelBlue, "accept after setting back");
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(WindowSkinTest, EachTrackedControlHasItsOwnBit)
{
    MaterialDialog& dialog = Open();
    Arrange(dialog).m_loadedMarkMode = 2;
    Arrange(dialog).m_loadedResolution = 4;
    Arrange(dialog).m_loadedSpeed = 10.0;
    Arrange(dialog).m_loadedPower = 20.0;
    Arrange(dialog).m_loadedPpi = 300.0;
    dialog.SetMaterialShown(1);
    ::SendMessageW(Item(IDC_MARK_MODE), CB_SETCURSEL, 2, 0);
    ::SendMessageW(Item(IDC_RESOLUTION), CB_SETCURSEL, 4, 0);
    Arrange(dialog).m_speedValue = 10.0;
    Arrange(dialog).m_powerValue = 20.0;
    Arrange(dialog).m_ppiValue = 300.0;

    const struct {
        BYTE code;
        std::function<void(bool)> change; // true: away from the baseline
        std::uint32_t bit;
    } cases[] = {
        {1, [&](bool away) { ::SendMessageW(Item(IDC_MARK_MODE), CB_SETCURSEL, away ? 3 : 2, 0); }, 1u << 0},
        {2, [&](bool away) { Arrange(dialog).m_speedValue = away ? 10.5 : 10.0; }, 1u << 1},
        {3, [&](bool away) { Arrange(dialog).m_powerValue = away ? 21.0 : 20.0; }, 1u << 2},
        {4, [&](bool away) { Arrange(dialog).m_ppiValue = away ? 301.0 : 300.0; }, 1u << 3},
        {5, [&](bool away) { ::SendMessageW(Item(IDC_RESOLUTION), CB_SETCURSEL, away ? 8 : 4, 0); }, 1u << 4},
    };
    for (const auto& c : cases) {
        c.change(true);
        dialog.TrackParameterChange(static_cast<ParamChange>(c.code));
        EXPECT_EQ(Inspect(dialog).m_changedParams, c.bit) << int(c.code);
        EXPECT_EQ(Inspect(dialog).m_bParamsUnchanged, 0) << int(c.code);
        // Any other code leaves the mask alone.
        dialog.TrackParameterChange(static_cast<ParamChange>(6));
        EXPECT_EQ(Inspect(dialog).m_changedParams, c.bit) << int(c.code);
        c.change(false);
        dialog.TrackParameterChange(static_cast<ParamChange>(c.code));
        EXPECT_EQ(Inspect(dialog).m_changedParams, 0u) << int(c.code);
        EXPECT_EQ(Inspect(dialog).m_bParamsUnchanged, 1) << int(c.code);
    }

    // Two changes: setting one back keeps the label grey.
    cases[1].change(true);
    dialog.TrackParameterChange(static_cast<ParamChange>(2));
    cases[3].change(true);
    dialog.TrackParameterChange(static_cast<ParamChange>(4));
    cases[1].change(false);
    dialog.TrackParameterChange(static_cast<ParamChange>(2));
    EXPECT_EQ(Inspect(dialog).m_changedParams, 1u << 3);
    EXPECT_EQ(Inspect(dialog).m_bParamsUnchanged, 0);
}

TEST_F(WindowSkinTest, MissingLabelTextsDrawNothing)
{
    MaterialDialog& dialog = OpenWithLabels();
    dialog.SetMaterialShown(1);
    const Pixels background = Background();
    Arrange(dialog).m_panelLabels.resize(10); // entries 10 to 12 missing
    const Pixels painted = Paint();
    for (const RECT& rect : {MaterialDialog::kAcceptLabel, MaterialDialog::kSaveAsLabel, MaterialDialog::kCancelLabel}) {
        const Ink ink = InkIn(painted, background, rect);
        EXPECT_EQ(ink.blue + ink.grey + ink.other, 0);
    }
    // The entries that are there are still drawn.
    EXPECT_GT(InkIn(painted, background, RECT{52, 75, 153, 95}).blue, 0);
}

TEST_F(WindowSkinTest, CaptionStripIsTheTopOfTheWindowImage)
{
    MaterialDialog& dialog = Open();
    const Pixels image = ResourceBitmap(IDB_WINDOW_IMAGE, 600, 400);
    const COLORREF untouched = RGB(1, 2, 3);
    const Pixels strip = Render(600, 40, [&](HDC hdc) {
        HBRUSH brush = ::CreateSolidBrush(untouched);
        RECT all{0, 0, 600, 40};
        ::FillRect(hdc, &all, brush);
        ::DeleteObject(brush);
        dialog.PaintCaptionStrip(hdc);
    });
    int differing = 0;
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 597; ++x)
            differing += strip.At(x, y) != image.At(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(strip.At(597, 0), untouched);
    EXPECT_EQ(strip.At(10, 29), untouched);
}

TEST_F(WindowSkinTest, FramePaintingPutsTheStripOnTheWindow)
{
    MaterialDialog& dialog = Open();
    EXPECT_EQ(::SendMessageW(dialog.Hwnd(), WM_NCACTIVATE, FALSE, 0), 134);
    EXPECT_EQ(::SendMessageW(dialog.Hwnd(), WM_NCACTIVATE, TRUE, 0), 134);
    EXPECT_EQ(::SendMessageW(dialog.Hwnd(), WM_NCPAINT, 1, 0), 133);

    // What the window shows now, read back from its own DC.
    const Pixels shown = Render(600, 29, [&](HDC hdc) {
        HDC window = ::GetWindowDC(dialog.Hwnd());
        ::BitBlt(hdc, 0, 0, 600, 29, window, 0, 0, SRCCOPY);
        ::ReleaseDC(dialog.Hwnd(), window);
    });
    const Pixels image = ResourceBitmap(IDB_WINDOW_IMAGE, 600, 400);
    int differing = 0;
    for (int y = 4; y < 29; ++y)
        for (int x = 12; x < 590; ++x)
            differing += shown.At(x, y) != image.At(x, y);
    EXPECT_EQ(differing, 0);
}

} // namespace

// The window's outline and picture lists, the painted skin with its label
// colours, and the caption strip.
#include <gtest/gtest.h>

#include <cstdlib>

#include <functional>

#include "resources/resource.h"
#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;

namespace {

constexpr COLORREF kLabelBlue = RGB(0, 32, 115);
constexpr COLORREF kLabelGrey = RGB(192, 192, 192);

// The material the label tests load; every panel value has a position or
// number of its own, so that each can be moved away from it and back.
constexpr char kOak[] =
    "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=500\r\n[PEN]\r\nPEN1SPEED=125\r\nPEN1POWER=20\r\nPEN1PPI=300\r\n";

// The resource bitmap as it is stored, from the given point of it.
Pixels ResourceBitmap(int id, int width, int height, POINT from = {0, 0})
{
    return Render(width, height, [&](HDC hdc) {
        HBITMAP bitmap = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
        ASSERT_NE(bitmap, nullptr) << id;
        HDC memory = ::CreateCompatibleDC(hdc);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(hdc, 0, 0, width, height, memory, from.x, from.y, SRCCOPY);
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
    return std::abs(GetRValue(c) - GetRValue(ink)) <= tolerance &&
           std::abs(GetGValue(c) - GetGValue(ink)) <= tolerance && std::abs(GetBValue(c) - GetBValue(ink)) <= tolerance;
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

class WindowSkinTest : public PanelFixture {
protected:
    // The language's texts of the skin, entry i as text(i).
    void WriteLabels(const std::function<std::wstring(int)>& text)
    {
        std::wstring file = L"[AP_English]\r\n";
        for (int i = 0; i < 13; ++i)
            file += std::to_wstring(1000 + i) + L"=" + text(i) + L"\r\n";
        WriteLanguageFile(file);
    }

    // Labels wide enough to fill their rectangles, and a library with the
    // material Oak in the first of two categories.
    MaterialDialog& OpenWithLabels()
    {
        WriteLabels([](int i) { return L"MMMMMMMM" + std::to_wstring(i); });
        PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood", L"Zinc"}, {}}});
        WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", kOak);
        return OpenPrepared();
    }

    // Oak loaded into the panel by the operator's clicks.
    void ShowOak()
    {
        ChooseSlot(0);
        ClickItem(L"Oak");
    }

    void ChooseInCombo(int id, int position)
    {
        ::SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        Notify(id);
    }

    // The change notification of a panel control, as the control sends it.
    void Notify(int id)
    {
        const WORD code = id == IDC_MARK_MODE || id == IDC_RESOLUTION ? CBN_SELCHANGE : EN_CHANGE;
        ::SendMessageW(Dialog().Hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }

    Pixels Paint()
    {
        return Render(600, 400, [&](HDC hdc) { Dialog().PaintClient(hdc); });
    }

    // The skin without any text: the window image from the client's origin.
    static Pixels Background() { return ResourceBitmap(IDB_WINDOW_IMAGE, 600, 400, POINT{3, 30}); }

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
    WriteHandOff(L"R250", L"English");
    MaterialDialog& dialog = Open();
    // Start-up decodes no picture: a list is made when its materials are
    // first shown, group 1's by a category of group 1.
    EXPECT_EQ(Inspect(dialog).m_imageListGroup1.Get(), nullptr);
    EXPECT_EQ(Inspect(dialog).m_imageListCustom.Get(), nullptr);
    dialog.FillMaterialList(0);
    EXPECT_EQ(Inspect(dialog).m_imageListGroup3.Get(), nullptr);
    dialog.OnGroupClicked(3);
    dialog.FillMaterialList(0);
    dialog.FillMaterialList(MaterialDialog::kCustomizeRequest);
    dialog.OnGroupClicked(2);
    dialog.FillMaterialList(0);
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

    WriteHandOff(L"Vortan", L"English");
    MaterialDialog& other = Open();
    other.FillMaterialList(0);
    other.FillMaterialList(MaterialDialog::kCustomizeRequest);
    EXPECT_EQ(Inspect(other).m_imageListGroup1.Count(), 33);
    EXPECT_EQ(Inspect(other).m_imageListGroup2.Count(), 0);
    EXPECT_EQ(Inspect(other).m_imageListGroup3.Count(), 0);
    EXPECT_EQ(Inspect(other).m_imageListCustom.Count(), 1);
    expectPicture(Inspect(other).m_imageListGroup1.Get(), 0, 176);
    expectPicture(Inspect(other).m_imageListGroup1.Get(), 1, 154);
    expectPicture(Inspect(other).m_imageListGroup1.Get(), 17, 170);
    expectPicture(Inspect(other).m_imageListGroup1.Get(), 32, 176);
}

TEST_F(WindowSkinTest, ClientShowsTheWindowImageBelowTheCaptionStrip)
{
    // A language whose skin texts are all empty.
    WriteLabels([](int) { return std::wstring(); });
    WriteHandOff(L"VTX", L"English");
    Open();
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
    OpenWithLabels();
    const Pixels background = Background();

    Pixels painted = Paint();
    ExpectLabel(painted, background, MaterialDialog::kAcceptLabel, kLabelGrey, "accept, nothing shown");
    ExpectLabel(painted, background, MaterialDialog::kSaveAsLabel, kLabelGrey, "save as, nothing shown");
    ExpectLabel(painted, background, MaterialDialog::kCancelLabel, kLabelBlue, "cancel, nothing shown");

    ShowOak();
    painted = Paint();
    ExpectLabel(painted, background, MaterialDialog::kAcceptLabel, kLabelBlue, "accept, shown");
    ExpectLabel(painted, background, MaterialDialog::kSaveAsLabel, kLabelBlue, "save as, shown");
    ExpectLabel(painted, background, MaterialDialog::kCancelLabel, kLabelBlue, "cancel, shown");

    // Another category clears the view.
    ChooseSlot(1);
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
    dialog.TrackParameterChange(ParamChange::Speed);
    ASSERT_TRUE(::GetUpdateRect(dialog.Hwnd(), &update, FALSE));
    EXPECT_EQ(update.top, 234);
    EXPECT_EQ(update.bottom, 254);
}

TEST_F(WindowSkinTest, AcceptLabelFollowsTrackedChanges)
{
    OpenWithLabels();
    const Pixels background = Background();
    ShowOak();

    SetText(IDC_SPEED, L"13");
    Pixels painted = Paint();
    ExpectLabel(painted, background, MaterialDialog::kAcceptLabel, kLabelGrey, "accept after a change");
    ExpectLabel(painted, background, MaterialDialog::kSaveAsLabel, kLabelBlue, "save as after a change");

    // The same number written differently is no change.
    SetText(IDC_SPEED, L"12.50");
    painted = Paint();
    ExpectLabel(painted, background, MaterialDialog::kAcceptLabel, kLabelBlue, "accept after setting back");
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(WindowSkinTest, AcceptLabelIsGreyWhileAnyOneValueDiffers)
{
    OpenWithLabels();
    const Pixels background = Background();
    ShowOak();

    const struct {
        int id;
        std::function<void(bool)> change; // true: away from the loaded value
    } cases[] = {
        {IDC_MARK_MODE, [&](bool away) { ChooseInCombo(IDC_MARK_MODE, away ? 3 : 2); }},
        {IDC_SPEED, [&](bool away) { SetText(IDC_SPEED, away ? L"10.5" : L"12.5"); }},
        {IDC_POWER, [&](bool away) { SetText(IDC_POWER, away ? L"21" : L"20"); }},
        {IDC_PPI, [&](bool away) { SetText(IDC_PPI, away ? L"301" : L"300"); }},
        {IDC_RESOLUTION, [&](bool away) { ChooseInCombo(IDC_RESOLUTION, away ? 8 : 5); }},
    };
    auto expectAccept = [&](COLORREF colour, const std::string& what) {
        ExpectLabel(Paint(), background, MaterialDialog::kAcceptLabel, colour, what.c_str());
    };
    for (const auto& c : cases) {
        const std::string name = "control " + std::to_string(c.id);
        c.change(true);
        expectAccept(kLabelGrey, name + " changed");
        // The other values, notified while they still equal the loaded ones,
        // do not hide this change.
        for (const auto& other : cases)
            if (other.id != c.id)
                Notify(other.id);
        expectAccept(kLabelGrey, name + " changed, others notified");
        c.change(false);
        expectAccept(kLabelBlue, name + " set back");
    }

    // Two changes: setting one back keeps the label grey.
    cases[1].change(true);
    cases[3].change(true);
    cases[1].change(false);
    expectAccept(kLabelGrey, "speed back, PPI still changed");
    ExpectLabel(Paint(), background, MaterialDialog::kSaveAsLabel, kLabelBlue, "save as after changes");
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(WindowSkinTest, MissingLabelTextsDrawNothing)
{
    // The only time the dialog has no skin texts is before its start-up has
    // read the language file.
    MaterialDialog unopened(nullptr);
    const Pixels painted = Render(600, 400, [&](HDC hdc) { unopened.PaintClient(hdc); });
    const Pixels background = Background();
    for (const RECT& rect : {MaterialDialog::kAcceptLabel, MaterialDialog::kSaveAsLabel, MaterialDialog::kCancelLabel,
                             RECT{52, 75, 153, 95}, RECT{341, 30, 511, 83}}) {
        const Ink ink = InkIn(painted, background, rect);
        EXPECT_EQ(ink.blue + ink.grey + ink.other, 0);
    }
    // The rest of the skin is still painted: the version string.
    EXPECT_GT(InkIn(painted, background, RECT{470, 338, 580, 370}).other, 4);
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

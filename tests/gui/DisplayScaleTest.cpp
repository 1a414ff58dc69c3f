// The window at the display's DPI, whatever the test's prefix sets it to:
// the suite runs this fixture at 96 dpi, and tests/at_dpi.sh at 120, 144
// and 192 in prefixes of their own. Its size, outline and controls, the
// pointer, the texts of the sample language file and the list's labels, the
// artwork, a move to a monitor of another DPI and back, and the find box.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "framework/Dpi.h"
#include "framework/Picture.h"
#include "library/FindBox.h"
#include "resources/resource.h"
#include "skin/Artwork.h"
#include "skin/TextPlaces.h"
#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"
#include "utils/DisplayScale.h"
#include "utils/HandOffRules.h"

using namespace testing_support;

namespace {

constexpr UINT kDpiChanged = 0x02E0;       // WM_DPICHANGED
constexpr UINT kGetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE

int Width(const RECT& rect) { return rect.right - rect.left; }

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

// Widths as the library checker measures them.
int Measure(HFONT font, const std::wstring& text, bool label)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    const int width = text_places::TextWidth(dc, font, text, !label);
    ::DeleteDC(dc);
    return width;
}

Pixels PixelsOf(HBITMAP bitmap, int width, int height)
{
    return Render(width, height, [&](HDC hdc) {
        HDC memory = ::CreateCompatibleDC(hdc);
        const HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(hdc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    });
}

int Differing(const Pixels& a, const Pixels& b)
{
    if (a.width != b.width || a.height != b.height)
        return a.width * a.height;
    int count = 0;
    for (size_t i = 0; i < a.data.size(); ++i)
        count += a.data[i] != b.data[i];
    return count;
}

std::wstring ListItemText(HWND list, int index)
{
    wchar_t text[128] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 128;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

// Items whose label the list shows cut: the whole name, wrapped as a label
// wraps, needs more room than the list gives the label.
int CutLabels(HWND list)
{
    HDC dc = ::GetDC(list);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    int cut = 0;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const std::wstring text = ListItemText(list, i);
        RECT label{LVIR_LABEL, 0, 0, 0};
        ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&label));
        RECT needed{0, 0, Width(label), 0};
        ::DrawTextW(dc, text.c_str(), -1, &needed,
                    DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX | DT_EDITCONTROL);
        cut += needed.bottom - needed.top > label.bottom - label.top || Width(needed) > Width(label);
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    return cut;
}

// The display's DPI as the test's prefix sets it, 96 where it sets none;
// read apart from the program, which sees 96 unless it declares itself
// DPI-aware.
int DisplayDpi()
{
    DWORD dpi = 0;
    DWORD size = sizeof dpi;
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", RRF_RT_REG_DWORD, nullptr, &dpi,
                       &size) != ERROR_SUCCESS ||
        dpi == 0)
        return utils::kDesignDpi;
    return static_cast<int>(dpi);
}

class DisplayScaleTest : public PanelFixture {
protected:
    void SetUp() override { InstallSample(); }

    int S(int value) const { return utils::ScaleToDpi(value, m_dpi); }

    MaterialDialog& OpenFor(const std::wstring& model, const std::wstring& language)
    {
        m_model = model;
        WriteHandOff(model, language);
        MaterialDialog& dialog = Open();
        m_catcher.Clear();
        return dialog;
    }

    std::vector<HWND> VisibleControls()
    {
        std::vector<HWND> controls;
        for (HWND child = ::GetWindow(Dialog().Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (::IsWindowVisible(child))
                controls.push_back(child);
        return controls;
    }

    // The material list as it would be at 96 dpi, beside the real one: the
    // same styles, items, spacing and picture size, and its font (the
    // template's points) at 96 dpi.
    int CutLabelsAtDesignScale(HWND list)
    {
        const RECT place =
            fw::TemplateItemRect(IDD_MATERIAL_MANAGER, IDC_MATERIAL_LIST, text_places::kPixelsPerDialogUnit)
                .value_or(RECT{});
        HWND twin = ::CreateWindowExW(static_cast<DWORD>(::GetWindowLongPtrW(list, GWL_EXSTYLE)), WC_LISTVIEWW, L"",
                                      static_cast<DWORD>(::GetWindowLongPtrW(list, GWL_STYLE)) & ~WS_VISIBLE,
                                      place.left, place.top, Width(place), place.bottom - place.top, Dialog().Hwnd(),
                                      nullptr, ::GetModuleHandleW(nullptr), nullptr);
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)), sizeof font, &font);
        font.lfHeight = -::MulDiv(::MulDiv(-font.lfHeight, 72, m_dpi), 96, 72);
        const HFONT designFont = ::CreateFontIndirectW(&font);
        ::SendMessageW(twin, WM_SETFONT, reinterpret_cast<WPARAM>(designFont), FALSE);
        HIMAGELIST pictures = ::ImageList_Create(85, 70, ILC_COLOR24, 1, 1);
        ::SendMessageW(twin, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(pictures));
        ::SendMessageW(twin, LVM_SETICONSPACING, 0, MAKELPARAM(110, 100));
        const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring text = ListItemText(list, i);
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_IMAGE;
            item.iItem = i;
            item.pszText = text.data();
            ::SendMessageW(twin, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        const int cut = CutLabels(twin);
        ::DestroyWindow(twin);
        ::ImageList_Destroy(pictures);
        ::DeleteObject(designFont);
        return cut;
    }

    const int m_dpi = DisplayDpi();
};

TEST_F(DisplayScaleTest, WindowControlsAndPointerFollowTheScale)
{
    // Declared to Windows, which would otherwise stretch the window as a
    // bitmap (Wine does not, so only the declaration can be read here).
    HRSRC manifest = ::FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const std::string declared(static_cast<const char*>(::LockResource(::LoadResource(nullptr, manifest))),
                               ::SizeofResource(nullptr, manifest));
    EXPECT_NE(declared.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(declared.find(">true/pm</dpiAware>"), std::string::npos);

    MaterialDialog& dialog = OpenFor(L"R250", L"English");
    // Drawn for the display by the program, not stretched by the system.
    EXPECT_EQ(dialog.Dpi(), m_dpi);
    RECT window{};
    ::GetWindowRect(dialog.Hwnd(), &window);
    EXPECT_EQ(Width(window), S(600));
    EXPECT_EQ(window.bottom - window.top, S(400));

    // Wood's first material loaded: every control and command is live.
    ChooseSlot(6);
    ClickItem(L"Birch plywood");
    PumpMessages(50);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(dialog.Hwnd(), region), ERROR);
    EXPECT_FALSE(::PtInRegion(region, 0, 0));
    EXPECT_FALSE(::PtInRegion(region, S(600) - 1, 0));
    EXPECT_TRUE(::PtInRegion(region, S(600) - 2, S(400) - 2)) << "the square corner";
    const std::vector<HWND> controls = VisibleControls();
    EXPECT_EQ(controls.size(), 3u + 8u + 1u + 3u + 2u) << "group and category buttons, list, edits, combo boxes";
    for (HWND control : controls) {
        const int id = ::GetDlgCtrlID(control);
        RECT rect{};
        ::GetWindowRect(control, &rect);
        const POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::OffsetRect(&rect, -window.left, -window.top);
        for (const POINT corner : {POINT{rect.left, rect.top}, POINT{rect.right - 1, rect.top},
                                   POINT{rect.left, rect.bottom - 1}, POINT{rect.right - 1, rect.bottom - 1}})
            EXPECT_TRUE(::PtInRegion(region, corner.x, corner.y)) << "control " << id << " outside the outline";
        EXPECT_EQ(::WindowFromPoint(middle), control) << "a click in the middle of control " << id;
    }
    ::DeleteObject(region);

    // The painted commands take the pointer in the middle of their places.
    for (const auto& [area, code] : {std::pair{MaterialDialog::kCancelArea, HoverArea::Cancel},
                                     std::pair{MaterialDialog::kSaveAsArea, HoverArea::SaveAs},
                                     std::pair{MaterialDialog::kAcceptArea, HoverArea::Accept}}) {
        EnterArea(dialog.ScaleRect(area));
        EXPECT_EQ(Inspect(dialog).m_hoverArea, code) << static_cast<int>(code);
    }
}

TEST_F(DisplayScaleTest, TextsThatFitAtTheDesignScaleFitAtThisScale)
{
    if (m_dpi == utils::kDesignDpi)
        GTEST_SKIP() << "at the design scale there is nothing to compare with";
    const fw::Font heading = text_places::CreateSkinFont(text_places::kHeadingFace, utils::kDesignDpi);
    const fw::Font panel = text_places::CreateSkinFont(text_places::kPanelFace, utils::kDesignDpi);
    const fw::Font caption = text_places::CreateCaptionFont(utils::kDesignDpi);
    std::vector<std::pair<text_places::LabelRow, bool>> labels; // true: in the heading face
    for (const text_places::LabelRow& row : text_places::kHeadings)
        labels.push_back({row, true});
    for (const text_places::LabelRow& row :
         {text_places::LabelRow{text_places::kAcceptLabelEntry, MaterialDialog::kAcceptLabel},
          text_places::LabelRow{text_places::kSaveAsLabelEntry, MaterialDialog::kSaveAsLabel},
          text_places::LabelRow{text_places::kCancelLabelEntry, MaterialDialog::kCancelLabel}})
        labels.push_back({row, true});
    for (const text_places::LabelRow& row : text_places::kPanelRows)
        labels.push_back({row, false});
    int measured = 0;
    const auto expectFits = [&](const std::wstring& text, bool fitsAtDesign, int width, int room,
                                const std::wstring& where) {
        ++measured;
        if (fitsAtDesign) {
            EXPECT_LE(width, room) << testing::PrintToString(text) << " " << testing::PrintToString(where);
        }
    };

    for (const wchar_t* model : {L"R250", L"VTE"}) {
        MaterialDialog& dialog = OpenFor(model, L"English");
        Render(S(600), S(400), [&](HDC hdc) { dialog.PaintClient(hdc); });
        // Each language's texts, as a start with that language reads them.
        for (const wchar_t* language : utils::kAcceptedLanguages) {
            dialog.LoadLanguageTables(language);
            const std::wstring where = std::wstring(model) + L" " + language;
            for (const auto& [row, inHeading] : labels) {
                const std::wstring& text = Inspect(dialog).m_panelLabels.at(static_cast<size_t>(row.entry));
                const HFONT shown = (inHeading ? Inspect(dialog).m_skin.heading : Inspect(dialog).m_skin.panel).Get();
                expectFits(text, Measure((inHeading ? heading : panel).Get(), text, true) <= Width(row.rect),
                           Measure(shown, text, true), Width(dialog.ScaleRect(row.rect)), where);
            }
            const int groupRoom = Width(text_places::CaptionFace(text_places::GroupButtonRect(utils::kDesignDpi)));
            const int slotRoom = Width(text_places::CaptionFace(
                RECT{0, 0, text_places::kCategoryColumnWidth, text_places::kCategoryRowHeight}));
            for (int group = 1; group <= (dialog.IsR250() ? 3 : 1); ++group) {
                dialog.ApplyGroupCaptions(group);
                for (HWND button : VisibleControls()) {
                    const int id = ::GetDlgCtrlID(button);
                    const bool groupButton = id == IDC_GROUP1 || id == IDC_GROUP2 || id == IDC_GROUP3;
                    const std::wstring text = TextOf(button);
                    if (!dialog.ButtonFor(button) || text.empty())
                        continue;
                    RECT face{};
                    ::GetClientRect(button, &face);
                    face = text_places::CaptionFace(face);
                    const auto font = reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0));
                    expectFits(text, Measure(caption.Get(), text, false) <= (groupButton ? groupRoom : slotRoom),
                               Measure(font, text, false), Width(face), where);
                }
            }
        }
    }
    EXPECT_GT(measured, 7 * 2 * 13);
}

TEST_F(DisplayScaleTest, ListLabelsAreCutNoMoreThanAtTheDesignScale)
{
    if (m_dpi == utils::kDesignDpi)
        GTEST_SKIP() << "at the design scale there is nothing to compare with";
    for (const wchar_t* model : {L"R250", L"VTE"}) {
        MaterialDialog& dialog = OpenFor(model, L"English");
        for (int group = 1; group <= (dialog.IsR250() ? 3 : 1); ++group) {
            ChooseGroup(group);
            for (int slot = 0; slot + 1 < Inspect(dialog).m_categoryCount[group - 1]; ++slot) {
                ChooseSlot(slot);
                HWND list = Item(IDC_MATERIAL_LIST);
                ASSERT_GT(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
                EXPECT_LE(CutLabels(list), CutLabelsAtDesignScale(list))
                    << testing::PrintToString(std::wstring(model)) << " group " << group << " slot " << slot;
            }
        }
    }
}

TEST_F(DisplayScaleTest, SkinAndPicturesAreTheArtworkOfTheScale)
{
    MaterialDialog& dialog = OpenFor(L"R250", L"English");
    // The window image as it is stored for this scale, drawn for it, not
    // scaled from another (every DPI the fixture runs at has a set).
    const utils::ArtChoice choice = utils::ChooseArt(m_dpi);
    ASSERT_FALSE(choice.resample);
    const std::optional<utils::PixelImage> set =
        choice.percent == 100
            ? std::nullopt
            : fw::PictureDecoder().Decode(L"PNG", artwork::SetResourceId(IDB_WINDOW_IMAGE, choice.percent));
    const fw::Bitmap image =
        set ? fw::BitmapOf(*set)
            : fw::Bitmap(::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_WINDOW_IMAGE)));
    const Pixels art = PixelsOf(image.Get(), S(600), S(400));

    // The client shows the image from the scaled origin, and each label is
    // drawn in the middle of its scaled place.
    const Pixels painted = Render(S(600), S(400), [&](HDC hdc) { dialog.PaintClient(hdc); });
    const POINT origin = dialog.ScalePoint(POINT{3, 30});
    const auto ink = [&](int x, int y) { return painted.At(x, y) != art.At(x + origin.x, y + origin.y); };
    std::vector<RECT> labels{MaterialDialog::kAcceptLabel, MaterialDialog::kSaveAsLabel, MaterialDialog::kCancelLabel,
                             RECT{470, 338, 580, 400}};
    for (const auto& rows : {std::span<const text_places::LabelRow>(text_places::kHeadings),
                             std::span<const text_places::LabelRow>(text_places::kPanelRows)})
        for (const text_places::LabelRow& row : rows)
            labels.push_back(row.rect);
    int background = 0;
    for (int y = 0; y < S(400) - origin.y; y += 3)
        for (int x = 0; x < S(596); x += 3)
            if (std::none_of(labels.begin(), labels.end(), [&](const RECT& label) {
                    const RECT place = dialog.ScaleRect(label);
                    return ::PtInRect(&place, POINT{x, y});
                }))
                background += ink(x, y);
    EXPECT_EQ(background, 0) << "pixels of the background that differ from the image";
    for (const RECT& label : labels) {
        const RECT place = dialog.ScaleRect(label);
        RECT inked{place.right, place.bottom, place.left, place.top};
        for (int y = place.top; y < std::min<int>(place.bottom, S(400) - origin.y); ++y)
            for (int x = place.left; x < place.right; ++x)
                if (ink(x, y))
                    inked = RECT{std::min<int>(inked.left, x), std::min<int>(inked.top, y),
                                 std::max<int>(inked.right, x + 1), std::max<int>(inked.bottom, y + 1)};
        ASSERT_LT(inked.left, inked.right) << "nothing drawn at " << label.left << "," << label.top;
        EXPECT_LE(std::abs((inked.left + inked.right) - (place.left + place.right)), S(4))
            << "label at " << label.left << "," << label.top << " is off the middle of its place";
    }

    // The list's pictures at the scale, on the scaled spacing, every second
    // one shifted left.
    ChooseSlot(5);
    HWND list = Item(IDC_MATERIAL_LIST);
    const auto pictures = reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    int cx = 0, cy = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(pictures, &cx, &cy));
    EXPECT_EQ(cx, S(85));
    EXPECT_EQ(cy, S(70));
    const fw::Bitmap first = artwork::ArtLoader(m_dpi).Load(IDB_PIC_PUZZLE, artwork::kPictureSize, true);
    const Pixels drawn = Render(cx, cy, [&](HDC hdc) { ::ImageList_Draw(pictures, 0, hdc, 0, 0, ILD_NORMAL); });
    EXPECT_LT(Differing(drawn, PixelsOf(first.Get(), cx, cy)), cx * cy / 20) << "picture 0 is the puzzle";
    // The same grid after a category of two, whatever scroll bar the four
    // before it needed, and after the four again.
    for (const int slot : {5, 1, 5}) {
        ChooseSlot(slot);
        POINT at[3] = {};
        for (int i = 0; i < 3; ++i)
            ::SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&at[i]));
        EXPECT_EQ(at[1].x - at[0].x, S(110) + S(-4)) << "slot " << slot;
        EXPECT_EQ(at[1].y, at[0].y) << "slot " << slot;
        if (slot == 5) {
            EXPECT_EQ(at[2].x, at[0].x);
            EXPECT_EQ(at[2].y - at[0].y, S(100));
        }
    }
}

TEST_F(DisplayScaleTest, MovingToAnotherDpiRebuildsTheWindowAndBackRestoresIt)
{
    MaterialDialog& dialog = OpenFor(L"R250", L"English");
    // The category column stands where the animation puts it.
    ChooseGroup(2);
    ChooseSlot(5);
    ClickItem(L"Copy paper");
    PumpMessages(50);
    RECT home{};
    ::GetWindowRect(dialog.Hwnd(), &home);
    const Pixels before = CaptureWindow(dialog.Hwnd());

    const int other = m_dpi == 144 ? 192 : 144;
    const auto at = [other](int value) { return utils::ScaleToDpi(value, other); };
    SIZE asked{10, 10};
    EXPECT_TRUE(
        ::SendMessageW(dialog.Hwnd(), kGetDpiScaledSize, static_cast<WPARAM>(other), reinterpret_cast<LPARAM>(&asked)));
    EXPECT_EQ(asked.cx, at(600));
    EXPECT_EQ(asked.cy, at(400));
    // The system's proposal of a place; its size is the dialog's own.
    RECT suggested{40, 30, 40 + at(600) + 3, 30 + at(400) + 1};
    ::SendMessageW(dialog.Hwnd(), kDpiChanged, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages(50);
    EXPECT_EQ(dialog.Dpi(), other);
    RECT moved{};
    ::GetWindowRect(dialog.Hwnd(), &moved);
    EXPECT_EQ(moved.left, 40);
    EXPECT_EQ(moved.top, 30);
    EXPECT_EQ(Width(moved), at(600));
    EXPECT_EQ(moved.bottom - moved.top, at(400));
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(dialog.Hwnd(), region), ERROR);
    EXPECT_TRUE(::PtInRegion(region, at(600) - 2, at(400) - 2));
    ::DeleteObject(region);
    // Controls, column, fonts and pictures of the new DPI.
    const auto childRect = [&](int id) {
        RECT rect{};
        ::GetWindowRect(Item(id), &rect);
        ::MapWindowPoints(nullptr, dialog.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    const RECT list = childRect(IDC_MATERIAL_LIST);
    const RECT listAt96 =
        fw::TemplateItemRect(IDD_MATERIAL_MANAGER, IDC_MATERIAL_LIST, text_places::kPixelsPerDialogUnit)
            .value_or(RECT{});
    EXPECT_EQ(list.left, at(listAt96.left));
    EXPECT_EQ(Width(list), at(listAt96.right) - at(listAt96.left));
    const RECT slot5 = childRect(IDC_SLOT5);
    EXPECT_EQ(slot5.top, at(99 + 24 * 5));
    EXPECT_EQ(slot5.bottom, at(99 + 24 * 6));
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Item(IDC_SLOT5), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, at(14)) << "the caption font";
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Item(IDC_SPEED), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -::MulDiv(8, other, 72)) << "the template's 8 points";
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(
        reinterpret_cast<HIMAGELIST>(::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_GETIMAGELIST, LVSIL_NORMAL, 0)), &cx,
        &cy);
    EXPECT_EQ(cx, at(85));
    EXPECT_EQ(Inspect(dialog).m_materialFilePath.empty(), false) << "the loaded material stays";
    EnterArea(dialog.ScaleRect(MaterialDialog::kAcceptArea));
    EXPECT_EQ(Inspect(dialog).m_hoverArea, HoverArea::Accept);
    EnterArea(dialog.ScaleRect(MaterialDialog::kCancelArea));
    MoveTo({5, 5});

    // Back on the first monitor, the window is what it was, to the pixel.
    ::SendMessageW(dialog.Hwnd(), kDpiChanged, MAKEWPARAM(m_dpi, m_dpi), reinterpret_cast<LPARAM>(&home));
    PumpMessages(50);
    RECT back{};
    ::GetWindowRect(dialog.Hwnd(), &back);
    EXPECT_TRUE(::EqualRect(&back, &home));
    EXPECT_EQ(Differing(CaptureWindow(dialog.Hwnd()), before), 0);
}

TEST_F(DisplayScaleTest, TheFindBoxFollowsTheScaleAndAMoveToAnotherDpi)
{
    MaterialDialog& dialog = OpenFor(L"R250", L"English");
    const FindBox& box = Inspect(dialog).m_findBox;
    ::SendMessageW(dialog.Hwnd(), MaterialDialog::kFindKeyMessage, 0, 0);
    for (const wchar_t c : std::wstring(L"bl"))
        ::SendMessageW(box.EditHwnd(), WM_CHAR, c, 1);
    ::SendMessageW(box.EditHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    PumpMessages(50);
    ASSERT_GT(box.Rows().size(), 2u);

    const auto check = [&](int dpi) {
        SCOPED_TRACE(dpi);
        const auto at = [dpi](int value) { return utils::ScaleToDpi(value, dpi); };
        EXPECT_TRUE(box.IsOpen());
        EXPECT_EQ(::GetFocus(), box.EditHwnd());
        RECT place{};
        ::GetWindowRect(box.Hwnd(), &place);
        ::MapWindowPoints(nullptr, dialog.Hwnd(), reinterpret_cast<POINT*>(&place), 2);
        const RECT expected = fw::ScaleRect(kFindBoxGeometry.box, dpi);
        EXPECT_TRUE(::EqualRect(&place, &expected))
            << place.left << "," << place.top << "," << place.right << "," << place.bottom;
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        ::GetWindowRgn(dialog.Hwnd(), region);
        EXPECT_TRUE(::PtInRegion(region, place.left, place.top) &&
                    ::PtInRegion(region, place.right - 1, place.bottom - 1))
            << "inside the outline";
        ::DeleteObject(region);
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(box.EditHwnd(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, at(14)) << "the caption font";
        RECT edit{};
        ::GetClientRect(box.EditHwnd(), &edit);
        HDC dc = ::GetDC(box.EditHwnd());
        const HGDIOBJ old =
            ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(box.EditHwnd(), WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        ::SelectObject(dc, old);
        ::ReleaseDC(box.EditHwnd(), dc);
        EXPECT_GE(edit.bottom, metrics.tmHeight) << "the typed text is not cut";
        EXPECT_EQ(::SendMessageW(box.ResultsHwnd(), LB_GETITEMHEIGHT, 0, 0), at(40));
        for (const FoundRow& row : box.Rows()) {
            int cx = 0, cy = 0;
            EXPECT_TRUE(::ImageList_GetIconSize(row.pictures, &cx, &cy) && cx == at(85) &&
                        row.picture < ::ImageList_GetImageCount(row.pictures))
                << "the pictures of this scale: " << cx;
        }
        EXPECT_EQ(box.SelectedRow(), 1) << "the row chosen with Down";
    };
    check(m_dpi);
    const int other = m_dpi == 144 ? 192 : 144;
    RECT suggested{40, 30, 40 + utils::ScaleToDpi(600, other), 30 + utils::ScaleToDpi(400, other)};
    ::SendMessageW(dialog.Hwnd(), kDpiChanged, MAKEWPARAM(other, other), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages(50);
    check(other);
    EXPECT_EQ(TextOf(box.EditHwnd()), L"bl");
}

} // namespace

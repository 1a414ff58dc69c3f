#include "dialog/MaterialDialog.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <span>

#include "skin/Artwork.h"
#include "skin/PictureTables.h"
#include "utils/SplitString.h"

namespace {

constexpr SIZE kWindowSize{600, 400};

// The window outline as x,y pairs in window coordinates at 96 dpi, kept as
// two texts: a rounded top-left corner, a slightly rounded bottom-left one,
// a square bottom-right and a rounded top-right corner.
constexpr char kOutlineFirst[] = "11,1,7,3,2,8,1,10,1,392,2,397,3,399,599,400,600,6,598,4";
constexpr char kOutlineSecond[] = ",595,2,593,2,11,1";

std::wstring Widen(const char* text)
{
    std::wstring wide;
    for (; *text; ++text)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
    return wide;
}

std::vector<POINT> OutlinePoints(int dpi)
{
    std::vector<std::wstring> pieces;
    utils::SplitString(pieces, Widen(kOutlineFirst) + Widen(kOutlineSecond), L",");
    std::vector<POINT> points(pieces.size() / 2);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = fw::ScalePoint(POINT{_wtoi(pieces[2 * i].c_str()), _wtoi(pieces[2 * i + 1].c_str())}, dpi);
    return points;
}

HRGN CreateOutlineRegion(const std::vector<POINT>& points)
{
    return ::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}

// A list for the pictures at the DPI, made whole: a list that grows copies
// all its pictures each time.
fw::ImageList MakePictureList(std::span<const int> ids, int dpi)
{
    fw::ImageList list;
    list.Create(utils::ScaleToDpi(artwork::kPictureCell.cx, dpi), utils::ScaleToDpi(artwork::kPictureCell.cy, dpi),
                ILC_COLOR24, static_cast<int>(ids.size()), 2);
    artwork::ArtLoader art(dpi);
    // The list copies each picture, so one that stands in it many times (the
    // custom picture, 24 of the 33 of the one-group models) is loaded once.
    std::map<int, fw::Bitmap> loaded;
    for (int id : ids) {
        const auto [picture, first] = loaded.try_emplace(id);
        if (first)
            picture->second = art.Load(id, artwork::kPictureSize, true);
        // A picture that fails to load gives a null handle: the list takes no
        // image for it and the later pictures move up by one.
        list.AddMasked(picture->second.Get(), artwork::kPictureMask);
    }
    return list;
}

} // namespace

std::optional<SIZE> MaterialDialog::WindowSizeAt(int dpi) const
{
    return SIZE{utils::ScaleToDpi(kWindowSize.cx, dpi), utils::ScaleToDpi(kWindowSize.cy, dpi)};
}

void MaterialDialog::ShapeWindow()
{
    const SIZE size = *WindowSizeAt(Dpi());
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    ::MoveWindow(m_hWnd, screenWidth / 2 - size.cx / 2, screenHeight / 2 - size.cy / 2, size.cx, size.cy, TRUE);
    ApplyOutline();
}

void MaterialDialog::ApplyOutline()
{
    const std::vector<POINT> points = OutlinePoints(Dpi());
    // The system owns and frees the region handed to SetWindowRgn, so it gets
    // a region of its own and the dialog keeps its copy.
    m_rgnWindow.Reset(CreateOutlineRegion(points));
    if (HRGN systemCopy = CreateOutlineRegion(points)) {
        if (!::SetWindowRgn(m_hWnd, systemCopy, TRUE))
            ::DeleteObject(systemCopy);
    }
}

void MaterialDialog::BuildPictureLists()
{
    ShapeWindow();
    // Each list is made when its materials are first shown: start-up decodes
    // no picture.
    for (fw::ImageList* list : {&m_imageListGroup1, &m_imageListGroup2, &m_imageListGroup3, &m_imageListCustom})
        list->Reset();
}

const fw::ImageList& MaterialDialog::GroupPictureList(int group)
{
    fw::ImageList* lists[3] = {&m_imageListGroup1, &m_imageListGroup2, &m_imageListGroup3};
    group = std::clamp(group, 1, 3);
    fw::ImageList& list = *lists[group - 1];
    if (!list.Get())
        list = MakePictureList(pictures::GroupPictures(IsR250(), group), Dpi());
    return list;
}

const fw::ImageList& MaterialDialog::CustomPictureList()
{
    if (!m_imageListCustom.Get())
        m_imageListCustom = MakePictureList(pictures::kCustomize, Dpi());
    return m_imageListCustom;
}

void MaterialDialog::OnDpiChanged()
{
    // The controls stand at their template places at the new DPI; the rest
    // of the window follows it here.
    ApplyOutline();
    m_skin = Skin{};
    SetCaptionFont();
    if (m_columnPlaced)
        MoveCategoryButtons();
    RelayMaterialList();
    RelayFindBox();
    m_commandTips.Hide();
    m_itemTips.Hide();
}

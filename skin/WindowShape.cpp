#include "dialog/MaterialDialog.h"

#include <cstdlib>
#include <span>

#include "skin/PictureTables.h"
#include "utils/SplitString.h"

namespace {

constexpr int kWindowWidth = 600;
constexpr int kWindowHeight = 400;

// The window outline as x,y pairs in window coordinates, kept as two texts:
// a rounded top-left corner, a slightly rounded bottom-left one, a square
// bottom-right and a rounded top-right corner.
constexpr char kOutlineFirst[] = "11,1,7,3,2,8,1,10,1,392,2,397,3,399,599,400,600,6,598,4";
constexpr char kOutlineSecond[] = ",595,2,593,2,11,1";

constexpr COLORREF kPictureMask = RGB(23, 111, 222);
constexpr int kPictureWidth = 85;
constexpr int kPictureHeight = 70;

std::wstring Widen(const char* text)
{
    std::wstring wide;
    for (; *text; ++text)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
    return wide;
}

std::vector<POINT> OutlinePoints()
{
    std::vector<std::wstring> pieces;
    utils::SplitString(pieces, Widen(kOutlineFirst) + Widen(kOutlineSecond), L",");
    std::vector<POINT> points(pieces.size() / 2);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = POINT{_wtoi(pieces[2 * i].c_str()), _wtoi(pieces[2 * i + 1].c_str())};
    return points;
}

HRGN CreateOutlineRegion(const std::vector<POINT>& points)
{
    return ::CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING);
}

void AddPictures(fw::ImageList& list, std::span<const int> ids)
{
    // Room for every picture from the start: a list that grows copies all
    // its pictures each time.
    list.Create(kPictureWidth, kPictureHeight, ILC_COLOR24, static_cast<int>(ids.size()), 2);
    for (int id : ids) {
        // A picture that fails to load gives a null handle: the list takes no
        // image for it and the later pictures move up by one.
        fw::Bitmap picture(::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
        list.AddMasked(picture.Get(), kPictureMask);
    }
}

} // namespace

void MaterialDialog::ShapeWindow()
{
    const std::vector<POINT> points = OutlinePoints();

    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    ::MoveWindow(m_hWnd, screenWidth / 2 - kWindowWidth / 2, screenHeight / 2 - kWindowHeight / 2, kWindowWidth,
                 kWindowHeight, TRUE);

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

    fw::ImageList* lists[3] = {&m_imageListGroup1, &m_imageListGroup2, &m_imageListGroup3};
    for (int group = 1; group <= 3; ++group)
        AddPictures(*lists[group - 1], pictures::GroupPictures(IsR250(), group));
    AddPictures(m_imageListCustom, pictures::kCustomize);
}

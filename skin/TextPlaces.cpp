#include "skin/TextPlaces.h"

#include "framework/Dialog.h"
#include "resources/resource.h"

namespace text_places {

fw::Font CreateSkinFont(const wchar_t* face)
{
    return fw::Font(::CreateFontW(16, 8, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face));
}

fw::Font CreateCaptionFont()
{
    return fw::Font(
        ::CreateFontW(14, 8, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0, 0, FIXED_PITCH | FF_MODERN, kCaptionFace));
}

RECT CaptionFace(RECT button)
{
    ::InflateRect(&button, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
    return button;
}

RECT GroupButtonRect()
{
    return fw::TemplateItemRect(IDD_MATERIAL_MANAGER, IDC_GROUP1, kPixelsPerDialogUnit).value_or(RECT{});
}

} // namespace text_places

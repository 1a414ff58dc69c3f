#include "skin/TextPlaces.h"

#include "framework/Dialog.h"
#include "framework/Dpi.h"
#include "resources/resource.h"

namespace text_places {

fw::Font CreateSkinFont(const wchar_t* face, int dpi)
{
    return fw::Font(::CreateFontW(fw::ScaleToDpi(16, dpi), fw::ScaleToDpi(8, dpi), 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  FIXED_PITCH | FF_MODERN, face));
}

fw::Font CreateCaptionFont(int dpi)
{
    return fw::Font(::CreateFontW(fw::ScaleToDpi(14, dpi), fw::ScaleToDpi(8, dpi), 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  0, 0, 0, 0, FIXED_PITCH | FF_MODERN, kCaptionFace));
}

int TextWidth(HDC hdc, HFONT font, const std::wstring& text, bool caption)
{
    fw::SelectScope scope(hdc, font);
    if (caption) {
        SIZE extent{};
        ::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &extent);
        return extent.cx;
    }
    RECT rect{};
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rect, kLabelFormat | DT_CALCRECT);
    return rect.right - rect.left;
}

RECT CaptionFace(RECT button)
{
    ::InflateRect(&button, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
    return button;
}

RECT GroupButtonRect(int dpi)
{
    return fw::TemplateItemRect(IDD_MATERIAL_MANAGER, IDC_GROUP1, kPixelsPerDialogUnit, dpi).value_or(RECT{});
}

} // namespace text_places

#include "dialog/MaterialDialog.h"

#include "resources/resource.h"
#include "skin/Artwork.h"
#include "skin/TextPlaces.h"

namespace {

using text_places::kLabelBlue;
using text_places::kLabelGrey;
using text_places::kVersionGrey;

constexpr wchar_t kVersion[] = L"Ver_1.02-04";

// Client point (0,0) shows this point of the window image; above it lies the
// caption strip. Like every place here, at 96 dpi.
constexpr POINT kClientImageOrigin{3, 30};
constexpr SIZE kCaptionStrip{597, 29};
// Larger than any client area, so one blit covers all of it.
constexpr SIZE kBackgroundExtent{1400, 1000};

using text_places::CreateSkinFont;
using text_places::kAcceptLabelEntry;
using text_places::kCancelLabelEntry;
using text_places::kHeadings;
using text_places::kPanelRows;
using text_places::kSaveAsLabelEntry;
using text_places::LabelRow;

constexpr RECT kVersionRect{470, 338, 580, 488};

void DrawCentred(HDC hdc, const std::wstring& text, RECT rect)
{
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rect, text_places::kLabelFormat);
}

} // namespace

void MaterialDialog::OnPaint()
{
    fw::PaintDC dc(m_hWnd);
    if (!::IsIconic(m_hWnd)) {
        PaintClient(dc.Get());
        return;
    }
    ::SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(dc.Get(), x, y, m_hIcon);
}

void MaterialDialog::PaintClient(HDC hdc)
{
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, kLabelBlue);
    const Skin& skin = LoadedSkin();
    {
        fw::MemoryDC memory(hdc);
        fw::SelectScope imageInMemory(memory.Get(), skin.image.Get());
        const POINT origin = ScalePoint(kClientImageOrigin);
        ::BitBlt(hdc, 0, 0, Scale(kBackgroundExtent.cx), Scale(kBackgroundExtent.cy), memory.Get(), origin.x, origin.y,
                 SRCCOPY);
    }

    // The painter runs before the language tables are complete only in
    // unusual set-ups; an entry that is not there is simply not drawn.
    auto draw = [&](int entry, const RECT& rect) {
        if (entry >= 0 && static_cast<size_t>(entry) < m_panelLabels.size())
            DrawCentred(hdc, m_panelLabels[static_cast<size_t>(entry)], ScaleRect(rect));
    };

    {
        fw::SelectScope headingFont(hdc, skin.heading.Get());
        for (const LabelRow& row : kHeadings)
            draw(row.entry, row.rect);
        ::SetTextColor(hdc, m_bMaterialShown && m_bParamsUnchanged ? kLabelBlue : kLabelGrey);
        draw(kAcceptLabelEntry, kAcceptLabel);
        ::SetTextColor(hdc, m_bMaterialShown ? kLabelBlue : kLabelGrey);
        draw(kSaveAsLabelEntry, kSaveAsLabel);
        ::SetTextColor(hdc, kLabelBlue);
        draw(kCancelLabelEntry, kCancelLabel);

        fw::SelectScope plainFont(hdc, skin.panel.Get());
        for (const LabelRow& row : kPanelRows)
            draw(row.entry, row.rect);
        ::SetTextColor(hdc, kVersionGrey);
        DrawCentred(hdc, kVersion, ScaleRect(kVersionRect));
    }
}

LRESULT MaterialDialog::OnCaptionStrip(UINT msg, WPARAM w, LPARAM l)
{
    // The system paints its frame and caption (or carries out the activation
    // change) first; the strip then goes over it.
    ::DefWindowProcW(m_hWnd, msg, w, l);
    {
        fw::WindowDC windowDc(m_hWnd);
        if (windowDc.Get())
            PaintCaptionStrip(windowDc.Get());
    }
    // Non-zero for WM_NCACTIVATE, so no activation change is ever refused.
    return msg;
}

void MaterialDialog::PaintCaptionStrip(HDC windowDc)
{
    fw::MemoryDC memory(windowDc);
    fw::SelectScope imageInMemory(memory.Get(), LoadedSkin().image.Get());
    ::BitBlt(windowDc, 0, 0, Scale(kCaptionStrip.cx), Scale(kCaptionStrip.cy), memory.Get(), 0, 0, SRCCOPY);
}

const MaterialDialog::Skin& MaterialDialog::LoadedSkin()
{
    // Made at the first paint and kept until the DPI changes: loading the
    // window's image and making its fonts for every paint made each frame of
    // the category column's animation cost most of the timer's period.
    if (!m_skin.image) {
        m_skin.image = artwork::ArtLoader(Dpi()).Load(IDB_WINDOW_IMAGE, artwork::kWindowImageSize, false);
        m_skin.heading = CreateSkinFont(text_places::kHeadingFace, Dpi());
        m_skin.panel = CreateSkinFont(text_places::kPanelFace, Dpi());
    }
    return m_skin;
}

void MaterialDialog::SetMaterialShown(BYTE shown)
{
    m_bMaterialShown = shown;
    m_bParamsUnchanged = shown;
    m_changedParams = 0;
    InvalidateLabel(kAcceptLabel);
    InvalidateLabel(kSaveAsLabel);
}

void MaterialDialog::TrackParameterChange(ParamChange change)
{
    // One bit per panel value, set while it differs from the loaded one.
    const auto bit = 1u << (static_cast<unsigned>(change) - 1);
    bool differs = false;
    switch (change) {
    case ParamChange::MarkMode:
        differs = m_comboMarkMode.GetCurSel() != m_loadedMarkMode;
        break;
    case ParamChange::Speed:
        differs = m_speedValue != m_loadedSpeed;
        break;
    case ParamChange::Power:
        differs = m_powerValue != m_loadedPower;
        break;
    case ParamChange::Ppi:
        differs = m_ppiValue != m_loadedPpi;
        break;
    case ParamChange::Resolution:
        differs = m_comboResolution.GetCurSel() != m_loadedResolution;
        break;
    }
    m_changedParams = differs ? m_changedParams | bit : m_changedParams & ~bit;
    m_bParamsUnchanged = m_changedParams == 0 ? 1 : 0;
    InvalidateLabel(kAcceptLabel);
}

void MaterialDialog::InvalidateLabel(const RECT& label) const
{
    const RECT rect = ScaleRect(label);
    ::InvalidateRect(m_hWnd, &rect, FALSE);
}

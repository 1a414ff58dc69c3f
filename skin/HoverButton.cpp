#include "skin/HoverButton.h"

#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "skin/TextPlaces.h"

void HoverButton::PreSubclassWindow()
{
    // Adding the owner-draw bits turns the template's push-like auto radio
    // buttons (type 9) into owner-drawn ones (type 11): no automatic radio
    // behaviour, and every repaint comes to DrawItem.
    ModifyStyle(0, BS_OWNERDRAW);
}

LRESULT HoverButton::HandleMessage(UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_TIMER:
        OnTimer();
        break;
    case WM_UPDATEUISTATE:
        OnUpdateUiState(w);
        break;
    default:
        break;
    }
    return Default(msg, w, l);
}

void HoverButton::OnMouseMove()
{
    if (!m_bHover) {
        m_bHover = TRUE;
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        ::SetTimer(m_hWnd, m_nTimerId, 100, nullptr);
    }
}

void HoverButton::OnTimer()
{
    const DWORD pos = ::GetMessagePos();
    POINT pt{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    ::ScreenToClient(m_hWnd, &pt);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (!::PtInRect(&client, pt)) {
        m_bHover = FALSE;
        ::KillTimer(m_hWnd, m_nTimerId);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

void HoverButton::OnUpdateUiState(WPARAM w)
{
    if (!(HIWORD(w) & UISF_HIDEFOCUS))
        return;
    bool cues = m_bFocusCues;
    if (LOWORD(w) == UIS_CLEAR)
        cues = true;
    else if (LOWORD(w) == UIS_SET)
        cues = false;
    if (cues == m_bFocusCues)
        return;
    m_bFocusCues = cues;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void HoverButton::DrawItem(const DRAWITEMSTRUCT& item)
{
    HDC hdc = item.hDC;
    RECT rc = item.rcItem;
    wchar_t caption[256] = {};
    ::GetWindowTextW(m_hWnd, caption, static_cast<int>(std::size(caption)));

    UINT frame = DFCS_BUTTONPUSH;
    if (item.itemState & ODS_SELECTED)
        frame |= DFCS_PUSHED;
    ::DrawFrameControl(hdc, &rc, DFC_BUTTON, frame);
    rc = text_places::CaptionFace(rc);

    if (m_bHover)
        fw::FillSolid(hdc, rc, kHoverYellow);
    // State set by the dialog, button held down or keyboard focus: blue wins.
    if (fw::Button(m_hWnd).GetState())
        fw::FillSolid(hdc, rc, kStateBlue);

    if ((item.itemState & ODS_FOCUS) && m_bFocusCues) {
        RECT focus = rc;
        ::InflateRect(&focus, -1, -1);
        ::DrawFocusRect(hdc, &focus);
    }

    if (caption[0] == L'\0')
        return;
    const int length = static_cast<int>(wcslen(caption));
    SIZE extent{};
    ::GetTextExtentPoint32W(hdc, caption, length, &extent);
    int x = (rc.left + rc.right) / 2 - extent.cx / 2;
    int y = (rc.top + rc.bottom) / 2 - extent.cy / 2;
    if (item.itemState & ODS_SELECTED) {
        ++x;
        ++y;
    }
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    if (item.itemState & ODS_DISABLED)
        ::DrawStateW(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption), 0, x, y, extent.cx, extent.cy,
                     DST_PREFIXTEXT | DSS_DISABLED);
    else
        ::TextOutW(hdc, x, y, caption, length);
    ::SetBkMode(hdc, oldMode);
}

#include "framework/HoverTip.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/Dpi.h"

namespace fw {

namespace {

// Wide enough for a line of parameters at 96 dpi; a longer line wraps.
constexpr int kTipWidth = 320;
// Between the pointer's lower half and the tip, at 96 dpi.
constexpr int kBelowPointer = 4;

} // namespace

HoverTip::~HoverTip()
{
    Detach();
    if (m_tip && ::IsWindow(m_tip))
        ::DestroyWindow(m_tip);
}

bool HoverTip::Attach(HWND hwnd)
{
    if (!SubclassedWindow::Attach(hwnd))
        return false;
    if (m_tip && ::IsWindow(m_tip))
        return true;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    // Shown whether or not the window is active, and with "&" kept as it is
    // in a material's name.
    m_tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, ::GetAncestor(hwnd, GA_ROOT),
                              nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_tip)
        return true;
    TOOLINFOW tool = Tool(L"");
    ::SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    FollowDpi();
    return true;
}

void HoverTip::FollowDpi()
{
    const int dpi = WindowDpi(m_hWnd);
    if (!m_tip || dpi == m_dpi)
        return;
    if (m_dpi == 0)
        m_ownFont = reinterpret_cast<HFONT>(::SendMessageW(m_tip, WM_GETFONT, 0, 0));
    m_dpi = dpi;
    // Without a width the tip would keep its lines on one.
    ::SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, ScaleToDpi(kTipWidth, dpi));
    // The tip's own font is the system's status font, made for the system's
    // DPI; on a monitor of another DPI the tip gets that font made for it.
    Font made;
    const int systemDpi = SystemDpi();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (dpi != systemDpi && ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfStatusFont.lfHeight = ::MulDiv(metrics.lfStatusFont.lfHeight, dpi, systemDpi);
        made.Reset(::CreateFontIndirectW(&metrics.lfStatusFont));
    }
    if (made || m_font)
        ::SendMessageW(m_tip, WM_SETFONT, reinterpret_cast<WPARAM>(made ? made.Get() : m_ownFont), FALSE);
    m_font = std::move(made);
}

TOOLINFOW HoverTip::Tool(const wchar_t* text) const
{
    TOOLINFOW tool{};
    // The size the oldest common controls accept.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = m_hWnd;
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

void HoverTip::Hide()
{
    if (!m_shown)
        return;
    m_shown = false;
    TOOLINFOW tool = Tool(nullptr);
    ::SendMessageW(m_tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void HoverTip::Show(int place, POINT client)
{
    m_text = m_textOf(place);
    if (!m_tip || m_text.empty())
        return;
    FollowDpi();
    TOOLINFOW tool = Tool(m_text.c_str());
    ::SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // Below the pointer, where it hides nothing of the place itself.
    POINT at = client;
    ::ClientToScreen(m_hWnd, &at);
    at.y += ::GetSystemMetrics(SM_CYCURSOR) / 2 + ScaleToDpi(kBelowPointer, m_dpi);
    ::SendMessageW(m_tip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageW(m_tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    m_shown = true;
}

void HoverTip::OnMouseMove(POINT client)
{
    const int place = m_placeAt(client);
    if (place != m_place) {
        Hide();
        m_place = place;
        m_quiet = false;
    }
    if (place < 0 || m_shown || m_quiet)
        return;
    // Asked again on every move, so the hover comes only once the pointer rests.
    TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    ::TrackMouseEvent(&track);
}

LRESULT HoverTip::HandleMessage(UINT msg, WPARAM w, LPARAM l)
{
    const POINT client{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    switch (msg) {
    case WM_MOUSEMOVE:
        OnMouseMove(client);
        break;
    case WM_MOUSEHOVER: {
        const int place = m_placeAt(client);
        if (place != m_place) {
            m_place = place;
            m_quiet = false;
        }
        if (place >= 0 && !m_quiet)
            Show(place, client);
        break;
    }
    case WM_MOUSELEAVE:
        Hide();
        m_place = -1;
        m_quiet = false;
        break;
    // Whatever the operator does next, the tip is out of the way.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
    case WM_HSCROLL:
    case WM_VSCROLL:
        Hide();
        m_quiet = true;
        break;
    default:
        break;
    }
    return Default(msg, w, l);
}

} // namespace fw

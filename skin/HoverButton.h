#pragma once
#include <windows.h>

#include "framework/Window.h"

// Owner-drawn push button of the main dialog: yellow face while the pointer is
// over it, blue while its button state is set. The pointer's leaving is found
// by a 100 ms poll rather than mouse tracking.
class HoverButton : public fw::SubclassedWindow {
public:
    static constexpr COLORREF kHoverYellow = RGB(255, 255, 0);
    static constexpr COLORREF kStateBlue = RGB(0, 140, 204);

    HoverButton() = default;
    ~HoverButton() override = default;

    // Paints the button as WM_DRAWITEM asks; also reachable for tests.
    void DrawItem(const DRAWITEMSTRUCT& item);

    BOOL m_bHover = FALSE;
    UINT m_nTimerId = 1;
    // The focus rectangle shows only once the keyboard has been used
    // (WM_UPDATEUISTATE clearing UISF_HIDEFOCUS), so the pointer's look
    // stays as it is.
    bool m_bFocusCues = false;

protected:
    void PreSubclassWindow() override;
    LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) override;

private:
    void OnMouseMove();
    void OnTimer();
    void OnUpdateUiState(WPARAM w);
};

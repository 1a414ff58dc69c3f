#pragma once
// A pop-up menu that lives for one scope.
#include <windows.h>

#include <string>

namespace fw {

class PopupMenu {
public:
    PopupMenu() : m_menu(::CreatePopupMenu()) {}
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    ~PopupMenu()
    {
        if (m_menu)
            ::DestroyMenu(m_menu);
    }

    void Append(UINT command, const std::wstring& text) const
    {
        ::AppendMenuW(m_menu, MF_STRING, command, text.c_str());
    }
    // Shows the menu at a screen point until the operator chooses or leaves
    // it; the chosen command, or 0.
    UINT Track(HWND owner, POINT screen) const
    {
        return static_cast<UINT>(::TrackPopupMenu(m_menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x,
                                                  screen.y, 0, owner, nullptr));
    }

private:
    HMENU m_menu;
};

} // namespace fw

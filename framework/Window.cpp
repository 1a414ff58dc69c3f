#include "framework/Window.h"

#include <commctrl.h>

namespace fw {

namespace {
// Each wrapper subclasses under its own id, so that several of ours (keys,
// tips) can watch one control.
UINT_PTR SubclassId(const SubclassedWindow* self) { return reinterpret_cast<UINT_PTR>(self); }
} // namespace

std::wstring Window::GetText() const
{
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

bool SubclassedWindow::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd == hwnd)
        return hwnd != nullptr;
    Detach();
    m_hWnd = hwnd;
    if (!::SetWindowSubclass(hwnd, &SubclassedWindow::SubclassProc, SubclassId(this),
                             reinterpret_cast<DWORD_PTR>(this))) {
        m_hWnd = nullptr;
        return false;
    }
    PreSubclassWindow();
    return true;
}

void SubclassedWindow::Detach()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::RemoveWindowSubclass(m_hWnd, &SubclassedWindow::SubclassProc, SubclassId(this));
    m_hWnd = nullptr;
}

void SubclassedWindow::ModifyStyle(DWORD remove, DWORD add) const
{
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    const DWORD changed = (style & ~remove) | add;
    if (changed != style)
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR refData)
{
    auto* self = reinterpret_cast<SubclassedWindow*>(refData);
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &SubclassedWindow::SubclassProc, id);
        if (self && self->m_hWnd == hwnd)
            self->m_hWnd = nullptr;
        return ::DefSubclassProc(hwnd, msg, w, l);
    }
    try {
        return self ? self->HandleMessage(msg, w, l) : ::DefSubclassProc(hwnd, msg, w, l);
    } catch (...) {
        // Nothing of ours may unwind through the system's window procedure.
        return ::DefSubclassProc(hwnd, msg, w, l);
    }
}

} // namespace fw

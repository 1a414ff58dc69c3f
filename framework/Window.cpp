#include "framework/Window.h"

#include <unordered_map>

namespace fw {

namespace {

// Which wrapper serves a subclassed control, and the procedure it replaced.
// Kept per thread (a window's messages arrive on the thread that made it)
// rather than in a window property: the system's SetWindowSubclass keeps its
// chain in one, and on some systems every property read is a trip to the
// window server, which made each message to the material list cost a tenth
// of a millisecond and a list of thousands take seconds to fill.
struct Subclass {
    SubclassedWindow* self;
    WNDPROC previous;
};
thread_local std::unordered_map<HWND, Subclass> t_subclasses;

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
    if (t_subclasses.contains(hwnd))
        return false;
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedWindow::WindowProc)));
    if (!previous)
        return false;
    m_hWnd = hwnd;
    m_previous = previous;
    t_subclasses[hwnd] = Subclass{this, previous};
    PreSubclassWindow();
    return true;
}

void SubclassedWindow::Detach()
{
    const auto found = t_subclasses.find(m_hWnd);
    if (found != t_subclasses.end() && found->second.self == this) {
        // Under a later subclass the procedure cannot be taken out of the
        // chain; it stays and passes every message on until the window goes.
        const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
        if (current == &SubclassedWindow::WindowProc) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
            t_subclasses.erase(found);
        } else {
            found->second.self = nullptr;
        }
    }
    m_hWnd = nullptr;
}

void SubclassedWindow::ModifyStyle(DWORD remove, DWORD add) const
{
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    const DWORD changed = (style & ~remove) | add;
    if (changed != style)
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
}

LRESULT CALLBACK SubclassedWindow::WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    const auto found = t_subclasses.find(hwnd);
    if (found == t_subclasses.end())
        return ::DefWindowProcW(hwnd, msg, w, l);
    const Subclass subclass = found->second;
    if (msg == WM_NCDESTROY) {
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &SubclassedWindow::WindowProc)
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass.previous));
        t_subclasses.erase(found);
        if (subclass.self && subclass.self->m_hWnd == hwnd)
            subclass.self->m_hWnd = nullptr;
        return ::CallWindowProcW(subclass.previous, hwnd, msg, w, l);
    }
    try {
        return subclass.self ? subclass.self->HandleMessage(msg, w, l)
                             : ::CallWindowProcW(subclass.previous, hwnd, msg, w, l);
    } catch (...) {
        // Nothing of ours may unwind through the system's window procedure.
        return ::CallWindowProcW(subclass.previous, hwnd, msg, w, l);
    }
}

} // namespace fw

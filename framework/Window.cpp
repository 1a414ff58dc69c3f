#include "framework/Window.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <vector>

namespace fw {

namespace {

// The wrappers that serve a subclassed control, the last attached first to
// see a message, and the procedure they replaced. Kept per thread (a window's
// messages arrive on the thread that made it) rather than in a window
// property: the system's SetWindowSubclass keeps its chain in one, and on
// some systems every property read is a trip to the window server, which
// made each message to the material list cost a tenth of a millisecond and
// a list of thousands take seconds to fill.
struct Subclass {
    std::vector<SubclassedWindow*> chain;
    WNDPROC original = nullptr;
};
thread_local std::unordered_map<HWND, Subclass> t_subclasses;

bool OnTop(HWND hwnd, WNDPROC proc)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == proc;
}

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
    auto found = t_subclasses.find(hwnd);
    if (found == t_subclasses.end()) {
        const auto original = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedWindow::WindowProc)));
        if (!original)
            return false;
        found = t_subclasses.emplace(hwnd, Subclass{{}, original}).first;
    }
    found->second.chain.push_back(this);
    m_hWnd = hwnd;
    PreSubclassWindow();
    return true;
}

void SubclassedWindow::Detach()
{
    const auto found = t_subclasses.find(m_hWnd);
    if (found != t_subclasses.end()) {
        std::erase(found->second.chain, this);
        // Under someone else's later subclass the procedure cannot be taken
        // out; it stays and passes every message on until the window goes.
        if (found->second.chain.empty() && OnTop(m_hWnd, &SubclassedWindow::WindowProc)) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.original));
            t_subclasses.erase(found);
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

LRESULT SubclassedWindow::Default(UINT msg, WPARAM w, LPARAM l) { return Next(m_hWnd, this, msg, w, l); }

LRESULT SubclassedWindow::Next(HWND hwnd, const SubclassedWindow* after, UINT msg, WPARAM w, LPARAM l)
{
    const auto found = t_subclasses.find(hwnd);
    if (found == t_subclasses.end())
        return ::DefWindowProcW(hwnd, msg, w, l);
    const std::vector<SubclassedWindow*>& chain = found->second.chain;
    // The wrapper attached before `after` (the last attached one for a
    // message that has reached none yet), else the replaced procedure.
    const auto at = after ? std::find(chain.begin(), chain.end(), after) : chain.end();
    const WNDPROC original = found->second.original;
    if (at == chain.begin())
        return ::CallWindowProcW(original, hwnd, msg, w, l);
    SubclassedWindow* next = *std::prev(at);
    try {
        return next->HandleMessage(msg, w, l);
    } catch (...) {
        // Nothing of ours may unwind through the system's window procedure.
        return ::CallWindowProcW(original, hwnd, msg, w, l);
    }
}

LRESULT CALLBACK SubclassedWindow::WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    if (msg != WM_NCDESTROY)
        return Next(hwnd, nullptr, msg, w, l);
    const auto found = t_subclasses.find(hwnd);
    if (found == t_subclasses.end())
        return ::DefWindowProcW(hwnd, msg, w, l);
    const Subclass subclass = std::move(found->second);
    t_subclasses.erase(found);
    if (OnTop(hwnd, &SubclassedWindow::WindowProc))
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass.original));
    for (SubclassedWindow* wrapper : subclass.chain)
        if (wrapper->m_hWnd == hwnd)
            wrapper->m_hWnd = nullptr;
    return ::CallWindowProcW(subclass.original, hwnd, msg, w, l);
}

} // namespace fw

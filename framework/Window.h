#pragma once
// Thin, non-owning window wrappers. They hold a handle and forward messages;
// they never destroy the window they name.
#include <windows.h>
#include <commctrl.h>
#include <string>

namespace fw {

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : m_hWnd(hwnd) {}
    Window(const Window&) = default;
    Window& operator=(const Window&) = default;
    virtual ~Window() = default;

    HWND Hwnd() const { return m_hWnd; }
    explicit operator bool() const { return m_hWnd != nullptr; }

    // Binds the wrapper to an existing control. Subclassing wrappers override it.
    virtual bool Attach(HWND hwnd)
    {
        m_hWnd = hwnd;
        return hwnd != nullptr;
    }
    virtual void Detach() { m_hWnd = nullptr; }

    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageW(m_hWnd, msg, w, l); }
    std::wstring GetText() const;
    void SetText(const std::wstring& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
    void Show(bool show) const { ::ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendItem(int id, UINT msg, WPARAM w = 0, LPARAM l = 0) const
    {
        return ::SendDlgItemMessageW(m_hWnd, id, msg, w, l);
    }
    void SetFont(HFONT font, bool redraw) const
    {
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }
    void Invalidate(const RECT* rc, bool erase) const { ::InvalidateRect(m_hWnd, rc, erase ? TRUE : FALSE); }

protected:
    HWND m_hWnd = nullptr;
};

// A control whose window procedure is replaced by this object's HandleMessage
// for as long as it is attached.
class SubclassedWindow : public Window {
public:
    SubclassedWindow() = default;
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;
    ~SubclassedWindow() override { Detach(); }

    bool Attach(HWND hwnd) override;
    void Detach() override;

protected:
    // Called once the subclass is in place, before any message reaches HandleMessage.
    virtual void PreSubclassWindow() {}
    // Handles one message; return Default() for what is not handled here.
    virtual LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) { return Default(msg, w, l); }
    // The control's next wrapper of ours, or its own procedure.
    LRESULT Default(UINT msg, WPARAM w, LPARAM l);
    void ModifyStyle(DWORD remove, DWORD add) const;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT Next(HWND hwnd, const SubclassedWindow* after, UINT msg, WPARAM w, LPARAM l);
};

} // namespace fw

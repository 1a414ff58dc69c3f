#pragma once
// Owning GDI wrappers: each frees its object exactly once, cannot be copied,
// and can be moved. SelectScope puts the previous object back when it ends.
#include <windows.h>
#include <utility>

namespace fw {

template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : m_handle(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }
    ~GdiObject() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(Handle handle = nullptr)
    {
        if (m_handle)
            ::DeleteObject(m_handle);
        m_handle = handle;
    }
    Handle Release() { return std::exchange(m_handle, nullptr); }

private:
    Handle m_handle = nullptr;
};

using Bitmap = GdiObject<HBITMAP>;
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Region = GdiObject<HRGN>;

// A memory DC compatible with another DC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : m_hdc(::CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC()
    {
        if (m_hdc)
            ::DeleteDC(m_hdc);
    }
    HDC Get() const { return m_hdc; }

private:
    HDC m_hdc;
};

// The DC of a whole window (frame included), released when the scope ends.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(::GetWindowDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (m_hdc)
            ::ReleaseDC(m_hwnd, m_hdc);
    }
    HDC Get() const { return m_hdc; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(::BeginPaint(hwnd, &m_ps)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(m_hwnd, &m_ps); }
    HDC Get() const { return m_hdc; }
    const PAINTSTRUCT& Info() const { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_hdc;
};

// Selects an object into a DC for the lifetime of the scope.
class SelectScope {
public:
    SelectScope(HDC hdc, HGDIOBJ object) : m_hdc(hdc), m_previous(object ? ::SelectObject(hdc, object) : nullptr) {}
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    ~SelectScope()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            ::SelectObject(m_hdc, m_previous);
    }

private:
    HDC m_hdc;
    HGDIOBJ m_previous;
};

// Fills a rectangle with one colour: ExtTextOut with an opaque rectangle
// fills without a brush object.
inline void FillSolid(HDC hdc, const RECT& rect, COLORREF colour)
{
    const COLORREF old = ::SetBkColor(hdc, colour);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(hdc, old);
}

} // namespace fw

#pragma once
#include <windows.h>
#include <commctrl.h>
#include <utility>

namespace fw {

// Owning image list handle.
class ImageList {
public:
    ImageList() = default;
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;
    ImageList(ImageList&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    ImageList& operator=(ImageList&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }
    ~ImageList() { Reset(); }

    bool Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        Reset();
        m_handle = ::ImageList_Create(cx, cy, flags, initial, grow);
        return m_handle != nullptr;
    }
    void Reset()
    {
        if (m_handle)
            ::ImageList_Destroy(m_handle);
        m_handle = nullptr;
    }
    HIMAGELIST Get() const { return m_handle; }
    int Count() const { return m_handle ? ::ImageList_GetImageCount(m_handle) : 0; }
    int AddMasked(HBITMAP bitmap, COLORREF mask)
    {
        return m_handle ? ::ImageList_AddMasked(m_handle, bitmap, mask) : -1;
    }

private:
    HIMAGELIST m_handle = nullptr;
};

} // namespace fw

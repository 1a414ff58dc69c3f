#pragma once
// Owners of the kernel's handles and memory: each frees what it holds exactly
// once, cannot be copied and can be moved. GDI objects have theirs in Gdi.h.
#include <windows.h>

#include <string>
#include <utility>

namespace fw {

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    // Every "no handle" value the creating call may return counts as none.
    explicit UniqueHandle(Type handle) : m_handle(Traits::IsValid(handle) ? handle : Type{}) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, Type{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_handle, Type{}));
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Type Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Type{}; }
    void Reset(Type handle = Type{})
    {
        if (m_handle != Type{})
            Traits::Free(m_handle);
        m_handle = Traits::IsValid(handle) ? handle : Type{};
    }

private:
    Type m_handle{};
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { ::FindClose(h); }
};

struct LocalMemoryTraits {
    using Type = HLOCAL;
    static bool IsValid(HLOCAL h) { return h != nullptr; }
    static void Free(HLOCAL h) { ::LocalFree(h); }
};

using FileHandle = UniqueHandle<KernelHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using LocalMemory = UniqueHandle<LocalMemoryTraits>;

// The system's text for an error code, as FormatMessage gives it; empty when
// it has none.
std::wstring SystemErrorText(DWORD code);

} // namespace fw

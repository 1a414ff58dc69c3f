#include "framework/Handle.h"

namespace fw {

std::wstring SystemErrorText(DWORD code)
{
    wchar_t* raw = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    const LocalMemory owned(raw);
    if (length == 0 || !raw)
        return {};
    return std::wstring(raw, length);
}

} // namespace fw

#include "framework/Profile.h"

namespace fw {

std::wstring ReadProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                               const wchar_t* fallback, DWORD capacity)
{
    if (capacity == 0)
        return {};
    std::wstring value(capacity, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(section, key, fallback, value.data(), capacity, file.c_str());
    value.resize(length < capacity ? length : capacity - 1);
    return value;
}

} // namespace fw

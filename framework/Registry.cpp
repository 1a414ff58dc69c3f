#include "framework/Registry.h"

#include <vector>

namespace fw {

namespace {

std::optional<std::wstring> ReadString(const wchar_t* subKey, const wchar_t* name, REGSAM view)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::wstring> result;
    DWORD type = 0;
    DWORD bytes = 0;
    // Asked again when the value grew between the size and the read.
    for (int tries = 0; tries < 3; ++tries) {
        if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            break;
        // Room for a terminator the stored value may lack.
        std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD read = bytes;
        const LSTATUS status =
            ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &read);
        if (status == ERROR_MORE_DATA) {
            bytes = read;
            continue;
        }
        if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ))
            result = std::wstring(text.data());
        break;
    }
    ::RegCloseKey(key);
    return result;
}

} // namespace

std::wstring ExpandEnvironment(const std::wstring& text)
{
    if (text.find(L'%') == std::wstring::npos)
        return text;
    std::vector<wchar_t> expanded(text.size() + MAX_PATH);
    for (int tries = 0; tries < 3; ++tries) {
        const DWORD needed =
            ::ExpandEnvironmentStringsW(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
        if (needed == 0)
            return text;
        if (needed <= expanded.size())
            return expanded.data();
        expanded.resize(needed);
    }
    return text;
}

std::optional<std::wstring> ReadMachineString(const wchar_t* subKey, const wchar_t* name)
{
    std::optional<std::wstring> value = ReadString(subKey, name, KEY_WOW64_64KEY);
    if (!value)
        value = ReadString(subKey, name, KEY_WOW64_32KEY);
    if (value)
        *value = ExpandEnvironment(*value);
    return value;
}

} // namespace fw

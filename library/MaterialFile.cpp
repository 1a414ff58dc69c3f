#include "library/MaterialFile.h"

#include <windows.h>

#include <algorithm>

#include "framework/Profile.h"

namespace {

constexpr DWORD kMaterialValueBuffer = 30;

} // namespace

std::wstring ReadMaterialValue(const std::wstring& file, utils::MaterialKey key)
{
    return fw::ReadProfileString(file, key.section, key.name, L"N/A", kMaterialValueBuffer);
}

int ReadMaterialNumber(const std::wstring& file, utils::MaterialKey key)
{
    return utils::ReadLeadingInt(ReadMaterialValue(file, key));
}

std::wstring ReadMaterialText(const std::wstring& file, utils::MaterialKey key)
{
    std::wstring buffer(256, L'\0');
    for (;;) {
        const DWORD length = ::GetPrivateProfileStringW(key.section, key.name, L"N/A", buffer.data(),
                                                        static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= 65536) {
            buffer.resize(std::min<std::size_t>(length, buffer.size()));
            return buffer;
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

#include "framework/Profile.h"

#include <optional>
#include <string_view>
#include <utility>

#include "framework/FileBytes.h"
#include "framework/Handle.h"
#include "utils/MaterialName.h"
#include "utils/ProfileText.h"

namespace fw {

namespace {

std::wstring Decode(UINT codePage, std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

// The text of a file held in the 8-bit code page or UTF-8; nothing for a
// file that is UTF-16 already.
std::optional<std::wstring> DecodeEightBit(const std::string& bytes)
{
    switch (utils::DetectTextEncoding(bytes)) {
    case utils::TextEncoding::Utf16Le:
    case utils::TextEncoding::Utf16Be:
        return std::nullopt;
    case utils::TextEncoding::Utf8Bom:
        return Decode(CP_UTF8, std::string_view(bytes).substr(3));
    case utils::TextEncoding::EightBit:
        break;
    }
    // The code page the profile functions read an 8-bit file in.
    return Decode(CP_ACP, bytes);
}

} // namespace

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

std::wstring ReadWholeProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                                    const wchar_t* fallback)
{
    for (DWORD capacity = 256;; capacity *= 2) {
        std::wstring value = ReadProfileString(file, section, key, fallback, capacity);
        // A value that filled the buffer may have been cut: read it again with more room.
        if (value.size() + 1 < capacity || capacity >= 65536)
            return value;
    }
}

namespace {
int g_writesUntilFailure = 0;
int g_writesUntilMeanwhile = 0;
std::function<void()> g_meanwhile;
} // namespace

void FailNthProfileWrite(int n) { g_writesUntilFailure = n; }

void BeforeNthProfileWrite(int n, std::function<void()> meanwhile)
{
    g_writesUntilMeanwhile = n;
    g_meanwhile = std::move(meanwhile);
}

bool WriteProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    if (g_writesUntilMeanwhile > 0 && --g_writesUntilMeanwhile == 0)
        std::exchange(g_meanwhile, {})();
    if (g_writesUntilFailure > 0 && --g_writesUntilFailure == 0)
        return false;
    return ::WritePrivateProfileStringW(section, key, value.c_str(), file.c_str()) != FALSE;
}

bool WriteProfileInt(const std::wstring& file, const wchar_t* section, const wchar_t* key, int value)
{
    return WriteProfileString(file, section, key, std::to_wstring(value));
}

bool EnsureUnicodeProfileFile(const std::wstring& path)
{
    if (!utils::FitsMaxPath(path))
        return false;
    DWORD error = 0;
    const std::optional<std::string> bytes = ReadWholeFile(path, error);
    if (!bytes) {
        if (error != ERROR_FILE_NOT_FOUND)
            return false;
        const FileHandle created(
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        return created && WriteAll(created.Get(), utils::EncodeUtf16Le(L""));
    }
    const std::optional<std::wstring> text = DecodeEightBit(*bytes);
    if (!text)
        return true;

    const FileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    if (WriteAll(file.Get(), utils::EncodeUtf16Le(*text)))
        return true;
    // Half a file is worse than an 8-bit one: put the old content back.
    ::SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file.Get());
    WriteAll(file.Get(), *bytes);
    return false;
}

} // namespace fw

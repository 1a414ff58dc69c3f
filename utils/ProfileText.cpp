#include "utils/ProfileText.h"

namespace utils {

TextEncoding DetectTextEncoding(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE"))
        return TextEncoding::Utf16Le;
    if (bytes.starts_with("\xFE\xFF"))
        return TextEncoding::Utf16Be;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return TextEncoding::Utf8Bom;
    return TextEncoding::EightBit;
}

bool NeedsUnicodeProfile(std::wstring_view value)
{
    for (wchar_t c : value)
        if (static_cast<unsigned>(c) > 0x7F)
            return true;
    return false;
}

std::string EncodeUtf16Le(std::wstring_view text)
{
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + text.size() * 2);
    const auto put = [&bytes](unsigned unit) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    };
    for (wchar_t c : text) {
        const auto code = static_cast<unsigned>(c);
        // A 32-bit wchar_t (native builds) may hold a code point beyond the
        // basic plane; UTF-16 needs a surrogate pair for it.
        if (code > 0xFFFF && code <= 0x10FFFF) {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            put(code);
        }
    }
    return bytes;
}

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

} // namespace

bool IsLoneSurrogate(std::wstring_view text, std::size_t i)
{
    const wchar_t c = text[i];
    if (IsHighSurrogate(c))
        return i + 1 == text.size() || !IsLowSurrogate(text[i + 1]);
    if (IsLowSurrogate(c))
        return i == 0 || !IsHighSurrogate(text[i - 1]);
    return false;
}

} // namespace utils

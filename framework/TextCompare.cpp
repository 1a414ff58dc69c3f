#include "framework/TextCompare.h"

#include <windows.h>

#include <vector>

#include "utils/ProfileText.h"

namespace fw {

namespace {

// A name may hold half of a surrogate pair, which the normalisation refuses
// for the whole text; it stands for nothing anybody types.
std::wstring WithoutLoneSurrogates(std::wstring_view text)
{
    std::wstring whole(text);
    for (std::size_t i = 0; i < whole.size(); ++i)
        if (utils::IsLoneSurrogate(text, i))
            whole[i] = 0xFFFD;
    return whole;
}

// Compatibility decomposition: full-width letters become the plain ones,
// half-width kana the full-width ones, and an accented letter its letter
// followed by the accent. The text as it is when that fails.
std::wstring Decomposed(const std::wstring& text)
{
    if (text.empty())
        return text;
    int size = ::NormalizeString(NormalizationKD, text.data(), static_cast<int>(text.size()), nullptr, 0);
    for (int attempt = 0; attempt < 4 && size > 0; ++attempt) {
        std::wstring result(static_cast<std::size_t>(size), L'\0');
        const int written =
            ::NormalizeString(NormalizationKD, text.data(), static_cast<int>(text.size()), result.data(), size);
        if (written > 0) {
            result.resize(static_cast<std::size_t>(written));
            return result;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
        // The estimate was short; the failure names a better one.
        size = written < 0 ? -written : size * 2;
    }
    return text;
}

std::wstring WithoutNonSpacingMarks(const std::wstring& text)
{
    if (text.empty())
        return text;
    std::vector<WORD> types(text.size());
    if (!::GetStringTypeW(CT_CTYPE3, text.data(), static_cast<int>(text.size()), types.data()))
        return text;
    std::wstring kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(types[i] & C3_NONSPACING))
            kept.push_back(text[i]);
    return kept;
}

std::wstring LowerCase(const std::wstring& text)
{
    if (text.empty())
        return text;
    constexpr DWORD flags = LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING;
    const int size = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr, 0);
    if (size <= 0)
        return text;
    std::wstring lower(static_cast<std::size_t>(size), L'\0');
    const int written = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), static_cast<int>(text.size()),
                                        lower.data(), size, nullptr, nullptr, 0);
    if (written <= 0)
        return text;
    lower.resize(static_cast<std::size_t>(written));
    return lower;
}

} // namespace

bool ListTextLess(const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) < 0; }

std::string ListTextKey(std::wstring_view text)
{
    // lstrcmpiW compares in the thread's locale, ignoring case.
    const LCID locale = ::GetThreadLocale();
    constexpr DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    if (text.empty())
        return {};
    const int size = ::LCMapStringW(locale, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::string key(static_cast<std::size_t>(size), '\0');
    // A sort key is bytes, however the function's pointer is typed.
    const int written = ::LCMapStringW(locale, flags, text.data(), static_cast<int>(text.size()),
                                       reinterpret_cast<LPWSTR>(key.data()), size);
    key.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return key;
}

std::wstring FoldForSearch(std::wstring_view text)
{
    return LowerCase(WithoutNonSpacingMarks(Decomposed(WithoutLoneSurrogates(text))));
}

} // namespace fw

#include "utils/NumberText.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace utils {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Length of the longest decimal number (sign, digits, point, exponent) at the
// start of text; 0 when there is none. Only plain decimal notation counts:
// no hexadecimal floats, no "inf" or "nan".
size_t DecimalNumberLength(std::wstring_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == L'.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            ++j;
        size_t expDigits = 0;
        while (j < text.size() && IsDigit(text[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i;
}

} // namespace

std::wstring FormatDouble(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return std::wstring(buffer, buffer + std::char_traits<char>::length(buffer));
}

std::optional<double> ParseDouble(std::wstring_view text)
{
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    const std::wstring_view rest = text.substr(start);
    const size_t length = DecimalNumberLength(rest);
    if (length == 0)
        return std::nullopt;
    for (size_t i = length; i < rest.size(); ++i)
        if (!IsBlank(rest[i]))
            return std::nullopt;

    // The number is pure ASCII by construction, so narrowing is exact.
    std::string narrow(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(length));
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(narrow.c_str(), &end);
    if (end != narrow.c_str() + narrow.size() || !std::isfinite(value))
        return std::nullopt;
    if (value == 0.0 && rest.front() != L'0')
        return std::nullopt;
    return value;
}

} // namespace utils

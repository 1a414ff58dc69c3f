#include "checker/PlainMaterial.h"

#include <vector>

#include "utils/ProfileText.h"

namespace checker {

namespace {

// The text as UTF-16 code units, or nothing when a unit is not printable
// ASCII or a line break.
std::optional<std::wstring> PlainText(std::string_view bytes)
{
    std::wstring text;
    const auto accept = [&text](unsigned unit) {
        if ((unit < 0x20 && unit != L'\r' && unit != L'\n') || unit > 0x7E)
            return false;
        text.push_back(static_cast<wchar_t>(unit));
        return true;
    };
    switch (utils::DetectTextEncoding(bytes)) {
    case utils::TextEncoding::EightBit:
        text.reserve(bytes.size());
        for (char c : bytes)
            if (!accept(static_cast<unsigned char>(c)))
                return std::nullopt;
        return text;
    case utils::TextEncoding::Utf16Le:
        if (bytes.size() % 2 != 0)
            return std::nullopt;
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i < bytes.size(); i += 2)
            if (!accept(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8))
                return std::nullopt;
        return text;
    default:
        return std::nullopt;
    }
}

bool IsNameCharacter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_';
}

bool IsName(std::wstring_view text)
{
    if (text.empty())
        return false;
    for (wchar_t c : text)
        if (!IsNameCharacter(c))
            return false;
    return true;
}

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

bool IsPlainValue(std::wstring_view value)
{
    if (value.empty())
        return true;
    if (value.front() == L' ' || value.back() == L' ')
        return false;
    return value.find(L'"') == std::wstring_view::npos && value.find(L'\'') == std::wstring_view::npos;
}

bool IsShortInteger(std::wstring_view value)
{
    if (!value.empty() && value.front() == L'-')
        value.remove_prefix(1);
    if (value.empty() || value.size() > 9)
        return false;
    for (wchar_t c : value)
        if (c < L'0' || c > L'9')
            return false;
    return true;
}

// A reading line by line; each step says whether its line is plainly written.
struct PlainReading {
    ParameterTexts values;
    std::array<bool, std::size(kParameterKeys)> found{};
    std::vector<std::wstring_view> sections;
    std::wstring_view section;

    bool SectionLine(std::wstring_view line)
    {
        if (line.size() < 3 || line.back() != L']' || !IsName(line.substr(1, line.size() - 2)))
            return false;
        section = line.substr(1, line.size() - 2);
        for (std::wstring_view seen : sections)
            if (EqualIgnoringCase(seen, section))
                return false;
        sections.push_back(section);
        return true;
    }

    bool KeyLine(std::wstring_view line)
    {
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos || !IsName(line.substr(0, equals)))
            return false;
        const std::wstring_view key = line.substr(0, equals);
        const std::wstring_view value = line.substr(equals + 1);
        if (!IsPlainValue(value))
            return false;
        for (std::size_t k = 0; k < std::size(kParameterKeys); ++k) {
            if (!EqualIgnoringCase(key, kParameterKeys[k].name) ||
                !EqualIgnoringCase(section, kParameterKeys[k].section))
                continue;
            if (found[k] || key != kParameterKeys[k].name || section != kParameterKeys[k].section ||
                !IsShortInteger(value))
                return false;
            found[k] = true;
            values[k] = std::wstring(value);
        }
        return true;
    }
};

} // namespace

std::optional<ParameterTexts> ReadPlainMaterial(std::string_view bytes)
{
    const std::optional<std::wstring> text = PlainText(bytes);
    if (!text)
        return std::nullopt;

    PlainReading reading;
    std::wstring_view rest = *text;
    while (!rest.empty()) {
        const std::size_t end = rest.find(L'\n');
        std::wstring_view line = rest.substr(0, end);
        rest = end == std::wstring_view::npos ? std::wstring_view{} : rest.substr(end + 1);
        if (!line.empty() && line.back() == L'\r')
            line.remove_suffix(1);
        if (line.find(L'\r') != std::wstring_view::npos)
            return std::nullopt;
        if (line.empty())
            continue;
        if (!(line.front() == L'[' ? reading.SectionLine(line) : reading.KeyLine(line)))
            return std::nullopt;
    }
    for (bool present : reading.found)
        if (!present)
            return std::nullopt;
    return reading.values;
}

} // namespace checker

#include "utils/LibraryScan.h"

#include <algorithm>

namespace utils {

wchar_t UpcaseUnit(wchar_t c)
{
    const auto in = [c](unsigned from, unsigned to) {
        const auto unit = static_cast<unsigned>(c);
        return unit >= from && unit <= to;
    };
    const auto odd = (c & 1) != 0;
    if (in(L'a', L'z') || in(0xFF41, 0xFF5A))
        return static_cast<wchar_t>(c - 0x20);
    if (c < 0xE0)
        return c;
    if (in(0xE0, 0xFE))
        return c == 0xF7 ? c : static_cast<wchar_t>(c - 0x20);
    if (c == 0xFF)
        return static_cast<wchar_t>(0x178);
    // Latin Extended-A: pairs of capital and small letter.
    if (in(0x100, 0x12F) || in(0x132, 0x137) || in(0x14A, 0x177))
        return odd ? static_cast<wchar_t>(c - 1) : c;
    if (in(0x139, 0x148) || in(0x179, 0x17E))
        return odd ? c : static_cast<wchar_t>(c - 1);
    // Greek.
    if (c == 0x3AC)
        return static_cast<wchar_t>(0x386);
    if (in(0x3AD, 0x3AF))
        return static_cast<wchar_t>(c - 0x25);
    if (c == 0x3C2)
        return static_cast<wchar_t>(0x3A3);
    if (in(0x3B1, 0x3CB))
        return static_cast<wchar_t>(c - 0x20);
    if (c == 0x3CC)
        return static_cast<wchar_t>(0x38C);
    if (in(0x3CD, 0x3CE))
        return static_cast<wchar_t>(c - 0x3F);
    // Cyrillic.
    if (in(0x430, 0x44F))
        return static_cast<wchar_t>(c - 0x20);
    if (in(0x450, 0x45F))
        return static_cast<wchar_t>(c - 0x50);
    return c;
}

bool SameNameIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](wchar_t x, wchar_t y) { return UpcaseUnit(x) == UpcaseUnit(y); });
}

bool NameLess(const std::wstring& a, const std::wstring& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const wchar_t ua = UpcaseUnit(a[i]);
        const wchar_t ub = UpcaseUnit(b[i]);
        if (ua != ub)
            return ua < ub;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

} // namespace utils

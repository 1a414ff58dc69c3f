#pragma once
// Texts compared as the system compares them for people, not for the file
// system: in the user's locale, with its rules for letter case and accents.
#include <string>
#include <string_view>

namespace fw {

// Whether `a` comes before `b` in a list view that sorts its items, which
// orders them with lstrcmpiW.
bool ListTextLess(const std::wstring& a, const std::wstring& b);
// Bytes whose order is that of ListTextLess: many texts are ordered with one
// system call each instead of one per comparison.
std::string ListTextKey(std::wstring_view text);

// The text as a search compares it: letter case in the user's locale,
// accents and other non-spacing marks, and the width of full-width letters
// and half-width kana do not count ("Caf\u00e9" and "CAFE" fold alike). The
// result may be longer or shorter than the text; a line break stays one.
std::wstring FoldForSearch(std::wstring_view text);

} // namespace fw

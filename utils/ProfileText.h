#pragma once
// Encodings of profile (INI) files. The system's profile functions create a
// new file in the 8-bit code page, where characters it cannot hold become
// "?"; a file that begins with a UTF-16 byte-order mark is read and written
// in UTF-16 instead. Free of Win32 so it can be built natively.
#include <string>
#include <string_view>

namespace utils {

enum class TextEncoding {
    Utf16Le,  // FF FE
    Utf16Be,  // FE FF
    Utf8Bom,  // EF BB BF
    EightBit, // no byte-order mark: the 8-bit code page
};

TextEncoding DetectTextEncoding(std::string_view bytes);

// Whether a profile value needs a UTF-16 file to survive unchanged. Plain
// ASCII is the same in every code page; anything else may not be.
bool NeedsUnicodeProfile(std::wstring_view value);

// Byte-order mark and text in UTF-16 little endian.
std::string EncodeUtf16Le(std::wstring_view text);

// Whether text[i] is half of a surrogate pair without its other half. A file
// name may hold one (the file system takes any UTF-16 code unit), though it
// stands for no character.
bool IsLoneSurrogate(std::wstring_view text, std::size_t i);

} // namespace utils

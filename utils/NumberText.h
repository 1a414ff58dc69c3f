#pragma once
// Text <-> number rules of the dialog data exchange. Free of Win32 so they
// can be built natively for sanitizers and fuzzing.
#include <optional>
#include <string>
#include <string_view>

namespace utils {

// General format with up to 15 significant digits: 0 -> "0", 12.5 -> "12.5".
std::wstring FormatDouble(double value);

// Strict parse: leading blanks, one decimal number, then only blanks. A text
// that reads as zero must begin with the digit 0, so "" and "." are not numbers.
std::optional<double> ParseDouble(std::wstring_view text);

} // namespace utils

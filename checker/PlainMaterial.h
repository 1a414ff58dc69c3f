#pragma once
// A quick reading of plainly written material files. The program reads a
// material through the system's profile functions, one call (and one opening
// of the file) per key; for a library of 100,000 materials that is most of
// the checker's time. A file whose meaning is beyond doubt is read here from
// its bytes instead, and every other file goes to the profile functions. Free
// of Win32.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "utils/MaterialValues.h"

namespace checker {

// The parameter keys the panel reads, in this order wherever values are kept.
inline constexpr utils::MaterialKey kParameterKeys[] = {
    utils::kParameterRules[0].key, utils::kParameterRules[1].key, utils::kParameterRules[2].key,
    utils::kParameterRules[3].key, utils::kParameterRules[4].key,
};
static_assert(std::size(kParameterKeys) == utils::kParameterCount);
using ParameterTexts = std::array<std::wstring, std::size(kParameterKeys)>;

// The values of the parameter keys as the profile functions return them, or
// nothing when the file is not plainly written. Plainly written: plain ASCII,
// or UTF-16LE with a byte-order mark holding only ASCII; every line empty,
// "[NAME]" or "NAME=VALUE", names of letters, digits and "_", values without
// quotes or blanks at either end; no section twice (letter case ignored);
// every parameter key exactly once, spelt exactly as the program spells it,
// in its section, with a value of one to nine digits after an optional "-".
std::optional<ParameterTexts> ReadPlainMaterial(std::string_view bytes);

} // namespace checker

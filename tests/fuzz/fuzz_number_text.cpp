// The data exchange's number parser on arbitrary UTF-16 text: no crash, and
// what an edit shows for an accepted value is read back as a value that shows
// the same way (15 significant digits are shown, so the first round may round).
#include <cstddef>
#include <cstdint>
#include <string>

#include "utils/MaterialValues.h"
#include "utils/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    const auto value = utils::ParseDouble(text);
    if (value) {
        const std::wstring shown = utils::FormatDouble(*value);
        const auto again = utils::ParseDouble(shown);
        if (!again || utils::FormatDouble(*again) != shown)
            __builtin_trap();
    }
    utils::ReadLeadingInt(text);
    return 0;
}

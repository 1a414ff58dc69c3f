// The hand-off input rules on arbitrary model, language and version values:
// a model maps to a single folder name inside the library root, and only an
// exact known name maps at all; the data folder always ends in a backslash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "utils/HandOffRules.h"

namespace {

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            __builtin_trap();                                                                                          \
    } while (0)

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 9)
        return 0;
    const bool queried = (data[0] & 1) != 0;
    const unsigned long major = data[1] | data[2] << 8 | static_cast<unsigned long>(data[3]) << 16;
    const unsigned long minor = data[4] | data[5] << 8 | static_cast<unsigned long>(data[6]) << 16;
    const std::wstring folder = utils::DataFolderForVersion(queried, major, minor);
    CHECK(!folder.empty() && folder.back() == L'\\' && folder.rfind(L"C:\\", 0) == 0);

    std::wstring text;
    for (std::size_t i = 7; i + 1 < size; i += 2)
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));

    const auto parameter = utils::ParameterFolderName(text);
    if (parameter) {
        CHECK(parameter->rfind(L"parameter_", 0) == 0);
        CHECK(parameter->find_first_of(L"\\/:.") == std::wstring::npos);
        CHECK(text == L"R250" || text == L"VTX" || text == L"Vortan" || text == L"VTE");
        CHECK((text == L"R250") == (*parameter == L"parameter_R250"));
    }
    // Case matters: a known name in another case is unknown.
    if (parameter) {
        std::wstring lower = text;
        std::wstring upper = text;
        for (wchar_t& c : lower)
            c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 0x20) : c;
        for (wchar_t& c : upper)
            c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 0x20) : c;
        CHECK(lower == text || !utils::ParameterFolderName(lower));
        CHECK(upper == text || !utils::ParameterFolderName(upper));
    }

    if (utils::IsAcceptedLanguage(text))
        CHECK(!text.empty() && text.find(L']') == std::wstring::npos && text.find(L'\n') == std::wstring::npos);
    return 0;
}

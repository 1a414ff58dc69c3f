#pragma once
// Which keys of the language file the program reads for a model, and how they
// fill its three text lists. Free of Win32: the reading itself is the caller's.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace utils {

// The language file in the data folder.
inline constexpr wchar_t kLanguageFileName[] = L"~PMLang.dat";

// The section of a language: "AP_" and the name exactly as the driver handed
// it over.
std::wstring LanguageSection(const std::wstring& language);

struct LanguageTables {
    std::vector<std::wstring> panelLabels;   // keys 1000..1012, entry i is key 1000 + i
    std::vector<std::wstring> groupNames;    // entry 0 is group 1
    std::vector<std::wstring> categoryNames; // the groups' names one group after another
    // groupStarts[g] is the first name of group g + 1 in categoryNames and
    // groupStarts[g + 1] one past its last; one more entry than the model
    // has groups of names.
    std::vector<std::uint8_t> groupStarts;
};

// The tables of model "R250" (three groups) or of every other model (one),
// each text as `read` returns it for its numeric key, read in key order.
LanguageTables ReadLanguageTables(bool r250, const std::function<std::wstring(int key)>& read);

} // namespace utils

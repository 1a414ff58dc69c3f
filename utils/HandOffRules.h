#pragma once
// Rules of the driver hand-off input: where the data folder is, which
// parameter folder a machine model uses, which language names are known.
#include <optional>
#include <string>
#include <string_view>

namespace utils {

// The shared data folder for the operating-system version major.minor. A
// failed version query counts as version 0.0. Always ends in a backslash.
std::wstring DataFolderForVersion(bool querySucceeded, unsigned long major, unsigned long minor);

// The library root the program looks in for the parameter folders, unless
// the integrator names another one.
inline constexpr wchar_t kLibraryRoot[] = L"C:\\ZOR\\";

// Where the integrator names the library root for the whole machine: a string
// value under HKEY_LOCAL_MACHINE, so that an installer or a policy sets it once
// for every station of a shop.
inline constexpr wchar_t kLibraryRootKey[] = L"SOFTWARE\\ZOR\\MaterialManager";
inline constexpr wchar_t kLibraryRootValue[] = L"LibraryRoot";

// The library root an integrator's setting names (environment variables
// already expanded): the folder with one trailing backslash, blanks and a pair
// of enclosing quotes left off; nothing when the setting names no folder, and
// the default root is used.
std::optional<std::wstring> LibraryRootFromSetting(std::wstring_view setting);

// The machine models the program knows and their folders under the library
// root, in the order they are compared.
struct ModelFolder {
    const wchar_t* model;
    const wchar_t* folder;
};
inline constexpr ModelFolder kModelFolders[] = {
    {L"R250", L"parameter_R250"},
    {L"VTX", L"parameter_VortanXL"},
    {L"Vortan", L"parameter_Vortan"},
    {L"VTE", L"parameter_VTE"},
};

// Name of the model's folder under the library root; nothing for a model the
// program does not know. Compared exactly, case included.
std::optional<std::wstring> ParameterFolderName(const std::wstring& model);

// The language names the driver may hand over, in the order they are compared.
inline constexpr const wchar_t* kAcceptedLanguages[] = {
    L"Traditional Chinese",
    L"Simplified Chinese",
    L"ENGLISH",
    L"English",
    L"German",
    L"Japanese",
    L"French",
    L"Spanish",
};

// One of the language names the driver may hand over (case-sensitive).
bool IsAcceptedLanguage(const std::wstring& language);

// Material files end in ".VX" for model "R250" (exact case) and in ".spi"
// for every other model.
inline const wchar_t* MaterialExtension(std::wstring_view model) { return model == L"R250" ? L".VX" : L".spi"; }

} // namespace utils

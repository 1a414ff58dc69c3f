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

// Name of the model's folder under the library root; nothing for a model the
// program does not know. Compared exactly, case included.
std::optional<std::wstring> ParameterFolderName(const std::wstring& model);

// One of the language names the driver may hand over (case-sensitive).
bool IsAcceptedLanguage(const std::wstring& language);

// Material files end in ".VX" for model "R250" (exact case) and in ".spi"
// for every other model.
inline const wchar_t* MaterialExtension(std::wstring_view model) { return model == L"R250" ? L".VX" : L".spi"; }

} // namespace utils

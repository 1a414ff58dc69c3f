#pragma once
// The file name a user types for a custom material, checked before anything
// is written, and the texts that explain a refusal. Free of Win32 so the
// check can be fuzzed natively.
#include <cstddef>
#include <string>
#include <string_view>

namespace utils {

enum class NameProblem {
    None,
    Empty,
    LeavesFolder,     // "." or "..": the file would not land in the folder
    InvalidCharacter, // a path separator, \ / : * ? " < > | or a control character
    ReservedName,     // a device name such as CON or COM1, with or without an extension
    TrailingDotOrBlank,
};

// Checks a bare file name (the extension is appended afterwards).
NameProblem CheckMaterialName(std::wstring_view name);

// The device name a reserved name stands for ("CON" for "con.txt"); empty
// when the name is not reserved.
std::wstring ReservedDeviceName(std::wstring_view name);

// The text of a material in the list: the file name less as many characters
// as the model's extension has (whatever the name ends in). A name that is not
// longer than that is shown whole rather than as an empty item.
std::wstring MaterialItemText(const std::wstring& fileName, std::size_t cut);
// How a material is named to the operator in messages: the item text of the
// file at the end of `path`, or its whole file name where that does not end
// in the model's extension, so that "Mine.bak" is not taken for "Mine.spi"
// (both are listed as "Mine").
std::wstring MaterialNameOfPath(std::wstring_view path, std::wstring_view extension);

// Full paths must stay below the classic 260-character limit: the profile
// functions and the file copy do not reach longer ones.
inline constexpr std::size_t kMaxPathLength = 259;
inline bool FitsMaxPath(std::wstring_view path) { return path.size() <= kMaxPathLength; }

// Every save writes the whole material under a temporary name of its own
// beside the target and then moves it into place: "~mm", four hex digits,
// ".tmp". Earlier versions of the program made "~mm" with one to four hex
// digits and ".tmp"; both are recognised, whatever their letter case, and
// nothing else.
inline constexpr std::size_t kOwnTempNameLength = 11;
std::wstring OwnTempFileName(unsigned number);
bool IsOwnTempFileName(std::wstring_view name);

// A temporary file of this age or older is a leftover of a save that was
// cut short, and start-up removes it; a younger one may be a save running
// right now on another station that shares the library.
inline constexpr long long kLeftoverTempSeconds = 10 * 60;

// Whether a material can be saved as `fileName` (extension included) in
// `folder`: the temporary file needs its path to fit as well, so a folder
// longer than kMaxSaveFolderLength takes no material at all.
inline constexpr std::size_t kMaxSaveFolderLength = kMaxPathLength - 1 - kOwnTempNameLength;
enum class SavePathProblem {
    None,
    FolderTooLong,
    PathTooLong,
};
SavePathProblem CheckSavePath(std::wstring_view folder, std::wstring_view fileName);

// Messages shown by the Save-as dialog.
std::wstring NameProblemMessage(NameProblem problem, std::wstring_view name);
std::wstring PathTooLongMessage();
std::wstring MaterialNotSavedMessage(std::wstring_view path);
std::wstring NoCustomizeFolderMessage();
// Shown when the driver hand-off output file cannot be written.
std::wstring HandOffNotWrittenMessage(std::wstring_view path);

} // namespace utils

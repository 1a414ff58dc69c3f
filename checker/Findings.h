#pragma once
// What the library checker reports: one finding per problem, each with a
// stable code, the severity that code always has, and the path it concerns.
#include <span>
#include <string>
#include <vector>

namespace checker {

enum class Severity {
    Note,    // nothing is wrong, but the integrator should know
    Warning, // works, but probably not what was meant
    Error,   // the operator will see something wrong or lose data
};

enum class Code {
    RootMissing,
    ModelFolderMissing,
    NotAFolder,
    DotEntry,
    NoGroups,
    ExtraGroup,
    TooManyGroups,
    EmptyGroup,
    TooManyCategories,
    CategoryNoCaption,
    EmptyCategory,
    CustomizeIsFile,
    CustomizeMissing,
    LeftoverTempFile,
    MaterialNotFile,
    WrongExtension,
    PathTooLong,
    NoRoomForCustomName,
    NameNotInCodePage,
    NoPicture,
    UnreadableFile,
    FileTooLarge,
    MaterialEncoding,
    KeyMissing,
    NotANumber,
    OutOfRange,
    LanguageFileMissing,
    LanguageFileEncoding,
    LanguageSectionTwice,
    LanguageMissing,
    TextMissing,
    TextCut,
};

struct CodeInfo {
    Code code;
    const wchar_t* name; // as printed, never changed once released
    Severity severity;
};

// Every code, in the order of the enumeration.
std::span<const CodeInfo> AllCodes();
const CodeInfo& Describe(Code code);
const wchar_t* SeverityName(Severity severity);

struct Finding {
    std::wstring path;
    Code code;
    std::wstring message;
};

} // namespace checker

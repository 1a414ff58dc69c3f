#include "checker/Findings.h"

#include <iterator>

namespace checker {

namespace {

constexpr CodeInfo kCodes[] = {
    {Code::RootMissing, L"ROOT_MISSING", Severity::Error},
    {Code::ModelFolderMissing, L"MODEL_FOLDER_MISSING", Severity::Error},
    {Code::NotAFolder, L"NOT_A_FOLDER", Severity::Error},
    {Code::DotEntry, L"DOT_ENTRY", Severity::Error},
    {Code::NoGroups, L"NO_GROUPS", Severity::Error},
    {Code::ExtraGroup, L"EXTRA_GROUP", Severity::Error},
    {Code::TooManyGroups, L"TOO_MANY_GROUPS", Severity::Warning},
    {Code::EmptyGroup, L"EMPTY_GROUP", Severity::Warning},
    {Code::TooManyCategories, L"TOO_MANY_CATEGORIES", Severity::Warning},
    {Code::CategoryNoCaption, L"CATEGORY_NO_CAPTION", Severity::Error},
    {Code::EmptyCategory, L"EMPTY_CATEGORY", Severity::Warning},
    {Code::CustomizeIsFile, L"CUSTOMIZE_IS_FILE", Severity::Error},
    {Code::CustomizeMissing, L"CUSTOMIZE_MISSING", Severity::Note},
    {Code::LeftoverTempFile, L"LEFTOVER_TEMP_FILE", Severity::Note},
    {Code::MaterialNotFile, L"MATERIAL_NOT_FILE", Severity::Error},
    {Code::WrongExtension, L"WRONG_EXTENSION", Severity::Error},
    {Code::PathTooLong, L"PATH_TOO_LONG", Severity::Error},
    {Code::NoRoomForCustomName, L"NO_ROOM_FOR_CUSTOM_NAME", Severity::Warning},
    {Code::NameNotInCodePage, L"NAME_NOT_IN_CODE_PAGE", Severity::Warning},
    {Code::NoPicture, L"NO_PICTURE", Severity::Warning},
    {Code::UnreadableFile, L"UNREADABLE_FILE", Severity::Error},
    {Code::FileTooLarge, L"FILE_TOO_LARGE", Severity::Error},
    {Code::MaterialEncoding, L"MATERIAL_ENCODING", Severity::Warning},
    {Code::KeyMissing, L"KEY_MISSING", Severity::Error},
    {Code::NotANumber, L"NOT_A_NUMBER", Severity::Error},
    {Code::OutOfRange, L"OUT_OF_RANGE", Severity::Error},
    {Code::LanguageFileMissing, L"LANGUAGE_FILE_MISSING", Severity::Error},
    {Code::LanguageFileEncoding, L"LANGUAGE_FILE_ENCODING", Severity::Error},
    {Code::LanguageSectionTwice, L"LANGUAGE_SECTION_TWICE", Severity::Warning},
    {Code::LanguageMissing, L"LANGUAGE_MISSING", Severity::Error},
    {Code::TextMissing, L"TEXT_MISSING", Severity::Error},
    {Code::TextCut, L"TEXT_CUT", Severity::Warning},
};

// Describe() indexes the table by the code.
static_assert([] {
    for (std::size_t i = 0; i < std::size(kCodes); ++i)
        if (kCodes[i].code != static_cast<Code>(i))
            return false;
    return true;
}());

} // namespace

std::span<const CodeInfo> AllCodes() { return kCodes; }

const CodeInfo& Describe(Code code) { return kCodes[static_cast<std::size_t>(code)]; }

const wchar_t* SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Note:
        return L"note";
    case Severity::Warning:
        return L"warning";
    case Severity::Error:
        return L"error";
    }
    return L"error";
}

} // namespace checker

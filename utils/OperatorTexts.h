#pragma once
// Texts of the custom-material commands (menu items, questions, messages),
// of the tips and of the find box, read from the language file under keys of
// their own. A language file that lacks a key keeps working: the built-in
// English text stands in for it.
// Free of Win32 so the table can be checked natively.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace utils {

enum class OperatorText : std::size_t {
    MenuRename,
    MenuDelete,
    ReplaceQuestion,
    AliasRefused,
    ChooseResolution,
    DeleteQuestion,
    CannotRecycle,
    DeleteFailed,
    RenameTaken,
    RenameFailed,
    ImportedCount,
    SameForOthers,
    NotImportedHeader,
    WrongExtension,
    NotMaterialFile,
    NameRefused,
    NotWritten,
    MenuImport,
    MaterialFiles,
    MenuExport,
    ExportFolderTitle,
    ExportedCount,
    ExportedWhere,
    ExportIntoLibrary,
    ExportIntoDataFolder,
    OtherFileName,
    ReadOnlyTarget,
    TipTexture,
    TipAcceptKey,
    TipSaveAsKey,
    TipCancelKey,
    SaveFolderTooLong,
    ImportFolderTooLong,
    LibraryRootUnreachable,
    ChangedElsewhereKept,
    ChangedElsewhereShown,
    MaterialGone,
    NameTakenMeanwhile,
    ImportNameTakenMeanwhile,
    BaseGone,
    FindCue,
    FoundCount,
    FoundMore,
    NothingFound,
    Count,
};

struct OperatorTextDefault {
    int key;
    const wchar_t* english;
};

// "%s" stands for the material's name. Values stay below 100 characters, the
// size the language file is read with.
inline constexpr std::array<OperatorTextDefault, static_cast<std::size_t>(OperatorText::Count)> kOperatorTexts = {{
    {4000, L"Rename"},
    {4001, L"Delete"},
    {4002, L"A material named \"%s\" already exists. Do you want to replace it?"},
    {4003, L"\"%s\" is another name of an existing file. Please choose another file name."},
    {4004, L"Please choose a resolution before saving."},
    {4005, L"Do you want to delete the material \"%s\"? It will be moved to the Recycle Bin."},
    {4006, L"\"%s\" can't be moved to the Recycle Bin. Do you want to delete it for good?"},
    {4007, L"The material \"%s\" could not be deleted."},
    {4008, L"A material named \"%s\" already exists. Please choose another name."},
    {4009, L"The material \"%s\" could not be renamed."},
    {4200, L"Materials imported: %s."},
    {4201, L"Do the same for the other materials that already exist?"},
    {4202, L"Not imported:"},
    {4203, L"%s: not a material file of this model"},
    {4204, L"%s: not a material file, or its values are out of range"},
    {4205, L"%s: the name can't be used for a material"},
    {4206, L"%s: could not be written"},
    {4207, L"Import..."},
    {4208, L"Material files"},
    {4209, L"Export..."},
    {4210, L"Choose the folder to export the custom materials to."},
    {4211, L"Materials exported: %s."},
    {4212, L"They are in %s."},
    {4220, L"Materials can't be exported into the library itself (%s). Please choose another folder."},
    {4221, L"Materials can't be exported into the data folder (%s). Please choose another folder."},
    {4222, L"%s: another name of an existing file there"},
    {4223, L"%s: the material there is read-only"},
    {4100, L"Texture"},
    {4101, L"Key: Enter"},
    {4102, L"Key: Ctrl+S"},
    {4103, L"Key: Esc"},
    {4230, L"The material can't be saved: the path of the \"Customize\" folder is longer than %s characters."},
    {4231, L"%s: the path of the \"Customize\" folder is too long to save into"},
    {4300, L"The library folder %s can't be reached. The window opens without materials."},
    {4301, L"The material \"%s\" was changed elsewhere. Your changes in the panel are kept."},
    {4302, L"The material \"%s\" was changed elsewhere. The panel now shows its values."},
    {4303, L"The material \"%s\" is no longer there: it was removed or renamed elsewhere."},
    {4304, L"A material named \"%s\" was just saved elsewhere. Nothing was replaced."},
    {4305, L"%s: a material of that name was just saved elsewhere"},
    {4306, L"The material \"%s\" was removed elsewhere. The values shown were saved."},
    {4400, L"Part of a material's name"},
    {4401, L"Materials found: %s"},
    {4402, L"%s more: type more of the name"},
    {4403, L"No material found"},
}};

class OperatorTexts {
public:
    // The built-in English texts.
    OperatorTexts();

    const std::wstring& Get(OperatorText which) const { return m_texts[static_cast<std::size_t>(which)]; }
    void Set(OperatorText which, std::wstring text) { m_texts[static_cast<std::size_t>(which)] = std::move(text); }
    // The text with every "%s" replaced by `name`.
    std::wstring Format(OperatorText which, std::wstring_view name) const;

private:
    std::array<std::wstring, static_cast<std::size_t>(OperatorText::Count)> m_texts;
};

} // namespace utils

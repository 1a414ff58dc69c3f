// Sharing custom materials: material files from elsewhere (another machine,
// a colleague) become custom materials of the current group. A material file
// is self-contained, so it is taken over whole once it has been checked.
#include "dialog/MaterialDialog.h"

#include <shlobj.h>

#include <cwchar>

#include "framework/CommonDialogs.h"
#include "framework/FileFind.h"
#include "framework/MessageBox.h"
#include "framework/Shell.h"
#include "library/MaterialFile.h"
#include "library/MaterialTarget.h"
#include "utils/FolderPath.h"
#include "utils/MaterialName.h"
#include "utils/MaterialValues.h"

namespace {

// Every value the panel shows is there, one whole number, and one a saved
// material may hold.
bool ReadsAsMaterial(const std::wstring& file)
{
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    return !utils::CheckStoredMaterial(ReadStoredTexts(file)).has_value();
}

// The last part of a path, also of a folder kept with a trailing backslash.
std::wstring FileNameOf(std::wstring path)
{
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool EndsWithNoCase(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() &&
           ::CompareStringOrdinal(text.c_str() + text.size() - end.size(), -1, end.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The entries of a folder, "." and ".." left out.
StringList EntriesOf(const std::wstring& folder)
{
    StringList entries;
    for (const std::wstring& name : fw::EnumerateDirectory(folder + L"\\*").value_or(StringList{}))
        if (name != L"." && name != L"..")
            entries.push_back(folder + L"\\" + name);
    return entries;
}

// Why a file cannot be written where that name leads, never to be asked
// about; nothing when it can.
std::optional<utils::OperatorText> RefusalFor(TargetState target)
{
    switch (target) {
    case TargetState::OtherFile:
        return utils::OperatorText::OtherFileName;
    case TargetState::ReadOnly:
        return utils::OperatorText::ReadOnlyTarget;
    case TargetState::Free:
    case TargetState::Replaceable:
        break;
    }
    return std::nullopt;
}

} // namespace

struct MaterialDialog::ImportCandidate {
    std::wstring source;
    std::wstring name; // without the extension
    std::wstring folder;
    std::wstring target;
    int group = 0;
    bool replaces = false; // a material of that name is there
};

std::optional<MaterialDialog::ImportCandidate> MaterialDialog::CheckImport(const std::wstring& file, int group,
                                                                           std::wstring& refusals) const
{
    const std::wstring folder = CustomizeFolder(group);
    const std::wstring fileName = FileNameOf(file);
    const std::wstring extension = MaterialExtension();
    const std::wstring name = fileName.substr(0, fileName.size() - std::min(fileName.size(), extension.size()));
    const std::wstring target = folder + L"\\" + fileName;
    std::optional<utils::OperatorText> reason;
    // Without a folder to write to the file is named as not written later.
    TargetState existing = TargetState::Free;
    if (!EndsWithNoCase(fileName, extension)) {
        reason = utils::OperatorText::WrongExtension;
    } else if (!ReadsAsMaterial(file)) {
        reason = utils::OperatorText::NotMaterialFile;
    } else if (const utils::SavePathProblem room = utils::CheckSavePath(folder, fileName);
               utils::CheckMaterialName(name) != utils::NameProblem::None ||
               room == utils::SavePathProblem::PathTooLong) {
        reason = utils::OperatorText::NameRefused;
    } else if (room == utils::SavePathProblem::FolderTooLong) {
        reason = utils::OperatorText::ImportFolderTooLong;
    } else if (!folder.empty()) {
        // Before any question: a yes could not make such a file replaceable.
        existing = InspectTarget(target).state;
        reason = RefusalFor(existing);
    }
    if (!reason)
        return ImportCandidate{file, name, folder, target, group, existing == TargetState::Replaceable};
    refusals += L"\n" + m_texts.Format(*reason, fileName);
    return std::nullopt;
}

WriteOutcome MaterialDialog::WriteImport(const ImportCandidate& candidate, bool replace) const
{
    return ImportMaterialFile(candidate.folder, candidate.target, candidate.source, m_materialTextureName, replace);
}

// IDYES or IDNO for an import onto an existing material; `forAll` keeps an
// answer the operator gave for every other one as well.
int MaterialDialog::AskReplace(const std::wstring& name, int othersLeft, int& forAll) const
{
    if (forAll != 0)
        return forAll;
    const int answer =
        fw::ShowMessage(m_texts.Format(utils::OperatorText::ReplaceQuestion, name), MB_YESNO | MB_DEFBUTTON2);
    if (othersLeft > 0 &&
        fw::ShowMessage(m_texts.Get(utils::OperatorText::SameForOthers), MB_YESNO | MB_DEFBUTTON2) == IDYES)
        forAll = answer;
    return answer;
}

void MaterialDialog::ImportMaterials(const StringList& files)
{
    std::vector<std::pair<std::wstring, int>> requests;
    for (const std::wstring& file : files)
        requests.emplace_back(file, m_curGroup);
    ImportInto(requests);
}

void MaterialDialog::ImportInto(const std::vector<std::pair<std::wstring, int>>& requests)
{
    std::wstring refusals;
    std::vector<ImportCandidate> candidates;
    int conflicts = 0;
    for (const auto& [file, group] : requests)
        if (auto candidate = CheckImport(file, group, refusals)) {
            conflicts += candidate->replaces ? 1 : 0;
            candidates.push_back(std::move(*candidate));
        }
    int imported = 0;
    int forAll = 0;
    std::wstring shownName;
    bool loadedReplaced = false;
    unsigned writtenGroups = 0;
    for (const ImportCandidate& candidate : candidates) {
        const std::wstring fileName = FileNameOf(candidate.source);
        if (candidate.folder.empty()) {
            refusals += L"\n" + m_texts.Format(utils::OperatorText::NotWritten, fileName);
            continue;
        }
        // Looked at again: an earlier file of this import may have taken the name.
        const TargetState existing = InspectTarget(candidate.target).state;
        if (const auto reason = RefusalFor(existing)) {
            refusals += L"\n" + m_texts.Format(*reason, fileName);
            continue;
        }
        const bool replace = existing == TargetState::Replaceable;
        if (replace && AskReplace(candidate.name, --conflicts, forAll) != IDYES)
            continue;
        if (const WriteOutcome written = WriteImport(candidate, replace); written != WriteOutcome::Written) {
            // A name another station took after it was found free keeps
            // that station's material.
            refusals += L"\n" + m_texts.Format(written == WriteOutcome::NameTaken
                                                   ? utils::OperatorText::ImportNameTakenMeanwhile
                                                   : utils::OperatorText::NotWritten,
                                               fileName);
            continue;
        }
        ++imported;
        writtenGroups |= utils::GroupBit(candidate.group);
        if (candidate.group == m_curGroup)
            shownName = FileNameOf(candidate.target);
        loadedReplaced = loadedReplaced || (m_bMaterialShown && utils::SamePath(candidate.target, m_materialFilePath));
    }
    ShowImportSummary(imported, refusals);
    if (imported == 0)
        return;
    RebuildCustomizeView(writtenGroups);
    if (!shownName.empty())
        m_listMaterials.SelectItem(ItemOfFile(shownName));
    // The panel must never show values the file no longer holds: Accept
    // would hand the driver a material the operator has not seen.
    if (loadedReplaced)
        LoadMaterial(m_materialFilePath, true);
}

void MaterialDialog::ShowImportSummary(int imported, const std::wstring& refusals) const
{
    std::wstring text = m_texts.Format(utils::OperatorText::ImportedCount, std::to_wstring(imported));
    if (!refusals.empty())
        text += L"\n\n" + m_texts.Get(utils::OperatorText::NotImportedHeader) + refusals;
    fw::ShowMessage(text, refusals.empty() ? MB_OK | MB_ICONINFORMATION : MB_OK);
}

int MaterialDialog::GroupOfFolder(const std::wstring& folder) const
{
    const std::wstring name = FileNameOf(folder);
    for (int group = 1; group <= utils::kScannedGroups; ++group)
        if (const LibraryGroup* found = m_library.Group(group);
            found && ::CompareStringOrdinal(found->name.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
            return group;
    return 0;
}

void MaterialDialog::OnDropFiles(HDROP drop)
{
    // An export holds <parameter folder>\<group folder>\files; the chosen
    // folder, the parameter folder or one group folder of it may be dropped.
    std::vector<std::pair<std::wstring, int>> requests;
    const std::wstring paramName = FileNameOf(m_strParamFolder);
    for (std::wstring path : fw::TakeDroppedFiles(drop)) {
        if (!IsFolder(path)) {
            requests.emplace_back(path, m_curGroup);
            continue;
        }
        if (!paramName.empty() && IsFolder(path + L"\\" + paramName))
            path += L"\\" + paramName;
        if (const int group = GroupOfFolder(path); group != 0) {
            for (const std::wstring& file : EntriesOf(path))
                requests.emplace_back(file, group);
            continue;
        }
        // A folder that names no group of this library leaves its files to
        // the current group.
        for (const std::wstring& entry : EntriesOf(path)) {
            if (!IsFolder(entry)) {
                requests.emplace_back(entry, m_curGroup);
                continue;
            }
            const int group = GroupOfFolder(entry);
            for (const std::wstring& file : EntriesOf(entry))
                requests.emplace_back(file, group != 0 ? group : m_curGroup);
        }
    }
    ImportInto(requests);
}

void MaterialDialog::ChooseImportFiles()
{
    const StringList files = fw::AskOpenFiles(Hwnd(), m_texts.Get(utils::OperatorText::MaterialFiles),
                                              std::wstring(L"*") + MaterialExtension());
    if (!files.empty())
        ImportMaterials(files);
}

void MaterialDialog::ChooseExportFolder()
{
    const std::wstring folder = fw::AskFolder(Hwnd(), m_texts.Get(utils::OperatorText::ExportFolderTitle));
    if (!folder.empty())
        ExportMaterials(folder);
}

void MaterialDialog::ExportGroup(int group, const std::wstring& target,
                                 std::vector<std::pair<std::wstring, std::wstring>>& copies) const
{
    const std::wstring folder = CustomizeFolder(group);
    if (folder.empty())
        return;
    for (const std::wstring& file : EntriesOf(folder))
        if (!IsFolder(file) && EndsWithNoCase(file, MaterialExtension()))
            copies.emplace_back(file, target + L"\\" + FileNameOf(file));
}

std::optional<std::wstring> MaterialDialog::RefusedExportDestination(const std::wstring& destination) const
{
    // In the library the files would be read back as a group's category,
    // ahead of its real ones; in the data folder they would lie among the
    // driver's files. Compared as the system holds the folders, so that a
    // short name or a "..\" leads nowhere else.
    const std::wstring chosen = fw::SystemPath(destination);
    if (utils::IsSameOrBelow(chosen, fw::SystemPath(LibraryRoot())))
        return m_texts.Format(utils::OperatorText::ExportIntoLibrary, LibraryRoot());
    if (!m_strDataFolder.empty() && utils::IsSameOrBelow(chosen, fw::SystemPath(m_strDataFolder)))
        return m_texts.Format(utils::OperatorText::ExportIntoDataFolder, m_strDataFolder);
    return std::nullopt;
}

void MaterialDialog::ExportMaterials(const std::wstring& destination)
{
    if (const std::optional<std::wstring> refusal = RefusedExportDestination(destination)) {
        fw::ShowMessage(*refusal, MB_OK);
        return;
    }
    // The library's own layout, so that an export reads as the library does
    // and can be dropped back as it is.
    std::vector<std::pair<std::wstring, std::wstring>> copies;
    const std::wstring paramFolder = destination + L"\\" + FileNameOf(m_strParamFolder);
    for (int group = 1; group <= utils::kScannedGroups; ++group)
        if (const LibraryGroup* found = m_library.Group(group))
            ExportGroup(group, paramFolder + L"\\" + found->name, copies);
    int conflicts = 0;
    for (const auto& copy : copies)
        conflicts += InspectTarget(copy.second).state == TargetState::Replaceable ? 1 : 0;
    int exported = 0;
    int forAll = 0;
    std::wstring refusals;
    for (const auto& [source, target] : copies) {
        const std::wstring name = FileNameOf(target);
        const TargetState existing = InspectTarget(target).state;
        if (const auto reason = RefusalFor(existing)) {
            refusals += L"\n" + m_texts.Format(*reason, name);
            continue;
        }
        if (existing == TargetState::Replaceable &&
            AskReplace(name.substr(0, name.size() - std::wcslen(MaterialExtension())), --conflicts, forAll) != IDYES)
            continue;
        ::SHCreateDirectoryExW(nullptr, target.substr(0, target.size() - name.size() - 1).c_str(), nullptr);
        if (::CopyFileW(source.c_str(), target.c_str(), FALSE))
            ++exported;
        else
            refusals += L"\n" + m_texts.Format(utils::OperatorText::NotWritten, name);
    }
    fw::ShowMessage(m_texts.Format(utils::OperatorText::ExportedCount, std::to_wstring(exported)) + L"\n" +
                        m_texts.Format(utils::OperatorText::ExportedWhere, paramFolder) + refusals,
                    MB_OK | MB_ICONINFORMATION);
}

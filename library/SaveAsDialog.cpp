#include "library/SaveAsDialog.h"

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "library/MaterialFile.h"
#include "library/MaterialTarget.h"
#include "resources/resource.h"
#include "utils/HandOffRules.h"
#include "utils/MaterialName.h"

SaveAsDialog::SaveAsDialog(HWND parent) : fw::Dialog(IDD_SAVE_AS, parent) {}

void SaveAsDialog::DoDataExchange(fw::DataExchange& dx)
{
    dx.Control(IDC_FILE_NAME, m_editName);
    dx.Text(IDC_FILE_NAME, m_strFileName);
}

bool SaveAsDialog::OnInitDialog() { return fw::Dialog::OnInitDialog(); }

bool SaveAsDialog::OnCommand(WORD id, WORD code, HWND control)
{
    // Typing in the name field needs no answer.
    return id == IDC_FILE_NAME && code == EN_CHANGE && control != nullptr;
}

void SaveAsDialog::OnOK()
{
    const std::wstring sourcePath = GetSourcePath();
    UpdateData(true);
    const std::optional<Target> target = CheckedTarget();
    if (!target)
        return;

    SetSavedName(m_strFileName);
    // The material the panel was loaded from may have been removed at another
    // station; the values shown are saved all the same, with the operator told.
    const bool baseGone = ::GetFileAttributesW(sourcePath.c_str()) == INVALID_FILE_ATTRIBUTES;
    switch (WriteMaterial(sourcePath, *target)) {
    case WriteOutcome::Written:
        break;
    case WriteOutcome::NameTaken:
        // Another station saved under this name after it was found free: its
        // material stays. Saving again asks whether to replace it.
        OnDataExchangeError(m_editName.Hwnd(), m_texts.Format(utils::OperatorText::NameTakenMeanwhile, m_strFileName));
        return;
    case WriteOutcome::Failed:
        // The main dialog must not go on to select a material that was not stored.
        fw::ShowMessage(utils::MaterialNotSavedMessage(target->path), MB_OK);
        return;
    }
    if (baseGone)
        fw::ShowMessage(m_texts.Format(utils::OperatorText::BaseGone,
                                       utils::MaterialNameOfPath(sourcePath, utils::MaterialExtension(m_strModel))),
                        MB_OK);
    fw::Dialog::OnOK();
}

std::optional<SaveAsDialog::Target> SaveAsDialog::CheckedTarget()
{
    const std::wstring targetFolder = GetTargetFolder();
    // Nothing is written for a name that would leave the folder, open a
    // device or be stored under another name than the one typed.
    const utils::NameProblem problem = utils::CheckMaterialName(m_strFileName);
    if (problem != utils::NameProblem::None) {
        OnDataExchangeError(m_editName.Hwnd(), utils::NameProblemMessage(problem, m_strFileName));
        return std::nullopt;
    }
    if (targetFolder.empty()) {
        fw::ShowMessage(utils::NoCustomizeFolderMessage(), MB_OK);
        return std::nullopt;
    }
    const std::wstring fileName = m_strFileName + utils::MaterialExtension(m_strModel);
    const std::wstring targetPath = targetFolder + L"\\" + fileName;
    switch (utils::CheckSavePath(targetFolder, fileName)) {
    case utils::SavePathProblem::None:
        break;
    case utils::SavePathProblem::FolderTooLong:
        // No name helps here: the folder leaves no room for the temporary file.
        fw::ShowMessage(
            m_texts.Format(utils::OperatorText::SaveFolderTooLong, std::to_wstring(utils::kMaxSaveFolderLength)),
            MB_OK);
        return std::nullopt;
    case utils::SavePathProblem::PathTooLong:
        OnDataExchangeError(m_editName.Hwnd(), utils::PathTooLongMessage());
        return std::nullopt;
    }
    const std::optional<bool> replace = ConfirmTarget(targetPath);
    if (!replace)
        return std::nullopt;
    return Target{targetPath, *replace};
}

std::optional<bool> SaveAsDialog::ConfirmTarget(const std::wstring& targetPath)
{
    switch (InspectTarget(targetPath).state) {
    case TargetState::Free:
        return false;
    case TargetState::OtherFile:
        OnDataExchangeError(m_editName.Hwnd(), m_texts.Format(utils::OperatorText::AliasRefused, m_strFileName));
        return std::nullopt;
    case TargetState::ReadOnly:
        fw::ShowMessage(utils::MaterialNotSavedMessage(targetPath), MB_OK);
        return std::nullopt;
    case TargetState::Replaceable:
        break;
    }
    const int answer =
        fw::ShowMessage(m_texts.Format(utils::OperatorText::ReplaceQuestion, m_strFileName), MB_YESNO | MB_DEFBUTTON2);
    if (answer == IDYES)
        return true;
    // Back to the name, selected so that typing replaces it.
    ::SetFocus(m_editName.Hwnd());
    m_editName.SelectAll();
    return std::nullopt;
}

WriteOutcome SaveAsDialog::WriteMaterial(const std::wstring& sourcePath, const Target& target)
{
    static constexpr double kNoParams[5] = {};
    return SaveMaterialAs(GetTargetFolder(), target.path, sourcePath, m_pParams ? m_pParams : kNoParams,
                          m_strTextureName, target.replace);
}

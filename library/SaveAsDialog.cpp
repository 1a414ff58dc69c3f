#include "library/SaveAsDialog.h"

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"
#include "resources/resource.h"
#include "utils/HandOffRules.h"
#include "utils/MaterialName.h"
#include "utils/MaterialValues.h"
#include "utils/ProfileText.h"

namespace {

bool IsExistingFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

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
    const std::wstring targetFolder = GetTargetFolder();
    const std::wstring sourcePath = GetSourcePath();
    UpdateData(true);
    const wchar_t* extension = utils::MaterialExtension(m_strModel);

    // Nothing is written for a name that would leave the folder, open a
    // device or be stored under another name than the one typed.
    const utils::NameProblem problem = utils::CheckMaterialName(m_strFileName);
    if (problem != utils::NameProblem::None) {
        OnDataExchangeError(m_editName.Hwnd(), utils::NameProblemMessage(problem, m_strFileName));
        return;
    }
    if (targetFolder.empty()) {
        fw::ShowMessage(utils::NoCustomizeFolderMessage(), MB_OK);
        return;
    }
    const std::wstring targetPath = targetFolder + L"\\" + m_strFileName + extension;
    if (!utils::FitsMaxPath(targetPath)) {
        OnDataExchangeError(m_editName.Hwnd(), utils::PathTooLongMessage());
        return;
    }

    SetSavedName(m_strFileName);
    if (!WriteMaterial(sourcePath, targetPath)) {
        // The main dialog must not go on to select a material that was not stored.
        fw::ShowMessage(utils::MaterialNotSavedMessage(targetPath), MB_OK);
        return;
    }
    fw::Dialog::OnOK();
}

bool SaveAsDialog::WriteMaterial(const std::wstring& sourcePath, const std::wstring& targetPath)
{
    const bool existedBefore = IsExistingFile(targetPath);
    // The shown material is the base: every key other than the six below is
    // carried over. A failed copy still leaves the six keys to write.
    if (::CopyFileW(sourcePath.c_str(), targetPath.c_str(), FALSE)) {
        // A copy takes the base file's attributes; a read-only base must not
        // make the new material refuse its own keys.
        const DWORD attributes = ::GetFileAttributesW(targetPath.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            ::SetFileAttributesW(targetPath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }

    static constexpr double kNoParams[5] = {};
    const double* params = m_pParams ? m_pParams : kNoParams;
    const int markMode = utils::TruncateToInt(params[0]);
    const int speedTenths = utils::SpeedToTenths(params[1]);
    const int power = utils::TruncateToInt(params[2]);
    const int ppi = utils::TruncateToInt(params[3]);
    const int resolution = utils::ResolutionToWrite(params[4]);

    bool stored = !utils::NeedsUnicodeProfile(m_strTextureName) || fw::EnsureUnicodeProfileFile(targetPath);
    stored = stored && fw::WriteProfileInt(targetPath, L"OPTION", L"MARK_MODE", markMode);
    stored = stored && fw::WriteProfileInt(targetPath, L"PEN", L"PEN1SPEED", speedTenths);
    stored = stored && fw::WriteProfileInt(targetPath, L"PEN", L"PEN1POWER", power);
    stored = stored && fw::WriteProfileInt(targetPath, L"PEN", L"PEN1PPI", ppi);
    stored = stored && fw::WriteProfileInt(targetPath, L"OPTION", L"RESOLUTION", resolution);
    stored = stored && fw::WriteProfileString(targetPath, L"OPTION", L"MATERIAL", m_strTextureName);
    stored = stored && IsExistingFile(targetPath);
    if (!stored && !existedBefore)
        ::DeleteFileW(targetPath.c_str()); // no half-made material for the next scan to show
    return stored;
}

#include "library/SaveAsDialog.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "framework/DataExchange.h"
#include "framework/FileBytes.h"
#include "framework/MessageBox.h"
#include "resources/resource.h"
#include "utils/HandOffRules.h"
#include "utils/MaterialName.h"
#include "utils/MaterialValues.h"
#include "utils/ProfileText.h"

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (*this)
            ::CloseHandle(m_handle);
    }
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool IsExistingFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

std::wstring Decode(UINT codePage, std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

bool WriteNumber(const wchar_t* section, const wchar_t* key, int value, const std::wstring& file)
{
    return ::WritePrivateProfileStringW(section, key, std::to_wstring(value).c_str(), file.c_str()) != FALSE;
}

} // namespace

bool EnsureUnicodeProfileFile(const std::wstring& path)
{
    if (!utils::FitsMaxPath(path))
        return false;
    DWORD error = 0;
    const std::optional<std::string> bytes = fw::ReadWholeFile(path, error);
    if (!bytes) {
        if (error != ERROR_FILE_NOT_FOUND)
            return false;
        FileHandle created(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        return created && WriteAll(created.Get(), utils::EncodeUtf16Le(L""));
    }

    std::wstring text;
    switch (utils::DetectTextEncoding(*bytes)) {
    case utils::TextEncoding::Utf16Le:
    case utils::TextEncoding::Utf16Be:
        return true;
    case utils::TextEncoding::Utf8Bom:
        text = Decode(CP_UTF8, std::string_view(*bytes).substr(3));
        break;
    case utils::TextEncoding::EightBit:
        // The code page the profile functions read an 8-bit file in.
        text = Decode(CP_ACP, *bytes);
        break;
    }

    FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    if (WriteAll(file.Get(), utils::EncodeUtf16Le(text)))
        return true;
    // Half a file is worse than an 8-bit one: put the old content back.
    ::SetFilePointer(file.Get(), 0, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file.Get());
    WriteAll(file.Get(), *bytes);
    return false;
}

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
        fw::MessageBox(utils::NameProblemMessage(problem, m_strFileName), MB_OK);
        if (m_editName) {
            ::SetFocus(m_editName.Hwnd());
            m_editName.Send(EM_SETSEL, 0, -1);
        }
        return;
    }
    if (targetFolder.empty()) {
        fw::MessageBox(utils::NoCustomizeFolderMessage(), MB_OK);
        return;
    }
    const std::wstring targetPath = targetFolder + L"\\" + m_strFileName + extension;
    if (!utils::FitsMaxPath(targetPath)) {
        fw::MessageBox(utils::PathTooLongMessage(), MB_OK);
        if (m_editName) {
            ::SetFocus(m_editName.Hwnd());
            m_editName.Send(EM_SETSEL, 0, -1);
        }
        return;
    }

    SetSavedName(m_strFileName);
    if (!WriteMaterial(sourcePath, targetPath)) {
        // The main dialog must not go on to select a material that was not stored.
        fw::MessageBox(utils::MaterialNotSavedMessage(targetPath), MB_OK);
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

    bool stored = !utils::NeedsUnicodeProfile(m_strTextureName) || EnsureUnicodeProfileFile(targetPath);
    stored = stored && WriteNumber(L"OPTION", L"MARK_MODE", markMode, targetPath);
    stored = stored && WriteNumber(L"PEN", L"PEN1SPEED", speedTenths, targetPath);
    stored = stored && WriteNumber(L"PEN", L"PEN1POWER", power, targetPath);
    stored = stored && WriteNumber(L"PEN", L"PEN1PPI", ppi, targetPath);
    stored = stored && WriteNumber(L"OPTION", L"RESOLUTION", resolution, targetPath);
    stored = stored && ::WritePrivateProfileStringW(L"OPTION", L"MATERIAL", m_strTextureName.c_str(),
                                                    targetPath.c_str()) != FALSE;
    stored = stored && IsExistingFile(targetPath);
    if (!stored && !existedBefore)
        ::DeleteFileW(targetPath.c_str()); // no half-made material for the next scan to show
    return stored;
}

#include "dialog/MaterialDialog.h"

#include <algorithm>

#include "environment/DataFolder.h"
#include "framework/FileFind.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"
#include "utils/HandOffRules.h"

namespace {

// Profile values are read into buffers of this many characters, so a value
// keeps at most its first 99.
constexpr DWORD kValueBuffer = 100;

std::wstring ReadHandOffValue(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                              const wchar_t* fallback)
{
    return fw::ReadProfileString(file, section, key, fallback, kValueBuffer);
}

} // namespace

void MaterialDialog::SelectDataFolder()
{
    if (!m_dataFolderOverride.empty()) {
        m_strDataFolder = m_dataFolderOverride;
        return;
    }
    m_strDataFolder = SystemDataFolder();
}

void MaterialDialog::LoadDriverHandOff()
{
    const std::wstring handOff = m_strDataFolder + L"~Drv2Ma.dat";

    m_strModel = ReadHandOffValue(handOff, L"MachInfo", L"Device", L"R250");
    if (const std::optional<std::wstring> folder = utils::ParameterFolderName(m_strModel))
        m_strParamFolder = *folder;
    else
        fw::MessageBox(L"Machine model Error");

    // Only a folder found under the library root in this run is scanned: a
    // bare or stale name would resolve against the current folder, and the
    // scan would create "Customize" folders wherever that is.
    bool found = false;
    if (const auto entries = fw::EnumerateDirectory(LibraryRoot() + L"*.*")) {
        found = std::find(entries->begin(), entries->end(), m_strParamFolder) != entries->end();
        if (found)
            m_strParamFolder = LibraryRoot() + m_strParamFolder;
        else
            fw::MessageBox(L"Material model Error 101");
    }
    if (found)
        ScanLibrary();
    else
        ForgetLibrary();

    const std::wstring language = ReadHandOffValue(handOff, L"Language", L"Lang", L"N/A");
    if (!utils::IsAcceptedLanguage(language))
        fw::MessageBox(L"Language Name Error");
    LoadLanguageTables(language);
    ApplyGroupCaptions(1);
}

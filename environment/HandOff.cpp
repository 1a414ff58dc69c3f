#include "dialog/MaterialDialog.h"

#include <algorithm>

#include "environment/DataFolder.h"
#include "framework/FileFind.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"
#include "utils/HandOffRules.h"

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

    m_strModel = fw::ReadProfileString(handOff, L"MachInfo", L"Device", L"R250");
    if (const std::optional<std::wstring> folder = utils::ParameterFolderName(m_strModel))
        m_strParamFolder = *folder;
    else
        fw::ShowMessage(L"Machine model Error");

    // Only a folder found under the library root in this run is scanned: a
    // bare or stale name would resolve against the current folder, and the
    // scan would create "Customize" folders wherever that is.
    bool found = false;
    const auto entries = fw::EnumerateDirectory(LibraryRoot() + L"*.*");
    if (entries) {
        found = std::find(entries->begin(), entries->end(), m_strParamFolder) != entries->end();
        if (found)
            m_strParamFolder = LibraryRoot() + m_strParamFolder;
        else
            fw::ShowMessage(L"Material model Error 101");
    }
    // A root the integrator named, on a share that is down or a drive that is
    // not connected: without a word the operator would take the empty window
    // for an empty library. The default root stays silent, as it always was.
    const bool unreachable = !entries && m_libraryRoot.configured;
    if (found)
        ScanLibrary();
    else
        m_library.Clear();

    const std::wstring language = fw::ReadProfileString(handOff, L"Language", L"Lang", L"N/A");
    if (!utils::IsAcceptedLanguage(language))
        fw::ShowMessage(L"Language Name Error");
    LoadLanguageTables(language);
    ApplyGroupCaptions(1);
    // Told once the language file is read, in the operator's language.
    if (unreachable)
        fw::ShowMessage(m_texts.Format(utils::OperatorText::LibraryRootUnreachable, LibraryRoot()), MB_OK);
}

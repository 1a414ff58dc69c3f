#include "dialog/MaterialDialog.h"

#include <algorithm>

#include "environment/DataFolder.h"
#include "framework/FileFind.h"
#include "framework/Profile.h"
#include "utils/HandOffRules.h"
#include "utils/LibraryScan.h"

static_assert(utils::kSlotTableSize == MaterialDialog::kSlotTableSize);

void MaterialDialog::StoreLibrary(utils::LibraryScan scan)
{
    m_groupEntries = std::move(scan.groupEntries);
    m_groupEntryCount = scan.groupEntryCount;
    m_groupPaths = std::move(scan.groupPaths);
    m_categoryEntries = std::move(scan.categoryEntries);
    m_categoryPaths = std::move(scan.categoryPaths);
    m_materialEntries = std::move(scan.materialEntries);
    m_customizeEntries = std::move(scan.customizeEntries);
    std::copy(scan.categoryCount.begin(), scan.categoryCount.end(), m_categoryCount);
    std::copy(scan.categoryEnd.begin(), scan.categoryEnd.end(), m_categoryEnd);
    std::copy(scan.customizeEnd.begin(), scan.customizeEnd.end(), m_customizeEnd);
}

namespace {

std::optional<std::vector<std::wstring>> ListFolder(const std::wstring& folder)
{
    return fw::EnumerateDirectory(folder + L"\\*.*");
}

} // namespace

void MaterialDialog::OnBeforeCreate()
{
    // The hand-off names the model before the window exists: its library is
    // listed on a worker meanwhile. Everything the start-up decides and says
    // about the model, the data folder and the library is still decided and
    // said where it always was; a listing that turns out not to be the
    // scanned library's is not used.
    const std::wstring dataFolder = m_dataFolderOverride.empty() ? SystemDataFolder() : m_dataFolderOverride;
    const std::wstring model = fw::ReadProfileString(dataFolder + L"~Drv2Ma.dat", L"MachInfo", L"Device", L"R250");
    if (const std::optional<std::wstring> folder = utils::ParameterFolderName(model))
        m_listingAhead.Start(LibraryRoot() + *folder, &ListFolder);
}

void MaterialDialog::ScanLibrary()
{
    const auto create = [](const std::wstring& folder) { return ::CreateDirectoryW(folder.c_str(), nullptr) != FALSE; };
    StoreLibrary(utils::ScanLibraryTree(m_strParamFolder, m_listingAhead.Take(m_strParamFolder, &ListFolder), create));
}

void MaterialDialog::ForgetLibrary() { StoreLibrary(utils::LibraryScan{}); }

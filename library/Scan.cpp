#include "dialog/MaterialDialog.h"

#include <algorithm>

#include "framework/FileFind.h"
#include "library/MaterialFile.h"
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
    // The lists grew while the folders were read; what they kept spare would
    // stay with the dialog for its whole life.
    for (StringList* list : {&m_materialEntries, &m_customizeEntries, &m_categoryEntries})
        list->shrink_to_fit();
    std::copy(scan.categoryCount.begin(), scan.categoryCount.end(), m_categoryCount);
    std::copy(scan.categoryEnd.begin(), scan.categoryEnd.end(), m_categoryEnd);
    std::copy(scan.customizeEnd.begin(), scan.customizeEnd.end(), m_customizeEnd);
}

void MaterialDialog::ScanLibrary()
{
    const auto list = [](const std::wstring& folder) { return fw::EnumerateDirectory(folder + L"\\*.*"); };
    const auto create = [](const std::wstring& folder) { return ::CreateDirectoryW(folder.c_str(), nullptr) != FALSE; };
    StoreLibrary(utils::ScanLibraryTree(m_strParamFolder, list, create));
}

void MaterialDialog::ForgetLibrary() { StoreLibrary(utils::LibraryScan{}); }

void MaterialDialog::RemoveLeftoverSaves() const
{
    const int groups = std::min(static_cast<int>(m_groupPaths.size()), utils::kScannedGroups);
    for (int group = 1; group <= groups; ++group)
        if (const std::wstring folder = CustomizeFolder(group); !folder.empty())
            RemoveLeftoverTempFiles(folder);
}

void MaterialDialog::RescanLibrary()
{
    if (m_libraryFound)
        ScanLibrary();
    else
        ForgetLibrary();
}

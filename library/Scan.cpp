#include "dialog/MaterialDialog.h"

#include <algorithm>

#include "framework/FileFind.h"
#include "utils/LibraryScan.h"

namespace {

void Store(MaterialDialog& dialog, utils::LibraryScan scan)
{
    dialog.m_groupEntries = std::move(scan.groupEntries);
    dialog.m_groupEntryCount = scan.groupEntryCount;
    dialog.m_groupPaths = std::move(scan.groupPaths);
    dialog.m_categoryEntries = std::move(scan.categoryEntries);
    dialog.m_categoryPaths = std::move(scan.categoryPaths);
    dialog.m_materialEntries = std::move(scan.materialEntries);
    dialog.m_customizeEntries = std::move(scan.customizeEntries);
    std::copy(scan.categoryCount.begin(), scan.categoryCount.end(), dialog.m_categoryCount);
    std::copy(scan.categoryEnd.begin(), scan.categoryEnd.end(), dialog.m_categoryEnd);
    std::copy(scan.customizeEnd.begin(), scan.customizeEnd.end(), dialog.m_customizeEnd);
}

} // namespace

static_assert(utils::kSlotTableSize == MaterialDialog::kSlotTableSize);

void MaterialDialog::ScanLibrary()
{
    const auto list = [](const std::wstring& folder) { return fw::EnumerateDirectory(folder + L"\\*.*"); };
    const auto create = [](const std::wstring& folder) {
        return ::CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
    };
    Store(*this, utils::ScanLibraryTree(m_strParamFolder, list, create));
}

void MaterialDialog::ForgetLibrary() { Store(*this, utils::LibraryScan{}); }

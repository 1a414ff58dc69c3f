#include "dialog/MaterialDialog.h"

#include "library/MaterialFile.h"
#include "utils/LibraryScan.h"

namespace {

// Listing ahead starts once the window has stood idle this long after its
// start-up, and goes on in slices of the budget, one per tick.
constexpr UINT_PTR kListAheadTimer = 50;
constexpr UINT kListAheadFirstDelayMs = 500;
constexpr UINT kListAheadTickMs = 25;
constexpr std::chrono::milliseconds kListAheadBudget{10};

} // namespace

void MaterialDialog::ScanLibrary()
{
    m_listAhead.Stop();
    m_library.Open(m_strParamFolder);
}

void MaterialDialog::RemoveLeftoverSaves() const
{
    for (int group = 1; group <= utils::kScannedGroups; ++group)
        if (const std::wstring folder = CustomizeFolder(group); !folder.empty())
            RemoveLeftoverTempFiles(folder);
}

bool MaterialDialog::ListAheadSlice() { return m_listAhead.Slice(m_library, m_curGroup, kListAheadBudget); }

void MaterialDialog::ListAheadLater()
{
    if (m_library.NextUnlisted(m_curGroup))
        ::SetTimer(m_hWnd, kListAheadTimer, kListAheadFirstDelayMs, nullptr);
}

bool MaterialDialog::OnListAheadTimer(UINT_PTR id)
{
    if (id != kListAheadTimer)
        return false;
    // A timer message comes only when nothing else waits: the operator's
    // clicks and keys go first, and each waits for one slice at most.
    if (ListAheadSlice())
        ::SetTimer(m_hWnd, kListAheadTimer, kListAheadTickMs, nullptr);
    else
        ::KillTimer(m_hWnd, kListAheadTimer);
    return true;
}

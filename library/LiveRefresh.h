#pragma once
// What the window must read again while other stations change the library
// under it: the change notices of the model folder, its groups and the shown
// folder, gathered until a burst has settled, and, for a folder whose watch
// is refused, a cheap comparison of its listing now and then instead.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/FolderWatch.h"

class LibraryFollower {
public:
    // Posted to the window when change notices wait to be taken.
    static constexpr UINT kChangedMessage = WM_APP + 40;

    // What the window reads again at the next refresh.
    struct Due {
        // The model folder or a group changed: groups and categories.
        bool structure = false;
        // The shown folder changed (or may have, where no notice told).
        bool shown = false;
        // Renames within the shown folder, old name to new, as reported.
        std::vector<std::pair<std::wstring, std::wstring>> renames;
    };

    // The worker that waits on the notices for `window`; Stop ends it.
    void Start(HWND window);
    void Stop();
    bool Started() const { return m_watcher != nullptr; }

    // Watches `structure` (names only) and `shown` (also writes to its files;
    // empty for none) from now on. A folder shown anew is due to be read
    // again: what changed in it before its watch was made (while another
    // folder was shown, or between its listing and the worker's making of the
    // watch) no notice reports.
    void Follow(std::vector<std::wstring> structure, const std::wstring& shown);
    const std::wstring& Shown() const { return m_shown; }

    // The notices the worker gathered, taken into what is due.
    void TakeChanges();
    // The folders no notice reaches, listed and compared with their last
    // listing; a difference is due.
    void Poll();
    bool NeedsPolling() const { return !m_polled.empty(); }

    bool HasDue() const { return m_due.structure || m_due.shown; }
    Due TakeDue() { return std::exchange(m_due, {}); }

    // The window's settle timer, and its periodic-check timer, are set; a
    // refresh is under way (a message box it shows must not start another).
    bool settleArmed = false;
    bool pollArmed = false;
    bool refreshing = false;

private:
    bool IsStructure(const std::wstring& folder) const;
    void MarkDue(const std::wstring& folder);

    std::unique_ptr<fw::FolderWatcher> m_watcher;
    std::vector<std::wstring> m_structure;
    std::wstring m_shown;
    // The folders whose watch was refused, each with the signature of its
    // last listing.
    std::vector<std::pair<std::wstring, std::optional<std::uint64_t>>> m_polled;
    Due m_due;
};

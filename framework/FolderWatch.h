#pragma once
// Watching folders for what other programs (another station sharing the
// folders, Explorer) change in them, without polling: one worker thread waits
// on the system's change notices of every watched folder and tells a window
// by a posted message, so a window with nothing changing wakes for nothing.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// One change the system reported for a name in a watched folder. A rename
// within the folder comes as RenamedFrom followed by RenamedTo.
struct FolderEvent {
    enum class Kind { Added, Removed, Modified, RenamedFrom, RenamedTo };
    Kind kind = Kind::Modified;
    std::wstring name;
};

// What happened in one watched folder since the changes were last taken.
struct FolderChanges {
    std::wstring folder; // as it was handed to Watch
    // The folder cannot be watched (the share refuses change notices, or the
    // folder went away): whoever needs it current must look at it himself.
    bool refused = false;
    // More happened than the system could report (its buffer ran over): the
    // events are incomplete and the whole folder must be read again.
    bool overflowed = false;
    std::vector<FolderEvent> events;
};

class FolderWatcher {
public:
    struct Folder {
        std::wstring path;
        // Also writes to the files in it, not only names added, removed or
        // renamed.
        bool contents = false;
    };

    // Posts `message` (no parameters) to `window` when changes wait to be
    // taken; one such message at a time waits in the window's queue.
    FolderWatcher(HWND window, UINT message);
    FolderWatcher(const FolderWatcher&) = delete;
    FolderWatcher& operator=(const FolderWatcher&) = delete;
    ~FolderWatcher();

    // Watches exactly these folders, each without its sub-folders, from now
    // on; a folder watched before keeps its watch and the changes it holds.
    // The watches are made by the worker: a refusal comes as a change.
    void Watch(std::vector<Folder> folders);
    // The changes of the folders watched now, and forgets them.
    std::vector<FolderChanges> TakeChanges();

private:
    struct Shared;
    static unsigned __stdcall Run(void* shared);
    std::shared_ptr<Shared> m_shared;
    HANDLE m_thread = nullptr;
};

// For the tests of what a window does on a share that refuses change
// notices: while set, every watch made from then on is refused.
void RefuseFolderWatches(bool refuse);

// A number that changes whenever the entries of `folder` change: names,
// sizes, last write times, attributes. Nothing when it cannot be listed. For
// folders no change notice reaches: compared now and then, it tells whether
// the folder needs to be read again.
std::optional<std::uint64_t> FolderSignature(const std::wstring& folder);

} // namespace fw

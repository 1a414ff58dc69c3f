#include "framework/FolderWatch.h"

#include <process.h>

#include <algorithm>
#include <atomic>
#include <mutex>

#include "framework/FileFind.h"
#include "framework/Handle.h"

namespace fw {

namespace {

std::atomic<bool> g_refuseWatches{false};

// Room for some hundreds of names between two looks; a network share takes
// at most 64 KiB.
constexpr DWORD kNoticeBufferBytes = 16 * 1024;
// Beyond this many events of one folder, reading the folder again is cheaper
// than following them one by one.
constexpr std::size_t kMaxEventsPerFolder = 512;
// How long the end of a watcher waits for its worker: a worker stuck in
// opening a folder on a share that is gone is left to end by itself.
constexpr DWORD kWorkerEndWaitMs = 2000;

DWORD NoticeFilter(const FolderWatcher::Folder& folder)
{
    const DWORD names = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
    return folder.contents ? names | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE : names;
}

bool SameFolder(const FolderWatcher::Folder& a, const FolderWatcher::Folder& b)
{
    return a.contents == b.contents && a.path == b.path;
}

FolderEvent::Kind KindOf(DWORD action)
{
    switch (action) {
    case FILE_ACTION_ADDED:
        return FolderEvent::Kind::Added;
    case FILE_ACTION_REMOVED:
        return FolderEvent::Kind::Removed;
    case FILE_ACTION_RENAMED_OLD_NAME:
        return FolderEvent::Kind::RenamedFrom;
    case FILE_ACTION_RENAMED_NEW_NAME:
        return FolderEvent::Kind::RenamedTo;
    default:
        return FolderEvent::Kind::Modified;
    }
}

// One folder's watch: its handle, and the read of change notices that stays
// under way while the folder is watched.
struct NoticeReader {
    FolderWatcher::Folder folder;
    FileHandle directory;
    FileHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    OVERLAPPED overlapped{};
    std::vector<DWORD> buffer = std::vector<DWORD>(kNoticeBufferBytes / sizeof(DWORD));
    bool reading = false;

    bool Read()
    {
        overlapped = {};
        overlapped.hEvent = done.Get();
        reading = ::ReadDirectoryChangesW(directory.Get(), buffer.data(), kNoticeBufferBytes, FALSE,
                                          NoticeFilter(folder), nullptr, &overlapped, nullptr) != FALSE;
        return reading;
    }

    // The read under way is called off; its buffer may be reused or freed only
    // once the system has let go of it.
    bool Cancel()
    {
        if (!reading)
            return true;
        ::CancelIoEx(directory.Get(), &overlapped);
        reading = false;
        if (::WaitForSingleObject(done.Get(), kWorkerEndWaitMs) != WAIT_OBJECT_0)
            return false;
        DWORD bytes = 0;
        ::GetOverlappedResult(directory.Get(), &overlapped, &bytes, FALSE);
        return true;
    }
};

} // namespace

struct FolderWatcher::Shared {
    HWND window;
    UINT message;
    FileHandle wake{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::mutex lock;
    bool stop = false;
    bool foldersChanged = false;
    std::vector<Folder> folders;
    std::vector<FolderChanges> changes;
    bool posted = false;

    // Runs `change` on the folder's record under the lock and tells the
    // window, unless a message to take the changes is already waiting.
    template <typename Change>
    void Record(const std::wstring& folder, Change change)
    {
        const std::lock_guard<std::mutex> held(lock);
        auto found = std::find_if(changes.begin(), changes.end(),
                                  [&folder](const FolderChanges& c) { return c.folder == folder; });
        if (found == changes.end()) {
            changes.push_back(FolderChanges{folder, false, false, {}});
            found = changes.end() - 1;
        }
        change(*found);
        if (!posted)
            posted = ::PostMessageW(window, message, 0, 0) != FALSE;
    }
};

namespace {

using WatchList = std::vector<std::unique_ptr<NoticeReader>>;

// What a completed read reported, taken into the folder's record.
void TakeNotices(const NoticeReader& watch, DWORD bytes, FolderChanges& changes)
{
    if (bytes == 0) {
        // The system had more to say than the buffer held.
        changes.overflowed = true;
        changes.events.clear();
        return;
    }
    const auto* base = reinterpret_cast<const BYTE*>(watch.buffer.data());
    for (DWORD offset = 0; offset + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
        const auto* notice = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(base + offset);
        if (!changes.overflowed && changes.events.size() < kMaxEventsPerFolder)
            changes.events.push_back(
                {KindOf(notice->Action), std::wstring(notice->FileName, notice->FileNameLength / sizeof(WCHAR))});
        else
            changes.overflowed = true;
        if (notice->NextEntryOffset == 0)
            break;
        offset += notice->NextEntryOffset;
    }
    if (changes.overflowed)
        changes.events.clear();
}

// Makes the worker's watches those of `wanted`, keeping the ones that stay;
// `refused` hears of each folder that cannot be watched.
template <typename Refused>
void Rewatch(WatchList& watches, const std::vector<FolderWatcher::Folder>& wanted, Refused refused)
{
    WatchList kept;
    for (std::unique_ptr<NoticeReader>& watch : watches) {
        const bool stays = std::any_of(wanted.begin(), wanted.end(), [&watch](const FolderWatcher::Folder& folder) {
            return SameFolder(folder, watch->folder);
        });
        if (stays)
            kept.push_back(std::move(watch));
        else if (!watch->Cancel())
            (void)watch.release(); // the system still holds its buffer: left to it
    }
    watches = std::move(kept);
    for (const FolderWatcher::Folder& folder : wanted) {
        const bool watched =
            std::any_of(watches.begin(), watches.end(),
                        [&folder](const std::unique_ptr<NoticeReader>& w) { return SameFolder(folder, w->folder); });
        if (watched || watches.size() + 1 >= MAXIMUM_WAIT_OBJECTS)
            continue;
        auto watch = std::make_unique<NoticeReader>();
        watch->folder = folder;
        if (!g_refuseWatches)
            watch->directory.Reset(::CreateFileW(
                folder.path.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
        if (!watch->directory || !watch->done || !watch->Read()) {
            refused(folder.path);
            continue;
        }
        watches.push_back(std::move(watch));
    }
}

} // namespace

unsigned __stdcall FolderWatcher::Run(void* parameter)
{
    // The worker keeps the shared part alive for as long as it runs.
    const std::shared_ptr<Shared> shared(std::move(*static_cast<std::shared_ptr<Shared>*>(parameter)));
    delete static_cast<std::shared_ptr<Shared>*>(parameter);
    WatchList watches;
    const auto refused = [&shared](const std::wstring& folder) {
        shared->Record(folder, [](FolderChanges& changes) { changes.refused = true; });
    };
    for (;;) {
        std::vector<HANDLE> waits{shared->wake.Get()};
        for (const std::unique_ptr<NoticeReader>& watch : watches)
            waits.push_back(watch->done.Get());
        const DWORD woken = ::WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0) {
            std::vector<Folder> wanted;
            {
                const std::lock_guard<std::mutex> held(shared->lock);
                if (shared->stop)
                    break;
                if (!std::exchange(shared->foldersChanged, false))
                    continue;
                wanted = shared->folders;
            }
            Rewatch(watches, wanted, refused);
            continue;
        }
        const std::size_t index = woken - WAIT_OBJECT_0 - 1;
        if (woken < WAIT_OBJECT_0 + 1 || index >= watches.size())
            break; // a wait that fails would fail again at once
        NoticeReader& watch = *watches[index];
        DWORD bytes = 0;
        watch.reading = false;
        const bool read = ::GetOverlappedResult(watch.directory.Get(), &watch.overlapped, &bytes, FALSE) != FALSE;
        const DWORD error = read ? ERROR_SUCCESS : ::GetLastError();
        ::ResetEvent(watch.done.Get());
        if (read || error == ERROR_NOTIFY_ENUM_DIR) {
            shared->Record(watch.folder.path, [&](FolderChanges& changes) { TakeNotices(watch, bytes, changes); });
            if (watch.Read())
                continue;
        }
        // The folder went away, or the share stopped answering: the owner
        // looks at it by itself from now on.
        refused(watch.folder.path);
        watches.erase(watches.begin() + static_cast<std::ptrdiff_t>(index));
    }
    for (std::unique_ptr<NoticeReader>& watch : watches)
        if (!watch->Cancel())
            (void)watch.release();
    return 0;
}

FolderWatcher::FolderWatcher(HWND window, UINT message) : m_shared(std::make_shared<Shared>())
{
    m_shared->window = window;
    m_shared->message = message;
    auto* handed = new std::shared_ptr<Shared>(m_shared);
    m_thread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &FolderWatcher::Run, handed, 0, nullptr));
    if (!m_thread)
        delete handed;
}

FolderWatcher::~FolderWatcher()
{
    if (!m_thread)
        return;
    {
        const std::lock_guard<std::mutex> held(m_shared->lock);
        m_shared->stop = true;
    }
    ::SetEvent(m_shared->wake.Get());
    ::WaitForSingleObject(m_thread, kWorkerEndWaitMs);
    ::CloseHandle(m_thread);
}

void FolderWatcher::Watch(std::vector<Folder> folders)
{
    {
        const std::lock_guard<std::mutex> held(m_shared->lock);
        m_shared->folders = std::move(folders);
        m_shared->foldersChanged = true;
        // What folders no longer watched held concerns nobody now.
        std::erase_if(m_shared->changes, [this](const FolderChanges& changes) {
            return std::none_of(m_shared->folders.begin(), m_shared->folders.end(),
                                [&changes](const Folder& folder) { return folder.path == changes.folder; });
        });
    }
    ::SetEvent(m_shared->wake.Get());
}

std::vector<FolderChanges> FolderWatcher::TakeChanges()
{
    const std::lock_guard<std::mutex> held(m_shared->lock);
    m_shared->posted = false;
    return std::exchange(m_shared->changes, {});
}

void RefuseFolderWatches(bool refuse) { g_refuseWatches = refuse; }

std::optional<std::uint64_t> FolderSignature(const std::wstring& folder)
{
    // FNV-1a over every field that tells one listing from another.
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            hash = (hash ^ bytes[i]) * 1099511628211ull;
    };
    const bool listed = ForEachEntry(folder + L"\\*", [&mix](const WIN32_FIND_DATAW& entry) {
        mix(entry.cFileName, ::wcslen(entry.cFileName) * sizeof(wchar_t) + sizeof(wchar_t));
        mix(&entry.dwFileAttributes, sizeof entry.dwFileAttributes);
        mix(&entry.nFileSizeHigh, sizeof entry.nFileSizeHigh);
        mix(&entry.nFileSizeLow, sizeof entry.nFileSizeLow);
        mix(&entry.ftLastWriteTime, sizeof entry.ftLastWriteTime);
    });
    if (!listed)
        return std::nullopt;
    return hash;
}

} // namespace fw

// The window kept true to a library that other stations (or Explorer) change
// while it is open: the model folder, its groups and the shown folder are
// watched, each without its sub-folders (Wine misses changes below the first
// level of a watch that takes them in); a burst of changes is read again once
// it has settled, the groups and categories where they changed and the shown
// list item by item, and the loaded material checked against its file.
#include "library/LiveRefresh.h"

#include <algorithm>
#include <utility>

#include "dialog/MaterialDialog.h"
#include "utils/FolderPath.h"
#include "utils/LibraryScan.h"

namespace {

// A burst (a copy of many files, a save's temporary file and its move) is
// read once, this long after its first change.
constexpr UINT_PTR kSettleTimer = 60;
constexpr UINT kSettleMs = 300;
// Folders no change notice reaches are compared this often; with the settle
// time, a change shows within about two seconds.
constexpr UINT_PTR kPollTimer = 61;
constexpr UINT kPollMs = 1000;

bool InMenuOrMove()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_INMOVESIZE)) != 0;
}

} // namespace

void LibraryFollower::Start(HWND window) { m_watcher = std::make_unique<fw::FolderWatcher>(window, kChangedMessage); }

void LibraryFollower::Stop()
{
    m_watcher.reset();
    m_polled.clear();
    m_due = {};
}

void LibraryFollower::Follow(std::vector<std::wstring> structure, const std::wstring& shown)
{
    if (!m_watcher)
        return;
    if (!shown.empty() && !utils::SamePath(shown, m_shown))
        m_due.shown = true;
    m_structure = std::move(structure);
    m_shown = shown;
    std::vector<fw::FolderWatcher::Folder> folders;
    for (const std::wstring& folder : m_structure)
        folders.push_back({folder, false});
    if (!m_shown.empty())
        folders.push_back({m_shown, true});
    std::erase_if(m_polled, [this](const auto& polled) {
        return !IsStructure(polled.first) && !utils::SamePath(polled.first, m_shown);
    });
    m_watcher->Watch(std::move(folders));
}

void LibraryFollower::TakeChanges()
{
    if (!m_watcher)
        return;
    for (const fw::FolderChanges& changes : m_watcher->TakeChanges()) {
        if (changes.refused) {
            // Looked at by the periodic check from now on; what it held
            // before the refusal is not known, so it is read once now. The
            // worker asks again for every folder without a watch each time
            // the watched set is handed over (after every refresh): a folder
            // the check already looks at is not read again for that.
            const bool polled = std::any_of(m_polled.begin(), m_polled.end(),
                                            [&changes](const auto& p) { return p.first == changes.folder; });
            if (polled && !changes.overflowed && changes.events.empty())
                continue;
            if (!polled)
                m_polled.emplace_back(changes.folder, fw::FolderSignature(changes.folder));
        }
        MarkDue(changes.folder);
        if (!utils::SamePath(changes.folder, m_shown))
            continue;
        const std::vector<fw::FolderEvent>& events = changes.events;
        for (std::size_t i = 0; i + 1 < events.size(); ++i)
            if (events[i].kind == fw::FolderEvent::Kind::RenamedFrom &&
                events[i + 1].kind == fw::FolderEvent::Kind::RenamedTo)
                m_due.renames.emplace_back(events[i].name, events[i + 1].name);
    }
}

void LibraryFollower::Poll()
{
    for (auto& [folder, signature] : m_polled)
        if (const std::optional<std::uint64_t> now = fw::FolderSignature(folder); now != signature) {
            signature = now;
            MarkDue(folder);
        }
}

bool LibraryFollower::IsStructure(const std::wstring& folder) const
{
    return std::any_of(m_structure.begin(), m_structure.end(),
                       [&folder](const std::wstring& s) { return utils::SamePath(s, folder); });
}

void LibraryFollower::MarkDue(const std::wstring& folder)
{
    if (IsStructure(folder))
        m_due.structure = true;
    else if (!m_shown.empty() && utils::SamePath(folder, m_shown))
        m_due.shown = true;
}

void MaterialDialog::StartLiveRefresh()
{
    // Without a model folder there is nothing to follow: a root that could
    // not be reached at start-up stays an empty window.
    if (m_library.ModelFolder().empty())
        return;
    m_follower.Start(Hwnd());
    FollowView(nullptr);
}

void MaterialDialog::StopLiveRefresh()
{
    m_follower.Stop();
    ::KillTimer(Hwnd(), kSettleTimer);
    ::KillTimer(Hwnd(), kPollTimer);
    m_follower.settleArmed = m_follower.pollArmed = false;
}

void MaterialDialog::FollowView(const MaterialFolder* shown)
{
    if (!m_follower.Started())
        return;
    std::vector<std::wstring> structure{m_library.ModelFolder()};
    for (int group = 1; group <= utils::kScannedGroups; ++group)
        if (const LibraryGroup* found = m_library.Group(group); found && found->scanned)
            structure.push_back(found->path);
    m_follower.Follow(std::move(structure), shown ? shown->Path() : std::wstring());
    ScheduleRefresh();
}

void MaterialDialog::ScheduleRefresh()
{
    // Armed once per burst: later changes of the burst are read with it.
    if (m_follower.HasDue() && !m_follower.settleArmed)
        m_follower.settleArmed = ::SetTimer(Hwnd(), kSettleTimer, kSettleMs, nullptr) != 0;
    // The periodic check runs only while some folder needs it: an idle
    // window whose folders are watched wakes for nothing.
    // Set once: set again at every change, it would not come while changes
    // of the watched folders keep coming.
    if (m_follower.NeedsPolling() && !m_follower.pollArmed)
        m_follower.pollArmed = ::SetTimer(Hwnd(), kPollTimer, kPollMs, nullptr) != 0;
    else if (!m_follower.NeedsPolling() && std::exchange(m_follower.pollArmed, false))
        ::KillTimer(Hwnd(), kPollTimer);
}

void MaterialDialog::OnFolderChanges()
{
    m_follower.TakeChanges();
    ScheduleRefresh();
}

bool MaterialDialog::OnLiveRefreshTimer(UINT_PTR id)
{
    if (id == kPollTimer) {
        m_follower.Poll();
        ScheduleRefresh();
        return true;
    }
    if (id != kSettleTimer)
        return false;
    ::KillTimer(Hwnd(), kSettleTimer);
    m_follower.settleArmed = false;
    if (!RefreshDue())
        m_follower.settleArmed = ::SetTimer(Hwnd(), kSettleTimer, kSettleMs, nullptr) != 0;
    return true;
}

bool MaterialDialog::RefreshDue()
{
    // Not under a message box, Save as, a menu or a rename: what they act on
    // stays as the operator saw it.
    if (m_follower.refreshing || m_renaming || !::IsWindowEnabled(Hwnd()) || InMenuOrMove())
        return false;
    m_follower.refreshing = true;
    const LibraryFollower::Due due = m_follower.TakeDue();
    if (due.structure)
        ReopenLibraryStructure();
    if (due.shown && !m_follower.Shown().empty())
        RefreshShownList(due.renames);
    // The groups may be others now; the loaded material's file may have
    // changed with the shown folder.
    if (due.structure)
        FollowView(m_follower.Shown().empty() ? nullptr : ShownFolder());
    if (due.shown)
        RecheckLoadedMaterial();
    m_follower.refreshing = false;
    ScheduleRefresh();
    return true;
}

void MaterialDialog::ReopenLibraryStructure()
{
    // The folders the buttons stand for; when they are the same after the
    // opening, only other names changed and no button needs a new caption.
    const auto layout = [this] {
        std::vector<std::wstring> paths;
        for (int group = 1; group <= m_library.GroupCount(); ++group) {
            const LibraryGroup& found = *m_library.Group(group);
            paths.push_back(found.path);
            for (const MaterialFolder& category : found.categories)
                paths.push_back(category.Path());
            paths.push_back(found.customize.Path());
        }
        return paths;
    };
    const std::vector<std::wstring> before = layout();
    const LibraryGroup* group = m_library.Group(m_curGroup);
    const std::wstring groupPath = group ? group->path : std::wstring();
    if (!m_library.Reopen() || layout() == before)
        return;

    // The shown group and folder are found again by their paths.
    for (int g = 1; g <= utils::kScannedGroups; ++g)
        if (const LibraryGroup* found = m_library.Group(g); found && utils::SamePath(found->path, groupPath)) {
            m_curGroup = static_cast<std::uint8_t>(g);
            SetGroupHighlight(1 << (g - 1));
        }
    UpdateButtonVisibility(1, m_curGroup);
    ApplyGroupCaptions(m_curGroup);
    const MaterialFolder* shown = m_follower.Shown().empty() ? nullptr : m_library.FolderAt(m_follower.Shown());
    const int slot = ButtonOfFolder(m_curGroup, shown);
    if (slot >= 0 && shown != m_library.Customize(m_curGroup))
        m_curSlot = static_cast<std::uint8_t>(slot);
    if (slot >= 0) {
        SetSlotHighlight(slot < 9 ? 1 << slot : 0);
        return;
    }
    if (!m_follower.Shown().empty()) {
        // The shown folder is gone, and so is its list; the panel keeps what
        // it shows, which can still be saved under a name.
        m_listMaterials.DeleteAllItems();
        SetSlotHighlight(0);
        FollowView(nullptr);
    }
}

int MaterialDialog::ButtonOfFolder(int group, const MaterialFolder* folder) const
{
    if (!folder)
        return -1;
    if (folder == m_library.Customize(group))
        return m_customSlot;
    for (int k = 0; k < utils::kMaxShownCategories; ++k)
        if (m_library.Category(group, k) == folder)
            return k;
    return -1;
}

void MaterialDialog::RefreshShownList(const std::vector<std::pair<std::wstring, std::wstring>>& renames)
{
    const MaterialFolder* folder = ShownFolder();
    if (!folder || !utils::SamePath(folder->Path(), m_follower.Shown()))
        return;
    if (folder->Version() != m_shownVersion) {
        // The items index another listing than the folder's: filled anew.
        m_library.Relist(*folder);
        m_listMaterials.DeleteAllItems();
        FillMaterialList(m_customizeShown ? kCustomizeRequest : m_curSlot);
        return;
    }
    std::vector<std::wstring> selected;
    for (int item = m_listMaterials.GetNextSelected(); item >= 0; item = m_listMaterials.GetNextSelected(item))
        if (std::optional<std::wstring> file = ItemFileName(item))
            selected.push_back(std::move(*file));
    const std::vector<std::wstring> before = folder->Files();
    m_library.Relist(*folder);

    // A file renamed elsewhere is followed: loaded and selected under its
    // new name.
    const std::wstring prefix = folder->Path() + L"\\";
    std::vector<std::wstring> renamedSelected;
    for (const auto& [from, to] : renames) {
        if (utils::SamePath(m_materialFilePath, prefix + from))
            m_materialFilePath = prefix + to;
        const auto was = std::find(selected.begin(), selected.end(), from);
        if (was != selected.end()) {
            *was = to;
            renamedSelected.push_back(to);
        }
    }
    UpdateMaterialList(before);
    for (const std::wstring& file : renamedSelected)
        if (std::find(selected.begin(), selected.end(), file) != selected.end())
            m_listMaterials.SelectItem(ItemOfFile(file), false);
}

// Finding a material by part of its name: Ctrl+F opens the find box over the
// list; every material the dialog can show (the groups that have buttons,
// their categories that have buttons, and their "Customize" folders) whose
// name holds the typed text is found, and choosing one goes there the way
// the operator's clicks would.
#include <algorithm>
#include <cwchar>

#include "dialog/MaterialDialog.h"
#include "framework/Application.h"
#include "utils/GroupCaptions.h"
#include "utils/LibraryScan.h"
#include "utils/MaterialName.h"

namespace {

// Rows shown at most; the line under them says how many more were found.
constexpr std::size_t kShownFound = 200;

// The wait cursor while a search first lists and folds the library.
class WaitCursor {
public:
    WaitCursor() { Step(1); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { Step(-1); }

private:
    static void Step(int code)
    {
        if (auto* app = fw::Application::Instance())
            app->DoWaitCursor(code);
    }
};

} // namespace

std::vector<MaterialDialog::FindFolder> MaterialDialog::FindScope() const
{
    std::vector<FindFolder> scope;
    const int groups = std::clamp(m_groupEntryCount - 2, 0, 3);
    const HIMAGELIST groupPictures[3] = {m_imageListGroup1.Get(), m_imageListGroup2.Get(), m_imageListGroup3.Get()};
    for (int group = 1; group <= groups; ++group) {
        // The captions the buttons take when the group is shown.
        const std::optional<utils::GroupCaptionPlan> plan = utils::PlanGroupCaptions(
            IsR250(), group, m_groupNames, m_categoryNames, m_groupStart, m_categoryCount, m_customSlot);
        if (!plan)
            continue;
        const std::wstring groupCaption = fw::Window(Item(kGroupIds[group - 1])).GetText();
        const auto slotCaption = [&plan](int slot) {
            std::wstring text;
            for (const utils::CaptionStep& step : plan->slotCaptions)
                if (step.button == slot)
                    text = step.text;
            return text;
        };
        int picture = 0;
        const int buttons = std::min(m_categoryCount[group - 1], 9);
        for (int slot = 0; slot < buttons; ++slot) {
            FindFolder folder;
            folder.group = group;
            folder.place = groupCaption + L" / " + slotCaption(slot);
            if (slot == plan->customSlot) {
                const int start = CustomizeStart(group);
                const int end = std::min<int>(m_customizeEnd[group - 1], static_cast<int>(m_customizeEntries.size()));
                if (start >= end)
                    continue;
                folder.customize = true;
                folder.path = m_customizeEntries[static_cast<std::size_t>(start)];
                for (int i = start + 3; i < end; ++i)
                    folder.files.push_back(m_customizeEntries[static_cast<std::size_t>(i)]);
                folder.pictures = m_imageListCustom.Get();
            } else {
                const int index = utils::SlotTableIndex(group, slot);
                const auto path = static_cast<std::size_t>(CategoryPathBase(group) + slot);
                if (path >= m_categoryPaths.size())
                    continue;
                folder.path = m_categoryPaths[path];
                const int first = (index == 0 ? 0 : m_categoryEnd[index - 1]) + 2;
                const int end = std::min<int>(m_categoryEnd[index], static_cast<int>(m_materialEntries.size()));
                for (int i = first; i < end; ++i)
                    folder.files.push_back(m_materialEntries[static_cast<std::size_t>(i)]);
                folder.pictures = groupPictures[group - 1];
                folder.firstPicture = picture;
                picture += static_cast<int>(folder.files.size());
            }
            scope.push_back(std::move(folder));
        }
    }
    return scope;
}

void MaterialDialog::OpenFindBox()
{
    m_findBox.Open(Hwnd(), kFindBoxGeometry, m_texts.Get(utils::OperatorText::FindCue), m_listMaterials.Hwnd());
}

void MaterialDialog::OnFindTyped(const std::wstring& typed)
{
    m_findScope = FindScope();
    const std::size_t cut = std::wcslen(MaterialExtension());
    std::vector<utils::IndexedFolder> indexed;
    for (const FindFolder& folder : m_findScope)
        indexed.push_back({folder.path, 0, &folder.files, cut});
    std::optional<WaitCursor> wait;
    if (m_findIndex.NeedsWork(indexed))
        wait.emplace();
    m_findIndex.Update(indexed);
    const utils::NameSearch found = m_findIndex.Search(typed, kShownFound);

    std::vector<FoundRow> rows;
    m_foundPlaces.clear();
    for (const utils::NameHit& hit : found.shown) {
        const FindFolder& folder = m_findScope[hit.folder];
        const std::wstring& file = folder.files[hit.file];
        const int picture = folder.customize ? 0 : folder.firstPicture + static_cast<int>(hit.file);
        rows.push_back({utils::MaterialItemText(file, cut), folder.place, folder.pictures, picture});
        m_foundPlaces.push_back({folder.group, folder.customize, folder.path, file});
    }
    std::wstring count;
    if (typed.empty())
        count.clear();
    else if (found.total == 0)
        count = m_texts.Get(utils::OperatorText::NothingFound);
    else if (found.total <= found.shown.size())
        count = m_texts.Format(utils::OperatorText::FoundCount, std::to_wstring(found.total));
    else
        count = m_texts.Format(utils::OperatorText::FoundMore, std::to_wstring(found.total - found.shown.size()));
    m_findBox.ShowRows(std::move(rows), count);
}

void MaterialDialog::GoToFound(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_foundPlaces.size())
        return;
    const FoundPlace place = m_foundPlaces[static_cast<std::size_t>(row)];
    m_findBox.Close(false);
    ::SetFocus(m_listMaterials.Hwnd());
    OnGroupClicked(place.group);
    // After a change of group the category buttons show only once the
    // column has grown back; the rest of the way waits for that.
    if (IsColumnAtRest())
        FinishGoToFound(place);
    else
        m_pendingFound = place;
}

void MaterialDialog::OnColumnAtRest()
{
    if (!m_pendingFound)
        return;
    const FoundPlace place = *std::exchange(m_pendingFound, std::nullopt);
    // Another group chosen meanwhile is the operator's choice.
    if (place.group == m_curGroup)
        FinishGoToFound(place);
}

void MaterialDialog::FinishGoToFound(const FoundPlace& place)
{
    int slot = -1;
    if (place.customize) {
        slot = m_customSlot;
    } else {
        const int base = CategoryPathBase(place.group);
        for (int k = 0; k + 1 < m_categoryCount[place.group - 1] && slot < 0; ++k)
            if (static_cast<std::size_t>(base + k) < m_categoryPaths.size() &&
                m_categoryPaths[static_cast<std::size_t>(base + k)] == place.folder)
                slot = k;
    }
    if (slot < 0 || slot > 8)
        return;
    OnSlotClicked(slot);
    const int item = ItemOfFile(place.file);
    if (item < 0)
        return;
    m_listMaterials.SelectOnly(item);
    LoadSelectedMaterial();
}

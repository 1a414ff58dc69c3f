// Finding a material by part of its name: Ctrl+F opens the find box over the
// list; every material the dialog can show (the groups that have buttons,
// their categories that have buttons, and their "Customize" folders) whose
// name holds the typed text is found, and choosing one goes there the way
// the operator's clicks would.
#include <algorithm>
#include <array>
#include <cwchar>

#include "dialog/MaterialDialog.h"
#include "framework/Application.h"
#include "utils/GroupCaptions.h"
#include "utils/MaterialName.h"

namespace {

// Rows shown at most; the line under them says how many more were found.
constexpr std::size_t kShownFound = 200;

} // namespace

std::vector<MaterialDialog::FindFolder> MaterialDialog::FindScope() const
{
    std::vector<FindFolder> scope;
    for (int group = 1; group <= std::min(m_library.GroupCount(), 3); ++group) {
        // The captions the buttons take when the group is shown.
        const std::optional<utils::GroupCaptionPlan> plan = CaptionPlan(group);
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
        for (int slot = 0; slot < std::min(m_library.CategoryButtonCount(group), 9); ++slot) {
            FindFolder found;
            found.group = group;
            found.slot = slot;
            found.customize = slot == plan->customSlot;
            found.folder = found.customize ? m_library.Customize(group) : m_library.Category(group, slot);
            found.place = groupCaption + L" / " + slotCaption(slot);
            if (found.folder)
                scope.push_back(std::move(found));
        }
    }
    return scope;
}

void MaterialDialog::OpenFindBox()
{
    m_findBox.Open(Hwnd(), kFindBoxGeometry.Scaled(Dpi()), Dpi(), m_texts.Get(utils::OperatorText::FindCue),
                   m_listMaterials.Hwnd());
}

void MaterialDialog::RelayFindBox()
{
    m_findBox.Place(kFindBoxGeometry.Scaled(Dpi()), Dpi());
    // The rows showed the picture lists of the old DPI, which are gone.
    if (m_findBox.IsOpen()) {
        const int selected = m_findBox.SelectedRow();
        OnFindTyped(fw::Window(m_findBox.EditHwnd()).GetText());
        m_findBox.SelectRow(selected);
    }
}

void MaterialDialog::OnFindTyped(const std::wstring& typed)
{
    std::vector<FindFolder> scope = FindScope();
    // The folders nobody has needed yet are listed now, and what has not
    // been folded since its listing is folded.
    std::optional<fw::WaitCursor> wait;
    if (std::any_of(scope.begin(), scope.end(), [](const FindFolder& found) { return !found.folder->IsListed(); }))
        wait.emplace();
    const std::size_t cut = std::wcslen(MaterialExtension());
    std::vector<utils::IndexedFolder> indexed;
    for (FindFolder& found : scope) {
        const std::vector<std::wstring>& files = m_library.Files(*found.folder);
        if (!found.customize)
            found.firstPicture = m_library.FirstPicture(found.group, found.slot);
        indexed.push_back({found.folder->Path(), found.folder->Version(), &files, cut});
    }
    if (!wait && m_findIndex.NeedsWork(indexed))
        wait.emplace();
    m_findIndex.Update(indexed);
    const utils::NameSearch found = m_findIndex.Search(typed, kShownFound);

    std::vector<FoundRow> rows;
    m_foundPlaces.clear();
    for (const utils::NameHit& hit : found.shown) {
        const FindFolder& folder = scope[hit.folder];
        const std::wstring& file = folder.folder->Files()[hit.file];
        const int picture = folder.customize ? 0 : folder.firstPicture + static_cast<int>(hit.file);
        // The lists the material list would show them from, made for the
        // groups found only.
        const HIMAGELIST pictures = folder.customize ? CustomPictureList().Get() : GroupPictureList(folder.group).Get();
        rows.push_back({utils::MaterialItemText(file, cut), folder.place, pictures, picture});
        m_foundPlaces.push_back({folder.group, folder.customize, folder.folder->Path(), file});
    }
    // Nothing typed: no line under the rows.
    std::wstring count;
    if (!typed.empty()) {
        if (found.total == 0)
            count = m_texts.Get(utils::OperatorText::NothingFound);
        else if (found.total <= found.shown.size())
            count = m_texts.Format(utils::OperatorText::FoundCount, std::to_wstring(found.total));
        else
            count = m_texts.Format(utils::OperatorText::FoundMore, std::to_wstring(found.total - found.shown.size()));
    }
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
    // The folder's button now, whatever the library did meanwhile.
    const int slot = place.customize ? m_customSlot : ButtonOfFolder(place.group, m_library.FolderAt(place.folder));
    if (slot < 0 || slot > 8)
        return;
    OnSlotClicked(slot);
    const int item = ItemOfFile(place.file);
    if (item < 0)
        return;
    m_listMaterials.SelectOnly(item);
    LoadSelectedMaterial();
}

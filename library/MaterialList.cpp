#include "dialog/MaterialDialog.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/Application.h"
#include "framework/TextCompare.h"
#include "utils/LibraryScan.h"
#include "utils/MaterialName.h"

namespace {

// At 96 dpi, scaled with the dialog.
constexpr SIZE kIconSpacing{110, 100};
// Every second icon moves this far left, so neighbouring names overlap less.
constexpr int kOddItemShift = -4;

// An item stands for one file of its folder's listing: its index there is
// the item's value, so every action on it reaches the very file it was listed
// from, whatever its text (two files may show the same text).
struct ListItem {
    std::wstring text;
    int image;
    int entry;
};

// The control keeps its items in ascending order of their text, but each
// insertion into a sorted list costs time in proportion to the items already
// there, which made a category of thousands take seconds. The items therefore
// go in already sorted, with the sorting style off for the moment; the
// control's order is the same, and later insertions sort as usual.
class PresortedInsertion {
public:
    PresortedInsertion(const fw::ListView& list, std::vector<ListItem>& items)
        : m_list(list), m_style(static_cast<DWORD>(::GetWindowLongPtrW(list.Hwnd(), GWL_STYLE)))
    {
        if (!(m_style & LVS_SORTASCENDING) || list.GetItemCount() != 0)
            return;
        std::stable_sort(items.begin(), items.end(),
                         [](const ListItem& a, const ListItem& b) { return fw::ListTextLess(a.text, b.text); });
        ::SetWindowLongPtrW(list.Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(m_style & ~LVS_SORTASCENDING));
        m_restore = true;
    }
    PresortedInsertion(const PresortedInsertion&) = delete;
    PresortedInsertion& operator=(const PresortedInsertion&) = delete;
    ~PresortedInsertion()
    {
        if (m_restore)
            ::SetWindowLongPtrW(m_list.Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(m_style));
    }

private:
    const fw::ListView& m_list;
    DWORD m_style;
    bool m_restore = false;
};

void InsertItems(const fw::ListView& list, const std::vector<ListItem>& items, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i)
        list.InsertItem(static_cast<int>(i), items[i].text, items[i].image, items[i].entry);
}

void UsePictureList(const fw::ListView& list, HIMAGELIST pictures)
{
    // The picture lists belong to the dialog and outlive the control; without
    // this style the control would destroy whichever list it shows last.
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(list.Hwnd(), GWL_STYLE));
    if (!(style & LVS_SHAREIMAGELISTS))
        ::SetWindowLongPtrW(list.Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style | LVS_SHAREIMAGELISTS));
    list.SetImageList(pictures);
}

// Where the control puts the first icon of its grid. Some list
// implementations place an icon when it is inserted, in insertion order and on
// the spacing of that moment, and re-arrange every icon on the first paint
// after the list was emptied; that paint and the arrangement are therefore
// done while the list holds one item, which costs nothing however long the
// list will be.
POINT GridOrigin(const fw::ListView& list)
{
    ::UpdateWindow(list.Hwnd());
    list.Arrange();
    return list.GetItemPosition(0);
}

// Icons stand on the spacing grid in the list's (sorted) item order, as many
// to a row as the list is wide; every second item sits a little further left.
// The grid is laid out here rather than left to the control, which would also
// count a scroll bar that the finished grid may not need (or that the items
// shown before needed). The list must not be redrawing: moving each icon of a
// visible list repaints it.
void PlaceIcons(const fw::ListView& list, POINT origin, SIZE spacing, int oddShift)
{
    const int count = list.GetItemCount();
    RECT window{};
    ::GetWindowRect(list.Hwnd(), &window);
    const int width = window.right - window.left - fw::FrameWidth(list.Hwnd());
    const int columns = std::max(1, width / static_cast<int>(spacing.cx));
    for (int i = 0; i < count; ++i) {
        POINT at{origin.x + (i % columns) * spacing.cx, origin.y + (i / columns) * spacing.cy};
        if (i % 2 == 1)
            at.x += oddShift;
        list.SetItemPosition(i, at);
    }
}

// The items of a folder's files; the first shows picture `firstPicture`,
// each later one the next (the "Customize" view shows one picture for all).
std::vector<ListItem> FolderItems(const std::vector<std::wstring>& files, int firstPicture, bool onePicture,
                                  std::size_t cut)
{
    std::vector<ListItem> items;
    items.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        items.push_back({utils::MaterialItemText(files[i], cut),
                         onePicture ? firstPicture : firstPicture + static_cast<int>(i), static_cast<int>(i)});
    return items;
}

} // namespace

void MaterialDialog::FillMaterialList(int position)
{
    std::vector<ListItem> items;
    m_customizeShown = false;
    const std::size_t cut = std::wcslen(MaterialExtension());
    const int group = m_curGroup;
    if (group >= 1 && group <= 3) {
        // A material's picture is its running number among the group's
        // materials, category after category; every custom material shows the
        // custom picture.
        m_customizeShown = position == kCustomizeRequest;
        UsePictureList(m_listMaterials, m_customizeShown ? CustomPictureList().Get() : GroupPictureList(group).Get());
        const MaterialFolder* folder = m_customizeShown ? m_library.Customize(group)
                                                        : m_library.Category(group, position);
        if (folder) {
            // A folder nobody has needed yet is listed now, and so are the
            // group's earlier categories its picture numbers follow.
            bool listing = !folder->IsListed();
            for (int earlier = 0; !m_customizeShown && earlier < position && !listing; ++earlier)
                listing = !m_library.Category(group, earlier)->IsListed();
            std::optional<fw::WaitCursor> wait;
            if (listing)
                wait.emplace();
            const int firstPicture = m_customizeShown ? 0 : m_library.FirstPicture(group, position);
            items = FolderItems(m_library.Files(*folder), firstPicture, m_customizeShown, cut);
            m_shownVersion = folder->Version();
        }
    }
    const PresortedInsertion sorted(m_listMaterials, items);
    const std::size_t first = std::min<std::size_t>(items.size(), 1);
    {
        // Every insertion into a visible icon view re-lays and repaints it;
        // with thousands of materials that made a fill take seconds.
        const fw::ScopedNoRedraw quiet(m_listMaterials);
        InsertItems(m_listMaterials, items, 0, first);
        m_listMaterials.SetIconSpacing(Scale(kIconSpacing.cx), Scale(kIconSpacing.cy));
    }
    if (items.empty()) {
        m_listMaterials.Invalidate(nullptr, true);
        return;
    }
    const POINT origin = GridOrigin(m_listMaterials);
    {
        const fw::ScopedNoRedraw quiet(m_listMaterials);
        InsertItems(m_listMaterials, items, first, items.size());
        PlaceMaterialIcons(origin);
    }
    m_listMaterials.Invalidate(nullptr, true);
}

void MaterialDialog::RelayMaterialList()
{
    // The list shows the pictures of the DPI it was filled at; the lists of
    // the new DPI are made when needed, the shown one now.
    const HIMAGELIST shown = ListView_GetImageList(m_listMaterials.Hwnd(), LVSIL_NORMAL);
    const bool showsCustom = shown && shown == m_imageListCustom.Get();
    const int shownGroup = !shown                             ? 0
                           : shown == m_imageListGroup1.Get() ? 1
                           : shown == m_imageListGroup2.Get() ? 2
                           : shown == m_imageListGroup3.Get() ? 3
                                                              : 0;
    fw::ImageList previous[4] = {std::move(m_imageListGroup1), std::move(m_imageListGroup2),
                                 std::move(m_imageListGroup3), std::move(m_imageListCustom)};
    {
        const fw::ScopedNoRedraw quiet(m_listMaterials);
        if (showsCustom)
            UsePictureList(m_listMaterials, CustomPictureList().Get());
        else if (shownGroup != 0)
            UsePictureList(m_listMaterials, GroupPictureList(shownGroup).Get());
        m_listMaterials.SetIconSpacing(Scale(kIconSpacing.cx), Scale(kIconSpacing.cy));
        if (m_listMaterials.GetItemCount() > 0) {
            m_listMaterials.Arrange();
            PlaceMaterialIcons(m_listMaterials.GetItemPosition(0));
        }
    }
    m_listMaterials.Invalidate(nullptr, true);
}

void MaterialDialog::PlaceMaterialIcons(POINT origin) const
{
    PlaceIcons(m_listMaterials, origin, SIZE{Scale(kIconSpacing.cx), Scale(kIconSpacing.cy)}, Scale(kOddItemShift));
}

void MaterialDialog::UpdateMaterialList(const std::vector<std::wstring>& before)
{
    const MaterialFolder* folder = ShownFolder();
    if (!folder)
        return;
    const int count = m_listMaterials.GetItemCount();
    if (count == 0) {
        // An empty list has no grid yet: filled as on its first showing.
        FillMaterialList(m_customizeShown ? kCustomizeRequest : m_curSlot);
        return;
    }
    const std::vector<std::wstring>& files = m_library.Files(*folder);
    const int firstPicture = m_customizeShown ? 0 : m_library.FirstPicture(m_curGroup, m_curSlot);
    const std::vector<ListItem> items =
        FolderItems(files, firstPicture, m_customizeShown, std::wcslen(MaterialExtension()));
    std::unordered_map<std::wstring_view, std::size_t> entryOf;
    for (std::size_t i = 0; i < files.size(); ++i)
        entryOf.emplace(files[i], i);

    // What the items stand for now: each kept item's new entry, the items of
    // files that are gone, and the files no item stands for yet.
    std::vector<std::pair<int, std::size_t>> moved;
    std::vector<int> gone;
    std::vector<bool> shown(files.size(), false);
    for (int item = count - 1; item >= 0; --item) {
        const std::optional<LPARAM> entry = m_listMaterials.GetItemData(item);
        const auto index = static_cast<std::size_t>(entry.value_or(-1));
        const auto found = entry && index < before.size() ? entryOf.find(before[index]) : entryOf.end();
        if (found == entryOf.end() || shown[found->second]) {
            gone.push_back(item);
            continue;
        }
        shown[found->second] = true;
        if (found->second != index)
            moved.emplace_back(item, found->second);
    }
    const bool added = std::find(shown.begin(), shown.end(), false) != shown.end();
    m_shownVersion = folder->Version();
    if (gone.empty() && moved.empty() && !added)
        return;

    // Item by item, so that the other items keep their selection and the
    // view its scroll position; painted once at the end.
    const POINT origin = m_listMaterials.GetItemPosition(0);
    {
        const fw::ScopedNoRedraw quiet(m_listMaterials);
        for (const auto& [item, entry] : moved)
            m_listMaterials.SetItemImageAndData(item, items[entry].image, items[entry].entry);
        for (const int item : gone) // from the last, so that the others keep their index
            m_listMaterials.DeleteItem(item);
        for (std::size_t i = 0; i < files.size(); ++i)
            if (!shown[i])
                m_listMaterials.InsertItem(m_listMaterials.GetItemCount(), items[i].text, items[i].image,
                                           items[i].entry);
        PlaceMaterialIcons(origin);
    }
    m_listMaterials.Invalidate(nullptr, true);
}

void MaterialDialog::OnMaterialListRightClick(const NMITEMACTIVATE* info, LRESULT* result)
{
    *result = 0;
    if (!info)
        return;
    // Selected only: loading the material into the panel is the left click's.
    m_listMaterials.SelectItem(m_listMaterials.HitTest(info->ptAction), false);
}

std::optional<std::wstring> MaterialDialog::ItemFileName(int item) const
{
    const MaterialFolder* folder = ShownFolder();
    const std::optional<LPARAM> entry = m_listMaterials.GetItemData(item);
    // An item of a fill before the folder was listed again names no file.
    if (!folder || !entry || folder->Version() != m_shownVersion || *entry < 0 ||
        static_cast<std::size_t>(*entry) >= folder->Files().size())
        return std::nullopt;
    return folder->Files()[static_cast<std::size_t>(*entry)];
}

std::optional<std::wstring> MaterialDialog::ItemPath(int item) const
{
    const MaterialFolder* folder = ShownFolder();
    const std::optional<std::wstring> file = ItemFileName(item);
    if (!folder || !file)
        return std::nullopt;
    return folder->Path() + L"\\" + *file;
}

int MaterialDialog::ItemOfFile(const std::wstring& fileName) const
{
    const MaterialFolder* folder = ShownFolder();
    if (!folder || folder->Version() != m_shownVersion)
        return -1;
    const std::vector<std::wstring>& files = folder->Files();
    // The exact name first: on a file system that tells letter case apart,
    // two files may differ in nothing else.
    auto found = std::find(files.begin(), files.end(), fileName);
    if (found == files.end())
        found = std::find_if(files.begin(), files.end(),
                             [&](const std::wstring& file) { return utils::SameNameIgnoringCase(file, fileName); });
    return found == files.end() ? -1 : m_listMaterials.FindItemData(found - files.begin());
}

#include "dialog/MaterialDialog.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "utils/LibraryScan.h"
#include "utils/MaterialName.h"

namespace {

// At 96 dpi, scaled with the dialog.
constexpr SIZE kIconSpacing{110, 100};
// Every second icon moves this far left, so neighbouring names overlap less.
constexpr int kOddItemShift = -4;

struct ListItem {
    std::wstring text;
    int image;
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
        std::stable_sort(items.begin(), items.end(), [](const ListItem& a, const ListItem& b) {
            return ::lstrcmpiW(a.text.c_str(), b.text.c_str()) < 0;
        });
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
        list.InsertItem(static_cast<int>(i), items[i].text, items[i].image);
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

// The "Customize" items of a group: the block opens with the folder's path,
// "." and "..", and every item shows the one custom picture.
std::vector<ListItem> CustomizeItems(const StringList& entries, int first, int end, std::size_t cut)
{
    std::vector<ListItem> items;
    end = std::min<int>(end, static_cast<int>(entries.size()));
    for (int i = first + 3; i < end; ++i)
        items.push_back({utils::MaterialItemText(entries[static_cast<std::size_t>(i)], cut), 0});
    return items;
}

// The materials of one category slot of a group. A material's picture is its
// running number among the group's materials, slot after slot, dot entries
// skipped.
std::vector<ListItem> CategoryItems(const StringList& entries, const int* categoryEnd, int group, int position,
                                    std::size_t cut)
{
    std::vector<ListItem> items;
    if (position < 0 || position >= utils::SlotTableCount(group))
        return items;
    const int base = utils::SlotTableIndex(group, 0);
    const int count = static_cast<int>(entries.size());
    int picture = 0;
    for (int slot = 0; slot <= position; ++slot) {
        const int index = base + slot;
        const int start = index == 0 ? 0 : categoryEnd[index - 1];
        const int end = std::min(categoryEnd[index], count);
        for (int i = start + 2; i < end; ++i, ++picture)
            if (slot == position)
                items.push_back({utils::MaterialItemText(entries[static_cast<std::size_t>(i)], cut), picture});
    }
    return items;
}

} // namespace

void MaterialDialog::FillMaterialList(int position)
{
    std::vector<ListItem> items;
    m_customizeShown = false;
    const std::size_t cut = std::wcslen(MaterialExtension());
    const int group = m_curGroup;
    if (group >= 1 && group <= 3 && position == kCustomizeRequest) {
        UsePictureList(m_listMaterials, CustomPictureList().Get());
        m_customizeShown = true;
        items = CustomizeItems(m_customizeEntries, CustomizeStart(group), m_customizeEnd[group - 1], cut);
    } else if (group >= 1 && group <= 3) {
        UsePictureList(m_listMaterials, GroupPictureList(group).Get());
        items = CategoryItems(m_materialEntries, m_categoryEnd, group, position, cut);
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
        PlaceIcons(m_listMaterials, origin, SIZE{Scale(kIconSpacing.cx), Scale(kIconSpacing.cy)}, Scale(kOddItemShift));
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
        const SIZE spacing{Scale(kIconSpacing.cx), Scale(kIconSpacing.cy)};
        m_listMaterials.SetIconSpacing(spacing.cx, spacing.cy);
        if (m_listMaterials.GetItemCount() > 0) {
            m_listMaterials.Arrange();
            PlaceIcons(m_listMaterials, m_listMaterials.GetItemPosition(0), spacing, Scale(kOddItemShift));
        }
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

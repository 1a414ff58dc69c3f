#include "dialog/MaterialDialog.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "utils/LibraryScan.h"
#include "utils/MaterialName.h"

namespace {

constexpr int kIconSpacingX = 110;
constexpr int kIconSpacingY = 100;
// Every second icon moves this far left, so neighbouring names overlap less.
constexpr int kOddItemShift = -4;

struct ListItem {
    std::wstring text;
    int image;
};

// The control keeps its items in ascending order of their text, but each
// insertion into a sorted list costs time in proportion to the items already
// there, which made a category of thousands take seconds. Into an empty list
// the items therefore go in already sorted, with the sorting style off for the
// moment; the control's order is the same, and later insertions sort as usual.
void InsertAll(const fw::ListView& list, std::vector<ListItem>& items)
{
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(list.Hwnd(), GWL_STYLE));
    const bool presort = (style & LVS_SORTASCENDING) && list.GetItemCount() == 0;
    if (presort) {
        std::stable_sort(items.begin(), items.end(), [](const ListItem& a, const ListItem& b) {
            return ::lstrcmpiW(a.text.c_str(), b.text.c_str()) < 0;
        });
        ::SetWindowLongPtrW(list.Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style & ~LVS_SORTASCENDING));
    }
    for (const ListItem& item : items)
        list.AddItem(item.text, item.image);
    if (presort)
        ::SetWindowLongPtrW(list.Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style));
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

// Icons stand on the spacing grid in the list's (sorted) item order, as many
// to a row as the list is wide; every second item sits a little further left.
// The grid is laid out here rather than left to the control: some list
// implementations place an icon when it is inserted, in insertion order and on
// the spacing of that moment, re-arrange on the first paint after a refill,
// and count a scroll bar that the finished grid may not need.
void PlaceIcons(const fw::ListView& list)
{
    const int count = list.GetItemCount();
    if (count == 0)
        return;
    ::UpdateWindow(list.Hwnd());
    list.Arrange();
    const POINT origin = list.GetItemPosition(0);

    RECT client{};
    ::GetClientRect(list.Hwnd(), &client);
    int width = client.right - client.left;
    if (::GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & WS_VSCROLL)
        width += ::GetSystemMetrics(SM_CXVSCROLL);
    const int columns = std::max(1, width / kIconSpacingX);

    // Moving each icon of a visible list repaints it: thousands of moves took
    // most of a second. The list is drawn once afterwards instead.
    const fw::ScopedNoRedraw quiet(list);
    for (int parity = 0; parity < 2; ++parity)
        for (int i = parity; i < count; i += 2) {
            POINT at{origin.x + (i % columns) * kIconSpacingX, origin.y + (i / columns) * kIconSpacingY};
            if (parity == 1)
                at.x += kOddItemShift;
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
    // Every insertion into a visible icon view re-lays and repaints it; with
    // thousands of materials that made a fill take seconds.
    std::vector<ListItem> items;
    {
        const fw::ScopedNoRedraw quiet(m_listMaterials);
        m_customizeShown = false;
        const std::size_t cut = std::wcslen(MaterialExtension());
        const int group = m_curGroup;
        if (group >= 1 && group <= 3 && position == kCustomizeRequest) {
            UsePictureList(m_listMaterials, m_imageListCustom.Get());
            m_customizeShown = true;
            items = CustomizeItems(m_customizeEntries, CustomizeStart(group), m_customizeEnd[group - 1], cut);
        } else if (group >= 1 && group <= 3) {
            const fw::ImageList* pictures[3] = {&m_imageListGroup1, &m_imageListGroup2, &m_imageListGroup3};
            UsePictureList(m_listMaterials, pictures[group - 1]->Get());
            items = CategoryItems(m_materialEntries, m_categoryEnd, group, position, cut);
        }
        InsertAll(m_listMaterials, items);
        m_listMaterials.SetIconSpacing(kIconSpacingX, kIconSpacingY);
    }
    PlaceIcons(m_listMaterials);
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

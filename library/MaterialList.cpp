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

void InsertItem(const fw::Window& list, const std::wstring& text, int image)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = static_cast<int>(list.Send(LVM_GETITEMCOUNT));
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    list.Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// The control keeps its items in ascending order of their text, but each
// insertion into a sorted list costs time in proportion to the items already
// there, which made a category of thousands take seconds. Into an empty list
// the items therefore go in already sorted, with the sorting style off for the
// moment; the control's order is the same, and later insertions sort as usual.
void InsertAll(const fw::Window& list, std::vector<ListItem>& items)
{
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(list.Hwnd(), GWL_STYLE));
    const bool presort = (style & LVS_SORTASCENDING) && list.Send(LVM_GETITEMCOUNT) == 0;
    if (presort) {
        std::stable_sort(items.begin(), items.end(), [](const ListItem& a, const ListItem& b) {
            return ::lstrcmpiW(a.text.c_str(), b.text.c_str()) < 0;
        });
        ::SetWindowLongPtrW(list.Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style & ~LVS_SORTASCENDING));
    }
    for (const ListItem& item : items)
        InsertItem(list, item.text, item.image);
    if (presort)
        ::SetWindowLongPtrW(list.Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style));
}

void UsePictureList(const fw::Window& list, HIMAGELIST pictures)
{
    // The picture lists belong to the dialog and outlive the control; without
    // this style the control would destroy whichever list it shows last.
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(list.Hwnd(), GWL_STYLE));
    if (!(style & LVS_SHAREIMAGELISTS))
        ::SetWindowLongPtrW(list.Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style | LVS_SHAREIMAGELISTS));
    list.Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(pictures));
}

// Icons stand on the spacing grid in the list's (sorted) item order, as many
// to a row as the list is wide; every second item sits a little further left.
// The grid is laid out here rather than left to the control: some list
// implementations place an icon when it is inserted, in insertion order and on
// the spacing of that moment, re-arrange on the first paint after a refill,
// and count a scroll bar that the finished grid may not need.
void PlaceIcons(const fw::Window& list)
{
    const int count = static_cast<int>(list.Send(LVM_GETITEMCOUNT));
    if (count == 0)
        return;
    ::UpdateWindow(list.Hwnd());
    list.Send(LVM_ARRANGE, LVA_DEFAULT);
    POINT origin{};
    list.Send(LVM_GETITEMPOSITION, 0, reinterpret_cast<LPARAM>(&origin));

    RECT client{};
    ::GetClientRect(list.Hwnd(), &client);
    int width = client.right - client.left;
    if (::GetWindowLongPtrW(list.Hwnd(), GWL_STYLE) & WS_VSCROLL)
        width += ::GetSystemMetrics(SM_CXVSCROLL);
    const int columns = std::max(1, width / kIconSpacingX);

    // Moving each icon of a visible list repaints it: thousands of moves took
    // most of a second. The list is drawn once afterwards instead.
    list.Send(WM_SETREDRAW, FALSE);
    for (int parity = 0; parity < 2; ++parity)
        for (int i = parity; i < count; i += 2) {
            POINT at{origin.x + (i % columns) * kIconSpacingX, origin.y + (i / columns) * kIconSpacingY};
            if (parity == 1)
                at.x += kOddItemShift;
            list.Send(LVM_SETITEMPOSITION32, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&at));
        }
    list.Send(WM_SETREDRAW, TRUE);
}

} // namespace

void MaterialDialog::FillMaterialList(int position)
{
    // Every insertion into a visible icon view re-lays and repaints it; with
    // thousands of materials that made a fill take seconds.
    m_listMaterials.Send(WM_SETREDRAW, FALSE);
    m_customizeShown = false;
    const size_t cut = std::wcslen(MaterialExtension());
    std::vector<ListItem> items;
    const int group = m_curGroup;

    if (group >= 1 && group <= 3) {
        if (position == kCustomizeRequest) {
            UsePictureList(m_listMaterials, m_imageListCustom.Get());
            m_customizeShown = true;
            // The block opens with the folder's path, "." and "..".
            const int first = CustomizeStart(group) + 3;
            const int end = std::min<int>(m_customizeEnd[group - 1], static_cast<int>(m_customizeEntries.size()));
            for (int i = first; i < end; ++i)
                items.push_back({utils::MaterialItemText(m_customizeEntries[static_cast<size_t>(i)], cut), 0});
        } else {
            const fw::ImageList* pictures[3] = {&m_imageListGroup1, &m_imageListGroup2, &m_imageListGroup3};
            UsePictureList(m_listMaterials, pictures[group - 1]->Get());
            if (position >= 0 && position < utils::SlotTableCount(group)) {
                // A material's picture is its running number among the
                // group's materials, slot after slot, dot entries skipped.
                const int base = utils::SlotTableIndex(group, 0);
                const int entries = static_cast<int>(m_materialEntries.size());
                int picture = 0;
                for (int slot = 0; slot <= position; ++slot) {
                    const int index = base + slot;
                    const int start = index == 0 ? 0 : m_categoryEnd[index - 1];
                    const int end = std::min(m_categoryEnd[index], entries);
                    for (int i = start + 2; i < end; ++i, ++picture)
                        if (slot == position)
                            items.push_back(
                                {utils::MaterialItemText(m_materialEntries[static_cast<size_t>(i)], cut), picture});
                }
            }
        }
    }

    InsertAll(m_listMaterials, items);
    m_listMaterials.Send(LVM_SETICONSPACING, 0, MAKELPARAM(kIconSpacingX, kIconSpacingY));
    m_listMaterials.Send(WM_SETREDRAW, TRUE);
    PlaceIcons(m_listMaterials);
    m_listMaterials.Invalidate(nullptr, true);
}

void MaterialDialog::OnMaterialListRightClick(const NMITEMACTIVATE* info, LRESULT* result)
{
    *result = 0;
    if (!info)
        return;
    LVHITTESTINFO hit{};
    hit.pt = info->ptAction;
    const auto item = static_cast<int>(m_listMaterials.Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item < 0)
        return;
    // Selected only: loading the material into the panel is the left click's.
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    m_listMaterials.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

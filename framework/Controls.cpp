#include "framework/Controls.h"

#include <algorithm>

namespace fw {

void Edit::ClearText() const
{
    SelectAll();
    Send(EM_SCROLLCARET);
    Send(WM_CLEAR);
}

void ComboBox::SetCurSel(int index) const
{
    // Some combo boxes keep their previous selection when asked for an index
    // they do not have, which would show a value that is not the caller's.
    const bool known = index >= 0 && index < GetCount();
    Send(CB_SETCURSEL, static_cast<WPARAM>(known ? index : -1));
}

std::wstring ComboBox::GetItemText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

int ListView::InsertItem(int index, const std::wstring& text, int image, LPARAM data) const
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetItemImageAndData(int item, int image, LPARAM data) const
{
    LVITEMW change{};
    change.mask = LVIF_IMAGE | LVIF_PARAM;
    change.iItem = item;
    change.iImage = image;
    change.lParam = data;
    Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
}

std::wstring ListView::GetItemText(int item) const
{
    std::wstring text(128, L'\0');
    for (;;) {
        LVITEMW request{};
        request.iSubItem = 0;
        request.pszText = text.data();
        request.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<std::size_t>(
            Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request)));
        // A text that filled the buffer may have been cut: ask again with more room.
        if (length + 1 < text.size() || text.size() >= 32768) {
            text.resize(std::min(length, text.size()));
            return text;
        }
        text.assign(text.size() * 2, L'\0');
    }
}

std::optional<LPARAM> ListView::GetItemData(int item) const
{
    LVITEMW request{};
    request.mask = LVIF_PARAM;
    request.iItem = item;
    if (item < 0 || !Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request)))
        return std::nullopt;
    return request.lParam;
}

int ListView::FindItemData(LPARAM data) const
{
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return static_cast<int>(Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int ListView::FindItem(const std::wstring& text, bool prefix) const
{
    LVFINDINFOW find{};
    find.flags = prefix ? LVFI_STRING | LVFI_PARTIAL : LVFI_STRING;
    find.psz = text.c_str();
    return static_cast<int>(Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void ListView::SelectItem(int item, bool scrollIntoView) const
{
    if (item < 0)
        return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    if (scrollIntoView)
        Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
}

void ListView::SelectOnly(int item) const
{
    if (item < 0)
        return;
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    LVITEMW chosen{};
    chosen.stateMask = chosen.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&chosen));
    Send(LVM_SETSELECTIONMARK, 0, item);
    Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
}

int ListView::HitTest(POINT clientPoint) const
{
    LVHITTESTINFO hit{};
    hit.pt = clientPoint;
    return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

RECT ListView::GetItemRect(int item) const
{
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (!Send(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&bounds)))
        return RECT{};
    return bounds;
}

POINT ListView::GetItemPosition(int item) const
{
    POINT at{};
    Send(LVM_GETITEMPOSITION, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&at));
    return at;
}

} // namespace fw

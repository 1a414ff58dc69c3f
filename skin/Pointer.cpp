#include "dialog/MaterialDialog.h"

namespace {

constexpr UINT kAnimationPeriodMs = 20;
constexpr int kRowStep = 2;
constexpr int kColumnLeft = 156;
constexpr int kColumnWidth = text_places::kCategoryColumnWidth;
constexpr int kColumnTop = 99;
constexpr int kRowPitch = 24;
constexpr int kRowMaxHeight = text_places::kCategoryRowHeight;

// Mask with the lowest `count` bits set. Only bits 0..8 are ever looked at,
// so a count beyond that needs no further doubling.
unsigned LowBits(int count)
{
    unsigned mask = 0;
    for (int i = 0; i < count && i < 16; ++i)
        mask = mask * 2 + 1;
    return mask;
}

} // namespace

void MaterialDialog::OnMouseMove(POINT p)
{
    switch (m_hoverArea) {
    case HoverArea::None:
        if (InArea(kCancelArea, p))
            m_hoverArea = HoverArea::Cancel;
        else if (!m_bMaterialShown)
            break;
        else if (InArea(kSaveAsArea, p))
            m_hoverArea = HoverArea::SaveAs;
        else if (InArea(kAcceptArea, p) && m_bParamsUnchanged)
            m_hoverArea = HoverArea::Accept;
        break;
    case HoverArea::Cancel:
        if (!InArea(kCancelArea, p))
            m_hoverArea = HoverArea::None;
        break;
    case HoverArea::SaveAs:
        if (!InArea(kSaveAsArea, p))
            m_hoverArea = HoverArea::None;
        break;
    case HoverArea::Accept:
        if (!InArea(kAcceptArea, p))
            m_hoverArea = HoverArea::None;
        break;
    }
}

bool MaterialDialog::InArea(const RECT& area, POINT client) const
{
    const RECT scaled = ScaleRect(area);
    return ::PtInRect(&scaled, client) != FALSE;
}

bool MaterialDialog::OnSetCursor()
{
    if (m_hoverArea == HoverArea::None)
        return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void MaterialDialog::OnLButtonDown() { m_bPressArmed = 1; }

void MaterialDialog::OnTimer(UINT_PTR id)
{
    if (OnListAheadTimer(id) || OnLiveRefreshTimer(id))
        return;
    m_rowHeight += m_rowStep;
    if (m_rowHeight < 0) {
        // Collapsed: the column turns and grows back with the new group.
        m_rowHeight = 0;
        ::KillTimer(m_hWnd, id);
        m_rowStep = kRowStep;
        if (id >= 1 && id <= 3)
            ::SetTimer(m_hWnd, id, kAnimationPeriodMs, nullptr);
        UpdateButtonVisibility(0, m_curGroup);
        ApplyGroupCaptions(m_curGroup);
    }
    const bool grown = m_rowHeight > m_rowMaxHeight;
    if (grown) {
        m_rowHeight = m_rowMaxHeight;
        ::KillTimer(m_hWnd, id);
    }
    MoveCategoryButtons();
    if (grown)
        OnColumnAtRest();
}

bool MaterialDialog::IsColumnAtRest() const { return m_rowStep >= 0 && m_rowHeight >= m_rowMaxHeight; }

void MaterialDialog::MoveCategoryButtons()
{
    // Moved without a repaint each, then the column repainted once: moving
    // nine buttons with a repaint each made one tick of the animation cost
    // most of the timer's period. The column's geometry is kept at 96 dpi,
    // so the animation takes its 26 ticks at every DPI.
    m_columnPlaced = true;
    RECT column{};
    for (int k = 0; k < 9; ++k) {
        HWND button = Item(kSlotIds[k]);
        RECT before{};
        ::GetWindowRect(button, &before);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&before), 2);
        const int top = k == 0 ? m_colTop : m_rowTops[k - 1];
        const RECT after = ScaleRect(RECT{m_colLeft, top, m_colLeft + m_colWidth, top + m_rowHeight});
        ::SetWindowPos(button, nullptr, after.left, after.top, after.right - after.left, after.bottom - after.top,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        ::UnionRect(&column, &column, &before);
        ::UnionRect(&column, &column, &after);
    }
    ::RedrawWindow(m_hWnd, &column, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MaterialDialog::OnGroupClicked(int group)
{
    if (m_curGroup != group) {
        m_curGroup = static_cast<std::uint8_t>(group);
        m_rowStep = -kRowStep;
        SetSlotHighlight(0);
        ClearMaterialView();
        FollowView(nullptr);
        ::SetTimer(m_hWnd, static_cast<UINT_PTR>(group), kAnimationPeriodMs, nullptr);
    }
    SetGroupHighlight(1 << (group - 1));
}

void MaterialDialog::OnSlotClicked(int slot)
{
    const int bit = 1 << slot;
    if (m_slotMask != bit) {
        ClearMaterialView();
        m_curSlot = static_cast<std::uint8_t>(slot);
        FillMaterialList(m_customSlot == slot ? kCustomizeRequest : slot);
        FollowView(ShownFolder());
    }
    SetSlotHighlight(bit);
}

void MaterialDialog::UpdateButtonVisibility(BYTE includeGroups, BYTE group)
{
    if (includeGroups) {
        const unsigned groups = LowBits(static_cast<int>(m_library.GroupEntries().size()) - 2);
        for (int g = 0; g < 3; ++g)
            ::ShowWindow(Item(kGroupIds[g]), (groups >> g) & 1u ? SW_SHOW : SW_HIDE);
    }
    const int count = group >= 1 && group <= 3 ? m_library.CategoryButtonCount(group) : 0;
    const unsigned slots = LowBits(count);
    for (int k = 0; k < 9; ++k)
        ::ShowWindow(Item(kSlotIds[k]), (slots >> k) & 1u ? SW_SHOW : SW_HIDE);
}

void MaterialDialog::SetGroupHighlight(int mask)
{
    for (int g = 0; g < 3; ++g)
        fw::Button(Item(kGroupIds[g])).SetState((mask >> g) & 1);
}

void MaterialDialog::SetSlotHighlight(int mask)
{
    m_slotMask = static_cast<std::uint16_t>(mask);
    for (int k = 0; k < 9; ++k)
        fw::Button(Item(kSlotIds[k])).SetState((mask >> k) & 1);
}

void MaterialDialog::ClearMaterialView()
{
    m_listMaterials.DeleteAllItems();
    SetMaterialShown(0);
    m_comboMarkMode.SetCurSel(0);
    m_comboResolution.SetCurSel(0);
    for (const fw::Edit* edit : {&m_editSpeed, &m_editPower, &m_editPpi})
        edit->ClearText();
}

void MaterialDialog::InitSelectionState()
{
    m_colLeft = kColumnLeft;
    m_colWidth = kColumnWidth;
    m_colTop = kColumnTop;
    m_rowMaxHeight = kRowMaxHeight;
    for (int i = 0; i < 8; ++i)
        m_rowTops[i] = kColumnTop + kRowPitch + kRowPitch * i;
    m_rowHeight = kRowMaxHeight;

    UpdateButtonVisibility(1, 1);
    fw::Button(Item(kGroupIds[0])).SetState(true);

    m_curGroup = 1;
    m_curSlot = 0;
    m_customizeShown = false;
}

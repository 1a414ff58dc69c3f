#include "dialog/MaterialDialog.h"

void MaterialDialog::OnMouseMove(POINT) {}
bool MaterialDialog::OnSetCursor() { return false; }
void MaterialDialog::OnLButtonDown() { m_bPressArmed = 1; }
void MaterialDialog::OnTimer(UINT_PTR) {}
void MaterialDialog::OnGroupClicked(int) {}
void MaterialDialog::OnSlotClicked(int) {}
void MaterialDialog::UpdateButtonVisibility(BYTE, BYTE) {}
void MaterialDialog::SetGroupHighlight(int) {}
void MaterialDialog::SetSlotHighlight(int mask) { m_slotMask = static_cast<std::uint16_t>(mask); }

void MaterialDialog::ClearMaterialView()
{
    m_listMaterials.Send(LVM_DELETEALLITEMS);
    SetMaterialShown(0);
    m_comboMarkMode.Send(CB_SETCURSEL, 0);
    m_comboResolution.Send(CB_SETCURSEL, 0);
    for (const fw::Window* edit : {&m_editSpeed, &m_editPower, &m_editPpi}) {
        edit->Send(EM_SETSEL, 0, -1);
        edit->Send(EM_SCROLLCARET);
        edit->Send(WM_CLEAR);
    }
}

void MaterialDialog::InitSelectionState()
{
    m_curGroup = 1;
    m_curSlot = 0;
    m_customizeShown = false;
}

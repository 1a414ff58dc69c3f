#include "dialog/MaterialDialog.h"

void MaterialDialog::OnLButtonUp() { m_bPressArmed = 0; }
void MaterialDialog::AcceptAction() {}
void MaterialDialog::CancelAction() {}
void MaterialDialog::SaveAsAction() {}

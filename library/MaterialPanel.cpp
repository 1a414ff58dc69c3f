#include "dialog/MaterialDialog.h"

void MaterialDialog::OnMaterialListClick(LRESULT* result) { *result = 0; }
void MaterialDialog::OnMarkModeChange() {}
void MaterialDialog::OnResolutionChange() {}
void MaterialDialog::OnSpeedChange() {}
void MaterialDialog::OnPowerChange() {}
void MaterialDialog::OnPpiChange() {}

#include "dialog/MaterialDialog.h"

void MaterialDialog::FillMaterialList(int) {}
void MaterialDialog::OnMaterialListRightClick(const NMITEMACTIVATE*, LRESULT* result) { *result = 0; }

#include "dialog/MaterialDialog.h"

void MaterialDialog::OnPrint() {}
void MaterialDialog::ShowLastError() {}

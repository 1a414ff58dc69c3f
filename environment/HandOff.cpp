#include "dialog/MaterialDialog.h"

void MaterialDialog::SelectDataFolder() {}
void MaterialDialog::LoadDriverHandOff() {}

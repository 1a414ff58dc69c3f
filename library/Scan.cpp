#include "dialog/MaterialDialog.h"

void MaterialDialog::ScanLibrary() {}

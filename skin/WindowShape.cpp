#include "dialog/MaterialDialog.h"

void MaterialDialog::BuildPictureLists() { ShapeWindow(); }
void MaterialDialog::ShapeWindow() {}

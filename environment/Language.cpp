#include "dialog/MaterialDialog.h"

void MaterialDialog::LoadLanguageTables(const std::wstring&) {}
void MaterialDialog::ApplyGroupCaptions(int) {}

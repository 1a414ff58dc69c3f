#include "app/MaterialApp.h"

#include "dialog/MaterialDialog.h"

bool MaterialApp::InitInstance()
{
    MaterialDialog dialog(nullptr);
    dialog.DoModal();
    SetMainWindow(nullptr);
    // Whatever the dialog ended with, the application ends with it.
    return false;
}

#include "app/MaterialApp.h"

#include "dialog/MaterialDialog.h"

bool MaterialApp::InitInstance()
{
    MaterialDialog dialog(nullptr);
    // Main window before the modal run, so that the start-up messages have
    // an owner while the dialog is being set up.
    SetMainWindow(&dialog);
    dialog.DoModal();
    SetMainWindow(nullptr);
    // Whatever the dialog ended with, the application ends with it.
    return false;
}

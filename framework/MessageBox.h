#pragma once
#include <windows.h>
#include <string>

namespace fw {

// Application message box, owned by the active window of this thread. A
// plain OK box gets the exclamation icon unless the type names another.
int MessageBox(const std::wstring& text, UINT type = MB_OK);

// Caption of the application's message boxes.
const wchar_t* MessageBoxCaption();

} // namespace fw

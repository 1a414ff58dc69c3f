#pragma once
#include <windows.h>
#include <string>

namespace fw {

// The application's message box, owned by the active window of this thread
// and titled with the application's name. A plain OK box gets the
// exclamation icon and a Yes/No box the question mark unless the type names
// another icon.
int ShowMessage(const std::wstring& text, UINT type = MB_OK);

} // namespace fw

#include "framework/MessageBox.h"

#include "framework/Application.h"

namespace fw {

int ShowMessage(const std::wstring& text, UINT type)
{
    if ((type & MB_ICONMASK) == 0) {
        const UINT kind = type & MB_TYPEMASK;
        if (kind == MB_OK || kind == MB_OKCANCEL)
            type |= MB_ICONEXCLAMATION;
        else if (kind == MB_YESNO || kind == MB_YESNOCANCEL)
            type |= MB_ICONQUESTION;
    }
    const Application* app = Application::Instance();
    HWND owner = ::GetActiveWindow();
    if (owner) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(owner, &process);
        if (process != ::GetCurrentProcessId())
            owner = nullptr;
    }
    // An unowned box can open behind the driver's window and wait there unseen.
    if (!owner && app && ::IsWindow(app->MainWindow()))
        owner = app->MainWindow();
    const wchar_t* title = app && !app->Name().empty() ? app->Name().c_str() : nullptr;
    return ::MessageBoxW(owner, text.c_str(), title, type);
}

} // namespace fw

#include "framework/MessageBox.h"

namespace fw {

const wchar_t* MessageBoxCaption() { return L"Material Manager"; }

int MessageBox(const std::wstring& text, UINT type)
{
    if ((type & MB_ICONMASK) == 0) {
        const UINT kind = type & MB_TYPEMASK;
        if (kind == MB_OK || kind == MB_OKCANCEL)
            type |= MB_ICONEXCLAMATION;
        else if (kind == MB_YESNO || kind == MB_YESNOCANCEL)
            type |= MB_ICONQUESTION;
    }
    HWND owner = ::GetActiveWindow();
    if (owner) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(owner, &process);
        if (process != ::GetCurrentProcessId())
            owner = nullptr;
    }
    return ::MessageBoxW(owner, text.c_str(), MessageBoxCaption(), type);
}

} // namespace fw

#include "framework/Dpi.h"

namespace fw {

namespace {

// Declared here: the headers for Vista do not know them.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
using GetProcessDpiAwarenessFn = HRESULT(WINAPI*)(HANDLE, int*);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kDisableAllDialogScaling = 1; // DDC_DISABLE_ALL
constexpr int kPerMonitorAware = 2;         // PROCESS_PER_MONITOR_DPI_AWARE
constexpr int kEffectiveDpi = 0;            // MDT_EFFECTIVE_DPI

template <typename Function>
Function Find(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

HMODULE User32() { return ::GetModuleHandleW(L"user32.dll"); }

// The monitor functions of Windows 8.1, from the system folder only.
HMODULE ShellCore()
{
    static const HMODULE module = ::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module;
}

// Windows 8.1 tells a per-monitor aware process its monitor's DPI only
// through the monitor.
int MonitorDpi(HWND hwnd)
{
    const auto awareness = Find<GetProcessDpiAwarenessFn>(ShellCore(), "GetProcessDpiAwareness");
    const auto forMonitor = Find<GetDpiForMonitorFn>(ShellCore(), "GetDpiForMonitor");
    int mode = 0;
    if (!awareness || !forMonitor || FAILED(awareness(nullptr, &mode)) || mode != kPerMonitorAware)
        return 0;
    UINT x = 0, y = 0;
    HMONITOR monitor = ::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
    return SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y)) ? static_cast<int>(y) : 0;
}

} // namespace

int SystemDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : utils::kDesignDpi;
}

int WindowDpi(HWND hwnd)
{
    static const auto forWindow = Find<GetDpiForWindowFn>(User32(), "GetDpiForWindow");
    if (forWindow && hwnd)
        if (const UINT dpi = forWindow(hwnd))
            return static_cast<int>(dpi);
    if (const int dpi = hwnd ? MonitorDpi(hwnd) : 0)
        return dpi;
    return SystemDpi();
}

int FrameWidth(HWND hwnd)
{
    static const auto forDpi = Find<AdjustWindowRectExForDpiFn>(User32(), "AdjustWindowRectExForDpi");
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)) & ~(WS_VSCROLL | WS_HSCROLL);
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    RECT frame{};
    const BOOL done = forDpi ? forDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(WindowDpi(hwnd)))
                             : ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return done ? frame.right - frame.left : 0;
}

void KeepDialogManagerFromScaling(HWND dialog)
{
    static const auto setBehavior = Find<SetDialogDpiChangeBehaviorFn>(User32(), "SetDialogDpiChangeBehavior");
    if (setBehavior && dialog)
        setBehavior(dialog, kDisableAllDialogScaling, kDisableAllDialogScaling);
}

} // namespace fw

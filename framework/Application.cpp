#include "framework/Application.h"

#include <commctrl.h>
#include <ole2.h>

namespace fw {

namespace {
Application* g_application = nullptr;
}

Application::Application(std::wstring name) : m_name(std::move(name)) { g_application = this; }

Application::~Application()
{
    if (g_application == this)
        g_application = nullptr;
}

Application* Application::Instance() { return g_application; }

void Application::DoWaitCursor(int code)
{
    if (code > 0) {
        if (m_waitCount++ == 0)
            m_restoreCursor = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        else
            ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    } else if (code < 0) {
        if (m_waitCount > 0 && --m_waitCount == 0)
            ::SetCursor(m_restoreCursor ? m_restoreCursor : ::LoadCursorW(nullptr, IDC_ARROW));
    }
}

int RunApplication()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    // COM for the program's life on its one thread: the imaging component
    // that decodes the scaled pictures is reached through it.
    struct Ole {
        HRESULT result = ::OleInitialize(nullptr);
        ~Ole()
        {
            if (SUCCEEDED(result))
                ::OleUninitialize();
        }
    } ole;
    Application* app = Application::Instance();
    if (!app)
        return 1;
    try {
        // Returning false ends the application without a message loop of its own.
        if (!app->InitInstance())
            return 0;
    } catch (...) {
        return 1;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace fw

#pragma once
#include <windows.h>

#include <string>

#include "framework/Window.h"

namespace fw {

// The one application object. Its constructor registers it; the process entry
// point runs InitInstance and ends the process when it returns false.
class Application {
public:
    // `name` titles the application's message boxes.
    explicit Application(std::wstring name);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application();

    static Application* Instance();

    const std::wstring& Name() const { return m_name; }

    virtual bool InitInstance() = 0;

    // 1 begins a wait cursor, -1 ends one; nested calls count.
    void DoWaitCursor(int code);

    // The window that owns the application's message boxes when no window of
    // ours is active, for instance while the main dialog is being set up
    // and not yet shown. Set before the window exists: its handle is read
    // when a box needs an owner.
    HWND MainWindow() const { return m_mainWindow ? m_mainWindow->Hwnd() : nullptr; }
    void SetMainWindow(const Window* window) { m_mainWindow = window; }

private:
    std::wstring m_name;
    const Window* m_mainWindow = nullptr;
    int m_waitCount = 0;
    HCURSOR m_restoreCursor = nullptr;
};

// OLE on the calling thread for the owner's life, in a single-threaded
// apartment: the shell's folder picker in its new style and drag and drop
// require it on the thread that runs their windows.
class OleApartment {
public:
    OleApartment();
    OleApartment(const OleApartment&) = delete;
    OleApartment& operator=(const OleApartment&) = delete;
    ~OleApartment();

    // Whether OLE is initialised by this owner, which then ends it.
    bool Initialised() const { return m_initialised; }

private:
    bool m_initialised = false;
};

// The wait cursor of the application object, if there is one, for as long
// as this lives.
class WaitCursor {
public:
    WaitCursor()
    {
        if (Application* app = Application::Instance())
            app->DoWaitCursor(1);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor()
    {
        if (Application* app = Application::Instance())
            app->DoWaitCursor(-1);
    }
};

// Process entry routine: OLE and common controls, then InitInstance, all
// on the one GUI thread. Returns the exit code.
int RunApplication();

} // namespace fw

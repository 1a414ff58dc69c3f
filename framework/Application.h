#pragma once
#include <windows.h>

namespace fw {

// The one application object. Its constructor registers it; the process entry
// point runs InitInstance and ends the process when it returns false.
class Application {
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    virtual ~Application();

    static Application* Instance();

    virtual bool InitInstance() = 0;

    // 1 begins a wait cursor, -1 ends one; nested calls count.
    void DoWaitCursor(int code);

    HWND MainWindow() const { return m_mainWindow; }
    void SetMainWindow(HWND hwnd) { m_mainWindow = hwnd; }

private:
    HWND m_mainWindow = nullptr;
    int m_waitCount = 0;
    HCURSOR m_restoreCursor = nullptr;
};

// Process entry routine: common controls, then InitInstance. Returns the exit code.
int RunApplication();

} // namespace fw

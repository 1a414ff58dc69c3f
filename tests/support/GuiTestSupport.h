#pragma once
// Helpers for driving dialogs in-process: a message pump, a catcher that
// answers message boxes and other modal dialogs, pixel readers and temporary
// folders.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "utils/OperatorTexts.h"

namespace testing_support {

// Delivers every queued message of this thread, then keeps pumping for at
// least `milliseconds` (timers included).
void PumpMessages(DWORD milliseconds = 0);

// While alive, every dialog box that this thread activates is handed to the
// handler for that dialog, or (for message boxes) has its text recorded and is
// answered with OK (Yes for a question) unless Answer() says otherwise.
class ModalCatcher {
public:
    // A handler gets the window of any other dialog once it is initialised;
    // it may set texts and must post (not send) the command that ends it.
    using DialogHandler = std::function<void(HWND)>;

    ModalCatcher();
    ~ModalCatcher();
    ModalCatcher(const ModalCatcher&) = delete;
    ModalCatcher& operator=(const ModalCatcher&) = delete;

    void OnDialog(DialogHandler handler) { m_handler = std::move(handler); }
    // A handler that gets each message box before it is answered; it may
    // send keys to the box and must leave it open.
    void OnMessageBox(DialogHandler handler) { m_boxHandler = std::move(handler); }
    // The next message boxes are answered with these buttons (IDYES, IDNO,
    // ...), or with the Enter key for kPressEnter, in order.
    static constexpr int kPressEnter = 0;
    void Answer(std::vector<int> buttons) { m_answers = std::move(buttons); }
    const std::vector<std::wstring>& Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l);
    void Activated(HWND hwnd);

    HHOOK m_hook = nullptr;
    DialogHandler m_handler;
    DialogHandler m_boxHandler;
    std::vector<std::wstring> m_messages;
    std::vector<int> m_answers;
    std::vector<HWND> m_seen;
};

// A 32-bit top-down pixel buffer.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> data; // as COLORREF 0x00BBGGRR

    COLORREF At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
};

// Draws into a memory bitmap of the given size and reads the pixels back.
Pixels Render(int width, int height, const std::function<void(HDC)>& draw);

// The window's client area as the window paints it (PrintWindow).
Pixels CaptureClient(HWND hwnd);

// The window's whole area, frame and caption included (PrintWindow).
Pixels CaptureWindow(HWND hwnd);

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Path with a trailing backslash, as the program keeps its folders.
    std::wstring WithSlash() const { return m_path.wstring() + L"\\"; }

private:
    std::filesystem::path m_path;
};

// Writes bytes to a file, creating missing folders.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Writes an INI-style text as UTF-16 with a byte-order mark.
void WriteUtf16File(const std::filesystem::path& path, const std::wstring& text);
std::string ReadFileBytes(const std::filesystem::path& path);
// A profile value as the system's reader returns it ("<missing>" when absent).
std::wstring ReadProfile(const std::filesystem::path& file, const wchar_t* section, const wchar_t* key);
// The integrator's "LibraryRoot" value in one view of the registry
// (KEY_WOW64_64KEY, or KEY_WOW64_32KEY where a 32-bit installer writes),
// there for as long as this lives.
class LibraryRootValue {
public:
    LibraryRootValue(REGSAM view, const std::wstring& value, DWORD type = REG_SZ);
    ~LibraryRootValue();
    LibraryRootValue(const LibraryRootValue&) = delete;
    LibraryRootValue& operator=(const LibraryRootValue&) = delete;

private:
    REGSAM m_view;
};

// An operator text as it reads without a language file (its English fallback).
std::wstring English(utils::OperatorText which, const std::wstring& name = L"");

} // namespace testing_support

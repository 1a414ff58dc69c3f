#include "tests/support/GuiTestSupport.h"

#include <algorithm>
#include <atomic>
#include <fstream>

#include "framework/Picture.h"
#include "utils/HandOffRules.h"

namespace testing_support {

namespace {
ModalCatcher* g_catcher = nullptr;

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring TextOf(HWND hwnd)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(hwnd, text, 1024);
    return text;
}

// A message box has static text and only push buttons with the standard ids.
bool IsMessageBox(HWND dialog)
{
    bool hasText = false;
    bool onlyStandard = true;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring cls = ClassOf(child);
        const int id = ::GetDlgCtrlID(child);
        if (_wcsicmp(cls.c_str(), L"Static") == 0) {
            if (!TextOf(child).empty())
                hasText = true;
        } else if (_wcsicmp(cls.c_str(), L"Button") == 0) {
            if (id < IDOK || id > IDCONTINUE)
                onlyStandard = false;
        } else {
            onlyStandard = false;
        }
    }
    return hasText && onlyStandard;
}

Pixels ReadBitmap(HDC hdc, HBITMAP bitmap, int width, int height)
{
    Pixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.data.resize(static_cast<size_t>(width) * height);
    BITMAPINFO info = fw::TopDown32(width, height);
    std::vector<DWORD> raw(pixels.data.size());
    ::GetDIBits(hdc, bitmap, 0, static_cast<UINT>(height), raw.data(), &info, DIB_RGB_COLORS);
    for (size_t i = 0; i < raw.size(); ++i) {
        const DWORD p = raw[i]; // 0x00RRGGBB in memory order B, G, R
        pixels.data[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    return pixels;
}

Pixels Capture(HWND hwnd, bool clientOnly)
{
    RECT rc{};
    if (clientOnly)
        ::GetClientRect(hwnd, &rc);
    else {
        ::GetWindowRect(hwnd, &rc);
        ::OffsetRect(&rc, -rc.left, -rc.top);
    }
    return Render(rc.right, rc.bottom, [&](HDC hdc) { ::PrintWindow(hwnd, hdc, clientOnly ? PW_CLIENTONLY : 0); });
}

} // namespace

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    for (;;) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (::GetTickCount() - start >= milliseconds)
            break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

ModalCatcher::ModalCatcher()
{
    g_catcher = this;
    m_hook = ::SetWindowsHookExW(WH_CBT, &ModalCatcher::Hook, nullptr, ::GetCurrentThreadId());
}

ModalCatcher::~ModalCatcher()
{
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    if (g_catcher == this)
        g_catcher = nullptr;
}

LRESULT CALLBACK ModalCatcher::Hook(int code, WPARAM w, LPARAM l)
{
    if (code == HCBT_ACTIVATE && g_catcher)
        g_catcher->Activated(reinterpret_cast<HWND>(w));
    return ::CallNextHookEx(nullptr, code, w, l);
}

void ModalCatcher::Activated(HWND hwnd)
{
    if (ClassOf(hwnd) != L"#32770")
        return;
    if (std::find(m_seen.begin(), m_seen.end(), hwnd) != m_seen.end())
        return;
    m_seen.push_back(hwnd);
    if (IsMessageBox(hwnd)) {
        std::wstring text;
        for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0 && !TextOf(child).empty())
                text += TextOf(child);
        m_messages.push_back(text);
        if (m_boxHandler)
            m_boxHandler(hwnd);
        // Unless told otherwise, the box is confirmed: OK, or Yes for a question.
        int answer = ::GetDlgItem(hwnd, IDYES) ? IDYES : IDOK;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.erase(m_answers.begin());
        }
        if (answer == kPressEnter)
            ::PostMessageW(hwnd, WM_KEYDOWN, VK_RETURN, 0);
        else
            ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        return;
    }
    // The dialog has run WM_INITDIALOG by now; the handler fills in what it
    // wants and posts the command that ends the dialog.
    if (m_handler)
        m_handler(hwnd);
}

Pixels Render(int width, int height, const std::function<void(HDC)>& draw)
{
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    const BITMAPINFO info = fw::TopDown32(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    draw(memory);
    ::SelectObject(memory, old);
    Pixels pixels = ReadBitmap(memory, bitmap, width, height);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels CaptureClient(HWND hwnd) { return Capture(hwnd, true); }
Pixels CaptureWindow(HWND hwnd) { return Capture(hwnd, false); }

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    for (;;) {
        m_path = std::filesystem::path(base) /
                 (L"mmtest_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(counter++));
        if (std::filesystem::create_directories(m_path))
            break;
    }
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteUtf16File(const std::filesystem::path& path, const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    WriteFile(path, bytes);
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring ReadProfile(const std::filesystem::path& file, const wchar_t* section, const wchar_t* key)
{
    wchar_t buffer[1024] = {};
    ::GetPrivateProfileStringW(section, key, L"<missing>", buffer, 1024, file.wstring().c_str());
    return buffer;
}

LibraryRootValue::LibraryRootValue(REGSAM view, const std::wstring& value, DWORD type) : m_view(view)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, utils::kLibraryRootKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, utils::kLibraryRootValue, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

LibraryRootValue::~LibraryRootValue()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, utils::kLibraryRootKey, 0, KEY_SET_VALUE | m_view, &key) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueW(key, utils::kLibraryRootValue);
    ::RegCloseKey(key);
}

std::wstring English(utils::OperatorText which, const std::wstring& name)
{
    return utils::OperatorTexts().Format(which, name);
}

} // namespace testing_support

// A window that stays true to a library other stations change while it is
// open: what the system reports of the watched folders, changes made by
// another process appearing by themselves, the loaded material and the
// operator's work kept, and the periodic check where no change notice comes.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "framework/FolderWatch.h"
#include "tests/support/GuiTestSupport.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// Runs a command of the system's shell in a process of its own and waits for
// it: another station's doing, as far as this process can tell.
void RunElsewhere(const std::wstring& command)
{
    std::wstring line = L"cmd.exe /c " + command;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                                 &startup, &process))
        << testing::PrintToString(command);
    ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

std::wstring Quoted(const fs::path& path) { return L"\"" + path.wstring() + L"\""; }

// Pumps messages until `done` holds or `milliseconds` have passed.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 3000)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        PumpMessages(20);
    }
    return true;
}

constexpr UINT kChanged = WM_APP + 77;

// A message-only window that counts the watcher's messages.
class Listener {
public:
    Listener()
    {
        WNDCLASSW cls{};
        cls.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
            if (msg == kChanged)
                ++*reinterpret_cast<int*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            return ::DefWindowProcW(hwnd, msg, w, l);
        };
        cls.hInstance = ::GetModuleHandleW(nullptr);
        cls.lpszClassName = L"FolderWatcherListener";
        ::RegisterClassW(&cls);
        m_hwnd = ::CreateWindowW(cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&m_messages));
    }
    ~Listener() { ::DestroyWindow(m_hwnd); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    int Messages() const { return m_messages; }

private:
    HWND m_hwnd = nullptr;
    int m_messages = 0;
};

std::vector<std::wstring> Described(const std::vector<fw::FolderChanges>& changes, const fs::path& folder)
{
    static const wchar_t* kKinds[] = {L"added", L"removed", L"modified", L"renamed from", L"renamed to"};
    std::vector<std::wstring> text;
    for (const fw::FolderChanges& change : changes) {
        if (change.folder != folder.wstring())
            continue;
        if (change.refused)
            text.push_back(L"refused");
        if (change.overflowed)
            text.push_back(L"overflowed");
        for (const fw::FolderEvent& event : change.events)
            text.push_back(std::wstring(kKinds[static_cast<int>(event.kind)]) + L" " + event.name);
    }
    return text;
}

} // namespace

// What the refresh relies on: names and renames reported per folder, writes
// to files only where asked, nothing from a sub-folder, one message for a
// burst, and a refusal where no notice can come.
TEST(FolderWatcher, ReportsWhatAnotherProcessChanges)
{
    TempFolder temp;
    const fs::path shown = temp.Path() / L"Shown";
    const fs::path group = temp.Path() / L"Group";
    fs::create_directories(shown);
    fs::create_directories(group / L"Wood");
    WriteFile(shown / L"Oak.spi", "[PEN]\r\n");
    WriteFile(group / L"Wood" / L"Ash.spi", "[PEN]\r\n");
    const std::optional<std::uint64_t> signature = fw::FolderSignature(shown.wstring());
    ASSERT_TRUE(signature.has_value());

    Listener listener;
    std::vector<fw::FolderChanges> changes;
    {
        fw::FolderWatcher watcher(listener.Hwnd(), kChanged);
        watcher.Watch({{shown.wstring(), true}, {group.wstring(), false}});
        PumpMessages(300); // the worker makes its watches
        RunElsewhere(L"echo PEN1POWER=5>> " + Quoted(shown / L"Oak.spi") + L" && ren " + Quoted(shown / L"Oak.spi") +
                     L" Elm.spi && echo x> " + Quoted(group / L"Wood" / L"Beech.spi") + L" && mkdir " +
                     Quoted(group / L"Metal"));
        ASSERT_TRUE(PumpUntil([&] { return listener.Messages() > 0; }));
        PumpMessages(500); // Wine reports some of it a moment later
        changes = watcher.TakeChanges();
        EXPECT_EQ(listener.Messages(), 1) << "one message until the changes are taken";
        EXPECT_TRUE(watcher.TakeChanges().empty());
    }
    const std::vector<std::wstring> inShown = Described(changes, shown);
    const auto has = [&inShown](const std::wstring& text) {
        return std::find(inShown.begin(), inShown.end(), text) != inShown.end();
    };
    EXPECT_TRUE(has(L"modified Oak.spi")) << testing::PrintToString(inShown);
    const auto from = std::find(inShown.begin(), inShown.end(), L"renamed from Oak.spi");
    ASSERT_NE(from, inShown.end()) << testing::PrintToString(inShown);
    ASSERT_NE(from + 1, inShown.end());
    EXPECT_EQ(*(from + 1), L"renamed to Elm.spi");
    // The group is watched for its names: a new category, not a new material
    // in one of its categories.
    EXPECT_EQ(Described(changes, group), std::vector<std::wstring>{L"added Metal"});
    EXPECT_NE(fw::FolderSignature(shown.wstring()), signature);

    fw::RefuseFolderWatches(true);
    {
        fw::FolderWatcher watcher(listener.Hwnd(), kChanged);
        watcher.Watch({{shown.wstring(), true}});
        ASSERT_TRUE(PumpUntil([&] { return listener.Messages() > 1; }));
        EXPECT_EQ(Described(watcher.TakeChanges(), shown), std::vector<std::wstring>{L"refused"});
    }
    fw::RefuseFolderWatches(false);
    EXPECT_FALSE(fw::FolderSignature((temp.Path() / L"Gone").wstring()).has_value());
}

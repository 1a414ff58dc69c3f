// A window that stays true to a library other stations change while it is
// open: what the system reports of the watched folders, changes made by
// another process appearing by themselves, the loaded material and the
// operator's work kept, and the periodic check where no change notice comes.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "framework/FolderWatch.h"
#include "tests/gui/PanelFixture.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MaterialDialogInspector.h"

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

namespace {

// A material as another station saves it, with this power.
std::string Oak(int power)
{
    return "[OPTION]\r\nMARK_MODE=1\r\nRESOLUTION=500\r\n[PEN]\r\nPEN1SPEED=125\r\nPEN1POWER=" + std::to_string(power) +
           "\r\nPEN1PPI=300\r\n";
}
// A change made elsewhere shows within about two seconds; the tests wait a
// little longer for a machine that is busy.
constexpr DWORD kRefreshWaitMs = 4000;

class LiveRefreshTest : public PanelFixture {
protected:
    // One group: "Wood" with Oak, Ash, Elm and sixty more to scroll through,
    // and "Wood" alone among the categories.
    void Prepare()
    {
        PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood"}, {}}});
        for (const wchar_t* name : {L"Oak", L"Ash", L"Elm"})
            WriteMaterial(Wood() / (std::wstring(name) + L".spi"), Oak(40));
        for (int i = 10; i < 70; ++i)
            WriteMaterial(Wood() / (L"Z" + std::to_wstring(i) + L".spi"), Oak(40));
        OpenPrepared();
        ShowFolder(1, 0);
    }
    fs::path Wood() const { return CategoryFolder(1, 0); }
    std::vector<std::wstring> Texts() const
    {
        const fw::ListView list(Item(IDC_MATERIAL_LIST));
        std::vector<std::wstring> texts;
        for (int i = 0; i < list.GetItemCount() && i < 4; ++i)
            texts.push_back(list.GetItemText(i));
        return texts;
    }
    int ItemCount() const { return fw::ListView(Item(IDC_MATERIAL_LIST)).GetItemCount(); }
    POINT Origin() const
    {
        POINT origin{};
        ::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
        return origin;
    }
};

} // namespace

// Another process adds, removes, renames and changes materials of the shown
// category and adds a category before it: the list shows it by itself, the
// selection follows the renamed file, the scroll position stays, and the
// shown category stays shown on the slot it moved to.
TEST_F(LiveRefreshTest, ChangesOfAnotherProcessShowInTheOpenWindow)
{
    Prepare();
    ClickItem(L"Oak");
    ::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_SCROLL, 0, 120);
    const POINT scrolled = Origin();
    ASSERT_NE(scrolled.y, 0) << "sixty-three materials scroll";
    WriteMaterial(TempRoot() / L"Beech.spi", Oak(40));
    RunElsewhere(L"copy /y " + Quoted(TempRoot() / L"Beech.spi") + L" " + Quoted(Wood()) + L" && del " +
                 Quoted(Wood() / L"Ash.spi") + L" && ren " + Quoted(Wood() / L"Oak.spi") + L" Oak2.spi && mkdir " +
                 Quoted(GroupFolder(1) / L"Apple"));
    const std::vector<std::wstring> expected{L"Beech", L"Elm", L"Oak2", L"Z10"};
    EXPECT_TRUE(PumpUntil([&] { return Texts() == expected && Inspect(Dialog()).m_curSlot == 1; }, kRefreshWaitMs))
        << testing::PrintToString(Texts());
    EXPECT_EQ(ItemCount(), 63);
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Oak2"});
    EXPECT_EQ(Inspect(Dialog()).m_materialFilePath, (Wood() / L"Oak2.spi").wstring());
    EXPECT_EQ(Origin().y, scrolled.y);
    // "Apple", "Wood" and "Customize": Wood's button is the lit one.
    EXPECT_TRUE(::IsWindowVisible(Item(MaterialDialog::kSlotIds[2])));
    EXPECT_EQ(Inspect(Dialog()).m_slotMask, 1 << 1);
    EXPECT_TRUE(m_catcher.Messages().empty()) << testing::PrintToString(m_catcher.Messages());
}

// The loaded material changed elsewhere: an untouched panel shows the new
// values (and Accept hands them over); unsaved changes stay, the operator is
// told once; a material removed elsewhere keeps the panel, and Accept hands
// nothing over.
TEST_F(LiveRefreshTest, TheLoadedMaterialFollowsItsFileAndUnsavedChangesStay)
{
    Prepare();
    ClickItem(L"Oak");
    WriteMaterial(TempRoot() / L"Stronger.spi", Oak(55));
    RunElsewhere(L"copy /y " + Quoted(TempRoot() / L"Stronger.spi") + L" " + Quoted(Wood() / L"Oak.spi"));
    EXPECT_TRUE(PumpUntil([&] { return ItemText(IDC_POWER) == L"55"; }, kRefreshWaitMs));
    EXPECT_EQ(Inspect(Dialog()).m_loadedPower, 55.0);
    EXPECT_TRUE(m_catcher.Messages().empty());

    SetText(IDC_POWER, L"77");
    WriteMaterial(TempRoot() / L"Weaker.spi", Oak(40));
    RunElsewhere(L"copy /y " + Quoted(TempRoot() / L"Weaker.spi") + L" " + Quoted(Wood() / L"Oak.spi"));
    const std::vector<std::wstring> told{English(utils::OperatorText::ChangedElsewhereKept, L"Oak")};
    EXPECT_TRUE(PumpUntil([&] { return !m_catcher.Messages().empty(); }, kRefreshWaitMs));
    WriteMaterial(TempRoot() / L"Other.spi", Oak(66));
    RunElsewhere(L"copy /y " + Quoted(TempRoot() / L"Other.spi") + L" " + Quoted(Wood() / L"Oak.spi"));
    PumpMessages(1500);
    EXPECT_EQ(m_catcher.Messages(), told);
    EXPECT_EQ(ItemText(IDC_POWER), L"77");

    m_catcher.Clear();
    RunElsewhere(L"del " + Quoted(Wood() / L"Oak.spi"));
    EXPECT_TRUE(PumpUntil([&] { return ItemIndex(L"Oak") < 0; }, kRefreshWaitMs));
    EXPECT_EQ(ItemText(IDC_POWER), L"77");
    SetText(IDC_POWER, L"55");                            // as the panel was loaded: Accept is enabled
    ::SendMessageW(Dialog().Hwnd(), WM_COMMAND, IDOK, 0); // Enter
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{English(utils::OperatorText::MaterialGone, L"Oak")});
    EXPECT_FALSE(fs::exists(HandOffOutput()));
}

// Where the system gives no change notices (a share that refuses them), the
// shown folders are compared now and then: a material added elsewhere still
// shows, and a category added elsewhere gets its button.
TEST_F(LiveRefreshTest, WithoutChangeNoticesThePeriodicCheckFindsTheChanges)
{
    fw::RefuseFolderWatches(true);
    Prepare();
    WriteMaterial(TempRoot() / L"Beech.spi", Oak(40));
    RunElsewhere(L"copy /y " + Quoted(TempRoot() / L"Beech.spi") + L" " + Quoted(Wood()) + L" && mkdir " +
                 Quoted(GroupFolder(1) / L"Metal"));
    const bool shown =
        PumpUntil([&] { return ItemIndex(L"Beech") >= 0 && ::IsWindowVisible(Item(MaterialDialog::kSlotIds[2])); },
                  kRefreshWaitMs);
    // Each new set of watched folders is refused again; with nothing
    // changing, the shown folder is not read again for that.
    const auto woodVersion = [this] { return MaterialDialogInspector(Dialog()).m_library.Category(1, 1)->Version(); };
    const std::uint32_t settled = shown ? woodVersion() : 0;
    PumpUntil([] { return false; }, 1500);
    const std::uint32_t later = shown ? woodVersion() : 0;
    fw::RefuseFolderWatches(false);
    EXPECT_TRUE(shown);
    EXPECT_EQ(Inspect(Dialog()).m_curSlot, 1); // "Metal" comes before "Wood"
    EXPECT_EQ(later, settled);
}

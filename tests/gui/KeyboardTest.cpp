// The keyboard's way through the dialog: a selection by key loads as a click
// does, once per change; Enter and Ctrl+S act only while their label is
// enabled, with the label's checks and messages; Ctrl+O and Ctrl+E import
// and export from wherever the focus is.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>
#include <tuple>

#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"
#include "utils/OperatorTexts.h"

using namespace testing_support;

namespace {

std::string Material(int power, int ppi, const std::string& texture = "")
{
    return "[OPTION]\r\nMARK_MODE=1\r\nRESOLUTION=500\r\n" + (texture.empty() ? "" : "MATERIAL=" + texture + "\r\n") +
           "[PEN]\r\nPEN1SPEED=125\r\nPEN1POWER=" + std::to_string(power) + "\r\nPEN1PPI=" + std::to_string(ppi) +
           "\r\n";
}

class KeyboardTest : public PanelFixture {
protected:
    // One group; the category "Wood" holds Ash, Oak and Pine.
    MaterialDialog& OpenWood()
    {
        PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood"}, {}}});
        WriteMaterial(CategoryFolder(1, 0) / L"Ash.spi", Material(10, 100));
        WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", Material(40, 400));
        WriteMaterial(CategoryFolder(1, 0) / L"Pine.spi", Material(70, 700));
        MaterialDialog& d = OpenPrepared();
        ShowFolder(1, 0);
        ::SetFocus(Item(IDC_MATERIAL_LIST));
        return d;
    }
    void ListKey(WPARAM key)
    {
        ::SendMessageW(Item(IDC_MATERIAL_LIST), WM_KEYDOWN, key, 0);
        PumpMessages();
    }
    void ListChar(wchar_t c)
    {
        ::SendMessageW(Item(IDC_MATERIAL_LIST), WM_CHAR, c, 1);
        PumpMessages();
    }
    // A key pressed in the list as the dialog manager routes it, Ctrl held
    // when asked.
    void DialogKey(WPARAM key, bool ctrl = false, int control = IDC_MATERIAL_LIST) { KeyTo(Item(control), key, ctrl); }
    // The same for any window of the main dialog, or of another dialog.
    void KeyTo(HWND window, WPARAM key, bool ctrl = false, HWND dialog = nullptr)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg{window, WM_KEYDOWN, key, 0, 0, {}};
        if (!::IsDialogMessageW(dialog ? dialog : Dialog().Hwnd(), &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
        PumpMessages();
    }
    void ClickLabel(POINT at)
    {
        const LPARAM where = MAKELPARAM(at.x, at.y);
        ::SendMessageW(Dialog().Hwnd(), WM_MOUSEMOVE, 0, where);
        ::SendMessageW(Dialog().Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, where);
        ::SendMessageW(Dialog().Hwnd(), WM_LBUTTONUP, 0, where);
    }
    void SaveAsByLabel() { ClickLabel({480, 270}); }
    void SaveAsByKey() { DialogKey('S', true); }
    fs::path Custom(const std::wstring& name) const { return CustomizeFolder(1) / (name + L".spi"); }

    // What a load puts in the panel and the dialog, as the operator and the
    // Accept action see it.
    auto Loaded()
    {
        MaterialDialog& d = Dialog();
        return std::make_tuple(ItemText(IDC_POWER), ItemText(IDC_PPI), ItemText(IDC_SPEED),
                               Inspect(d).m_materialFilePath, Inspect(d).m_materialTextureName,
                               Inspect(d).m_bMaterialShown, Inspect(d).m_bParamsUnchanged);
    }
};

TEST_F(KeyboardTest, ASelectionByKeyLoadsAsAClickOncePerChange)
{
    OpenWood();
    const struct {
        const char* what;
        std::function<void()> key;
        const wchar_t* item;
    } steps[] = {
        {"Home", [this] { ListKey(VK_HOME); }, L"Ash"},
        {"End", [this] { ListKey(VK_END); }, L"Pine"},
        {"type-ahead", [this] { ListChar(L'o'); }, L"Oak"},
    };
    for (const auto& step : steps) {
        step.key();
        ASSERT_EQ(SelectedItems(), std::vector<std::wstring>{step.item}) << step.what;
        const auto byKey = Loaded();
        ClickItem(step.item);
        EXPECT_EQ(byKey, Loaded()) << step.what;
    }
    EXPECT_EQ(ItemText(IDC_POWER), L"40");

    // A key that leaves the selection as it is loads nothing over the
    // operator's change.
    SetText(IDC_POWER, L"55");
    ListChar(L'o');
    ASSERT_EQ(SelectedItems(), std::vector<std::wstring>{L"Oak"});
    EXPECT_EQ(ItemText(IDC_POWER), L"55");
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(KeyboardTest, EnterAndCtrlSActOnlyWhileTheirLabelIsEnabled)
{
    MaterialDialog& d = OpenWood();
    AnswerSaveAs(L"Keyed");
    DialogKey('S', true);
    DialogKey(VK_RETURN);
    EXPECT_FALSE(SaveAsDialogSeen()) << "no material loaded";
    EXPECT_FALSE(d.EndResult().has_value());

    ListKey(VK_HOME);
    SetText(IDC_POWER, L"60");
    DialogKey(VK_RETURN);
    EXPECT_FALSE(d.EndResult().has_value()) << "Accept is grey after a change";
    DialogKey('S');
    EXPECT_FALSE(SaveAsDialogSeen()) << "S without Ctrl";

    SaveAsByKey();
    EXPECT_TRUE(SaveAsDialogSeen());
    EXPECT_EQ(ReadProfile(Custom(L"Keyed"), L"PEN", L"PEN1POWER"), L"60");
    DialogKey(VK_RETURN);
    ASSERT_TRUE(d.EndResult().has_value());
    EXPECT_EQ(*d.EndResult(), IDCANCEL);
    EXPECT_EQ(ReadProfile(HandOffOutput(), L"Path", L"Path"), Custom(L"Keyed").wstring());
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(KeyboardTest, CtrlSRunsTheChecksOfTheSaveAsLabel)
{
    OpenWood();
    const struct {
        const wchar_t* ppi;
        const wchar_t* name;
        const wchar_t* savedPpi; // nullptr: nothing saved
    } cases[] = {
        {L"10", L"Low", L"30"},
        {L"300", L"a?b", nullptr},
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> messages[2];
        for (int byKey = 0; byKey < 2; ++byKey) {
            ListKey(VK_HOME);
            ListKey(VK_END);
            SetText(IDC_PPI, c.ppi);
            // A refused name is the same both ways: its message names it.
            const std::wstring name = std::wstring(c.name) + (c.savedPpi ? (byKey ? L"K" : L"L") : L"");
            m_catcher.Clear();
            AnswerSaveAs(name);
            byKey ? SaveAsByKey() : SaveAsByLabel();
            messages[byKey] = m_catcher.Messages();
            if (c.savedPpi)
                EXPECT_EQ(ReadProfile(Custom(name), L"PEN", L"PEN1PPI"), c.savedPpi) << name;
            else
                EXPECT_FALSE(fs::exists(Custom(name))) << name;
            ShowFolder(1, 0);
        }
        EXPECT_FALSE(messages[0].empty()) << c.name;
        EXPECT_EQ(messages[0], messages[1]) << c.name;
    }
}

TEST_F(KeyboardTest, CtrlOAndCtrlEImportAndExportWhereverTheFocusIs)
{
    OpenWood();
    WriteMaterial(Custom(L"Mine"), Material(20, 200));
    const fs::path offered = TempRoot() / L"Incoming" / L"Elm.spi";
    WriteMaterial(offered, Material(30, 300, "Elm"));
    const fs::path chosen = TempRoot() / L"Chosen";
    fs::create_directories(chosen);
    // The open dialog gets the file typed into its name box; the folder
    // picker is pointed at the chosen folder. Both are confirmed.
    std::vector<std::wstring> opened;
    m_catcher.OnDialog([&](HWND dialog) {
        if (HWND name = ::GetDlgItem(dialog, 0x47c)) {
            opened.push_back(L"open");
            ::SetWindowTextW(name, offered.c_str());
        } else {
            opened.push_back(L"folder");
            ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(chosen.c_str()));
        }
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const utils::OperatorTexts english;
    const fs::path exported = chosen / ParamFolder().filename();
    const struct {
        const char* what;
        int focus;
        WPARAM key;
        std::wstring summary;
    } steps[] = {
        {"import from the power box, the Wood view shown", IDC_POWER, 'O',
         english.Format(utils::OperatorText::ImportedCount, L"1")},
        {"export from the list", IDC_MATERIAL_LIST, 'E',
         english.Format(utils::OperatorText::ExportedCount, L"2") + L"\n" +
             english.Format(utils::OperatorText::ExportedWhere, exported.wstring())},
    };
    for (const auto& step : steps) {
        m_catcher.Clear();
        ::SetFocus(Item(step.focus));
        DialogKey(step.key, true, step.focus);
        EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{step.summary}) << step.what;
    }
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"open", L"folder"}));
    // Imported into the current group's "Customize" view, which now shows.
    EXPECT_EQ(ReadFileBytes(Custom(L"Elm")), ReadFileBytes(offered));
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Elm"});
    EXPECT_EQ(FilesIn(exported / L"1Laser"), (std::vector<std::wstring>{L"Elm.spi", L"Mine.spi"}));
    EXPECT_EQ(ReadFileBytes(exported / L"1Laser" / L"Mine.spi"), ReadFileBytes(Custom(L"Mine")));
}

} // namespace

namespace {

class KeyboardReachTest : public KeyboardTest {
protected:
    // Two groups, so that group buttons show: Wood and Glass.
    MaterialDialog& OpenTwoGroups()
    {
        PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood"}, {}}, {L"2Laser", {L"Glass"}, {}}});
        WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", Material(40, 400));
        WriteMaterial(CategoryFolder(2, 0) / L"Clear.spi", Material(20, 200));
        return OpenPrepared();
    }
    // Tab or Shift+Tab as the dialog manager routes it from the focus.
    void Tab(bool back)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = back ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        ::IsDialogMessageW(Dialog().Hwnd(), &msg);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        PumpMessages();
    }
    void Space(HWND button)
    {
        ::SetFocus(button);
        ::SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
        ::SendMessageW(button, WM_KEYUP, VK_SPACE, 0);
        PumpMessages(20);
    }
};

// A dotted line as a focus rectangle draws it: a run of pixels that
// alternate between two colours, on any row of the picture.
bool HasDottedLine(const Pixels& p)
{
    for (int y = 0; y < p.height; ++y) {
        int run = 0;
        for (int x = 2; x < p.width; ++x) {
            run = p.At(x, y) != p.At(x - 1, y) && p.At(x, y) == p.At(x - 2, y) ? run + 1 : 0;
            if (run >= 16)
                return true;
        }
    }
    return false;
}

TEST_F(KeyboardReachTest, AFocusRectangleShowsOnlyOnceAKeyIsPressed)
{
    MaterialDialog& d = OpenTwoGroups();
    // The pointer's way: press and release on group button 2, which takes
    // the focus as a click gives it.
    HWND group2 = Item(MaterialDialog::kGroupIds[1]);
    ::SendMessageW(group2, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(group2, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    for (int i = 0; i < 200 && !(Inspect(d).m_rowStep > 0 && Inspect(d).m_rowHeight == Inspect(d).m_rowMaxHeight); ++i)
        PumpMessages(20);
    ASSERT_EQ(d.CurrentGroup(), 2);
    ASSERT_EQ(::GetFocus(), group2);
    const Pixels byPointer = CaptureClient(group2);
    EXPECT_FALSE(HasDottedLine(byPointer));

    Tab(false);
    ASSERT_NE(::GetFocus(), group2);
    EXPECT_TRUE(HasDottedLine(CaptureClient(::GetFocus()))) << "after Tab";
    Tab(true);
    ASSERT_EQ(::GetFocus(), group2);
    const Pixels byKey = CaptureClient(group2);
    EXPECT_TRUE(HasDottedLine(byKey)) << "after Shift+Tab";
}

TEST_F(KeyboardReachTest, TabGoesThroughButtonsListAndPanelInReadingOrder)
{
    OpenTwoGroups();
    std::vector<int> expected;
    for (const int id : MaterialDialog::kGroupIds)
        if (::IsWindowVisible(Item(id)))
            expected.push_back(id);
    ASSERT_EQ(expected.size(), 2u);
    for (const int id : MaterialDialog::kSlotIds)
        if (::IsWindowVisible(Item(id)))
            expected.push_back(id);
    ASSERT_GE(expected.size(), 4u) << "Wood and Customize";
    for (const int id : {IDC_MATERIAL_LIST, IDC_MARK_MODE, IDC_RESOLUTION, IDC_SPEED, IDC_POWER, IDC_PPI})
        expected.push_back(id);

    for (const bool back : {false, true}) {
        ::SetFocus(Item(back ? expected.back() : expected.front()));
        std::vector<int> visited{::GetDlgCtrlID(::GetFocus())};
        for (std::size_t i = 1; i < expected.size() + 1; ++i) {
            Tab(back);
            visited.push_back(::GetDlgCtrlID(::GetFocus()));
        }
        std::vector<int> order = expected;
        if (back)
            std::reverse(order.begin(), order.end());
        order.push_back(order.front()); // and round again
        EXPECT_EQ(visited, order) << (back ? "Shift+Tab" : "Tab");
    }
}

TEST_F(KeyboardReachTest, SpaceOnAButtonActsAsItsClick)
{
    MaterialDialog& d = OpenTwoGroups();
    Space(Item(MaterialDialog::kGroupIds[1]));
    for (int i = 0; i < 200 && !(Inspect(d).m_rowStep > 0 && Inspect(d).m_rowHeight == Inspect(d).m_rowMaxHeight); ++i)
        PumpMessages(20);
    EXPECT_EQ(d.CurrentGroup(), 2);
    Space(Item(MaterialDialog::kSlotIds[0]));
    EXPECT_EQ(Inspect(d).m_listMaterials.GetItemCount(), 1);
    EXPECT_EQ(ItemIndex(L"Clear"), 0);
}

} // namespace

namespace {

// The tips as the operator meets them: the pointer rests, a tip shows.
class TipTest : public KeyboardTest {
protected:
    // The panel labels and the texture line from the language file; the
    // keys' tips keep their English texts.
    MaterialDialog& OpenWithCustom()
    {
        PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood"}, {}}});
        WriteLanguageFile(L"[AP_English]\r\n1004=Modus\r\n1005=Tempo\r\n1006=Kraft\r\n1007=Dichte\r\n1008=Raster\r\n"
                          L"4100=Textur\r\n");
        WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", Material(40, 400));
        WriteMaterial(CategoryFolder(1, 0) / L"Gone.spi", Material(70, 700));
        // Listed as "Ash", the model's extension being as long as its own.
        WriteMaterial(CustomizeFolder(1) / L"Ash.bak", Material(20, 200, "Ash"));
        WriteMaterial(CustomizeFolder(1) / L"Mine.spi", "[OPTION]\r\nMATERIAL=Wood\\Oak\r\nMARK_MODE=3\r\n"
                                                        "RESOLUTION=1000\r\n[PEN]\r\nPEN1SPEED=7\r\nPEN1POWER=9\r\n");
        return OpenPrepared();
    }
    // The system's pointer is put there too, as the tracking of the
    // pointer's leaving looks at it.
    void RestOn(HWND window, POINT client)
    {
        POINT screen = client;
        ::ClientToScreen(window, &screen);
        ::SetCursorPos(screen.x, screen.y);
        ::SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        ::SendMessageW(window, WM_MOUSEHOVER, 0, MAKELPARAM(client.x, client.y));
        PumpMessages();
    }
    void RestOnItem(const std::wstring& name)
    {
        const RECT item = Inspect(Dialog()).m_listMaterials.GetItemRect(ItemIndex(name));
        RestOn(Item(IDC_MATERIAL_LIST), {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    }
    // The text of the tip on the screen; nothing when none shows.
    static std::optional<std::wstring> ShownTip()
    {
        std::optional<std::wstring> shown;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND hwnd, LPARAM found) {
                wchar_t name[64] = {};
                ::GetClassNameW(hwnd, name, 64);
                if (std::wstring_view(name) != TOOLTIPS_CLASSW || !::IsWindowVisible(hwnd))
                    return TRUE;
                wchar_t text[512] = {};
                ::GetWindowTextW(hwnd, text, 512);
                *reinterpret_cast<std::optional<std::wstring>*>(found) = text;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&shown));
        return shown;
    }
    // What the panel shows, in the tip's words.
    std::wstring PanelAsTip(const std::wstring& texture) const
    {
        std::wstring tip = L"Modus: " + ItemText(IDC_MARK_MODE) + L"\r\nTempo: " + ItemText(IDC_SPEED) +
                           L"\r\nKraft: " + ItemText(IDC_POWER) + L"\r\nDichte: " + ItemText(IDC_PPI) +
                           L"\r\nRaster: " + ItemText(IDC_RESOLUTION);
        return texture.empty() ? tip : tip + L"\r\nTextur: " + texture;
    }
};

TEST_F(TipTest, AnItemsTipShowsWhatItsLoadWouldWithoutLoadingIt)
{
    MaterialDialog& d = OpenWithCustom();
    const struct {
        int slot;
        const wchar_t* item;
        const wchar_t* power; // in the tip and, after the click, in the panel
        const wchar_t* texture;
    } cases[] = {
        {0, L"Oak", L"40", L""},
        {PanelFixture::kCustomize, L"Mine", L"9", L"Wood\\Oak"},
        {0, L"Gone", L"0", L""},                           // its file is gone after the scan
        {PanelFixture::kCustomize, L"Ash", L"20", L"Ash"}, // its own file, not "Ash.spi"
    };
    fs::remove(CategoryFolder(1, 0) / L"Gone.spi");
    for (const auto& c : cases) {
        ShowFolder(1, c.slot);
        SetText(IDC_POWER, L"55");
        const auto before = std::make_tuple(ItemText(IDC_POWER), Inspect(d).m_materialFilePath);
        RestOnItem(c.item);
        const std::optional<std::wstring> tip = ShownTip();
        ASSERT_TRUE(tip.has_value()) << c.item;
        EXPECT_NE(tip->find(L"Kraft: " + std::wstring(c.power) + L"\r\n"), std::wstring::npos) << *tip;
        EXPECT_EQ(std::make_tuple(ItemText(IDC_POWER), Inspect(d).m_materialFilePath), before) << "loaded nothing";

        ::SendMessageW(Item(IDC_MATERIAL_LIST), WM_MOUSELEAVE, 0, 0);
        EXPECT_FALSE(ShownTip().has_value()) << "the tip goes with the pointer";
        ClickItem(c.item);
        EXPECT_EQ(*tip, PanelAsTip(c.texture)) << c.item;
    }
    EXPECT_FALSE(fs::exists(CategoryFolder(1, 0) / L"Gone.spi")) << "nothing written";
    EXPECT_EQ(ReadFileBytes(CategoryFolder(1, 0) / L"Oak.spi"), Material(40, 400));
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(TipTest, TheCommandsNameTheirKeys)
{
    OpenWithCustom();
    const struct {
        RECT area;
        utils::OperatorText key;
    } commands[] = {
        {MaterialDialog::kAcceptArea, utils::OperatorText::TipAcceptKey},
        {MaterialDialog::kSaveAsArea, utils::OperatorText::TipSaveAsKey},
        {MaterialDialog::kCancelArea, utils::OperatorText::TipCancelKey},
    };
    for (const auto& c : commands) {
        RestOn(Dialog().Hwnd(), {(c.area.left + c.area.right) / 2, (c.area.top + c.area.bottom) / 2});
        EXPECT_EQ(ShownTip(), utils::kOperatorTexts[static_cast<std::size_t>(c.key)].english);
        RestOn(Dialog().Hwnd(), {5, 390});
        EXPECT_FALSE(ShownTip().has_value()) << "the background has no tip";
    }
}

} // namespace

namespace {

// Ctrl+F and the find box, as the operator works them.
class FindTest : public KeyboardTest {
protected:
    using Texts = std::vector<std::wstring>;

    // "R250": its groups show the language file's captions, which differ
    // from the folders' names here.
    MaterialDialog& OpenTwoGroups()
    {
        PrepareLibrary(L"R250",
                       {{L"1_Engrave", {L"Glass", L"Wood"}, {}}, {L"2_Photo", {L"Metal", L"Stone", L"Tile"}, {}}});
        WriteLanguageFile(L"[AP_English]\r\n2000=Engrave\r\n2001=Photo\r\n2002=Vector\r\n3000=Glassware\r\n"
                          L"3001=Timber\r\n3100=Metals\r\n3101=Stones\r\n3102=Tiles\r\n");
        WriteMaterial(CategoryFolder(1, 0) / L"Clear pane.VX", Material(10, 100));
        WriteMaterial(CategoryFolder(1, 1) / L"Oak.VX", Material(40, 400));
        WriteMaterial(CategoryFolder(1, 1) / L"Pine.VX", Material(45, 450));
        WriteMaterial(CategoryFolder(2, 0) / L"Brushed steel.VX", Material(60, 600));
        WriteMaterial(CategoryFolder(2, 0) / L"Steel plate.VX", Material(65, 650));
        WriteMaterial(CategoryFolder(2, 1) / L"Slate.VX", Material(70, 700));
        WriteMaterial(CustomizeFolder(2) / L"My steel.VX", Material(80, 800, "Metal"));
        // Opened as the program opens: only what the buttons need is listed.
        return Open();
    }
    // Read without listing the library first, as Inspect() does.
    const FindBox& Box() { return MaterialDialogInspector(Dialog()).m_findBox; }
    void TypeFind(const std::wstring& text)
    {
        for (const wchar_t c : text)
            ::SendMessageW(Box().EditHwnd(), WM_CHAR, c, 1);
        PumpMessages();
    }
    // What was typed replaced, as typing over the selected text does.
    void ReplaceFind(const std::wstring& text)
    {
        ::SendMessageW(Box().EditHwnd(), EM_SETSEL, 0, -1);
        TypeFind(text);
    }
    void FindKey(WPARAM key) { KeyTo(::GetFocus(), key); }
    // Each row as "name | group / category".
    Texts Rows()
    {
        Texts rows;
        for (const FoundRow& row : Box().Rows())
            rows.push_back(row.name + L" | " + row.place);
        return rows;
    }
    std::wstring CountLine()
    {
        wchar_t text[256] = {};
        ::GetWindowTextW(Box().CountHwnd(), text, 256);
        return text;
    }
    void WaitForColumn()
    {
        MaterialDialog& d = Dialog();
        for (int i = 0; i < 200 && !(Inspect(d).m_rowStep >= 0 && Inspect(d).m_rowHeight == Inspect(d).m_rowMaxHeight);
             ++i)
            PumpMessages(20);
        PumpMessages(60);
    }
    bool Highlighted(int id) const { return (::SendMessageW(Item(id), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }
    // The picture of the list's selected item, and the list it is taken from.
    std::pair<HIMAGELIST, int> SelectedPicture() const
    {
        HWND list = Item(IDC_MATERIAL_LIST);
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return {reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0)), item.iImage};
    }
    // The list's item texts, in its order.
    Texts ListOrder()
    {
        Texts texts;
        const fw::ListView& list = Inspect(Dialog()).m_listMaterials;
        for (int i = 0; i < list.GetItemCount(); ++i)
            texts.push_back(list.GetItemText(i));
        return texts;
    }
};

TEST_F(FindTest, EnterOrADoubleClickGoesThereAsTheButtonsAndAClickOnTheItemWould)
{
    MaterialDialog& d = OpenTwoGroups();
    EXPECT_FALSE(MaterialDialogInspector(d).m_library.Category(2, 0)->IsListed()) << "the search lists it";
    DialogKey('F', true);
    ASSERT_TRUE(Box().IsOpen());
    EXPECT_EQ(::GetFocus(), Box().EditHwnd());
    TypeFind(L"steel");
    // Every group, category and "Customize" folder; names beginning with
    // the text first; the buttons' captions.
    EXPECT_EQ(Rows(), (Texts{L"Steel plate | Photo / Metals", L"Brushed steel | Photo / Metals",
                             L"My steel | Photo / Customize"}));
    EXPECT_EQ(CountLine(), English(utils::OperatorText::FoundCount, L"3"));
    for (const FoundRow& row : Box().Rows())
        EXPECT_TRUE(row.picture >= 0 && row.picture < ::ImageList_GetImageCount(row.pictures))
            << testing::PrintToString(row.name) << ": its picture, from a group not shown yet";
    EXPECT_EQ(d.CurrentGroup(), 1) << "nothing changes while typing";

    // To the other group's "Customize" folder, whose button is not the one
    // of the group shown: it is known once the column has turned.
    FindKey(VK_DOWN);
    FindKey(VK_DOWN);
    FindKey(VK_RETURN);
    EXPECT_FALSE(Box().IsOpen());
    EXPECT_FALSE(d.EndResult().has_value()) << "Enter in the box is not Accept";
    WaitForColumn();
    EXPECT_EQ(d.CurrentGroup(), 2);
    EXPECT_TRUE(Highlighted(MaterialDialog::kGroupIds[1]));
    EXPECT_TRUE(Highlighted(MaterialDialog::kSlotIds[3]));
    EXPECT_EQ(ItemText(MaterialDialog::kSlotIds[3]), L"Customize");
    EXPECT_TRUE(Inspect(d).m_customizeShown);
    EXPECT_EQ(SelectedItems(), Texts{L"My steel"});
    EXPECT_EQ(::GetFocus(), Item(IDC_MATERIAL_LIST));
    EXPECT_EQ(ItemText(IDC_POWER), L"80");
    EXPECT_EQ(Inspect(d).m_materialTextureName, L"Metal");

    // A double-click on a row, to a category of the group shown.
    DialogKey('F', true);
    ReplaceFind(L"BRUSHED");
    ASSERT_EQ(Rows(), Texts{L"Brushed steel | Photo / Metals"});
    const FoundRow chosen = Box().Rows()[0];
    HWND rows = Box().ResultsHwnd();
    for (const UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        ::SendMessageW(rows, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(20, 10));
    PumpMessages();
    EXPECT_FALSE(Box().IsOpen());
    EXPECT_TRUE(Highlighted(MaterialDialog::kSlotIds[0]));
    EXPECT_EQ(ItemText(MaterialDialog::kSlotIds[0]), L"Metals");
    EXPECT_EQ(SelectedItems(), Texts{L"Brushed steel"});
    EXPECT_EQ(SelectedPicture(), std::make_pair(chosen.pictures, chosen.picture)) << "the row shows the item's picture";
    const auto found = Loaded();
    EXPECT_EQ(std::get<3>(found), (CategoryFolder(2, 0) / L"Brushed steel.VX").wstring());
    ClickItem(L"Brushed steel");
    EXPECT_EQ(found, Loaded());
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(FindTest, FindsAnywhereInTheNameBlindToCaseAccentsAndWidthInTheListsOrder)
{
    PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood"}, {}}});
    const Texts names = {L"Eiche",
                         L"Caf\u00e9 table",
                         L"Cafe\u0301 stool",
                         L"\u6728\u6750 board",
                         L"\uff21\uff22\uff23 plate",
                         L"\u00c4hre",
                         L"apple",
                         L"_axe",
                         L"Zebra-wood",
                         L"zebra"};
    for (const std::wstring& name : names)
        WriteMaterial(CategoryFolder(1, 0) / (name + L".spi"), Material(10, 100));
    // More than the list shows at once, and than the box shows.
    for (int i = 100; i < 305; ++i)
        WriteMaterial(CategoryFolder(1, 0) / (L"Filler " + std::to_wstring(i) + L".spi"), Material(10, 100));
    OpenPrepared();
    ShowFolder(1, 0);
    const Texts order = ListOrder();
    const auto inListOrder = [&order](Texts texts) {
        std::sort(texts.begin(), texts.end(), [&order](const std::wstring& a, const std::wstring& b) {
            return std::find(order.begin(), order.end(), a) < std::find(order.begin(), order.end(), b);
        });
        return texts;
    };
    const struct {
        const wchar_t* typed;
        Texts begin; // names that begin with it
        Texts hold;  // names that hold it further on
    } cases[] = {
        {L"eiche", {L"Eiche"}, {}},
        {L"EICHE", {L"Eiche"}, {}},
        {L"cafe", {L"Caf\u00e9 table", L"Cafe\u0301 stool"}, {}},
        {L"CAF\u00c9 S", {L"Cafe\u0301 stool"}, {}},
        {L"\u6728\u6750", {L"\u6728\u6750 board"}, {}},
        {L"board", {}, {L"\u6728\u6750 board"}},
        {L"abc", {L"\uff21\uff22\uff23 plate"}, {}},
        {L"\uff41\uff42\uff43", {L"\uff21\uff22\uff23 plate"}, {}},
        {L"ahre", {L"\u00c4hre"}, {}},
        {L"a",
         {L"apple", L"\u00c4hre", L"\uff21\uff22\uff23 plate"},
         {L"Caf\u00e9 table", L"Cafe\u0301 stool", L"\u6728\u6750 board", L"_axe", L"Zebra-wood", L"zebra"}},
        {L"zzz", {}, {}},
    };
    DialogKey('F', true);
    for (const auto& c : cases) {
        ReplaceFind(c.typed);
        Texts expected = inListOrder(c.begin);
        for (const std::wstring& name : inListOrder(c.hold))
            expected.push_back(name);
        Texts shown;
        for (const FoundRow& row : Box().Rows())
            shown.push_back(row.name);
        EXPECT_EQ(shown, expected) << testing::PrintToString(std::wstring(c.typed));
        const std::size_t count = expected.size();
        EXPECT_EQ(CountLine(), count ? English(utils::OperatorText::FoundCount, std::to_wstring(count))
                                     : English(utils::OperatorText::NothingFound));
    }

    // At most 200 rows, and a line for the others.
    ReplaceFind(L"filler");
    EXPECT_EQ(Box().Rows().size(), 200u);
    EXPECT_EQ(Box().Rows().back().name, L"Filler 299");
    EXPECT_EQ(CountLine(), English(utils::OperatorText::FoundMore, L"5"));

    // The last item of the list, scrolled into view.
    ReplaceFind(L"zebra-");
    FindKey(VK_RETURN);
    ASSERT_EQ(SelectedItems(), Texts{L"Zebra-wood"});
    RECT client{};
    ::GetClientRect(Item(IDC_MATERIAL_LIST), &client);
    const RECT item = Inspect(Dialog()).m_listMaterials.GetItemRect(ItemIndex(L"Zebra-wood"));
    // Its top, where the picture is: the list is not high enough for all of it.
    EXPECT_TRUE(item.top >= client.top && item.top < client.bottom && item.left >= client.left &&
                item.left < client.right)
        << item.left << "," << item.top;

    // The focus leaving the box closes it.
    DialogKey('F', true);
    ASSERT_TRUE(Box().IsOpen());
    ::SetFocus(Item(IDC_MARK_MODE));
    PumpMessages();
    EXPECT_FALSE(Box().IsOpen());
}

TEST_F(FindTest, EscClosesTheBoxOnlyAndLeavesThePanelAndTheViewAsTheyWere)
{
    MaterialDialog& d = OpenWood();
    ClickItem(L"Oak");
    SetText(IDC_POWER, L"55");
    ::SetFocus(Item(IDC_POWER));
    const auto view = [&] {
        return std::make_tuple(Loaded(), SelectedItems(), Inspect(d).m_slotMask, Inspect(d).m_changedParams,
                               ItemText(IDC_MARK_MODE), ItemText(IDC_RESOLUTION));
    };
    const auto before = view();

    DialogKey('F', true, IDC_POWER);
    ASSERT_TRUE(Box().IsOpen());
    // The cue shows in the empty edit, in the skin's grey, and goes with the
    // first letter.
    const auto greyPixels = [&] {
        const Pixels edit = CaptureClient(Box().EditHwnd());
        return std::count(edit.data.begin(), edit.data.end(), text_places::kVersionGrey);
    };
    EXPECT_GT(greyPixels(), 20);
    TypeFind(L"pine");
    EXPECT_EQ(greyPixels(), 0);
    EXPECT_EQ(Rows(), Texts{L"Pine | N/A / N/A"});

    // Enter with nothing found keeps the box open.
    TypeFind(L"zzz");
    EXPECT_EQ(CountLine(), English(utils::OperatorText::NothingFound));
    FindKey(VK_RETURN);
    EXPECT_TRUE(Box().IsOpen());

    FindKey(VK_ESCAPE);
    EXPECT_FALSE(Box().IsOpen());
    EXPECT_FALSE(d.EndResult().has_value()) << "Esc in the box does not end the dialog";
    EXPECT_EQ(view(), before);
    EXPECT_EQ(::GetFocus(), Item(IDC_POWER));
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(FindTest, CtrlFDoesNothingInAMessageBoxInSaveAsOrDuringARename)
{
    PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood"}, {L"Mine.spi"}}});
    WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", Material(40, 400));
    MaterialDialog& d = OpenPrepared();
    ShowFolder(1, 0);
    const auto ctrlFIn = [this](HWND dialog) { KeyTo(::GetNextDlgTabItem(dialog, nullptr, FALSE), 'F', true, dialog); };
    ClickItem(L"Oak");
    bool saveAsSeen = false;
    m_catcher.OnDialog([&](HWND dialog) {
        saveAsSeen = true;
        ctrlFIn(dialog);
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    SaveAsByKey();
    EXPECT_TRUE(saveAsSeen);
    EXPECT_FALSE(Box().IsOpen()) << "in Save as";

    ShowFolder(1, kCustomize);
    ::SetFocus(Item(IDC_MATERIAL_LIST));
    ListKey(VK_HOME);
    m_catcher.Answer({IDNO});
    m_catcher.OnMessageBox(ctrlFIn);
    ListKey(VK_DELETE);
    ASSERT_EQ(m_catcher.Messages(), Texts{English(utils::OperatorText::DeleteQuestion, L"Mine")});
    PumpMessages();
    EXPECT_FALSE(Box().IsOpen()) << "in a message box";

    ListKey(VK_F2);
    HWND label = reinterpret_cast<HWND>(::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(label, nullptr);
    KeyTo(label, 'F', true);
    EXPECT_FALSE(Box().IsOpen()) << "during a rename";
    ::SendMessageW(label, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages();

    DialogKey('F', true);
    EXPECT_TRUE(Box().IsOpen()) << "anywhere else in the dialog";
    EXPECT_FALSE(d.EndResult().has_value());
}

} // namespace

// Custom materials through the real dialog: a save that asks before it
// replaces, writes all or nothing and refuses names that reach another file;
// texts of these commands from the language file.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/Profile.h"
#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"
#include "utils/MaterialName.h"
#include "utils/OperatorTexts.h"

using namespace testing_support;

namespace {

constexpr char kOak[] = "[OPTION]\r\nMARK_MODE=1\r\nRESOLUTION=500\r\nLAYER=7\r\n[PEN]\r\nPEN1SPEED=125\r\n"
                        "PEN1POWER=40\r\nPEN1PPI=300\r\n";
std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

constexpr char kMine[] = "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=250\r\nMATERIAL=Wood\r\n[PEN]\r\nPEN1SPEED=10\r\n"
                         "PEN1POWER=5\r\nPEN1PPI=100\r\n";

class CustomMaterialTest : public PanelFixture {
protected:
    // One group with the category "Wood" (Oak, and Bare without resolution)
    // and the custom materials Mine and "Oak planks long".
    void Prepare(const std::wstring& language = L"English")
    {
        PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood"}, {}}});
        WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", kOak);
        WriteMaterial(CategoryFolder(1, 0) / L"Bare.spi", "[PEN]\r\nPEN1SPEED=10\r\nPEN1PPI=200\r\n");
        WriteMaterial(Custom(L"Mine"), kMine);
        WriteMaterial(Custom(L"Oak planks long"), kMine);
        WriteHandOff(L"VTX", language);
    }
    fs::path Custom(const std::wstring& name) const { return CustomizeFolder(1) / (name + L".spi"); }

    // The pointer's press and release over the Save-as area.
    void ClickSaveAs()
    {
        HWND dialog = Dialog().Hwnd();
        const LPARAM at = MAKELPARAM(480, 270);
        ::SendMessageW(dialog, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(dialog, WM_LBUTTONUP, 0, at);
    }
    // Loads Oak, sets the power and saves under `name`.
    void SaveOakAs(const std::wstring& name, const std::wstring& power = L"60")
    {
        ChooseSlot(0);
        ClickItem(L"Oak");
        SetText(IDC_POWER, power);
        AnswerSaveAs(name);
        ClickSaveAs();
    }
};

TEST_F(CustomMaterialTest, ReplacingAnExistingMaterialIsAskedFirst)
{
    Prepare();
    OpenPrepared();
    const std::string before = ReadFileBytes(Custom(L"Mine"));

    // Enter takes the default answer, which keeps the material.
    m_catcher.Answer({ModalCatcher::kPressEnter});
    SaveOakAs(L"mine");
    ASSERT_EQ(m_catcher.Messages(), std::vector<std::wstring>{English(utils::OperatorText::ReplaceQuestion, L"mine")});
    EXPECT_EQ(ReadFileBytes(Custom(L"Mine")), before);

    m_catcher.Clear();
    m_catcher.Answer({IDYES});
    SaveOakAs(L"Mine", L"70");
    EXPECT_EQ(m_catcher.Messages().size(), 1u);
    EXPECT_EQ(ReadProfile(Custom(L"Mine"), L"PEN", L"PEN1POWER"), L"70");
    EXPECT_EQ(ReadProfile(Custom(L"Mine"), L"OPTION", L"LAYER"), L"7"); // a fresh copy of Oak
    EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Mine.spi", L"Oak planks long.spi"}));
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Mine"});
}

TEST_F(CustomMaterialTest, AFailedWriteLeavesTheExistingMaterialAsItWas)
{
    Prepare();
    OpenPrepared();
    const std::string before = ReadFileBytes(Custom(L"Mine"));
    // Each of the six key writes fails in turn; the seventh run writes them all.
    for (int failing = 1; failing <= 7; ++failing) {
        SCOPED_TRACE(failing);
        m_catcher.Clear();
        m_catcher.Answer({IDYES});
        fw::FailNthProfileWrite(failing);
        SaveOakAs(L"Mine", L"8" + std::to_wstring(failing));
        fw::FailNthProfileWrite(0);
        EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Mine.spi", L"Oak planks long.spi"}));
        if (failing <= 6) {
            EXPECT_EQ(ReadFileBytes(Custom(L"Mine")), before);
            ASSERT_EQ(m_catcher.Messages().size(), 2u);
            EXPECT_EQ(m_catcher.Messages()[1], utils::MaterialNotSavedMessage(Custom(L"Mine").wstring()));
        } else {
            EXPECT_EQ(ReadProfile(Custom(L"Mine"), L"PEN", L"PEN1POWER"), L"87");
            EXPECT_EQ(m_catcher.Messages().size(), 1u);
        }
    }
}

TEST_F(CustomMaterialTest, AShortAliasOfAnotherMaterialIsRefused)
{
    Prepare();
    OpenPrepared();
    const std::wstring longPath = Custom(L"Oak planks long").wstring();
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_GT(::GetShortPathNameW(longPath.c_str(), shortPath, MAX_PATH), 0u);
    const std::wstring alias = fs::path(shortPath).stem().wstring();
    ASSERT_NE(alias, L"Oak planks long") << "the file system reports no short name";
    const std::string before = ReadFileBytes(longPath);

    SaveOakAs(alias);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{English(utils::OperatorText::AliasRefused, alias)});
    EXPECT_EQ(ReadFileBytes(longPath), before);
    EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Mine.spi", L"Oak planks long.spi"}));
}

// A material without a resolution, loaded right after the start: the
// operator is asked for one (in the language file's words, or in English
// where the file lacks the key) and nothing is written.
TEST_F(CustomMaterialTest, ASaveWithoutResolutionAsksForOne)
{
    const struct {
        const wchar_t* language;
        const wchar_t* file;
        std::wstring expected;
    } cases[] = {
        {L"German", L"[AP_German]\r\n4004=Bitte eine Auflösung wählen.\r\n", L"Bitte eine Auflösung wählen."},
        {L"English", L"[AP_English]\r\n1000=Select\r\n", English(utils::OperatorText::ChooseResolution)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.language)));
        Prepare(c.language);
        WriteLanguageFile(c.file);
        OpenPrepared();
        ChooseSlot(0);
        ClickItem(L"Bare");
        AnswerSaveAs(L"New");
        ClickSaveAs();
        EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{c.expected});
        EXPECT_FALSE(SaveAsDialogSeen());
        EXPECT_EQ(::GetFocus(), Item(IDC_RESOLUTION));
        EXPECT_FALSE(fs::exists(Custom(L"New")));
    }
}

TEST_F(CustomMaterialTest, AfterASaveThePanelShowsTheValuesWritten)
{
    Prepare();
    OpenPrepared();
    ChooseSlot(0);
    ClickItem(L"Oak");
    SetText(IDC_SPEED, L"12.34");
    AnswerSaveAs(L"Fine");
    ClickSaveAs();
    EXPECT_EQ(ReadProfile(Custom(L"Fine"), L"PEN", L"PEN1SPEED"), L"123");
    EXPECT_EQ(ItemText(IDC_SPEED), L"12.3");
    EXPECT_EQ(Inspect(Dialog()).m_bParamsUnchanged, 1);
    // The stored value typed back is no change.
    SetText(IDC_SPEED, L"12.3");
    EXPECT_EQ(Inspect(Dialog()).m_bParamsUnchanged, 1);
}

// Last written `seconds` ago.
void MakeOld(const fs::path& file, long long seconds)
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= static_cast<unsigned long long>(seconds) * 10'000'000ull;
    const FILETIME then{time.LowPart, time.HighPart};
    const HANDLE handle =
        ::CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(::SetFileTime(handle, nullptr, nullptr, &then));
    ::CloseHandle(handle);
}

// What a save cut short leaves beside the material is never listed; the
// start removes it once no save can still be writing it, and nothing else.
TEST_F(CustomMaterialTest, LeftoversOfInterruptedSavesAreNotListedAndGoOnceOld)
{
    Prepare();
    const long long old = utils::kLeftoverTempSeconds + 60;
    const struct {
        fs::path file;
        long long age;
        bool kept;
    } kFiles[] = {
        {CustomizeFolder(1) / L"~mm1A2B.tmp", old, false},
        {CustomizeFolder(1) / L"~mm3.tmp", old, false},     // as earlier versions named them
        {CustomizeFolder(1) / L"~MMAB.TMP", old, false},    // in any letter case
        {CustomizeFolder(1) / L"~mm0F0F.tmp", 0, true},     // another station may be saving now
        {CustomizeFolder(1) / L"~mm12345.tmp", old, true},  // not a name of ours
        {CategoryFolder(1, 0) / L"~mm0001.tmp", old, true}, // saves are never made there
    };
    for (const auto& f : kFiles) {
        WriteMaterial(f.file, kMine);
        MakeOld(f.file, f.age);
    }
    MakeOld(Custom(L"Mine"), old);
    OpenPrepared();
    for (const auto& f : kFiles)
        EXPECT_EQ(fs::exists(f.file), f.kept) << f.file;
    EXPECT_EQ(ReadFileBytes(Custom(L"Mine")), kMine);

    HWND list = Item(IDC_MATERIAL_LIST);
    ChooseSlot(0);
    EXPECT_EQ(ListView_GetItemCount(list), 2); // Oak and Bare
    ChooseSlot(1);
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    for (const wchar_t* item : {L"Mine", L"Oak planks long", L"~mm12345"})
        EXPECT_GE(ItemIndex(item), 0) << testing::PrintToString(std::wstring(item));
}

// ---- Rename and delete in the "Customize" view

class ManageCustomTest : public CustomMaterialTest {
protected:
    void ShowCustomize()
    {
        ChooseSlot(1); // the one category's neighbour carries "Customize"
        ASSERT_GE(ItemIndex(L"Mine"), 0);
    }
    void Select(const std::wstring& text) { SelectAt(ItemIndex(text)); }
    void SelectAt(int index)
    {
        HWND list = Item(IDC_MATERIAL_LIST);
        ::SetFocus(list);
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    }
    // The item of this text whose load shows this power; -1 when none does.
    int ItemLoadingPower(const std::wstring& text, const std::wstring& power)
    {
        for (const int item : ItemsOfText(text)) {
            ClickItemAt(item);
            if (ItemText(IDC_POWER) == power)
                return item;
        }
        return -1;
    }
    void Key(WORD key)
    {
        ::SendMessageW(Item(IDC_MATERIAL_LIST), WM_KEYDOWN, key, 0);
        PumpMessages();
    }
    // F2 on the item, the new name typed into its label and Enter; then
    // `meanwhile` (another station's doing) before the rename runs.
    void RenameByKey(const std::wstring& from, const std::wstring& to, const std::function<void()>& meanwhile = {})
    {
        Select(from);
        Key(VK_F2);
        HWND edit = reinterpret_cast<HWND>(::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_GETEDITCONTROL, 0, 0));
        ASSERT_NE(edit, nullptr) << "no label edit";
        ::SetWindowTextW(edit, to.c_str());
        ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        if (meanwhile)
            meanwhile();
        PumpMessages();
    }
    bool CustomizeHighlighted() const
    {
        return (::SendMessageW(Item(MaterialDialog::kSlotIds[1]), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }
};

TEST_F(ManageCustomTest, DeleteAsksAndEmptiesThePanelOfTheLoadedMaterial)
{
    Prepare();
    OpenPrepared();
    // Library materials are the machine's: Del does nothing there.
    ChooseSlot(0);
    Select(L"Oak");
    Key(VK_DELETE);
    EXPECT_TRUE(m_catcher.Messages().empty());

    ShowCustomize();
    ClickItem(L"Mine");
    ASSERT_EQ(ItemText(IDC_SPEED), L"1");
    m_catcher.Answer({ModalCatcher::kPressEnter});
    Select(L"Mine");
    Key(VK_DELETE);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{English(utils::OperatorText::DeleteQuestion, L"Mine")});
    EXPECT_TRUE(fs::exists(Custom(L"Mine")));

    m_catcher.Clear();
    m_catcher.Answer({IDYES});
    Key(VK_DELETE);
    EXPECT_EQ(m_catcher.Messages().size(), 1u) << "the Recycle Bin took the file";
    EXPECT_EQ(FilesIn(CustomizeFolder(1)), std::vector<std::wstring>{L"Oak planks long.spi"});
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Oak planks long"});
    EXPECT_TRUE(CustomizeHighlighted());
    EXPECT_EQ(ItemText(IDC_SPEED), L"");
    EXPECT_EQ(Inspect(Dialog()).m_bMaterialShown, 0); // Accept and Save as grey
}

TEST_F(ManageCustomTest, RenameInPlaceFollowsTheLoadedMaterialAndRefusesATakenName)
{
    Prepare();
    OpenPrepared();
    ShowCustomize();
    ClickItem(L"Mine");
    RenameByKey(L"Mine", L"Yours");
    EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Oak planks long.spi", L"Yours.spi"}));
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Yours"});
    EXPECT_TRUE(CustomizeHighlighted());
    EXPECT_TRUE(m_catcher.Messages().empty());

    // Another material's name, in other letter case, and a name the Save-as
    // check refuses: nothing is renamed.
    const struct {
        std::wstring name;
        std::wstring message;
    } refused[] = {
        {L"oak planks long", English(utils::OperatorText::RenameTaken, L"oak planks long")},
        {L"a:b", utils::NameProblemMessage(utils::NameProblem::InvalidCharacter, L"a:b")},
    };
    for (const auto& r : refused) {
        m_catcher.Clear();
        RenameByKey(L"Yours", r.name);
        EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{r.message});
        EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Oak planks long.spi", L"Yours.spi"}));
    }

    // Only the letter case changes: the file takes exactly the typed case
    // (Wine's own move reports success and changes nothing), and no other
    // name is left behind.
    m_catcher.Clear();
    RenameByKey(L"Yours", L"YOURS");
    EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Oak planks long.spi", L"YOURS.spi"}));
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"YOURS"});
    EXPECT_TRUE(m_catcher.Messages().empty());

    // Accept hands over the renamed file.
    ReleaseOver(MaterialDialog::kAcceptArea);
    EXPECT_EQ(ReadProfile(HandOffOutput(), L"Path", L"Path"), Custom(L"YOURS").wstring());
}

// Two files may show one text ("Mine.spi" and "Mine.bak" both as "Mine" where
// the extension is ".spi"): a load, a delete, a rename and Accept each reach
// the item's own file, and a rename keeps the file's own ending.
TEST_F(ManageCustomTest, EveryActionOnAnItemReachesTheFileItWasListedFrom)
{
    const struct {
        const wchar_t* model;
        const wchar_t* extension;
        const wchar_t* other; // another ending of the same length
    } cases[] = {{L"VTX", L".spi", L".bak"}, {L"R250", L".VX", L".bk"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.model)));
        const std::wstring own = c.extension;
        const std::wstring other = c.other;
        PrepareLibrary(c.model, {{L"1Laser", {L"Wood"}, {}}});
        const auto power = [](int value) {
            return "[OPTION]\r\nMATERIAL=Wood\r\n[PEN]\r\nPEN1POWER=" + std::to_string(value) + "\r\n";
        };
        WriteMaterial(CustomizeFolder(1) / (L"Mine" + own), power(9));
        WriteMaterial(CustomizeFolder(1) / (L"Mine" + other), power(5));
        WriteMaterial(CustomizeFolder(1) / (L"Keep" + other), power(7));
        OpenPrepared();

        ShowFolder(1, kCustomize);
        ASSERT_EQ(ItemsOfText(L"Mine").size(), 2u);
        EXPECT_GE(ItemLoadingPower(L"Mine", L"9"), 0);
        const int bak = ItemLoadingPower(L"Mine", L"5");
        ASSERT_GE(bak, 0);
        m_catcher.Answer({IDYES});
        SelectAt(bak);
        Key(VK_DELETE);
        EXPECT_EQ(m_catcher.Messages(),
                  std::vector<std::wstring>{English(utils::OperatorText::DeleteQuestion, L"Mine" + other)});
        EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Keep" + other, L"Mine" + own}));

        m_catcher.Clear();
        RenameByKey(L"Keep", L"Other");
        EXPECT_TRUE(m_catcher.Messages().empty());
        EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Mine" + own, L"Other" + other}));
        EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Other"});

        ClickItem(L"Other");
        EXPECT_EQ(ItemText(IDC_POWER), L"7");
        ReleaseOver(MaterialDialog::kAcceptArea);
        EXPECT_EQ(ReadProfile(HandOffOutput(), L"Path", L"Path"), (CustomizeFolder(1) / (L"Other" + other)).wstring());
    }
}

// Windows finds "customize" under "Customize": it is the group's own folder,
// never a category, and nothing is made beside it.
TEST_F(ManageCustomTest, ACustomizeFolderInOtherLetterCaseIsTheGroupsOwn)
{
    Prepare();
    fs::remove_all(CustomizeFolder(1));
    WriteMaterial(GroupFolder(1) / L"customize" / L"Mine.spi", kMine);
    OpenPrepared();
    int shownButtons = 0;
    for (const int id : MaterialDialog::kSlotIds)
        shownButtons += (::GetWindowLongPtrW(Item(id), GWL_STYLE) & WS_VISIBLE) ? 1 : 0;
    EXPECT_EQ(shownButtons, 2) << "Wood and Customize";

    ShowCustomize();
    const std::wstring import = (TempRoot() / L"Incoming" / L"Glass.spi").wstring();
    WriteMaterial(import, kMine);
    Dialog().ImportMaterials({import});
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{English(utils::OperatorText::ImportedCount, L"1")});
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Glass"});
    EXPECT_EQ(FilesIn(GroupFolder(1) / L"customize"), (std::vector<std::wstring>{L"Glass.spi", L"Mine.spi"}));
}

// Another station removed or took a name between the list's reading and
// the operator's command: said so, and no file is lost or replaced.
TEST_F(ManageCustomTest, RenameAndDeleteMeetingAnotherStationSaySoAndLoseNothing)
{
    const std::string others = "[OPTION]\r\nMARK_MODE=3\r\nMATERIAL=Theirs\r\n";
    const struct {
        const char* what;
        std::function<void()> act;
        std::vector<std::wstring> messages;
        std::vector<std::wstring> files;
    } kCases[] = {
        {"delete of a material removed elsewhere",
         [&] {
             Select(L"Mine");
             fs::remove(Custom(L"Mine"));
             Key(VK_DELETE);
         },
         {English(utils::OperatorText::MaterialGone, L"Mine")},
         {L"Oak planks long.spi"}},
        {"rename of a material removed elsewhere",
         [&] { RenameByKey(L"Mine", L"Yours", [&] { fs::remove(Custom(L"Mine")); }); },
         {English(utils::OperatorText::MaterialGone, L"Mine")},
         {L"Oak planks long.spi"}},
        {"rename onto a name taken elsewhere",
         [&] { RenameByKey(L"Mine", L"Yours", [&] { WriteMaterial(Custom(L"Yours"), others); }); },
         {English(utils::OperatorText::RenameTaken, L"Yours")},
         {L"Mine.spi", L"Oak planks long.spi", L"Yours.spi"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(LibraryRoot());
        Prepare();
        OpenPrepared();
        ShowCustomize();
        c.act();
        EXPECT_EQ(m_catcher.Messages(), c.messages);
        EXPECT_EQ(FilesIn(CustomizeFolder(1)), c.files);
        if (fs::exists(Custom(L"Mine"))) {
            EXPECT_EQ(ReadFileBytes(Custom(L"Mine")), kMine);
        }
        if (fs::exists(Custom(L"Yours"))) {
            EXPECT_EQ(ReadFileBytes(Custom(L"Yours")), others);
        }
        // The view shows what is there now.
        EXPECT_EQ(ItemIndex(L"Mine") >= 0, fs::exists(Custom(L"Mine")));
        Close();
    }
}

// A material another station saved under the same name while this save was
// being written is never replaced without the operator's yes: the name is
// refused with a message and the panel keeps its values; asked again, the
// operator may replace it.
TEST_F(ManageCustomTest, AMaterialSavedElsewhereMeanwhileIsNotReplacedSilently)
{
    const std::string theirs = "[OPTION]\r\nMARK_MODE=3\r\nRESOLUTION=250\r\nMATERIAL=Theirs\r\n[PEN]\r\n"
                               "PEN1SPEED=10\r\nPEN1POWER=9\r\nPEN1PPI=100\r\n";
    Prepare();
    // Without a texture: the import writes one into its copy.
    const fs::path incoming = TempRoot() / L"Incoming" / L"Fresh.spi";
    WriteMaterial(incoming, kOak);
    OpenPrepared();

    fw::BeforeNthProfileWrite(1, [&] { WriteMaterial(Custom(L"Fresh"), theirs); });
    SaveOakAs(L"Fresh");
    EXPECT_EQ(m_catcher.Messages(),
              std::vector<std::wstring>{English(utils::OperatorText::NameTakenMeanwhile, L"Fresh")});
    EXPECT_EQ(ReadFileBytes(Custom(L"Fresh")), theirs);
    EXPECT_EQ(ItemText(IDC_POWER), L"60");
    EXPECT_EQ(FilesIn(CustomizeFolder(1)),
              (std::vector<std::wstring>{L"Fresh.spi", L"Mine.spi", L"Oak planks long.spi"}));

    m_catcher.Clear();
    fs::remove(Custom(L"Fresh"));
    fw::BeforeNthProfileWrite(1, [&] { WriteMaterial(Custom(L"Fresh"), theirs); });
    Dialog().ImportMaterials({incoming.wstring()});
    EXPECT_EQ(m_catcher.Messages(),
              std::vector<std::wstring>{English(utils::OperatorText::ImportedCount, L"0") + L"\n\n" +
                                        English(utils::OperatorText::NotImportedHeader) + L"\n" +
                                        English(utils::OperatorText::ImportNameTakenMeanwhile, L"Fresh.spi")});
    EXPECT_EQ(ReadFileBytes(Custom(L"Fresh")), theirs);

    // Now that it is there, the operator is asked, and Yes replaces it.
    m_catcher.Clear();
    m_catcher.Answer({IDYES});
    SaveOakAs(L"Fresh", L"61");
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{English(utils::OperatorText::ReplaceQuestion, L"Fresh")});
    EXPECT_EQ(ReadProfile(Custom(L"Fresh"), L"PEN", L"PEN1POWER"), L"61");
    EXPECT_EQ(FilesIn(CustomizeFolder(1)),
              (std::vector<std::wstring>{L"Fresh.spi", L"Mine.spi", L"Oak planks long.spi"}));
}

// Accept hands the driver only a file that holds what the panel shows: one
// changed elsewhere is shown first, one removed elsewhere is refused, and
// nothing is written until Accept finds the file as shown.
TEST_F(ManageCustomTest, AcceptReadsTheMaterialAgainAndHandsOverOnlyWhatIsShown)
{
    Prepare();
    OpenPrepared();
    ChooseSlot(0);
    ClickItem(L"Oak");
    WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", Replaced(kOak, "PEN1POWER=40", "PEN1POWER=77"));
    ReleaseOver(MaterialDialog::kAcceptArea);
    EXPECT_EQ(m_catcher.Messages(),
              std::vector<std::wstring>{English(utils::OperatorText::ChangedElsewhereShown, L"Oak")});
    EXPECT_FALSE(fs::exists(HandOffOutput()));
    EXPECT_EQ(ItemText(IDC_POWER), L"77");
    ASSERT_TRUE(::IsWindowVisible(Dialog().Hwnd()));
    ReleaseOver(MaterialDialog::kAcceptArea);
    EXPECT_EQ(ReadProfile(HandOffOutput(), L"Path", L"Path"), (CategoryFolder(1, 0) / L"Oak.spi").wstring());

    // A custom material removed elsewhere: its values stay in the panel, for
    // Save as.
    Close();
    fs::remove(HandOffOutput());
    m_catcher.Clear();
    OpenPrepared();
    ShowCustomize();
    ClickItem(L"Mine");
    fs::remove(Custom(L"Mine"));
    ReleaseOver(MaterialDialog::kAcceptArea);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{English(utils::OperatorText::MaterialGone, L"Mine")});
    EXPECT_FALSE(fs::exists(HandOffOutput()));
    EXPECT_EQ(ItemText(IDC_POWER), L"5");
    m_catcher.Clear();
    AnswerSaveAs(L"Rescued");
    ReleaseOver(MaterialDialog::kSaveAsArea);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{English(utils::OperatorText::BaseGone, L"Mine")});
    EXPECT_EQ(ReadProfile(Custom(L"Rescued"), L"PEN", L"PEN1POWER"), L"5");
    EXPECT_EQ(ReadProfile(Custom(L"Rescued"), L"OPTION", L"MATERIAL"), L"Wood");
}

TEST_F(ManageCustomTest, TheContextMenuKeyOffersRenameAndDelete)
{
    Prepare();
    OpenPrepared();
    ShowCustomize();
    Select(L"Mine");
    // The menu takes the keys waiting in the queue: down twice to "Delete".
    HWND list = Item(IDC_MATERIAL_LIST);
    for (const WPARAM key : {WPARAM{VK_DOWN}, WPARAM{VK_DOWN}, WPARAM{VK_RETURN}})
        ::PostMessageW(list, WM_KEYDOWN, key, 0);
    ::SendMessageW(Dialog().Hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{English(utils::OperatorText::DeleteQuestion, L"Mine")});
    EXPECT_FALSE(fs::exists(Custom(L"Mine")));
}

// The driver may rewrite or remove its hand-off file for its next job while
// the dialog is open: after the start-up only the library is read again, so
// the model, the language and the library shown stay.
TEST_F(ManageCustomTest, ActionsAfterTheDriverRewroteItsHandOffKeepModelAndLibrary)
{
    const std::wstring incoming = (TempRoot() / L"Incoming" / L"Glass.spi").wstring();
    const struct {
        const char* what;
        std::function<void()> act;
        std::vector<std::wstring> messages;
        std::vector<std::wstring> items;
    } kActions[] = {
        {"rename", [&] { RenameByKey(L"Mine", L"Yours"); }, {}, {L"Oak planks long", L"Yours"}},
        {"delete",
         [&] {
             m_catcher.Answer({IDYES});
             Select(L"Mine");
             Key(VK_DELETE);
         },
         {English(utils::OperatorText::DeleteQuestion, L"Mine")},
         {L"Oak planks long"}},
        {"save as", [&] { SaveOakAs(L"New"); }, {}, {L"Mine", L"New", L"Oak planks long"}},
        {"import",
         [&] { Dialog().ImportMaterials({incoming}); },
         {English(utils::OperatorText::ImportedCount, L"1")},
         {L"Glass", L"Mine", L"Oak planks long"}},
    };
    for (const bool removed : {true, false})
        for (const auto& action : kActions) {
            SCOPED_TRACE(std::string(action.what) + (removed ? ", hand-off removed" : ", hand-off rewritten"));
            fs::remove_all(LibraryRoot());
            Prepare();
            WriteLanguageFile(L"[AP_English]\r\n3300=Board\r\n[AP_German]\r\n3300=Pappe\r\n");
            WriteMaterial(incoming, kMine);
            OpenPrepared();
            ShowCustomize();
            if (removed)
                fs::remove(DataFolder() / L"~Drv2Ma.dat");
            else
                WriteHandOff(L"R250", L"German");
            action.act();
            EXPECT_EQ(m_catcher.Messages(), action.messages);
            EXPECT_EQ(Inspect(Dialog()).m_strModel, L"VTX");
            EXPECT_EQ(Inspect(Dialog()).m_strParamFolder, ParamFolder().wstring());
            EXPECT_TRUE(CustomizeHighlighted());
            const fw::ListView& list = Inspect(Dialog()).m_listMaterials;
            std::vector<std::wstring> items;
            for (int i = 0; i < list.GetItemCount(); ++i)
                items.push_back(list.GetItemText(i));
            std::sort(items.begin(), items.end());
            EXPECT_EQ(items, action.items);
            EXPECT_EQ(ItemText(MaterialDialog::kSlotIds[0]), L"Board");
            Close();
        }
}

} // namespace

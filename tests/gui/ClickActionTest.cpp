// Releases over the hot areas: Accept and Cancel hand the choice to the
// driver in ~Ma2Drv.dat, Save-as stores a custom material and shows it.
#include <gtest/gtest.h>

#include "framework/DataExchange.h"
#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"
#include "utils/MaterialName.h"

using namespace testing_support;

namespace {

constexpr RECT kCancelArea = MaterialDialog::kCancelArea;
constexpr RECT kSaveAsArea = MaterialDialog::kSaveAsArea;
constexpr RECT kAcceptArea = MaterialDialog::kAcceptArea;

constexpr char kOak[] = "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=500\r\nSURFACE=matt\r\n[PEN]\r\nPEN1SPEED=125\r\n"
                        "PEN1POWER=50\r\nPEN1PPI=500\r\n";
constexpr char kDriverFile[] = "[Driver]\r\nJob=7\r\n[Path]\r\nPath=C:\\old.spi\r\n[Texture]\r\nName=Old\r\n";

class ClickActionTest : public PanelFixture {
protected:
    // Group 1: Acrylic (empty) and Wood (Ash, Oak); group 2: Glass (Clear).
    void PrepareOakLibrary()
    {
        PrepareLibrary(L"VTX", {{L"1Laser", {L"Acrylic", L"Wood"}, {}}, {L"2Laser", {L"Glass"}, {}}});
        WriteMaterial(CategoryFolder(1, 1) / L"Ash.spi", "[OPTION]\r\nMARK_MODE=1\r\n");
        WriteMaterial(CategoryFolder(1, 1) / L"Oak.spi", kOak);
        WriteMaterial(CategoryFolder(2, 0) / L"Clear.spi", kOak);
    }
    // Opens the prepared library and loads a material of the Wood category.
    MaterialDialog& OpenAndLoad(const std::wstring& material)
    {
        MaterialDialog& d = OpenPrepared();
        ShowFolder(1, 1);
        ClickItem(material);
        return d;
    }
    MaterialDialog& OpenWithOak()
    {
        PrepareOakLibrary();
        return OpenAndLoad(L"Oak");
    }
    std::wstring OakPath() const { return (CategoryFolder(1, 1) / L"Oak.spi").wstring(); }
    std::wstring HandOff(const wchar_t* section, const wchar_t* key) const
    {
        return ReadProfile(HandOffOutput(), section, key);
    }
    void SelectAll(int id) const { ::SendMessageW(Item(id), EM_SETSEL, 0, -1); }
    void ChooseInCombo(int id, int position)
    {
        ::SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        ::SendMessageW(Dialog().Hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
    }
    void CancelNextDialog()
    {
        m_catcher.OnDialog(
            [](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
    }
    // The font the start-up gave the group and category captions.
    HFONT CaptionFont() const { return reinterpret_cast<HFONT>(::SendMessageW(Item(IDC_GROUP1), WM_GETFONT, 0, 0)); }
};

// ---- Accept and Cancel

TEST_F(ClickActionTest, AcceptHandsTheChosenMaterialToTheDriverAndCloses)
{
    MaterialDialog& d = OpenWithOak();
    const HFONT captions = CaptionFont();
    ASSERT_EQ(::GetObjectType(captions), static_cast<DWORD>(OBJ_FONT));
    ReleaseOver(kAcceptArea);
    EXPECT_EQ(HandOff(L"Path", L"Path"), OakPath());
    EXPECT_EQ(HandOff(L"Texture", L"Name"), L"Wood");
    ASSERT_TRUE(d.EndResult().has_value());
    EXPECT_EQ(*d.EndResult(), IDCANCEL);
    EXPECT_EQ(::GetObjectType(captions), 0u) << "the caption font outlived the dialog's end";
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(ClickActionTest, AcceptReplacesTheTwoKeysAndKeepsTheRest)
{
    OpenWithOak();
    WriteFile(HandOffOutput(), kDriverFile);
    ReleaseOver(kAcceptArea);
    EXPECT_EQ(HandOff(L"Path", L"Path"), OakPath());
    EXPECT_EQ(HandOff(L"Texture", L"Name"), L"Wood");
    EXPECT_EQ(HandOff(L"Driver", L"Job"), L"7");
}

TEST_F(ClickActionTest, CancelWritesTheTwoKeysEmptyAndKeepsTheRest)
{
    MaterialDialog& d = OpenWithOak();
    const HFONT captions = CaptionFont();
    ASSERT_EQ(::GetObjectType(captions), static_cast<DWORD>(OBJ_FONT));
    WriteFile(HandOffOutput(), kDriverFile);
    ReleaseOver(kCancelArea);
    EXPECT_EQ(HandOff(L"Path", L"Path"), L"");
    EXPECT_EQ(HandOff(L"Texture", L"Name"), L"");
    EXPECT_EQ(HandOff(L"Driver", L"Job"), L"7");
    const std::string text = ReadFileBytes(HandOffOutput());
    EXPECT_NE(text.find("Path="), std::string::npos);
    EXPECT_NE(text.find("Name="), std::string::npos);
    ASSERT_TRUE(d.EndResult().has_value());
    EXPECT_EQ(*d.EndResult(), IDCANCEL);
    EXPECT_EQ(::GetObjectType(captions), 0u) << "the caption font outlived the dialog's end";
}

TEST_F(ClickActionTest, EscWritesNothing)
{
    MaterialDialog& d = OpenWithOak();
    ::SendMessageW(d.Hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(d.EndResult().has_value());
    EXPECT_FALSE(fs::exists(HandOffOutput()));

    MaterialDialog& again = OpenWithOak();
    WriteFile(HandOffOutput(), kDriverFile);
    ::SendMessageW(again.Hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(ReadFileBytes(HandOffOutput()), kDriverFile);
}

TEST_F(ClickActionTest, AReleaseActsOnlyAfterAPressAndDisarms)
{
    MaterialDialog& d = OpenWithOak();
    // A release in the Accept area with no press before it.
    EnterArea(kAcceptArea);
    Release();
    EXPECT_FALSE(fs::exists(HandOffOutput()));

    // A press and release outside every hot area leave no press behind.
    ClickAt({5, 390});
    EnterArea(kAcceptArea);
    Release();
    EXPECT_FALSE(fs::exists(HandOffOutput()));
    EXPECT_FALSE(d.EndResult().has_value());

    // Pressed there as well, the area acts.
    PressAndRelease();
    EXPECT_EQ(HandOff(L"Path", L"Path"), OakPath());
    EXPECT_TRUE(d.EndResult().has_value());
}

TEST_F(ClickActionTest, AcceptDoesNothingOnceTheParametersDiffer)
{
    // The pointer entered the Accept area while it was enabled; a value
    // changed since. The driver must not get the unchanged material.
    MaterialDialog& d = OpenWithOak();
    EnterArea(kAcceptArea);
    SelectAll(IDC_POWER);
    Type(IDC_POWER, L"60");
    PressAndRelease();
    EXPECT_FALSE(fs::exists(HandOffOutput()));
    EXPECT_FALSE(d.EndResult().has_value());
}

TEST_F(ClickActionTest, AcceptAndSaveAsDoNothingWithoutAMaterial)
{
    // The pointer rests in an area while the keyboard's press of a category
    // button (the empty Acrylic) takes the material away.
    MaterialDialog& d = OpenWithOak();
    AnswerSaveAs(L"Never");
    EnterArea(kAcceptArea);
    ShowFolder(1, 0);
    ASSERT_EQ(ItemText(IDC_SPEED), L"");
    PressAndRelease();
    ShowFolder(1, 1);
    ClickItem(L"Oak");
    EnterArea(kSaveAsArea);
    ShowFolder(1, 0);
    PressAndRelease();
    // Nor do the areas take the pointer while nothing is shown.
    ReleaseOver(kAcceptArea);
    ReleaseOver(kSaveAsArea);
    EXPECT_FALSE(SaveAsDialogSeen());
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_FALSE(fs::exists(HandOffOutput()));
    EXPECT_FALSE(d.EndResult().has_value());
    EXPECT_TRUE(FilesIn(CustomizeFolder(1)).empty());
}

TEST_F(ClickActionTest, AnUnwritableHandOffFileIsReportedAndTheDialogStaysOpen)
{
    MaterialDialog& d = OpenWithOak();
    const HFONT captions = CaptionFont();
    // The data folder is gone by the time the operator decides.
    fs::remove_all(DataFolder());
    const std::wstring file = HandOffOutput().wstring();
    ReleaseOver(kAcceptArea);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{utils::HandOffNotWrittenMessage(file)});
    EXPECT_FALSE(d.EndResult().has_value());
    EXPECT_EQ(::GetObjectType(captions), static_cast<DWORD>(OBJ_FONT));

    m_catcher.Clear();
    ReleaseOver(kCancelArea);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{utils::HandOffNotWrittenMessage(file)});
    EXPECT_FALSE(d.EndResult().has_value());
}

TEST_F(ClickActionTest, AChoiceBeyondAsciiReachesTheDriverExactly)
{
    PrepareLibrary(L"VTX", {{L"1Laser", {L"Holz\x00E4\x6728"}, {}}});
    WriteMaterial(CategoryFolder(1, 0) / L"Eiche\x00DF.spi", kOak);
    WriteFile(HandOffOutput(), kDriverFile); // an 8-bit file from an earlier run
    MaterialDialog& d = OpenPrepared();
    ShowFolder(1, 0);
    ClickItem(L"Eiche\x00DF");
    ASSERT_EQ(Inspect(d).m_materialTextureName, L"Holz\x00E4\x6728");
    ReleaseOver(kAcceptArea);
    EXPECT_TRUE(FileStartsWithUtf16Mark(HandOffOutput()));
    EXPECT_EQ(HandOff(L"Path", L"Path"), (CategoryFolder(1, 0) / L"Eiche\x00DF.spi").wstring());
    EXPECT_EQ(HandOff(L"Texture", L"Name"), L"Holz\x00E4\x6728");
    EXPECT_EQ(HandOff(L"Driver", L"Job"), L"7");
}

// ---- Save as

TEST_F(ClickActionTest, SaveAsStoresThePanelAndShowsTheNewMaterial)
{
    MaterialDialog& d = OpenWithOak();
    SelectAll(IDC_POWER);
    Type(IDC_POWER, L"60");
    AnswerSaveAs(L"Oak light");
    ReleaseOver(kSaveAsArea);

    ASSERT_TRUE(SaveAsDialogSeen());
    EXPECT_TRUE(m_catcher.Messages().empty());
    const fs::path saved = CustomizeFolder(1) / L"Oak light.spi";
    EXPECT_EQ(ReadProfile(saved, L"PEN", L"PEN1POWER"), L"60");
    EXPECT_EQ(ReadProfile(saved, L"PEN", L"PEN1SPEED"), L"125");
    EXPECT_EQ(ReadProfile(saved, L"PEN", L"PEN1PPI"), L"500");
    EXPECT_EQ(ReadProfile(saved, L"OPTION", L"MARK_MODE"), L"2");
    EXPECT_EQ(ReadProfile(saved, L"OPTION", L"RESOLUTION"), L"500");
    EXPECT_EQ(ReadProfile(saved, L"OPTION", L"MATERIAL"), L"Wood");
    EXPECT_EQ(ReadProfile(saved, L"OPTION", L"SURFACE"), L"matt");

    EXPECT_EQ(Inspect(d).m_materialFilePath, saved.wstring());
    EXPECT_EQ(Inspect(d).m_materialTextureName, L"Wood");
    EXPECT_EQ(Inspect(d).m_bMaterialShown, 1);
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 1);
    // The "Customize" button is the highlighted one.
    ASSERT_GE(Inspect(d).m_customSlot, 0);
    ASSERT_LT(Inspect(d).m_customSlot, 9);
    EXPECT_EQ(Inspect(d).m_slotMask, 1 << Inspect(d).m_customSlot);
    EXPECT_TRUE(::SendMessageW(Item(MaterialDialog::kSlotIds[Inspect(d).m_customSlot]), BM_GETSTATE, 0, 0) &
                BST_PUSHED);
    EXPECT_TRUE(Inspect(d).m_customizeShown);
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Oak light"});
    EXPECT_EQ(::GetFocus(), Item(IDC_MATERIAL_LIST));
    EXPECT_EQ(ItemText(IDC_POWER), L"60");
    EXPECT_FALSE(d.EndResult().has_value());

    // Accept now hands over the new file.
    ReleaseOver(kAcceptArea);
    EXPECT_EQ(HandOff(L"Path", L"Path"), saved.wstring());
    EXPECT_EQ(HandOff(L"Texture", L"Name"), L"Wood");
}

TEST_F(ClickActionTest, PpiBelowThirtyIsRaisedWithTheMessage)
{
    MaterialDialog& d = OpenWithOak();
    SelectAll(IDC_PPI);
    Type(IDC_PPI, L"29");
    AnswerSaveAs(L"Low");
    ReleaseOver(kSaveAsArea);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{L"PPI can't be smaller than 30 "});
    EXPECT_EQ(ItemText(IDC_PPI), L"30");
    EXPECT_EQ(Inspect(d).m_ppiValue, 30.0);
    EXPECT_EQ(ReadProfile(CustomizeFolder(1) / L"Low.spi", L"PEN", L"PEN1PPI"), L"30");

    m_catcher.Clear();
    SelectAll(IDC_PPI);
    Type(IDC_PPI, L"30");
    AnswerSaveAs(L"Thirty");
    ReleaseOver(kSaveAsArea);
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_EQ(ReadProfile(CustomizeFolder(1) / L"Thirty.spi", L"PEN", L"PEN1PPI"), L"30");
}

TEST_F(ClickActionTest, ARaisedPpiLeftUnsavedKeepsAcceptOff)
{
    PrepareOakLibrary();
    WriteMaterial(CategoryFolder(1, 1) / L"Thin.spi",
                  "[OPTION]\r\nRESOLUTION=500\r\n[PEN]\r\nPEN1SPEED=125\r\nPEN1POWER=50\r\nPEN1PPI=20\r\n");
    MaterialDialog& d = OpenAndLoad(L"Thin");
    ASSERT_EQ(ItemText(IDC_PPI), L"20");
    CancelNextDialog();
    ReleaseOver(kSaveAsArea);
    EXPECT_EQ(ItemText(IDC_PPI), L"30");
    // The panel shows 30, the loaded material holds 20: Accept must not hand it over.
    ReleaseOver(kAcceptArea);
    EXPECT_FALSE(fs::exists(HandOffOutput()));
    EXPECT_FALSE(d.EndResult().has_value());
}

TEST_F(ClickActionTest, ARejectedValueStopsTheSave)
{
    // Stored tenths beyond the panel's limit load as they are.
    PrepareOakLibrary();
    WriteMaterial(CategoryFolder(1, 1) / L"Fast.spi", "[PEN]\r\nPEN1SPEED=1500\r\n");
    MaterialDialog& d = OpenAndLoad(L"Fast");
    ASSERT_EQ(ItemText(IDC_SPEED), L"150");
    AnswerSaveAs(L"Never");
    ReleaseOver(kSaveAsArea);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{fw::OutOfRangeMessage(0.0, 100.0)});
    EXPECT_FALSE(SaveAsDialogSeen());
    EXPECT_TRUE(FilesIn(CustomizeFolder(1)).empty());
    EXPECT_EQ(Inspect(d).m_materialFilePath, (CategoryFolder(1, 1) / L"Fast.spi").wstring());
}

TEST_F(ClickActionTest, AMaterialThatCouldNotBeStoredIsNotSelected)
{
    MaterialDialog& d = OpenWithOak();
    fs::remove_all(CustomizeFolder(1));
    AnswerSaveAs(L"Lost");
    ReleaseOver(kSaveAsArea);
    ASSERT_TRUE(SaveAsDialogSeen());
    EXPECT_EQ(m_catcher.Messages(),
              std::vector<std::wstring>{utils::MaterialNotSavedMessage(CustomizeFolder(1).wstring() + L"\\Lost.spi")});
    EXPECT_EQ(Inspect(d).m_materialFilePath, OakPath());
    EXPECT_EQ(Inspect(d).m_materialTextureName, L"Wood");
}

TEST_F(ClickActionTest, ARefusedNameLeavesEverythingAsItWas)
{
    MaterialDialog& d = OpenWithOak();
    AnswerSaveAs(L"..\\..\\Escape");
    ReleaseOver(kSaveAsArea);
    EXPECT_EQ(m_catcher.Messages().size(), 1u);
    EXPECT_TRUE(FilesIn(CustomizeFolder(1)).empty());
    EXPECT_TRUE(FilesIn(ParamFolder()).empty());
    EXPECT_TRUE(FilesIn(LibraryRoot()).empty());
    EXPECT_EQ(Inspect(d).m_materialFilePath, OakPath());
}

TEST_F(ClickActionTest, SavingInGroupTwoLandsInGroupTwosCustomizeFolder)
{
    MaterialDialog& d = OpenWithOak();
    ShowFolder(2, 0);
    ClickItem(L"Clear");
    AnswerSaveAs(L"Frosted");
    ReleaseOver(kSaveAsArea);
    const fs::path saved = CustomizeFolder(2) / L"Frosted.spi";
    EXPECT_TRUE(fs::exists(saved));
    EXPECT_TRUE(FilesIn(CustomizeFolder(1)).empty());
    EXPECT_EQ(ReadProfile(saved, L"OPTION", L"MATERIAL"), L"Glass");
    EXPECT_EQ(Inspect(d).m_materialFilePath, saved.wstring());
    EXPECT_EQ(Inspect(d).m_curGroup, 2);
    EXPECT_TRUE(Inspect(d).m_customizeShown);
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Frosted"});
}

TEST_F(ClickActionTest, SavingOakWhileOak2ExistsSelectsOak)
{
    PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood"}, {L"Oak2.spi", L"Oak.spi"}}});
    WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", kOak);
    MaterialDialog& d = OpenPrepared();
    ShowFolder(1, 0);
    ClickItem(L"Oak");
    AnswerSaveAs(L"Oak");
    ReleaseOver(kSaveAsArea);
    ASSERT_GE(ItemIndex(L"Oak2"), 0);
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Oak"});
    EXPECT_EQ(Inspect(d).m_materialFilePath, (CustomizeFolder(1) / L"Oak.spi").wstring());
    EXPECT_EQ(ReadProfile(CustomizeFolder(1) / L"Oak.spi", L"OPTION", L"MATERIAL"), L"Wood");
}

TEST_F(ClickActionTest, AnEmptyResolutionEntryWritesWhatTheSnapshotHeld)
{
    MaterialDialog& d = OpenWithOak(); // resolution 500, position 5
    ChooseInCombo(IDC_RESOLUTION, 0);
    AnswerSaveAs(L"Kept");
    ReleaseOver(kSaveAsArea);
    EXPECT_EQ(ReadProfile(CustomizeFolder(1) / L"Kept.spi", L"OPTION", L"RESOLUTION"), L"500");

    // A cancelled snapshot at 600 is what a later save with the empty entry writes.
    ShowFolder(1, 1);
    ClickItem(L"Oak");
    ChooseInCombo(IDC_RESOLUTION, 6);
    CancelNextDialog();
    ReleaseOver(kSaveAsArea);
    EXPECT_EQ(Inspect(d).m_materialParams[4], 600.0);
    ChooseInCombo(IDC_RESOLUTION, 0);
    AnswerSaveAs(L"Later");
    ReleaseOver(kSaveAsArea);
    EXPECT_EQ(ReadProfile(CustomizeFolder(1) / L"Later.spi", L"OPTION", L"RESOLUTION"), L"600");
}

TEST_F(ClickActionTest, TheSavedValuesAreTheNewBaseline)
{
    MaterialDialog& d = OpenWithOak(); // resolution position 5, power 50
    ChooseInCombo(IDC_RESOLUTION, 6);
    SelectAll(IDC_POWER);
    Type(IDC_POWER, L"60");
    ASSERT_EQ(Inspect(d).m_bParamsUnchanged, 0);
    AnswerSaveAs(L"Saved");
    ReleaseOver(kSaveAsArea);
    ASSERT_EQ(Inspect(d).m_bParamsUnchanged, 1);
    EXPECT_EQ(ReadProfile(CustomizeFolder(1) / L"Saved.spi", L"OPTION", L"RESOLUTION"), L"600");

    ChooseInCombo(IDC_RESOLUTION, 7);
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 0);
    ChooseInCombo(IDC_RESOLUTION, 6);
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 1);

    SelectAll(IDC_POWER);
    Type(IDC_POWER, L"61");
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 0);
    SelectAll(IDC_POWER);
    Type(IDC_POWER, L"60");
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 1);
    // Back at the first material's power the panel no longer matches the saved file.
    SelectAll(IDC_POWER);
    Type(IDC_POWER, L"50");
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 0);
}

TEST_F(ClickActionTest, ATextureBeyondAsciiSurvivesSaveAndAccept)
{
    PrepareLibrary(L"VTX", {{L"1Laser", {L"\x6728\x6750"}, {}}});
    WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", kOak);
    MaterialDialog& d = OpenPrepared();
    ShowFolder(1, 0);
    ClickItem(L"Oak");
    AnswerSaveAs(L"\x30AA\x30FC\x30AF");
    ReleaseOver(kSaveAsArea);
    const fs::path saved = CustomizeFolder(1) / L"\x30AA\x30FC\x30AF.spi";
    EXPECT_TRUE(FileStartsWithUtf16Mark(saved));
    EXPECT_EQ(ReadProfile(saved, L"OPTION", L"MATERIAL"), L"\x6728\x6750");
    EXPECT_EQ(ReadProfile(saved, L"OPTION", L"SURFACE"), L"matt");
    ReleaseOver(kAcceptArea);
    EXPECT_EQ(HandOff(L"Path", L"Path"), saved.wstring());
    EXPECT_EQ(HandOff(L"Texture", L"Name"), L"\x6728\x6750");
    EXPECT_TRUE(d.EndResult().has_value());
}

} // namespace

namespace {

// The road through the dialog's own buttons, list and pointer tracking.
class ClickActionRoadTest : public ClickActionTest {};

TEST_F(ClickActionRoadTest, SaveInGroupTwoThenAcceptTheNewMaterial)
{
    PrepareLibrary(
        L"R250",
        {{L"1Laser", {L"Wood"}, {}}, {L"2Stone", {L"Granite", L"Slate"}, {L"Oak2.VX"}}, {L"3Glass", {L"Clear"}, {}}});
    WriteMaterial(CategoryFolder(2, 1) / L"Oak.VX", kOak);
    WriteMaterial(CategoryFolder(2, 1) / L"Pine.VX", kOak);
    MaterialDialog& d = OpenPrepared();

    ChooseGroup(2);
    ASSERT_EQ(Inspect(d).m_curGroup, 2);
    ChooseSlot(1);
    ClickItem(L"Oak");
    ASSERT_EQ(Inspect(d).m_materialFilePath, (CategoryFolder(2, 1) / L"Oak.VX").wstring());
    ASSERT_EQ(Inspect(d).m_materialTextureName, L"Slate");
    ::SendMessageW(Item(IDC_POWER), EM_SETSEL, 0, -1);
    Type(IDC_POWER, L"65");

    // Accept is off while the power differs: a release there does nothing.
    ClickAt({480, 240});
    EXPECT_FALSE(fs::exists(HandOffOutput()));

    AnswerSaveAs(L"Oak");
    ClickAt({480, 270});
    ASSERT_TRUE(SaveAsDialogSeen());
    const fs::path saved = CustomizeFolder(2) / L"Oak.VX";
    EXPECT_EQ(ReadProfile(saved, L"PEN", L"PEN1POWER"), L"65");
    EXPECT_EQ(ReadProfile(saved, L"OPTION", L"MATERIAL"), L"Slate");
    EXPECT_TRUE(Inspect(d).m_customizeShown);
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Oak"});
    EXPECT_GE(ItemIndex(L"Oak2"), 0);

    ClickAt({5, 390}); // away, so that the Accept area is entered afresh
    ClickAt({480, 240});
    EXPECT_EQ(HandOff(L"Path", L"Path"), saved.wstring());
    EXPECT_EQ(HandOff(L"Texture", L"Name"), L"Slate");
    EXPECT_TRUE(d.EndResult().has_value());
}

} // namespace

// Custom materials through the real dialog: a save that asks before it
// replaces, writes all or nothing and refuses names that reach another file;
// texts of these commands from the language file.
#include <gtest/gtest.h>

#include "framework/Profile.h"
#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"
#include "utils/MaterialName.h"
#include "utils/OperatorTexts.h"

using namespace testing_support;

namespace {

constexpr char kOak[] = "[OPTION]\r\nMARK_MODE=1\r\nRESOLUTION=500\r\nLAYER=7\r\n[PEN]\r\nPEN1SPEED=125\r\n"
                        "PEN1POWER=40\r\nPEN1PPI=300\r\n";
constexpr char kMine[] = "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=250\r\nMATERIAL=Wood\r\n[PEN]\r\nPEN1SPEED=10\r\n"
                         "PEN1POWER=5\r\nPEN1PPI=100\r\n";

std::wstring English(utils::OperatorText which, const std::wstring& name = L"")
{
    return utils::OperatorTexts().Format(which, name);
}

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

} // namespace

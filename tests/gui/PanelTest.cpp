// The parameter panel: a material click reads its file, the edits are held
// to their limits and changes are tracked against the loaded values.
#include <gtest/gtest.h>

#include "framework/DataExchange.h"
#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;

namespace {

constexpr char kOak[] =
    "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=1000\r\n[PEN]\r\nPEN1SPEED=125\r\nPEN1POWER=50\r\nPEN1PPI=500\r\n";

class PanelTest : public PanelFixture {
protected:
    // Group 1: Acrylic and Wood (holding Oak), "Customize" holding Mine;
    // group 2: Glass. A test adds its own materials before OpenPrepared().
    void PrepareSample()
    {
        PrepareLibrary(L"VTX", {{L"1Laser", {L"Acrylic", L"Wood"}, {L"Mine.spi"}}, {L"2Laser", {L"Glass"}, {}}});
        WriteMaterial(CategoryFolder(1, 1) / L"Oak.spi", kOak);
    }
    MaterialDialog& OpenSample()
    {
        PrepareSample();
        return OpenPrepared();
    }
    LRESULT Selection(int id) const { return ::SendMessageW(Item(id), CB_GETCURSEL, 0, 0); }
    void SelectAll(int id) const { ::SendMessageW(Item(id), EM_SETSEL, 0, -1); }
    void ChooseInCombo(int id, int position)
    {
        ::SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        ::SendMessageW(Dialog().Hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
    }
};

TEST_F(PanelTest, ClickLoadsTheMaterialFileIntoThePanel)
{
    MaterialDialog& d = OpenSample();
    ShowFolder(1, 1);
    ClickItem(L"Oak");

    EXPECT_EQ(ItemText(IDC_SPEED), L"12.5");
    EXPECT_EQ(ItemText(IDC_POWER), L"50");
    EXPECT_EQ(ItemText(IDC_PPI), L"500");
    EXPECT_EQ(Selection(IDC_MARK_MODE), 2);
    EXPECT_EQ(Selection(IDC_RESOLUTION), 8);
    EXPECT_EQ(Inspect(d).m_materialFilePath, (CategoryFolder(1, 1) / L"Oak.spi").wstring());
    EXPECT_EQ(Inspect(d).m_materialTextureName, L"Wood");
    EXPECT_EQ(Inspect(d).m_bMaterialShown, 1);
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 1);
    EXPECT_EQ(Inspect(d).m_changedParams, 0u);
    EXPECT_EQ(Inspect(d).m_loadedMarkMode, 2);
    EXPECT_EQ(Inspect(d).m_loadedSpeed, 12.5);
    EXPECT_EQ(Inspect(d).m_loadedPower, 50.0);
    EXPECT_EQ(Inspect(d).m_loadedPpi, 500.0);
    EXPECT_EQ(Inspect(d).m_loadedResolution, 8);
    const double params[10] = {2, 12.5, 50, 500, 8, 0, 0, 0, 0, 0};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Inspect(d).m_materialParams[i], params[i]) << i;
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(PanelTest, SpeedTakesOnlyTheIntegerPartOfTheStoredTenths)
{
    PrepareSample();
    WriteMaterial(CategoryFolder(1, 1) / L"Half.spi", "[PEN]\r\nPEN1SPEED=12.5\r\n");
    OpenPrepared();
    ShowFolder(1, 1);
    ClickItem(L"Half");
    EXPECT_EQ(ItemText(IDC_SPEED), L"1.2");
}

TEST_F(PanelTest, UnknownResolutionLeavesThePreviousPosition)
{
    PrepareSample();
    WriteMaterial(CategoryFolder(1, 1) / L"Odd.spi", "[OPTION]\r\nRESOLUTION=400\r\n");
    MaterialDialog& d = OpenPrepared();
    ShowFolder(1, 1);
    const int before = Inspect(d).m_resolutionIndex;
    ClickItem(L"Odd");
    EXPECT_EQ(Inspect(d).m_resolutionIndex, before);
    EXPECT_EQ(Inspect(d).m_loadedResolution, before);

    ClickItem(L"Oak");
    EXPECT_EQ(Selection(IDC_RESOLUTION), 8);
    ClickItem(L"Odd");
    EXPECT_EQ(Inspect(d).m_resolutionIndex, 8);
    EXPECT_EQ(Selection(IDC_RESOLUTION), 8);
    EXPECT_EQ(Inspect(d).m_materialParams[4], 8.0);
}

TEST_F(PanelTest, FileWithoutPenSectionShowsZeros)
{
    PrepareSample();
    WriteMaterial(CategoryFolder(1, 1) / L"Bare.spi", "[OPTION]\r\nMARK_MODE=1\r\n");
    OpenPrepared();
    ShowFolder(1, 1);
    ClickItem(L"Oak");
    ClickItem(L"Bare");
    EXPECT_EQ(ItemText(IDC_SPEED), L"0");
    EXPECT_EQ(ItemText(IDC_POWER), L"0");
    EXPECT_EQ(ItemText(IDC_PPI), L"0");
    EXPECT_EQ(Selection(IDC_MARK_MODE), 1);
}

TEST_F(PanelTest, MissingFileReadsAsDefaults)
{
    // Listed at start-up, removed while the dialog is open.
    PrepareSample();
    WriteMaterial(CustomizeFolder(1) / L"Ghost.spi", "[OPTION]\r\nMATERIAL=Ghost\r\n");
    MaterialDialog& d = OpenPrepared();
    fs::remove(CustomizeFolder(1) / L"Ghost.spi");
    ShowFolder(1, 1);
    ClickItem(L"Oak");
    ShowFolder(1, kCustomize);
    ClickItem(L"Ghost");
    EXPECT_EQ(Inspect(d).m_materialFilePath, (CustomizeFolder(1) / L"Ghost.spi").wstring());
    EXPECT_EQ(Inspect(d).m_materialTextureName, L"N/A");
    EXPECT_EQ(Selection(IDC_MARK_MODE), 0);
    EXPECT_EQ(ItemText(IDC_SPEED), L"0");
    EXPECT_EQ(ItemText(IDC_POWER), L"0");
    EXPECT_EQ(ItemText(IDC_PPI), L"0");
    EXPECT_EQ(Inspect(d).m_resolutionIndex, 8); // kept from the material before
    EXPECT_EQ(Inspect(d).m_bMaterialShown, 1);
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(PanelTest, CustomMaterialTakesItsStoredTextureWhole)
{
    MaterialDialog& d = OpenSample();
    // Longer than the 29 characters a number keeps: a texture name is read whole.
    const std::wstring texture = L"Wood\\Dark oak veneer, oiled and brushed";
    WriteUtf16File(CustomizeFolder(1) / L"Mine.spi",
                   L"[OPTION]\r\nMATERIAL=" + texture + L"\r\nMARK_MODE=3\r\n[PEN]\r\nPEN1POWER=7\r\n");
    ShowFolder(1, kCustomize);
    ClickItem(L"Mine");
    EXPECT_EQ(Inspect(d).m_materialFilePath, (CustomizeFolder(1) / L"Mine.spi").wstring());
    EXPECT_EQ(Inspect(d).m_materialTextureName, texture);
    EXPECT_EQ(Selection(IDC_MARK_MODE), 3);
    EXPECT_EQ(ItemText(IDC_POWER), L"7");

    WriteUtf16File(CustomizeFolder(1) / L"Mine.spi", L"[OPTION]\r\nMATERIAL=Holz\x00E4\\\x6728\x6750\r\n");
    ClickItem(L"Mine");
    EXPECT_EQ(Inspect(d).m_materialTextureName, L"Holz\x00E4\\\x6728\x6750");
}

TEST_F(PanelTest, GroupTwoCategoryIsFoundAfterGroupOnesCategories)
{
    PrepareSample();
    WriteMaterial(CategoryFolder(2, 0) / L"Clear.spi", "[PEN]\r\nPEN1PPI=760\r\n");
    MaterialDialog& d = OpenPrepared();
    ShowFolder(2, 0);
    ClickItem(L"Clear");
    EXPECT_EQ(Inspect(d).m_materialFilePath, (CategoryFolder(2, 0) / L"Clear.spi").wstring());
    EXPECT_EQ(Inspect(d).m_materialTextureName, L"Glass");
    EXPECT_EQ(ItemText(IDC_PPI), L"760");
}

TEST_F(PanelTest, ClickOnEmptySpaceLoadsNothingButZeroesTheBaseline)
{
    MaterialDialog& d = OpenSample();
    ShowFolder(1, 1);
    ClickItem(L"Oak");
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    ::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    NMITEMACTIVATE click{};
    click.hdr = {Item(IDC_MATERIAL_LIST), IDC_MATERIAL_LIST, static_cast<UINT>(NM_CLICK)};
    click.iItem = -1;
    ::SendMessageW(d.Hwnd(), WM_NOTIFY, IDC_MATERIAL_LIST, reinterpret_cast<LPARAM>(&click));

    EXPECT_EQ(ItemText(IDC_SPEED), L"12.5");
    EXPECT_EQ(Inspect(d).m_materialFilePath, (CategoryFolder(1, 1) / L"Oak.spi").wstring());
    EXPECT_EQ(Inspect(d).m_loadedSpeed, 0.0);
    EXPECT_EQ(Inspect(d).m_loadedPower, 0.0);
    EXPECT_EQ(Inspect(d).m_loadedPpi, 0.0);
    for (double param : Inspect(d).m_materialParams)
        EXPECT_EQ(param, 0.0);
}

TEST_F(PanelTest, LoadingDoesNotReachTheChangeHandlers)
{
    // A stored speed above the panel's limit: were the edit's change
    // notification handled during the load, it would be cut to 100 with a message.
    PrepareSample();
    WriteMaterial(CategoryFolder(1, 1) / L"Fast.spi", "[PEN]\r\nPEN1SPEED=1500\r\n");
    MaterialDialog& d = OpenPrepared();
    ShowFolder(1, 1);
    ClickItem(L"Fast");
    EXPECT_EQ(ItemText(IDC_SPEED), L"150");
    EXPECT_EQ(Inspect(d).m_speedValue, 150.0);
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 1);
}

TEST_F(PanelTest, TypedValuesAboveTheLimitEndAtTheLimitAfterTheMessage)
{
    MaterialDialog& d = OpenSample();
    ShowFolder(1, 1);
    ClickItem(L"Oak");

    SelectAll(IDC_SPEED);
    Type(IDC_SPEED, L"150");
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{fw::OutOfRangeMessage(0.0, 100.0)});
    EXPECT_EQ(ItemText(IDC_SPEED), L"100");
    EXPECT_EQ(Inspect(d).m_speedValue, 100.0);

    m_catcher.Clear();
    SelectAll(IDC_PPI);
    Type(IDC_PPI, L"1600");
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{fw::OutOfRangeMessage(0.0, 1525.0)});
    EXPECT_EQ(ItemText(IDC_PPI), L"1525");
    EXPECT_EQ(Inspect(d).m_ppiValue, 1525.0);

    m_catcher.Clear();
    SelectAll(IDC_POWER);
    Type(IDC_POWER, L"150");
    EXPECT_EQ(ItemText(IDC_POWER), L"100");
    EXPECT_EQ(Inspect(d).m_powerValue, 100.0);

    // Exactly the limit stays without a message.
    m_catcher.Clear();
    SetText(IDC_PPI, L"1525");
    SetText(IDC_SPEED, L"100");
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_EQ(Inspect(d).m_ppiValue, 1525.0);
}

TEST_F(PanelTest, ADecimalSpeedCanBeTypedCharacterByCharacter)
{
    MaterialDialog& d = OpenSample();
    ShowFolder(1, 1);
    ClickItem(L"Oak");
    SelectAll(IDC_SPEED);
    Type(IDC_SPEED, L"12.3");
    EXPECT_EQ(ItemText(IDC_SPEED), L"12.3");
    EXPECT_EQ(Inspect(d).m_speedValue, 12.3);
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(PanelTest, ARejectedTextGivesTheMessageAndTheEditItsValueBack)
{
    MaterialDialog& d = OpenSample();
    ShowFolder(1, 1);
    ClickItem(L"Oak");
    SetText(IDC_POWER, L"");
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{fw::NotANumberMessage()});
    EXPECT_EQ(Inspect(d).m_powerValue, 50.0);
    EXPECT_EQ(ItemText(IDC_POWER), L"50");
}

TEST_F(PanelTest, ChangesWhileNoMaterialIsShownAreIgnored)
{
    MaterialDialog& d = OpenSample();
    ShowFolder(1, 1);
    SetText(IDC_SPEED, L"150");
    ChooseInCombo(IDC_MARK_MODE, 3);
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_EQ(ItemText(IDC_SPEED), L"150");
    EXPECT_EQ(Inspect(d).m_changedParams, 0u);
    EXPECT_EQ(Inspect(d).m_bMaterialShown, 0);
}

TEST_F(PanelTest, ChangesAreTrackedAgainstTheLoadedValues)
{
    PrepareSample();
    // 0.3 is one of the speeds whose tenths times 0.1 miss the value its text reads as.
    WriteMaterial(CategoryFolder(1, 1) / L"Slow.spi",
                  "[OPTION]\r\nRESOLUTION=500\r\n[PEN]\r\nPEN1SPEED=3\r\nPEN1POWER=50\r\n");
    MaterialDialog& d = OpenPrepared();
    ShowFolder(1, 1);
    ClickItem(L"Slow");

    SelectAll(IDC_POWER);
    Type(IDC_POWER, L"60");
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 0);
    SelectAll(IDC_POWER);
    Type(IDC_POWER, L"50");
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 1);

    SetText(IDC_SPEED, L"0.4");
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 0);
    SetText(IDC_SPEED, L"0.3");
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 1);
    SetText(IDC_SPEED, L"0.30");
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 1);

    ChooseInCombo(IDC_RESOLUTION, 6);
    EXPECT_EQ(Inspect(d).m_changedParams, 1u << 4);
    ChooseInCombo(IDC_RESOLUTION, 5);
    EXPECT_EQ(Inspect(d).m_bParamsUnchanged, 1);
    ChooseInCombo(IDC_MARK_MODE, 4);
    EXPECT_EQ(Inspect(d).m_changedParams, 1u << 0);
}

} // namespace

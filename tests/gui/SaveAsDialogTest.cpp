// The Save-as dialog on its own: the typed name checked, the shown material
// copied and the six parameter keys written into the copy.
#include <gtest/gtest.h>

#include "library/SaveAsDialog.h"
#include "tests/gui/PanelFixture.h"
#include "utils/MaterialName.h"

using namespace testing_support;

namespace {

constexpr char kBase[] = "[OPTION]\r\nMARK_MODE=3\r\nMATERIAL=Old\r\nLAYER=2\r\n[PEN]\r\nPEN1SPEED=999\r\n"
                         "PEN2SPEED=77\r\n[EXTRA]\r\nKEEP=yes\r\n";

class SaveAsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(Folder());
        WriteMaterial(Base(), kBase);
    }

    fs::path Folder() const { return m_temp.Path() / L"1Laser" / L"Customize"; }
    fs::path Base() const { return m_temp.Path() / L"1Laser" / L"Wood" / L"Oak.spi"; }
    fs::path Saved(const std::wstring& name, const wchar_t* extension = L".spi") const
    {
        return Folder() / (name + extension);
    }
    std::wstring Key(const fs::path& file, const wchar_t* section, const wchar_t* key) const
    {
        return ReadProfile(file, section, key);
    }

    // Runs the dialog with the name typed and Save pressed (Cancel follows,
    // for when the dialog stays open); the dialog's result.
    INT_PTR Save(const std::wstring& name, std::vector<double> params = {1, 12.3, 50, 500, 5})
    {
        params.resize(10, 0.0);
        m_params = params;
        SaveAsDialog dialog;
        dialog.SetTargetFolder(m_folder.empty() ? Folder().wstring() : m_folder);
        dialog.SetSourcePath(m_source.empty() ? Base().wstring() : m_source);
        dialog.SetParams(m_params.data());
        dialog.SetTextureName(m_texture);
        dialog.SetModel(m_model);
        m_catcher.OnDialog([name](HWND window) {
            ::SetDlgItemTextW(window, IDC_FILE_NAME, name.c_str());
            ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        });
        const INT_PTR result = dialog.DoModal();
        m_savedName = dialog.GetSavedName();
        return result;
    }

    TempFolder m_temp;
    ModalCatcher m_catcher;
    std::vector<double> m_params;
    std::wstring m_folder;
    std::wstring m_source;
    std::wstring m_texture = L"Wood";
    std::wstring m_model = L"VTX";
    std::wstring m_savedName;
};

TEST_F(SaveAsDialogTest, WorkedExampleIsReadBack)
{
    ASSERT_EQ(Save(L"My Oak"), IDOK);
    EXPECT_EQ(m_savedName, L"My Oak");
    const fs::path file = Saved(L"My Oak");
    EXPECT_EQ(Key(file, L"OPTION", L"MARK_MODE"), L"1");
    EXPECT_EQ(Key(file, L"PEN", L"PEN1SPEED"), L"123");
    EXPECT_EQ(Key(file, L"PEN", L"PEN1POWER"), L"50");
    EXPECT_EQ(Key(file, L"PEN", L"PEN1PPI"), L"500");
    EXPECT_EQ(Key(file, L"OPTION", L"RESOLUTION"), L"500");
    EXPECT_EQ(Key(file, L"OPTION", L"MATERIAL"), L"Wood");
    EXPECT_TRUE(m_catcher.Messages().empty());
}

TEST_F(SaveAsDialogTest, KeysOfTheBaseFileAreCarriedOver)
{
    ASSERT_EQ(Save(L"Copy"), IDOK);
    const fs::path file = Saved(L"Copy");
    EXPECT_EQ(Key(file, L"OPTION", L"LAYER"), L"2");
    EXPECT_EQ(Key(file, L"PEN", L"PEN2SPEED"), L"77");
    EXPECT_EQ(Key(file, L"EXTRA", L"KEEP"), L"yes");
    EXPECT_EQ(Key(file, L"OPTION", L"MATERIAL"), L"Wood");
    EXPECT_EQ(Key(Base(), L"OPTION", L"MATERIAL"), L"Old"); // the base stays as it was
}

TEST_F(SaveAsDialogTest, AnExistingCustomMaterialIsReplaced)
{
    WriteMaterial(Saved(L"Mine"), "[OPTION]\r\nSTALE=1\r\nMATERIAL=Glass\r\n[PEN]\r\nPEN1POWER=5\r\n");
    m_catcher.Answer({IDYES});
    ASSERT_EQ(Save(L"Mine", {2, 3.5, 40, 300, 1}), IDOK);
    EXPECT_EQ(m_catcher.Messages().size(), 1u); // asked before replacing
    const fs::path file = Saved(L"Mine");
    EXPECT_EQ(Key(file, L"OPTION", L"STALE"), L"<missing>");
    EXPECT_EQ(Key(file, L"EXTRA", L"KEEP"), L"yes");
    EXPECT_EQ(Key(file, L"PEN", L"PEN1POWER"), L"40");
    EXPECT_EQ(Key(file, L"PEN", L"PEN1SPEED"), L"35");
    EXPECT_EQ(Key(file, L"OPTION", L"RESOLUTION"), L"125");
    EXPECT_EQ(Key(file, L"OPTION", L"MATERIAL"), L"Wood");
}

TEST_F(SaveAsDialogTest, ValuesAreTruncatedAndResolutionsMapped)
{
    ASSERT_EQ(Save(L"A", {-1, 100, -2.5, 29.9, 500}), IDOK);
    EXPECT_EQ(Key(Saved(L"A"), L"OPTION", L"MARK_MODE"), L"-1");
    EXPECT_EQ(Key(Saved(L"A"), L"PEN", L"PEN1SPEED"), L"1000");
    EXPECT_EQ(Key(Saved(L"A"), L"PEN", L"PEN1POWER"), L"-2");
    EXPECT_EQ(Key(Saved(L"A"), L"PEN", L"PEN1PPI"), L"29");
    EXPECT_EQ(Key(Saved(L"A"), L"OPTION", L"RESOLUTION"), L"500");

    ASSERT_EQ(Save(L"B", {0, 0.7, 0, 30, 0}), IDOK);
    EXPECT_EQ(Key(Saved(L"B"), L"PEN", L"PEN1SPEED"), L"7");
    EXPECT_EQ(Key(Saved(L"B"), L"OPTION", L"RESOLUTION"), L"0");

    ASSERT_EQ(Save(L"C", {0, 0, 0, 30, 8}), IDOK);
    EXPECT_EQ(Key(Saved(L"C"), L"OPTION", L"RESOLUTION"), L"1000");
}

TEST_F(SaveAsDialogTest, ExtensionFollowsTheModelExactly)
{
    m_model = L"R250";
    ASSERT_EQ(Save(L"Big"), IDOK);
    EXPECT_TRUE(fs::exists(Saved(L"Big", L".VX")));
    m_model = L"r250";
    ASSERT_EQ(Save(L"Small"), IDOK);
    EXPECT_TRUE(fs::exists(Saved(L"Small", L".spi")));
    EXPECT_EQ(FilesIn(Folder()), (std::vector<std::wstring>{L"Big.VX", L"Small.spi"}));
}

TEST_F(SaveAsDialogTest, AnEmptyNameAsksForOneAndWritesNothing)
{
    EXPECT_EQ(Save(L""), IDCANCEL);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{L"Please input the file name "});
    EXPECT_TRUE(FilesIn(Folder()).empty());
}

TEST_F(SaveAsDialogTest, RefusedNamesWriteNothingAnywhere)
{
    const std::wstring names[] = {L"..\\Outside", L"../Outside", L"sub\\Oak", L"C:Oak",     L"a*b", L"a?b",     L"a\"b",
                                  L"a<b",         L"a>b",        L"a|b",      L"tab\tname", L"CON", L"nul.txt", L"Com1",
                                  L"LPT9.x",      L"Oak.",       L"Oak ",     L".",         L".."};
    for (const std::wstring& name : names) {
        m_catcher.Clear();
        EXPECT_EQ(Save(name), IDCANCEL) << "name of length " << name.size();
        const utils::NameProblem problem = utils::CheckMaterialName(name);
        EXPECT_NE(problem, utils::NameProblem::None);
        EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{utils::NameProblemMessage(problem, name)});
    }
    EXPECT_TRUE(FilesIn(Folder()).empty());
    EXPECT_TRUE(FilesIn(Folder().parent_path()).empty());
    EXPECT_TRUE(FilesIn(m_temp.Path()).empty());
}

TEST_F(SaveAsDialogTest, ANameThatMakesThePathTooLongIsRefused)
{
    // A folder deep enough that the name decides whether 259 characters are exceeded.
    fs::path deep = m_temp.Path();
    while (deep.wstring().size() < 180)
        deep /= L"deeper";
    fs::create_directories(deep);
    m_folder = deep.wstring();
    const size_t fits = utils::kMaxPathLength - m_folder.size() - 1 - 4;

    const std::wstring tooLong(fits + 1, L'x');
    EXPECT_EQ(Save(tooLong), IDCANCEL);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{utils::PathTooLongMessage()});
    EXPECT_TRUE(FilesIn(deep).empty());

    m_catcher.Clear();
    const std::wstring justFits(fits, L'x');
    ASSERT_EQ(Save(justFits), IDOK);
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_EQ(Key(deep / (justFits + L".spi"), L"PEN", L"PEN1PPI"), L"500");
}

// A folder whose path has exactly `length` characters, made through the
// "\\?\" form, which reaches any length.
fs::path FolderOfLength(const fs::path& base, std::size_t length)
{
    const std::wstring path = base.wstring() + L"\\" + std::wstring(length - base.wstring().size() - 1, L'd');
    EXPECT_TRUE(::CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr)) << length;
    return path;
}

// Every save first writes a temporary file beside the material: the folder
// must leave room for its name as well. Up to that limit a save works even
// where the material's path has 259 characters; past it nothing is written
// and the operator is told why.
TEST_F(SaveAsDialogTest, ASaveWorksUpToTheFoldersLimitAndIsRefusedBeyondIt)
{
    for (std::size_t length : {246, 247, 248, 252, 258}) {
        SCOPED_TRACE(length);
        const fs::path folder = FolderOfLength(m_temp.Path(), length);
        m_folder = folder.wstring();
        m_catcher.Clear();
        const bool fits = length <= utils::kMaxSaveFolderLength;
        // The longest name the path allows, or one character where none fits.
        const std::wstring name(fits ? utils::kMaxPathLength - length - 1 - 4 : 1, L'n');
        EXPECT_EQ(Save(name), fits ? IDOK : IDCANCEL);
        if (fits) {
            EXPECT_TRUE(m_catcher.Messages().empty());
            EXPECT_EQ((folder / (name + L".spi")).wstring().size(), utils::kMaxPathLength);
            EXPECT_EQ(Key(folder / (name + L".spi"), L"PEN", L"PEN1PPI"), L"500");
            EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{name + L".spi"});
        } else {
            EXPECT_EQ(m_catcher.Messages(),
                      std::vector<std::wstring>{English(utils::OperatorText::SaveFolderTooLong,
                                                        std::to_wstring(utils::kMaxSaveFolderLength))});
            EXPECT_TRUE(FilesIn(folder).empty());
        }
    }
}

TEST_F(SaveAsDialogTest, AFailedCopyStillSavesTheSixKeys)
{
    m_source = (m_temp.Path() / L"Gone.spi").wstring();
    ASSERT_EQ(Save(L"Fresh"), IDOK);
    const fs::path file = Saved(L"Fresh");
    EXPECT_EQ(Key(file, L"PEN", L"PEN1SPEED"), L"123");
    EXPECT_EQ(Key(file, L"OPTION", L"MATERIAL"), L"Wood");
    EXPECT_EQ(Key(file, L"EXTRA", L"KEEP"), L"<missing>");
}

TEST_F(SaveAsDialogTest, AMissingFolderIsReportedAndTheDialogStaysOpen)
{
    m_folder = (m_temp.Path() / L"Gone" / L"Customize").wstring();
    EXPECT_EQ(Save(L"Lost"), IDCANCEL);
    EXPECT_EQ(m_catcher.Messages(),
              std::vector<std::wstring>{utils::MaterialNotSavedMessage(m_folder + L"\\Lost.spi")});
    EXPECT_FALSE(fs::exists(m_temp.Path() / L"Gone"));
}

TEST_F(SaveAsDialogTest, ATextureBeyondAsciiIsStoredInUtf16WithTheBaseKept)
{
    m_texture = L"Holz\x00E4\\\x6728\x6750";
    ASSERT_EQ(Save(L"\x6728"), IDOK);
    const fs::path file = Saved(L"\x6728");
    EXPECT_TRUE(FileStartsWithUtf16Mark(file));
    EXPECT_EQ(Key(file, L"OPTION", L"MATERIAL"), m_texture);
    EXPECT_EQ(Key(file, L"EXTRA", L"KEEP"), L"yes");
    EXPECT_EQ(Key(file, L"PEN", L"PEN2SPEED"), L"77");
    EXPECT_EQ(Key(file, L"PEN", L"PEN1SPEED"), L"123");
    EXPECT_FALSE(FileStartsWithUtf16Mark(Base()));

    // Without a base to copy the file is created in UTF-16 all the same.
    m_source = (m_temp.Path() / L"Gone.spi").wstring();
    ASSERT_EQ(Save(L"Fresh"), IDOK);
    EXPECT_TRUE(FileStartsWithUtf16Mark(Saved(L"Fresh")));
    EXPECT_EQ(Key(Saved(L"Fresh"), L"OPTION", L"MATERIAL"), m_texture);
}

} // namespace

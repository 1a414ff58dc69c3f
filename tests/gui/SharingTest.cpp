// Sharing custom materials through the real dialog: files checked before
// anything is written, imports that ask before replacing, and the summary
// the operator reads.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <map>

#include "tests/gui/PanelFixture.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MaterialDialogInspector.h"
#include "utils/MaterialName.h"
#include "utils/OperatorTexts.h"

using namespace testing_support;

namespace {

constexpr char kOak[] = "[OPTION]\r\nMARK_MODE=1\r\nRESOLUTION=500\r\nLAYER=7\r\n[PEN]\r\nPEN1SPEED=125\r\n"
                        "PEN1POWER=40\r\nPEN1PPI=300\r\n";
constexpr char kShared[] = "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=250\r\nMATERIAL=Glass\r\nHATCH=3\r\n[PEN]\r\n"
                           "PEN1SPEED=10\r\nPEN1PPI=100\r\nPEN1POWER=5\r\n";
constexpr char kMine[] = "[OPTION]\r\nMARK_MODE=3\r\nRESOLUTION=1000\r\nMATERIAL=Wood\r\n[PEN]\r\nPEN1SPEED=20\r\n"
                         "PEN1POWER=9\r\nPEN1PPI=400\r\n";

std::wstring Summary(int imported, const std::vector<std::pair<utils::OperatorText, std::wstring>>& refused = {})
{
    std::wstring text = English(utils::OperatorText::ImportedCount, std::to_wstring(imported));
    if (!refused.empty())
        text += L"\n\n" + English(utils::OperatorText::NotImportedHeader);
    for (const auto& [reason, file] : refused)
        text += L"\n" + English(reason, file);
    return text;
}

class SharingTest : public PanelFixture {
protected:
    // Two groups, the first with the category "Wood" (Oak) and the custom
    // material Mine;
    // material files to import in a folder of their own.
    void Prepare()
    {
        PrepareLibrary(L"VTX", {{L"1Laser", {L"Wood"}, {}}, {L"2Rotary", {L"Glass"}, {}}});
        WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", kOak);
        WriteMaterial(Custom(L"Mine"), kMine);
        WriteHandOff(L"VTX", L"English");
        OpenPrepared();
    }
    fs::path Custom(const std::wstring& name) const { return CustomizeFolder(1) / (name + L".spi"); }
    fs::path Outside(const std::wstring& file) const { return TempRoot() / L"Incoming" / file; }
    std::wstring Offer(const std::wstring& file, const std::string& text)
    {
        WriteMaterial(Outside(file), text);
        return Outside(file).wstring();
    }
    // The name by which the system also reaches `file`, less the extension.
    static std::wstring ShortStem(const fs::path& file)
    {
        wchar_t shortPath[MAX_PATH] = {};
        EXPECT_GT(::GetShortPathNameW(file.wstring().c_str(), shortPath, MAX_PATH), 0u);
        const std::wstring stem = fs::path(shortPath).stem().wstring();
        EXPECT_NE(stem, file.stem().wstring()) << "the file system reports no short name";
        return stem;
    }
};

// Every file below a folder with its bytes.
std::map<fs::path, std::string> Snapshot(const fs::path& folder)
{
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path()] = ReadFileBytes(entry.path());
    return files;
}

TEST_F(SharingTest, FilesThatFailTheCheckAreNamedWithTheirReasonAndNotImported)
{
    Prepare();
    const std::string noPpi = "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=250\r\n[PEN]\r\nPEN1SPEED=10\r\nPEN1POWER=5\r\n";
    const std::string slowPpi = "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=250\r\n[PEN]\r\nPEN1SPEED=10\r\n"
                                "PEN1POWER=5\r\nPEN1PPI=20\r\n";
    const std::string oddResolution = "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=251\r\n[PEN]\r\nPEN1SPEED=10\r\n"
                                      "PEN1POWER=5\r\nPEN1PPI=200\r\n";
    // The panel would read 12; the checker calls it no whole number, and so
    // does the import.
    const std::string halfSpeed = "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=250\r\n[PEN]\r\nPEN1SPEED=12.5\r\n"
                                  "PEN1POWER=5\r\nPEN1PPI=200\r\n";
    const struct {
        std::wstring file;
        std::string text;
        utils::OperatorText reason;
    } kRefused[] = {
        {L"Glass.VX", kShared, utils::OperatorText::WrongExtension},
        {L"notes.txt", "hello", utils::OperatorText::WrongExtension},
        {L"NoPpi.spi", noPpi, utils::OperatorText::NotMaterialFile},
        {L"SlowPpi.spi", slowPpi, utils::OperatorText::NotMaterialFile},
        {L"Odd.spi", oddResolution, utils::OperatorText::NotMaterialFile},
        {L"Half.spi", halfSpeed, utils::OperatorText::NotMaterialFile},
        {L"Trailing .spi", kShared, utils::OperatorText::NameRefused},
        {L"..spi", kShared, utils::OperatorText::NameRefused},
    };
    StringList files;
    std::vector<std::pair<utils::OperatorText, std::wstring>> expected;
    for (const auto& refused : kRefused) {
        files.push_back(Offer(refused.file, refused.text));
        expected.emplace_back(refused.reason, refused.file);
    }
    files.push_back(Offer(L"Glass.spi", kShared));

    Dialog().ImportMaterials(files);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{Summary(1, expected)});
    EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Glass.spi", L"Mine.spi"}));
    // Taken over whole, unknown keys and all, and shown selected in the
    // "Customize" view.
    EXPECT_EQ(ReadFileBytes(Custom(L"Glass")), kShared);
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Glass"});
    EXPECT_GE(ItemIndex(L"Mine"), 0);
}

TEST_F(SharingTest, AFileWithoutTextureGetsTheOneSaveAsWouldGive)
{
    Prepare();
    ChooseSlot(0);
    ClickItem(L"Oak");
    Dialog().ImportMaterials({Offer(L"Plank.spi", kOak)});
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{Summary(1)});
    EXPECT_EQ(ReadProfile(Custom(L"Plank"), L"OPTION", L"MATERIAL"), L"Wood");
    EXPECT_EQ(ReadProfile(Custom(L"Plank"), L"OPTION", L"LAYER"), L"7");
    EXPECT_EQ(ReadProfile(Custom(L"Plank"), L"PEN", L"PEN1SPEED"), L"125");
}

// Each file is written beside its material first, as Save as writes: a
// "Customize" folder that leaves that temporary file no room takes no file,
// and the summary says why.
TEST_F(SharingTest, AnImportWorksUpToTheFoldersLimitAndIsRefusedBeyondIt)
{
    for (std::size_t length : {246, 247, 248, 258}) {
        SCOPED_TRACE(length);
        // The group's name makes its "Customize" folder `length` characters long.
        const std::size_t around = (LibraryRoot() / L"parameter_VortanXL" / L"1" / L"Customize").wstring().size();
        PrepareLibrary(L"VTX", {{L"1" + std::wstring(length - around, L'g'), {L"Wood"}, {}}});
        ASSERT_EQ(CustomizeFolder(1).wstring().size(), length);
        OpenPrepared();
        Dialog().ImportMaterials({Offer(L"Glass.spi", kShared)});
        if (length <= utils::kMaxSaveFolderLength) {
            EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{Summary(1)});
            EXPECT_EQ(ReadFileBytes(CustomizeFolder(1) / L"Glass.spi"), kShared);
            EXPECT_EQ(FilesIn(CustomizeFolder(1)), std::vector<std::wstring>{L"Glass.spi"});
        } else {
            EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{Summary(
                                                0, {{utils::OperatorText::ImportFolderTooLong, L"Glass.spi"}})});
            EXPECT_TRUE(FilesIn(CustomizeFolder(1)).empty());
        }
        Close();
        fs::remove_all(GroupFolder(1));
    }
}

TEST_F(SharingTest, ReplacingIsAskedForEachOrOnceForAll)
{
    const std::wstring replace = English(utils::OperatorText::ReplaceQuestion, L"Mine");
    const std::wstring same = English(utils::OperatorText::SameForOthers);
    const struct {
        const char* what;
        std::vector<int> answers;
        std::vector<std::wstring> questions;
        bool mineReplaced;
        bool glassReplaced;
    } kCases[] = {
        {"Enter keeps both",
         {ModalCatcher::kPressEnter, IDNO, ModalCatcher::kPressEnter},
         {replace, same, English(utils::OperatorText::ReplaceQuestion, L"Glass")},
         false,
         false},
        {"yes to one, no to the other",
         {IDYES, IDNO, IDNO},
         {replace, same, English(utils::OperatorText::ReplaceQuestion, L"Glass")},
         true,
         false},
        {"yes to all", {IDYES, IDYES}, {replace, same}, true, true},
        {"no to all", {IDNO, IDYES}, {replace, same}, false, false},
    };
    for (const auto& test : kCases) {
        SCOPED_TRACE(test.what);
        Prepare();
        WriteMaterial(Custom(L"Glass"), kMine);
        fs::remove(Custom(L"New"));
        m_catcher.Clear();
        m_catcher.Answer(test.answers);
        Dialog().ImportMaterials(
            {Offer(L"Mine.spi", kShared), Offer(L"Glass.spi", kShared), Offer(L"New.spi", kShared)});
        std::vector<std::wstring> messages = test.questions;
        messages.push_back(Summary(1 + (test.mineReplaced ? 1 : 0) + (test.glassReplaced ? 1 : 0)));
        EXPECT_EQ(m_catcher.Messages(), messages);
        EXPECT_EQ(ReadFileBytes(Custom(L"Mine")), test.mineReplaced ? kShared : kMine);
        EXPECT_EQ(ReadFileBytes(Custom(L"Glass")), test.glassReplaced ? kShared : kMine);
        EXPECT_EQ(ReadFileBytes(Custom(L"New")), kShared);
        EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Glass.spi", L"Mine.spi", L"New.spi"}));
        Close();
    }
}

// Files dropped on the dialog, as the shell hands them over: one block of
// wide paths, each ended by a null and the list by one more.
void DropFiles(HWND window, const std::vector<fs::path>& paths)
{
    std::wstring list;
    for (const fs::path& path : paths)
        list += path.wstring() + L'\0';
    list += L'\0';
    HGLOBAL block = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    ASSERT_NE(block, nullptr);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(block);
    ASSERT_TRUE(::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0));
    PumpMessages();
}

TEST_F(SharingTest, DroppedFilesAndAnExportedFolderAreImported)
{
    Prepare();
    // Beside two loose files, an export: <chosen>\<parameter folder>\<group folder>.
    const fs::path exported = TempRoot() / L"Export";
    WriteMaterial(exported / ParamFolder().filename() / L"2Rotary" / L"Bowl.spi", kMine);
    WriteMaterial(exported / ParamFolder().filename() / L"9Unknown" / L"Lost.spi", kMine);
    Offer(L"Glass.spi", kShared);
    Offer(L"Plank.spi", kOak);
    DropFiles(Dialog().Hwnd(), {Outside(L"Glass.spi"), Outside(L"Plank.spi"), exported});
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{Summary(4)});
    // The export's group folder names the group; one this library lacks
    // leaves its files to the current group.
    EXPECT_EQ(FilesIn(CustomizeFolder(1)),
              (std::vector<std::wstring>{L"Glass.spi", L"Lost.spi", L"Mine.spi", L"Plank.spi"}));
    EXPECT_EQ(FilesIn(CustomizeFolder(2)), std::vector<std::wstring>{L"Bowl.spi"});
    EXPECT_EQ(ReadFileBytes(CustomizeFolder(2) / L"Bowl.spi"), kMine);
    EXPECT_EQ(ReadFileBytes(Custom(L"Glass")), kShared);
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Lost"});
}

TEST_F(SharingTest, AnExportImportedIntoAFreshLibraryGivesTheSameFiles)
{
    Prepare();
    WriteMaterial(Custom(L"Glass"), kShared);
    WriteMaterial(CustomizeFolder(2) / L"Bowl.spi", kMine);
    const fs::path chosen = TempRoot() / L"Chosen";
    fs::create_directories(chosen);
    const fs::path exported = chosen / ParamFolder().filename();
    const auto english = [](utils::OperatorText which, const std::wstring& value) { return English(which, value); };
    // A file already in the export is kept unless the operator says Yes.
    WriteMaterial(exported / L"1Laser" / L"Glass.spi", kMine);
    m_catcher.Answer({IDNO});
    Dialog().ExportMaterials(chosen.wstring());
    EXPECT_EQ(m_catcher.Messages(),
              (std::vector<std::wstring>{english(utils::OperatorText::ReplaceQuestion, L"Glass"),
                                         english(utils::OperatorText::ExportedCount, L"2") + L"\n" +
                                             english(utils::OperatorText::ExportedWhere, exported.wstring())}));
    EXPECT_EQ(ReadFileBytes(exported / L"1Laser" / L"Glass.spi"), kMine);
    m_catcher.Clear();
    m_catcher.Answer({IDYES});
    Dialog().ExportMaterials(chosen.wstring());
    EXPECT_EQ(m_catcher.Messages().size(), 3u); // the question, Yes for the others, the summary
    EXPECT_EQ(FilesIn(exported / L"1Laser"), (std::vector<std::wstring>{L"Glass.spi", L"Mine.spi"}));
    EXPECT_EQ(FilesIn(exported / L"2Rotary"), std::vector<std::wstring>{L"Bowl.spi"});

    // A fresh library: no custom materials, then the export dropped back.
    std::map<fs::path, std::string> before;
    for (const fs::path& file : {Custom(L"Glass"), Custom(L"Mine"), CustomizeFolder(2) / L"Bowl.spi"}) {
        before[file] = ReadFileBytes(file);
        fs::remove(file);
    }
    m_catcher.Clear();
    DropFiles(Dialog().Hwnd(), {chosen});
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{Summary(3)});
    for (const auto& [file, bytes] : before)
        EXPECT_EQ(ReadFileBytes(file), bytes) << file;
}

TEST_F(SharingTest, TheContextMenuImportsThroughTheOpenDialog)
{
    Prepare();
    ShowFolder(1, kCustomize);
    const std::wstring glass = Offer(L"Glass.spi", kShared);
    // The open dialog gets the file's full path typed in and is confirmed.
    bool asked = false;
    m_catcher.OnDialog([&](HWND dialog) {
        asked = true;
        ::SetDlgItemTextW(dialog, 0x47c, glass.c_str()); // the name box
        ::SetDlgItemTextW(dialog, 0x480, glass.c_str());
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    // Off the items the menu offers only the import.
    HWND list = Item(IDC_MATERIAL_LIST);
    for (const WPARAM key : {WPARAM{VK_DOWN}, WPARAM{VK_RETURN}})
        ::PostMessageW(list, WM_KEYDOWN, key, 0);
    ::SendMessageW(Dialog().Hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    EXPECT_TRUE(asked);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{Summary(1)});
    EXPECT_EQ(ReadFileBytes(Custom(L"Glass")), kShared);
    EXPECT_EQ(SelectedItems(), std::vector<std::wstring>{L"Glass"});
}

// A name that reaches another file, or a material that is read-only, is
// refused before any question, and nothing there changes.
TEST_F(SharingTest, AnImportNeverReplacesThroughAnotherNameNorAReadOnlyMaterial)
{
    Prepare();
    WriteMaterial(Custom(L"Oak planks long"), kMine);
    const std::wstring alias = ShortStem(Custom(L"Oak planks long")) + L".spi";
    ASSERT_TRUE(::SetFileAttributesW(Custom(L"Mine").wstring().c_str(), FILE_ATTRIBUTE_READONLY));
    Dialog().ImportMaterials({Offer(alias, kShared), Offer(L"Mine.spi", kShared)});
    ::SetFileAttributesW(Custom(L"Mine").wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(m_catcher.Messages(),
              std::vector<std::wstring>{Summary(0, {{utils::OperatorText::OtherFileName, alias},
                                                    {utils::OperatorText::ReadOnlyTarget, L"Mine.spi"}})});
    EXPECT_EQ(ReadFileBytes(Custom(L"Oak planks long")), kMine);
    EXPECT_EQ(ReadFileBytes(Custom(L"Mine")), kMine);
    EXPECT_EQ(FilesIn(CustomizeFolder(1)), (std::vector<std::wstring>{L"Mine.spi", L"Oak planks long.spi"}));
}

TEST_F(SharingTest, AnExportNeverReplacesThroughAnotherNameNorAReadOnlyFile)
{
    Prepare();
    const fs::path chosen = TempRoot() / L"Chosen";
    const fs::path folder = chosen / ParamFolder().filename() / L"1Laser";
    WriteMaterial(folder / L"Oak planks long.spi", kOak);
    WriteMaterial(folder / L"Mine.spi", kOak);
    const std::wstring alias = ShortStem(folder / L"Oak planks long.spi") + L".spi";
    WriteMaterial(CustomizeFolder(1) / alias, kShared);
    WriteMaterial(Custom(L"Glass"), kShared);
    ASSERT_TRUE(::SetFileAttributesW((folder / L"Mine.spi").wstring().c_str(), FILE_ATTRIBUTE_READONLY));
    Dialog().ExportMaterials(chosen.wstring());
    ::SetFileAttributesW((folder / L"Mine.spi").wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    // No question: the summary alone, naming both refusals.
    ASSERT_EQ(m_catcher.Messages().size(), 1u);
    const std::wstring& summary = m_catcher.Messages()[0];
    EXPECT_EQ(summary.find(English(utils::OperatorText::ExportedCount, L"1")), 0u) << summary;
    for (const std::wstring& line : {English(utils::OperatorText::OtherFileName, alias),
                                     English(utils::OperatorText::ReadOnlyTarget, L"Mine.spi")})
        EXPECT_NE(summary.find(L"\n" + line), std::wstring::npos) << summary;
    EXPECT_EQ(ReadFileBytes(folder / L"Oak planks long.spi"), kOak);
    EXPECT_EQ(ReadFileBytes(folder / L"Mine.spi"), kOak);
    EXPECT_EQ(ReadFileBytes(folder / L"Glass.spi"), kShared);
    EXPECT_EQ(FilesIn(folder), (std::vector<std::wstring>{L"Glass.spi", L"Mine.spi", L"Oak planks long.spi"}));
}

// The library and the data folder are no place for an export, however the
// folder is spelled: nothing is written and the operator is told why.
TEST_F(SharingTest, AnExportIntoTheLibraryOrTheDataFolderIsRefused)
{
    Prepare();
    WriteMaterial(Custom(L"Glass"), kShared);
    fs::create_directories(DataFolder() / L"Sub");
    std::wstring upper = LibraryRoot().wstring();
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    const std::wstring library = English(utils::OperatorText::ExportIntoLibrary, LibraryRoot().wstring() + L"\\");
    const std::wstring data = English(utils::OperatorText::ExportIntoDataFolder, DataFolder().wstring() + L"\\");
    const struct {
        std::wstring destination;
        const std::wstring& message;
    } kRefused[] = {
        {LibraryRoot().wstring(), library},
        {LibraryRoot().wstring() + L"\\", library},
        {upper, library},
        {ParamFolder().wstring(), library},
        {CustomizeFolder(1).wstring(), library},
        {(ParamFolder().parent_path() / ShortStem(ParamFolder())).wstring(), library},
        {(TempRoot() / L"Elsewhere" / L".." / L"ZOR" / L"." / L"").wstring(), library},
        {DataFolder().wstring(), data},
        {(DataFolder() / L"Sub").wstring(), data},
    };
    const std::map<fs::path, std::string> before = Snapshot(TempRoot());
    for (const auto& refused : kRefused) {
        SCOPED_TRACE(testing::PrintToString(refused.destination));
        m_catcher.Clear();
        Dialog().ExportMaterials(refused.destination);
        EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{refused.message});
        EXPECT_EQ(Snapshot(TempRoot()), before);
    }
    // A neighbour whose name only begins like the library's is no part of it.
    m_catcher.Clear();
    Dialog().ExportMaterials((TempRoot() / L"ZORRO").wstring());
    ASSERT_EQ(m_catcher.Messages().size(), 1u);
    EXPECT_EQ(m_catcher.Messages()[0].find(English(utils::OperatorText::ExportedCount, L"2")), 0u);
    EXPECT_EQ(FilesIn(TempRoot() / L"ZORRO" / ParamFolder().filename() / L"1Laser"),
              (std::vector<std::wstring>{L"Glass.spi", L"Mine.spi"}));
}

// An import or a drop that replaces the material in the panel shows what the
// file now holds, texture included, as the baseline Accept hands over; one
// that replaces another material leaves the panel and its changes alone.
TEST_F(SharingTest, ReplacingTheLoadedMaterialShowsWhatItsFileNowHolds)
{
    const struct {
        const wchar_t* file;
        bool dropped;
        bool replacesLoaded;
    } kCases[] = {
        {L"Mine.spi", false, true},
        {L"MINE.spi", true, true},
        {L"Glass.spi", false, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
        Prepare();
        WriteMaterial(Custom(L"Glass"), kMine);
        ShowFolder(1, kCustomize);
        ClickItem(L"Mine");
        ASSERT_EQ(ItemText(IDC_POWER), L"9");
        SetText(IDC_SPEED, L"3"); // changed, not saved
        m_catcher.Answer({IDYES});
        const std::wstring offered = Offer(c.file, kShared);
        if (c.dropped)
            DropFiles(Dialog().Hwnd(), {offered});
        else
            Dialog().ImportMaterials({offered});
        EXPECT_EQ(m_catcher.Messages().back(), Summary(1));
        const MaterialDialogInspector dialog = Inspect(Dialog());
        if (!c.replacesLoaded) {
            EXPECT_EQ(ItemText(IDC_SPEED), L"3");
            EXPECT_EQ(dialog.m_bParamsUnchanged, 0);
            Close();
            continue;
        }
        const std::vector<std::wstring> shown = {ItemText(IDC_MARK_MODE), ItemText(IDC_SPEED), ItemText(IDC_POWER),
                                                 ItemText(IDC_PPI), ItemText(IDC_RESOLUTION)};
        EXPECT_EQ(shown, (std::vector<std::wstring>{L"MCF", L"1", L"5", L"100", L"250"}));
        EXPECT_EQ(dialog.m_bMaterialShown, 1);
        EXPECT_EQ(dialog.m_bParamsUnchanged, 1);
        EXPECT_EQ(dialog.m_changedParams, 0u);
        ReleaseOver(MaterialDialog::kAcceptArea);
        EXPECT_EQ(ReadProfile(HandOffOutput(), L"Path", L"Path"), Custom(L"Mine").wstring());
        EXPECT_EQ(ReadProfile(HandOffOutput(), L"Texture", L"Name"), L"Glass");
        Close();
    }
}

} // namespace

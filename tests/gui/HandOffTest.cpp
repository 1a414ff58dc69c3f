// The data folder and the driver's hand-off input: model, parameter folder,
// language, and the messages shown for what is not recognised.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "environment/DataFolder.h"
#include "resources/resource.h"
#include "tests/gui/LibraryTree.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;
using Texts = std::vector<std::wstring>;

namespace {

const std::wstring kOldDataFolder = L"C:\\Documents and Settings\\All Users\\ZOR\\Engravix\\";
const std::wstring kNewDataFolder = L"C:\\Users\\Public\\ZOR\\Engravix\\";

class HandOffTest : public DialogFixture {
protected:
    std::wstring Root() const { return LibraryRoot().wstring() + L"\\"; }
    const Texts& Messages() const { return m_catcher.Messages(); }
    void WriteEnglish() { WriteLanguageFile(L"[AP_English]\r\n1000=Hello\r\n"); }
};

// Makes a folder the current folder for as long as it lives.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder)
    {
        ::GetCurrentDirectoryW(MAX_PATH, m_previous);
        ::SetCurrentDirectoryW(folder.wstring().c_str());
    }
    ~CurrentFolder() { ::SetCurrentDirectoryW(m_previous); }

private:
    wchar_t m_previous[MAX_PATH] = {};
};

} // namespace

TEST_F(HandOffTest, MissingFileStartsAsR250WithoutALanguage)
{
    library_tree::Make(LibraryRoot(), {L"parameter_R250\\1_Engrave\\Wood"});
    MaterialDialog& dialog = Open();
    EXPECT_EQ(Inspect(dialog).m_strModel, L"R250");
    EXPECT_EQ(Inspect(dialog).m_strParamFolder, Root() + L"parameter_R250");
    EXPECT_EQ(Messages(), Texts{L"Language Name Error"});
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 3);
    EXPECT_EQ(Inspect(dialog).m_panelLabels, Texts(13, L"N/A"));
}

TEST_F(HandOffTest, EachKnownModelFindsItsOwnFolder)
{
    const struct {
        const wchar_t* model;
        const wchar_t* folder;
        bool r250;
    } cases[] = {
        {L"R250", L"parameter_R250", true},
        {L"VTX", L"parameter_VortanXL", false},
        {L"Vortan", L"parameter_Vortan", false},
        {L"VTE", L"parameter_VTE", false},
    };
    library_tree::Make(LibraryRoot(), {L"parameter_R250\\1_A\\X", L"parameter_VortanXL\\1_A\\X",
                                       L"parameter_Vortan\\1_A\\X", L"parameter_VTE\\1_A\\X"});
    WriteEnglish();
    for (const auto& c : cases) {
        WriteHandOff(c.model, L"English");
        m_catcher.Clear();
        MaterialDialog& dialog = Open();
        EXPECT_EQ(Inspect(dialog).m_strModel, c.model);
        EXPECT_EQ(dialog.IsR250(), c.r250) << c.model;
        EXPECT_EQ(Inspect(dialog).m_strParamFolder, Root() + c.folder);
        EXPECT_TRUE(Messages().empty()) << c.model;
        EXPECT_EQ(Inspect(dialog).m_groupPaths, Texts{Root() + c.folder + L"\\1_A"});
    }
}

TEST_F(HandOffTest, LowerCaseR250IsAnUnknownModelAndNothingIsScanned)
{
    library_tree::Make(LibraryRoot(), {L"parameter_R250\\1_Engrave\\Wood\\Oak.VX"});
    WriteHandOff(L"r250", L"English");
    WriteEnglish();
    const auto before = library_tree::Snapshot(LibraryRoot());
    MaterialDialog& dialog = Open();
    EXPECT_EQ(Messages(), (Texts{L"Machine model Error", L"Material model Error 101"}));
    EXPECT_EQ(Inspect(dialog).m_strModel, L"r250");
    EXPECT_FALSE(dialog.IsR250());
    EXPECT_EQ(Inspect(dialog).m_strParamFolder, L"");
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 0);
    EXPECT_TRUE(Inspect(dialog).m_groupPaths.empty());
    EXPECT_EQ(Inspect(dialog).m_categoryCount[0], 0);
    EXPECT_EQ(library_tree::Snapshot(LibraryRoot()), before);
    // The other models' key set was read.
    EXPECT_EQ(Inspect(dialog).m_groupNames.size(), 1u);
    EXPECT_EQ(Inspect(dialog).m_categoryNames.size(), 9u);
}

TEST_F(HandOffTest, UnknownModelCreatesNothingInTheCurrentFolder)
{
    // Where a bare folder name would lead: a look-alike library in the
    // current folder, and a digit-named folder in it.
    const std::filesystem::path current = TempRoot() / L"Current";
    library_tree::Make(current, {L"parameter_R250\\1_Trap\\Wood\\Oak.VX", L"2_Trap\\Wood"});
    library_tree::Make(LibraryRoot(), {L"parameter_R250\\1_Engrave\\Wood\\Oak.VX"});
    const auto currentBefore = library_tree::Snapshot(current);
    const auto libraryBefore = library_tree::Snapshot(LibraryRoot());
    WriteEnglish();
    CurrentFolder inCurrent(current);

    // First start: the parameter folder is empty.
    WriteHandOff(L"Laser9000", L"English");
    MaterialDialog& dialog = Open();
    EXPECT_EQ(Messages(), (Texts{L"Machine model Error", L"Material model Error 101"}));
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 0);

    // A library root without the model's folder leaves the bare name.
    std::filesystem::rename(LibraryRoot() / L"parameter_R250", LibraryRoot() / L"parameter_R250_old");
    WriteHandOff(L"R250", L"English");
    m_catcher.Clear();
    dialog.LoadDriverHandOff();
    EXPECT_EQ(Messages(), Texts{L"Material model Error 101"});
    EXPECT_EQ(Inspect(dialog).m_strParamFolder, L"parameter_R250");
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 0);
    EXPECT_TRUE(Inspect(dialog).m_customizeEntries.empty());

    EXPECT_EQ(library_tree::Snapshot(current), currentBefore);
    std::filesystem::rename(LibraryRoot() / L"parameter_R250_old", LibraryRoot() / L"parameter_R250");
    EXPECT_EQ(library_tree::Snapshot(LibraryRoot()), libraryBefore);
}

TEST_F(HandOffTest, RerunWithAnUnknownModelKeepsTheOldPathButForgetsTheLibrary)
{
    library_tree::Make(LibraryRoot(), {L"parameter_R250\\1_Engrave\\Wood\\Oak.VX"});
    WriteHandOff(L"R250", L"English");
    WriteEnglish();
    MaterialDialog& dialog = Open();
    ASSERT_EQ(Inspect(dialog).m_groupEntryCount, 3);
    ASSERT_EQ(Inspect(dialog).m_categoryCount[0], 2);

    WriteHandOff(L"Gone", L"English");
    m_catcher.Clear();
    dialog.LoadDriverHandOff();
    EXPECT_EQ(Messages(), (Texts{L"Machine model Error", L"Material model Error 101"}));
    EXPECT_EQ(Inspect(dialog).m_strModel, L"Gone");
    EXPECT_EQ(Inspect(dialog).m_strParamFolder, Root() + L"parameter_R250");
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 0);
    EXPECT_TRUE(Inspect(dialog).m_groupPaths.empty());
    EXPECT_TRUE(Inspect(dialog).m_categoryPaths.empty());
    EXPECT_TRUE(Inspect(dialog).m_materialEntries.empty());
    EXPECT_TRUE(Inspect(dialog).m_customizeEntries.empty());
    EXPECT_EQ(Inspect(dialog).m_categoryCount[0], 0);
    EXPECT_EQ(Inspect(dialog).m_categoryEnd[0], 0);
    EXPECT_EQ(Inspect(dialog).m_customizeEnd[2], 0);
}

TEST_F(HandOffTest, ValuesAreCutTo99Characters)
{
    const std::wstring model = L"VTE" + std::wstring(117, L'x');
    const std::wstring language = L"English" + std::wstring(113, L'y');
    ASSERT_EQ(model.size(), 120u);
    WriteHandOff(model, language);
    WriteLanguageFile(L"[AP_" + language.substr(0, 99) + L"]\r\n1000=Cut\r\n");
    library_tree::Make(LibraryRoot(), {L"parameter_VTE\\1_A\\X"});
    MaterialDialog& dialog = Open();
    EXPECT_EQ(Inspect(dialog).m_strModel, model.substr(0, 99));
    EXPECT_EQ(Messages(), (Texts{L"Machine model Error", L"Material model Error 101", L"Language Name Error"}));
    EXPECT_EQ(Inspect(dialog).m_panelLabels.at(0), L"Cut");
}

TEST_F(HandOffTest, ParameterFolderOnlyInUpperCaseIsNotFound)
{
    library_tree::Make(LibraryRoot(), {L"PARAMETER_R250\\1_A\\Wood"});
    WriteHandOff(L"R250", L"English");
    WriteEnglish();
    const auto before = library_tree::Snapshot(LibraryRoot());
    MaterialDialog& dialog = Open();
    EXPECT_EQ(Messages(), Texts{L"Material model Error 101"});
    EXPECT_EQ(Inspect(dialog).m_strParamFolder, L"parameter_R250");
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 0);
    EXPECT_EQ(library_tree::Snapshot(LibraryRoot()), before);
}

TEST_F(HandOffTest, FileNamedLikeTheParameterFolderSatisfiesTheSearch)
{
    WriteFile(LibraryRoot() / L"parameter_R250", "not a folder");
    WriteHandOff(L"R250", L"English");
    WriteEnglish();
    MaterialDialog& dialog = Open();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Inspect(dialog).m_strParamFolder, Root() + L"parameter_R250");
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 0); // a file cannot be listed
}

TEST_F(HandOffTest, MissingLibraryRootShowsNothing)
{
    WriteHandOff(L"R250", L"English");
    WriteEnglish();
    MaterialDialog& dialog = Open();
    dialog.SetLibraryRoot((TempRoot() / L"NoSuchRoot").wstring() + L"\\");
    m_catcher.Clear();
    dialog.LoadDriverHandOff();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Inspect(dialog).m_strParamFolder, L"parameter_R250");
    EXPECT_EQ(Inspect(dialog).m_groupEntryCount, 0);
}

TEST_F(HandOffTest, LanguageNames)
{
    // The profile reader finds sections whatever their letter case.
    WriteLanguageFile(L"[AP_English]\r\n1000=Hello\r\n[AP_German]\r\n1001=Gruppe\r\n");
    library_tree::Make(LibraryRoot(), {L"parameter_R250\\1_A\\X"});
    const struct {
        const wchar_t* handOff; // nullptr: no "Lang" key
        bool accepted;
        const wchar_t* label;
    } cases[] = {
        {L"English", true, L"Hello"},  {L"ENGLISH", true, L"Hello"},
        {L"english", false, L"Hello"}, // refused, but its section still loads
        {L"German", true, L"N/A"},     // accepted, no such key in its section
        {L"Klingon", false, L"N/A"},   {nullptr, false, L"N/A"},
    };
    for (const auto& c : cases) {
        if (c.handOff)
            WriteHandOff(L"R250", c.handOff);
        else
            WriteUtf16File(DataFolder() / L"~Drv2Ma.dat", L"[MachInfo]\r\nDevice=R250\r\n");
        m_catcher.Clear();
        MaterialDialog& dialog = Open();
        const std::wstring name = c.handOff ? c.handOff : L"(none)";
        EXPECT_EQ(Messages(), c.accepted ? Texts{} : Texts{L"Language Name Error"}) << name;
        EXPECT_EQ(Inspect(dialog).m_panelLabels.at(0), c.label) << name;
        EXPECT_EQ(Inspect(dialog).m_strModel, L"R250");
    }
}

TEST_F(HandOffTest, AllThreeMessagesInOrderAndTheDialogStillOpens)
{
    library_tree::Make(LibraryRoot(), {L"parameter_R250\\1_A\\X"});
    WriteHandOff(L"Laser9000", L"Klingon");
    MaterialDialog& dialog = Open();
    EXPECT_EQ(Messages(), (Texts{L"Machine model Error", L"Material model Error 101", L"Language Name Error"}));
    EXPECT_TRUE(::IsWindow(dialog.Hwnd()));
    EXPECT_EQ(ItemText(IDC_GROUP1), L"N/A");
}

// ---- The library root an integrator names in the registry

TEST(LibraryRootSetting, SixtyFourBitViewFirstThenThirtyTwoWithVariablesExpanded)
{
    TempFolder temp;
    ::SetEnvironmentVariableW(L"MM_TEST_SHOP", temp.Path().c_str());
    const std::wstring shop = temp.Path().wstring();
    const struct {
        const wchar_t* what;
        const wchar_t* native; // nullptr: no value in the 64-bit view
        const wchar_t* wow;    // nullptr: none in the 32-bit view
        DWORD type;
        std::wstring root; // empty: the default, not configured
    } cases[] = {
        {L"none", nullptr, nullptr, REG_SZ, L""},
        {L"64-bit only", L"D:\\Shop", nullptr, REG_SZ, L"D:\\Shop\\"},
        {L"32-bit installer", nullptr, L"\\\\server\\share\\ZOR", REG_SZ, L"\\\\server\\share\\ZOR\\"},
        {L"both: 64 wins", L"D:\\A\\", L"E:\\B", REG_SZ, L"D:\\A\\"},
        {L"64 empty: default", L"", L"E:\\B", REG_SZ, L""},
        {L"expand string", L"%MM_TEST_SHOP%\\ZOR", nullptr, REG_EXPAND_SZ, shop + L"\\ZOR\\"},
        {L"plain string expanded too", nullptr, L"%MM_TEST_SHOP%\\ZOR", REG_SZ, shop + L"\\ZOR\\"},
        {L"unknown variable kept", L"%MM_NO_SUCH%\\ZOR", nullptr, REG_EXPAND_SZ, L"%MM_NO_SUCH%\\ZOR\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.what)));
        std::optional<LibraryRootValue> native;
        std::optional<LibraryRootValue> wow;
        if (c.native)
            native.emplace(KEY_WOW64_64KEY, c.native, c.type);
        if (c.wow)
            wow.emplace(KEY_WOW64_32KEY, c.wow, c.type);
        const LibraryRootSetting setting = SystemLibraryRoot();
        EXPECT_EQ(setting.root, c.root.empty() ? std::wstring(utils::kLibraryRoot) : c.root);
        EXPECT_EQ(setting.configured, !c.root.empty());
    }
    ::SetEnvironmentVariableW(L"MM_TEST_SHOP", nullptr);
}

// A dialog left with the system's root reads the integrator's folder; one
// that cannot be reached is named once, and the window opens empty, as
// without a model folder. Only the default root stays silent.
TEST_F(HandOffTest, TheRegistryRootIsUsedAndAnUnreachableOneIsNamedOnce)
{
    library_tree::Make(LibraryRoot(), {L"parameter_R250\\1_Engrave\\Wood\\Oak.VX"});
    WriteHandOff(L"R250", L"English");
    WriteEnglish();
    UseSystemLibraryRoot();
    const std::wstring unplugged = (TempRoot() / L"Unplugged" / L"ZOR").wstring() + L"\\";
    const struct {
        std::wstring value;
        Texts messages;
        int groupEntries;
    } cases[] = {
        {LibraryRoot().wstring(), {}, 3},
        {unplugged, {English(utils::OperatorText::LibraryRootUnreachable, unplugged)}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.value));
        const LibraryRootValue value(KEY_WOW64_64KEY, c.value);
        m_catcher.Clear();
        MaterialDialog& dialog = Open();
        EXPECT_EQ(Messages(), c.messages);
        EXPECT_EQ(Inspect(dialog).m_groupEntryCount, c.groupEntries);
    }
}

// ---- Data folder

namespace {

std::optional<std::wstring> WineVersionSetting(const std::wstring& key)
{
    wchar_t value[64] = {};
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

std::wstring ExecutablePath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring AppDefaultsKey()
{
    return L"Software\\Wine\\AppDefaults\\" + std::filesystem::path(ExecutablePath()).filename().wstring();
}

// Sets the Windows version that Wine reports to new processes of this
// program, and takes the setting away again.
class VersionSetting {
public:
    explicit VersionSetting(const std::wstring& version)
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, AppDefaultsKey().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &m_key,
                          nullptr);
        ::RegSetValueExW(m_key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                         static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
    }
    ~VersionSetting()
    {
        ::RegDeleteValueW(m_key, L"Version");
        ::RegCloseKey(m_key);
    }
    VersionSetting(const VersionSetting&) = delete;
    VersionSetting& operator=(const VersionSetting&) = delete;

private:
    HKEY m_key = nullptr;
};

// Runs DataFolderProbe in a new process of this program; its report is
// "major.minor" and the data folder on two lines.
std::string RunProbe(const std::filesystem::path& report)
{
    ::SetEnvironmentVariableW(L"MM_DATA_FOLDER_PROBE", report.wstring().c_str());
    std::wstring command = L"\"" + ExecutablePath() + L"\" --gtest_filter=DataFolderProbe.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                          nullptr, &startup, &process);
    ::SetEnvironmentVariableW(L"MM_DATA_FOLDER_PROBE", nullptr);
    if (!started)
        return "not started";
    ::WaitForSingleObject(process.hProcess, 60000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return ReadFileBytes(report);
}

} // namespace

TEST(DataFolder, WineReportsVersion61UnlessThePrefixSaysOtherwise)
{
    if (WineVersionSetting(L"Software\\Wine") || WineVersionSetting(AppDefaultsKey()))
        GTEST_SKIP() << "this prefix sets a Windows version of its own";
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ASSERT_TRUE(::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)));
    EXPECT_EQ(version.dwMajorVersion, 6u);
    EXPECT_EQ(version.dwMinorVersion, 1u);

    MaterialDialog dialog;
    dialog.SelectDataFolder();
    EXPECT_EQ(Inspect(dialog).m_strDataFolder, kNewDataFolder);
}

TEST(DataFolder, FollowsTheVersionThePrefixSets)
{
    const struct {
        const wchar_t* setting;
        const char* version;
        const std::wstring& folder;
    } cases[] = {
        {L"win2k", "5.0", kOldDataFolder},
        {L"winxp", "5.1", kOldDataFolder}, // set in the registry; winecfg offers only winxp64 to 64-bit prefixes
        {L"winxp64", "5.2", kNewDataFolder},
        {L"win10", "10.0", kNewDataFolder}, // the manifest declares Windows 10 (else 6.2 would be reported)
    };
    TempFolder temp;
    int run = 0;
    for (const auto& c : cases) {
        VersionSetting setting(c.setting);
        const std::filesystem::path report = temp.Path() / (L"report" + std::to_wstring(run++) + L".txt");
        const std::string text = RunProbe(report);
        std::string folder;
        for (wchar_t ch : c.folder)
            folder.push_back(static_cast<char>(ch));
        EXPECT_EQ(text, std::string(c.version) + "\n" + folder) << testing::PrintToString(std::wstring(c.setting));
    }
    // This process keeps the version it started with.
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version));
    MaterialDialog dialog;
    dialog.SelectDataFolder();
    EXPECT_EQ(Inspect(dialog).m_strDataFolder, version.dwMajorVersion >= 6 ? kNewDataFolder : kOldDataFolder);
}

TEST(DataFolderProbe, ReportsThisProcessVersionAndDataFolder)
{
    const wchar_t* report = _wgetenv(L"MM_DATA_FOLDER_PROBE");
    if (!report)
        GTEST_SKIP() << "runs only in the process that DataFolder.FollowsTheVersionThePrefixSets starts";
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version));
    MaterialDialog dialog;
    dialog.SelectDataFolder();
    std::string text = std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion) + "\n";
    for (wchar_t ch : Inspect(dialog).m_strDataFolder)
        text.push_back(static_cast<char>(ch));
    WriteFile(report, text);
}

TEST(DataFolder, OverrideWinsOverTheVersion)
{
    MaterialDialog dialog;
    dialog.SetDataFolderOverride(L"Z:\\tmp\\data\\");
    dialog.SelectDataFolder();
    EXPECT_EQ(Inspect(dialog).m_strDataFolder, L"Z:\\tmp\\data\\");
}

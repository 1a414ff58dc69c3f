// Folders and files the program may not write. Root writes through any
// permission, so these tests skip themselves unless run as an ordinary user
// (tests/gui/run_unprivileged.sh runs them so under CI).
#include <gtest/gtest.h>

#include <cstring>

#include "library/SaveAsDialog.h"
#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"
#include "utils/MaterialName.h"

using namespace testing_support;

namespace {

constexpr RECT kSaveAsArea = MaterialDialog::kSaveAsArea;
constexpr RECT kAcceptArea = MaterialDialog::kAcceptArea;
constexpr char kOak[] =
    "[OPTION]\r\nMARK_MODE=2\r\nRESOLUTION=500\r\n[PEN]\r\nPEN1SPEED=125\r\nPEN1POWER=50\r\nPEN1PPI=500\r\n";

// The Unix path Wine keeps a file at; empty outside Wine.
std::string UnixPath(const fs::path& path)
{
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return {};
    char* unixPath = toUnix(path.wstring().c_str());
    if (!unixPath)
        return {};
    std::string result = unixPath;
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

// Whether this user is refused writes to a read-only file (root is not).
bool ReadOnlyHolds(const fs::path& folder)
{
    const fs::path probe = folder / L"readonly.tmp";
    WriteFile(probe, "x");
    ::SetFileAttributesW(probe.wstring().c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE file = ::CreateFileW(probe.wstring().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool refused = file == INVALID_HANDLE_VALUE;
    if (!refused)
        ::CloseHandle(file);
    ::SetFileAttributesW(probe.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(probe.wstring().c_str());
    return refused;
}

// Wine leaves a folder's read-only attribute to the Windows side alone, so the
// folder's Unix mode is set with chmod, which Wine starts like any program.
// Wine cannot wait for a Unix process, so the effect is awaited instead.
bool Chmod(const char* mode, const fs::path& folder, bool writable)
{
    const std::string target = UnixPath(folder);
    if (target.empty())
        return false;
    std::wstring command = L"/bin/chmod " + std::wstring(mode, mode + std::strlen(mode)) + L" \"";
    for (char c : target)
        command.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    command += L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(L"Z:\\bin\\chmod", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // Wine shows a folder this user may not write to as read-only.
    for (int i = 0; i < 200; ++i) {
        const DWORD attributes = ::GetFileAttributesW(folder.wstring().c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && ((attributes & FILE_ATTRIBUTE_READONLY) == 0) == writable)
            return true;
        ::Sleep(50);
    }
    return false;
}

// A folder made unwritable for the test's length.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(fs::path folder) : m_folder(std::move(folder)) { m_made = Chmod("555", m_folder, false); }
    ~ReadOnlyFolder() { Chmod("755", m_folder, true); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool Made() const { return m_made; }

private:
    fs::path m_folder;
    bool m_made = false;
};

#define SKIP_AS_ROOT()                                                                                                 \
    if (UnixPath(TempRoot()).empty() || !ReadOnlyHolds(TempRoot()))                                                    \
    GTEST_SKIP() << "needs Wine and a user for whom read-only files stay read-only (not root)"

class UnprivilegedTest : public PanelFixture {
protected:
    // Oak in the library's one category, loaded.
    MaterialDialog& OpenWithOak(const std::wstring& category = L"Wood")
    {
        PrepareLibrary(L"VTX", {{L"1Laser", {category}, {L"Mine.spi"}}});
        WriteMaterial(CategoryFolder(1, 0) / L"Oak.spi", kOak);
        MaterialDialog& d = OpenPrepared();
        ShowFolder(1, 0);
        ClickItem(L"Oak");
        return d;
    }
    std::wstring OakPath() const { return (CategoryFolder(1, 0) / L"Oak.spi").wstring(); }
};

TEST_F(UnprivilegedTest, SaveIntoAReadOnlyCustomizeFolderIsReportedAndNothingIsSelected)
{
    MaterialDialog& d = OpenWithOak();
    SKIP_AS_ROOT();
    const std::vector<std::wstring> before = FilesIn(CustomizeFolder(1));
    ReadOnlyFolder readOnly(CustomizeFolder(1));
    ASSERT_TRUE(readOnly.Made());
    AnswerSaveAs(L"Blocked");
    ReleaseOver(kSaveAsArea);
    ASSERT_TRUE(SaveAsDialogSeen());
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{utils::MaterialNotSavedMessage(
                                        (CustomizeFolder(1) / L"Blocked.spi").wstring())});
    EXPECT_EQ(FilesIn(CustomizeFolder(1)), before);
    EXPECT_EQ(Inspect(d).m_materialFilePath, OakPath());
    EXPECT_TRUE(SelectedItems() == std::vector<std::wstring>{L"Oak"});
}

TEST_F(UnprivilegedTest, AReadOnlyCustomMaterialIsNotReportedAsReplaced)
{
    MaterialDialog& d = OpenWithOak();
    const fs::path mine = CustomizeFolder(1) / L"Mine.spi";
    WriteMaterial(mine, "[OPTION]\r\nMATERIAL=Glass\r\n[PEN]\r\nPEN1POWER=5\r\n");
    SKIP_AS_ROOT();
    ASSERT_TRUE(::SetFileAttributesW(mine.wstring().c_str(), FILE_ATTRIBUTE_READONLY));
    AnswerSaveAs(L"Mine");
    ReleaseOver(kSaveAsArea);
    EXPECT_EQ(m_catcher.Messages(), std::vector<std::wstring>{utils::MaterialNotSavedMessage(mine.wstring())});
    EXPECT_EQ(ReadProfile(mine, L"PEN", L"PEN1POWER"), L"5");
    EXPECT_EQ(Inspect(d).m_materialFilePath, OakPath());
    ::SetFileAttributesW(mine.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(UnprivilegedTest, AReadOnlyBaseMaterialStillMakesAWritableCustomMaterial)
{
    MaterialDialog& d = OpenWithOak();
    SKIP_AS_ROOT();
    ASSERT_TRUE(::SetFileAttributesW(OakPath().c_str(), FILE_ATTRIBUTE_READONLY));
    ::SendMessageW(Item(IDC_POWER), EM_SETSEL, 0, -1);
    Type(IDC_POWER, L"70");
    AnswerSaveAs(L"Copy");
    ReleaseOver(kSaveAsArea);
    const fs::path saved = CustomizeFolder(1) / L"Copy.spi";
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_EQ(ReadProfile(saved, L"PEN", L"PEN1POWER"), L"70");
    EXPECT_EQ(ReadProfile(saved, L"OPTION", L"MATERIAL"), L"Wood");
    EXPECT_EQ(Inspect(d).m_materialFilePath, saved.wstring());
    ::SetFileAttributesW(OakPath().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(UnprivilegedTest, AcceptIntoAReadOnlyDataFolderIsReportedAndTheDialogStaysOpen)
{
    MaterialDialog& d = OpenWithOak();
    SKIP_AS_ROOT();
    ReadOnlyFolder readOnly(DataFolder());
    ASSERT_TRUE(readOnly.Made());
    ReleaseOver(kAcceptArea);
    EXPECT_EQ(m_catcher.Messages(),
              std::vector<std::wstring>{utils::HandOffNotWrittenMessage(HandOffOutput().wstring())});
    EXPECT_FALSE(d.EndResult().has_value());
    EXPECT_FALSE(fs::exists(HandOffOutput()));
}

TEST_F(UnprivilegedTest, AReadOnlyHandOffFileIsReportedAndKeptAsItWas)
{
    for (const std::wstring category : {L"Wood", L"Holz\x00E4"}) {
        Close();
        MaterialDialog& d = OpenWithOak(category);
        const std::string old = "[Path]\r\nPath=C:\\old.spi\r\n[Texture]\r\nName=Old\r\n";
        WriteFile(HandOffOutput(), old);
        SKIP_AS_ROOT();
        ASSERT_TRUE(::SetFileAttributesW(HandOffOutput().wstring().c_str(), FILE_ATTRIBUTE_READONLY));
        ReleaseOver(kAcceptArea);
        EXPECT_EQ(m_catcher.Messages(),
                  std::vector<std::wstring>{utils::HandOffNotWrittenMessage(HandOffOutput().wstring())});
        EXPECT_FALSE(d.EndResult().has_value());
        EXPECT_EQ(ReadFileBytes(HandOffOutput()), old);
        ::SetFileAttributesW(HandOffOutput().wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

} // namespace

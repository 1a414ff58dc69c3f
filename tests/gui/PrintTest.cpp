// The Print command: port table, device and job file, block writes, reports.
//
// Device paths are redirected to files the test owns: Wine resolves "LPT1"
// and "\\.\DUDAV0" through the entry of the lower-case name in the prefix's
// dosdevices folder, so a plain file created there as "lpt1" or "dudav0"
// receives what the program writes to the device. "USB001" is no device name
// and opens a file in the current folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "device/JobTransfer.h"
#include "framework/Handle.h"
#include "resources/resource.h"
#include "tests/support/DialogFixture.h"

using namespace testing_support;

namespace {

// The prefix's Unix path from WINEPREFIX; empty when it is not set.
std::string PrefixUnixPath()
{
    const char* prefix = std::getenv("WINEPREFIX");
    std::string path = prefix ? prefix : "";
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// A Unix path as a Windows path through drive Z:, in the \\?\ form so that a
// last component such as "lpt1" is not taken for the device itself.
std::wstring FromUnix(const std::string& unixPath)
{
    std::wstring path = L"\\\\?\\Z:";
    for (char c : unixPath) {
        const wchar_t w = c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
        if (w == L'\\' && path.back() == L'\\')
            continue;
        path.push_back(w);
    }
    return path;
}

std::string ReadAll(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// True when nothing holds the file open: the program closed its handle.
bool IsClosed(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

std::wstring SystemText(DWORD code)
{
    wchar_t* raw = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    std::wstring text = length && raw ? std::wstring(raw, length) : std::wstring();
    if (raw)
        ::LocalFree(raw);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

// Bytes that differ from block to block, so a block written at the wrong
// offset shows.
std::string Pattern(std::size_t length, unsigned seed)
{
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 7 + (i / 512) * 13 + seed) & 0xFF);
    return bytes;
}

// A dosdevices entry the test creates as a plain, empty file and removes
// again. An entry that exists already belongs to someone else and is left
// alone (the test then does not run).
class RedirectedDevice {
public:
    explicit RedirectedDevice(const wchar_t* name)
    {
        const std::string prefix = PrefixUnixPath();
        if (prefix.empty())
            return;
        m_path = FromUnix(prefix + "/dosdevices/") + name;
        HANDLE file =
            ::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        m_owned = file != INVALID_HANDLE_VALUE;
        if (m_owned)
            ::CloseHandle(file);
    }
    ~RedirectedDevice()
    {
        if (m_owned)
            ::DeleteFileW(m_path.c_str());
    }
    RedirectedDevice(const RedirectedDevice&) = delete;
    RedirectedDevice& operator=(const RedirectedDevice&) = delete;

    bool Owned() const { return m_owned; }
    const std::wstring& Path() const { return m_path; }
    std::string Bytes() const { return ReadAll(m_path); }
    // Whether Wine truncates the target when the device is opened is not
    // ours to rely on.
    void Empty() const
    {
        HANDLE file =
            ::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
    }

private:
    std::wstring m_path;
    bool m_owned = false;
};

// Makes a folder the current one for the scope ("USB001" lands there).
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder)
    {
        wchar_t previous[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, previous);
        m_previous = previous;
        ::SetCurrentDirectoryW(folder.wstring().c_str());
    }
    ~CurrentFolder() { ::SetCurrentDirectoryW(m_previous.c_str()); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::wstring m_previous;
};

// Runs a shell script through Wine's start of Unix programs. That start gives
// no process handle to wait on, so the script leaves a marker file when it
// succeeded. False when the marker does not come.
bool RunUnixScript(const std::string& script)
{
    const std::string prefix = PrefixUnixPath();
    if (prefix.empty())
        return false;
    const std::string marker = prefix + "/mm-print-test.done";
    const std::wstring markerPath = FromUnix(marker);
    ::DeleteFileW(markerPath.c_str());
    std::wstring command = L"/bin/sh -c \"";
    for (char c : script + " && : > '" + marker + "'")
        command.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    command += L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hProcess)
        ::CloseHandle(process.hProcess);
    if (process.hThread)
        ::CloseHandle(process.hThread);
    for (int i = 0; i < 500; ++i) {
        if (Exists(markerPath)) {
            ::DeleteFileW(markerPath.c_str());
            return true;
        }
        ::Sleep(20);
    }
    return false;
}

bool IsEmptyFolder(const std::filesystem::path& folder)
{
    return std::filesystem::directory_iterator(folder) == std::filesystem::directory_iterator();
}

class PrintTest : public DialogFixture {
protected:
    MaterialDialog& OpenFor(const std::wstring& port, const std::wstring& jobName = L"")
    {
        // The job is looked for in the data folder the fixture points the dialog at.
        MaterialDialog& dialog = Open();
        m_catcher.Clear();
        dialog.SetPrintJob(jobName, port);
        return dialog;
    }
    std::filesystem::path JobPath(const std::wstring& jobName = L"") const
    {
        return DataFolder() / (jobName + L".prn");
    }
    void WriteJob(const std::string& bytes, const std::wstring& jobName = L"")
    {
        testing_support::WriteFile(JobPath(jobName), bytes);
    }
};

// ---- The block writer, observed through a recording device

struct Write {
    std::uint64_t offset;
    DWORD size;
    std::string bytes;
};

class RecordingDevice {
public:
    // Decides what one write reports: true and the count taken, or false.
    using Behaviour = std::function<BOOL(std::size_t call, DWORD size, DWORD* written)>;

    explicit RecordingDevice(Behaviour behaviour = {}) : m_behaviour(std::move(behaviour)) {}

    device::BlockWriter Writer()
    {
        return [this](const BYTE* data, DWORD size, DWORD* written, OVERLAPPED* at) -> BOOL {
            const std::uint64_t offset = (static_cast<std::uint64_t>(at->OffsetHigh) << 32) | at->Offset;
            m_writes.push_back({offset, size, std::string(reinterpret_cast<const char*>(data), size)});
            if (m_behaviour)
                return m_behaviour(m_writes.size() - 1, size, written);
            *written = size;
            return TRUE;
        };
    }
    const std::vector<Write>& Writes() const { return m_writes; }

private:
    Behaviour m_behaviour;
    std::vector<Write> m_writes;
};

device::SendResult SendFile(const std::filesystem::path& job, std::uint64_t length, RecordingDevice& device,
                            DWORD access = GENERIC_READ)
{
    const fw::FileHandle file(::CreateFileW(job.wstring().c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(file) << "cannot open " << job;
    return device::SendJob(file.Get(), length, device.Writer());
}

TEST(SendJob, WritesWholeBlocksThenTheRemainderAtRunningOffsets)
{
    const struct {
        std::size_t length;
        std::vector<std::pair<std::uint64_t, DWORD>> writes; // offset, size
    } cases[] = {
        {1024, {{0, 512}, {512, 512}}},
        {1000, {{0, 512}, {512, 488}}},
        {0, {}},
        {1, {{0, 1}}},
        {1537, {{0, 512}, {512, 512}, {1024, 512}, {1536, 1}}},
    };
    TempFolder temp;
    for (const auto& c : cases) {
        const std::string job = Pattern(c.length, static_cast<unsigned>(c.length));
        testing_support::WriteFile(temp.Path() / L"job.prn", job);
        RecordingDevice device;
        const device::SendResult result = SendFile(temp.Path() / L"job.prn", c.length, device);
        EXPECT_EQ(result.status, device::SendResult::Status::Sent) << "length " << c.length;
        ASSERT_EQ(device.Writes().size(), c.writes.size()) << "length " << c.length;
        std::string sent;
        for (std::size_t i = 0; i < c.writes.size(); ++i) {
            EXPECT_EQ(device.Writes()[i].offset, c.writes[i].first) << "length " << c.length << ", write " << i;
            EXPECT_EQ(device.Writes()[i].size, c.writes[i].second) << "length " << c.length << ", write " << i;
            sent += device.Writes()[i].bytes;
        }
        EXPECT_EQ(sent, job) << "length " << c.length;
    }
}

TEST(SendJob, FailedWriteStopsWithItsCode)
{
    TempFolder temp;
    testing_support::WriteFile(temp.Path() / L"job.prn", Pattern(2048, 1));
    RecordingDevice device([](std::size_t call, DWORD size, DWORD* written) -> BOOL {
        if (call == 1) {
            *written = 0;
            ::SetLastError(ERROR_NOT_READY);
            return FALSE;
        }
        *written = size;
        return TRUE;
    });
    const device::SendResult result = SendFile(temp.Path() / L"job.prn", 2048, device);
    EXPECT_EQ(result.status, device::SendResult::Status::WriteFailed);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_NOT_READY));
    EXPECT_EQ(result.offset, 512u);
    EXPECT_EQ(device.Writes().size(), 2u); // nothing after the failed block
}

TEST(SendJob, ShortWriteIsAFailure)
{
    TempFolder temp;
    testing_support::WriteFile(temp.Path() / L"job.prn", Pattern(1536, 2));
    RecordingDevice device([](std::size_t call, DWORD size, DWORD* written) -> BOOL {
        *written = call == 1 ? 200 : size;
        return TRUE;
    });
    const device::SendResult result = SendFile(temp.Path() / L"job.prn", 1536, device);
    EXPECT_EQ(result.status, device::SendResult::Status::ShortWrite);
    EXPECT_EQ(result.offset, 512u);
    EXPECT_EQ(result.requested, 512u);
    EXPECT_EQ(result.written, 200u);
    EXPECT_EQ(device.Writes().size(), 2u);
}

TEST(SendJob, JobThatCannotBeReadStopsBeforeItsBlockIsWritten)
{
    TempFolder temp;
    testing_support::WriteFile(temp.Path() / L"job.prn", Pattern(700, 3));

    // Shorter than the length it was sent with: the partial block is not sent.
    RecordingDevice shorter;
    device::SendResult result = SendFile(temp.Path() / L"job.prn", 1024, shorter);
    EXPECT_EQ(result.status, device::SendResult::Status::ReadFailed);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_HANDLE_EOF));
    EXPECT_EQ(result.offset, 512u);
    EXPECT_EQ(shorter.Writes().size(), 1u);

    // A handle without read access: the system's code comes back.
    RecordingDevice unreadable;
    result = SendFile(temp.Path() / L"job.prn", 700, unreadable, GENERIC_WRITE);
    EXPECT_EQ(result.status, device::SendResult::Status::ReadFailed);
    EXPECT_EQ(result.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(result.offset, 0u);
    EXPECT_TRUE(unreadable.Writes().empty());
}

// ---- The command

TEST_F(PrintTest, ButtonStaysHidden)
{
    Open();
    ASSERT_NE(Item(IDC_PRINT), nullptr);
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_PRINT)));
}

TEST_F(PrintTest, DeviceGetsTheJobBytesAtTheirOffsets)
{
    for (std::size_t length : {1000u, 1024u, 1u, 2049u}) {
        TempFolder cwd;
        CurrentFolder current(cwd.Path());
        MaterialDialog& dialog = OpenFor(L"USB001", L"Job");
        const std::string job = Pattern(length, 5);
        WriteJob(job, L"Job");
        dialog.OnPrint();
        EXPECT_TRUE(m_catcher.Messages().empty()) << "length " << length;
        const std::wstring deviceFile = (cwd.Path() / L"USB001").wstring();
        EXPECT_EQ(ReadAll(deviceFile), job) << "length " << length;
        EXPECT_TRUE(IsClosed(deviceFile));
    }
}

TEST_F(PrintTest, EmptyJobOpensAndClosesTheDevice)
{
    TempFolder cwd;
    CurrentFolder current(cwd.Path());
    MaterialDialog& dialog = OpenFor(L"USB001");
    WriteJob("");
    dialog.OnPrint();
    EXPECT_TRUE(m_catcher.Messages().empty());
    const std::wstring deviceFile = (cwd.Path() / L"USB001").wstring();
    EXPECT_EQ(ReadAll(deviceFile), "");
    EXPECT_TRUE(IsClosed(deviceFile));
}

TEST_F(PrintTest, ClickOnPrintSendsTheJobNamedDotPrn)
{
    TempFolder cwd;
    CurrentFolder current(cwd.Path());
    MaterialDialog& dialog = OpenFor(L"USB001");
    const std::string job = Pattern(777, 9);
    WriteJob(job); // nothing names the job: the file is ".prn"
    ::SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PRINT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Item(IDC_PRINT)));
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_EQ(ReadAll((cwd.Path() / L"USB001").wstring()), job);
}

TEST_F(PrintTest, EachPortOpensItsOwnDevice)
{
    RedirectedDevice lpt1(L"lpt1");
    RedirectedDevice dudav0(L"dudav0");
    RedirectedDevice dudav1(L"dudav1");
    if (!lpt1.Owned() || !dudav0.Owned() || !dudav1.Owned())
        GTEST_SKIP() << "needs a private Wine prefix (WINEPREFIX) without lpt1, dudav0 or dudav1 in dosdevices";
    TempFolder cwd;
    CurrentFolder current(cwd.Path());
    const std::wstring usb001 = (cwd.Path() / L"USB001").wstring();

    const struct {
        const wchar_t* port;
        const std::wstring* target;
    } rows[] = {
        {L"ZORUSB0", &dudav0.Path()},
        {L"ZORUSB1", &dudav1.Path()},
        {L"LPT1", &lpt1.Path()},
        {L"USB001", &usb001},
    };
    unsigned seed = 20;
    for (const auto& row : rows) {
        for (const RedirectedDevice* d : {&lpt1, &dudav0, &dudav1})
            d->Empty();
        ::DeleteFileW(usb001.c_str());
        MaterialDialog& dialog = OpenFor(row.port);
        const std::string job = Pattern(1000, ++seed);
        WriteJob(job);
        dialog.OnPrint();
        EXPECT_TRUE(m_catcher.Messages().empty()) << testing::PrintToString(std::wstring(row.port));
        for (const std::wstring* target : {&lpt1.Path(), &dudav0.Path(), &dudav1.Path()}) {
            const std::string expected = target == row.target ? job : "";
            EXPECT_EQ(ReadAll(*target), expected) << testing::PrintToString(std::wstring(row.port));
        }
        EXPECT_EQ(ReadAll(usb001), row.target == &usb001 ? job : "<missing>")
            << testing::PrintToString(std::wstring(row.port));
    }
}

TEST_F(PrintTest, MissingJobIsReportedAfterTheDeviceWasOpened)
{
    TempFolder cwd;
    CurrentFolder current(cwd.Path());
    MaterialDialog& dialog = OpenFor(L"USB001", L"Absent");
    dialog.OnPrint();
    ASSERT_EQ(m_catcher.Messages().size(), 1u);
    EXPECT_EQ(m_catcher.Messages()[0], L"The print job was not sent: the job file \"" + JobPath(L"Absent").wstring() +
                                           L"\" could not be opened.\n\nError 2 (0x00000002): " +
                                           SystemText(ERROR_FILE_NOT_FOUND));
    // The device was opened first, created empty, and released.
    const std::wstring deviceFile = (cwd.Path() / L"USB001").wstring();
    EXPECT_EQ(ReadAll(deviceFile), "");
    EXPECT_TRUE(IsClosed(deviceFile));
}

TEST_F(PrintTest, UnknownPortIsReportedAndNothingIsCreated)
{
    RedirectedDevice lpt1(L"lpt1");
    TempFolder cwd;
    CurrentFolder current(cwd.Path());
    for (const wchar_t* port : {L"", L"lpt1", L"usb001", L"COM1", L"ZORUSB2", L"\\\\.\\DUDAV0"}) {
        MaterialDialog& dialog = OpenFor(port);
        WriteJob(Pattern(600, 1));
        dialog.OnPrint();
        ASSERT_EQ(m_catcher.Messages().size(), 1u) << testing::PrintToString(std::wstring(port));
        const std::wstring& message = m_catcher.Messages()[0];
        const std::wstring named = *port ? L"The print port \"" + std::wstring(port) + L"\" is not known"
                                         : L"No print port is chosen";
        EXPECT_EQ(message.rfind(named, 0), 0u) << testing::PrintToString(message);
        EXPECT_NE(message.find(L"ZORUSB0, ZORUSB1, LPT1, USB001"), std::wstring::npos);
        EXPECT_TRUE(IsEmptyFolder(cwd.Path())) << testing::PrintToString(std::wstring(port));
        if (lpt1.Owned()) {
            EXPECT_EQ(lpt1.Bytes(), "");
        }
    }
}

TEST_F(PrintTest, DeviceThatIsNotThereShowsTheSystemText)
{
    const std::string prefix = PrefixUnixPath();
    if (prefix.empty() || Exists(FromUnix(prefix + "/dosdevices/dudav1")))
        GTEST_SKIP() << "needs a private Wine prefix (WINEPREFIX) without dudav1 in dosdevices";
    MaterialDialog& dialog = OpenFor(L"ZORUSB1");
    WriteJob(Pattern(1000, 3));
    dialog.OnPrint();
    ASSERT_EQ(m_catcher.Messages().size(), 1u);
    EXPECT_EQ(m_catcher.Messages()[0],
              L"The print job was not sent: the port \"ZORUSB1\" (\\\\.\\DUDAV1) could not be opened.\n\n"
              L"Error 2 (0x00000002): " +
                  SystemText(ERROR_FILE_NOT_FOUND));
}

TEST_F(PrintTest, DeviceThatRefusesWritesShowsTheSystemText)
{
    // "dudav0" as a link to /dev/full: the device opens, and every write
    // fails as on a full disk. Only a Unix program can make such a link (Wine
    // deletes a link's target, not the link, so a Unix program removes it too).
    const std::string prefix = PrefixUnixPath();
    const std::string link = prefix + "/dosdevices/dudav0";
    if (prefix.empty() || !RunUnixScript("ln -s /dev/full '" + link + "'"))
        GTEST_SKIP() << "needs a private Wine prefix without dudav0 and a /bin/sh that Wine can start";
    struct Unlink {
        std::string link;
        ~Unlink() { EXPECT_TRUE(RunUnixScript("rm '" + link + "'")); }
    } unlink{link};

    MaterialDialog& dialog = OpenFor(L"ZORUSB0");
    WriteJob(Pattern(1000, 4));
    dialog.OnPrint();
    ASSERT_EQ(m_catcher.Messages().size(), 1u);
    EXPECT_EQ(m_catcher.Messages()[0],
              L"Writing to the port \"ZORUSB0\" (\\\\.\\DUDAV0) failed at byte 0; the rest of the print job was "
              L"not sent.\n\nError 112 (0x00000070): " +
                  SystemText(ERROR_DISK_FULL));
}

// ---- A large job

PROCESS_MEMORY_COUNTERS_EX MemoryNow()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    return counters;
}

TEST_F(PrintTest, LargeJobGoesThroughWithFlatMemory)
{
    constexpr std::size_t kChunk = 1 << 20;
    constexpr std::size_t kLength = 256 * kChunk + 300; // ends with a remainder write
    constexpr std::size_t kAllowedGrowth = 32 * kChunk;

    TempFolder cwd;
    CurrentFolder current(cwd.Path());
    MaterialDialog& dialog = OpenFor(L"USB001", L"Large");
    {
        // Written in large pieces: the job's own writing must stay quick.
        std::filesystem::create_directories(DataFolder());
        const fw::FileHandle job(::CreateFileW(JobPath(L"Large").wstring().c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(job);
        for (std::size_t at = 0; at < kLength; at += kChunk) {
            const std::string piece = Pattern(kChunk, static_cast<unsigned>(at / kChunk));
            const DWORD size = static_cast<DWORD>(std::min(kChunk, kLength - at));
            DWORD written = 0;
            ASSERT_TRUE(::WriteFile(job.Get(), piece.data(), size, &written, nullptr));
        }
    }

    const PROCESS_MEMORY_COUNTERS_EX before = MemoryNow();
    dialog.OnPrint();
    const PROCESS_MEMORY_COUNTERS_EX after = MemoryNow();
    EXPECT_TRUE(m_catcher.Messages().empty());
    EXPECT_LT(after.PeakWorkingSetSize - before.PeakWorkingSetSize, kAllowedGrowth);
    EXPECT_LT(after.PeakPagefileUsage - before.PeakPagefileUsage, kAllowedGrowth);

    // Compared piece by piece, not read whole.
    const fw::FileHandle sent(::CreateFileW((cwd.Path() / L"USB001").wstring().c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(sent);
    LARGE_INTEGER size{};
    ASSERT_TRUE(::GetFileSizeEx(sent.Get(), &size));
    ASSERT_EQ(static_cast<std::size_t>(size.QuadPart), kLength);
    std::string piece(kChunk, '\0');
    for (std::size_t at = 0; at < kLength; at += kChunk) {
        DWORD read = 0;
        ASSERT_TRUE(::ReadFile(sent.Get(), piece.data(), static_cast<DWORD>(kChunk), &read, nullptr));
        const std::string expected = Pattern(kChunk, static_cast<unsigned>(at / kChunk)).substr(0, read);
        ASSERT_EQ(std::string_view(piece).substr(0, read), expected) << "at byte " << at;
    }
}

} // namespace

// The library checker over a library and a language file broken on purpose,
// one mistake for every code, and over the bundled sample; the console
// program's output and exit status as a driver's installer would capture them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "checker/LibraryCheck.h"
#include "checker/Report.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/GuiTestSupport.h"
#include "utils/DisplayScale.h"
#include "utils/MaterialName.h"

namespace fs = std::filesystem;
using namespace testing_support;
using checker::Code;

namespace {

const std::string kGood =
    "[OPTION]\r\nMARK_MODE=1\r\nRESOLUTION=500\r\n[PEN]\r\nPEN1SPEED=125\r\nPEN1POWER=50\r\nPEN1PPI=500\r\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

// Through the "\\?\" form, so that paths of 260 characters and more can be made.
void WriteAnyLength(const std::wstring& path, const std::string& bytes)
{
    const HANDLE file = ::CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path.size();
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

// Where each code is expected, relative to the test's folder. The broken
// library holds every mistake but two that rule out everything else: a
// library root and a language file that are not there.
struct Expected {
    Code code;
    bool nothingThere;
    const wchar_t* path;
};

const Expected kExpected[] = {
    {Code::RootMissing, true, L"Nowhere\\ZOR\\"},
    {Code::ModelFolderMissing, false, L"ZOR\\parameter_Vortan"},
    {Code::NotAFolder, false, L"ZOR\\parameter_R250\\2_Photo\\Readme"},
    {Code::DotEntry, false, L"ZOR\\parameter_R250\\.keep"},
    {Code::NoGroups, false, L"ZOR\\parameter_VTE"},
    {Code::ExtraGroup, false, L"ZOR\\parameter_VortanXL\\2_More"},
    {Code::TooManyGroups, false, L"ZOR\\parameter_R250\\3_Vector"},
    {Code::EmptyGroup, false, L"ZOR\\parameter_VortanXL\\2_More"},
    {Code::TooManyCategories, false, L"ZOR\\parameter_R250\\1_Engrave"},
    {Code::CategoryNoCaption, false, L"ZOR\\parameter_R250\\1_Engrave\\H_NoCaption"},
    {Code::EmptyCategory, false, L"ZOR\\parameter_R250\\1_Engrave\\B_Empty"},
    {Code::CustomizeIsFile, false, L"ZOR\\parameter_R250\\2_Photo\\Customize"},
    {Code::CustomizeMissing, false, L"ZOR\\parameter_VortanXL\\1_Materials\\Customize"},
    {Code::LeftoverTempFile, false, L"ZOR\\parameter_R250\\1_Engrave\\Customize\\~mm1A2B.tmp"},
    {Code::MaterialNotFile, false, L"ZOR\\parameter_R250\\1_Engrave\\A_Mixed\\Folder.VX"},
    {Code::WrongExtension, false, L"ZOR\\parameter_R250\\1_Engrave\\A_Mixed\\Notes.txt"},
    {Code::PathTooLong, false, L"ZOR\\parameter_R250\\2_Photo\\S\\<long>"},
    {Code::NoRoomForCustomName, false, L"ZOR\\parameter_R250\\2_Photo\\S\\<almost long>"},
    {Code::NameNotInCodePage, false, L"ZOR\\parameter_R250\\2_Photo\\S\\Glass \x0DF4.VX"},
    {Code::NoPicture, false, L"ZOR\\parameter_R250\\1_Engrave\\H_NoCaption"},
    {Code::UnreadableFile, false, L"ZOR\\parameter_R250\\1_Engrave\\A_Mixed\\Locked.VX"},
    {Code::FileTooLarge, false, L"ZOR\\parameter_R250\\1_Engrave\\A_Mixed\\Huge.VX"},
    {Code::MaterialEncoding, false, L"ZOR\\parameter_R250\\1_Engrave\\A_Mixed\\Latin.VX"},
    {Code::KeyMissing, false, L"ZOR\\parameter_R250\\1_Engrave\\A_Mixed\\Ppi.VX"},
    {Code::NotANumber, false, L"ZOR\\parameter_R250\\1_Engrave\\A_Mixed\\Speed.VX"},
    {Code::OutOfRange, false, L"ZOR\\parameter_R250\\1_Engrave\\A_Mixed\\Mode.VX"},
    {Code::LanguageFileMissing, true, L"Nowhere\\~PMLang.dat"},
    {Code::LanguageFileEncoding, false, L"Data\\~PMLang.dat"},
    {Code::LanguageSectionTwice, false, L"Data\\~PMLang.dat"},
    {Code::LanguageMissing, false, L"Data\\~PMLang.dat"},
    {Code::TextMissing, false, L"Data\\~PMLang.dat"},
    {Code::TextCut, false, L"Data\\~PMLang.dat"},
};

// The language file: 8-bit, one accented text (the encoding), English again
// in capitals after it, no Spanish section, German without key 1005, a French
// Save-as label too wide for its place; every other text a short key name.
std::string BrokenLanguageFile()
{
    std::vector<int> keys;
    for (const auto& [first, last] :
         {std::pair{1000, 1012}, {2000, 2004}, {3000, 3006}, {3100, 3106}, {3200, 3203}, {3300, 3308}})
        for (int key = first; key <= last; ++key)
            keys.push_back(key);
    std::string text;
    for (const char* language :
         {"Traditional Chinese", "Simplified Chinese", "English", "ENGLISH", "German", "Japanese", "French"}) {
        text += std::string("[AP_") + language + "]\r\n";
        for (int key : keys) {
            std::string value = "T";
            value += std::to_string(key);
            if (language == std::string("German") && key == 1005)
                continue;
            if (language == std::string("French") && key == 1003)
                value = "Mat\xE9riau";
            if (language == std::string("French") && key == 1011)
                value = "Sauvegarder sous";
            text += std::to_string(key) + "=" + value + "\r\n";
        }
    }
    return text;
}

struct ProgramRun {
    DWORD status = 0;
    std::string output;
};

// The console program with its output going to a pipe, as an installer
// script would run it.
ProgramRun RunLibraryCheck(const std::wstring& arguments)
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path exe = fs::path(self).parent_path().parent_path() / L"LibraryCheck.exe";
    EXPECT_TRUE(fs::exists(exe)) << exe.string();

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    EXPECT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
    ProgramRun run;
    const bool started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                          nullptr, nullptr, &startup, &process);
    ::CloseHandle(writeEnd);
    EXPECT_TRUE(started);
    if (started) {
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
            run.output.append(buffer, read);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &run.status);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(readEnd);
    return run;
}

std::string Utf8(const std::wstring& text)
{
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                          nullptr);
    return bytes;
}

std::wstring Listed(const std::vector<checker::Finding>& findings)
{
    std::wstring text;
    for (const checker::Finding& finding : findings)
        text += finding.path + L": " + checker::Describe(finding.code).name + L": " + finding.message + L"\n";
    return text;
}

class LibraryCheckTest : public ::testing::Test {
protected:
    fs::path Root() const { return m_temp.Path(); }
    fs::path Param(const wchar_t* model) const { return Root() / L"ZOR" / model; }

    checker::CheckOptions Options(const fs::path& root, const fs::path& languageFile) const
    {
        checker::CheckOptions options;
        options.libraryRoot = root.wstring() + L"\\";
        options.models = {L"R250", L"VTX", L"Vortan", L"VTE"};
        options.languageFile = languageFile.wstring();
        return options;
    }

    // The two long names depend on how long the test's folder is.
    void MakeBrokenLibrary()
    {
        const fs::path r250 = Param(L"parameter_R250");
        WriteFile(r250 / L".keep", "");
        const fs::path engrave = r250 / L"1_Engrave";
        const fs::path mixed = engrave / L"A_Mixed";
        fs::create_directories(mixed / L"Folder.VX");
        WriteFile(mixed / L"Good.VX", kGood);
        // A plainly written material, were it not for its size.
        WriteFile(mixed / L"Huge.VX", kGood + "[EXTRA]\r\nNOTE=" + std::string(2 << 20, 'x') + "\r\n");
        WriteFile(mixed / L"Latin.VX", Replaced(kGood, "[PEN]", "NOTE=Caf\xE9\r\n[PEN]"));
        WriteFile(mixed / L"Locked.VX", kGood);
        WriteFile(mixed / L"Mode.VX", Replaced(kGood, "MARK_MODE=1", "MARK_MODE=7"));
        WriteFile(mixed / L"Notes.txt", kGood);
        WriteFile(mixed / L"Ppi.VX", Replaced(kGood, "PEN1PPI=500\r\n", ""));
        WriteFile(mixed / L"Speed.VX", Replaced(kGood, "PEN1SPEED=125", "PEN1SPEED=12.5"));
        fs::create_directories(engrave / L"B_Empty");
        for (const wchar_t* category : {L"C", L"D", L"E", L"F", L"G"})
            WriteFile(engrave / category / (std::wstring(category) + L".VX"), kGood);
        // Materials 15 to 17 of the group: the picture list holds 15.
        for (const wchar_t* name : {L"H1.VX", L"H2.VX", L"H3.VX"})
            WriteFile(engrave / L"H_NoCaption" / name, kGood);
        WriteFile(engrave / L"I_Surplus" / L"I.VX", kGood);
        WriteFile(engrave / L"Customize" / L"Mine.VX", Replaced(kGood, "[PEN]", "MATERIAL=Oak\r\n[PEN]"));
        WriteFile(engrave / L"Customize" / L"~mm1A2B.tmp", "");

        const fs::path photo = r250 / L"2_Photo";
        WriteFile(photo / L"Customize", "");
        WriteFile(photo / L"Readme", "");
        const std::wstring s = (photo / L"S").wstring();
        fs::create_directories(s);
        // Below 260 characters itself, but not once it is saved into
        // "Customize", 8 characters longer than "S"; and one beyond.
        m_almostLong = std::wstring(255 - s.size() - 1 - 3, L'n') + L".VX";
        m_long = std::wstring(265 - s.size() - 1 - 3, L'n') + L".VX";
        WriteAnyLength(s + L"\\" + m_almostLong, kGood);
        WriteAnyLength(s + L"\\" + m_long, kGood);
        WriteFile(photo / L"S" / L"Glass \x0DF4.VX", kGood);
        WriteFile(r250 / L"3_Vector" / L"Cut" / L"X.VX", kGood);

        // Written otherwise than plainly, and fine as the profile functions
        // read them: a reading of its own would find mistakes here.
        const fs::path vtx = Param(L"parameter_VortanXL");
        const fs::path board = vtx / L"1_Materials" / L"Board";
        WriteFile(board / L"Birch.spi", kGood);
        WriteFile(board / L"First key.spi", Replaced(kGood, "MARK_MODE=1", "MARK_MODE=1\r\nMARK_MODE=9"));
        WriteFile(board / L"First section.spi", kGood + "[PEN]\r\nPEN1POWER=500\r\n");
        WriteFile(board / L"Letter case.spi", Replaced(kGood, "PEN1PPI", "pen1ppi"));
        WriteFile(board / L"Quotes and blanks.spi",
                  Replaced(Replaced(kGood, "PEN1POWER=50", "PEN1POWER=\"50\""), "PEN1SPEED=", " PEN1SPEED = "));
        WriteFile(board / L"Line feeds.spi", "[OPTION]\nMARK_MODE=2\nRESOLUTION=1000\n[PEN]\nPEN1SPEED=0\n"
                                             "PEN1POWER=100\nPEN1PPI=1525\n");
        WriteUtf16File(board / L"Wide.spi", L"[OPTION]\r\nMARK_MODE=4\r\nRESOLUTION=125\r\n[PEN]\r\n"
                                            L"PEN1SPEED=1000\r\nPEN1POWER=0\r\nPEN1PPI=30\r\n");
        // The group's own folder in other letter case: no category, nothing missing.
        fs::create_directories(vtx / L"2_More" / L"customize");
        fs::create_directories(Param(L"parameter_vortan"));
        fs::create_directories(Param(L"parameter_VTE"));

        WriteFile(Root() / L"Data" / L"~PMLang.dat", BrokenLanguageFile());
    }

    std::wstring ExpectedPath(const Expected& expected) const
    {
        std::wstring path = (Root() / expected.path).wstring();
        for (const auto& [placeholder, name] : {std::pair{L"<long>", m_long}, {L"<almost long>", m_almostLong}})
            if (const size_t at = path.find(placeholder); at != std::wstring::npos)
                path.replace(at, std::wcslen(placeholder), name);
        return path;
    }

    TempFolder m_temp;
    std::wstring m_long;
    std::wstring m_almostLong;
};

TEST_F(LibraryCheckTest, BrokenLibraryGivesEveryCodeOnceWhereTheMistakeIs)
{
    MakeBrokenLibrary();
    const checker::CheckOptions broken = Options(Root() / L"ZOR", Root() / L"Data" / L"~PMLang.dat");
    const checker::CheckOptions nothing = Options(Root() / L"Nowhere" / L"ZOR", Root() / L"Nowhere" / L"~PMLang.dat");
    // Held open without sharing while the checker runs: it cannot be read.
    const HANDLE locked = ::CreateFileW((Root() / L"ZOR\\parameter_R250\\1_Engrave\\A_Mixed\\Locked.VX").c_str(),
                                        GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    const checker::CheckResult found = checker::CheckLibrary(broken);
    const checker::CheckResult foundNothing = checker::CheckLibrary(nothing);
    checker::CheckOptions profileOnly = broken;
    profileOnly.profileOnly = true;
    const checker::CheckResult throughProfile = checker::CheckLibrary(profileOnly);
    // No backslash before a closing quote: the command line would take it as
    // an escaped quote.
    const ProgramRun run = RunLibraryCheck(L"--root \"" + (Root() / L"ZOR").wstring() + L"\" --language-file \"" +
                                           broken.languageFile + L"\"");
    ::CloseHandle(locked);

    ASSERT_EQ(std::size(kExpected), checker::AllCodes().size()) << "one row per code";
    for (const Expected& expected : kExpected) {
        const checker::CheckResult& result = expected.nothingThere ? foundNothing : found;
        std::vector<std::wstring> paths;
        for (const checker::CheckResult* r : {&found, &foundNothing})
            for (const checker::Finding& finding : r->findings)
                if (finding.code == expected.code)
                    paths.push_back(finding.path);
        const wchar_t* name = checker::Describe(expected.code).name;
        ASSERT_EQ(paths.size(), 1u) << testing::PrintToString(std::wstring(name)) << "\n"
                                    << Utf8(Listed(result.findings));
        EXPECT_EQ(paths[0], ExpectedPath(expected)) << testing::PrintToString(std::wstring(name));
    }
    EXPECT_EQ(checker::ExitStatus(found), 2);
    // What the operator meets: the text cut wrong, but the very file loaded.
    const auto wrongExtension = std::find_if(found.findings.begin(), found.findings.end(),
                                             [](const checker::Finding& f) { return f.code == Code::WrongExtension; });
    ASSERT_NE(wrongExtension, found.findings.end());
    EXPECT_EQ(wrongExtension->message,
              L"does not end in \".VX\", listed as material \"Notes.\" (the last 3 characters "
              L"cut off); clicking it loads this very file, and Accept hands it to the driver");

    // Reading plainly written files from their bytes finds what the profile
    // functions find.
    ASSERT_EQ(throughProfile.findings.size(), found.findings.size());
    for (size_t i = 0; i < found.findings.size(); ++i) {
        EXPECT_EQ(throughProfile.findings[i].path, found.findings[i].path);
        EXPECT_EQ(throughProfile.findings[i].message, found.findings[i].message);
    }

    // The console program, captured through a pipe: the same report in UTF-8.
    EXPECT_EQ(run.status, 2u);
    EXPECT_EQ(run.output, Utf8(checker::FormatText(found, broken)));
}

// A material has room in "Customize" only where Save as would take it: the
// temporary file a save writes first must fit there as well.
TEST_F(LibraryCheckTest, RoomForACustomNameIsTheRoomSaveAsNeeds)
{
    for (std::size_t length : {utils::kMaxSaveFolderLength, utils::kMaxSaveFolderLength + 1}) {
        SCOPED_TRACE(length);
        const fs::path root = Root() / std::to_wstring(length);
        const fs::path param = root / L"parameter_VortanXL";
        const std::wstring group = L"1" + std::wstring(length - (param / L"1" / L"Customize").wstring().size(), L'g');
        const fs::path oak = param / group / L"Wood" / L"Oak.spi";
        WriteFile(oak, kGood);
        ASSERT_EQ((param / group / L"Customize").wstring().size(), length);
        checker::CheckOptions options = Options(root, Root() / L"Nowhere" / L"~PMLang.dat");
        options.models = {L"VTX"};
        std::vector<std::wstring> found;
        for (const checker::Finding& finding : checker::CheckLibrary(options).findings)
            if (finding.code == Code::NoRoomForCustomName)
                found.push_back(finding.path);
        EXPECT_EQ(found, length > utils::kMaxSaveFolderLength ? std::vector<std::wstring>{oak.wstring()}
                                                              : std::vector<std::wstring>{});
    }
}

// The JSON string back to its UTF-16 code units.
std::wstring JsonUnescaped(const std::wstring& json)
{
    std::wstring text;
    for (std::size_t i = 0; i < json.size(); ++i) {
        if (json[i] != L'\\') {
            text += json[i];
        } else if (json[++i] == L'u') {
            text += static_cast<wchar_t>(std::stoi(json.substr(i + 1, 4), nullptr, 16));
            i += 4;
        } else {
            text += json[i];
        }
    }
    return text;
}

// A name may hold UTF-16 surrogates without their partner (the file system
// takes any code unit): the JSON report, written in UTF-8, names that file
// and no other. Wine holds no such name, so the report is made directly.
TEST(LibraryCheckReport, JsonKeepsNamesWithUnpairedSurrogates)
{
    const std::wstring name = L"Oak \xD800 x\xDE00 \xD83D\xDE00 \\ \xDE00\xD800 \xDBFF";
    checker::CheckOptions options;
    options.libraryRoot = L"C:\\ZOR\\";
    options.models = {L"R250"};
    options.languageFile = L"C:\\~PMLang.dat";
    checker::CheckResult result;
    result.findings.push_back({options.libraryRoot + name, Code::WrongExtension, L"listed as \"" + name + L"\""});

    // As the console program writes it, and as a reader of UTF-8 takes it back.
    const std::string bytes = Utf8(checker::FormatJson(result, options));
    std::wstring json(bytes.size(), L'\0');
    json.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                                               static_cast<int>(bytes.size()), json.data(),
                                                               static_cast<int>(json.size()))));
    const std::wstring key = L"\"path\": \"";
    const std::size_t start = json.find(key);
    ASSERT_NE(start, std::wstring::npos) << bytes;
    const std::size_t end = json.find(L"\", \"severity\"", start);
    EXPECT_EQ(JsonUnescaped(json.substr(start + key.size(), end - start - key.size())), options.libraryRoot + name);
    // A pair stays the character it makes.
    EXPECT_NE(json.find(L"\xD83D\xDE00"), std::wstring::npos);
}

TEST_F(LibraryCheckTest, TextsAreMeasuredAtEveryScaleAskedFor)
{
    MakeBrokenLibrary();
    checker::CheckOptions options = Options(Root() / L"ZOR", Root() / L"Data" / L"~PMLang.dat");
    options.scales = {100, 150, 200};
    std::vector<std::wstring> cut;
    for (const checker::Finding& finding : checker::CheckLibrary(options).findings)
        if (finding.code == Code::TextCut)
            cut.push_back(finding.message);
    // The French Save-as label, in the font made for each scale against its
    // place at that scale: 85 pixels at 100 percent, 128 at 150, 170 at 200.
    ASSERT_EQ(cut.size(), 3u) << Utf8(cut.empty() ? L"" : cut[0]);
    EXPECT_EQ(cut[0].find(L"percent"), std::wstring::npos) << Utf8(cut[0]);
    EXPECT_NE(cut[0].find(L"Save-as label has 85:"), std::wstring::npos) << Utf8(cut[0]);
    EXPECT_NE(cut[1].find(L"\"Sauvegarder sous\" at 150 percent is "), std::wstring::npos) << Utf8(cut[1]);
    EXPECT_NE(cut[1].find(L"Save-as label has 128:"), std::wstring::npos) << Utf8(cut[1]);
    EXPECT_NE(cut[2].find(L"at 200 percent"), std::wstring::npos) << Utf8(cut[2]);
    EXPECT_NE(cut[2].find(L"Save-as label has 170:"), std::wstring::npos) << Utf8(cut[2]);

    // The console program measures at the scales it is given, only those.
    const std::wstring files =
        L" --root \"" + (Root() / L"ZOR").wstring() + L"\" --language-file \"" + options.languageFile + L"\"";
    const ProgramRun run = RunLibraryCheck(L"--scale 150" + files);
    EXPECT_NE(run.output.find("\"Sauvegarder sous\" at 150 percent"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("has 85:"), std::string::npos) << run.output;
    EXPECT_EQ(RunLibraryCheck(L"--scale 20" + files).status, 3u);
}

TEST_F(LibraryCheckTest, BundledSamplePassesClean)
{
    ASSERT_FALSE(SourceDir().empty()) << "MM_SOURCE_DIR names the repository";
    const fs::path sample = SourceDir() / L"sample";
    // At every scale there is artwork for, every text fits its place.
    checker::CheckOptions options = Options(sample / L"ZOR", sample / L"Engravix" / L"~PMLang.dat");
    options.scales.assign(utils::kArtPercents.begin(), utils::kArtPercents.end());
    const checker::CheckResult result = checker::CheckLibrary(options);
    // Only the "Customize" folders that the program makes at its first start.
    for (const checker::Finding& finding : result.findings)
        EXPECT_EQ(finding.code, Code::CustomizeMissing) << Utf8(Listed({finding}));
    EXPECT_EQ(result.counts.models, 4);
    EXPECT_EQ(result.counts.languageSections, 7) << "ENGLISH and English share one section";
    EXPECT_EQ(checker::ExitStatus(result), 0);

    const ProgramRun run =
        RunLibraryCheck(L"--json --root \"" + (sample / L"ZOR").wstring() + L"\" --language-file \"" +
                        (sample / L"Engravix" / L"~PMLang.dat").wstring() + L"\"");
    EXPECT_EQ(run.status, 0u);
    EXPECT_NE(run.output.find("\"errors\": 0, \"warnings\": 0, \"notes\": 6"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\"status\": 0"), std::string::npos) << run.output;

    // Without --root the checker reads the root the registry names for the
    // material manager, as a 32-bit installer leaves it.
    const LibraryRootValue root(KEY_WOW64_32KEY, (sample / L"ZOR").wstring());
    const ProgramRun byRegistry =
        RunLibraryCheck(L"--json --language-file \"" + (sample / L"Engravix" / L"~PMLang.dat").wstring() + L"\"");
    EXPECT_EQ(byRegistry.status, run.status);
    EXPECT_EQ(byRegistry.output, run.output);
}

} // namespace

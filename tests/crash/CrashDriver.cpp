// Saves and imports into one "Customize" folder, one after another, through
// the very functions the Save-as dialog and the import write with; the crash
// test (kill_saves.sh) ends this program with kill -9 at random moments.
//
//   mm_crash_driver init  FOLDER   lays out the library and gives every material a first content
//   mm_crash_driver run   FOLDER   checks what the last kill left, then saves and imports until killed
//   mm_crash_driver check FOLDER   checks what the last kill left, what a start lists and what it removes
//   mm_crash_driver hold  FOLDER   waits until FOLDER\stop appears: keeps Wine's session up between kills
//
// Each step k saves or imports one of eight materials with a content of its
// own. A journal holds "B k" before the step and "E k" after it, so the check
// knows each material's last content and the one a kill may have cut short:
// the file must hold one of the two, byte for byte. The expected bytes are
// made again by the same step into a scratch folder.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/FileBytes.h"
#include "framework/FileFind.h"
#include "library/Library.h"
#include "library/MaterialFile.h"
#include "utils/LibraryScan.h"
#include "utils/MaterialName.h"

namespace {

constexpr int kMaterials = 8;

struct Layout {
    std::wstring root;
    std::wstring Param() const { return root + L"\\ZOR\\parameter_VTX"; }
    std::wstring Customize() const { return Param() + L"\\1_Materials\\Customize"; }
    std::wstring Base() const { return Param() + L"\\1_Materials\\Wood\\Base.spi"; }
    std::wstring Incoming() const { return root + L"\\incoming"; }
    std::wstring Scratch() const { return root + L"\\scratch"; }
    std::wstring Journal() const { return root + L"\\journal.txt"; }
    std::wstring Verdicts() const { return root + L"\\verdicts.txt"; }
    std::wstring Ready() const { return root + L"\\ready"; }
};

std::wstring MaterialName(int material) { return L"Mat" + std::to_wstring(material) + L".spi"; }

// What step k does: which material, and whether it saves or imports.
struct Step {
    int material;
    bool import;
};

Step StepOf(long long k)
{
    if (k < kMaterials)
        return {static_cast<int>(k), k % 2 == 1};
    const unsigned long long h = static_cast<unsigned long long>(k) * 2654435761ull;
    return {static_cast<int>((h >> 8) % kMaterials), ((h >> 16) & 1) != 0};
}

std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool written = fw::WriteAll(file, bytes);
    ::CloseHandle(file);
    return written;
}

std::optional<std::string> ReadBytes(const std::wstring& path)
{
    DWORD error = 0;
    return fw::ReadWholeFile(path, error);
}

// Padding that makes the contents differ in length, so that a kill lands
// in the middle of a copy now and then.
std::string Padding(long long k)
{
    std::string text;
    for (long long i = 0; i < (k * 37) % 400; ++i)
        text += "NOTE" + std::to_string(i) + "=step " + std::to_string(k) + " of the crash test\r\n";
    return text;
}

// A texture beyond ASCII every fifth step: the save then turns the file
// into UTF-16 before it writes the keys.
std::wstring Texture(long long k)
{
    return (k % 5 == 0 ? L"Holz \x00E4 " : L"Texture ") + std::to_wstring(k) + std::wstring(k % 23, L'x');
}

int PowerOf(long long k) { return static_cast<int>(k % 101); }

// The file an import of step k takes over; every third one without texture.
std::string ImportSource(long long k)
{
    std::string text = "[OPTION]\r\nMARK_MODE=" + std::to_string(k % 5) + "\r\nRESOLUTION=500\r\n";
    if (k % 3 != 0)
        text += "MATERIAL=Shared " + std::to_string(k) + "\r\n";
    text += "[PEN]\r\nPEN1SPEED=" + std::to_string(k % 1001) + "\r\nPEN1POWER=" + std::to_string(PowerOf(k)) +
            "\r\nPEN1PPI=300\r\n[EXTRA]\r\n" + Padding(k);
    return text;
}

// Step k into `folder`, as Save as or the import writes; false when the
// write failed.
bool DoStep(const Layout& layout, long long k, const std::wstring& folder, const std::wstring& sources)
{
    const Step step = StepOf(k);
    const std::wstring target = folder + L"\\" + MaterialName(step.material);
    if (step.import) {
        const std::wstring source = sources + L"\\" + MaterialName(step.material);
        return WriteBytes(source, ImportSource(k)) &&
               ImportMaterialFile(folder, target, source, L"Imported " + std::to_wstring(k), true) ==
                   WriteOutcome::Written;
    }
    const double params[5] = {static_cast<double>(k % 5), static_cast<double>(k % 1001) / 10.0,
                              static_cast<double>(PowerOf(k)), static_cast<double>(30 + (k * 13) % 1496),
                              static_cast<double>(1 + k % 8)};
    return SaveMaterialAs(folder, target, layout.Base(), params, Texture(k), true) == WriteOutcome::Written;
}

// The bytes step k leaves in its material, made again in the scratch folder.
std::optional<std::string> ExpectedBytes(const Layout& layout, long long k)
{
    const std::wstring scratch = layout.Scratch();
    const std::wstring file = scratch + L"\\" + MaterialName(StepOf(k).material);
    ::DeleteFileW(file.c_str());
    if (!DoStep(layout, k, scratch, scratch + L"\\incoming"))
        return std::nullopt;
    // Made by the same code as the file it is compared with: it must at
    // least be the material asked for.
    if (ReadMaterialNumber(file, utils::kPowerKey) != PowerOf(k))
        return std::nullopt;
    return ReadBytes(file);
}

struct JournalState {
    std::map<int, long long> last; // material -> step of its content
    std::optional<long long> cut;  // a step begun and not ended
    long long next = 0;
    std::vector<long long> failed;
};

// "B k" begins step k, "E k" ends it, "F k" says it failed, and "X k" says a
// step cut by a kill had not yet replaced its material.
JournalState ReadJournal(const Layout& layout)
{
    JournalState state;
    const std::string text = ReadBytes(layout.Journal()).value_or("");
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            break; // a line cut by the kill
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() < 3 || line.find_first_not_of("0123456789", 2) != std::string::npos)
            continue;
        const long long k = std::stoll(line.substr(2));
        state.next = std::max(state.next, k + 1);
        state.cut.reset();
        if (line[0] == 'B')
            state.cut = k;
        else if (line[0] == 'E')
            state.last[StepOf(k).material] = k;
        else if (line[0] == 'F')
            state.failed.push_back(k);
    }
    return state;
}

void AppendLine(const std::wstring& path, const std::string& line)
{
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    fw::WriteAll(file, line + "\n");
    ::CloseHandle(file);
}

std::vector<std::wstring> TempFilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    for (const std::wstring& name : fw::EnumerateDirectory(folder + L"\\*").value_or(std::vector<std::wstring>{}))
        if (utils::IsOwnTempFileName(name))
            names.push_back(name);
    return names;
}

struct MaterialsChecked {
    std::string problems; // empty when every material holds a content it may hold
    bool cutDone = false; // the cut step's material holds the new content
};

// What the last kill left: every material holds its last content, or the
// one the cut step was writing.
MaterialsChecked CheckMaterials(const Layout& layout, const JournalState& state)
{
    MaterialsChecked checked;
    for (long long k : state.failed)
        checked.problems += " step " + std::to_string(k) + " failed;";
    for (int material = 0; material < kMaterials; ++material) {
        const std::wstring file = layout.Customize() + L"\\" + MaterialName(material);
        const std::optional<std::string> bytes = ReadBytes(file);
        const std::string name = Ascii(MaterialName(material));
        if (!bytes || bytes->empty()) {
            checked.problems += " " + name + (bytes ? " is empty;" : " is missing;");
            continue;
        }
        const auto last = state.last.find(material);
        const bool old = last != state.last.end() && ExpectedBytes(layout, last->second) == bytes;
        const bool cut = state.cut && StepOf(*state.cut).material == material;
        checked.cutDone = checked.cutDone || (cut && ExpectedBytes(layout, *state.cut) == bytes);
        if (!old && !(cut && checked.cutDone))
            checked.problems += " " + name + " holds neither its old nor its new content;";
    }
    return checked;
}

// What the next start lists in "Customize": the program's own scan.
std::string CheckListing(const Layout& layout)
{
    const auto list = [](const std::wstring& folder) { return fw::EnumerateDirectory(folder + L"\\*.*"); };
    const utils::LibraryScan scan = ScanLibraryTree(layout.Param(), list, [](const std::wstring&) { return false; });
    std::vector<std::wstring> expected{layout.Customize(), L".", L".."};
    for (int material = 0; material < kMaterials; ++material)
        expected.push_back(MaterialName(material));
    const std::vector<std::wstring> listed(scan.customizeEntries.begin(),
                                           scan.customizeEntries.begin() + scan.customizeEnd[0]);
    if (listed == expected)
        return {};
    std::string problem = " the start lists:";
    for (const std::wstring& name : listed)
        problem.append(" ").append(Ascii(name));
    return problem.append(";");
}

// Leftovers once they are old enough: the start-up removes them, and them only.
std::string CheckCleanUp(const Layout& layout)
{
    const std::vector<std::wstring> leftovers = TempFilesIn(layout.Customize());
    FILETIME old{};
    ::GetSystemTimeAsFileTime(&old);
    ULARGE_INTEGER time{{old.dwLowDateTime, old.dwHighDateTime}};
    time.QuadPart -= static_cast<unsigned long long>(utils::kLeftoverTempSeconds + 60) * 10'000'000ull;
    old = {time.LowPart, time.HighPart};
    for (const std::wstring& name : leftovers) {
        const HANDLE file = ::CreateFileW((layout.Customize() + L"\\" + name).c_str(), FILE_WRITE_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        ::SetFileTime(file, nullptr, nullptr, &old);
        ::CloseHandle(file);
    }
    const int removed = RemoveLeftoverTempFiles(layout.Customize());
    std::string problems;
    if (removed != static_cast<int>(leftovers.size()) || !TempFilesIn(layout.Customize()).empty())
        problems += " the start-up removed " + std::to_string(removed) + " of " + std::to_string(leftovers.size()) +
                    " leftovers;";
    std::printf("leftover temporary files removed at the start: %d\n", removed);
    return problems;
}

std::string Verdict(const Layout& layout, const JournalState& state, const MaterialsChecked& checked)
{
    const std::string problems = checked.problems + CheckListing(layout);
    const std::string where = "after step " + std::to_string(state.next - 1) +
                              (state.cut ? " (cut: " + std::to_string(*state.cut) + ")" : std::string()) + ", " +
                              std::to_string(TempFilesIn(layout.Customize()).size()) + " temporary files left";
    return (problems.empty() ? "ok " : "FAIL") + problems + " " + where;
}

bool Init(const Layout& layout)
{
    for (const std::wstring& folder :
         {layout.root, layout.root + L"\\ZOR", layout.Param(), layout.Param() + L"\\1_Materials",
          layout.Param() + L"\\1_Materials\\Wood", layout.Customize(), layout.Incoming(), layout.Scratch(),
          layout.Scratch() + L"\\incoming"})
        ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::string base = "[OPTION]\r\nMARK_MODE=1\r\nRESOLUTION=500\r\nMATERIAL=Wood\r\nLAYER=2\r\n[PEN]\r\n"
                             "PEN1SPEED=125\r\nPEN1POWER=50\r\nPEN1PPI=500\r\n[EXTRA]\r\n" +
                             Padding(7);
    if (!WriteBytes(layout.Base(), base))
        return false;
    for (long long k = 0; k < kMaterials; ++k) {
        AppendLine(layout.Journal(), "B " + std::to_string(k));
        if (!DoStep(layout, k, layout.Customize(), layout.Incoming()))
            return false;
        AppendLine(layout.Journal(), "E " + std::to_string(k));
    }
    return true;
}

[[noreturn]] void Run(const Layout& layout)
{
    const JournalState state = ReadJournal(layout);
    const MaterialsChecked checked = CheckMaterials(layout, state);
    AppendLine(layout.Verdicts(), Verdict(layout, state, checked));
    // The step the kill cut either replaced its material or left it alone.
    if (state.cut)
        AppendLine(layout.Journal(), (checked.cutDone ? "E " : "X ") + std::to_string(*state.cut));
    long long k = state.next;
    WriteBytes(layout.Ready(), "");
    for (;; ++k) {
        AppendLine(layout.Journal(), "B " + std::to_string(k));
        const bool done = DoStep(layout, k, layout.Customize(), layout.Incoming());
        AppendLine(layout.Journal(), (done ? "E " : "F ") + std::to_string(k));
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mm_crash_driver init|run|check|hold FOLDER\n");
        return 3;
    }
    const std::wstring mode = argv[1];
    const Layout layout{argv[2]};
    if (mode == L"init")
        return Init(layout) ? 0 : 1;
    if (mode == L"run")
        Run(layout);
    if (mode == L"hold") {
        while (::GetFileAttributesW((layout.root + L"\\stop").c_str()) == INVALID_FILE_ATTRIBUTES)
            ::Sleep(100);
        return 0;
    }
    if (mode != L"check")
        return 3;
    const JournalState state = ReadJournal(layout);
    const std::string verdict = Verdict(layout, state, CheckMaterials(layout, state));
    const std::string cleanUp = CheckCleanUp(layout);
    AppendLine(layout.Verdicts(), cleanUp.empty() ? verdict : "FAIL" + cleanUp + " " + verdict);
    std::printf("%s%s\n", verdict.c_str(), cleanUp.c_str());
    return verdict.rfind("ok", 0) == 0 && cleanUp.empty() ? 0 : 1;
}

// The real start-up, buttons and list over randomised libraries, malformed
// input files and very long paths: the scan's ranges hold, nothing crashes,
// and nothing is created but a group's own "Customize" folder. Each test
// prints one line of figures for the README.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"
#include "utils/HandOffRules.h"
#include "utils/LibraryScan.h"
#include "utils/MaterialName.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

struct Tally {
    int trees = 0;
    int folders = 0;
    int files = 0;
    int slotClicks = 0;
    int materialClicks = 0;
    int items = 0;
    int created = 0;
    int messages = 0;
    int mostCustom = 0;    // custom materials of one library
    int surplusGroups = 0; // groups with more regular categories than buttons
};

// Names as users and installers produce them: accents, Cyrillic, CJK, blanks
// inside, leading dots; never a trailing dot or blank, which Windows drops.
std::wstring RandomName(std::mt19937& random)
{
    static const wchar_t* const kPieces[] = {
        L"Wood",         L"Acryl",        L"glass",   L"Kork", L"\x00C9rable", L"\x0410\x043A\x0440\x0438\x043B",
        L"\x6728\x6750", L"\x00FC\x00DF", L"\x03A3x", L"x y",  L"a-b",         L"_",
        L"Leder",        L"\x00FF",
    };
    std::wstring name;
    const int pieces = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < pieces; ++i)
        name += kPieces[random() % std::size(kPieces)];
    return name;
}

// Names in a folder through the "\\?\" form, which reaches paths of any
// length (the standard library's listing stops at 260 characters).
std::vector<std::wstring> ListFolder(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

// Every path below root, relative to it, at any depth and length.
void SnapshotInto(const std::wstring& root, const std::wstring& relative, std::set<std::wstring>& paths)
{
    for (const std::wstring& name : ListFolder(relative.empty() ? root : root + L"\\" + relative)) {
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        paths.insert(path);
        SnapshotInto(root, path, paths);
    }
}

std::set<std::wstring> Snapshot(const fs::path& root)
{
    std::set<std::wstring> paths;
    SnapshotInto(root.wstring(), L"", paths);
    return paths;
}

class RobustnessTest : public PanelFixture {
protected:
    fs::path Param() const { return ParamFolder(); }

    // Random names may repeat; an entry that exists already is kept as it is.
    void Material(const fs::path& file, const std::string& text)
    {
        std::error_code error;
        if (fs::exists(file, error) || !fs::is_directory(file.parent_path(), error))
            return;
        WriteMaterial(file, text);
        ++m_tally.files;
    }
    bool Folder(const fs::path& folder)
    {
        std::error_code error;
        if (fs::is_directory(folder, error))
            return true;
        fs::create_directories(folder, error);
        m_tally.folders += error ? 0 : 1;
        return !error;
    }

    // One random library below the parameter folder.
    void MakeTree(std::mt19937& random)
    {
        const std::wstring extension = Extension();
        Folder(Param());
        const int entries = static_cast<int>(random() % 6) + (m_manyCustom ? 1 : 0);
        for (int e = 0; e < entries; ++e) {
            // Every fifth library holds hundreds of custom materials in a
            // group, more than an 8-bit running end can count.
            const bool many = m_manyCustom && e == 0;
            const unsigned kind = many ? 0 : random() % 10;
            std::wstring name = kind < 6   ? std::to_wstring(random() % 10) + L"_" + RandomName(random)
                                : kind < 8 ? L"." + RandomName(random)
                                           : RandomName(random);
            const fs::path group = Param() / name;
            if (!many && random() % 8 == 0) {
                Material(group, "[OPTION]\r\n"); // a file where a group folder belongs
                continue;
            }
            if (!Folder(group))
                continue;
            const int categories = static_cast<int>(random() % 13); // more than the buttons now and then
            for (int c = 0; c < categories; ++c) {
                const unsigned what = random() % 12;
                const fs::path category = group / (what == 0   ? std::wstring(L"customize")
                                                   : what == 1 ? std::wstring(L"." + RandomName(random))
                                                               : RandomName(random));
                if (what == 2) {
                    Material(category, "garbage"); // a file where a category folder belongs
                    continue;
                }
                if (!Folder(category))
                    continue;
                const int files = static_cast<int>(random() % 9);
                for (int f = 0; f < files; ++f) {
                    if (random() % 10 == 0) {
                        Folder(category / RandomName(random)); // a sub-folder among the materials
                        continue;
                    }
                    Material(category / (RandomName(random) + std::to_wstring(f) + extension),
                             "[OPTION]\r\nMARK_MODE=" + std::to_string(random() % 6) +
                                 "\r\nRESOLUTION=" + std::to_string(125 * (random() % 9)) + "\r\n[PEN]\r\nPEN1SPEED=" +
                                 std::to_string(random() % 1200) + "\r\nPEN1POWER=" + std::to_string(random() % 120) +
                                 "\r\nPEN1PPI=" + std::to_string(random() % 2000) + "\r\n");
                }
            }
            const unsigned customize = many ? 1 : random() % 6;
            if (customize == 0) {
                Material(group / L"Customize", "not a folder");
            } else if (customize < 3 && Folder(group / L"Customize")) {
                const int files = many                ? 250 + static_cast<int>(random() % 50)
                                  : random() % 3 == 0 ? 100 + static_cast<int>(random() % 200)
                                                      : static_cast<int>(random() % 5);
                for (int f = 0; f < files; ++f)
                    Material(group / L"Customize" / (L"mine " + std::to_wstring(f) + extension),
                             "[OPTION]\r\nMATERIAL=" + std::to_string(f) + "\r\n");
            }
        }
    }

    // The ranges every reader of the scan relies on, against the folders on disk.
    void CheckRanges()
    {
        const MaterialDialogInspector in = Inspect(Dialog());
        const std::wstring param = in.m_strParamFolder;
        ASSERT_EQ(in.m_groupEntryCount, static_cast<int>(in.m_groupEntries.size()));
        ASSERT_GE(in.m_groupEntryCount, 2);
        EXPECT_EQ(in.m_groupEntries[0], L".");
        EXPECT_EQ(in.m_groupEntries[1], L"..");
        ASSERT_EQ(in.m_groupPaths.size(), in.m_groupEntries.size() - 2);
        for (size_t i = 0; i < in.m_groupPaths.size(); ++i) {
            EXPECT_EQ(in.m_groupPaths[i], param + L"\\" + in.m_groupEntries[i + 2]);
        }

        const int groups = std::min<int>(3, in.m_groupEntryCount - 2);
        size_t pathIndex = 0;
        int previousEnd = 0;
        for (int g = 1; g <= 3; ++g) {
            const int start = g == 1 ? 0 : in.m_customizeEnd[g - 2];
            const int end = in.m_customizeEnd[g - 1];
            ASSERT_LE(start, end);
            ASSERT_LE(end, static_cast<int>(in.m_customizeEntries.size()));
            const int slots = g == 1 ? 9 : 8;
            const int base = g == 1 ? 0 : g == 2 ? 9 : 17;
            if (g > groups) {
                EXPECT_EQ(start, end);
                for (int k = 0; k < slots; ++k) {
                    EXPECT_EQ(in.m_categoryEnd[base + k], previousEnd);
                }
                continue;
            }
            const std::wstring groupPath = in.m_groupPaths[static_cast<size_t>(g - 1)];
            ASSERT_LT(start, end);
            // The group's own folder in whatever letter case it has on disk.
            const fs::path customize = in.m_customizeEntries[static_cast<size_t>(start)];
            EXPECT_EQ(customize.parent_path(), fs::path(groupPath));
            EXPECT_TRUE(utils::IsCustomizeName(customize.filename().wstring())) << customize.string();
            if (end - start > 1) {
                ASSERT_GE(end - start, 3);
                EXPECT_EQ(in.m_customizeEntries[static_cast<size_t>(start) + 1], L".");
                EXPECT_EQ(in.m_customizeEntries[static_cast<size_t>(start) + 2], L"..");
                EXPECT_EQ(end - start - 3, static_cast<int>(ListFolder(groupPath + L"\\Customize").size()));
            }
            const int shown = in.m_categoryCount[g - 1] - 1;
            ASSERT_GE(shown, 0);
            ASSERT_LE(shown, 8);
            for (int k = 0; k < slots; ++k) {
                const int slotEnd = in.m_categoryEnd[base + k];
                ASSERT_LE(previousEnd, slotEnd);
                ASSERT_LE(slotEnd, static_cast<int>(in.m_materialEntries.size()));
                if (k >= shown) {
                    EXPECT_EQ(previousEnd, slotEnd) << "group " << g << " slot " << k;
                    continue;
                }
                ASSERT_LT(pathIndex, in.m_categoryPaths.size());
                const std::wstring path = in.m_categoryPaths[pathIndex++];
                EXPECT_EQ(path.rfind(groupPath + L"\\", 0), 0u);
                EXPECT_FALSE(utils::IsCustomizeName(fs::path(path).filename().wstring())) << "a category";
                if (slotEnd > previousEnd) {
                    ASSERT_GE(slotEnd - previousEnd, 2);
                    EXPECT_EQ(in.m_materialEntries[static_cast<size_t>(previousEnd)], L".");
                    EXPECT_EQ(in.m_materialEntries[static_cast<size_t>(previousEnd) + 1], L"..");
                    // Every entry of the folder, sub-folders included.
                    const size_t onDisk = ListFolder(path).size();
                    EXPECT_EQ(static_cast<size_t>(slotEnd - previousEnd - 2), onDisk) << fs::path(path).string();
                } else {
                    EXPECT_FALSE(fs::is_directory(path)) << "a folder with no listing";
                }
                previousEnd = slotEnd;
            }
        }
        EXPECT_EQ(pathIndex, in.m_categoryPaths.size());
        EXPECT_EQ(in.m_categoryEnd[utils::kSlotTableSize - 1], static_cast<int>(in.m_materialEntries.size()));
        EXPECT_EQ(in.m_customizeEnd[2], static_cast<int>(in.m_customizeEntries.size()));
    }

    // A group switch with the column animation run to its end at once.
    void SwitchGroup(int group)
    {
        MaterialDialog& d = Dialog();
        const int id = MaterialDialog::kGroupIds[group - 1];
        ::SendMessageW(d.Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
        for (int i = 0; i < 1000 && !(Inspect(d).m_rowStep > 0 && Inspect(d).m_rowHeight == Inspect(d).m_rowMaxHeight);
             ++i)
            ::SendMessageW(d.Hwnd(), WM_TIMER, static_cast<WPARAM>(group), 0);
        PumpMessages();
    }

    int ListCount() { return static_cast<int>(::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_GETITEMCOUNT, 0, 0)); }

    // Loads the first item of the shown list into the panel.
    void ClickFirstItem()
    {
        if (ListCount() == 0)
            return;
        wchar_t text[512] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 512;
        ::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
        ClickItem(text);
        ++m_tally.materialClicks;
    }

    // Every group, every shown category button and the "Customize" view.
    void ClickEverything()
    {
        MaterialDialog& d = Dialog();
        const int groups = d.IsR250() ? std::min<int>(3, Inspect(d).m_groupEntryCount - 2)
                                      : std::min(1, Inspect(d).m_groupEntryCount - 2);
        for (int g = 1; g <= groups; ++g) {
            if (g != Inspect(d).m_curGroup)
                SwitchGroup(g);
            ASSERT_EQ(Inspect(d).m_curGroup, g);
            const int buttons = std::min(9, Inspect(d).m_categoryCount[g - 1]);
            for (int k = 0; k < buttons; ++k) {
                ChooseSlot(k);
                ++m_tally.slotClicks;
                ASSERT_TRUE(::IsWindow(d.Hwnd()));
                const bool customize = k == Inspect(d).m_customSlot;
                EXPECT_EQ(Inspect(d).m_customizeShown, customize);
                const int base = g == 1 ? 0 : g == 2 ? 9 : 17;
                const MaterialDialogInspector in = Inspect(d);
                const int end = customize ? in.m_customizeEnd[g - 1] : in.m_categoryEnd[base + k];
                const int start = customize       ? (g == 1 ? 0 : in.m_customizeEnd[g - 2]) + 1
                                  : base + k == 0 ? 0
                                                  : in.m_categoryEnd[base + k - 1];
                EXPECT_EQ(ListCount(), std::max(0, end - start - 2)) << "group " << g << " button " << k;
                m_tally.items += ListCount();
                ClickFirstItem();
            }
        }
    }

    // Paths that appeared below the fixture's temporary root, relative to it.
    std::vector<std::wstring> Added(const std::set<std::wstring>& before)
    {
        std::vector<std::wstring> added;
        for (const std::wstring& path : Snapshot(TempRoot()))
            if (!before.count(path))
                added.push_back(path);
        return added;
    }

    // Only "Customize" directly inside one of the first three group folders
    // may have been created.
    void ExpectOnlyCustomizeCreated(const std::set<std::wstring>& before)
    {
        const MaterialDialogInspector in = Inspect(Dialog());
        for (const std::wstring& path : Added(before)) {
            const fs::path full = TempRoot() / path;
            bool allowed = false;
            for (size_t g = 0; g < std::min<size_t>(3, in.m_groupPaths.size()); ++g)
                allowed = allowed || full == fs::path(in.m_groupPaths[g]) / L"Customize";
            EXPECT_TRUE(allowed && fs::is_directory(full)) << "created: " << full.string();
            ++m_tally.created;
        }
    }

    std::set<std::wstring> CurrentFolder()
    {
        std::set<std::wstring> names;
        std::error_code error;
        for (auto it = fs::directory_iterator(fs::current_path(), error); !error && it != fs::directory_iterator();
             it.increment(error))
            names.insert(it->path().filename().wstring());
        return names;
    }

    void RunTrees(const std::wstring& model, unsigned firstSeed, int count)
    {
        for (int t = 0; t < count; ++t) {
            SCOPED_TRACE(testing::Message() << "seed " << firstSeed + t);
            Close();
            std::error_code error;
            fs::remove_all(LibraryRoot(), error);
            std::mt19937 random(firstSeed + static_cast<unsigned>(t));
            m_model = model;
            m_manyCustom = t % 5 == 0;
            MakeTree(random);
            WriteHandOff(model, L"English");
            WriteLanguageFile(L"[AP_English]\r\n1000=Hello\r\n3000=First\r\n3300=One\r\n");
            const std::set<std::wstring> before = Snapshot(TempRoot());
            const std::set<std::wstring> here = CurrentFolder();
            m_catcher.Clear();
            MaterialDialog& d = Open();
            ASSERT_TRUE(::IsWindow(d.Hwnd()));
            ++m_tally.trees;
            int custom = 0;
            const MaterialDialogInspector in = Inspect(d);
            for (int g = 1; g <= 3; ++g)
                custom += std::max(0, in.m_customizeEnd[g - 1] - (g == 1 ? 0 : in.m_customizeEnd[g - 2]) - 3);
            m_tally.mostCustom = std::max(m_tally.mostCustom, custom);
            for (size_t g = 0; g < std::min<size_t>(3, in.m_groupPaths.size()); ++g) {
                int regular = 0;
                for (const std::wstring& name : ListFolder(in.m_groupPaths[g]))
                    regular += name != L"Customize";
                m_tally.surplusGroups += regular > 8;
            }
            CheckRanges();
            ClickEverything();
            ASSERT_TRUE(::IsWindow(d.Hwnd()));
            ExpectOnlyCustomizeCreated(before);
            for (const std::wstring& name : CurrentFolder()) {
                EXPECT_TRUE(here.count(name) || name != L"Customize")
                    << "created in the current folder: " << fs::path(name).string();
            }
            m_tally.messages += static_cast<int>(m_catcher.Messages().size());
            for (const std::wstring& message : m_catcher.Messages()) {
                ADD_FAILURE() << "message: " << fs::path(message).string();
            }
        }
        std::printf(
            "robustness: %s, %d random libraries, %d folders, %d files, %d button clicks, %d items listed, "
            "%d materials loaded, %d folders created (all \"Customize\"), up to %d custom materials in one library, "
            "%d groups with more categories than buttons, %d messages, 0 crashes\n",
            fs::path(model).string().c_str(), m_tally.trees, m_tally.folders, m_tally.files, m_tally.slotClicks,
            m_tally.items, m_tally.materialClicks, m_tally.created, m_tally.mostCustom, m_tally.surplusGroups,
            m_tally.messages);
        RecordProperty("libraries", m_tally.trees);
    }

    Tally m_tally;
    bool m_manyCustom = false;
};

} // namespace

TEST_F(RobustnessTest, RandomLibrariesR250) { RunTrees(L"R250", 1000, 12); }

TEST_F(RobustnessTest, RandomLibrariesOtherModel) { RunTrees(L"VTX", 2000, 12); }

// ---- Malformed input files

namespace {

std::string Garbage(unsigned seed, size_t size)
{
    std::mt19937 random(seed);
    std::string bytes;
    for (size_t i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>(random() & 0xFF));
    return bytes;
}

std::string Utf16(const std::wstring& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF);
        const char high = static_cast<char>((c >> 8) & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// Messages the start-up may show for a hand-off it cannot use.
const std::set<std::wstring> kStartMessages = {L"Machine model Error", L"Material model Error 101",
                                               L"Language Name Error"};

std::string Narrow(const std::wstring& text) { return fs::path(text).string(); }

std::string Joined(const std::vector<std::wstring>& messages)
{
    std::string text;
    for (const std::wstring& message : messages)
        text += (text.empty() ? "" : " | ") + Narrow(message);
    return text.empty() ? "none" : text;
}

} // namespace

class MalformedInputTest : public RobustnessTest {
protected:
    void SetUp() override
    {
        PrepareLibrary(L"R250", {{L"1_Engrave", {L"Glass", L"Wood"}, {L"Mine.VX"}}, {L"2_Cut", {L"Paper"}, {}}});
        WriteMaterial(CategoryFolder(1, 0) / L"Oak.VX", "[OPTION]\r\nMARK_MODE=1\r\n[PEN]\r\nPEN1SPEED=125\r\n");
        WriteLanguageFile(L"[AP_English]\r\n1000=Hello\r\n2000=Engrave\r\n3000=Wood\r\n3001=Glass\r\n");
    }

    // Opens, checks that the dialog lives and that its texts are bounded.
    void OpenAndCheck(const std::string& label, bool clickEverything = false)
    {
        m_catcher.Clear();
        const std::set<std::wstring> before = Snapshot(TempRoot());
        MaterialDialog& d = Open();
        ASSERT_TRUE(::IsWindow(d.Hwnd())) << label;
        EXPECT_LE(Inspect(d).m_strModel.size(), 99u) << label;
        for (const std::wstring& text : Inspect(d).m_panelLabels) {
            EXPECT_LE(text.size(), 99u) << label;
        }
        for (int id : MaterialDialog::kGroupIds) {
            EXPECT_LE(ItemText(id).size(), 99u) << label;
        }
        for (const std::wstring& message : m_catcher.Messages()) {
            EXPECT_TRUE(kStartMessages.count(message)) << label << ": " << Narrow(message);
        }
        if (Inspect(d).m_customSlot >= 0 && Inspect(d).m_customSlot <= 8 && Inspect(d).m_categoryCount[0] > 0) {
            EXPECT_EQ(ItemText(MaterialDialog::kSlotIds[Inspect(d).m_customSlot]), L"Customize") << label;
        }
        // The library is scanned or not at all; nothing else is written.
        for (const std::wstring& path : Added(before)) {
            EXPECT_EQ(fs::path(path).filename(), L"Customize") << label << ": " << Narrow(path);
        }
        if (clickEverything) {
            ClickEverything();
            ASSERT_TRUE(::IsWindow(d.Hwnd())) << label;
        }
        ++m_inputs;
        m_messages += static_cast<int>(m_catcher.Messages().size());
    }

    int m_inputs = 0;
    int m_messages = 0;
};

TEST_F(MalformedInputTest, HandOffInput)
{
    const std::wstring good = L"[MachInfo]\r\nDevice=R250\r\n[Language]\r\nLang=English\r\n";
    const std::wstring huge(5000, L'R');
    const struct {
        const char* label;
        std::string bytes;
    } cases[] = {
        {"binary garbage", Garbage(1, 4096)},
        {"garbage after a valid file", Narrow(good) + Garbage(2, 4096)},
        {"8-bit text", Narrow(good)},
        {"8-bit with Latin-1 language", "[MachInfo]\r\nDevice=R250\r\n[Language]\r\nLang=Fran\xE7"
                                        "ais\r\n"},
        {"UTF-16 big endian", Utf16(good, true)},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + Narrow(good)},
        {"empty file", ""},
        {"no sections", "Device=R250\r\nLang=English\r\n"},
        {"model of 5000 characters",
         Utf16(L"[MachInfo]\r\nDevice=" + huge + L"\r\n[Language]\r\nLang=English\r\n", false)},
        {"language of 5000 characters",
         Utf16(L"[MachInfo]\r\nDevice=R250\r\n[Language]\r\nLang=" + huge + L"\r\n", false)},
        {"line of 100000 characters", std::string(100000, 'x') + "\r\n" + Narrow(good)},
        {"NUL bytes", std::string("[MachInfo]\r\nDev\0ice=R250\r\n", 26) + "[Language]\r\nLang=English\r\n"},
        {"model in lower case", "[MachInfo]\r\nDevice=r250\r\n[Language]\r\nLang=English\r\n"},
        {"model -1", "[MachInfo]\r\nDevice=-1\r\n[Language]\r\nLang=English\r\n"},
        {"model ..\\..", "[MachInfo]\r\nDevice=..\\..\r\n[Language]\r\nLang=English\r\n"},
    };
    for (const auto& c : cases) {
        WriteFile(DataFolder() / L"~Drv2Ma.dat", c.bytes);
        OpenAndCheck(c.label);
        std::printf("robustness: hand-off input, %s: model \"%s\", %d groups, messages: %s\n", c.label,
                    Narrow(Inspect(Dialog()).m_strModel.substr(0, 12)).c_str(),
                    std::max(0, Inspect(Dialog()).m_groupEntryCount - 2), Joined(m_catcher.Messages()).c_str());
        Close();
    }
    std::filesystem::remove(DataFolder() / L"~Drv2Ma.dat");
    OpenAndCheck("missing file");
    EXPECT_EQ(Inspect(Dialog()).m_strModel, L"R250"); // the default model
    std::printf("robustness: hand-off input, %d files tried, %d messages, 0 crashes\n", m_inputs, m_messages);
}

TEST_F(MalformedInputTest, LanguageFile)
{
    const std::wstring huge(5000, L'W');
    const struct {
        const char* label;
        std::string bytes;
    } cases[] = {
        {"binary garbage", Garbage(3, 8192)},
        {"8-bit text", "[AP_English]\r\n1000=Gr\xFC\xDF"
                       "e\r\n2000=Gruppe\r\n3000=Holz\r\n"},
        {"UTF-16 big endian", Utf16(L"[AP_English]\r\n1000=Hello\r\n3000=Wood\r\n", true)},
        {"values of 5000 characters",
         Utf16(L"[AP_English]\r\n1000=" + huge + L"\r\n2000=" + huge + L"\r\n3000=" + huge + L"\r\n", false)},
        {"line of 100000 characters", std::string(100000, '[') + "\r\n[AP_English]\r\n1000=Hello\r\n"},
        {"no section of the language", "[AP_German]\r\n1000=Hallo\r\n"},
        {"keys without values", "[AP_English]\r\n1000\r\n2000=\r\n=3000\r\n"},
        {"empty file", ""},
    };
    for (const auto& c : cases) {
        WriteFile(DataFolder() / L"~PMLang.dat", c.bytes);
        OpenAndCheck(c.label);
        std::printf("robustness: language file, %s: label 1000 \"%s\", group 1 \"%s\", slot 0 \"%s\"\n", c.label,
                    Narrow(Inspect(Dialog()).m_panelLabels.at(0).substr(0, 12)).c_str(),
                    Narrow(ItemText(MaterialDialog::kGroupIds[0]).substr(0, 12)).c_str(),
                    Narrow(ItemText(MaterialDialog::kSlotIds[0]).substr(0, 12)).c_str());
        Close();
    }
    std::printf("robustness: language file, %d files tried, 0 crashes\n", m_inputs);
}

TEST_F(MalformedInputTest, MaterialFiles)
{
    // What the panel shows for each file: speed, power and PPI edits, and the
    // two combo positions; numbers are read as _wtoi reads them and shown
    // as they are (the edits' limits apply to typing, not to loading).
    const struct {
        const char* label;
        std::string bytes;
        const wchar_t* speed;
        const wchar_t* power;
        const wchar_t* ppi;
        int markMode;
    } cases[] = {
        {"speed -5", "[PEN]\r\nPEN1SPEED=-5\r\n", L"-0.5", L"0", L"0", 0},
        {"speed 99999", "[PEN]\r\nPEN1SPEED=99999\r\n", L"9999.9", L"0", L"0", 0},
        {"speed beyond int", "[PEN]\r\nPEN1SPEED=99999999999999999\r\n", L"214748364.7", L"0", L"0", 0},
        {"speed 12abc", "[PEN]\r\nPEN1SPEED=12abc\r\n", L"1.2", L"0", L"0", 0},
        {"power -1, PPI 99999", "[PEN]\r\nPEN1POWER=-1\r\nPEN1PPI=99999\r\n", L"0", L"-1", L"99999", 0},
        {"value of 40 digits", "[PEN]\r\nPEN1PPI=1234567890123456789012345678901234567890\r\n", L"0", L"0",
         L"2147483647", 0},
        {"mark mode 7", "[OPTION]\r\nMARK_MODE=7\r\n", L"0", L"0", L"0", -1},
        {"mark mode -1", "[OPTION]\r\nMARK_MODE=-1\r\n", L"0", L"0", L"0", -1},
        {"no sections", "PEN1SPEED=125\r\n", L"0", L"0", L"0", 0},
        {"binary garbage", Garbage(4, 2048), L"0", L"0", L"0", 0},
        {"UTF-16", Utf16(L"[PEN]\r\nPEN1SPEED=125\r\nPEN1POWER=40\r\n", false), L"12.5", L"40", L"0", 0},
        {"8-bit with Latin-1", "[OPTION]\r\nMATERIAL=\xC9rable\r\n[PEN]\r\nPEN1POWER=7\r\n", L"0", L"7", L"0", 0},
        {"line of 100000 characters", std::string(100000, 'y') + "\r\n[PEN]\r\nPEN1POWER=9\r\n", L"0", L"9", L"0", 0},
        {"empty file", "", L"0", L"0", L"0", 0},
    };
    // Every file is on disk before the start-up's scan lists the category;
    // a file name of its own per case, as the system may cache a profile file.
    const auto caseName = [](std::size_t index) { return L"case " + std::to_wstring(index); };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        WriteMaterial(CategoryFolder(1, 1) / (caseName(i) + L".VX"), cases[i].bytes);
    WriteMaterial(CategoryFolder(1, 1) / L"bw.VX", "[OPTION]\r\nMARK_MODE=1\r\n");
    WriteMaterial(CategoryFolder(1, 1) / L"seven.VX", "[OPTION]\r\nMARK_MODE=7\r\n");
    WriteMaterial(CustomizeFolder(1) / L"Junk.VX", Garbage(5, 1024));
    OpenAndCheck("material library", true);
    MaterialDialog& d = Dialog();
    ShowFolder(1, 1);
    int rangeMessages = 0;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.label);
        const std::wstring name = caseName(i);
        ++m_inputs;
        m_catcher.Clear();
        ClickItem(name);
        ASSERT_TRUE(::IsWindow(d.Hwnd()));
        EXPECT_EQ(ItemText(IDC_SPEED), c.speed);
        EXPECT_EQ(ItemText(IDC_POWER), c.power);
        EXPECT_EQ(ItemText(IDC_PPI), c.ppi);
        EXPECT_EQ(::SendMessageW(Item(IDC_MARK_MODE), CB_GETCURSEL, 0, 0), c.markMode);
        EXPECT_TRUE(m_catcher.Messages().empty());
        const std::wstring shown[3] = {ItemText(IDC_SPEED), ItemText(IDC_POWER), ItemText(IDC_PPI)};
        const int markMode = static_cast<int>(::SendMessageW(Item(IDC_MARK_MODE), CB_GETCURSEL, 0, 0));
        // An edit afterwards checks every field's range against what was loaded.
        // A valid power replaces the shown one; only loaded values can be out of range.
        ::SendMessageW(Item(IDC_POWER), EM_SETSEL, 0, -1);
        Type(IDC_POWER, L"5");
        PumpMessages();
        rangeMessages += static_cast<int>(m_catcher.Messages().size());
        std::printf("robustness: material file, %s: speed %s, power %s, PPI %s, mark mode position %d; "
                    "an edit then shows: %s\n",
                    c.label, Narrow(shown[0]).c_str(), Narrow(shown[1]).c_str(), Narrow(shown[2]).c_str(), markMode,
                    Joined(m_catcher.Messages()).c_str());
    }
    // The mark mode combo after a material with "B/W" and then one with 7.
    ClickItem(L"bw");
    EXPECT_EQ(::SendMessageW(Item(IDC_MARK_MODE), CB_GETCURSEL, 0, 0), 1);
    ClickItem(L"seven");
    EXPECT_EQ(Inspect(d).m_markModeIndex, 7);
    EXPECT_EQ(::SendMessageW(Item(IDC_MARK_MODE), CB_GETCURSEL, 0, 0), CB_ERR);
    std::printf("robustness: material file, mark mode 7 after one with 1: combo position %d\n",
                static_cast<int>(::SendMessageW(Item(IDC_MARK_MODE), CB_GETCURSEL, 0, 0)));

    // A material in "Customize" whose file is garbage: the texture is "N/A".
    ShowFolder(1, kCustomize);
    ClickItem(L"Junk");
    EXPECT_EQ(Inspect(d).m_materialTextureName, L"N/A");
    std::printf("robustness: material files, %d files tried, %d range messages after an edit, 0 crashes\n", m_inputs,
                rangeMessages);
}

// ---- Very long paths

TEST_F(RobustnessTest, LongPaths)
{
    m_model = L"R250";
    int made = 0;
    int refused = 0;
    const size_t rootLength = Param().wstring().size();
    // Three groups with two categories each whose material paths run from
    // below 260 characters to well above; the third group's own name is so
    // long that a saved material's path passes 259 characters.
    const size_t groupLengths[3] = {40, 60, 150};
    const size_t totals[3][2] = {{230, 250}, {258, 262}, {300, 400}};
    for (int g = 0; g < 3; ++g) {
        const std::wstring group = std::to_wstring(g + 1) + std::wstring(groupLengths[g] - 1, L'g');
        for (size_t total : totals[g]) {
            // root \ group \ category \Oak.VX
            const size_t used = rootLength + 1 + group.size() + 1 + 7;
            const std::wstring category =
                std::to_wstring(total) + std::wstring(total > used + 3 ? total - used - 3 : 1, L'c');
            std::error_code error;
            fs::create_directories(Param() / group / category, error);
            if (error) {
                ++refused;
                continue;
            }
            WriteFile(Param() / group / category / L"Oak.VX",
                      "[OPTION]\r\nRESOLUTION=500\r\n[PEN]\r\nPEN1SPEED=125\r\nPEN1PPI=500\r\n");
            ++made;
        }
    }
    WriteHandOff(L"R250", L"English");
    WriteLanguageFile(L"[AP_English]\r\n1000=Hello\r\n");
    const std::set<std::wstring> before = Snapshot(TempRoot());
    m_catcher.Clear();
    MaterialDialog& d = Open();
    ASSERT_TRUE(::IsWindow(d.Hwnd()));
    CheckRanges();
    ClickEverything();
    ASSERT_TRUE(::IsWindow(d.Hwnd()));
    ExpectOnlyCustomizeCreated(before);
    EXPECT_TRUE(m_catcher.Messages().empty()) << Joined(m_catcher.Messages());

    // Save-as from a material whose own path is over 259 characters into the
    // third group's "Customize" folder (210 characters and more), with a name
    // that makes the path too long and one that fits.
    ASSERT_EQ(Inspect(d).m_groupEntryCount, 5);
    SwitchGroup(3);
    std::vector<std::wstring> outcomes;
    for (const std::wstring& name : {std::wstring(80, L'n'), std::wstring(L"Mine")}) {
        ChooseSlot(0);
        ClickFirstItem();
        ASSERT_TRUE(Inspect(d).m_bMaterialShown);
        AnswerSaveAs(name);
        m_catcher.Clear();
        const std::set<std::wstring> beforeSave = Snapshot(TempRoot());
        ReleaseOver(MaterialDialog::kSaveAsArea);
        PumpMessages(100);
        EXPECT_TRUE(SaveAsDialogSeen());
        ASSERT_TRUE(::IsWindow(d.Hwnd()));
        for (const std::wstring& path : Added(beforeSave)) {
            EXPECT_EQ(fs::path(path).parent_path().filename(), L"Customize") << Narrow(path);
            EXPECT_LE((TempRoot() / path).wstring().size(), utils::kMaxPathLength);
        }
        outcomes.push_back(L"name of " + std::to_wstring(name.size()) + L" characters: " +
                           std::to_wstring(Added(beforeSave).size()) + L" files written, messages: " +
                           fs::path(Joined(m_catcher.Messages())).wstring());
    }
    std::printf("robustness: long paths, %d category folders with material paths of 230 to 400 characters made "
                "(%d refused by the file system), %d materials loaded; Save-as: %s; %s; 0 crashes\n",
                made, refused, m_tally.materialClicks, Narrow(outcomes[0]).c_str(), Narrow(outcomes[1]).c_str());
}

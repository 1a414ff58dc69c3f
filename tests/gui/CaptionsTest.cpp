// Language tables and the captions of the group and category buttons.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/gui/LibraryTree.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;
using Texts = std::vector<std::wstring>;

namespace {

constexpr int kSlots[9] = {IDC_SLOT0, IDC_SLOT1, IDC_SLOT2, IDC_SLOT3, IDC_SLOT4,
                           IDC_SLOT5, IDC_SLOT6, IDC_SLOT7, IDC_SLOT8};

// A language section in which every key's text names the key.
std::wstring Section(const std::wstring& language, const std::wstring& prefix)
{
    std::wstring text = L"[AP_" + language + L"]\r\n";
    for (const auto& range : {std::pair{1000, 1012}, std::pair{2000, 2004}, std::pair{3000, 3006},
                              std::pair{3100, 3106}, std::pair{3200, 3203}, std::pair{3300, 3308}})
        for (int key = range.first; key <= range.second; ++key)
            text += std::to_wstring(key) + L"=" + prefix + std::to_wstring(key) + L"\r\n";
    return text;
}

Texts Keys(const std::wstring& prefix, int first, int last)
{
    Texts texts;
    for (int key = first; key <= last; ++key)
        texts.push_back(prefix + std::to_wstring(key));
    return texts;
}

// Category folders C0, C1, ... in each group folder.
std::vector<std::wstring> LibraryOf(const std::wstring& model, const std::vector<int>& categories)
{
    std::vector<std::wstring> entries;
    for (size_t g = 0; g < categories.size(); ++g)
        for (int c = 0; c < categories[g]; ++c)
            entries.push_back(L"parameter_" + model + L"\\" + std::to_wstring(g + 1) + L"_G\\C" + std::to_wstring(c));
    return entries;
}

class CaptionsTest : public DialogFixture {
protected:
    Texts SlotTexts() const
    {
        Texts texts;
        for (int id : kSlots)
            texts.push_back(ItemText(id));
        return texts;
    }
    HFONT ButtonFont(int id) const { return reinterpret_cast<HFONT>(::SendMessageW(Item(id), WM_GETFONT, 0, 0)); }
};

// Records the texts that one window is given.
class TextRecorder {
public:
    explicit TextRecorder(HWND target)
    {
        s_target = target;
        s_texts.clear();
        m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~TextRecorder() { ::UnhookWindowsHookEx(m_hook); }
    TextRecorder(const TextRecorder&) = delete;
    TextRecorder& operator=(const TextRecorder&) = delete;
    const Texts& Received() const { return s_texts; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l)
    {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(l);
        if (code == HC_ACTION && message->hwnd == s_target && message->message == WM_SETTEXT)
            s_texts.push_back(reinterpret_cast<const wchar_t*>(message->lParam));
        return ::CallNextHookEx(nullptr, code, w, l);
    }
    static inline HWND s_target = nullptr;
    static inline Texts s_texts;
    HHOOK m_hook = nullptr;
};

} // namespace

TEST_F(CaptionsTest, R250ReadsThreeGroupsOfNames)
{
    library_tree::Make(LibraryRoot(), LibraryOf(L"R250", {7, 7, 4}));
    WriteHandOff(L"R250", L"German");
    WriteLanguageFile(Section(L"English", L"e") + Section(L"German", L"d"));
    MaterialDialog& dialog = Open();

    EXPECT_EQ(Inspect(dialog).m_panelLabels, Keys(L"d", 1000, 1012));
    EXPECT_EQ(Inspect(dialog).m_groupNames, Keys(L"d", 2000, 2003));
    Texts categories = Keys(L"d", 3000, 3006);
    for (const Texts& more : {Keys(L"d", 3100, 3106), Keys(L"d", 3200, 3203)})
        categories.insert(categories.end(), more.begin(), more.end());
    EXPECT_EQ(Inspect(dialog).m_categoryNames, categories);
    EXPECT_EQ(std::vector<int>(Inspect(dialog).m_groupStart, Inspect(dialog).m_groupStart + 4),
              (std::vector<int>{0, 7, 14, 18}));

    // Group 1 at start-up: seven names, "Customize", and "Customize" carried on.
    EXPECT_EQ(ItemText(IDC_GROUP1), L"d2000");
    EXPECT_EQ(ItemText(IDC_GROUP2), L"d2001");
    EXPECT_EQ(ItemText(IDC_GROUP3), L"d2002");
    Texts slots = Keys(L"d", 3000, 3006);
    slots.insert(slots.end(), {L"Customize", L"Customize"});
    EXPECT_EQ(SlotTexts(), slots);
    EXPECT_EQ(Inspect(dialog).m_customSlot, 7);
    EXPECT_EQ(Inspect(dialog).m_shownCategoryCount, 7);

    dialog.ApplyGroupCaptions(3);
    slots = Keys(L"d", 3200, 3203);
    slots.insert(slots.end(), 5, L"Customize");
    EXPECT_EQ(SlotTexts(), slots);
    EXPECT_EQ(Inspect(dialog).m_customSlot, 4);
    EXPECT_EQ(Inspect(dialog).m_shownCategoryCount, 4);

    dialog.ApplyGroupCaptions(2);
    slots = Keys(L"d", 3100, 3106);
    slots.insert(slots.end(), 2, L"Customize");
    EXPECT_EQ(SlotTexts(), slots);
    EXPECT_EQ(Inspect(dialog).m_customSlot, 7);
}

TEST_F(CaptionsTest, OtherModelsReadOneGroupOfNineNames)
{
    library_tree::Make(LibraryRoot(), LibraryOf(L"VortanXL", {8}));
    WriteHandOff(L"VTX", L"English");
    WriteLanguageFile(Section(L"English", L"e"));
    MaterialDialog& dialog = Open();

    EXPECT_EQ(Inspect(dialog).m_panelLabels, Keys(L"e", 1000, 1012));
    EXPECT_EQ(Inspect(dialog).m_groupNames, Keys(L"e", 2004, 2004));
    EXPECT_EQ(Inspect(dialog).m_categoryNames, Keys(L"e", 3300, 3308));
    EXPECT_EQ(Inspect(dialog).m_groupStart[0], 0);
    EXPECT_EQ(Inspect(dialog).m_groupStart[1], 9);

    // Eight categories and "Customize" on the ninth button, in place of 3308.
    EXPECT_EQ(Inspect(dialog).m_categoryCount[0], 9);
    EXPECT_EQ(ItemText(IDC_GROUP1), L"e2004");
    EXPECT_EQ(ItemText(IDC_GROUP2), L"Radio1"); // not touched
    EXPECT_EQ(ItemText(IDC_GROUP3), L"Radio1");
    Texts slots = Keys(L"e", 3300, 3307);
    slots.push_back(L"Customize");
    EXPECT_EQ(SlotTexts(), slots);
    EXPECT_EQ(Inspect(dialog).m_customSlot, 8);
    EXPECT_EQ(Inspect(dialog).m_shownCategoryCount, 9);
}

TEST_F(CaptionsTest, OtherModelsCarryCustomizeAfterTheirCategories)
{
    // Counts of ten and more (the ninth button showing "Customize") cannot
    // come out of a scan; the caption plan's unit tests cover them.
    library_tree::Make(LibraryRoot(), LibraryOf(L"VTE", {3}));
    WriteHandOff(L"VTE", L"English");
    WriteLanguageFile(Section(L"English", L"e"));
    MaterialDialog& dialog = Open();
    EXPECT_EQ(Inspect(dialog).m_customSlot, 3);
    EXPECT_EQ(ItemText(IDC_SLOT3), L"Customize");
}

TEST_F(CaptionsTest, LanguageWithoutASectionReadsNotAvailable)
{
    library_tree::Make(LibraryRoot(), LibraryOf(L"R250", {7, 7, 4}));
    WriteHandOff(L"R250", L"Klingon");
    WriteLanguageFile(Section(L"English", L"e"));
    MaterialDialog& dialog = Open();
    EXPECT_EQ(Inspect(dialog).m_panelLabels, Texts(13, L"N/A"));
    EXPECT_EQ(ItemText(IDC_GROUP1), L"N/A");
    Texts slots(7, L"N/A");
    slots.insert(slots.end(), 2, L"Customize");
    EXPECT_EQ(SlotTexts(), slots);
}

TEST_F(CaptionsTest, LongTextsAreCutTo99Characters)
{
    library_tree::Make(LibraryRoot(), LibraryOf(L"R250", {7}));
    WriteHandOff(L"R250", L"English");
    const std::wstring longName(150, L'n');
    WriteLanguageFile(L"[AP_English]\r\n3000=" + longName + L"\r\n1012=" + std::wstring(99, L'c') + L"\r\n");
    MaterialDialog& dialog = Open();
    EXPECT_EQ(Inspect(dialog).m_categoryNames.at(0), longName.substr(0, 99));
    EXPECT_EQ(Inspect(dialog).m_panelLabels.at(12), std::wstring(99, L'c'));
    EXPECT_EQ(ItemText(IDC_SLOT0), longName.substr(0, 99));
}

TEST_F(CaptionsTest, EachUpdateReplacesTheOneCaptionFont)
{
    library_tree::Make(LibraryRoot(), LibraryOf(L"R250", {7, 7, 4}));
    WriteHandOff(L"R250", L"English");
    WriteLanguageFile(Section(L"English", L"e"));
    MaterialDialog& dialog = Open();
    ASSERT_TRUE(Inspect(dialog).m_pCaptionFont);
    HFONT previous = Inspect(dialog).m_pCaptionFont->Get();
    ASSERT_NE(previous, nullptr);

    LOGFONTW font{};
    ASSERT_EQ(::GetObjectW(previous, sizeof(font), &font), static_cast<int>(sizeof(font)));
    EXPECT_EQ(font.lfHeight, 14);
    EXPECT_EQ(font.lfWidth, 8);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfPitchAndFamily, 0x31);
    EXPECT_EQ(font.lfCharSet, 0);
    EXPECT_STREQ(font.lfFaceName, L"Arial");

    for (int group : {2, 3, 1, 3}) {
        dialog.ApplyGroupCaptions(group);
        HFONT current = Inspect(dialog).m_pCaptionFont->Get();
        EXPECT_NE(current, previous);
        EXPECT_EQ(::GetObjectType(previous), 0u) << "the previous caption font was not deleted";
        EXPECT_EQ(::GetObjectType(current), static_cast<DWORD>(OBJ_FONT));
        for (int id : {IDC_GROUP1, IDC_GROUP2, IDC_GROUP3, IDC_SLOT0, IDC_SLOT8})
            EXPECT_EQ(ButtonFont(id), current) << id;
        previous = current;
    }
}

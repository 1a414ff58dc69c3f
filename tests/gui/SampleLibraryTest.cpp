// The bundled sample library and language file, read by the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <map>

#include "resources/resource.h"
#include "tests/gui/LibraryTree.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/MaterialDialogInspector.h"
#include "utils/OperatorTexts.h"

using namespace testing_support;
using Texts = std::vector<std::wstring>;

namespace {

// The program's picture lists, by running number within a group.
const std::vector<int> kR250Pictures[3] = {
    {154, 155, 157, 158, 159, 160, 161, 162, 163, 164, 165, 167, 168, 169, 170},
    {154, 155, 157, 158, 159, 160, 161, 162, 163, 164, 165, 167, 168, 169, 170},
    {174, 175, 173, 154, 155, 157, 169, 170, 160, 161, 158, 159, 162, 163, 164, 165, 167, 168, 169, 170},
};
const std::vector<int> kOtherPictures = {176, 154, 155, 176, 157, 176, 176, 160, 161, 176, 176,
                                         176, 176, 164, 176, 176, 169, 170, 176, 176, 176, 176,
                                         176, 176, 176, 176, 176, 176, 176, 176, 176, 176, 176};

// Words of which a material shown with the picture must name one.
const std::map<int, Texts> kSubjects = {
    {154, {L"puzzle"}},
    {155, {L"acrylic"}},
    {157, {L"glass"}},
    {158, {L"box lid"}},
    {159, {L"tag"}},
    {160, {L"2-colour"}},
    {161, {L"dark"}},
    {162, {L"rubber"}},
    {163, {L"rubber"}},
    {164, {L"tile"}},
    {165, {L"paper"}},
    {167, {L"denim"}},
    {168, {L"leather"}},
    {169, {L"plywood"}},
    {170, {L"strip"}},
    {173, {L"plexiglas", L"acrylic"}},
    {174, {L"card", L"sheet"}},
    {175, {L"paper"}},
};

const wchar_t* const kLanguages[] = {L"Traditional Chinese",
                                     L"Simplified Chinese",
                                     L"ENGLISH",
                                     L"English",
                                     L"German",
                                     L"Japanese",
                                     L"French",
                                     L"Spanish"};

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

int ProfileInt(const std::filesystem::path& file, const wchar_t* section, const wchar_t* key)
{
    const std::wstring text = ReadProfile(file, section, key);
    return text == L"<missing>" ? -1 : std::stoi(text);
}

class SampleLibraryTest : public DialogFixture {
protected:
    void SetUp() override { InstallSample(); }

    // Materials of one group in running order, as the list view numbers them.
    Texts GroupMaterials(int group)
    {
        MaterialDialog& d = Dialog();
        const int first = group == 1 ? 0 : group == 2 ? 9 : 17;
        Texts names;
        for (int index = first; index < first + (group == 1 ? 9 : 8); ++index) {
            const int start = index == 0 ? 0 : Inspect(d).m_categoryEnd[index - 1];
            for (int i = start + 2; i < Inspect(d).m_categoryEnd[index]; ++i)
                names.push_back(Inspect(d).m_materialEntries.at(static_cast<size_t>(i)));
        }
        return names;
    }

    void ExpectSubjects(const Texts& materials, const std::vector<int>& pictures, const std::wstring& where)
    {
        ASSERT_LE(materials.size(), pictures.size()) << where;
        for (size_t i = 0; i < materials.size(); ++i) {
            const auto subject = kSubjects.find(pictures[i]);
            if (subject == kSubjects.end())
                continue;
            const std::wstring name = Lower(materials[i]);
            EXPECT_TRUE(std::any_of(subject->second.begin(), subject->second.end(),
                                    [&](const std::wstring& word) { return name.find(word) != std::wstring::npos; }))
                << where << " material " << i << " " << testing::PrintToString(materials[i]) << " shows picture "
                << pictures[i];
        }
    }
};

} // namespace

TEST_F(SampleLibraryTest, R250MaterialsMatchTheirPictures)
{
    WriteHandOff(L"R250", L"English");
    MaterialDialog& dialog = Open();
    EXPECT_TRUE(m_catcher.Messages().empty());
    ASSERT_EQ(Inspect(dialog).m_groupEntryCount - 2, 3);
    EXPECT_EQ(Inspect(dialog).m_categoryCount[0], 8);
    EXPECT_EQ(Inspect(dialog).m_categoryCount[1], 8);
    EXPECT_EQ(Inspect(dialog).m_categoryCount[2], 5);
    for (int group = 1; group <= 3; ++group) {
        const Texts materials = GroupMaterials(group);
        EXPECT_EQ(materials.size(), kR250Pictures[group - 1].size()) << "group " << group;
        for (const std::wstring& name : materials)
            EXPECT_TRUE(name.ends_with(L".VX")) << testing::PrintToString(name);
        ExpectSubjects(materials, kR250Pictures[group - 1], L"group " + std::to_wstring(group));
    }

    EXPECT_EQ(ItemText(IDC_GROUP1), L"Engrave");
    EXPECT_EQ(ItemText(IDC_GROUP2), L"Photo");
    EXPECT_EQ(ItemText(IDC_GROUP3), L"Vector");
    EXPECT_EQ(ItemText(IDC_SLOT0), L"Cardboard");
    EXPECT_EQ(ItemText(IDC_SLOT6), L"Wood");
    EXPECT_EQ(ItemText(IDC_SLOT7), L"Customize");
}

TEST_F(SampleLibraryTest, OtherModelsMaterialsMatchTheirPictures)
{
    for (const wchar_t* model : {L"VTX", L"Vortan", L"VTE"}) {
        WriteHandOff(model, L"German");
        m_catcher.Clear();
        MaterialDialog& dialog = Open();
        EXPECT_TRUE(m_catcher.Messages().empty()) << model;
        ASSERT_EQ(Inspect(dialog).m_groupEntryCount - 2, 1) << model;
        EXPECT_EQ(Inspect(dialog).m_categoryCount[0], 9) << model;
        EXPECT_EQ(Inspect(dialog).m_customSlot, 8);
        const Texts materials = GroupMaterials(1);
        for (const std::wstring& name : materials)
            EXPECT_TRUE(name.ends_with(L".spi")) << testing::PrintToString(name);
        ExpectSubjects(materials, kOtherPictures, model);
        EXPECT_EQ(ItemText(IDC_GROUP1), L"Materialien");
        EXPECT_EQ(ItemText(IDC_SLOT8), L"Customize");
    }
}

TEST_F(SampleLibraryTest, EveryLanguageHasEveryKey)
{
    const std::filesystem::path file = DataFolder() / L"~PMLang.dat";
    std::vector<int> keys;
    for (const auto& range : {std::pair{1000, 1012}, std::pair{2000, 2004}, std::pair{3000, 3006},
                              std::pair{3100, 3106}, std::pair{3200, 3203}, std::pair{3300, 3308}})
        for (int key = range.first; key <= range.second; ++key)
            keys.push_back(key);
    for (const utils::OperatorTextDefault& text : utils::kOperatorTexts)
        keys.push_back(text.key);
    for (const wchar_t* language : kLanguages) {
        const std::wstring section = std::wstring(L"AP_") + language;
        for (int key : keys) {
            const std::wstring value = ReadProfile(file, section.c_str(), std::to_wstring(key).c_str());
            EXPECT_NE(value, L"<missing>") << testing::PrintToString(section) << " " << key;
            EXPECT_FALSE(value.empty()) << testing::PrintToString(section) << " " << key;
        }
        // Each translation names the material where the English text does.
        for (const utils::OperatorTextDefault& text : utils::kOperatorTexts) {
            const std::wstring value = ReadProfile(file, section.c_str(), std::to_wstring(text.key).c_str());
            const bool namesIt = value.find(L"%s") != std::wstring::npos;
            EXPECT_EQ(namesIt, std::wstring_view(text.english).find(L"%s") != std::wstring_view::npos)
                << testing::PrintToString(section) << " " << text.key;
        }
    }
    // Non-Latin text survives the profile reader.
    EXPECT_EQ(ReadProfile(file, L"AP_Japanese", L"2000"), L"彫刻");
    EXPECT_EQ(ReadProfile(file, L"AP_Simplified Chinese", L"1012"), L"取消");
    EXPECT_EQ(ReadProfile(file, L"AP_German", L"1000"), L"Material auswählen");
}

TEST_F(SampleLibraryTest, MaterialValuesAreInRange)
{
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(LibraryRoot())) {
        if (!entry.is_regular_file())
            continue;
        ++files;
        const std::filesystem::path& path = entry.path();
        SCOPED_TRACE(testing::PrintToString(path.wstring()));
        const int mode = ProfileInt(path, L"OPTION", L"MARK_MODE");
        EXPECT_TRUE(mode >= 1 && mode <= 4);
        const int resolution = ProfileInt(path, L"OPTION", L"RESOLUTION");
        const int steps[] = {125, 250, 300, 380, 500, 600, 760, 1000};
        EXPECT_NE(std::find(std::begin(steps), std::end(steps), resolution), std::end(steps)) << resolution;
        const int speed = ProfileInt(path, L"PEN", L"PEN1SPEED");
        EXPECT_TRUE(speed >= 0 && speed <= 1000) << speed;
        const int power = ProfileInt(path, L"PEN", L"PEN1POWER");
        EXPECT_TRUE(power >= 0 && power <= 100) << power;
        const int ppi = ProfileInt(path, L"PEN", L"PEN1PPI");
        EXPECT_TRUE(ppi >= 0 && ppi <= 1525) << ppi;
    }
    EXPECT_EQ(files, 15 + 15 + 20 + 3 * 20);
}

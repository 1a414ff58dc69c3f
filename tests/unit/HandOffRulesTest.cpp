#include <gtest/gtest.h>

#include "utils/HandOffRules.h"

namespace {
const std::wstring kOldFolder = L"C:\\Documents and Settings\\All Users\\ZOR\\Engravix\\";
const std::wstring kNewFolder = L"C:\\Users\\Public\\ZOR\\Engravix\\";
} // namespace

TEST(DataFolderForVersion, ChoosesByMajorAndMinorVersion)
{
    const struct {
        bool succeeded;
        unsigned long major;
        unsigned long minor;
        const std::wstring& folder;
    } cases[] = {
        {true, 3, 51, kOldFolder},
        {true, 4, 0, kOldFolder},
        {true, 4, 90, kOldFolder},
        {true, 5, 0, kOldFolder},
        {true, 5, 1, kOldFolder},
        {true, 5, 2, kNewFolder},
        {true, 5, 3, kNewFolder},
        {true, 6, 0, kNewFolder},
        {true, 6, 1, kNewFolder},
        {true, 6, 2, kNewFolder},
        {true, 10, 0, kNewFolder},
        {true, 0, 0, kOldFolder},
        // A failed query counts as 0.0, whatever the fields hold.
        {false, 0, 0, kOldFolder},
        {false, 6, 1, kOldFolder},
        {false, 10, 0, kOldFolder},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utils::DataFolderForVersion(c.succeeded, c.major, c.minor), c.folder)
            << c.succeeded << " " << c.major << "." << c.minor;
}

TEST(ParameterFolderName, KnowsFourModelsExactly)
{
    EXPECT_EQ(utils::ParameterFolderName(L"R250"), L"parameter_R250");
    EXPECT_EQ(utils::ParameterFolderName(L"VTX"), L"parameter_VortanXL");
    EXPECT_EQ(utils::ParameterFolderName(L"Vortan"), L"parameter_Vortan");
    EXPECT_EQ(utils::ParameterFolderName(L"VTE"), L"parameter_VTE");
    for (const wchar_t* unknown : {L"r250", L"R250 ", L" R250", L"vtx", L"VORTAN", L"VortanXL", L"", L"N/A", L"R25"})
        EXPECT_FALSE(utils::ParameterFolderName(unknown).has_value()) << testing::PrintToString(std::wstring(unknown));
}

TEST(IsAcceptedLanguage, EightNamesCaseSensitive)
{
    for (const wchar_t* name : {L"Traditional Chinese", L"Simplified Chinese", L"ENGLISH", L"English", L"German",
                                L"Japanese", L"French", L"Spanish"})
        EXPECT_TRUE(utils::IsAcceptedLanguage(name)) << testing::PrintToString(std::wstring(name));
    for (const wchar_t* name :
         {L"english", L"german", L"GERMAN", L"N/A", L"", L"Chinese", L"traditional chinese", L"English ", L"Italian"})
        EXPECT_FALSE(utils::IsAcceptedLanguage(name)) << testing::PrintToString(std::wstring(name));
}

TEST(LibraryRootFromSetting, TakesTheFolderAsWrittenWithOneTrailingBackslash)
{
    const struct {
        const wchar_t* setting;
        const wchar_t* root; // nullptr: names no folder, the default root is used
    } cases[] = {
        {L"", nullptr},
        {L"   \t", nullptr},
        {L"\"\"", nullptr},
        {L"\" \"", nullptr},
        {L"D:\\Shop", L"D:\\Shop\\"},
        {L"D:\\Shop\\", L"D:\\Shop\\"},
        {L"  D:\\Shop  ", L"D:\\Shop\\"},
        {L"\"\\\\server\\share\\ZOR\"", L"\\\\server\\share\\ZOR\\"},
        {L" \"D:\\My Shop\" ", L"D:\\My Shop\\"},
        {L"M:", L"M:\\"},
        {L"D:/Shop/", L"D:/Shop/"},
        {L"\"D:\\Half", L"\"D:\\Half\\"},
    };
    for (const auto& c : cases) {
        const std::optional<std::wstring> root = utils::LibraryRootFromSetting(c.setting);
        if (c.root)
            EXPECT_EQ(root, std::wstring(c.root)) << testing::PrintToString(std::wstring(c.setting));
        else
            EXPECT_FALSE(root.has_value()) << testing::PrintToString(std::wstring(c.setting));
    }
}

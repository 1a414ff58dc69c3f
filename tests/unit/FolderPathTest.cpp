#include <gtest/gtest.h>

#include "utils/FolderPath.h"

TEST(FolderPath, SameOrBelowGoesByWholePiecesWhateverTheSpelling)
{
    const struct {
        const wchar_t* path;
        const wchar_t* folder;
        bool inside;
    } cases[] = {
        {L"C:\\ZOR", L"C:\\ZOR\\", true},
        {L"C:\\ZOR\\", L"C:\\ZOR", true},
        {L"C:\\ZOR\\\\", L"C:\\ZOR", true},
        {L"c:\\zor\\parameter_R250\\1Laser", L"C:\\ZOR\\", true},
        {L"C:/ZOR/parameter_R250", L"C:\\ZOR", true},
        {L"C:\\ZORRO", L"C:\\ZOR", false},
        {L"C:\\ZOR", L"C:\\ZORRO", false},
        {L"C:\\", L"C:\\ZOR", false},
        {L"C:\\ZOR", L"C:\\", true},
        {L"D:\\ZOR", L"C:\\ZOR", false},
        {L"C:\\ZOR\\..\\ZORRO", L"C:\\ZOR", false},
        {L"C:\\Export\\..\\ZOR\\Mine", L"C:\\ZOR", true},
        {L"C:\\ZOR\\.\\parameter_VTE\\.", L"C:\\ZOR\\parameter_VTE", true},
        {L"C:\\..\\..\\ZOR", L"C:\\ZOR", true},
        {L"\\\\?\\C:\\ZOR\\parameter_VTE", L"C:\\ZOR", true},
        {L"\\\\?\\UNC\\station\\shared\\ZOR", L"\\\\station\\shared\\ZOR\\", true},
        {L"\\\\station\\shared\\..\\other", L"\\\\station\\shared", true},
        {L"\\\\station\\shared2", L"\\\\station\\shared", false},
        {L"C:\\Users\\Public\\ZOR\\Engravix", L"C:\\Users\\Public\\ZOR\\Engravix\\", true},
        {L"C:\\Users\\Public\\ZOR", L"C:\\Users\\Public\\ZOR\\Engravix\\", false},
        {L"C:\\\x00C4RGER\\\x0436", L"c:\\\x00E4rger", true},
        {L"C:\\ZOR", L"", false},
        {L"", L"C:\\ZOR", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utils::IsSameOrBelow(c.path, c.folder), c.inside)
            << testing::PrintToString(std::wstring(c.path)) << " in " << testing::PrintToString(std::wstring(c.folder));
}

TEST(FolderPath, NormalizedKeepsTheRootAndItsOwnSpelling)
{
    const struct {
        const wchar_t* path;
        const wchar_t* normalized;
    } cases[] = {
        {L"C:\\", L"C:\\"},
        {L"C:\\.", L"C:\\"},
        {L"C:\\a\\..\\..\\Bc\\", L"C:\\Bc"},
        {L"C:/a//b/./", L"C:\\a\\b"},
        {L"\\\\?\\UNC\\station\\shared\\x\\..", L"\\\\station\\shared"},
        {L"\\\\.\\C:\\x", L"C:\\x"},
        {L"..\\..\\x\\.", L"..\\..\\x"},
        {L"\\x\\..\\..", L"\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utils::NormalizedPath(c.path), c.normalized) << testing::PrintToString(std::wstring(c.path));
    EXPECT_TRUE(utils::SamePath(L"C:\\ZOR\\Customize\\mine.spi", L"c:\\zor\\CUSTOMIZE\\Mine.spi"));
    EXPECT_FALSE(utils::SamePath(L"C:\\ZOR\\Customize\\Mine.spi", L"C:\\ZOR\\Customize\\Mine.bak"));
    EXPECT_FALSE(utils::SamePath(L"", L""));
}

#include <gtest/gtest.h>

#include "utils/SplitString.h"

using utils::SplitString;

TEST(SplitString, PiecesBetweenSeparators)
{
    const struct {
        const wchar_t* text;
        const wchar_t* separator;
        std::vector<std::wstring> pieces;
    } cases[] = {
        {L"11,1,7,3", L",", {L"11", L"1", L"7", L"3"}},
        {L"", L",", {}},
        {L"abc", L",", {L"abc"}},
        {L"a,,b", L",", {L"a", L"", L"b"}},
        {L",a", L",", {L"", L"a"}},
        {L"a,", L",", {L"a"}}, // no empty last piece
        {L"a,,", L",", {L"a", L""}},
        {L",", L",", {L""}},
        {L"a--b--c", L"--", {L"a", L"b", L"c"}},
        {L"a-b--c", L"--", {L"a-b", L"c"}},
        {L"a---b", L"--", {L"a", L"-b"}},
        {L"abc", L"", {L"abc"}}, // an empty separator splits nothing
        {L"", L"", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::wstring> pieces;
        SplitString(pieces, c.text, c.separator);
        EXPECT_EQ(pieces, c.pieces) << testing::PrintToString(std::wstring(c.text)) << " at "
                                    << testing::PrintToString(std::wstring(c.separator));
    }
}

TEST(SplitString, EmptiesTheListFirst)
{
    std::vector<std::wstring> pieces{L"old", L"older"};
    SplitString(pieces, L"x,y", L",");
    EXPECT_EQ(pieces, (std::vector<std::wstring>{L"x", L"y"}));
    SplitString(pieces, L"", L",");
    EXPECT_TRUE(pieces.empty());
}

TEST(SplitString, WindowOutlineGivesThirteenPoints)
{
    std::vector<std::wstring> pieces;
    SplitString(pieces, std::wstring(L"11,1,7,3,2,8,1,10,1,392,2,397,3,399,599,400,600,6,598,4") + L",595,2,593,2,11,1",
                L",");
    ASSERT_EQ(pieces.size(), 26u);
    EXPECT_EQ(pieces[14], L"599");
    EXPECT_EQ(pieces[15], L"400");
    EXPECT_EQ(pieces[25], L"1");
}

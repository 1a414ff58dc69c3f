// Encodings of profile files.
#include <gtest/gtest.h>

#include <string>

#include "utils/ProfileText.h"

namespace {

using utils::TextEncoding;

TEST(DetectTextEncoding, ByByteOrderMark)
{
    EXPECT_EQ(utils::DetectTextEncoding("\xFF\xFE[\0"), TextEncoding::Utf16Le);
    EXPECT_EQ(utils::DetectTextEncoding("\xFE\xFF\0["), TextEncoding::Utf16Be);
    EXPECT_EQ(utils::DetectTextEncoding("\xEF\xBB\xBF[a]"), TextEncoding::Utf8Bom);
    EXPECT_EQ(utils::DetectTextEncoding("[a]\r\nb=c"), TextEncoding::EightBit);
    EXPECT_EQ(utils::DetectTextEncoding(""), TextEncoding::EightBit);
    EXPECT_EQ(utils::DetectTextEncoding("\xFF"), TextEncoding::EightBit);
}

TEST(NeedsUnicodeProfile, OnlyForCharactersBeyondAscii)
{
    EXPECT_FALSE(utils::NeedsUnicodeProfile(L""));
    EXPECT_FALSE(utils::NeedsUnicodeProfile(L"C:\\ZOR\\parameter_R250\\1Wood\\Oak~1.VX"));
    EXPECT_FALSE(utils::NeedsUnicodeProfile(std::wstring(1, L'\x7F')));
    EXPECT_TRUE(utils::NeedsUnicodeProfile(L"Holz\x00E4"));
    EXPECT_TRUE(utils::NeedsUnicodeProfile(L"\x6728\x6750"));
}

TEST(EncodeUtf16Le, MarkThenLittleEndianUnits)
{
    EXPECT_EQ(utils::EncodeUtf16Le(L""), std::string("\xFF\xFE"));
    EXPECT_EQ(utils::EncodeUtf16Le(L"A\x6728"), std::string("\xFF\xFE"
                                                            "A\0\x28\x67",
                                                            6));
}

TEST(IsLoneSurrogate, OnlyAHalfOfAPairWithoutItsOtherHalf)
{
    // A pair (U+1F600), a high half alone at the end and before a letter, a
    // low half alone at the start and after a letter.
    const std::wstring text = L"\xDC00"
                              L"a\xD83D\xDE00"
                              L"b\xD800"
                              L"c\xDC01\xD801";
    const bool lone[] = {true, false, false, false, false, true, false, true, true};
    ASSERT_EQ(text.size(), std::size(lone));
    for (std::size_t i = 0; i < text.size(); ++i)
        EXPECT_EQ(utils::IsLoneSurrogate(text, i), lone[i]) << i;
}

} // namespace

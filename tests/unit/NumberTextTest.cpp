#include <gtest/gtest.h>

#include <cmath>

#include "utils/NumberText.h"

using utils::FormatDouble;
using utils::ParseDouble;

TEST(FormatDouble, GeneralFormatWithFifteenSignificantDigits)
{
    const struct {
        double value;
        const wchar_t* text;
    } cases[] = {
        {0.0, L"0"},
        {12.5, L"12.5"},
        {100.0, L"100"},
        {1525.0, L"1525"},
        {0.1, L"0.1"},
        {12.3, L"12.3"},
        {-2.5, L"-2.5"},
        {1e20, L"1e+20"},
        {1.0 / 3.0, L"0.333333333333333"},
        {123456789012345678.0, L"1.23456789012346e+17"},
        {0.0001, L"0.0001"},
        {0.00001, L"1e-05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDouble(c.value), c.text) << c.value;
}

TEST(ParseDouble, AcceptsOneDecimalNumberBetweenBlanks)
{
    const struct {
        const wchar_t* text;
        double value;
    } cases[] = {
        {L"12.5", 12.5}, {L"  12.5", 12.5}, {L"12.5  ", 12.5}, {L"\t7", 7.0},    {L"0", 0.0},
        {L"0.0", 0.0},   {L"00", 0.0},      {L"12.", 12.0},    {L"+3", 3.0},     {L"-4.25", -4.25},
        {L"1e2", 100.0}, {L"1.5E-1", 0.15}, {L".5", 0.5},      {L"12.50", 12.5}, {L"150", 150.0},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseDouble(c.text);
        ASSERT_TRUE(parsed.has_value()) << "text: " << testing::PrintToString(std::wstring(c.text));
        EXPECT_DOUBLE_EQ(*parsed, c.value);
    }
}

TEST(ParseDouble, RejectsWhatIsNotExactlyOneNumber)
{
    const wchar_t* rejected[] = {
        L"",     L"   ", L".",   L"abc", L"12a", L"1 2", L"12.5.1", L"--1", L"1e",
        L"0x10", L"inf", L"nan", L"1,5", L"- 1", L"e5",  L"12 x",   L"+",   L"1e99999",
    };
    for (const wchar_t* text : rejected)
        EXPECT_FALSE(ParseDouble(text).has_value()) << testing::PrintToString(std::wstring(text));
}

TEST(ParseDouble, ZeroMustBeginWithTheDigitZero)
{
    // A text that reads as zero is a number only when it starts with 0.
    EXPECT_TRUE(ParseDouble(L"0").has_value());
    EXPECT_TRUE(ParseDouble(L"  0.000").has_value());
    EXPECT_FALSE(ParseDouble(L".0").has_value());
    EXPECT_FALSE(ParseDouble(L"-0").has_value());
    EXPECT_FALSE(ParseDouble(L"+0.0").has_value());
    EXPECT_FALSE(ParseDouble(L"1e-400").has_value()); // underflows to zero
}

TEST(ParseDouble, RoundTripsEveryOneDecimalSpeed)
{
    for (int tenths = 0; tenths <= 1000; ++tenths) {
        const double value = tenths / 10.0;
        const auto parsed = ParseDouble(FormatDouble(value));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, value);
    }
}

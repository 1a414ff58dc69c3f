// Conversions between material file numbers and panel values.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <optional>
#include <string>

#include "utils/MaterialValues.h"
#include "utils/NumberText.h"

namespace {

TEST(ReadLeadingInt, ReadsLikeTheRuntimesWtoi)
{
    const struct {
        const wchar_t* text;
        int expected;
    } cases[] = {
        {L"125", 125},
        {L"12.5", 12},
        {L"N/A", 0},
        {L"", 0},
        {L"  42", 42},
        {L"\t-7", -7},
        {L"+8x", 8},
        {L"x8", 0},
        {L"-", 0},
        {L"1 2", 1},
        {L"0012", 12},
        {L"2147483647", INT_MAX},
        {L"2147483648", INT_MAX},
        {L"-2147483648", INT_MIN},
        {L"99999999999999999999", INT_MAX},
        {L"-99999999999999999999", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utils::ReadLeadingInt(c.text), c.expected) << std::wstring(c.text).size();
}

TEST(TruncateToInt, TruncatesTowardZeroAndNeverOverflows)
{
    EXPECT_EQ(utils::TruncateToInt(2.9), 2);
    EXPECT_EQ(utils::TruncateToInt(-2.5), -2);
    EXPECT_EQ(utils::TruncateToInt(-0.9), 0);
    EXPECT_EQ(utils::TruncateToInt(1e300), INT_MAX);
    EXPECT_EQ(utils::TruncateToInt(-1e300), INT_MIN);
    EXPECT_EQ(utils::TruncateToInt(std::nan("")), 0);
}

TEST(Speed, EveryOneDecimalSpeedIsWrittenAsItsExactTenths)
{
    for (int tenths = 0; tenths <= 1000; ++tenths) {
        // The speed as the panel's edit hands it over: parsed from its text.
        const std::wstring text = std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10);
        const auto typed = utils::ParseDouble(text);
        ASSERT_TRUE(typed.has_value());
        EXPECT_EQ(utils::SpeedToTenths(*typed), tenths) << tenths;
    }
}

TEST(Speed, ALoadedSpeedEqualsTheValueOfTheTextItShows)
{
    // A speed set back to what was loaded must compare equal to the baseline.
    for (int tenths = 0; tenths <= 1000; ++tenths) {
        const double loaded = utils::SpeedFromTenths(tenths);
        const auto shownAndRead = utils::ParseDouble(utils::FormatDouble(loaded));
        ASSERT_TRUE(shownAndRead.has_value());
        EXPECT_EQ(*shownAndRead, loaded) << tenths;
        EXPECT_EQ(utils::SpeedToTenths(loaded), tenths) << tenths;
    }
    EXPECT_EQ(utils::FormatDouble(utils::SpeedFromTenths(125)), L"12.5");
    EXPECT_EQ(utils::SpeedToTenths(100.0), 1000);
    EXPECT_EQ(utils::SpeedToTenths(0.7), 7);
}

TEST(Resolution, StepsAndPositionsMapBothWays)
{
    const int steps[] = {125, 250, 300, 380, 500, 600, 760, 1000};
    for (int position = 1; position <= 8; ++position) {
        EXPECT_EQ(utils::ResolutionPositionOfValue(steps[position - 1]), position);
        EXPECT_EQ(utils::ResolutionValueOfPosition(position), steps[position - 1]);
        // A position in the record becomes its step, a step stays itself.
        EXPECT_EQ(utils::ResolutionToWrite(position), steps[position - 1]);
        EXPECT_EQ(utils::ResolutionToWrite(steps[position - 1]), steps[position - 1]);
    }
    for (int other : {0, -1, 9, 400, 126, 999, 1001})
        EXPECT_FALSE(utils::ResolutionPositionOfValue(other).has_value()) << other;
    for (int other : {0, -1, 9})
        EXPECT_FALSE(utils::ResolutionValueOfPosition(other).has_value()) << other;
    EXPECT_EQ(utils::ResolutionToWrite(0.0), 0);
    EXPECT_EQ(utils::ResolutionToWrite(5.5), 5); // only exact positions are mapped
    EXPECT_EQ(utils::ResolutionToWrite(-1.0), -1);
}

TEST(StoredValues, EachValueIsCheckedAgainstItsStoredRange)
{
    using utils::Parameter;
    using utils::ValueProblem;
    const struct {
        Parameter parameter;
        std::optional<std::wstring> text;
        ValueProblem expected;
    } cases[] = {
        {Parameter::MarkMode, L"0", ValueProblem::None},
        {Parameter::MarkMode, L"4", ValueProblem::None},
        {Parameter::MarkMode, L"5", ValueProblem::AboveRange},
        {Parameter::MarkMode, L"-1", ValueProblem::BelowRange},
        {Parameter::Speed, L"1000", ValueProblem::None},
        {Parameter::Speed, L"1001", ValueProblem::AboveRange},
        {Parameter::Speed, L"12.5", ValueProblem::NotANumber},
        {Parameter::Power, L" +100", ValueProblem::None},
        {Parameter::Power, L"101", ValueProblem::AboveRange},
        {Parameter::Ppi, L"30", ValueProblem::None},
        {Parameter::Ppi, L"29", ValueProblem::BelowRange},
        {Parameter::Ppi, L"1525", ValueProblem::None},
        {Parameter::Ppi, L"1526", ValueProblem::AboveRange},
        {Parameter::Ppi, L"99999999999999999999", ValueProblem::AboveRange},
        {Parameter::Ppi, L"", ValueProblem::NotANumber},
        {Parameter::Ppi, std::nullopt, ValueProblem::Missing},
        {Parameter::Resolution, L"760", ValueProblem::None},
        {Parameter::Resolution, L"400", ValueProblem::NotAStep},
        {Parameter::Resolution, L"0", ValueProblem::BelowRange},
        {Parameter::Resolution, L"N/A", ValueProblem::NotANumber},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utils::CheckStoredValue(c.parameter, c.text), c.expected)
            << static_cast<int>(c.parameter) << " " << testing::PrintToString(c.text.value_or(L"<missing>"));

    // A material is refused for its first bad value, in the panel's order.
    std::array<std::optional<std::wstring>, utils::kParameterCount> texts{L"1", L"125", L"50", L"500", L"250"};
    EXPECT_FALSE(utils::CheckStoredMaterial(texts).has_value());
    texts[4] = L"251";
    texts[2].reset();
    const auto problem = utils::CheckStoredMaterial(texts);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->parameter, Parameter::Power);
    EXPECT_EQ(problem->problem, ValueProblem::Missing);
}

TEST(DropLeading, CutsAtMostTheWholeText)
{
    EXPECT_EQ(utils::DropLeading(L"C:\\ZOR\\p\\1G\\Wood", 12), L"Wood");
    EXPECT_EQ(utils::DropLeading(L"abc", 3), L"");
    EXPECT_EQ(utils::DropLeading(L"abc", 7), L"");
    EXPECT_EQ(utils::DropLeading(L"abc", 0), L"abc");
}

} // namespace

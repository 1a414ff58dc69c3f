#include "utils/MaterialValues.h"

#include <cmath>
#include <limits>

namespace utils {

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

} // namespace

int ReadLeadingInt(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        return static_cast<int>(-value);
    return value >= kLimit ? std::numeric_limits<int>::max() : static_cast<int>(value);
}

int TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0)
        return std::numeric_limits<int>::max();
    if (value <= -2147483649.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

double SpeedFromTenths(int tenths) { return static_cast<double>(tenths) / 10.0; }

int SpeedToTenths(double speed) { return TruncateToInt(speed * 10.0); }

std::optional<int> ResolutionPositionOfValue(int value)
{
    for (int position = 8; position >= 1; --position)
        if (kResolutionSteps[position - 1] == value)
            return position;
    return std::nullopt;
}

std::optional<int> ResolutionValueOfPosition(int position)
{
    if (position < 1 || position > 8)
        return std::nullopt;
    return kResolutionSteps[position - 1];
}

int ResolutionToWrite(double entry)
{
    for (int position = 8; position >= 1; --position)
        if (entry == static_cast<double>(position))
            return kResolutionSteps[position - 1];
    return TruncateToInt(entry);
}

bool IsWholeInteger(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text[i] < L'0' || text[i] > L'9')
            return false;
    return true;
}

ValueProblem CheckStoredValue(Parameter parameter, const std::optional<std::wstring>& text)
{
    if (!text)
        return ValueProblem::Missing;
    if (!IsWholeInteger(*text))
        return ValueProblem::NotANumber;
    const ParameterRule& rule = RuleOf(parameter);
    const int value = ReadLeadingInt(*text);
    if (value < rule.storedLow)
        return ValueProblem::BelowRange;
    if (value > rule.storedHigh)
        return ValueProblem::AboveRange;
    if (rule.stepsOnly && !ResolutionPositionOfValue(value))
        return ValueProblem::NotAStep;
    return ValueProblem::None;
}

std::optional<MaterialProblem>
CheckStoredMaterial(const std::array<std::optional<std::wstring>, kParameterCount>& texts)
{
    for (std::size_t k = 0; k < kParameterCount; ++k) {
        const auto parameter = static_cast<Parameter>(k);
        if (const ValueProblem problem = CheckStoredValue(parameter, texts[k]); problem != ValueProblem::None)
            return MaterialProblem{parameter, problem};
    }
    return std::nullopt;
}

std::wstring_view DropLeading(std::wstring_view text, std::size_t count)
{
    return count >= text.size() ? std::wstring_view{} : text.substr(count);
}

} // namespace utils

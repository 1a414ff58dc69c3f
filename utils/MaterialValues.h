#pragma once
// Conversions between the numbers of a material file and the values of the
// parameter panel. Free of Win32 so they can be built natively for
// sanitizers and fuzzing.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace utils {

// A key of a material file.
struct MaterialKey {
    const wchar_t* section;
    const wchar_t* name;
};
inline constexpr MaterialKey kMarkModeKey{L"OPTION", L"MARK_MODE"};
inline constexpr MaterialKey kSpeedKey{L"PEN", L"PEN1SPEED"};
inline constexpr MaterialKey kPowerKey{L"PEN", L"PEN1POWER"};
inline constexpr MaterialKey kPpiKey{L"PEN", L"PEN1PPI"};
inline constexpr MaterialKey kResolutionKey{L"OPTION", L"RESOLUTION"};
// The texture name of a custom material.
inline constexpr MaterialKey kTextureKey{L"OPTION", L"MATERIAL"};

// The five values of a material, in the order the panel shows them and
// every reader of a material file keeps them.
enum class Parameter : std::size_t { MarkMode, Speed, Power, Ppi, Resolution };
inline constexpr std::size_t kParameterCount = 5;

// What each value may be: the one table the panel, Save as, the import and
// the library checker all read, so that none of them accepts what another
// refuses.
struct ParameterRule {
    MaterialKey key;
    // What the panel accepts while the value is typed, in the panel's units
    // (the speed in whole units); mark mode and resolution are chosen from
    // their boxes' entries instead.
    double typingLow;
    double typingHigh;
    // What a saved or imported material may hold, as its file stores it (the
    // speed in tenths).
    int storedLow;
    int storedHigh;
    // The stored value must also be one of the resolution steps.
    bool stepsOnly;
};
inline constexpr ParameterRule kParameterRules[kParameterCount] = {
    {kMarkModeKey, 0.0, 4.0, 0, 4, false},
    {kSpeedKey, 0.0, 100.0, 0, 1000, false},
    {kPowerKey, 0.0, 100.0, 0, 100, false},
    {kPpiKey, 0.0, 1525.0, 30, 1525, false},
    {kResolutionKey, 125.0, 1000.0, 125, 1000, true},
};
constexpr const ParameterRule& RuleOf(Parameter parameter)
{
    return kParameterRules[static_cast<std::size_t>(parameter)];
}

// Entries of the mark-mode combo: the empty one, "B/W", "MCF", "3D", "Stamp".
inline constexpr int kMarkModePositions = RuleOf(Parameter::MarkMode).storedHigh + 1;
// Upper limits of the panel's speed, power and PPI while they are typed.
inline constexpr double kSpeedLimit = RuleOf(Parameter::Speed).typingHigh;
inline constexpr double kPowerLimit = RuleOf(Parameter::Power).typingHigh;
inline constexpr double kPpiLimit = RuleOf(Parameter::Ppi).typingHigh;
// Save as raises a smaller PPI to this.
inline constexpr double kMinSavedPpi = RuleOf(Parameter::Ppi).storedLow;

// No material file is larger: a few keys of short values. A larger file is
// no material, and is not read as one.
inline constexpr unsigned long long kMaxMaterialFileBytes = 1 << 20;

// The resolution steps behind combo positions 1..8.
inline constexpr int kResolutionSteps[8] = {125, 250, 300, 380, 500, 600, 760, 1000};

// A number as the C runtime's _wtoi reads it: leading white space, an
// optional sign, then digits up to the first non-digit; no digits give 0.
// Values beyond the int range saturate instead of wrapping.
int ReadLeadingInt(std::wstring_view text);

// A double truncated toward zero, as "%d" of a cast would print it; values
// beyond the int range saturate and a NaN gives 0, so no input is undefined.
int TruncateToInt(double value);

// "PEN1SPEED" holds tenths. Dividing (rather than multiplying by 0.1) gives
// exactly the double that the panel's text of the value parses back to, so a
// speed set back to its loaded value compares equal.
double SpeedFromTenths(int tenths);
// The speed as written: times ten, truncated toward zero.
int SpeedToTenths(double speed);

// Combo position 1..8 of a stored "RESOLUTION" value; nothing for any other.
std::optional<int> ResolutionPositionOfValue(int value);
// Resolution value of a combo position 1..8; nothing for any other.
std::optional<int> ResolutionValueOfPosition(int position);
// The resolution entry of a parameter record as written: an entry of exactly
// 1..8 is a combo position and becomes its step, anything else is already a
// resolution value and is only truncated.
int ResolutionToWrite(double entry);

// Why a stored value cannot stand in a saved or imported material.
enum class ValueProblem {
    None,
    Missing,
    NotANumber, // not one whole number: the panel would read only its leading digits
    BelowRange,
    AboveRange,
    NotAStep, // a resolution that is none of the steps
};

// The whole text is one integer (blanks before it, an optional sign), so
// that the leading-integer reading takes all of it.
bool IsWholeInteger(std::wstring_view text);

// The stored text of one value (nothing when the key is missing).
ValueProblem CheckStoredValue(Parameter parameter, const std::optional<std::wstring>& text);

// The first value of a material that cannot be stored, and why; nothing
// when all five can.
struct MaterialProblem {
    Parameter parameter;
    ValueProblem problem;
};
std::optional<MaterialProblem>
CheckStoredMaterial(const std::array<std::optional<std::wstring>, kParameterCount>& texts);

// `text` less its first `count` characters (all of them when it is shorter).
std::wstring_view DropLeading(std::wstring_view text, std::size_t count);

} // namespace utils

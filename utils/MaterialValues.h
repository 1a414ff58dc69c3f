#pragma once
// Conversions between the numbers of a material file and the values of the
// parameter panel. Free of Win32 so they can be built natively for
// sanitizers and fuzzing.
#include <optional>
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

// Entries of the mark-mode combo: the empty one, "B/W", "MCF", "3D", "Stamp".
inline constexpr int kMarkModePositions = 5;
// Upper limits of the panel's speed, power and PPI (the lower ones are 0).
inline constexpr double kSpeedLimit = 100.0;
inline constexpr double kPowerLimit = 100.0;
inline constexpr double kPpiLimit = 1525.0;
// Save as raises a smaller PPI to this.
inline constexpr double kMinSavedPpi = 30.0;

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

// `text` less its first `count` characters (all of them when it is shorter).
std::wstring_view DropLeading(std::wstring_view text, std::size_t count);

} // namespace utils

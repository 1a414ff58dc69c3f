#include "checker/MaterialCheck.h"

#include <optional>

#include "checker/PlainMaterial.h"
#include "framework/FileBytes.h"
#include "framework/Handle.h"
#include "library/MaterialFile.h"
#include "utils/MaterialValues.h"
#include "utils/NumberText.h"
#include "utils/ProfileText.h"

namespace checker {

namespace {

// Why the file's encoding may read differently elsewhere; nothing when it is
// UTF-16LE with a byte-order mark or plain ASCII.
std::optional<std::wstring> EncodingProblem(std::string_view bytes)
{
    switch (utils::DetectTextEncoding(bytes)) {
    case utils::TextEncoding::Utf16Le:
        return std::nullopt;
    case utils::TextEncoding::Utf16Be:
        return L"is UTF-16 big endian";
    case utils::TextEncoding::Utf8Bom:
        return L"is UTF-8 with a byte-order mark";
    case utils::TextEncoding::EightBit:
        if (!HasNonAscii(bytes))
            return std::nullopt;
        return L"is 8-bit text with characters outside ASCII, which read as whatever the system's code page makes "
               L"of them";
    }
    return std::nullopt;
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

std::wstring Number(double value) { return utils::FormatDouble(value); }

// What the panel makes of a value a saved material may not hold; nothing
// when the value is fine. `key` indexes kParameterKeys.
std::optional<std::wstring> RangeProblem(std::size_t key, const std::wstring& text)
{
    const auto parameter = static_cast<utils::Parameter>(key);
    const utils::ValueProblem problem = utils::CheckStoredValue(parameter, text);
    if (problem == utils::ValueProblem::None)
        return std::nullopt;
    const int value = utils::ReadLeadingInt(text);
    const std::wstring read = std::to_wstring(value);
    switch (parameter) {
    case utils::Parameter::MarkMode:
        return L"MARK_MODE " + read + L" is no mark mode (0 to " +
               std::to_wstring(utils::RuleOf(parameter).storedHigh) + L"): the mark-mode box shows no selection";
    case utils::Parameter::Speed:
        return L"PEN1SPEED " + read + L" is a speed of " + Number(utils::SpeedFromTenths(value)) + L" (0 to " +
               Number(utils::kSpeedLimit) + L"): the panel shows it and refuses the next change with a range message";
    case utils::Parameter::Power:
        return L"PEN1POWER " + read + L" is outside 0 to " + Number(utils::kPowerLimit) +
               L": the panel shows it and refuses the next change with a range message";
    case utils::Parameter::Ppi:
        if (problem == utils::ValueProblem::BelowRange)
            return L"PEN1PPI " + read + L" is below " + Number(utils::kMinSavedPpi) + L": Save as raises it to " +
                   Number(utils::kMinSavedPpi) + L" with a message";
        return L"PEN1PPI " + read + L" is above " + Number(utils::kPpiLimit) +
               L": the panel shows it and refuses the next change with a range message";
    case utils::Parameter::Resolution:
        break;
    }
    std::wstring steps;
    for (int step : utils::kResolutionSteps)
        steps += (steps.empty() ? L"" : L", ") + std::to_wstring(step);
    return L"RESOLUTION " + read + L" is none of " + steps + L": the resolution box keeps whatever it showed before";
}

} // namespace

bool HasNonAscii(std::string_view bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) > 0x7F)
            return true;
    return false;
}

std::wstring ErrorText(DWORD error)
{
    std::wstring message = fw::SystemErrorText(error);
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    return message.empty() ? L"error " + std::to_wstring(error) : message;
}

namespace {

// Custom materials are few; their texture name needs the profile functions in
// any case.
ParameterTexts ReadParameterTexts(const std::wstring& path, std::string_view bytes, bool custom, bool profileOnly)
{
    if (!profileOnly && !custom)
        if (std::optional<ParameterTexts> plain = ReadPlainMaterial(bytes))
            return *plain;
    ParameterTexts texts;
    for (std::size_t k = 0; k < std::size(kParameterKeys); ++k)
        texts[k] = ReadMaterialValue(path, kParameterKeys[k]);
    return texts;
}

// The missing keys first, as one finding, then each value the panel shows
// wrongly or refuses.
void CheckValues(const std::wstring& path, const ParameterTexts& texts, bool custom, std::vector<Finding>& findings)
{
    // What the panel (or the driver) gets for each missing key.
    static const wchar_t* const kWhenMissing[] = {
        L"no mark mode", L"speed 0", L"power 0", L"PPI 0", L"the resolution shown before",
    };
    std::wstring missing;
    std::wstring effects;
    const auto addMissing = [&](utils::MaterialKey key, const wchar_t* effect) {
        missing += (missing.empty() ? L"[" : L", [") + std::wstring(key.section) + L"] " + key.name;
        effects += (effects.empty() ? L"" : L", ") + std::wstring(effect);
    };
    std::vector<Finding> values;
    for (std::size_t k = 0; k < std::size(kParameterKeys); ++k) {
        const std::wstring& text = texts[k];
        if (text == L"N/A") {
            addMissing(kParameterKeys[k], kWhenMissing[k]);
            continue;
        }
        if (!utils::IsWholeInteger(text)) {
            values.push_back({path, Code::NotANumber,
                              std::wstring(kParameterKeys[k].name) + L" " + Quoted(text) +
                                  L" is not a whole number: the panel reads it as " +
                                  std::to_wstring(utils::ReadLeadingInt(text))});
            continue;
        }
        if (const std::optional<std::wstring> problem = RangeProblem(k, text))
            values.push_back({path, Code::OutOfRange, *problem});
    }
    if (custom && ReadMaterialText(path, utils::kTextureKey) == L"N/A")
        addMissing(utils::kTextureKey, L"the texture name \"N/A\" for the driver");
    if (!missing.empty())
        findings.push_back({path, Code::KeyMissing, L"lacks " + missing + L": the material loads with " + effects});
    findings.insert(findings.end(), values.begin(), values.end());
}

} // namespace

void CheckMaterialFile(const std::wstring& path, bool custom, bool profileOnly, std::vector<Finding>& findings)
{
    DWORD error = 0;
    const std::optional<std::string> bytes = fw::ReadWholeFile(path, error, utils::kMaxMaterialFileBytes);
    if (!bytes && error == ERROR_FILE_TOO_LARGE) {
        findings.push_back({path, Code::FileTooLarge,
                            L"is larger than " + std::to_wstring(utils::kMaxMaterialFileBytes >> 20) +
                                L" MiB, which no material file is: it is no material, yet it is listed as one "
                                L"and loading it reads the whole file"});
        return;
    }
    if (!bytes) {
        findings.push_back(
            {path, Code::UnreadableFile,
             L"cannot be read (" + ErrorText(error) + L"): the panel loads it as an empty mark mode and zeros"});
        return;
    }
    if (const std::optional<std::wstring> problem = EncodingProblem(*bytes))
        findings.push_back({path, Code::MaterialEncoding,
                            *problem + L"; only UTF-16LE with a byte-order mark and plain ASCII read the same on "
                                       L"every system"});
    CheckValues(path, ReadParameterTexts(path, *bytes, custom, profileOnly), custom, findings);
}

} // namespace checker

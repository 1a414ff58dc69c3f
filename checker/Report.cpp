#include "checker/Report.h"

#include <cwchar>

#include "utils/ProfileText.h"

namespace checker {

namespace {

std::wstring Counted(int count, const wchar_t* one, const wchar_t* many)
{
    return std::to_wstring(count) + L" " + (count == 1 ? one : many);
}

// Control characters, and surrogates without their partner: a file name may
// hold one (the file system takes any UTF-16 code unit), and UTF-8 has no
// form for it, so only the escape names the file that is there.
std::wstring JsonString(const std::wstring& text)
{
    std::wstring out = L"\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'"' || c == L'\\') {
            out += L'\\';
            out += c;
        } else if (static_cast<unsigned>(c) < 0x20 || utils::IsLoneSurrogate(text, i)) {
            wchar_t escaped[8] = {};
            std::swprintf(escaped, 8, L"\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + L"\"";
}

} // namespace

Tally CountFindings(const CheckResult& result)
{
    Tally tally;
    for (const Finding& finding : result.findings)
        switch (Describe(finding.code).severity) {
        case Severity::Error:
            ++tally.errors;
            break;
        case Severity::Warning:
            ++tally.warnings;
            break;
        case Severity::Note:
            ++tally.notes;
            break;
        }
    return tally;
}

int ExitStatus(const CheckResult& result)
{
    const Tally tally = CountFindings(result);
    return tally.errors ? 2 : tally.warnings ? 1 : 0;
}

std::wstring FormatText(const CheckResult& result, const CheckOptions& options)
{
    std::wstring text;
    for (const Finding& finding : result.findings) {
        const CodeInfo& info = Describe(finding.code);
        text += finding.path + L": " + SeverityName(info.severity) + L" " + info.name + L": " + finding.message + L"\n";
    }
    const Tally tally = CountFindings(result);
    const CheckCounts& counts = result.counts;
    text += Counted(tally.errors, L"error", L"errors") + L", " + Counted(tally.warnings, L"warning", L"warnings") +
            L", " + Counted(tally.notes, L"note", L"notes") + L" in " + options.libraryRoot + L" (" +
            Counted(counts.models, L"model", L"models") + L", " + Counted(counts.groups, L"group", L"groups") + L", " +
            Counted(counts.categories, L"category", L"categories") + L", " +
            Counted(counts.materials, L"material", L"materials") + L") and " + options.languageFile + L" (" +
            Counted(counts.languageSections, L"language section", L"language sections") + L")\n";
    return text;
}

std::wstring FormatJson(const CheckResult& result, const CheckOptions& options)
{
    std::wstring json = L"{\n  \"libraryRoot\": " + JsonString(options.libraryRoot) + L",\n  \"languageFile\": " +
                        JsonString(options.languageFile) + L",\n  \"models\": [";
    for (size_t i = 0; i < options.models.size(); ++i)
        json += (i ? L", " : L"") + JsonString(options.models[i]);
    json += L"],\n  \"findings\": [";
    for (size_t i = 0; i < result.findings.size(); ++i) {
        const Finding& finding = result.findings[i];
        const CodeInfo& info = Describe(finding.code);
        json += std::wstring(i ? L"," : L"") + L"\n    {\"path\": " + JsonString(finding.path) + L", \"severity\": \"" +
                SeverityName(info.severity) + L"\", \"code\": \"" + info.name + L"\", \"message\": " +
                JsonString(finding.message) + L"}";
    }
    const Tally tally = CountFindings(result);
    const CheckCounts& counts = result.counts;
    json += std::wstring(result.findings.empty() ? L"" : L"\n  ") + L"],\n  \"summary\": {\"errors\": " +
            std::to_wstring(tally.errors) + L", \"warnings\": " + std::to_wstring(tally.warnings) + L", \"notes\": " +
            std::to_wstring(tally.notes) + L", \"models\": " + std::to_wstring(counts.models) + L", \"groups\": " +
            std::to_wstring(counts.groups) + L", \"categories\": " + std::to_wstring(counts.categories) +
            L", \"materials\": " + std::to_wstring(counts.materials) + L", \"languageSections\": " +
            std::to_wstring(counts.languageSections) + L"},\n  \"status\": " + std::to_wstring(ExitStatus(result)) +
            L"\n}\n";
    return json;
}

} // namespace checker

#include "utils/HandOffRules.h"

namespace utils {

std::wstring DataFolderForVersion(bool querySucceeded, unsigned long major, unsigned long minor)
{
    if (!querySucceeded)
        major = minor = 0;
    // Windows 2000 and XP keep shared data under "All Users"; Server 2003
    // (5.2) and everything after use the public profile.
    if (major < 5 || (major == 5 && minor <= 1))
        return L"C:\\Documents and Settings\\All Users\\ZOR\\Engravix\\";
    return L"C:\\Users\\Public\\ZOR\\Engravix\\";
}

std::optional<std::wstring> ParameterFolderName(const std::wstring& model)
{
    static const struct {
        const wchar_t* model;
        const wchar_t* folder;
    } kModels[] = {
        {L"R250", L"parameter_R250"},
        {L"VTX", L"parameter_VortanXL"},
        {L"Vortan", L"parameter_Vortan"},
        {L"VTE", L"parameter_VTE"},
    };
    for (const auto& entry : kModels)
        if (model == entry.model)
            return std::wstring(entry.folder);
    return std::nullopt;
}

bool IsAcceptedLanguage(const std::wstring& language)
{
    static const wchar_t* const kLanguages[] = {
        L"Traditional Chinese", L"Simplified Chinese", L"ENGLISH", L"English",
        L"German",              L"Japanese",           L"French",  L"Spanish",
    };
    for (const wchar_t* accepted : kLanguages)
        if (language == accepted)
            return true;
    return false;
}

} // namespace utils

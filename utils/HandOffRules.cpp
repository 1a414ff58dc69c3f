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
    for (const ModelFolder& entry : kModelFolders)
        if (model == entry.model)
            return std::wstring(entry.folder);
    return std::nullopt;
}

bool IsAcceptedLanguage(const std::wstring& language)
{
    for (const wchar_t* accepted : kAcceptedLanguages)
        if (language == accepted)
            return true;
    return false;
}

} // namespace utils

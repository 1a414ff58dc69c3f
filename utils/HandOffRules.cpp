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

std::optional<std::wstring> LibraryRootFromSetting(std::wstring_view setting)
{
    const auto trim = [&setting] {
        while (!setting.empty() && (setting.front() == L' ' || setting.front() == L'\t'))
            setting.remove_prefix(1);
        while (!setting.empty() && (setting.back() == L' ' || setting.back() == L'\t'))
            setting.remove_suffix(1);
    };
    trim();
    // An installer's script may keep the quotes it needed on its command line.
    if (setting.size() >= 2 && setting.front() == L'"' && setting.back() == L'"') {
        setting = setting.substr(1, setting.size() - 2);
        trim();
    }
    if (setting.empty())
        return std::nullopt;
    std::wstring root(setting);
    // Paths under the root are made by adding names to it.
    if (root.back() != L'\\' && root.back() != L'/')
        root += L'\\';
    return root;
}

bool IsAcceptedLanguage(const std::wstring& language)
{
    for (const wchar_t* accepted : kAcceptedLanguages)
        if (language == accepted)
            return true;
    return false;
}

} // namespace utils

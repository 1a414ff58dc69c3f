#include "environment/LanguageFile.h"

#include <cwchar>

#include "framework/Profile.h"
#include "utils/LanguageTables.h"

LanguageFile::LanguageFile(std::wstring path, const std::wstring& language)
    : m_path(std::move(path)), m_section(utils::LanguageSection(language))
{
}

std::wstring LanguageFile::Read(int key, const wchar_t* fallback) const
{
    wchar_t name[16] = {};
    std::swprintf(name, 16, L"%d", key);
    return fw::ReadProfileString(m_path, m_section.c_str(), name, fallback);
}

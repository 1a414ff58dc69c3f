#pragma once
#include <string>

// One language's section of a language file, read the way the program reads
// its texts: each numeric key into a buffer of 100 characters (so at most 99
// remain), `fallback` ("N/A" unless given) when the file, the section or the
// key is missing.
class LanguageFile {
public:
    LanguageFile(std::wstring path, const std::wstring& language);

    std::wstring Read(int key, const wchar_t* fallback = L"N/A") const;

private:
    std::wstring m_path;
    std::wstring m_section;
};

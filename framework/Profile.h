#pragma once
#include <windows.h>
#include <string>

namespace fw {

// A profile (INI) value read the way the program's files are read: into a
// buffer of `capacity` characters, so at most capacity - 1 of them remain, or
// `fallback` when the file, section or key is missing.
std::wstring ReadProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                               const wchar_t* fallback, DWORD capacity);

} // namespace fw

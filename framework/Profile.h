#pragma once
// Profile (INI) files, read and written only through the system's profile
// functions.
#include <windows.h>

#include <functional>
#include <string>

namespace fw {

// Values of the hand-off and language files are read into buffers of this
// many characters, so a value keeps at most its first 99.
inline constexpr DWORD kProfileValueBuffer = 100;

// A value read into a buffer of `capacity` characters, so at most
// capacity - 1 of them remain, or `fallback` when the file, section or key is
// missing.
std::wstring ReadProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                               const wchar_t* fallback, DWORD capacity = kProfileValueBuffer);

// A value read whole, however long (up to the profile functions' own limit).
std::wstring ReadWholeProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                                    const wchar_t* fallback);

// False when the value was not stored.
bool WriteProfileString(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                        const std::wstring& value);
// A number as "%d" prints it.
bool WriteProfileInt(const std::wstring& file, const wchar_t* section, const wchar_t* key, int value);

// Fault injection for the tests of the writers' failure handling: the n-th
// profile write from now on (1: the next one) stores nothing and reports
// failure, as a full disk would; 0 injects nothing.
void FailNthProfileWrite(int n);
// For the tests of writes that meet a change made at the same moment
// elsewhere (another station saving into a shared library): `meanwhile` runs
// just before the n-th profile write from now on (1: the next one).
void BeforeNthProfileWrite(int n, std::function<void()> meanwhile);

// Makes sure a profile file is stored as UTF-16 so that values outside plain
// ASCII survive the profile functions: an 8-bit file is converted with its
// content kept, a missing one is created holding just the byte-order mark.
// False when the file could not be read, converted or created.
bool EnsureUnicodeProfileFile(const std::wstring& path);

} // namespace fw

#pragma once
#include <windows.h>

#include <string>

namespace fw {

// The system's text for an error code, as FormatMessage gives it (usually
// ending in a line break); empty when it has none.
std::wstring SystemText(DWORD code);

} // namespace fw

#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "checker/Findings.h"

namespace checker {

// Bytes beyond 7-bit ASCII: text that reads differently by code page.
bool HasNonAscii(std::string_view bytes);

// The system's text for an error code, to quote within a line.
std::wstring ErrorText(DWORD error);

// The content of the material file at `path`, the path the program reads:
// its encoding, the parameter keys and their values, and for a custom
// material its texture name.
void CheckMaterialFile(const std::wstring& path, bool custom, bool profileOnly, std::vector<Finding>& findings);

} // namespace checker

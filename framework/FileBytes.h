#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace fw {

// The whole file, or nothing with the system's error code.
std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD& error);

} // namespace fw

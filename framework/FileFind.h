#pragma once
#include <optional>
#include <string>
#include <vector>

namespace fw {

// Names of the entries matching a FindFirstFile pattern (for example
// "C:\\folder\\*.*"), in the order the file system returns them, "." and ".."
// included. Nothing when the pattern cannot be enumerated at all.
std::optional<std::vector<std::wstring>> EnumerateDirectory(const std::wstring& pattern);

} // namespace fw

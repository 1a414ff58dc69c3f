#pragma once
// Where a path lies, decided on the text of Windows paths. Free of Win32: a
// caller that holds names the system could resolve further (short 8.3 names,
// links, relative paths) resolves them first, and this decides the rest the
// way the file system compares names: "/" is "\", letter case does not count.
#include <string>
#include <string_view>

namespace utils {

// `path` with "/" read as "\", the system's "\\?\" and "\\.\" prefixes taken
// off, repeated separators and "." pieces dropped and each ".." taking the
// piece before it away (never the root: "C:\", "\\server\share"). No
// separator ends it but the one of a drive's root.
std::wstring NormalizedPath(std::wstring_view path);

// Whether the two paths name the same place, letter case aside. An empty path
// names nothing, not even another empty one.
bool SamePath(std::wstring_view a, std::wstring_view b);

// Whether `path` is `folder` itself or lies anywhere below it, letter case
// aside; "C:\ZORRO" does not lie in "C:\ZOR".
bool IsSameOrBelow(std::wstring_view path, std::wstring_view folder);

} // namespace utils

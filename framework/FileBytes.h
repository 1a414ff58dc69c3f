#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

// The whole file, or nothing with the system's error code. A file larger
// than `limit` bytes is not read at all (ERROR_FILE_TOO_LARGE).
std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD& error, std::uint64_t limit = UINT64_MAX);

// Writes all of `bytes` to an open file.
bool WriteAll(HANDLE file, std::string_view bytes);

// The bytes of `source` into the existing file `target`, which is emptied
// first. Only the content travels: the target keeps its own attributes and
// its times are those of this write.
bool CopyFileBytes(const std::wstring& source, const std::wstring& target);

// Sends what was written to the file out of the system's caches to the disk.
bool FlushFileToDisk(const std::wstring& path);

} // namespace fw

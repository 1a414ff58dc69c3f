#include "framework/FileBytes.h"

#include <algorithm>

#include "framework/Handle.h"

namespace fw {

std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD& error, std::uint64_t limit)
{
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.Get(), &size) && static_cast<std::uint64_t>(size.QuadPart) > limit) {
        error = ERROR_FILE_TOO_LARGE;
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) {
            error = ::GetLastError();
            return std::nullopt;
        }
        if (read == 0)
            return bytes;
        // The file may have grown since its size was taken.
        if (bytes.size() + read > limit) {
            error = ERROR_FILE_TOO_LARGE;
            return std::nullopt;
        }
        bytes.append(buffer, read);
    }
}

bool WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool CopyFileBytes(const std::wstring& source, const std::wstring& target)
{
    const FileHandle from(::CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!from)
        return false;
    const FileHandle to(
        ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to)
        return false;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(from.Get(), buffer, sizeof buffer, &read, nullptr))
            return false;
        if (read == 0)
            return true;
        if (!WriteAll(to.Get(), std::string_view(buffer, read)))
            return false;
    }
}

bool FlushFileToDisk(const std::wstring& path)
{
    // Flushing needs a handle that may write.
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && ::FlushFileBuffers(file.Get());
}

} // namespace fw

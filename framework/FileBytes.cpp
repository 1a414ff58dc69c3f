#include "framework/FileBytes.h"

#include "framework/Handle.h"

namespace fw {

std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD& error)
{
    const FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = ::GetLastError();
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
        bytes.append(buffer, read);
    }
}

} // namespace fw

#include "framework/FileBytes.h"

namespace fw {

std::optional<std::string> ReadWholeFile(const std::wstring& path, DWORD& error)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return std::nullopt;
    }
    std::optional<std::string> bytes{std::in_place};
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
            error = ::GetLastError();
            bytes.reset();
            break;
        }
        if (read == 0)
            break;
        bytes->append(buffer, read);
    }
    ::CloseHandle(file);
    return bytes;
}

} // namespace fw

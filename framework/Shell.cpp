#include "framework/Shell.h"

#include <windows.h>
#include <shellapi.h>

namespace fw {

namespace {

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

bool HasRecycleBin(const std::wstring& path)
{
    wchar_t volume[MAX_PATH] = {};
    if (!::GetVolumePathNameW(path.c_str(), volume, MAX_PATH))
        return false;
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    return SUCCEEDED(::SHQueryRecycleBinW(volume, &info));
}

bool RecycleFile(const std::wstring& path)
{
    // The operation takes a list of names, each ended by a null and the list
    // by one more.
    std::wstring from = path;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    // Should the system find it cannot recycle after all, it asks before
    // deleting for good instead of doing so silently.
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT | FOF_NOERRORUI;
    return ::SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted && !Exists(path);
}

std::vector<std::wstring> TakeDroppedFiles(HDROP drop)
{
    std::vector<std::wstring> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0), L'\0');
        const UINT length = ::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        path.resize(length);
        if (!path.empty())
            paths.push_back(std::move(path));
    }
    ::DragFinish(drop);
    return paths;
}

} // namespace fw

#include "framework/CommonDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>

namespace fw {

std::vector<std::wstring> AskOpenFiles(HWND owner, const std::wstring& description, const std::wstring& pattern)
{
    // The filter is pairs of null-ended texts, the list ended by one more null.
    std::wstring filter = description + L" (" + pattern + L")";
    filter.push_back(L'\0');
    filter += pattern;
    filter.push_back(L'\0');
    // Room for many names: the answer is the folder, then each name, each
    // ended by a null.
    std::wstring buffer(32768, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());
    request.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameW(&request))
        return {};
    std::vector<std::wstring> parts;
    for (const wchar_t* part = buffer.c_str(); *part; part += std::wcslen(part) + 1)
        parts.emplace_back(part);
    // One file comes as its full path; several as the folder and their names.
    if (parts.size() <= 1)
        return parts;
    std::vector<std::wstring> files;
    for (std::size_t i = 1; i < parts.size(); ++i)
        files.push_back(parts[0] + (parts[0].ends_with(L'\\') ? L"" : L"\\") + parts[i]);
    return files;
}

std::wstring AskFolder(HWND owner, const std::wstring& title)
{
    BROWSEINFOW request{};
    request.hwndOwner = owner;
    request.lpszTitle = title.c_str();
    request.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&request);
    if (!chosen)
        return {};
    wchar_t path[MAX_PATH] = {};
    const bool isFolder = ::SHGetPathFromIDListW(chosen, path);
    ::CoTaskMemFree(chosen);
    return isFolder ? std::wstring(path) : std::wstring();
}

} // namespace fw

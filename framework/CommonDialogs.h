#pragma once
// The system's common dialogs for choosing files.
#include <windows.h>

#include <string>
#include <vector>

namespace fw {

// The standard open dialog for one or several existing files of the pattern
// `pattern` (for example "*.spi"), described by `description`; nothing when
// the operator cancels.
std::vector<std::wstring> AskOpenFiles(HWND owner, const std::wstring& description, const std::wstring& pattern);

// The standard folder picker with `title` above the tree; nothing when the
// operator cancels or picks no folder of the file system.
std::wstring AskFolder(HWND owner, const std::wstring& title);

} // namespace fw

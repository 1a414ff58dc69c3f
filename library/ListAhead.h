#pragma once
// The library's folders listed from the file system: at once when a view
// needs one, or ahead of need in short slices while the window is idle.
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/FileFind.h"
#include "library/Library.h"

// The names in a folder of the library, "." and ".." among them; nothing
// when it cannot be listed.
std::optional<std::vector<std::wstring>> ListLibraryFolder(const std::wstring& folder);

// Lists the folders nobody has asked for yet, the shown group's first, a
// slice at a time: a click that arrives meanwhile waits for one slice at most.
class LibraryListAhead {
public:
    // Reads on for about `budget`; false once every folder is listed.
    bool Slice(Library& library, int preferredGroup, std::chrono::milliseconds budget);
    // Drops a listing under way, as when the library is opened again.
    void Stop();

private:
    std::unique_ptr<fw::DirectoryReader> m_reader;
    std::wstring m_path;
};

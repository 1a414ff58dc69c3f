#include "library/MaterialTarget.h"

#include <windows.h>

#include "framework/FileFind.h"

MaterialTarget InspectTarget(const std::wstring& path)
{
    std::optional<std::wstring> held = fw::ResolvedFileName(path);
    if (!held)
        return {};
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    TargetState state = TargetState::Replaceable;
    if (::CompareStringOrdinal(held->c_str(), -1, name.c_str(), -1, TRUE) != CSTR_EQUAL) {
        state = TargetState::OtherFile;
    } else {
        // Attributes that cannot be read tell no more than a read-only file.
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
            state = TargetState::ReadOnly;
    }
    return {state, std::move(*held)};
}

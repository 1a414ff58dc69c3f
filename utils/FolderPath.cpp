#include "utils/FolderPath.h"

#include <algorithm>
#include <vector>

#include "utils/LibraryScan.h"

namespace utils {

namespace {

// The length of the part of `path` that no ".." can leave: "C:\", "C:",
// "\\server\share" or "\"; 0 for a relative path.
std::size_t RootLength(std::wstring_view path)
{
    if (path.size() >= 2 && path[1] == L':')
        return path.size() > 2 && path[2] == L'\\' ? 3 : 2;
    if (path.starts_with(L"\\\\")) {
        const std::size_t server = path.find(L'\\', 2);
        if (server == std::wstring_view::npos)
            return path.size();
        const std::size_t share = path.find(L'\\', server + 1);
        return share == std::wstring_view::npos ? path.size() : share;
    }
    return path.starts_with(L'\\') ? 1 : 0;
}

std::wstring Upcased(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), UpcaseUnit);
    return text;
}

} // namespace

std::wstring NormalizedPath(std::wstring_view path)
{
    std::wstring text(path);
    std::replace(text.begin(), text.end(), L'/', L'\\');
    // "\\?\C:\x" and "\\?\UNC\server\share\x" name what "C:\x" and
    // "\\server\share\x" name.
    if (text.starts_with(L"\\\\?\\") || text.starts_with(L"\\\\.\\")) {
        text.erase(0, 4);
        if (SameNameIgnoringCase(std::wstring_view(text).substr(0, 4), L"UNC\\"))
            text.replace(0, 3, L"\\");
    }
    const std::size_t rootLength = RootLength(text);
    std::wstring normalized = text.substr(0, rootLength);
    std::vector<std::wstring_view> pieces;
    const std::wstring_view rest = std::wstring_view(text).substr(rootLength);
    for (std::size_t start = 0; start <= rest.size();) {
        const std::size_t end = std::min(rest.find(L'\\', start), rest.size());
        const std::wstring_view piece = rest.substr(start, end - start);
        if (piece == L"..") {
            // Above the root is the root; a relative path keeps its way up.
            if (!pieces.empty() && pieces.back() != L"..")
                pieces.pop_back();
            else if (rootLength == 0)
                pieces.push_back(piece);
        } else if (!piece.empty() && piece != L".") {
            pieces.push_back(piece);
        }
        start = end + 1;
    }
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0 || (!normalized.empty() && !normalized.ends_with(L'\\') && !normalized.ends_with(L':')))
            normalized.push_back(L'\\');
        normalized.append(pieces[i]);
    }
    return normalized;
}

bool SamePath(std::wstring_view a, std::wstring_view b)
{
    return !a.empty() && !b.empty() && SameNameIgnoringCase(NormalizedPath(a), NormalizedPath(b));
}

bool IsSameOrBelow(std::wstring_view path, std::wstring_view folder)
{
    if (path.empty() || folder.empty())
        return false;
    const std::wstring inner = Upcased(NormalizedPath(path));
    const std::wstring outer = Upcased(NormalizedPath(folder));
    if (!inner.starts_with(outer))
        return false;
    // Whole pieces only: "C:\ZORRO" begins with "C:\ZOR" but is not in it.
    return inner.size() == outer.size() || outer.ends_with(L'\\') || inner[outer.size()] == L'\\';
}

} // namespace utils

#include "utils/SplitString.h"

namespace utils {

void SplitString(std::vector<std::wstring>& pieces, std::wstring text, std::wstring separator)
{
    pieces.clear();
    std::wstring::size_type pos = 0;
    // An empty separator would be found at every position without advancing.
    if (!separator.empty()) {
        for (;;) {
            const std::wstring::size_type found = text.find(separator, pos);
            if (found == std::wstring::npos)
                break;
            pieces.push_back(text.substr(pos, found - pos));
            pos = found + separator.size();
        }
    }
    if (pos < text.size())
        pieces.push_back(text.substr(pos));
}

} // namespace utils

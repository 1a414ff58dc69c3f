#pragma once
#include <string>
#include <vector>

namespace utils {

// Splits text at every occurrence of separator. Two separators in a row give
// an empty piece between them; a separator at the very end gives no empty last
// piece; an empty text gives an empty list. An empty separator cannot split
// anything, so the whole (non-empty) text becomes the only piece. The list is
// emptied first.
void SplitString(std::vector<std::wstring>& pieces, std::wstring text, std::wstring separator);

} // namespace utils

#include "utils/OperatorTexts.h"

namespace utils {

OperatorTexts::OperatorTexts()
{
    for (std::size_t i = 0; i < m_texts.size(); ++i)
        m_texts[i] = kOperatorTexts[i].english;
}

std::wstring OperatorTexts::Format(OperatorText which, std::wstring_view name) const
{
    // Replaced by hand rather than by a printf format: a translated text is
    // data and must not be able to ask for arguments that are not there.
    const std::wstring& pattern = Get(which);
    std::wstring text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, L"%s") == 0) {
            text.append(name);
            ++i;
        } else {
            text.push_back(pattern[i]);
        }
    }
    return text;
}

} // namespace utils

#include "utils/LanguageTables.h"

#include <span>

namespace utils {

namespace {

enum class List { PanelLabels, GroupNames, CategoryNames };

struct KeyRange {
    List list;
    int first;
    int last;
};

// In reading order; every category range is one group.
constexpr KeyRange kR250Keys[] = {
    {List::PanelLabels, 1000, 1012},   {List::GroupNames, 2000, 2003},    {List::CategoryNames, 3000, 3006},
    {List::CategoryNames, 3100, 3106}, {List::CategoryNames, 3200, 3203},
};
constexpr KeyRange kOtherKeys[] = {
    {List::PanelLabels, 1000, 1012},
    {List::GroupNames, 2004, 2004},
    {List::CategoryNames, 3300, 3308},
};

} // namespace

std::wstring LanguageSection(const std::wstring& language) { return L"AP_" + language; }

LanguageTables ReadLanguageTables(bool r250, const std::function<std::wstring(int key)>& read)
{
    LanguageTables tables;
    tables.groupStarts.push_back(0);
    const std::span<const KeyRange> ranges = r250 ? std::span<const KeyRange>(kR250Keys) : kOtherKeys;
    for (const KeyRange& range : ranges) {
        std::vector<std::wstring>& list = range.list == List::PanelLabels  ? tables.panelLabels
                                          : range.list == List::GroupNames ? tables.groupNames
                                                                           : tables.categoryNames;
        for (int key = range.first; key <= range.last; ++key)
            list.push_back(read(key));
        if (range.list == List::CategoryNames)
            tables.groupStarts.push_back(static_cast<std::uint8_t>(tables.categoryNames.size()));
    }
    return tables;
}

} // namespace utils

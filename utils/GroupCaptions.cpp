#include "utils/GroupCaptions.h"

#include "utils/LibraryScan.h"

namespace utils {

std::optional<GroupCaptionPlan> PlanGroupCaptions(bool r250, int group, const std::vector<std::wstring>& groupNames,
                                                  const std::vector<std::wstring>& categoryNames,
                                                  std::span<const std::uint8_t, 4> groupStart,
                                                  std::span<const int, 3> categoryCount,
                                                  std::int32_t previousCustomSlot)
{
    if (!r250)
        group = 1;
    if (group < 1 || group > 3)
        return std::nullopt;
    GroupCaptionPlan plan;
    plan.customSlot = previousCustomSlot;

    // The caption text is carried from button to button: a slot without a
    // name of its own repeats the one before it.
    std::wstring text;
    const int groupButtons = r250 ? 3 : 1;
    for (int b = 0; b < groupButtons; ++b) {
        text = b < static_cast<int>(groupNames.size()) ? groupNames[static_cast<size_t>(b)] : std::wstring();
        plan.groupCaptions.push_back({b, text});
    }

    const int g = group - 1;
    const int last = categoryCount[static_cast<size_t>(g)] - 1;
    const int first = groupStart[static_cast<size_t>(g)];
    const int names = groupStart[static_cast<size_t>(group)] - first;
    plan.shownCategoryCount = names;
    for (int i = 0; i < 9; ++i) {
        if (i < names && first + i < static_cast<int>(categoryNames.size()))
            text = categoryNames[static_cast<size_t>(first + i)];
        if (i == last) {
            text = kCustomizeName;
            plan.customSlot = i;
        }
        plan.slotCaptions.push_back({i, text});
    }
    // Other models name nine categories; a tenth button would be "Customize",
    // and only the ninth button can show it.
    if (!r250 && last == 9) {
        text = kCustomizeName;
        plan.customSlot = 9;
        plan.slotCaptions.push_back({8, text});
    }
    return plan;
}

} // namespace utils

#pragma once
// Which caption goes on which group and category button when a group is shown.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace utils {

struct CaptionStep {
    int button; // group button 0..2, or category slot 0..8
    std::wstring text;
};

struct GroupCaptionPlan {
    std::vector<CaptionStep> groupCaptions; // in the order they are applied
    std::vector<CaptionStep> slotCaptions;  // in the order they are applied
    std::int32_t customSlot = 0;            // slot that carries "Customize"
    std::int32_t shownCategoryCount = 0;    // category names of the group
};

// The captions of group `group` (1..3; other models always show group 1).
// groupStart[g] is the first name of group g + 1 in categoryNames and
// categoryCount[g] its number of category buttons, "Customize" included.
// previousCustomSlot is kept when no slot carries "Customize". Nothing for an
// "R250" group outside 1..3.
std::optional<GroupCaptionPlan> PlanGroupCaptions(bool r250, int group, const std::vector<std::wstring>& groupNames,
                                                  const std::vector<std::wstring>& categoryNames,
                                                  std::span<const std::uint8_t, 4> groupStart,
                                                  std::span<const int, 3> categoryCount,
                                                  std::int32_t previousCustomSlot);

} // namespace utils

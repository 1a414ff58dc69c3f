// The caption plan for any model, group, counts, language tables and
// previous "Customize" slot: each button's caption follows the carrying rule,
// the slot that carries "Customize" is the one the counts name, and with the
// tables the language loader builds, exactly the expected slots read
// "Customize".
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "utils/GroupCaptions.h"

namespace {

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            __builtin_trap();                                                                                          \
    } while (0)

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::int32_t Int32()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | Byte();
        return static_cast<std::int32_t>(value);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

const std::wstring kCustomize = L"Customize";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    const std::uint8_t flags = in.Byte();
    const bool r250 = (flags & 1) != 0;
    // Tables as the language loader builds them, or anything at all.
    const bool loaderTables = (flags & 2) != 0;
    const int group = static_cast<int>(in.Byte() % 8) - 2;
    std::int32_t previous = in.Int32();

    std::uint8_t groupStart[4] = {};
    std::vector<std::wstring> groupNames;
    std::vector<std::wstring> categoryNames;
    const auto name = [&](int i) {
        const std::uint8_t pick = in.Byte();
        if (pick < 8 && !loaderTables)
            return kCustomize;
        return pick < 64 ? std::wstring(L"N/A") : L"Name " + std::to_wstring(i) + L"/" + std::to_wstring(pick);
    };
    if (loaderTables) {
        const std::uint8_t starts[4] = {0, 7, 14, 18};
        const std::uint8_t other[4] = {0, 9, 0, 0};
        for (int i = 0; i < 4; ++i)
            groupStart[i] = r250 ? starts[i] : other[i];
        for (int i = 0; i < (r250 ? 4 : 1); ++i)
            groupNames.push_back(name(i));
        for (int i = 0; i < (r250 ? 18 : 9); ++i)
            categoryNames.push_back(name(i));
    } else {
        for (std::uint8_t& start : groupStart)
            start = in.Byte();
        for (int i = in.Byte() % 6; i > 0; --i)
            groupNames.push_back(name(i));
        for (int i = in.Byte() % 40; i > 0; --i)
            categoryNames.push_back(name(i));
    }
    // Counts as a scan gives them (0 for a missing group, 1 to 9 otherwise),
    // and beyond that.
    int counts[3];
    for (int& count : counts)
        count = static_cast<int>(in.Byte() % 24) - 4;

    const auto plan = utils::PlanGroupCaptions(r250, group, groupNames, categoryNames,
                                               std::span<const std::uint8_t, 4>(groupStart),
                                               std::span<const int, 3>(counts), previous);
    if (r250 && (group < 1 || group > 3)) {
        CHECK(!plan);
        return 0;
    }
    CHECK(plan);
    const int g = r250 ? group - 1 : 0;
    const int last = counts[g] - 1;
    const int n = groupStart[g + 1] - groupStart[g];
    CHECK(plan->shownCategoryCount == n);

    // Group buttons: three for "R250", one otherwise, each its own name.
    const std::size_t groupButtons = r250 ? 3 : 1;
    CHECK(plan->groupCaptions.size() == groupButtons);
    for (std::size_t b = 0; b < groupButtons; ++b) {
        CHECK(plan->groupCaptions[b].button == static_cast<int>(b));
        CHECK(plan->groupCaptions[b].text == (b < groupNames.size() ? groupNames[b] : std::wstring()));
    }

    // Slots 0..8 in order; each takes its own name, "Customize" at the last
    // button, or else repeats the caption before it.
    const bool tenth = !r250 && last == 9;
    CHECK(plan->slotCaptions.size() == (tenth ? 10u : 9u));
    std::wstring carried = plan->groupCaptions.back().text;
    std::map<int, std::wstring> shown;
    for (int i = 0; i < static_cast<int>(plan->slotCaptions.size()); ++i) {
        const utils::CaptionStep& step = plan->slotCaptions[static_cast<std::size_t>(i)];
        CHECK(step.button == (i < 9 ? i : 8));
        const int index = groupStart[g] + i;
        if (i == last || i == 9)
            CHECK(step.text == kCustomize);
        else if (i < n && index < static_cast<int>(categoryNames.size()))
            CHECK(step.text == categoryNames[static_cast<std::size_t>(index)]);
        else
            CHECK(step.text == carried);
        carried = step.text;
        shown[step.button] = step.text;
    }

    // The "Customize" slot is the last button when there is one, else unchanged.
    if (last >= 0 && last <= 8)
        CHECK(plan->customSlot == last);
    else if (tenth)
        CHECK(plan->customSlot == 9);
    else
        CHECK(plan->customSlot == previous);

    if (loaderTables) {
        // Names never read "Customize" here, so the buttons that show it are
        // the last one, the unnamed ones after it, and the ninth for a tenth.
        for (int i = 0; i < 9; ++i) {
            const bool expected = (last >= 0 && last <= 8 && i >= last && (i == last || last + 1 >= n)) ||
                                  (tenth && i == 8);
            CHECK((shown[i] == kCustomize) == expected);
        }
    }
    return 0;
}

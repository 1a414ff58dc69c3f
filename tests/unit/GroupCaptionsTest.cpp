#include <gtest/gtest.h>

#include <array>

#include "utils/GroupCaptions.h"

using utils::GroupCaptionPlan;
using Names = std::vector<std::wstring>;

namespace {

// Language tables as they are loaded: "R250" names groups 2000..2003 and
// categories 3000..3006, 3100..3106, 3200..3203; other models 2004 and
// 3300..3308.
struct Tables {
    Names groupNames;
    Names categoryNames;
    std::array<std::uint8_t, 4> groupStart{};
};

Names Keys(int first, int last)
{
    Names names;
    for (int key = first; key <= last; ++key)
        names.push_back(L"k" + std::to_wstring(key));
    return names;
}

Tables R250Tables()
{
    Tables t;
    t.groupNames = Keys(2000, 2003);
    for (const auto& range : {std::pair{3000, 3006}, std::pair{3100, 3106}, std::pair{3200, 3203}})
        for (const std::wstring& name : Keys(range.first, range.second))
            t.categoryNames.push_back(name);
    t.groupStart = {0, 7, 14, 18};
    return t;
}

Tables OtherTables()
{
    Tables t;
    t.groupNames = Keys(2004, 2004);
    t.categoryNames = Keys(3300, 3308);
    t.groupStart = {0, 9, 77, 99}; // the last two are not set for other models
    return t;
}

GroupCaptionPlan Plan(bool r250, int group, const Tables& t, std::array<int, 3> counts, int previousSlot = -5)
{
    const auto plan =
        utils::PlanGroupCaptions(r250, group, t.groupNames, t.categoryNames, t.groupStart, counts, previousSlot);
    EXPECT_TRUE(plan.has_value());
    return plan.value_or(GroupCaptionPlan{});
}

// The caption each slot ends with.
Names FinalSlotTexts(const GroupCaptionPlan& plan)
{
    Names texts(9);
    for (const auto& step : plan.slotCaptions)
        texts.at(static_cast<size_t>(step.button)) = step.text;
    return texts;
}

} // namespace

TEST(GroupCaptions, R250Groups)
{
    const Tables t = R250Tables();
    const struct {
        int group;
        std::array<int, 3> counts;
        Names slots;
        int customSlot;
        int shown;
    } cases[] = {
        // Seven categories and "Customize" after them; slot 8 carries it on.
        {1,
         {8, 8, 5},
         {L"k3000", L"k3001", L"k3002", L"k3003", L"k3004", L"k3005", L"k3006", L"Customize", L"Customize"},
         7,
         7},
        {2,
         {8, 8, 5},
         {L"k3100", L"k3101", L"k3102", L"k3103", L"k3104", L"k3105", L"k3106", L"Customize", L"Customize"},
         7,
         7},
        {3,
         {8, 8, 5},
         {L"k3200", L"k3201", L"k3202", L"k3203", L"Customize", L"Customize", L"Customize", L"Customize", L"Customize"},
         4,
         4},
        // Eight categories: the eighth has no name of its own and repeats the seventh.
        {1,
         {9, 2, 2},
         {L"k3000", L"k3001", L"k3002", L"k3003", L"k3004", L"k3005", L"k3006", L"k3006", L"Customize"},
         8,
         7},
        // Fewer folders than names: the names still fill their slots (hidden by the panel).
        {2,
         {8, 3, 5},
         {L"k3100", L"k3101", L"Customize", L"k3103", L"k3104", L"k3105", L"k3106", L"k3106", L"k3106"},
         2,
         7},
        {1,
         {1, 0, 0},
         {L"Customize", L"k3001", L"k3002", L"k3003", L"k3004", L"k3005", L"k3006", L"k3006", L"k3006"},
         0,
         7},
        {3,
         {8, 8, 2},
         {L"k3200", L"Customize", L"k3202", L"k3203", L"k3203", L"k3203", L"k3203", L"k3203", L"k3203"},
         1,
         4},
        // No slot matches: the previous "Customize" slot is kept.
        {3,
         {8, 8, 0},
         {L"k3200", L"k3201", L"k3202", L"k3203", L"k3203", L"k3203", L"k3203", L"k3203", L"k3203"},
         -5,
         4},
        {1,
         {10, 8, 8},
         {L"k3000", L"k3001", L"k3002", L"k3003", L"k3004", L"k3005", L"k3006", L"k3006", L"k3006"},
         -5,
         7},
    };
    for (const auto& c : cases) {
        const GroupCaptionPlan plan = Plan(true, c.group, t, c.counts);
        SCOPED_TRACE(testing::Message() << "group " << c.group << " count " << c.counts[c.group - 1]);
        EXPECT_EQ(FinalSlotTexts(plan), c.slots);
        EXPECT_EQ(plan.slotCaptions.size(), 9u);
        EXPECT_EQ(plan.customSlot, c.customSlot);
        EXPECT_EQ(plan.shownCategoryCount, c.shown);
        ASSERT_EQ(plan.groupCaptions.size(), 3u);
        for (int b = 0; b < 3; ++b) {
            EXPECT_EQ(plan.groupCaptions[static_cast<size_t>(b)].button, b);
            EXPECT_EQ(plan.groupCaptions[static_cast<size_t>(b)].text, t.groupNames[static_cast<size_t>(b)]);
        }
    }
}

TEST(GroupCaptions, OtherModels)
{
    const Tables t = OtherTables();
    const Names named = Keys(3300, 3308);
    auto withSlot = [&](int slot, const wchar_t* text) {
        Names slots = named;
        slots.at(static_cast<size_t>(slot)) = text;
        return slots;
    };
    const struct {
        int count;
        Names slots;
        int customSlot;
    } cases[] = {
        {9, withSlot(8, L"Customize"), 8},
        {10, named, 9}, // slot 8 first gets key 3308's name, then "Customize" (below)
        {7, withSlot(6, L"Customize"), 6},
        {1, withSlot(0, L"Customize"), 0},
        {11, named, -5},
        {0, named, -5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count);
        const GroupCaptionPlan plan = Plan(false, 1, t, {c.count, 0, 0});
        Names slots = FinalSlotTexts(plan);
        if (c.count == 10) {
            ASSERT_EQ(plan.slotCaptions.size(), 10u);
            EXPECT_EQ(plan.slotCaptions[8].button, 8);
            EXPECT_EQ(plan.slotCaptions[8].text, L"k3308");
            EXPECT_EQ(plan.slotCaptions[9].button, 8);
            EXPECT_EQ(plan.slotCaptions[9].text, L"Customize");
            slots[8] = L"k3308";
        } else {
            EXPECT_EQ(plan.slotCaptions.size(), 9u);
        }
        EXPECT_EQ(slots, c.slots);
        EXPECT_EQ(plan.customSlot, c.customSlot);
        EXPECT_EQ(plan.shownCategoryCount, 9);
        ASSERT_EQ(plan.groupCaptions.size(), 1u);
        EXPECT_EQ(plan.groupCaptions[0].button, 0);
        EXPECT_EQ(plan.groupCaptions[0].text, L"k2004");
    }
}

TEST(GroupCaptions, OtherModelsAlwaysShowGroupOne)
{
    const Tables t = OtherTables();
    const GroupCaptionPlan one = Plan(false, 1, t, {4, 7, 7});
    EXPECT_EQ(Plan(false, 2, t, {4, 7, 7}).slotCaptions.size(), one.slotCaptions.size());
    EXPECT_EQ(FinalSlotTexts(Plan(false, 3, t, {4, 7, 7})), FinalSlotTexts(one));
    EXPECT_EQ(one.customSlot, 3);
}

TEST(GroupCaptions, CarriedTextStartsWithTheLastGroupName)
{
    // Before any category names are loaded the slots repeat the last group
    // caption that was applied.
    Tables r250;
    r250.groupNames = {L"G1", L"G2", L"G3", L"G4"};
    const GroupCaptionPlan plan = Plan(true, 2, r250, {0, 3, 0});
    EXPECT_EQ(FinalSlotTexts(plan), (Names{L"G3", L"G3", L"Customize", L"Customize", L"Customize", L"Customize",
                                           L"Customize", L"Customize", L"Customize"}));
    EXPECT_EQ(plan.shownCategoryCount, 0);

    Tables other;
    other.groupNames = {L"Only"};
    EXPECT_EQ(FinalSlotTexts(Plan(false, 1, other, {0, 0, 0}))[4], L"Only");
}

TEST(GroupCaptions, R250GroupOutsideOneToThreeChangesNothing)
{
    const Tables t = R250Tables();
    for (int group : {0, 4, -1})
        EXPECT_FALSE(
            utils::PlanGroupCaptions(true, group, t.groupNames, t.categoryNames, t.groupStart, std::array{8, 8, 5}, 0)
                .has_value())
            << group;
}

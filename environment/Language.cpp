#include "dialog/MaterialDialog.h"

#include <algorithm>
#include <array>

#include "environment/LanguageFile.h"
#include "utils/GroupCaptions.h"
#include "utils/LanguageTables.h"
#include "utils/OperatorTexts.h"

void MaterialDialog::LoadLanguageTables(const std::wstring& language)
{
    const LanguageFile file(m_strDataFolder + utils::kLanguageFileName, language);
    utils::LanguageTables tables = utils::ReadLanguageTables(IsR250(), [&file](int key) { return file.Read(key); });
    m_panelLabels = std::move(tables.panelLabels);
    m_groupNames = std::move(tables.groupNames);
    m_categoryNames = std::move(tables.categoryNames);
    // Other models set the first two starts only; the rest keep their values.
    std::copy(tables.groupStarts.begin(), tables.groupStarts.end(), m_groupStart);
    // The custom-material texts; a key the file lacks keeps its English text.
    for (std::size_t i = 0; i < utils::kOperatorTexts.size(); ++i)
        m_texts.Set(static_cast<utils::OperatorText>(i),
                    file.Read(utils::kOperatorTexts[i].key, utils::kOperatorTexts[i].english));
}

std::optional<utils::GroupCaptionPlan> MaterialDialog::CaptionPlan(int group) const
{
    const std::array<int, 3> categoryCount{m_library.CategoryButtonCount(1), m_library.CategoryButtonCount(2),
                                           m_library.CategoryButtonCount(3)};
    return utils::PlanGroupCaptions(IsR250(), group, m_groupNames, m_categoryNames, m_groupStart, categoryCount,
                                    m_customSlot);
}

void MaterialDialog::ApplyGroupCaptions(int group)
{
    const std::optional<utils::GroupCaptionPlan> plan = CaptionPlan(group);
    if (!plan)
        return;

    SetCaptionFont();
    const auto apply = [this](int id, const std::wstring& text) { fw::Window(Item(id)).SetText(text); };
    for (const utils::CaptionStep& step : plan->groupCaptions)
        apply(kGroupIds[step.button], step.text);
    for (const utils::CaptionStep& step : plan->slotCaptions)
        apply(kSlotIds[step.button], step.text);
    m_customSlot = plan->customSlot;
    m_shownCategoryCount = plan->shownCategoryCount;
}

void MaterialDialog::SetCaptionFont()
{
    // One caption font at a time: the old one goes before the new one is made.
    m_pCaptionFont.reset();
    m_pCaptionFont = std::make_unique<fw::Font>(text_places::CreateCaptionFont(Dpi()));
    for (const int id : kGroupIds)
        fw::Window(Item(id)).SetFont(m_pCaptionFont->Get(), true);
    for (const int id : kSlotIds)
        fw::Window(Item(id)).SetFont(m_pCaptionFont->Get(), true);
}

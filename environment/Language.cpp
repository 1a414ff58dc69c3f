#include "dialog/MaterialDialog.h"

#include <cwchar>

#include "framework/Profile.h"
#include "utils/GroupCaptions.h"
#include "utils/OperatorTexts.h"

namespace {

class LanguageFile {
public:
    LanguageFile(const std::wstring& dataFolder, const std::wstring& language)
        : m_path(dataFolder + L"~PMLang.dat"), m_section(L"AP_" + language)
    {
    }

    void AppendKeys(StringList& to, int firstKey, int lastKey) const
    {
        for (int key = firstKey; key <= lastKey; ++key)
            to.push_back(Read(key));
    }

    // The custom-material texts; a key the file lacks keeps its English text.
    void ReadOperatorTexts(utils::OperatorTexts& texts) const
    {
        for (std::size_t i = 0; i < utils::kOperatorTexts.size(); ++i)
            texts.Set(static_cast<utils::OperatorText>(i),
                      Read(utils::kOperatorTexts[i].key, utils::kOperatorTexts[i].english));
    }

private:
    std::wstring Read(int key, const wchar_t* fallback = L"N/A") const
    {
        wchar_t name[16] = {};
        std::swprintf(name, 16, L"%d", key);
        return fw::ReadProfileString(m_path, m_section.c_str(), name, fallback);
    }

    std::wstring m_path;
    std::wstring m_section;
};

} // namespace

void MaterialDialog::LoadLanguageTables(const std::wstring& language)
{
    const LanguageFile file(m_strDataFolder, language);
    m_panelLabels.clear();
    m_groupNames.clear();
    m_categoryNames.clear();

    file.AppendKeys(m_panelLabels, 1000, 1012);
    if (IsR250()) {
        file.AppendKeys(m_groupNames, 2000, 2003);
        m_groupStart[0] = 0;
        file.AppendKeys(m_categoryNames, 3000, 3006);
        m_groupStart[1] = 7;
        file.AppendKeys(m_categoryNames, 3100, 3106);
        m_groupStart[2] = m_groupStart[1] + 7;
        file.AppendKeys(m_categoryNames, 3200, 3203);
        m_groupStart[3] = m_groupStart[2] + 4;
    } else {
        file.AppendKeys(m_groupNames, 2004, 2004);
        m_groupStart[0] = 0;
        file.AppendKeys(m_categoryNames, 3300, 3308);
        m_groupStart[1] = 9;
    }
    file.ReadOperatorTexts(m_texts);
}

void MaterialDialog::ApplyGroupCaptions(int group)
{
    const std::optional<utils::GroupCaptionPlan> plan = utils::PlanGroupCaptions(
        IsR250(), group, m_groupNames, m_categoryNames, m_groupStart, m_categoryCount, m_customSlot);
    if (!plan)
        return;

    // One caption font at a time: the old one goes before the new one is made.
    m_pCaptionFont.reset();
    m_pCaptionFont = std::make_unique<fw::Font>(::CreateFontW(14, 8, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0,
                                                              0, FIXED_PITCH | FF_MODERN, L"Arial"));
    const auto apply = [this](int id, const std::wstring& text) {
        const fw::Window button(Item(id));
        button.SetFont(m_pCaptionFont->Get(), true);
        button.SetText(text);
    };
    for (const utils::CaptionStep& step : plan->groupCaptions)
        apply(kGroupIds[step.button], step.text);
    for (const utils::CaptionStep& step : plan->slotCaptions)
        apply(kSlotIds[step.button], step.text);
    m_customSlot = plan->customSlot;
    m_shownCategoryCount = plan->shownCategoryCount;
}

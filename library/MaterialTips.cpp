// Tips for the pointer: the keys of the three painted commands, and a
// material's settings while the pointer rests on its item, read from its
// file then, so that nothing is loaded and nothing written.
#include <iterator>

#include "dialog/MaterialDialog.h"
#include "library/MaterialFile.h"
#include "utils/NumberText.h"

namespace {

// Entries of the panel labels that name the panel's values.
constexpr std::size_t kMarkModeLabel = 4;
constexpr std::size_t kSpeedLabel = 5;
constexpr std::size_t kPowerLabel = 6;
constexpr std::size_t kPpiLabel = 7;
constexpr std::size_t kResolutionLabel = 8;

constexpr RECT kCommandAreas[] = {MaterialDialog::kAcceptArea, MaterialDialog::kSaveAsArea,
                                  MaterialDialog::kCancelArea};
constexpr utils::OperatorText kCommandKeys[] = {utils::OperatorText::TipAcceptKey, utils::OperatorText::TipSaveAsKey,
                                                utils::OperatorText::TipCancelKey};
static_assert(std::size(kCommandAreas) == std::size(kCommandKeys));

void AddLine(std::wstring& tip, const std::wstring& label, const std::wstring& value)
{
    if (!tip.empty())
        tip += L"\r\n";
    tip += label + L": " + value;
}

} // namespace

void MaterialDialog::InstallTips()
{
    m_commandTips.Attach(Hwnd());
    m_itemTips.Attach(m_listMaterials.Hwnd());
}

int MaterialDialog::CommandAt(POINT client) const
{
    for (std::size_t i = 0; i < std::size(kCommandAreas); ++i)
        if (InArea(kCommandAreas[i], client))
            return static_cast<int>(i);
    return -1;
}

std::wstring MaterialDialog::CommandTip(int command) const
{
    if (command < 0 || static_cast<std::size_t>(command) >= std::size(kCommandKeys))
        return {};
    return m_texts.Get(kCommandKeys[command]);
}

std::wstring MaterialDialog::ItemTip(int item) const
{
    const std::optional<std::wstring> path = ItemPath(item);
    if (!path)
        return {};
    // The values as a click would load them into the panel: an unreadable
    // file gives what its load would show, an unknown resolution the one the
    // panel keeps.
    const MaterialFileValues values = ReadMaterialFile(*path, m_customizeShown);
    const auto label = [this](std::size_t entry) {
        return entry < m_panelLabels.size() ? m_panelLabels[entry] : std::wstring();
    };
    std::wstring tip;
    AddLine(tip, label(kMarkModeLabel), m_comboMarkMode.GetItemText(values.markMode));
    AddLine(tip, label(kSpeedLabel), utils::FormatDouble(values.speed));
    AddLine(tip, label(kPowerLabel), utils::FormatDouble(values.power));
    AddLine(tip, label(kPpiLabel), utils::FormatDouble(values.ppi));
    AddLine(tip, label(kResolutionLabel), m_comboResolution.GetItemText(values.resolution.value_or(m_resolutionIndex)));
    if (m_customizeShown)
        AddLine(tip, m_texts.Get(utils::OperatorText::TipTexture), values.texture);
    return tip;
}

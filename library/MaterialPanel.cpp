#include <algorithm>
#include <iterator>

#include "dialog/MaterialDialog.h"
#include "library/MaterialFile.h"
#include "utils/MaterialValues.h"

namespace {

std::wstring ListItemText(const fw::Window& list, int item)
{
    std::wstring text(128, L'\0');
    for (;;) {
        LVITEMW request{};
        request.iSubItem = 0;
        request.pszText = text.data();
        request.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<std::size_t>(
            list.Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request)));
        if (length + 1 < text.size() || text.size() >= 32768) {
            text.resize(std::min(length, text.size()));
            return text;
        }
        text.assign(text.size() * 2, L'\0');
    }
}

// The common pattern of the speed, power and PPI edits.
void OnPanelEditChange(MaterialDialog& dialog, double& value, double upperLimit, BYTE code)
{
    if (!dialog.m_bMaterialShown)
        return;
    const bool exchanged = dialog.UpdateData(true);
    bool corrected = false;
    if (value > upperLimit) {
        value = upperLimit;
        corrected = true;
    }
    // Writing back a value the edit already shows would only reformat the
    // text under the caret ("12." would lose its point while "12.5" is being
    // typed), so the controls are rewritten only after a correction or a
    // rejected text.
    if (corrected || !exchanged)
        dialog.UpdateData(false);
    dialog.TrackParameterChange(code);
}

} // namespace

void MaterialDialog::OnMaterialListClick(LRESULT* result)
{
    *result = 0;
    m_loadedSpeed = 0.0;
    m_loadedPower = 0.0;
    m_loadedPpi = 0.0;
    std::fill(std::begin(m_materialParams), std::end(m_materialParams), 0.0);
    const std::wstring extension = MaterialExtension();

    const auto item = static_cast<int>(m_listMaterials.Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (item < 0)
        return;
    const std::wstring name = ListItemText(m_listMaterials, item) + extension;

    const int group = m_curGroup;
    if (group < 1 || group > 3)
        return;
    const StringList& folders = m_customizeShown ? m_customizeEntries : m_categoryPaths;
    const long long folderIndex =
        m_customizeShown ? CustomizeStart(group) : static_cast<long long>(m_curSlot) + CategoryPathBase(group);
    // Lists out of step with the view name no file: load nothing.
    if (folderIndex < 0 || folderIndex >= static_cast<long long>(folders.size()))
        return;
    const std::wstring folder = folders[static_cast<std::size_t>(folderIndex)];

    m_materialFilePath = folder + L"\\" + name;
    const std::size_t groupPrefix =
        static_cast<std::size_t>(group) <= m_groupPaths.size() ? m_groupPaths[group - 1].size() + 1 : 0;
    m_materialTextureName = std::wstring(utils::DropLeading(folder, groupPrefix));
    if (m_customizeShown)
        m_materialTextureName = ReadMaterialText(m_materialFilePath, utils::kTextureKey);

    SetMaterialShown(1);

    const int markMode = ReadMaterialNumber(m_materialFilePath, utils::kMarkModeKey);
    m_markModeIndex = markMode;
    m_loadedMarkMode = markMode;
    m_materialParams[0] = markMode;

    const double speed = utils::SpeedFromTenths(ReadMaterialNumber(m_materialFilePath, utils::kSpeedKey));
    m_speedValue = speed;
    m_loadedSpeed = speed;
    m_materialParams[1] = speed;

    const double power = ReadMaterialNumber(m_materialFilePath, utils::kPowerKey);
    m_powerValue = power;
    m_loadedPower = power;
    m_materialParams[2] = power;

    const double ppi = ReadMaterialNumber(m_materialFilePath, utils::kPpiKey);
    m_ppiValue = ppi;
    m_loadedPpi = ppi;
    m_materialParams[3] = ppi;

    // An unknown resolution leaves the combo where it was.
    if (const auto position = utils::ResolutionPositionOfValue(
            ReadMaterialNumber(m_materialFilePath, utils::kResolutionKey)))
        m_resolutionIndex = *position;
    m_loadedResolution = m_resolutionIndex;
    m_fallbackResolution = m_resolutionIndex;
    m_materialParams[4] = m_resolutionIndex;

    // The exchange keeps the controls' change notifications away from the
    // handlers below while it fills them.
    UpdateData(false);
}

void MaterialDialog::OnMarkModeChange()
{
    if (m_bMaterialShown)
        TrackParameterChange(1);
}

void MaterialDialog::OnResolutionChange()
{
    if (m_bMaterialShown)
        TrackParameterChange(5);
}

void MaterialDialog::OnSpeedChange() { OnPanelEditChange(*this, m_speedValue, utils::kSpeedLimit, 2); }
void MaterialDialog::OnPowerChange() { OnPanelEditChange(*this, m_powerValue, utils::kPowerLimit, 3); }
void MaterialDialog::OnPpiChange() { OnPanelEditChange(*this, m_ppiValue, utils::kPpiLimit, 4); }

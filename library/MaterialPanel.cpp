#include <algorithm>
#include <iterator>

#include "dialog/MaterialDialog.h"
#include "framework/MessageBox.h"
#include "library/MaterialFile.h"
#include "utils/MaterialName.h"
#include "utils/MaterialValues.h"

const MaterialFolder* MaterialDialog::ShownFolder() const
{
    return m_customizeShown ? m_library.Customize(m_curGroup) : m_library.Category(m_curGroup, m_curSlot);
}

void MaterialDialog::OnMaterialListClick(LRESULT* result)
{
    *result = 0;
    LoadSelectedMaterial();
}

void MaterialDialog::LoadSelectedMaterial()
{
    m_loadedSpeed = 0.0;
    m_loadedPower = 0.0;
    m_loadedPpi = 0.0;
    std::fill(std::begin(m_materialParams), std::end(m_materialParams), 0.0);

    const int item = m_listMaterials.GetNextSelected();
    if (item < 0)
        return;
    // Lists out of step with the view name no file: load nothing.
    const MaterialFolder* folder = ShownFolder();
    const std::optional<std::wstring> path = ItemPath(item);
    if (!folder || !path)
        return;

    m_materialFilePath = *path;
    // A library material's texture is its category folder below the group's.
    const LibraryGroup* group = m_library.Group(m_curGroup);
    m_materialTextureName = std::wstring(utils::DropLeading(folder->Path(), group ? group->path.size() + 1 : 0));
    LoadMaterial(m_materialFilePath, m_customizeShown);
}

void MaterialDialog::LoadMaterial(const std::wstring& path, bool custom)
{
    ShowMaterialValues(ReadMaterialFile(path, custom), custom);
}

void MaterialDialog::ShowMaterialValues(const MaterialFileValues& values, bool custom)
{
    m_loadedCustom = custom;
    m_toldChangedElsewhere = false;
    if (custom)
        m_materialTextureName = values.texture;
    SetMaterialShown(1);

    m_markModeIndex = m_loadedMarkMode = values.markMode;
    m_speedValue = m_loadedSpeed = values.speed;
    m_powerValue = m_loadedPower = values.power;
    m_ppiValue = m_loadedPpi = values.ppi;
    // An unknown resolution leaves the combo where it was.
    if (values.resolution)
        m_resolutionIndex = *values.resolution;
    m_loadedResolution = m_fallbackResolution = m_resolutionIndex;
    const double record[5] = {static_cast<double>(values.markMode), values.speed, values.power, values.ppi,
                              static_cast<double>(m_resolutionIndex)};
    std::copy(std::begin(record), std::end(record), m_materialParams);

    // The exchange keeps the controls' change notifications away from the
    // handlers while it fills them.
    UpdateData(false);
}

bool MaterialDialog::MatchesBaseline(const MaterialFileValues& values) const
{
    // As a load of the file would set the baseline: an unknown resolution
    // leaves the combo, and so the baseline, where it was.
    return values.markMode == m_loadedMarkMode && values.speed == m_loadedSpeed && values.power == m_loadedPower &&
           values.ppi == m_loadedPpi && values.resolution.value_or(m_loadedResolution) == m_loadedResolution &&
           (!m_loadedCustom || values.texture == m_materialTextureName);
}

std::wstring MaterialDialog::LoadedMaterialName() const
{
    return utils::MaterialNameOfPath(m_materialFilePath, MaterialExtension());
}

bool MaterialDialog::LoadedMaterialIsCurrent()
{
    if (::GetFileAttributesW(m_materialFilePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        fw::ShowMessage(m_texts.Format(utils::OperatorText::MaterialGone, LoadedMaterialName()), MB_OK);
        return false;
    }
    const MaterialFileValues values = ReadMaterialFile(m_materialFilePath, m_loadedCustom);
    if (MatchesBaseline(values))
        return true;
    ShowMaterialValues(values, m_loadedCustom);
    fw::ShowMessage(m_texts.Format(utils::OperatorText::ChangedElsewhereShown, LoadedMaterialName()), MB_OK);
    return false;
}

void MaterialDialog::RecheckLoadedMaterial()
{
    // A file that is gone leaves the panel as it is: its values can still be
    // saved under a name, and Accept says why it hands nothing over.
    if (!m_bMaterialShown || m_materialFilePath.empty() ||
        ::GetFileAttributesW(m_materialFilePath.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    const MaterialFileValues values = ReadMaterialFile(m_materialFilePath, m_loadedCustom);
    if (MatchesBaseline(values))
        return;
    if (m_bParamsUnchanged) {
        // Nothing of the operator's would be lost: the panel shows the file.
        ShowMaterialValues(values, m_loadedCustom);
    } else if (!m_toldChangedElsewhere) {
        m_toldChangedElsewhere = true;
        fw::ShowMessage(m_texts.Format(utils::OperatorText::ChangedElsewhereKept, LoadedMaterialName()), MB_OK);
    }
}

void MaterialDialog::OnPanelEditChange(double& value, double upperLimit, ParamChange change)
{
    if (!m_bMaterialShown)
        return;
    const bool exchanged = UpdateData(true);
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
        UpdateData(false);
    TrackParameterChange(change);
}

void MaterialDialog::OnMarkModeChange()
{
    if (m_bMaterialShown)
        TrackParameterChange(ParamChange::MarkMode);
}

void MaterialDialog::OnResolutionChange()
{
    if (m_bMaterialShown)
        TrackParameterChange(ParamChange::Resolution);
}

void MaterialDialog::OnSpeedChange() { OnPanelEditChange(m_speedValue, utils::kSpeedLimit, ParamChange::Speed); }
void MaterialDialog::OnPowerChange() { OnPanelEditChange(m_powerValue, utils::kPowerLimit, ParamChange::Power); }
void MaterialDialog::OnPpiChange() { OnPanelEditChange(m_ppiValue, utils::kPpiLimit, ParamChange::Ppi); }

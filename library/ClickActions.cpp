#include <algorithm>
#include <iterator>

#include "dialog/MaterialDialog.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"
#include "library/SaveAsDialog.h"
#include "utils/MaterialName.h"
#include "utils/MaterialValues.h"
#include "utils/ProfileText.h"

namespace {

constexpr wchar_t kHandOffOutputName[] = L"~Ma2Drv.dat";

// Writes the two keys of the driver hand-off output file; false (after
// telling the operator) when they could not be stored.
bool WriteHandOffOutput(const std::wstring& file, const std::wstring& path, const std::wstring& texture)
{
    bool written = utils::FitsMaxPath(file);
    // The driver must read back exactly the path and texture that were chosen.
    if (written && (utils::NeedsUnicodeProfile(path) || utils::NeedsUnicodeProfile(texture)))
        written = fw::EnsureUnicodeProfileFile(file);
    written = written && fw::WriteProfileString(file, L"Path", L"Path", path);
    written = written && fw::WriteProfileString(file, L"Texture", L"Name", texture);
    if (!written)
        fw::ShowMessage(utils::HandOffNotWrittenMessage(file), MB_OK);
    return written;
}

} // namespace

void MaterialDialog::OnLButtonUp()
{
    // Disarmed before acting: the Save-as action runs modal loops of its own.
    const bool armed = m_bPressArmed != 0;
    m_bPressArmed = 0;
    if (!armed)
        return;
    // An area acts only while it is enabled now: the pointer may have entered
    // it before the panel changed.
    switch (m_hoverArea) {
    case HoverArea::Cancel:
        CancelAction();
        break;
    case HoverArea::SaveAs:
        if (m_bMaterialShown)
            SaveAsAction();
        break;
    case HoverArea::Accept:
        if (m_bMaterialShown && m_bParamsUnchanged)
            AcceptAction();
        break;
    case HoverArea::None:
        break;
    }
}

void MaterialDialog::AcceptAction()
{
    // Another station may have changed or removed the file since it was
    // loaded: the driver gets only a file that holds what the panel shows.
    if (!LoadedMaterialIsCurrent())
        return;
    if (!WriteHandOffOutput(m_strDataFolder + kHandOffOutputName, m_materialFilePath, m_materialTextureName))
        return;
    m_pCaptionFont.reset();
    EndDialog(IDCANCEL);
}

void MaterialDialog::CancelAction()
{
    if (!WriteHandOffOutput(m_strDataFolder + kHandOffOutputName, L"", L""))
        return;
    m_pCaptionFont.reset();
    EndDialog(IDCANCEL);
}

bool MaterialDialog::SnapshotPanel()
{
    // Values the exchange rejected (its message has been shown) are not what
    // the panel shows: nothing is saved from them.
    if (!UpdateData(true))
        return false;
    if (const auto value = utils::ResolutionValueOfPosition(m_resolutionIndex))
        m_fallbackResolution = *value;
    // Only one of the eight resolutions is ever written: with none shown and
    // none to fall back on, the operator chooses one first.
    if (!utils::ResolutionPositionOfValue(utils::ResolutionToWrite(m_fallbackResolution))) {
        fw::ShowMessage(m_texts.Get(utils::OperatorText::ChooseResolution), MB_OK);
        ::SetFocus(m_comboResolution.Hwnd());
        return false;
    }
    m_materialParams[0] = m_markModeIndex;
    m_materialParams[1] = m_speedValue;
    m_materialParams[2] = m_powerValue;
    if (!(m_ppiValue >= utils::kMinSavedPpi)) {
        m_ppiValue = utils::kMinSavedPpi;
        UpdateData(false);
        // The panel no longer shows the loaded PPI.
        TrackParameterChange(ParamChange::Ppi);
        fw::ShowMessage(L"PPI can't be smaller than 30 ", MB_OK);
    }
    m_materialParams[3] = m_ppiValue;
    m_materialParams[4] = m_fallbackResolution;
    return true;
}

void MaterialDialog::SaveAsAction()
{
    SaveAsDialog dialog(Hwnd());
    if (!SnapshotPanel())
        return;

    const std::wstring targetFolder = CustomizeFolder(m_curGroup);

    dialog.SetTargetFolder(targetFolder);
    dialog.SetSourcePath(m_materialFilePath);
    dialog.SetParams(m_materialParams);
    dialog.SetTextureName(m_materialTextureName);
    dialog.SetModel(m_strModel);
    dialog.SetTexts(m_texts);
    if (dialog.DoModal() != IDOK)
        return;
    ShowSavedMaterial(targetFolder, dialog.GetSavedName(), dialog.GetTextureName());
}

std::wstring MaterialDialog::CustomizeFolder(int group) const
{
    const MaterialFolder* folder = m_library.Customize(group);
    return folder ? folder->Path() : std::wstring();
}

void MaterialDialog::ShowSavedMaterial(const std::wstring& folder, const std::wstring& name,
                                       const std::wstring& texture)
{
    // Named before the reload: the path is the one just written.
    const std::wstring savedPath = folder + L"\\" + name + MaterialExtension();
    RebuildCustomizeView(utils::GroupBit(m_curGroup));
    m_materialFilePath = savedPath;
    m_materialTextureName = texture;
    m_loadedCustom = true;
    m_toldChangedElsewhere = false;

    ::SetFocus(m_listMaterials.Hwnd());
    // The saved file itself, not another item of the same text (Mine.bak
    // beside Mine.spi) nor merely the first item its name begins (Oak2
    // before Oak); the beginning only when no item stands for the file.
    int found = ItemOfFile(name + MaterialExtension());
    if (found < 0)
        found = m_listMaterials.FindItem(name, true);
    m_listMaterials.SelectItem(found);
    ShowWrittenValues();
    TakePanelAsBaseline();
}

void MaterialDialog::RebuildCustomizeView(unsigned changedGroups)
{
    // Only the folders the action wrote to are read again. The model, the
    // language and the library root stay as the start-up read them: the
    // driver may have rewritten or removed its hand-off file for its next job
    // since.
    for (int group = 1; group <= utils::kScannedGroups; ++group)
        if (const MaterialFolder* folder = m_library.Customize(group);
            folder && (changedGroups & utils::GroupBit(group)))
            m_library.Relist(*folder);
    m_listMaterials.DeleteAllItems();
    ApplyGroupCaptions(m_curGroup);
    // The button that carries "Customize". The number of category names is
    // that slot only when a group has as many folders as names (for the
    // one-group models it is 9, which is no button at all).
    SetSlotHighlight(m_customSlot >= 0 && m_customSlot < 9 ? 1 << m_customSlot : 0);
    FillMaterialList(kCustomizeRequest);
    FollowView(ShownFolder());
}

void MaterialDialog::ShowWrittenValues()
{
    // The file holds the speed in whole tenths and the other numbers as
    // integers; the panel shows exactly that, so Accept hands over what the
    // operator sees and typing the stored value back changes nothing.
    m_speedValue = utils::SpeedFromTenths(utils::SpeedToTenths(m_materialParams[1]));
    m_powerValue = utils::TruncateToInt(m_materialParams[2]);
    m_ppiValue = utils::TruncateToInt(m_materialParams[3]);
    if (const auto position = utils::ResolutionPositionOfValue(utils::ResolutionToWrite(m_materialParams[4])))
        m_resolutionIndex = *position;
    UpdateData(false);
}

void MaterialDialog::TakePanelAsBaseline()
{
    // What was saved is the new baseline: the panel equals the material that
    // Accept now hands over.
    m_loadedMarkMode = m_markModeIndex;
    m_loadedSpeed = m_speedValue;
    m_loadedPower = m_powerValue;
    m_loadedPpi = m_ppiValue;
    if (utils::ResolutionValueOfPosition(m_resolutionIndex))
        m_loadedResolution = m_resolutionIndex;
    m_changedParams = 0;
    m_bParamsUnchanged = 1;
    InvalidateLabel(kAcceptLabel);
}

#include <algorithm>
#include <iterator>

#include "dialog/MaterialDialog.h"
#include "framework/MessageBox.h"
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
        written = EnsureUnicodeProfileFile(file);
    written = written && ::WritePrivateProfileStringW(L"Path", L"Path", path.c_str(), file.c_str()) != FALSE;
    written = written && ::WritePrivateProfileStringW(L"Texture", L"Name", texture.c_str(), file.c_str()) != FALSE;
    if (!written)
        fw::MessageBox(utils::HandOffNotWrittenMessage(file), MB_OK);
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
    case 1:
        CancelAction();
        break;
    case 2:
        if (m_bMaterialShown)
            SaveAsAction();
        break;
    case 3:
        if (m_bMaterialShown && m_bParamsUnchanged)
            AcceptAction();
        break;
    default:
        break;
    }
}

void MaterialDialog::AcceptAction()
{
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

void MaterialDialog::SaveAsAction()
{
    const std::wstring extension = MaterialExtension();
    SaveAsDialog dialog(Hwnd());

    // Values the exchange rejected (its message has been shown) are not what
    // the panel shows: nothing is saved from them.
    if (!UpdateData(true))
        return;

    m_materialParams[0] = m_markModeIndex;
    m_materialParams[1] = m_speedValue;
    m_materialParams[2] = m_powerValue;

    if (!(m_ppiValue >= utils::kMinSavedPpi)) {
        m_ppiValue = utils::kMinSavedPpi;
        UpdateData(false);
        // The panel no longer shows the loaded PPI.
        TrackParameterChange(4);
        fw::MessageBox(L"PPI can't be smaller than 30 ", MB_OK);
    }
    m_materialParams[3] = m_ppiValue;

    if (const auto value = utils::ResolutionValueOfPosition(m_resolutionIndex))
        m_fallbackResolution = *value;
    m_materialParams[4] = m_fallbackResolution;

    const int group = m_curGroup;
    const std::size_t folderIndex = group >= 1 && group <= 3 ? static_cast<std::size_t>(CustomizeStart(group)) : 0;
    const std::wstring targetFolder = folderIndex < m_customizeEntries.size() ? m_customizeEntries[folderIndex] : L"";

    dialog.SetTargetFolder(targetFolder);
    dialog.SetSourcePath(m_materialFilePath);
    dialog.SetParams(m_materialParams);
    dialog.SetTextureName(m_materialTextureName);
    dialog.SetModel(m_strModel);
    if (dialog.DoModal() != IDOK)
        return;

    SelectDataFolder();
    LoadDriverHandOff();
    m_listMaterials.Send(LVM_DELETEALLITEMS);
    ApplyGroupCaptions(m_curGroup);
    // The button that carries "Customize". The number of category names is
    // that slot only when a group has as many folders as names (for the
    // one-group models it is 9, which is no button at all).
    SetSlotHighlight(m_customSlot >= 0 && m_customSlot < 9 ? 1 << m_customSlot : 0);
    FillMaterialList(kCustomizeRequest);

    const std::wstring savedName = dialog.GetSavedName();
    m_materialFilePath = targetFolder + L"\\" + savedName + extension;
    m_materialTextureName = dialog.GetTextureName();

    ::SetFocus(m_listMaterials.Hwnd());
    // The saved material itself, not merely the first item its name begins
    // (Oak2 before Oak); the beginning only when no item has the exact name.
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = savedName.c_str();
    const auto findItem = [this, &find] {
        return static_cast<int>(
            m_listMaterials.Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    };
    int found = findItem();
    if (found < 0) {
        find.flags = LVFI_STRING | LVFI_PARTIAL;
        found = findItem();
    }
    // Item -1 would mean every item.
    if (found >= 0) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        m_listMaterials.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(found), reinterpret_cast<LPARAM>(&state));
        m_listMaterials.Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(found), FALSE);
    }

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
    Invalidate(&kAcceptLabel, false);
}

#pragma once
// The tests' one way to read the main dialog's state: read-only references
// to the members they check. Arranging state goes through the dialog's own
// operations, files and messages.
#include <array>

#include "dialog/MaterialDialog.h"
#include "library/Library.h"
#include "utils/LibraryScan.h"

class MaterialDialogInspector {
public:
    explicit MaterialDialogInspector(const MaterialDialog& dialog) : m_dialog(dialog) {}
    // The references below point into this object.
    MaterialDialogInspector(const MaterialDialogInspector&) = delete;
    MaterialDialogInspector& operator=(const MaterialDialogInspector&) = delete;

private:
    const MaterialDialog& m_dialog;
    // The library as the scan's lists and running ranges.
    const utils::LibraryScan m_scan = FlatView(m_dialog.m_library);

public:
#define MM_READ(name) const decltype(MaterialDialog::name)& name = m_dialog.name;
    MM_READ(m_strPrintJobName)
    MM_READ(m_strPrintPort)
    MM_READ(m_strModel)
    const std::array<int, 3>& m_customizeEnd = m_scan.customizeEnd;
    MM_READ(m_listMaterials)
    MM_READ(m_markModeIndex)
    MM_READ(m_speedValue)
    MM_READ(m_powerValue)
    MM_READ(m_ppiValue)
    MM_READ(m_resolutionIndex)
    MM_READ(m_rgnWindow)
    MM_READ(m_strDataFolder)
    MM_READ(m_hoverArea)
    MM_READ(m_bPressArmed)
    MM_READ(m_strParamFolder)
    MM_READ(m_panelLabels)
    MM_READ(m_groupNames)
    MM_READ(m_categoryNames)
    MM_READ(m_groupStart)
    const StringList& m_categoryPaths = m_scan.categoryPaths;
    const StringList& m_groupPaths = m_scan.groupPaths;
    MM_READ(m_bMaterialShown)
    MM_READ(m_bParamsUnchanged)
    MM_READ(m_changedParams)
    MM_READ(m_materialFilePath)
    MM_READ(m_materialTextureName)
    MM_READ(m_curGroup)
    MM_READ(m_curSlot)
    MM_READ(m_rowHeight)
    MM_READ(m_rowStep)
    MM_READ(m_customSlot)
    MM_READ(m_customizeShown)
    MM_READ(m_rowMaxHeight)
    MM_READ(m_shownCategoryCount)
    const StringList& m_groupEntries = m_scan.groupEntries;
    const StringList& m_categoryEntries = m_scan.categoryEntries;
    const StringList& m_materialEntries = m_scan.materialEntries;
    const StringList& m_customizeEntries = m_scan.customizeEntries;
    MM_READ(m_imageListGroup1)
    MM_READ(m_imageListGroup2)
    MM_READ(m_imageListGroup3)
    MM_READ(m_imageListCustom)
    const int& m_groupEntryCount = m_scan.groupEntryCount;
    const std::array<int, 3>& m_categoryCount = m_scan.categoryCount;
    const std::array<int, utils::kSlotTableSize>& m_categoryEnd = m_scan.categoryEnd;
    MM_READ(m_slotMask)
    MM_READ(m_loadedSpeed)
    MM_READ(m_loadedPower)
    MM_READ(m_loadedPpi)
    MM_READ(m_loadedMarkMode)
    MM_READ(m_loadedResolution)
    MM_READ(m_materialParams)
    MM_READ(m_pCaptionFont)
    MM_READ(m_library)
    MM_READ(m_findBox)
    MM_READ(m_skin)
#undef MM_READ
};

// The library is listed whole first, through the dialog's own listing ahead,
// so that its lists and ranges read as a scan of the whole tree gives them.
inline MaterialDialogInspector Inspect(MaterialDialog& dialog)
{
    while (dialog.ListAheadSlice()) {
    }
    return MaterialDialogInspector(dialog);
}

#pragma once
// The tests' one way to read the main dialog's state: read-only references
// to the members they check. Arranging state goes through the dialog's own
// operations, files and messages.
#include "dialog/MaterialDialog.h"

class MaterialDialogInspector {
public:
    explicit MaterialDialogInspector(const MaterialDialog& dialog) : m_dialog(dialog) {}

private:
    const MaterialDialog& m_dialog;

public:
#define MM_READ(name) const decltype(MaterialDialog::name)& name = m_dialog.name;
    MM_READ(m_strPrintJobName)
    MM_READ(m_strPrintPort)
    MM_READ(m_strModel)
    MM_READ(m_customizeEnd)
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
    MM_READ(m_categoryPaths)
    MM_READ(m_groupPaths)
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
    MM_READ(m_groupEntries)
    MM_READ(m_categoryEntries)
    MM_READ(m_materialEntries)
    MM_READ(m_customizeEntries)
    MM_READ(m_imageListGroup1)
    MM_READ(m_imageListGroup2)
    MM_READ(m_imageListGroup3)
    MM_READ(m_imageListCustom)
    MM_READ(m_groupEntryCount)
    MM_READ(m_categoryCount)
    MM_READ(m_categoryEnd)
    MM_READ(m_slotMask)
    MM_READ(m_loadedSpeed)
    MM_READ(m_loadedPower)
    MM_READ(m_loadedPpi)
    MM_READ(m_loadedMarkMode)
    MM_READ(m_loadedResolution)
    MM_READ(m_materialParams)
    MM_READ(m_pCaptionFont)
    MM_READ(m_skin)
#undef MM_READ
};

inline MaterialDialogInspector Inspect(const MaterialDialog& dialog) { return MaterialDialogInspector(dialog); }

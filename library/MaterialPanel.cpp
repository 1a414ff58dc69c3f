#include <algorithm>
#include <iterator>

#include "dialog/MaterialDialog.h"
#include "framework/Profile.h"
#include "utils/MaterialValues.h"

namespace {

// Material files are read into a buffer of 30 characters: a value keeps at
// most 29 of them.
constexpr DWORD kMaterialValueBuffer = 30;

int ReadMaterialNumber(const wchar_t* section, const wchar_t* key, const std::wstring& file)
{
    return utils::ReadLeadingInt(fw::ReadProfileString(file, section, key, L"N/A", kMaterialValueBuffer));
}

// A text value read whole: a texture name cut short would hand the driver a
// texture that does not exist.
std::wstring ReadMaterialText(const wchar_t* section, const wchar_t* key, const std::wstring& file)
{
    std::wstring buffer(256, L'\0');
    for (;;) {
        const DWORD length = ::GetPrivateProfileStringW(section, key, L"N/A", buffer.data(),
                                                        static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= 65536) {
            buffer.resize(std::min<std::size_t>(length, buffer.size()));
            return buffer;
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

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
        m_materialTextureName = ReadMaterialText(L"OPTION", L"MATERIAL", m_materialFilePath);

    SetMaterialShown(1);

    const int markMode = ReadMaterialNumber(L"OPTION", L"MARK_MODE", m_materialFilePath);
    m_markModeIndex = markMode;
    m_loadedMarkMode = markMode;
    m_materialParams[0] = markMode;

    const double speed = utils::SpeedFromTenths(ReadMaterialNumber(L"PEN", L"PEN1SPEED", m_materialFilePath));
    m_speedValue = speed;
    m_loadedSpeed = speed;
    m_materialParams[1] = speed;

    const double power = ReadMaterialNumber(L"PEN", L"PEN1POWER", m_materialFilePath);
    m_powerValue = power;
    m_loadedPower = power;
    m_materialParams[2] = power;

    const double ppi = ReadMaterialNumber(L"PEN", L"PEN1PPI", m_materialFilePath);
    m_ppiValue = ppi;
    m_loadedPpi = ppi;
    m_materialParams[3] = ppi;

    // An unknown resolution leaves the combo where it was.
    if (const auto position = utils::ResolutionPositionOfValue(
            ReadMaterialNumber(L"OPTION", L"RESOLUTION", m_materialFilePath)))
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

void MaterialDialog::OnSpeedChange() { OnPanelEditChange(*this, m_speedValue, 100.0, 2); }
void MaterialDialog::OnPowerChange() { OnPanelEditChange(*this, m_powerValue, 100.0, 3); }
void MaterialDialog::OnPpiChange() { OnPanelEditChange(*this, m_ppiValue, 1525.0, 4); }

#include "dialog/MaterialDialog.h"

#include <utility>

#include <windowsx.h>

#include "framework/Application.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"
#include "utils/LibraryScan.h"
#include "utils/MaterialValues.h"

namespace {

// The skin's pixel geometry assumes 1.5 pixels per dialog unit both ways.
constexpr double kPixelsPerDialogUnit = text_places::kPixelsPerDialogUnit;

} // namespace

MaterialDialog::MaterialDialog(HWND parent)
    : fw::Dialog(IDD_MATERIAL_MANAGER, parent), m_libraryRoot(SystemLibraryRoot())
{
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APPLICATION_ICON));
    SetPixelsPerDialogUnit(kPixelsPerDialogUnit);
    if (auto* app = fw::Application::Instance())
        app->DoWaitCursor(1);
}

MaterialDialog::~MaterialDialog()
{
    // A modeless dialog goes before its controls' wrappers do.
    DestroyWindow();
    RemoveKeyboard();
}

void MaterialDialog::DoDataExchange(fw::DataExchange& dx)
{
    dx.Control(IDC_RESOLUTION, m_comboResolution);
    dx.Control(IDC_MARK_MODE, m_comboMarkMode);
    dx.Control(IDC_HIDDEN_EDIT, m_editHidden);
    dx.Control(IDC_PPI, m_editPpi);
    dx.Control(IDC_POWER, m_editPower);
    dx.Control(IDC_SPEED, m_editSpeed);
    dx.Control(IDC_MATERIAL_LIST, m_listMaterials);
    dx.Control(IDC_SLOT5, m_btnSlot5);
    dx.Control(IDC_SLOT4, m_btnSlot4);
    dx.Control(IDC_SLOT3, m_btnSlot3);
    dx.Control(IDC_SLOT2, m_btnSlot2);
    dx.Control(IDC_SLOT1, m_btnSlot1);
    dx.Control(IDC_GROUP3, m_btnGroup3);
    dx.Control(IDC_GROUP2, m_btnGroup2);
    dx.Control(IDC_SLOT0, m_btnSlot0);
    dx.Control(IDC_SLOT8, m_btnSlot8);
    dx.Control(IDC_SLOT7, m_btnSlot7);
    dx.Control(IDC_SLOT6, m_btnSlot6);
    dx.Control(IDC_GROUP1, m_btnGroup1);
    dx.Text(IDC_HIDDEN_EDIT, m_strHiddenText);
    dx.CBIndex(IDC_MARK_MODE, m_markModeIndex);
    dx.Text(IDC_SPEED, m_speedValue);
    dx.MinMaxDouble(m_speedValue, 0.0, utils::kSpeedLimit);
    dx.Text(IDC_POWER, m_powerValue);
    dx.MinMaxDouble(m_powerValue, 0.0, utils::kPowerLimit);
    dx.Text(IDC_PPI, m_ppiValue);
    dx.MinMaxDouble(m_ppiValue, 0.0, utils::kPpiLimit);
    dx.CBIndex(IDC_RESOLUTION, m_resolutionIndex);
}

bool MaterialDialog::OnInitDialog()
{
    fw::Dialog::OnInitDialog();

    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_editSpeed.LimitText(5);
    m_editPower.LimitText(5);
    m_editPpi.LimitText(4);

    m_loadedSpeed = 0.0;
    m_loadedPower = 0.0;
    m_loadedPpi = 0.0;
    m_loadedMarkMode = 0;
    m_loadedResolution = 0;

    ClearMaterialView();
    SelectDataFolder();
    LoadDriverHandOff();
    RemoveLeftoverSaves();
    BuildPictureLists();
    InitSelectionState();
    InstallKeyboard();
    InstallTips();
    // Material files from elsewhere may be dropped on the window.
    ::DragAcceptFiles(Hwnd(), TRUE);
    ListAheadLater();
    StartLiveRefresh();

    if (auto* app = fw::Application::Instance())
        app->DoWaitCursor(-1);
    return true;
}

HoverButton* MaterialDialog::ButtonFor(HWND hwnd)
{
    HoverButton* buttons[] = {&m_btnSlot5,  &m_btnSlot4, &m_btnSlot3, &m_btnSlot2, &m_btnSlot1, &m_btnGroup3,
                              &m_btnGroup2, &m_btnSlot0, &m_btnSlot8, &m_btnSlot7, &m_btnSlot6, &m_btnGroup1};
    for (HoverButton* button : buttons)
        if (button->Hwnd() == hwnd && hwnd)
            return button;
    return nullptr;
}

std::optional<LRESULT> MaterialDialog::HandleMessage(UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        return OnCaptionStrip(msg, w, l);
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        if (HoverButton* button = item ? ButtonFor(item->hwndItem) : nullptr) {
            button->DrawItem(*item);
            return TRUE;
        }
        return std::nullopt;
    }
    case WM_MOUSEMOVE:
    case WM_SETCURSOR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_TIMER:
        return OnPointerMessage(msg, w, l);
    default:
        if (const std::optional<LRESULT> handled = OnOperatorMessage(msg, w, l))
            return handled;
        return fw::Dialog::HandleMessage(msg, w, l);
    }
}

std::optional<LRESULT> MaterialDialog::OnPointerMessage(UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        OnMouseMove(POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
        return std::nullopt;
    case WM_SETCURSOR:
        if (OnSetCursor())
            return TRUE;
        return std::nullopt;
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        return std::nullopt;
    case WM_LBUTTONUP:
        OnLButtonUp();
        return std::nullopt;
    case WM_TIMER:
        OnTimer(w);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<LRESULT> MaterialDialog::OnOperatorMessage(UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(w) != m_listMaterials.Hwnd())
            return std::nullopt;
        OnMaterialListContextMenu(l);
        return 0;
    case DM_GETDEFID:
        // The template's OK button is hidden and disabled, which would make
        // Enter do nothing: without a default button Enter reaches OnOK.
        return 0;
    case kSaveAsKeyMessage:
        OnSaveAsKey();
        return 0;
    case kSharingKeyMessage:
        RunCustomCommand(static_cast<UINT>(w), -1);
        return 0;
    case kFindKeyMessage:
        OpenFindBox();
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(w));
        return 0;
    case LibraryFollower::kChangedMessage:
        OnFolderChanges();
        return 0;
    case WM_DESTROY:
        // The worker ends with the window it tells.
        StopLiveRefresh();
        return std::nullopt;
    case kRenameMessage: {
        const auto [oldFile, newName] = std::exchange(m_pendingRename, {});
        RenameCustomMaterial(oldFile, newName);
        return 0;
    }
    default:
        return std::nullopt;
    }
}

bool MaterialDialog::OnCommand(WORD id, WORD code, HWND control)
{
    if (!control)
        return false;
    if (code == BN_CLICKED) {
        for (int g = 0; g < 3; ++g)
            if (id == kGroupIds[g]) {
                OnGroupClicked(g + 1);
                return true;
            }
        for (int k = 0; k < 9; ++k)
            if (id == kSlotIds[k]) {
                OnSlotClicked(k);
                return true;
            }
        if (id == IDC_PRINT) {
            OnPrint();
            return true;
        }
    }
    using Handler = void (MaterialDialog::*)();
    static constexpr struct {
        WORD id;
        WORD code;
        Handler handler;
    } kPanelHandlers[] = {
        {IDC_SPEED, EN_CHANGE, &MaterialDialog::OnSpeedChange},
        {IDC_POWER, EN_CHANGE, &MaterialDialog::OnPowerChange},
        {IDC_PPI, EN_CHANGE, &MaterialDialog::OnPpiChange},
        {IDC_MARK_MODE, CBN_SELCHANGE, &MaterialDialog::OnMarkModeChange},
        {IDC_RESOLUTION, CBN_SELCHANGE, &MaterialDialog::OnResolutionChange},
    };
    for (const auto& entry : kPanelHandlers)
        if (entry.id == id && entry.code == code) {
            (this->*entry.handler)();
            return true;
        }
    return false;
}

bool MaterialDialog::OnNotify(NMHDR* header, LRESULT& result)
{
    if (!header || header->idFrom != IDC_MATERIAL_LIST)
        return false;
    if (header->code == NM_CLICK) {
        OnMaterialListClick(&result);
        return true;
    }
    switch (header->code) {
    case NM_RCLICK:
        OnMaterialListRightClick(reinterpret_cast<const NMITEMACTIVATE*>(header), &result);
        return true;
    case LVN_DELETEALLITEMS:
        // Nothing is kept per item, so no item needs a notice of its own:
        // emptying a list of thousands is one message instead of thousands.
        result = TRUE;
        return true;
    case LVN_ITEMCHANGED:
        m_listKeys.NoteChange(*reinterpret_cast<const NMLISTVIEW*>(header));
        return false;
    case LVN_KEYDOWN:
        return OnMaterialListKey(reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey);
    case LVN_BEGINLABELEDITW:
    case LVN_ENDLABELEDITW:
        result = OnLabelEdit(reinterpret_cast<const NMLVDISPINFOW*>(header), header->code == LVN_ENDLABELEDITW);
        return true;
    default:
        return false;
    }
}

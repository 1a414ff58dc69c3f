// The keyboard's way to the dialog's commands: a selection by key loads the
// material, Enter is Accept and Ctrl+S is Save as, each only while its label
// is enabled and through the same action as the label; Ctrl+O and Ctrl+E
// import and export custom materials, Ctrl+F opens the find box.
#include "library/Keyboard.h"

#include <algorithm>
#include <vector>

#include "dialog/MaterialDialog.h"

namespace {

// Keys with which the list itself moves the selection. Others (Del, F2) run
// commands that select by program, which must not load anything.
bool MovesSelection(WPARAM key)
{
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_SPACE:
        return true;
    default:
        return false;
    }
}

// The dialogs of this thread that take shortcuts, and the one hook that
// serves them: the dialog manager offers every message to it before it
// routes the message to the focused control.
thread_local std::vector<MaterialDialog*> t_shortcutDialogs;
thread_local HHOOK t_shortcutHook = nullptr;

void AddTabStop(HWND control)
{
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    ::SetWindowLongPtrW(control, GWL_STYLE, static_cast<LONG_PTR>(style | WS_TABSTOP));
}

} // namespace

void MaterialListKeys::NoteChange(const NMLISTVIEW& change)
{
    if (m_watching && (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
        !(change.uOldState & LVIS_SELECTED))
        m_gained = true;
}

LRESULT MaterialListKeys::HandleMessage(UINT msg, WPARAM w, LPARAM l)
{
    const bool typed = (msg == WM_KEYDOWN && MovesSelection(w)) || (msg == WM_CHAR && w >= L' ');
    if (!typed)
        return Default(msg, w, l);
    // A key may select several items (Shift); the material loads once.
    const bool outer = std::exchange(m_watching, true);
    m_gained = false;
    const LRESULT result = Default(msg, w, l);
    const bool gained = std::exchange(m_gained, false);
    m_watching = outer;
    if (gained && m_load)
        m_load();
    return result;
}

void MaterialDialog::InstallKeyboard()
{
    m_listKeys.Attach(m_listMaterials.Hwnd());
    // Every group and category button is a stop of its own, and the panel
    // follows the list in reading order: mark mode, resolution, speed,
    // power, PPI.
    for (const int id : kGroupIds)
        AddTabStop(Item(id));
    for (const int id : kSlotIds)
        AddTabStop(Item(id));
    HWND previous = m_listMaterials.Hwnd();
    for (HWND control :
         {m_comboMarkMode.Hwnd(), m_comboResolution.Hwnd(), m_editSpeed.Hwnd(), m_editPower.Hwnd(), m_editPpi.Hwnd()}) {
        ::SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        previous = control;
    }
    if (std::find(t_shortcutDialogs.begin(), t_shortcutDialogs.end(), this) == t_shortcutDialogs.end())
        t_shortcutDialogs.push_back(this);
    if (!t_shortcutHook)
        t_shortcutHook =
            ::SetWindowsHookExW(WH_MSGFILTER, &MaterialDialog::ShortcutHook, nullptr, ::GetCurrentThreadId());
}

void MaterialDialog::RemoveKeyboard()
{
    std::erase(t_shortcutDialogs, this);
    if (t_shortcutDialogs.empty() && t_shortcutHook) {
        ::UnhookWindowsHookEx(t_shortcutHook);
        t_shortcutHook = nullptr;
    }
}

LRESULT CALLBACK MaterialDialog::ShortcutHook(int code, WPARAM w, LPARAM l)
{
    const auto* msg = reinterpret_cast<const MSG*>(l);
    if (code == MSGF_DIALOGBOX && msg)
        for (MaterialDialog* dialog : t_shortcutDialogs) {
            dialog->NoteKeyboardUse(*msg);
            if (dialog->OnShortcut(*msg))
                return TRUE;
        }
    return ::CallNextHookEx(t_shortcutHook, code, w, l);
}

bool MaterialDialog::OnShortcut(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || ::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0 || m_renaming)
        return false;
    if (!Hwnd() || (msg.hwnd != Hwnd() && !::IsChild(Hwnd(), msg.hwnd)))
        return false;
    // Run from the dialog's own queue: most open a modal dialog, which has
    // no place inside the hook. Import and export are the context menu's own
    // commands, so they act the same wherever the focus is.
    switch (msg.wParam) {
    case 'S':
        ::PostMessageW(Hwnd(), kSaveAsKeyMessage, 0, 0);
        return true;
    case 'O':
        ::PostMessageW(Hwnd(), kSharingKeyMessage, kImportCommand, 0);
        return true;
    case 'E':
        ::PostMessageW(Hwnd(), kSharingKeyMessage, kExportCommand, 0);
        return true;
    case 'F':
        ::PostMessageW(Hwnd(), kFindKeyMessage, 0, 0);
        return true;
    default:
        return false;
    }
}

void MaterialDialog::OnSaveAsKey()
{
    if (m_bMaterialShown)
        SaveAsAction();
}

void MaterialDialog::OnOK()
{
    // Enter: Accept, while its label is enabled; otherwise nothing.
    if (m_bMaterialShown && m_bParamsUnchanged)
        AcceptAction();
}

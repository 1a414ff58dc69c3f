// Focus cues as Windows shows them: none while the dialog is worked with the
// pointer alone, the focus rectangle once a key has been pressed in it. The
// buttons learn it through WM_UPDATEUISTATE, sent to them directly because
// not every system passes the dialog's own UI state down to its controls.
#include "dialog/MaterialDialog.h"

void MaterialDialog::NoteKeyboardUse(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return;
    if (!Hwnd() || (msg.hwnd != Hwnd() && !::IsChild(Hwnd(), msg.hwnd)))
        return;
    const WPARAM showFocus = MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS);
    for (const int id : kGroupIds)
        ::SendMessageW(Item(id), WM_UPDATEUISTATE, showFocus, 0);
    for (const int id : kSlotIds)
        ::SendMessageW(Item(id), WM_UPDATEUISTATE, showFocus, 0);
}

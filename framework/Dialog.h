#pragma once
// Dialog base: one static dialog procedure keeps `this` in GWLP_USERDATA and
// dispatches to virtual handlers. Modal and modeless use the same object.
#include <windows.h>
#include <optional>
#include <string>

#include "framework/Window.h"

namespace fw {

class DataExchange;

class Dialog : public Window {
public:
    Dialog(UINT templateId, HWND parent);
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    ~Dialog() override;

    INT_PTR DoModal();
    // Modeless: the window lives until DestroyWindow or the object's end.
    bool Create(HWND parent);
    void DestroyWindow();

    // Runs the data exchange; false when a value failed its check (the
    // message has then been shown and the focus moved to the control).
    bool UpdateData(bool saveAndValidate);
    bool IsExchangingData() const { return m_lockNotify; }

    // Modal: ends the loop. Modeless: hides the window and records the result.
    void EndDialog(INT_PTR result);
    std::optional<INT_PTR> EndResult() const { return m_endResult; }
    bool IsModal() const { return m_modal; }
    UINT TemplateId() const { return m_templateId; }

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange&) {}
    virtual void OnOK();
    virtual void OnCancel();
    // Control notifications (WM_COMMAND with a control) and menu commands.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // WM_NOTIFY; set result and return true when handled.
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    // A field failed a check, of the data exchange or of the dialog's own:
    // by default the message is shown and the field gets the focus, with an
    // edit's whole text selected so that typing replaces it.
    virtual void OnDataExchangeError(HWND field, const std::wstring& message);
    // Any message; nothing means "not handled here: default processing".
    virtual std::optional<LRESULT> HandleMessage(UINT msg, WPARAM w, LPARAM l);

    // Places every control of the template at its rectangle times this many
    // pixels per dialog unit, whatever font the system substituted.
    void SetPixelsPerDialogUnit(double scale) { m_pixelsPerUnit = scale; }

private:
    friend class DataExchange;

    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Dispatch(UINT msg, WPARAM w, LPARAM l);
    void ApplyTemplateInit();
    void ApplyPixelGeometry();

    UINT m_templateId;
    HWND m_parent;
    bool m_modal = false;
    bool m_lockNotify = false;
    double m_pixelsPerUnit = 0.0;
    std::optional<INT_PTR> m_endResult;
};

// The rectangle at which a dialog places the control `id` of its template (in
// this module) with the given pixels per dialog unit; nothing when the
// template has no such control.
std::optional<RECT> TemplateItemRect(UINT templateId, WORD id, double pixelsPerUnit);

} // namespace fw

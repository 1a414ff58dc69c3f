#pragma once
// Dialog base: one static dialog procedure keeps `this` in GWLP_USERDATA and
// dispatches to virtual handlers. Modal and modeless use the same object.
#include <windows.h>
#include <optional>
#include <string>

#include "framework/Dpi.h"
#include "framework/Gdi.h"
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

    // The DPI the dialog is drawn at, and lengths of its 96-dpi design at
    // that DPI: where everything the dialog places or paints gets its pixels.
    int Dpi() const { return m_dpi; }
    int Scale(int value) const { return ScaleToDpi(value, m_dpi); }
    RECT ScaleRect(const RECT& rect) const { return fw::ScaleRect(rect, m_dpi); }
    POINT ScalePoint(POINT point) const { return fw::ScalePoint(point, m_dpi); }

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
    // pixels per dialog unit at 96 dpi, whatever font the system substituted,
    // and lays the dialog out itself at every DPI: at its creation and when
    // it moves to a monitor of another DPI, the controls are placed and get
    // the template's font at that DPI, then OnDpiChanged runs.
    void SetPixelsPerDialogUnit(double scale) { m_pixelsPerUnit = scale; }
    virtual void OnDpiChanged() {}
    // The window's size at a DPI when the dialog has one of its own; nothing
    // takes the size the system proposes.
    virtual std::optional<SIZE> WindowSizeAt(int) const { return std::nullopt; }

private:
    friend class DataExchange;

    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Dispatch(UINT msg, WPARAM w, LPARAM l);
    void ApplyTemplateInit();
    void ApplyPixelGeometry();
    // WM_DPICHANGED of a dialog that lays itself out.
    void ChangeDpi(int dpi, const RECT& suggested);
    // The template's font at the dialog's DPI to every control of the template.
    void ApplyControlFont();

    UINT m_templateId;
    HWND m_parent;
    bool m_modal = false;
    bool m_lockNotify = false;
    double m_pixelsPerUnit = 0.0;
    int m_dpi = utils::kDesignDpi;
    // The DPI of the font the dialog manager made, and the template's font
    // made for any other DPI.
    int m_createdDpi = utils::kDesignDpi;
    Font m_controlFont;
    std::optional<INT_PTR> m_endResult;
};

// The rectangle at which a dialog places the control `id` of its template (in
// this module) with the given pixels per dialog unit at 96 dpi, at a DPI;
// nothing when the template has no such control.
std::optional<RECT> TemplateItemRect(UINT templateId, WORD id, double pixelsPerUnit, int dpi = utils::kDesignDpi);

} // namespace fw

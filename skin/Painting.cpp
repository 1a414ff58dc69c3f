#include "dialog/MaterialDialog.h"

void MaterialDialog::OnPaint()
{
    fw::PaintDC dc(m_hWnd);
    PaintClient(dc.Get());
}

void MaterialDialog::PaintClient(HDC) {}

LRESULT MaterialDialog::OnCaptionStrip(UINT msg, WPARAM w, LPARAM l)
{
    ::DefWindowProcW(m_hWnd, msg, w, l);
    return msg;
}

void MaterialDialog::PaintCaptionStrip(HDC) {}

void MaterialDialog::SetMaterialShown(BYTE shown)
{
    m_bMaterialShown = shown;
    m_bParamsUnchanged = shown;
    m_changedParams = 0;
}

void MaterialDialog::TrackParameterChange(BYTE) {}

#pragma once
// The DPI a window is drawn at, and the lengths of a 96-dpi design at that
// DPI. The DPI functions of systems newer than Vista are looked up at run
// time, so that the program still starts on Vista.
#include <windows.h>

#include "utils/DisplayScale.h"

namespace fw {

// The DPI of the screen as this process sees it: the system's DPI when the
// process is DPI-aware, 96 when the system scales it as a bitmap.
int SystemDpi();

// The DPI of the window: its monitor's where the system scales per monitor
// (Windows 8.1 and later), else the system's.
int WindowDpi(HWND hwnd);

// Windows 10 1703 and later re-scale a dialog's size, controls and fonts on
// a DPI change; a dialog that lays itself out turns that off. Nothing on
// older systems, which do not re-scale dialogs.
void KeepDialogManagerFromScaling(HWND dialog);

// The width of a window's borders and edges at its DPI, without the scroll
// bars, which come and go with what the window shows.
int FrameWidth(HWND hwnd);

inline int ScaleToDpi(int value, int dpi) { return utils::ScaleToDpi(value, dpi); }
// Each edge scaled, so that rectangles that touch at 96 dpi still touch.
inline RECT ScaleRect(const RECT& rect, int dpi)
{
    return RECT{ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi), ScaleToDpi(rect.right, dpi),
                ScaleToDpi(rect.bottom, dpi)};
}
inline POINT ScalePoint(POINT point, int dpi) { return POINT{ScaleToDpi(point.x, dpi), ScaleToDpi(point.y, dpi)}; }

} // namespace fw

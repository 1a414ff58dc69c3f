#pragma once
// Where the main dialog draws the texts of the language file, and in which
// fonts: the labels painted on the skin and the captions of the group and
// category buttons. The painter and the library checker both read it, so a
// text the checker measures as fitting is one the dialog shows whole.
#include <windows.h>

#include <string>

#include "framework/Gdi.h"

namespace text_places {

// A skin label: entry of the panel label list (key 1000 + entry) and the
// client rectangle its text is centred in and cut to.
struct LabelRow {
    int entry;
    RECT rect;
};

inline constexpr UINT kLabelFormat = DT_CENTER;
// The skin's text colours: the labels' blue, the grey of a label that cannot
// be used now, and the version's grey.
inline constexpr COLORREF kLabelBlue = RGB(0, 32, 115);
inline constexpr COLORREF kLabelGrey = RGB(192, 192, 192);
inline constexpr COLORREF kVersionGrey = RGB(100, 100, 100);
inline constexpr wchar_t kHeadingFace[] = L"Arial Black";
inline constexpr wchar_t kPanelFace[] = L"Arial";

// Drawn in the heading face: the column headings and the hot-area labels.
inline constexpr LabelRow kHeadings[] = {
    {1, {52, 75, 153, 95}},
    {2, {155, 75, 298, 95}},
    {3, {296, 75, 535, 95}},
};
inline constexpr RECT kAcceptLabel{440, 234, 525, 254};
inline constexpr RECT kSaveAsLabel{440, 266, 525, 286};
inline constexpr RECT kCancelLabel{440, 300, 525, 320};
inline constexpr int kAcceptLabelEntry = 10;
inline constexpr int kSaveAsLabelEntry = 11;
inline constexpr int kCancelLabelEntry = 12;

// Drawn in the panel face: the title line and the parameter panel's labels.
// Entry 9 has no place on the skin.
inline constexpr LabelRow kPanelRows[] = {
    {0, {341, 30, 511, 83}},   {4, {305, 217, 360, 232}}, {5, {305, 251, 360, 266}},
    {6, {305, 285, 360, 300}}, {7, {383, 253, 438, 268}}, {8, {383, 217, 438, 232}},
};

// Every place above, and every size below, is at 96 dpi; at another DPI the
// dialog draws at the place scaled (fw::ScaleRect) in the font made for it.

// The font of the skin labels in the given face.
fw::Font CreateSkinFont(const wchar_t* face, int dpi);

// The font of the group and category captions.
inline constexpr wchar_t kCaptionFace[] = L"Arial";
fw::Font CreateCaptionFont(int dpi);

// The main dialog places its controls at their template rectangles times this.
inline constexpr double kPixelsPerDialogUnit = 1.5;
// The category buttons, once the column is laid out.
inline constexpr int kCategoryColumnWidth = 137;
inline constexpr int kCategoryRowHeight = 24;

// How wide a text comes out in a font on a DC: a skin label as the painter
// draws it (kLabelFormat), or a button's caption as the button measures it.
int TextWidth(HDC hdc, HFONT font, const std::wstring& text, bool caption);

// The face of a button, inside its raised edge, that its caption is centred on.
RECT CaptionFace(RECT button);

// Group button 1 as the dialog places it at the DPI; the other two are the
// same size.
RECT GroupButtonRect(int dpi);

} // namespace text_places

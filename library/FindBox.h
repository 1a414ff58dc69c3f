#pragma once
// The find box: an edit for part of a material's name above the materials
// found, each with its picture and the group and category it lies in. It is
// a child of the main dialog laid over the material list and the panel while
// it is open, painted in the skin's colours and fonts. What is found, and
// what choosing a row does, is the dialog's.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Dpi.h"
#include "framework/Gdi.h"

// The box's places in client pixels at 96 dpi, kept together so that they
// are scaled as one.
struct FindBoxGeometry {
    RECT box;        // in the dialog's client area
    int margin;      // around and between the parts
    int editHeight;  // the edit's frame
    int textMargin;  // left and right of the typed text
    int rowHeight;   // one material found
    SIZE picture;    // its picture, scaled down from the list's
    int countHeight; // the line under the rows

    FindBoxGeometry Scaled(int dpi) const
    {
        const auto s = [dpi](int value) { return fw::ScaleToDpi(value, dpi); };
        return {fw::ScaleRect(box, dpi),        s(margin),     s(editHeight), s(textMargin), s(rowHeight),
                {s(picture.cx), s(picture.cy)}, s(countHeight)};
    }
};
// Over the material list, the panel and the commands, and as far right as
// the window's image leaves room.
inline constexpr FindBoxGeometry kFindBoxGeometry{{296, 95, 586, 335}, 4, 26, 3, 40, {44, 36}, 18};

// One material found, as its row shows it.
struct FoundRow {
    std::wstring name;
    std::wstring place; // group and category, as their buttons show them
    HIMAGELIST pictures = nullptr;
    int picture = -1; // in `pictures`; none when it has no such picture
};

class FindBox {
public:
    struct Handlers {
        // Each change of the typed text, and the opening.
        std::function<void(const std::wstring& typed)> typed;
        // Enter, or a double-click, on a row.
        std::function<void(int row)> chosen;
    };

    explicit FindBox(Handlers handlers);
    ~FindBox();
    FindBox(const FindBox&) = delete;
    FindBox& operator=(const FindBox&) = delete;

    // Shows the box over `dialog` (made the first time) at `geometry`, in
    // the caption font of `dpi`, with the edit focused and its text
    // selected, and asks for the rows of that text. `fallbackFocus` takes
    // the focus on closing when the window that had it before is gone.
    void Open(HWND dialog, const FindBoxGeometry& geometry, int dpi, const std::wstring& cue, HWND fallbackFocus);
    // Moves the box and its parts to `geometry` and takes the caption font
    // of `dpi`: the dialog has moved to a display of another scale.
    void Place(const FindBoxGeometry& geometry, int dpi);
    // Hides the box; the focus goes back where it was when it opened unless
    // the caller puts it elsewhere.
    void Close(bool restoreFocus);
    bool IsOpen() const;

    // The rows under the edit, the first one selected, and the line below.
    void ShowRows(std::vector<FoundRow> rows, const std::wstring& countLine);
    const std::vector<FoundRow>& Rows() const { return m_rows; }
    // The selected row, or -1.
    int SelectedRow() const;
    // Selects `row` and scrolls it into view.
    void SelectRow(int row);

    HWND Hwnd() const { return m_hwnd; }
    HWND EditHwnd() const { return m_edit; }
    HWND ResultsHwnd() const { return m_results; }
    HWND CountHwnd() const { return m_count; }

private:
    class Keys;
    friend class Keys;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    bool Create(HWND dialog);
    void Paint(HDC hdc) const;
    void DrawRow(const DRAWITEMSTRUCT& item) const;
    void DrawCue(HDC hdc) const;
    void Choose();
    void MoveSelection(int rows);
    // The rows the list shows at once.
    int PageRows() const;
    // Closes the box once the focus has gone to a window outside it.
    void CheckFocus();

    Handlers m_handlers;
    FindBoxGeometry m_geometry{};
    int m_dpi = 0;
    HWND m_hwnd = nullptr;
    HWND m_edit = nullptr;
    HWND m_results = nullptr;
    HWND m_count = nullptr;
    HWND m_focusBefore = nullptr;
    HWND m_fallbackFocus = nullptr;
    std::unique_ptr<Keys> m_editKeys;
    std::unique_ptr<Keys> m_resultKeys;
    fw::Font m_font;
    int m_textHeight = 0;
    std::wstring m_cue;
    std::vector<FoundRow> m_rows;
};

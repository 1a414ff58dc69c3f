#include "library/FindBox.h"

#include <algorithm>

#include "framework/Window.h"
#include "skin/HoverButton.h"
#include "skin/TextPlaces.h"

namespace {

constexpr wchar_t kClassName[] = L"MaterialFindBox";
constexpr int kEditId = 1;
constexpr int kResultsId = 2;
constexpr int kCountId = 3;
// Posted when the edit or the rows lose the focus: where it went is known
// only once the change is complete.
constexpr UINT kCheckFocusMessage = WM_APP + 1;

constexpr COLORREF kWhite = RGB(255, 255, 255);
using text_places::kLabelBlue;
using text_places::kVersionGrey;

void Frame(HDC hdc, RECT rect, COLORREF colour)
{
    const RECT sides[] = {
        {rect.left, rect.top, rect.right, rect.top + 1},
        {rect.left, rect.bottom - 1, rect.right, rect.bottom},
        {rect.left, rect.top, rect.left + 1, rect.bottom},
        {rect.right - 1, rect.top, rect.right, rect.bottom},
    };
    for (const RECT& side : sides)
        fw::FillSolid(hdc, side, colour);
}

// The picture as the list shows it, scaled into `place` over `background`
// (the list's pictures are drawn through their masks).
void DrawPicture(HDC hdc, HIMAGELIST pictures, int picture, const RECT& place, COLORREF background)
{
    int cx = 0;
    int cy = 0;
    if (!pictures || picture < 0 || picture >= ::ImageList_GetImageCount(pictures) ||
        !::ImageList_GetIconSize(pictures, &cx, &cy))
        return;
    const fw::MemoryDC memory(hdc);
    const fw::Bitmap bitmap(::CreateCompatibleBitmap(hdc, cx, cy));
    const fw::SelectScope selected(memory.Get(), bitmap.Get());
    fw::FillSolid(memory.Get(), RECT{0, 0, cx, cy}, background);
    ::ImageList_Draw(pictures, picture, memory.Get(), 0, 0, ILD_NORMAL);
    const int oldMode = ::SetStretchBltMode(hdc, HALFTONE);
    ::SetBrushOrgEx(hdc, 0, 0, nullptr);
    ::StretchBlt(hdc, place.left, place.top, place.right - place.left, place.bottom - place.top, memory.Get(), 0, 0, cx,
                 cy, SRCCOPY);
    ::SetStretchBltMode(hdc, oldMode);
}

void DrawLine(HDC hdc, const std::wstring& text, RECT rect, COLORREF colour)
{
    ::SetTextColor(hdc, colour);
    ::DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rect,
                DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT | DT_TOP);
}

// The parts of the box in its client area.
struct Layout {
    RECT editFrame;
    RECT edit;
    RECT resultsFrame;
    RECT results;
    RECT count;
};

Layout LayOut(const FindBoxGeometry& g, int textHeight)
{
    const int width = g.box.right - g.box.left;
    const int height = g.box.bottom - g.box.top;
    Layout l{};
    l.editFrame = {g.margin, g.margin, width - g.margin, g.margin + g.editHeight};
    // The edit draws its text at its top: it is as high as its font, in the
    // middle of its frame.
    const int editTop = g.margin + std::max(1, (g.editHeight - textHeight) / 2);
    const int editBottom = std::min(editTop + textHeight, g.margin + g.editHeight - 1);
    l.edit = {g.margin + 2, editTop, width - g.margin - 2, editBottom};
    l.resultsFrame = {g.margin, l.editFrame.bottom + g.margin, width - g.margin, height - g.margin - g.countHeight};
    l.results = l.resultsFrame;
    ::InflateRect(&l.results, -1, -1);
    l.count = {g.margin, height - g.margin - g.countHeight, width - g.margin, height - g.margin};
    return l;
}

int TextHeight(HFONT font)
{
    HDC screen = ::GetDC(nullptr);
    TEXTMETRICW metrics{};
    {
        const fw::SelectScope selected(screen, font);
        ::GetTextMetricsW(screen, &metrics);
    }
    ::ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

bool RegisterBoxClass()
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), kClassName, &existing))
        return true;
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = ::DefWindowProcW;
    cls.hInstance = ::GetModuleHandleW(nullptr);
    cls.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    cls.lpszClassName = kClassName;
    return ::RegisterClassExW(&cls) != 0;
}

} // namespace

// The keys of the edit and of the rows: Enter chooses, Esc closes, and in the
// edit Up, Down, Page Up and Page Down move through the rows. The dialog
// manager would take Enter and Esc for the main dialog's own commands.
class FindBox::Keys : public fw::SubclassedWindow {
public:
    Keys(FindBox& box, bool edit) : m_box(box), m_edit(edit) {}

protected:
    LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) override
    {
        switch (msg) {
        case WM_GETDLGCODE: {
            LRESULT code = Default(msg, w, l);
            const auto* key = reinterpret_cast<const MSG*>(l);
            if (key && key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE))
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if (OnKey(w))
                return 0;
            break;
        case WM_CHAR:
            // Enter and Esc have acted already; a single-line edit would beep.
            if (w == L'\r' || w == L'\n' || w == 0x1b)
                return 0;
            if (!m_edit && w >= L' ') {
                // Typing on the rows goes on in the edit.
                ::SetFocus(m_box.m_edit);
                return ::SendMessageW(m_box.m_edit, msg, w, l);
            }
            break;
        case WM_PAINT:
            if (m_edit) {
                const LRESULT result = Default(msg, w, l);
                ::HideCaret(m_hWnd);
                HDC hdc = ::GetDC(m_hWnd);
                m_box.DrawCue(hdc);
                ::ReleaseDC(m_hWnd, hdc);
                ::ShowCaret(m_hWnd);
                return result;
            }
            break;
        case WM_PRINTCLIENT:
            if (m_edit) {
                const LRESULT result = Default(msg, w, l);
                m_box.DrawCue(reinterpret_cast<HDC>(w));
                return result;
            }
            break;
        default:
            break;
        }
        return Default(msg, w, l);
    }

private:
    bool OnKey(WPARAM key)
    {
        switch (key) {
        case VK_RETURN:
            m_box.Choose();
            return true;
        case VK_ESCAPE:
            m_box.Close(true);
            return true;
        default:
            break;
        }
        if (!m_edit)
            return false;
        const int page = m_box.PageRows();
        switch (key) {
        case VK_UP:
            m_box.MoveSelection(-1);
            return true;
        case VK_DOWN:
            m_box.MoveSelection(1);
            return true;
        case VK_PRIOR:
            m_box.MoveSelection(-page);
            return true;
        case VK_NEXT:
            m_box.MoveSelection(page);
            return true;
        default:
            return false;
        }
    }

    FindBox& m_box;
    bool m_edit;
};

FindBox::FindBox(Handlers handlers) : m_handlers(std::move(handlers)) {}

FindBox::~FindBox()
{
    // The wrappers let go of the controls before the controls go.
    m_editKeys.reset();
    m_resultKeys.reset();
    if (m_hwnd && ::IsWindow(m_hwnd))
        ::DestroyWindow(m_hwnd);
}

bool FindBox::Create(HWND dialog)
{
    if (!RegisterBoxClass())
        return false;
    // A container of controls that the dialog manager walks into for Tab
    // and the keys of its controls.
    m_hwnd = ::CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                               0, 0, dialog, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hwnd)
        return false;
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FindBox::WindowProc));

    const auto create = [this](const wchar_t* cls, DWORD style, int id) {
        return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, m_hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                 nullptr);
    };
    m_edit = create(L"Edit", WS_TABSTOP | ES_AUTOHSCROLL, kEditId);
    // No data of its own: the rows are drawn from m_rows, so showing
    // hundreds of them is one message.
    m_results = create(L"ListBox", WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                       kResultsId);
    m_count = create(L"Static", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | SS_CENTERIMAGE, kCountId);
    m_editKeys = std::make_unique<Keys>(*this, true);
    m_editKeys->Attach(m_edit);
    m_resultKeys = std::make_unique<Keys>(*this, false);
    m_resultKeys->Attach(m_results);

    // The controls it covers must not paint over it.
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
        if (child != m_hwnd && !(style & WS_CLIPSIBLINGS))
            ::SetWindowLongPtrW(child, GWL_STYLE, static_cast<LONG_PTR>(style | WS_CLIPSIBLINGS));
    }
    return true;
}

void FindBox::Place(const FindBoxGeometry& geometry, int dpi)
{
    m_geometry = geometry;
    if (!m_hwnd)
        return;
    if (dpi != m_dpi || !m_font) {
        fw::Font font = text_places::CreateCaptionFont(dpi);
        for (HWND control : {m_edit, m_results, m_count})
            fw::Window(control).SetFont(font.Get(), false);
        // The old font goes only once no control uses it.
        m_font = std::move(font);
        m_textHeight = TextHeight(m_font.Get());
        m_dpi = dpi;
    }
    const RECT& box = geometry.box;
    ::MoveWindow(m_hwnd, box.left, box.top, box.right - box.left, box.bottom - box.top, FALSE);
    const Layout l = LayOut(geometry, m_textHeight);
    for (const auto& [control, r] : {std::pair{m_edit, l.edit}, {m_results, l.results}, {m_count, l.count}})
        ::MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    ::SendMessageW(m_edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(geometry.textMargin, geometry.textMargin));
    ::SendMessageW(m_results, LB_SETITEMHEIGHT, 0, geometry.rowHeight);
    ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FindBox::Open(HWND dialog, const FindBoxGeometry& geometry, int dpi, const std::wstring& cue, HWND fallbackFocus)
{
    if (!m_hwnd && !Create(dialog))
        return;
    Place(geometry, dpi);
    m_cue = cue;
    m_fallbackFocus = fallbackFocus;
    HWND focus = ::GetFocus();
    if (!IsOpen() || (focus != m_hwnd && !::IsChild(m_hwnd, focus)))
        m_focusBefore = focus;
    ::SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetFocus(m_edit);
    ::SendMessageW(m_edit, EM_SETSEL, 0, -1);
    if (m_handlers.typed)
        m_handlers.typed(fw::Window(m_edit).GetText());
}

void FindBox::Close(bool restoreFocus)
{
    if (!IsOpen())
        return;
    // Before the box hides: a hidden window's focus would fall to the dialog.
    if (restoreFocus) {
        HWND to = m_focusBefore && ::IsWindowVisible(m_focusBefore) && ::IsWindowEnabled(m_focusBefore)
                      ? m_focusBefore
                      : m_fallbackFocus;
        if (to)
            ::SetFocus(to);
    }
    ::ShowWindow(m_hwnd, SW_HIDE);
}

bool FindBox::IsOpen() const { return m_hwnd && ::IsWindowVisible(m_hwnd); }

void FindBox::ShowRows(std::vector<FoundRow> rows, const std::wstring& countLine)
{
    // Most keystrokes change the rows but not their number, nor the line
    // under them; telling the controls only what changed keeps a keystroke
    // to one repaint of the rows.
    const bool recount = rows.size() != m_rows.size();
    m_rows = std::move(rows);
    if (recount)
        ::SendMessageW(m_results, LB_SETCOUNT, m_rows.size(), 0);
    ::SendMessageW(m_results, LB_SETTOPINDEX, 0, 0);
    ::SendMessageW(m_results, LB_SETCURSEL, m_rows.empty() ? static_cast<WPARAM>(-1) : 0, 0);
    ::InvalidateRect(m_results, nullptr, TRUE);
    const fw::Window count(m_count);
    if (count.GetText() != countLine)
        count.SetText(countLine);
}

int FindBox::SelectedRow() const
{
    const auto row = static_cast<int>(::SendMessageW(m_results, LB_GETCURSEL, 0, 0));
    return row >= 0 && static_cast<std::size_t>(row) < m_rows.size() ? row : -1;
}

void FindBox::Choose()
{
    // Enter with nothing found leaves the box as it is.
    const int row = SelectedRow();
    if (row >= 0 && m_handlers.chosen)
        m_handlers.chosen(row);
}

void FindBox::SelectRow(int row)
{
    if (m_rows.empty())
        return;
    const int last = static_cast<int>(m_rows.size()) - 1;
    ::SendMessageW(m_results, LB_SETCURSEL, static_cast<WPARAM>(std::clamp(row, 0, last)), 0);
}

void FindBox::MoveSelection(int rows) { SelectRow(SelectedRow() + rows); }

int FindBox::PageRows() const
{
    RECT rows{};
    ::GetClientRect(m_results, &rows);
    return std::max(1, static_cast<int>(rows.bottom - rows.top) / std::max(1, m_geometry.rowHeight));
}

void FindBox::CheckFocus()
{
    HWND focus = ::GetFocus();
    // No focus at all: another program is active; the box waits for it.
    if (IsOpen() && focus && focus != m_hwnd && !::IsChild(m_hwnd, focus))
        Close(false);
}

LRESULT CALLBACK FindBox::WindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    auto* box = reinterpret_cast<FindBox*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!box)
        return ::DefWindowProcW(hwnd, msg, w, l);
    try {
        return box->HandleMessage(hwnd, msg, w, l);
    } catch (...) {
        // Nothing of ours may unwind through the system's window procedure.
        return ::DefWindowProcW(hwnd, msg, w, l);
    }
}

LRESULT FindBox::HandleMessage(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        const fw::PaintDC dc(m_hwnd);
        Paint(dc.Get());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(w));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: {
        HDC hdc = reinterpret_cast<HDC>(w);
        ::SetTextColor(hdc, kLabelBlue);
        ::SetBkColor(hdc, kWhite);
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    case WM_DRAWITEM:
        if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l); item && item->hwndItem == m_results) {
            DrawRow(*item);
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(l) == m_edit && HIWORD(w) == EN_CHANGE) {
            if (m_handlers.typed)
                m_handlers.typed(fw::Window(m_edit).GetText());
            // The cue comes and goes with the text.
            ::InvalidateRect(m_edit, nullptr, TRUE);
        } else if (reinterpret_cast<HWND>(l) == m_results && HIWORD(w) == LBN_DBLCLK) {
            Choose();
        } else if ((reinterpret_cast<HWND>(l) == m_edit && HIWORD(w) == EN_KILLFOCUS) ||
                   (reinterpret_cast<HWND>(l) == m_results && HIWORD(w) == LBN_KILLFOCUS)) {
            ::PostMessageW(m_hwnd, kCheckFocusMessage, 0, 0);
        }
        return 0;
    case kCheckFocusMessage:
        CheckFocus();
        return 0;
    case WM_NCDESTROY:
        m_hwnd = m_edit = m_results = m_count = nullptr;
        break;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd, msg, w, l);
}

void FindBox::Paint(HDC hdc) const
{
    RECT client{};
    ::GetClientRect(m_hwnd, &client);
    fw::FillSolid(hdc, client, kWhite);
    Frame(hdc, client, kLabelBlue);
    const Layout l = LayOut(m_geometry, m_textHeight);
    Frame(hdc, l.editFrame, HoverButton::kStateBlue);
    Frame(hdc, l.resultsFrame, kLabelBlue);
}

void FindBox::DrawRow(const DRAWITEMSTRUCT& item) const
{
    if (item.itemID >= m_rows.size())
        return;
    const FoundRow& row = m_rows[item.itemID];
    HDC hdc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const COLORREF background = selected ? HoverButton::kStateBlue : kWhite;
    fw::FillSolid(hdc, rect, background);

    const int m = m_geometry.margin;
    const SIZE picture = m_geometry.picture;
    const int pictureTop = rect.top + (rect.bottom - rect.top - picture.cy) / 2;
    DrawPicture(hdc, row.pictures, row.picture,
                {rect.left + m, pictureTop, rect.left + m + picture.cx, pictureTop + picture.cy}, background);

    const fw::SelectScope font(hdc, m_font.Get());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(hdc, &metrics);
    const int line = metrics.tmHeight;
    const int top = rect.top + (rect.bottom - rect.top - 2 * line) / 2;
    const int left = rect.left + 2 * m + picture.cx;
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    DrawLine(hdc, row.name, {left, top, rect.right - m, top + line}, selected ? kWhite : kLabelBlue);
    DrawLine(hdc, row.place, {left, top + line, rect.right - m, top + 2 * line}, selected ? kWhite : kVersionGrey);
    ::SetBkMode(hdc, oldMode);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = rect;
        ::DrawFocusRect(hdc, &focus);
    }
}

void FindBox::DrawCue(HDC hdc) const
{
    if (m_cue.empty() || ::GetWindowTextLengthW(m_edit) > 0)
        return;
    RECT rect{};
    ::SendMessageW(m_edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rect));
    const fw::SelectScope font(hdc, m_font.Get());
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    DrawLine(hdc, m_cue, rect, kVersionGrey);
    ::SetBkMode(hdc, oldMode);
}

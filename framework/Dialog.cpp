#include "framework/Dialog.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"

namespace fw {

namespace {

// Resource type of the control initialisation data that accompanies a dialog
// template: combo and list box strings added before the first data exchange.
constexpr WORD kDialogInitType = 240;
constexpr WORD kInitComboAddString = 0x0403;
constexpr WORD kInitListAddString = 0x0401;

// Sent by Windows 8.1 and Windows 10 1703 and later; the headers for Vista
// do not name them.
constexpr UINT kDpiChangedMessage = 0x02E0;       // WM_DPICHANGED
constexpr UINT kGetDpiScaledSizeMessage = 0x02E4; // WM_GETDPISCALEDSIZE

struct TemplateItem {
    WORD id;
    short x, y, cx, cy;
};

// The font a template names, which the dialog manager makes at the DPI of
// the moment.
struct TemplateFont {
    WORD points = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring face;
};

// Reads the fields of a resource one after another. Every read checks the
// room left first, so a damaged resource ends the reading instead of letting
// it step past the end.
class ResourceReader {
public:
    ResourceReader(const BYTE* base, DWORD size) : m_base(base), m_pos(base), m_end(base + size) {}

    // A little-endian field that need not be aligned.
    template <typename T>
    bool Read(T& out)
    {
        if (Left() < sizeof(T))
            return false;
        std::memcpy(&out, m_pos, sizeof(T));
        m_pos += sizeof(T);
        return true;
    }

    bool Skip(size_t bytes)
    {
        if (Left() < bytes)
            return false;
        m_pos += bytes;
        return true;
    }

    // A string or an ordinal (0xFFFF and a WORD).
    bool SkipSzOrOrd()
    {
        WORD first = 0;
        if (!Read(first))
            return false;
        if (first == 0xFFFF)
            return Read(first);
        while (first != 0)
            if (!Read(first))
                return false;
        return true;
    }

    bool ReadString(std::wstring& text)
    {
        text.clear();
        for (WORD c = 0;;) {
            if (!Read(c))
                return false;
            if (c == 0)
                return true;
            text.push_back(static_cast<wchar_t>(c));
        }
    }

    // To the next multiple of `alignment` from the start of the resource.
    bool Align(size_t alignment)
    {
        const auto offset = static_cast<size_t>(m_pos - m_base);
        return Skip((alignment - offset % alignment) % alignment);
    }

    const BYTE* Position() const { return m_pos; }

private:
    size_t Left() const { return static_cast<size_t>(m_end - m_pos); }

    const BYTE* m_base;
    const BYTE* m_pos;
    const BYTE* m_end;
};

// The locked data of a resource, or an empty reader when there is none.
ResourceReader LoadResourceData(HMODULE module, UINT id, LPCWSTR type)
{
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    const auto* data = resource ? static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource))) : nullptr;
    return data ? ResourceReader(data, ::SizeofResource(module, resource)) : ResourceReader(nullptr, 0);
}

// Past the header of an extended dialog template, up to its first control;
// the number of controls, or nothing for a template of another form. The
// template's font goes to `font` when asked for.
std::optional<WORD> SkipTemplateHeader(ResourceReader& reader, TemplateFont* font = nullptr)
{
    WORD version = 0, signature = 0, count = 0;
    DWORD help = 0, exStyle = 0, style = 0;
    short rect[4];
    if (!reader.Read(version) || !reader.Read(signature) || version != 1 || signature != 0xFFFF)
        return std::nullopt;
    if (!reader.Read(help) || !reader.Read(exStyle) || !reader.Read(style) || !reader.Read(count) || !reader.Read(rect))
        return std::nullopt;
    // Menu, class and title.
    if (!reader.SkipSzOrOrd() || !reader.SkipSzOrOrd() || !reader.SkipSzOrOrd())
        return std::nullopt;
    if (style & (DS_SETFONT | DS_SHELLFONT)) {
        TemplateFont read;
        if (!reader.Read(read.points) || !reader.Read(read.weight) || !reader.Read(read.italic) ||
            !reader.Read(read.charset) || !reader.ReadString(read.face))
            return std::nullopt;
        if (font)
            *font = std::move(read);
    }
    return count;
}

std::optional<TemplateFont> ReadTemplateFont(HINSTANCE module, UINT templateId)
{
    ResourceReader reader = LoadResourceData(module, templateId, RT_DIALOG);
    TemplateFont font;
    if (!SkipTemplateHeader(reader, &font) || font.face.empty())
        return std::nullopt;
    return font;
}

// The template's font as the dialog manager makes it, at a DPI.
Font CreateTemplateFont(const TemplateFont& font, int dpi)
{
    LOGFONTW log{};
    log.lfHeight = -::MulDiv(font.points, dpi, 72);
    log.lfWeight = font.weight;
    log.lfItalic = font.italic;
    log.lfCharSet = font.charset;
    font.face.copy(log.lfFaceName, LF_FACESIZE - 1);
    return Font(::CreateFontIndirectW(&log));
}

std::optional<TemplateItem> ReadTemplateItem(ResourceReader& reader)
{
    DWORD help = 0, exStyle = 0, style = 0, id = 0;
    short r[4];
    WORD extra = 0;
    if (!reader.Align(4) || !reader.Read(help) || !reader.Read(exStyle) || !reader.Read(style) || !reader.Read(r) ||
        !reader.Read(id) || !reader.SkipSzOrOrd() || !reader.SkipSzOrOrd() || !reader.Read(extra) ||
        !reader.Skip(extra))
        return std::nullopt;
    return TemplateItem{static_cast<WORD>(id), r[0], r[1], r[2], r[3]};
}

// Control rectangles of an extended dialog template, in template order;
// nothing at all for a damaged template.
std::vector<TemplateItem> ReadTemplateItems(HINSTANCE module, UINT templateId)
{
    ResourceReader reader = LoadResourceData(module, templateId, RT_DIALOG);
    const std::optional<WORD> count = SkipTemplateHeader(reader);
    if (!count)
        return {};
    std::vector<TemplateItem> items;
    for (WORD i = 0; i < *count; ++i) {
        const std::optional<TemplateItem> item = ReadTemplateItem(reader);
        if (!item)
            return {};
        items.push_back(*item);
    }
    return items;
}

// Initialisation strings are stored in the 8-bit code page, terminator included.
std::wstring WidenInitString(const char* text, DWORD length)
{
    int bytes = static_cast<int>(length);
    while (bytes > 0 && text[bytes - 1] == '\0')
        --bytes;
    std::wstring wide(static_cast<size_t>(bytes), L'\0');
    if (bytes > 0)
        wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, text, bytes, wide.data(), bytes)));
    return wide;
}

int Scale(short units, double scale) { return static_cast<int>(std::lround(units * scale)); }

// Where a control of the template goes: its rectangle in pixels at 96 dpi,
// then at the DPI.
RECT PixelRect(const TemplateItem& item, double pixelsPerUnit, int dpi)
{
    const int left = Scale(item.x, pixelsPerUnit);
    const int top = Scale(item.y, pixelsPerUnit);
    return ScaleRect(RECT{left, top, left + Scale(item.cx, pixelsPerUnit), top + Scale(item.cy, pixelsPerUnit)}, dpi);
}

} // namespace

Dialog::Dialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

Dialog::~Dialog()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && !m_modal) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR Dialog::DoModal()
{
    m_modal = true;
    m_endResult.reset();
    const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent,
                                             &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    m_modal = false;
    return result;
}

bool Dialog::Create(HWND parent)
{
    m_modal = false;
    m_endResult.reset();
    HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent,
                                     &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

void Dialog::DestroyWindow()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

void Dialog::EndDialog(INT_PTR result)
{
    m_endResult = result;
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        ::ShowWindow(m_hWnd, SW_HIDE);
}

bool Dialog::UpdateData(bool saveAndValidate)
{
    // Control notifications raised by writing into the controls must not
    // reach the handlers while the exchange runs; nested calls keep the lock.
    const bool wasLocked = m_lockNotify;
    m_lockNotify = true;
    DataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    m_lockNotify = wasLocked;
    return !exchange.Failed();
}

bool Dialog::OnInitDialog()
{
    ApplyTemplateInit();
    UpdateData(false);
    return true;
}

void Dialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

bool Dialog::OnCommand(WORD, WORD, HWND) { return false; }

void Dialog::OnDataExchangeError(HWND field, const std::wstring& message)
{
    ShowMessage(message, MB_OK);
    if (!field)
        return;
    ::SetFocus(field);
    if (::SendMessageW(field, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageW(field, EM_SETSEL, 0, -1);
}

bool Dialog::OnNotify(NMHDR*, LRESULT&) { return false; }

std::optional<LRESULT> Dialog::HandleMessage(UINT msg, WPARAM w, LPARAM l)
{
    switch (msg) {
    case WM_INITDIALOG:
        if (m_pixelsPerUnit > 0.0) {
            m_dpi = WindowDpi(m_hWnd);
            m_createdDpi = m_dpi;
            // The dialog manager would scale the controls again, over the
            // places given here.
            KeepDialogManagerFromScaling(m_hWnd);
            ApplyPixelGeometry();
        }
        return OnInitDialog() ? TRUE : FALSE;
    case kGetDpiScaledSizeMessage: {
        const std::optional<SIZE> size = m_pixelsPerUnit > 0.0 ? WindowSizeAt(LOWORD(w)) : std::nullopt;
        if (!size || !l)
            return std::nullopt;
        *reinterpret_cast<SIZE*>(l) = *size;
        return TRUE;
    }
    case kDpiChangedMessage:
        if (m_pixelsPerUnit <= 0.0 || !l)
            return std::nullopt;
        ChangeDpi(HIWORD(w), *reinterpret_cast<const RECT*>(l));
        return 0;
    case WM_COMMAND: {
        const WORD id = LOWORD(w);
        const WORD code = HIWORD(w);
        const auto control = reinterpret_cast<HWND>(l);
        if (control && m_lockNotify)
            return 0;
        if (OnCommand(id, code, control))
            return 0;
        if (code == BN_CLICKED || !control) {
            if (id == IDOK) {
                OnOK();
                return 0;
            }
            if (id == IDCANCEL) {
                OnCancel();
                return 0;
            }
        }
        return std::nullopt;
    }
    case WM_NOTIFY: {
        if (m_lockNotify)
            return 0;
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(l), result))
            return result;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

void Dialog::ApplyTemplateInit()
{
    ResourceReader reader =
        LoadResourceData(::GetModuleHandleW(nullptr), m_templateId, MAKEINTRESOURCEW(kDialogInitType));
    for (;;) {
        WORD id = 0, message = 0;
        DWORD length = 0;
        if (!reader.Read(id) || id == 0 || !reader.Read(message) || !reader.Read(length))
            return;
        const auto* text = reinterpret_cast<const char*>(reader.Position());
        if (!reader.Skip(length))
            return;
        const UINT add = message == kInitComboAddString  ? CB_ADDSTRING
                         : message == kInitListAddString ? LB_ADDSTRING
                                                         : 0;
        if (add)
            SendItem(id, add, 0, reinterpret_cast<LPARAM>(WidenInitString(text, length).c_str()));
    }
}

void Dialog::ApplyPixelGeometry()
{
    if (m_pixelsPerUnit <= 0.0)
        return;
    const std::vector<TemplateItem> items = ReadTemplateItems(::GetModuleHandleW(nullptr), m_templateId);
    // Controls are created in template order, which is also their order among
    // the dialog's children; that pairs up the controls without an id.
    HWND child = ::GetWindow(m_hWnd, GW_CHILD);
    for (const TemplateItem& item : items) {
        if (!child)
            break;
        const auto childId = static_cast<WORD>(::GetDlgCtrlID(child));
        HWND target = childId == item.id ? child : (item.id != 0xFFFF ? Item(item.id) : nullptr);
        if (target) {
            const RECT rect = PixelRect(item, m_pixelsPerUnit, m_dpi);
            ::MoveWindow(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
        }
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
}

void Dialog::ChangeDpi(int dpi, const RECT& suggested)
{
    if (dpi <= 0)
        return;
    m_dpi = dpi;
    // Where the system proposes, in the dialog's own size where it has one:
    // the system's proposal scales the client area, not the whole window.
    const SIZE size =
        WindowSizeAt(dpi).value_or(SIZE{suggested.right - suggested.left, suggested.bottom - suggested.top});
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyPixelGeometry();
    ApplyControlFont();
    OnDpiChanged();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Dialog::ApplyControlFont()
{
    // Back at the DPI the dialog was made at, its own font serves again.
    Font made;
    if (m_dpi != m_createdDpi)
        if (const std::optional<TemplateFont> named = ReadTemplateFont(::GetModuleHandleW(nullptr), m_templateId))
            made = CreateTemplateFont(*named, m_dpi);
    HFONT font = made ? made.Get() : reinterpret_cast<HFONT>(Send(WM_GETFONT));
    if (!font)
        return;
    for (const TemplateItem& item : ReadTemplateItems(::GetModuleHandleW(nullptr), m_templateId))
        if (HWND control = item.id != 0xFFFF ? Item(item.id) : nullptr)
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The font the controls had until now goes only once none uses it.
    m_controlFont = std::move(made);
}

std::optional<RECT> TemplateItemRect(UINT templateId, WORD id, double pixelsPerUnit, int dpi)
{
    for (const TemplateItem& item : ReadTemplateItems(::GetModuleHandleW(nullptr), templateId))
        if (item.id == id)
            return PixelRect(item, pixelsPerUnit, dpi);
    return std::nullopt;
}

INT_PTR Dialog::Dispatch(UINT msg, WPARAM w, LPARAM l)
{
    std::optional<LRESULT> result;
    try {
        result = HandleMessage(msg, w, l);
    } catch (...) {
        // Nothing of ours may unwind through the system's dialog manager.
        result.reset();
    }
    if (!result)
        return FALSE;
    switch (msg) {
    // These answers go back directly instead of through DWLP_MSGRESULT.
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return static_cast<INT_PTR>(*result);
    default:
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, *result);
        return TRUE;
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(l);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self)
            self->m_hWnd = hwnd;
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return FALSE;
    const INT_PTR answer = self->Dispatch(msg, w, l);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
    }
    return answer;
}

} // namespace fw

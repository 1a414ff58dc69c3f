#pragma once
// Typed, non-owning wrappers of the common controls the dialogs use. Like
// fw::Window they only hold a handle; each call is one control message.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "framework/Window.h"

namespace fw {

class Edit : public Window {
public:
    using Window::Window;

    void LimitText(int characters) const { Send(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }
    void SelectAll() const { Send(EM_SETSEL, 0, -1); }
    // Removes the whole text as an edit by the user would, with the change
    // notification that goes with it.
    void ClearText() const;
};

class ComboBox : public Window {
public:
    using Window::Window;

    int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    // An index the list does not have clears the selection.
    void SetCurSel(int index) const;
    void AddString(const std::wstring& text) const { Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    // The text of an entry; empty for an index the list does not have.
    std::wstring GetItemText(int index) const;
};

class Button : public Window {
public:
    using Window::Window;

    // The highlight state (BM_SETSTATE): drawn pushed or, for owner-drawn
    // buttons, however their painter shows it.
    void SetState(bool highlighted) const { Send(BM_SETSTATE, highlighted ? TRUE : FALSE); }
    bool GetState() const { return Send(BM_GETSTATE) != 0; }
};

class ListView : public Window {
public:
    using Window::Window;

    int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    void DeleteAllItems() const { Send(LVM_DELETEALLITEMS); }
    // Appends an item with its text, picture and the caller's value; its
    // index, or -1.
    int InsertItem(int index, const std::wstring& text, int image, LPARAM data = 0) const;
    std::wstring GetItemText(int item) const;
    void DeleteItem(int item) const { Send(LVM_DELETEITEM, static_cast<WPARAM>(item)); }
    // Gives an item another picture and value; its text and place stay.
    void SetItemImageAndData(int item, int image, LPARAM data) const;
    // The caller's value of an item; nothing for an index the list does not have.
    std::optional<LPARAM> GetItemData(int item) const;
    // The item that holds this value, or -1.
    int FindItemData(LPARAM data) const;
    // The first selected item after `after` (-1: from the start), or -1.
    int GetNextSelected(int after = -1) const
    {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED));
    }
    // The item whose text is `text` (ignoring case), or whose text begins
    // with it when `prefix`; -1 when there is none.
    int FindItem(const std::wstring& text, bool prefix) const;
    // Selects one item, and scrolls it into view when asked; a negative
    // index does nothing (for the control, -1 would mean every item).
    void SelectItem(int item, bool scrollIntoView = true) const;
    // Selects and focuses one item and no other, scrolled into view: the
    // list as a click on that item leaves it. A negative index does nothing.
    void SelectOnly(int item) const;
    int HitTest(POINT clientPoint) const;
    // An item's whole area (icon and text), client coordinates.
    RECT GetItemRect(int item) const;
    // Starts editing an item's text in place; the list must have the focus
    // and the LVS_EDITLABELS style. The edit control, or null.
    HWND EditLabel(int item) const { return reinterpret_cast<HWND>(Send(LVM_EDITLABELW, static_cast<WPARAM>(item))); }

    void SetImageList(HIMAGELIST list, int kind = LVSIL_NORMAL) const
    {
        Send(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list));
    }
    void SetIconSpacing(int cx, int cy) const { Send(LVM_SETICONSPACING, 0, MAKELPARAM(cx, cy)); }
    void Arrange() const { Send(LVM_ARRANGE, LVA_DEFAULT); }
    POINT GetItemPosition(int item) const;
    void SetItemPosition(int item, POINT at) const
    {
        Send(LVM_SETITEMPOSITION32, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&at));
    }
};

// Keeps a window from repainting for the lifetime of the scope; it redraws
// as usual afterwards.
class ScopedNoRedraw {
public:
    explicit ScopedNoRedraw(const Window& window) : m_window(window) { m_window.Send(WM_SETREDRAW, FALSE); }
    ScopedNoRedraw(const ScopedNoRedraw&) = delete;
    ScopedNoRedraw& operator=(const ScopedNoRedraw&) = delete;
    ~ScopedNoRedraw() { m_window.Send(WM_SETREDRAW, TRUE); }

private:
    Window m_window;
};

} // namespace fw

#pragma once
// A tip beside the pointer once it rests on a place of a window (an item, an
// area), with that place's text. The owner numbers the places and makes the
// text only when the tip is about to show, so resting is what costs, not
// moving.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "framework/Gdi.h"
#include "framework/Window.h"

namespace fw {

class HoverTip : public SubclassedWindow {
public:
    // The place under a client point, -1 for none; the text of a place (an
    // empty text shows nothing).
    using PlaceAt = std::function<int(POINT client)>;
    using TextOf = std::function<std::wstring(int place)>;

    HoverTip(PlaceAt placeAt, TextOf textOf) : m_placeAt(std::move(placeAt)), m_textOf(std::move(textOf)) {}
    ~HoverTip() override;

    // Watches the window; the tip belongs to the window's top-level window.
    bool Attach(HWND hwnd) override;
    void Hide();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) override;

private:
    void OnMouseMove(POINT client);
    void Show(int place, POINT client);
    // The tip's one tool, which the tip shows where it is told.
    TOOLINFOW Tool(const wchar_t* text) const;
    // The tip's width and font for the DPI of the window it shows for.
    void FollowDpi();

    PlaceAt m_placeAt;
    TextOf m_textOf;
    HWND m_tip = nullptr;
    std::wstring m_text;
    int m_place = -1;
    bool m_shown = false;
    // After a click or a key no tip comes back until the pointer goes to
    // another place: the operator is at work there.
    bool m_quiet = false;
    int m_dpi = 0;
    // The tip's own font, and the one made for a DPI other than the system's.
    HFONT m_ownFont = nullptr;
    Font m_font;
};

} // namespace fw

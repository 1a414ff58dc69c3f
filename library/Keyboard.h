#pragma once
// The material list's keys: a selection the operator makes with the keyboard
// (arrows, Home/End, type-ahead) loads the material as a click does. Pointer
// and program selections pass unnoticed, so a right click still only selects
// and a click loads once, through its own notification.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <utility>

#include "framework/Window.h"

class MaterialListKeys : public fw::SubclassedWindow {
public:
    explicit MaterialListKeys(std::function<void()> load) : m_load(std::move(load)) {}

    // The list's LVN_ITEMCHANGED, as its parent receives it.
    void NoteChange(const NMLISTVIEW& change);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) override;

private:
    std::function<void()> m_load;
    bool m_watching = false;
    bool m_gained = false;
};

#pragma once
// Data exchange between dialog controls and members, with range checks.
// Once a value fails, the remaining calls of that exchange do nothing.
#include <windows.h>
#include <optional>
#include <string>

namespace fw {

class Dialog;
class Window;

class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saveAndValidate) : m_dialog(dialog), m_save(saveAndValidate) {}

    bool Saving() const { return m_save; }
    bool Failed() const { return m_failed; }

    void Control(int id, Window& control);
    void Text(int id, std::wstring& value);
    void Text(int id, double& value);
    void CBIndex(int id, int& index);
    void MinMaxDouble(double value, double minimum, double maximum);

private:
    // The control a call exchanges with; nothing once a value has failed.
    std::optional<HWND> NextControl(int id);
    // Runs `save` (from the control) or `load` (into it) with the control
    // of `id` seen as a `Control`, unless a value has failed already.
    template <typename Control, typename Save, typename Load>
    void Exchange(int id, Save save, Load load);
    void Fail(const std::wstring& message);

    Dialog& m_dialog;
    bool m_save;
    bool m_failed = false;
    HWND m_lastControl = nullptr;
};

// The exchange's own messages, also used by tests to recognise them.
std::wstring NotANumberMessage();
std::wstring OutOfRangeMessage(double minimum, double maximum);

} // namespace fw

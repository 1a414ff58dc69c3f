#include "framework/DataExchange.h"

#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "utils/NumberText.h"

namespace fw {

std::wstring NotANumberMessage() { return L"Please enter a number."; }

std::wstring OutOfRangeMessage(double minimum, double maximum)
{
    return L"Please enter a number between " + utils::FormatDouble(minimum) + L" and " + utils::FormatDouble(maximum) + L".";
}

HWND DataExchange::PrepareControl(int id, bool isEdit)
{
    m_lastControl = m_dialog.Item(id);
    m_lastIsEdit = isEdit;
    return m_lastControl;
}

void DataExchange::Fail(const std::wstring& message)
{
    m_failed = true;
    MessageBox(message, MB_OK);
    if (m_lastControl) {
        ::SetFocus(m_lastControl);
        if (m_lastIsEdit)
            ::SendMessageW(m_lastControl, EM_SETSEL, 0, -1);
    }
}

namespace {

// Writing the same text again would move the caret to the start of an edit
// the user is typing in; only a changed text is written.
void SetTextIfChanged(const Window& control, const std::wstring& text)
{
    if (control.GetText() != text)
        control.SetText(text);
}

} // namespace

void DataExchange::Control(int id, Window& control)
{
    if (m_failed)
        return;
    HWND hwnd = PrepareControl(id, false);
    if (control.Hwnd() != hwnd)
        control.Attach(hwnd);
}

void DataExchange::Text(int id, std::wstring& value)
{
    if (m_failed)
        return;
    HWND hwnd = PrepareControl(id, true);
    Window control(hwnd);
    if (m_save)
        value = control.GetText();
    else
        SetTextIfChanged(control, value);
}

void DataExchange::Text(int id, double& value)
{
    if (m_failed)
        return;
    HWND hwnd = PrepareControl(id, true);
    Window control(hwnd);
    if (!m_save) {
        SetTextIfChanged(control, utils::FormatDouble(value));
        return;
    }
    if (const auto parsed = utils::ParseDouble(control.GetText()))
        value = *parsed;
    else
        Fail(NotANumberMessage());
}

void DataExchange::CBIndex(int id, int& index)
{
    if (m_failed)
        return;
    HWND hwnd = PrepareControl(id, false);
    if (m_save) {
        index = static_cast<int>(::SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
        return;
    }
    // An index beyond the list means no selection. Some combo boxes keep the
    // previous one when asked for an index they do not have, which would show
    // a value that is not the member's.
    const auto count = static_cast<int>(::SendMessageW(hwnd, CB_GETCOUNT, 0, 0));
    ::SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index >= 0 && index < count ? index : -1), 0);
}

void DataExchange::MinMaxDouble(double value, double minimum, double maximum)
{
    // Checked only on the way from the controls, after the value was stored.
    if (m_failed || !m_save)
        return;
    if (!(value >= minimum && value <= maximum))
        Fail(OutOfRangeMessage(minimum, maximum));
}

} // namespace fw

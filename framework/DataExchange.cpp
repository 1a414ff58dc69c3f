#include "framework/DataExchange.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "utils/NumberText.h"

namespace fw {

std::wstring NotANumberMessage() { return L"Please enter a number."; }

std::wstring OutOfRangeMessage(double minimum, double maximum)
{
    return L"Please enter a number between " + utils::FormatDouble(minimum) + L" and " + utils::FormatDouble(maximum) +
           L".";
}

std::optional<HWND> DataExchange::NextControl(int id)
{
    if (m_failed)
        return std::nullopt;
    m_lastControl = m_dialog.Item(id);
    return m_lastControl;
}

void DataExchange::Fail(const std::wstring& message)
{
    m_failed = true;
    m_dialog.OnDataExchangeError(m_lastControl, message);
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
    if (const std::optional<HWND> hwnd = NextControl(id); hwnd && control.Hwnd() != *hwnd)
        control.Attach(*hwnd);
}

template <typename Control, typename Save, typename Load>
void DataExchange::Exchange(int id, Save save, Load load)
{
    const std::optional<HWND> hwnd = NextControl(id);
    if (!hwnd)
        return;
    const Control control(*hwnd);
    if (m_save)
        save(control);
    else
        load(control);
}

void DataExchange::Text(int id, std::wstring& value)
{
    Exchange<Window>(
        id, [&value](const Window& edit) { value = edit.GetText(); },
        [&value](const Window& edit) { SetTextIfChanged(edit, value); });
}

void DataExchange::Text(int id, double& value)
{
    Exchange<Window>(
        id,
        [this, &value](const Window& edit) {
            if (const auto parsed = utils::ParseDouble(edit.GetText()))
                value = *parsed;
            else
                Fail(NotANumberMessage());
        },
        [&value](const Window& edit) { SetTextIfChanged(edit, utils::FormatDouble(value)); });
}

void DataExchange::CBIndex(int id, int& index)
{
    Exchange<ComboBox>(
        id, [&index](const ComboBox& combo) { index = combo.GetCurSel(); },
        [&index](const ComboBox& combo) { combo.SetCurSel(index); });
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

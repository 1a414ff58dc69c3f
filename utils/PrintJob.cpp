#include "utils/PrintJob.h"

#include <iterator>

namespace utils {

namespace {

struct PortRow {
    std::wstring_view port;
    std::wstring_view device;
};

constexpr PortRow kPorts[] = {
    {L"ZORUSB0", L"\\\\.\\DUDAV0"},
    {L"ZORUSB1", L"\\\\.\\DUDAV1"},
    {L"LPT1", L"LPT1"},
    {L"USB001", L"USB001"},
};

std::wstring Quoted(std::wstring_view text) { return L"\"" + std::wstring(text) + L"\""; }

// "port "LPT1"" or, when the device path says more, "port "ZORUSB0" (\\.\DUDAV0)".
std::wstring PortName(std::wstring_view port, std::wstring_view devicePath)
{
    std::wstring text = L"port " + Quoted(port);
    if (devicePath != port)
        text += L" (" + std::wstring(devicePath) + L")";
    return text;
}

std::wstring Hex32(std::uint32_t value)
{
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text = L"0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text.push_back(kDigits[(value >> shift) & 0xF]);
    return text;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring_view Trimmed(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

constexpr std::wstring_view kNotSent = L"; the rest of the print job was not sent.";

} // namespace

std::optional<std::wstring_view> PrintDevicePath(std::wstring_view port)
{
    for (const PortRow& row : kPorts)
        if (row.port == port)
            return row.device;
    return std::nullopt;
}

std::uint64_t PrintBlockCount(std::uint64_t length)
{
    return length / kPrintBlockSize + (length % kPrintBlockSize != 0 ? 1 : 0);
}

PrintBlock PrintBlockAt(std::uint64_t length, std::uint64_t index)
{
    PrintBlock block;
    block.offset = index * kPrintBlockSize;
    if (block.offset >= length)
        return block;
    const std::uint64_t left = length - block.offset;
    block.size = left < kPrintBlockSize ? static_cast<std::uint32_t>(left) : kPrintBlockSize;
    return block;
}

std::wstring UnknownPortMessage(std::wstring_view port)
{
    std::wstring text = port.empty() ? std::wstring(L"No print port is chosen")
                                     : L"The print port " + Quoted(port) + L" is not known";
    text += L", so the print job was not sent.\n\nKnown ports:";
    for (std::size_t i = 0; i < std::size(kPorts); ++i)
        text += (i == 0 ? L" " : L", ") + std::wstring(kPorts[i].port);
    return text + L".";
}

std::wstring PortOpenFailure(std::wstring_view port, std::wstring_view devicePath)
{
    return L"The print job was not sent: the " + PortName(port, devicePath) + L" could not be opened.";
}

std::wstring JobOpenFailure(std::wstring_view jobPath)
{
    return L"The print job was not sent: the job file " + Quoted(jobPath) + L" could not be opened.";
}

std::wstring JobReadFailure(std::wstring_view jobPath, std::uint64_t offset)
{
    return L"The job file " + Quoted(jobPath) + L" could not be read at byte " + std::to_wstring(offset) +
           std::wstring(kNotSent);
}

std::wstring PortWriteFailure(std::wstring_view port, std::wstring_view devicePath, std::uint64_t offset)
{
    return L"Writing to the " + PortName(port, devicePath) + L" failed at byte " + std::to_wstring(offset) +
           std::wstring(kNotSent);
}

std::wstring ShortWriteMessage(std::wstring_view port, std::wstring_view devicePath, std::uint64_t offset,
                               std::uint32_t requested, std::uint32_t written)
{
    return L"The " + PortName(port, devicePath) + L" took only " + std::to_wstring(written) + L" of " +
           std::to_wstring(requested) + L" bytes at byte " + std::to_wstring(offset) + std::wstring(kNotSent);
}

std::wstring SystemErrorMessage(std::wstring_view whatFailed, std::uint32_t code, std::wstring_view systemText)
{
    std::wstring text(whatFailed);
    text += L"\n\nError " + std::to_wstring(code) + L" (" + Hex32(code) + L"): ";
    const std::wstring_view reason = Trimmed(systemText);
    if (reason.empty())
        text += L"the system has no description for this error.";
    else
        text += reason;
    return text;
}

} // namespace utils

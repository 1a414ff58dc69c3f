// The Save-as name check on arbitrary UTF-16 text: an accepted name is one
// Windows stores as a plain file inside the "Customize" folder, under exactly
// that name; a refusal always comes with a message.
#include <cstddef>
#include <cstdint>
#include <string>

#include "utils/MaterialName.h"

namespace {

bool Forbidden(wchar_t c)
{
    return c < 0x20 || c == L'\\' || c == L'/' || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' ||
           c == L'>' || c == L'|';
}

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 0x20) : c; }

// A device name by Windows' own rule, written independently of the checker:
// the part before the first dot, trailing blanks dropped, compared without case.
bool IsDevice(const std::wstring& name)
{
    std::wstring base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    for (wchar_t& c : base)
        c = Upper(c);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (base == device)
            return true;
    if (base.size() != 4)
        return false;
    const std::wstring stem = base.substr(0, 3);
    const wchar_t digit = base[3];
    const bool portDigit = (digit >= L'0' && digit <= L'9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    return portDigit && (stem == L"COM" || stem == L"LPT");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring name;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        name.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));

    const utils::NameProblem problem = utils::CheckMaterialName(name);
    const std::wstring message = utils::NameProblemMessage(problem, name);
    if ((problem == utils::NameProblem::None) != message.empty())
        __builtin_trap();
    if (problem == utils::NameProblem::ReservedName &&
        message.find(utils::ReservedDeviceName(name)) == std::wstring::npos)
        __builtin_trap();
    if ((!utils::ReservedDeviceName(name).empty()) != IsDevice(name))
        __builtin_trap();
    if (problem != utils::NameProblem::None)
        return 0;

    if (name.empty() || name == L"." || name == L"..")
        __builtin_trap();
    for (wchar_t c : name)
        if (Forbidden(c))
            __builtin_trap();
    if (IsDevice(name))
        __builtin_trap();
    if (name.back() == L'.' || name.back() == L' ')
        __builtin_trap();
    // With no separator and not "." or "..", folder + "\" + name + extension
    // has exactly one more component than the folder, and that is the name.
    const std::wstring path = L"C:\\ZOR\\parameter_R250\\1\\Customize\\" + name + L".VX";
    if (path.rfind(L'\\') != path.size() - name.size() - 4)
        __builtin_trap();
    return 0;
}

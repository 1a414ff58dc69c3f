#pragma once
// Values an installer or a policy leaves in the registry for the whole machine.
#include <windows.h>

#include <optional>
#include <string>

namespace fw {

// A string value of HKEY_LOCAL_MACHINE\<subKey>, with environment variables
// expanded (also in a plain string: an installer cannot always choose the
// type). Read from the 64-bit view and, where the value is absent there, from
// the 32-bit view that a 32-bit installer writes to. Nothing when neither
// view holds it as a string.
std::optional<std::wstring> ReadMachineString(const wchar_t* subKey, const wchar_t* name);

// A text with its %NAME% references to environment variables replaced; an
// unknown name stays as it is written.
std::wstring ExpandEnvironment(const std::wstring& text);

} // namespace fw

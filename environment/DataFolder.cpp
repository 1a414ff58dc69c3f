#include "environment/DataFolder.h"

#include <windows.h>

#include "framework/Registry.h"
#include "utils/HandOffRules.h"

std::wstring SystemDataFolder()
{
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    const bool queried = ::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)) != FALSE;
    return utils::DataFolderForVersion(queried, version.dwMajorVersion, version.dwMinorVersion);
}

LibraryRootSetting SystemLibraryRoot()
{
    const std::optional<std::wstring> setting = fw::ReadMachineString(utils::kLibraryRootKey, utils::kLibraryRootValue);
    if (const std::optional<std::wstring> root = utils::LibraryRootFromSetting(setting.value_or(L"")))
        return {*root, true};
    return {utils::kLibraryRoot, false};
}

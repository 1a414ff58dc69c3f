#include "environment/DataFolder.h"

#include <windows.h>

#include "utils/HandOffRules.h"

std::wstring SystemDataFolder()
{
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    const bool queried = ::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)) != FALSE;
    return utils::DataFolderForVersion(queried, version.dwMajorVersion, version.dwMinorVersion);
}

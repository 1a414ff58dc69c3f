#include "library/MaterialFile.h"

#include "framework/Profile.h"
#include "utils/MaterialValues.h"

namespace {

// Material files are read into a buffer of 30 characters: a value keeps at
// most 29 of them.
constexpr DWORD kMaterialValueBuffer = 30;

int ReadNumber(const std::wstring& file, const wchar_t* section, const wchar_t* key)
{
    return utils::ReadLeadingInt(fw::ReadProfileString(file, section, key, L"N/A", kMaterialValueBuffer));
}

} // namespace

MaterialFileValues ReadMaterialFile(const std::wstring& path, bool withTexture)
{
    MaterialFileValues values;
    // A texture name cut short would hand the driver a texture that does not exist.
    if (withTexture)
        values.texture = fw::ReadWholeProfileString(path, L"OPTION", L"MATERIAL", L"N/A");
    values.markMode = ReadNumber(path, L"OPTION", L"MARK_MODE");
    values.speed = utils::SpeedFromTenths(ReadNumber(path, L"PEN", L"PEN1SPEED"));
    values.power = ReadNumber(path, L"PEN", L"PEN1POWER");
    values.ppi = ReadNumber(path, L"PEN", L"PEN1PPI");
    values.resolution = utils::ResolutionPositionOfValue(ReadNumber(path, L"OPTION", L"RESOLUTION"));
    return values;
}

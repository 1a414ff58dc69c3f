#include "library/MaterialFile.h"

#include "framework/Profile.h"

namespace {

constexpr DWORD kMaterialValueBuffer = 30;

} // namespace

std::wstring ReadMaterialValue(const std::wstring& file, utils::MaterialKey key)
{
    return fw::ReadProfileString(file, key.section, key.name, L"N/A", kMaterialValueBuffer);
}

int ReadMaterialNumber(const std::wstring& file, utils::MaterialKey key)
{
    return utils::ReadLeadingInt(ReadMaterialValue(file, key));
}

std::wstring ReadMaterialText(const std::wstring& file, utils::MaterialKey key)
{
    return fw::ReadWholeProfileString(file, key.section, key.name, L"N/A");
}

MaterialFileValues ReadMaterialFile(const std::wstring& path, bool withTexture)
{
    MaterialFileValues values;
    if (withTexture)
        values.texture = ReadMaterialText(path, utils::kTextureKey);
    values.markMode = ReadMaterialNumber(path, utils::kMarkModeKey);
    values.speed = utils::SpeedFromTenths(ReadMaterialNumber(path, utils::kSpeedKey));
    values.power = ReadMaterialNumber(path, utils::kPowerKey);
    values.ppi = ReadMaterialNumber(path, utils::kPpiKey);
    values.resolution = utils::ResolutionPositionOfValue(ReadMaterialNumber(path, utils::kResolutionKey));
    return values;
}

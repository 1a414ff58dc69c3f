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

bool WriteMaterialWhole(const std::wstring& folder, const std::wstring& targetPath,
                        const std::function<bool(const std::wstring& file)>& fill)
{
    // Beside the target, so that the final move stays on one volume and
    // cannot turn into a copy that fails half-way.
    wchar_t temp[MAX_PATH] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"~mm", 0, temp))
        return false;
    const bool stored = fill(temp) && ::MoveFileExW(temp, targetPath.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!stored)
        ::DeleteFileW(temp);
    return stored;
}

bool CopyMaterialKeys(const std::wstring& sourcePath, const std::wstring& file)
{
    if (!::CopyFileW(sourcePath.c_str(), file.c_str(), FALSE))
        return false;
    // A copy takes the source's attributes; a read-only source must not make
    // the new material refuse the keys still to be written.
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return true;
}

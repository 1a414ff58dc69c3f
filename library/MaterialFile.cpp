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

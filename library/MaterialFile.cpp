#include "library/MaterialFile.h"

#include <functional>
#include <vector>

#include "framework/FileBytes.h"
#include "framework/FileFind.h"
#include "framework/Handle.h"
#include "framework/Profile.h"
#include "utils/MaterialName.h"
#include "utils/ProfileText.h"

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

namespace {

// The key's text as the file holds it; nothing where the key is missing.
std::optional<std::wstring> ReadStoredText(const std::wstring& file, utils::MaterialKey key)
{
    // No value can hold a line break: the default tells a missing key apart.
    constexpr const wchar_t* kMissing = L"\n";
    std::wstring text = fw::ReadProfileString(file, key.section, key.name, kMissing, kMaterialValueBuffer);
    if (text == kMissing)
        return std::nullopt;
    return text;
}

} // namespace

std::array<std::optional<std::wstring>, utils::kParameterCount> ReadStoredTexts(const std::wstring& file)
{
    std::array<std::optional<std::wstring>, utils::kParameterCount> texts;
    for (std::size_t k = 0; k < utils::kParameterCount; ++k)
        texts[k] = ReadStoredText(file, utils::kParameterRules[k].key);
    return texts;
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

namespace {

// A new, empty file under one of the program's own temporary names in
// `folder`. CREATE_NEW makes the name this save's alone, also against
// another station saving into a shared library at the same moment.
std::optional<std::wstring> CreateOwnTempFile(const std::wstring& folder)
{
    // Each save starts where the last one stopped, and the first one of a
    // process at a number of its own, so that saves rarely meet on a name.
    static unsigned next = ::GetTickCount() ^ (::GetCurrentProcessId() << 4);
    for (unsigned tries = 0; tries <= 0xFFFF; ++tries) {
        const std::wstring path = folder + L"\\" + utils::OwnTempFileName(next++ & 0xFFFF);
        // The profile functions reach no longer path; the callers refuse such
        // a folder before anything is written.
        if (!utils::FitsMaxPath(path))
            return std::nullopt;
        const fw::FileHandle file(
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return path;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_SHARING_VIOLATION)
            return std::nullopt;
    }
    return std::nullopt;
}

// Makes a whole material in a temporary file in `folder` (the target's own
// folder), filled by `fill`, and moves it to `targetPath` in one step, over
// a file there only when `replace`; with the target as it was and no
// temporary file left when any step failed.
WriteOutcome WriteMaterialWhole(const std::wstring& folder, const std::wstring& targetPath, bool replace,
                                const std::function<bool(const std::wstring& file)>& fill)
{
    // Beside the target, so that the final move stays on one volume and
    // cannot turn into a copy that fails half-way.
    const std::optional<std::wstring> temp = CreateOwnTempFile(folder);
    if (!temp)
        return WriteOutcome::Failed;
    // The content reaches the disk before the name does: after a power cut
    // the target holds the old material or the new one, never an empty file.
    // Without the operator's yes the move itself refuses a name another
    // station took since it was found free: no check before it could close
    // that gap.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (fill(*temp) && fw::FlushFileToDisk(*temp) && ::MoveFileExW(temp->c_str(), targetPath.c_str(), flags))
        return WriteOutcome::Written;
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temp->c_str());
    return !replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) ? WriteOutcome::NameTaken
                                                                                     : WriteOutcome::Failed;
}

bool WriteSavedKeys(const std::wstring& file, const double* params, const std::wstring& texture)
{
    bool stored = !utils::NeedsUnicodeProfile(texture) || fw::EnsureUnicodeProfileFile(file);
    stored = stored && fw::WriteProfileInt(file, L"OPTION", L"MARK_MODE", utils::TruncateToInt(params[0]));
    stored = stored && fw::WriteProfileInt(file, L"PEN", L"PEN1SPEED", utils::SpeedToTenths(params[1]));
    stored = stored && fw::WriteProfileInt(file, L"PEN", L"PEN1POWER", utils::TruncateToInt(params[2]));
    stored = stored && fw::WriteProfileInt(file, L"PEN", L"PEN1PPI", utils::TruncateToInt(params[3]));
    stored = stored && fw::WriteProfileInt(file, L"OPTION", L"RESOLUTION", utils::ResolutionToWrite(params[4]));
    stored = stored && fw::WriteProfileString(file, utils::kTextureKey.section, utils::kTextureKey.name, texture);
    return stored;
}

} // namespace

WriteOutcome SaveMaterialAs(const std::wstring& folder, const std::wstring& targetPath, const std::wstring& basePath,
                            const double* params, const std::wstring& texture, bool replace)
{
    return WriteMaterialWhole(folder, targetPath, replace, [&](const std::wstring& file) {
        // A failed copy still leaves the six keys to write.
        fw::CopyFileBytes(basePath, file);
        return WriteSavedKeys(file, params, texture);
    });
}

WriteOutcome ImportMaterialFile(const std::wstring& folder, const std::wstring& targetPath,
                                const std::wstring& sourcePath, const std::wstring& texture, bool replace)
{
    const bool hasTexture = ReadStoredText(sourcePath, utils::kTextureKey).has_value();
    return WriteMaterialWhole(folder, targetPath, replace, [&](const std::wstring& file) {
        return fw::CopyFileBytes(sourcePath, file) &&
               (hasTexture ||
                ((!utils::NeedsUnicodeProfile(texture) || fw::EnsureUnicodeProfileFile(file)) &&
                 fw::WriteProfileString(file, utils::kTextureKey.section, utils::kTextureKey.name, texture)));
    });
}

int RemoveLeftoverTempFiles(const std::wstring& folder)
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<long long>(ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart);
    };
    constexpr long long kTicksPerSecond = 10'000'000;
    std::vector<std::wstring> leftovers;
    // The file system picks the candidates, so a folder of many materials is
    // not listed whole at start-up; the name check still decides (a short
    // name may match the pattern for a long name that does not).
    fw::ForEachEntry(folder + L"\\~mm*.tmp", [&](const WIN32_FIND_DATAW& entry) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && utils::IsOwnTempFileName(entry.cFileName) &&
            ticks(now) - ticks(entry.ftLastWriteTime) >= utils::kLeftoverTempSeconds * kTicksPerSecond)
            leftovers.push_back(folder + L"\\" + entry.cFileName);
    });
    int removed = 0;
    for (const std::wstring& path : leftovers)
        removed += ::DeleteFileW(path.c_str()) ? 1 : 0;
    return removed;
}

// The library tree of each model, walked along the lists that the program's
// own scan builds from it, and every material file the dialog would list.
#include <algorithm>
#include <span>
#include <string_view>

#include <windows.h>

#include "checker/FolderListings.h"
#include "checker/LibraryCheck.h"
#include "checker/MaterialCheck.h"
#include "library/Library.h"
#include "skin/PictureTables.h"
#include "utils/GroupCaptions.h"
#include "utils/HandOffRules.h"
#include "utils/LanguageTables.h"
#include "utils/LibraryScan.h"
#include "utils/MaterialName.h"

namespace checker {

namespace {

std::wstring Join(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name; }

std::wstring LastName(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

// "." and ".." never reach the checks: the scan takes them apart by name.
bool IsDotName(const std::wstring& name) { return !name.empty() && name[0] == L'.'; }

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool EndsWithIgnoringCase(std::wstring_view name, std::wstring_view suffix)
{
    return name.size() >= suffix.size() && EqualIgnoringCase(name.substr(name.size() - suffix.size()), suffix);
}

// The code page of 8-bit profile files on this system, when the name holds a
// character it has no place for.
std::optional<UINT> CodePageMissing(const std::wstring& name)
{
    const UINT codePage = ::GetACP();
    if (codePage == CP_UTF8 || name.empty())
        return std::nullopt;
    BOOL usedDefault = FALSE;
    ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, name.c_str(), static_cast<int>(name.size()), nullptr, 0,
                          nullptr, &usedDefault);
    if (!usedDefault)
        return std::nullopt;
    return codePage;
}

class ModelWalk {
public:
    ModelWalk(const CheckOptions& options, FolderListings& listings, CheckResult& result, const std::wstring& model)
        : m_options(options), m_listings(listings), m_result(result), m_model(model), m_r250(model == L"R250"),
          m_extension(utils::MaterialExtension(model))
    {
    }

    void Run(const std::vector<FolderEntry>& rootEntries);

private:
    void Add(const std::wstring& path, Code code, const std::wstring& message)
    {
        m_result.findings.push_back({path, code, message});
    }
    // What the categories of one group share.
    struct CategoryWalk {
        int group;
        const std::wstring& groupPath;
        int named; // categories with a caption of their own
        std::span<const int> pictures;
    };

    std::optional<std::wstring> ParameterFolder(const std::vector<FolderEntry>& rootEntries);
    void CheckGroup(const std::wstring& paramFolder, int entry);
    void CheckName(const std::wstring& path, const std::wstring& name);
    void CheckSurplusCategories(const std::wstring& groupPath, int shown);
    int NamedCategories(int group) const;
    void CheckCategories(int group, const std::wstring& groupPath);
    void CheckCategory(const CategoryWalk& walk, int slot, int& running);
    void CheckCategoryMaterials(const CategoryWalk& walk, const std::wstring& path, int first, int end, int& running);
    std::wstring CustomizePath(int group) const;
    int CustomizeStart(int group) const;
    void CheckCustomize(int group, const std::wstring& groupPath);
    void CheckMaterial(const std::wstring& folder, const std::wstring& name, const std::wstring& customize,
                       bool custom);
    void CheckRoomInCustomize(const std::wstring& path, const std::wstring& customize, const std::wstring& fileName);
    void CheckLeftoverTempFiles(const std::wstring& folder, bool customize);

    const CheckOptions& m_options;
    FolderListings& m_listings;
    CheckResult& m_result;
    const std::wstring m_model;
    const bool m_r250;
    const std::wstring m_extension;
    utils::LibraryScan m_scan;
};

// The model's parameter folder, when the program finds it there as a folder.
std::optional<std::wstring> ModelWalk::ParameterFolder(const std::vector<FolderEntry>& rootEntries)
{
    const std::optional<std::wstring> folderName = utils::ParameterFolderName(m_model);
    if (!folderName) {
        Add(m_options.libraryRoot, Code::ModelFolderMissing, L"the program knows no model " + Quoted(m_model));
        return std::nullopt;
    }
    const std::wstring paramFolder = m_options.libraryRoot + *folderName;
    // The program looks for its folder by exact name.
    const auto entry = std::find_if(rootEntries.begin(), rootEntries.end(),
                                    [&](const FolderEntry& e) { return e.name == *folderName; });
    if (entry == rootEntries.end()) {
        std::wstring message = L"no folder " + Quoted(*folderName) + L": a " + m_model +
                               L" machine shows \"Material model Error 101\" and no library";
        for (const FolderEntry& e : rootEntries)
            if (EqualIgnoringCase(e.name, *folderName))
                message += L" (there is " + Quoted(e.name) + L", but the name must match in letter case too)";
        Add(paramFolder, Code::ModelFolderMissing, message);
        return std::nullopt;
    }
    if (!entry->folder) {
        Add(paramFolder, Code::NotAFolder, L"is a file: a " + m_model + L" machine shows no group and no category");
        return std::nullopt;
    }
    return paramFolder;
}

void ModelWalk::Run(const std::vector<FolderEntry>& rootEntries)
{
    const std::optional<std::wstring> paramFolder = ParameterFolder(rootEntries);
    if (!paramFolder)
        return;
    ++m_result.counts.models;

    m_scan = ScanLibraryTree(*paramFolder, m_listings.Lister(), [](const std::wstring&) { return false; });
    if (m_scan.groupEntryCount <= 2) {
        Add(*paramFolder, Code::NoGroups,
            L"holds no group folder (a name beginning with a digit): the dialog shows no group and no category");
        return;
    }
    for (int i = 2; i < m_scan.groupEntryCount; ++i)
        CheckGroup(*paramFolder, i);
}

// `entry` indexes the scan's group entries, which open with "." and "..".
void ModelWalk::CheckGroup(const std::wstring& paramFolder, int entry)
{
    const int group = entry - 1;
    const std::wstring& name = m_scan.groupEntries[static_cast<size_t>(entry)];
    const std::wstring& groupPath = m_scan.groupPaths[static_cast<size_t>(entry - 2)];
    if (IsDotName(name)) {
        Add(groupPath, Code::DotEntry,
            L"taken as group " + std::to_wstring(group) +
                L": every entry whose name begins with a character from \".\" to \"9\" is a group");
        return;
    }
    if (group > utils::kScannedGroups) {
        Add(groupPath, Code::TooManyGroups,
            L"group " + std::to_wstring(group) + L" is never shown: the dialog has three group buttons");
        return;
    }
    if (!m_r250 && group > 1)
        Add(groupPath, Code::ExtraGroup,
            L"a " + m_model + L" machine has one group, but this folder gets group button " + std::to_wstring(group) +
                L" as well, with no caption from the language file and the captions of group 1 on its "
                L"categories");
    if (!m_listings.IsFolder(paramFolder, name).value_or(false)) {
        Add(groupPath, Code::NotAFolder,
            L"is a file, taken as group " + std::to_wstring(group) +
                L": it shows no category, and its \"Customize\" folder cannot be made");
        return;
    }
    ++m_result.counts.groups;
    CheckName(groupPath, name);
    CheckCategories(group, groupPath);
    CheckCustomize(group, groupPath);
}

void ModelWalk::CheckName(const std::wstring& path, const std::wstring& name)
{
    if (const std::optional<UINT> codePage = CodePageMissing(name))
        Add(path, Code::NameNotInCodePage,
            L"the name holds characters that code page " + std::to_wstring(*codePage) +
                L" has no place for: in an 8-bit profile file they turn into \"?\", so the driver's hand-off "
                L"file and custom materials named after it must be UTF-16, and the driver must read them so");
}

// Regular categories past the buttons are left out of the scan's lists.
void ModelWalk::CheckSurplusCategories(const std::wstring& groupPath, int shown)
{
    std::vector<std::wstring> regular;
    for (const FolderEntry& entry : m_listings.List(groupPath).value_or(std::vector<FolderEntry>{}))
        if (entry.name != L"." && entry.name != L".." && !utils::IsCustomizeName(entry.name))
            regular.push_back(entry.name);
    if (static_cast<int>(regular.size()) <= shown)
        return;
    std::sort(regular.begin(), regular.end(), utils::NameLess);
    std::wstring surplus;
    for (size_t i = static_cast<size_t>(shown); i < regular.size(); ++i)
        surplus += (surplus.empty() ? L"" : L", ") + Quoted(regular[i]);
    Add(groupPath, Code::TooManyCategories,
        L"holds " + std::to_wstring(regular.size()) + L" categories, but the dialog shows the first " +
            std::to_wstring(utils::kMaxShownCategories) + L" and \"Customize\"; never shown: " + surplus);
}

// How many category buttons of the group get a caption of their own: the
// program's caption plan, with key numbers for texts, where a slot past the
// group's names shows the caption of the slot before it.
int ModelWalk::NamedCategories(int group) const
{
    const utils::LanguageTables keys = utils::ReadLanguageTables(m_r250, [](int key) { return std::to_wstring(key); });
    std::uint8_t starts[4] = {};
    std::copy(keys.groupStarts.begin(), keys.groupStarts.end(), starts);
    const std::optional<utils::GroupCaptionPlan> plan =
        utils::PlanGroupCaptions(m_r250, group, keys.groupNames, keys.categoryNames, starts, m_scan.categoryCount, 0);
    return plan ? plan->shownCategoryCount : 0;
}

void ModelWalk::CheckCategories(int group, const std::wstring& groupPath)
{
    const int shown = m_scan.categoryCount[static_cast<size_t>(group - 1)] - 1;
    CheckSurplusCategories(groupPath, shown);
    if (shown == 0)
        Add(groupPath, Code::EmptyGroup, L"holds no category folder: the group shows only its \"Customize\" button");

    const CategoryWalk walk{group, groupPath, NamedCategories(group), pictures::GroupPictures(m_r250, group)};
    int running = 0;
    for (int slot = 0; slot < shown; ++slot)
        CheckCategory(walk, slot, running);
}

// `running` counts the group's materials in list order, as its pictures are
// counted.
void ModelWalk::CheckCategory(const CategoryWalk& walk, int slot, int& running)
{
    const int pathBase = utils::CategoryPathBase(m_scan.categoryCount, walk.group);
    const std::wstring& path = m_scan.categoryPaths[static_cast<size_t>(pathBase + slot)];
    const std::wstring name = LastName(path);
    const int index = utils::SlotTableIndex(walk.group, slot);
    const int start = index == 0 ? 0 : m_scan.categoryEnd[static_cast<size_t>(index - 1)];
    const int end = m_scan.categoryEnd[static_cast<size_t>(index)];
    const std::wstring button =
        L"category button " + std::to_wstring(slot + 1) + L" of group " + std::to_wstring(walk.group);
    ++m_result.counts.categories;
    if (IsDotName(name)) {
        Add(path, Code::DotEntry,
            L"taken as " + button + L": every entry of a group folder but \"Customize\" is a category");
        running += std::max(0, end - start - 2);
        return;
    }
    if (!m_listings.IsFolder(walk.groupPath, name).value_or(false)) {
        Add(path, Code::NotAFolder, L"is a file, taken as " + button + L", which shows an empty list");
        return;
    }
    if (slot >= walk.named)
        Add(path, Code::CategoryNoCaption,
            button + L" has no caption of its own (the language file names " + std::to_wstring(walk.named) +
                L" categories of this group): it repeats the caption of the button before it");
    CheckName(path, name);
    if (end - start <= 2)
        Add(path, Code::EmptyCategory, L"holds no material: " + button + L" shows an empty list");
    CheckCategoryMaterials(walk, path, start + 2, end, running);
    CheckLeftoverTempFiles(path, false);
}

// The category's entries [first, end) of the scan's material list.
void ModelWalk::CheckCategoryMaterials(const CategoryWalk& walk, const std::wstring& path, int first, int end,
                                       int& running)
{
    const std::wstring customize = CustomizePath(walk.group);
    int firstWithout = -1;
    for (int i = first; i < end; ++i, ++running) {
        if (running >= static_cast<int>(walk.pictures.size()) && firstWithout < 0)
            firstWithout = running;
        CheckMaterial(path, m_scan.materialEntries[static_cast<size_t>(i)], customize, false);
    }
    if (firstWithout >= 0)
        Add(path, Code::NoPicture,
            L"materials " + std::to_wstring(firstWithout + 1) + L" to " + std::to_wstring(running) + L" of group " +
                std::to_wstring(walk.group) + L" (counted in list order) show no picture: the " + m_model +
                L" picture list of this group holds " + std::to_wstring(walk.pictures.size()));
}

// The group's "Customize" folder as the scan found it, in its own letter
// case, or where the program creates it.
std::wstring ModelWalk::CustomizePath(int group) const
{
    return m_scan.customizeEntries[static_cast<size_t>(CustomizeStart(group))];
}

int ModelWalk::CustomizeStart(int group) const
{
    return group == 1 ? 0 : m_scan.customizeEnd[static_cast<size_t>(group - 2)];
}

void ModelWalk::CheckCustomize(int group, const std::wstring& groupPath)
{
    const std::wstring customize = CustomizePath(group);
    const std::optional<bool> folder = m_listings.IsFolder(groupPath, LastName(customize));
    if (!folder) {
        Add(customize, Code::CustomizeMissing,
            L"missing: the program creates it at its first start; saving a custom material needs it");
        return;
    }
    if (!*folder) {
        Add(customize, Code::CustomizeIsFile, L"is a file: saving a custom material in this group fails");
        return;
    }
    const int end = m_scan.customizeEnd[static_cast<size_t>(group - 1)];
    // The block opens with the folder's path, "." and "..".
    for (int i = CustomizeStart(group) + 3; i < end; ++i)
        CheckMaterial(customize, m_scan.customizeEntries[static_cast<size_t>(i)], customize, true);
    CheckLeftoverTempFiles(customize, true);
}

void ModelWalk::CheckMaterial(const std::wstring& folder, const std::wstring& name, const std::wstring& customize,
                              bool custom)
{
    ++m_result.counts.materials;
    const std::wstring item = utils::MaterialItemText(name, m_extension.size());
    const std::wstring path = Join(folder, name);
    const std::wstring listed = L"listed as material " + Quoted(item);
    if (IsDotName(name)) {
        Add(path, Code::DotEntry,
            listed + (custom ? L": every entry of a \"Customize\" folder is a custom material"
                             : L": every entry of a category folder is a material"));
        return;
    }
    if (m_listings.IsFolder(folder, name).value_or(false)) {
        Add(path, Code::MaterialNotFile, L"is a folder, " + listed + L", which loads as an empty mark mode and zeros");
        return;
    }
    if (!EndsWithIgnoringCase(name, m_extension)) {
        Add(path, Code::WrongExtension,
            L"does not end in " + Quoted(m_extension) + L", " + listed + L" (the last " +
                std::to_wstring(m_extension.size()) +
                L" characters cut off); clicking it loads this very file, and Accept hands it to the driver");
        return;
    }
    if (!utils::FitsMaxPath(path)) {
        Add(path, Code::PathTooLong,
            L"the path has " + std::to_wstring(path.size()) +
                L" characters: the program lists the material but cannot read it (paths must stay below 260)");
        return;
    }
    if (!custom)
        CheckRoomInCustomize(path, customize, item + m_extension);
    CheckName(path, item);
    CheckMaterialFile(path, custom, m_options.profileOnly, m_result.findings);
}

void ModelWalk::CheckRoomInCustomize(const std::wstring& path, const std::wstring& customize,
                                     const std::wstring& fileName)
{
    const std::wstring saved = Join(customize, fileName);
    switch (utils::CheckSavePath(customize, fileName)) {
    case utils::SavePathProblem::None:
        return;
    case utils::SavePathProblem::FolderTooLong:
        Add(path, Code::NoRoomForCustomName,
            L"Save as refuses to keep it under any name: " + Quoted(customize) + L" has " +
                std::to_wstring(customize.size()) +
                L" characters, but a save writes a temporary file beside the "
                L"material first, which leaves room in a folder of at most " +
                std::to_wstring(utils::kMaxSaveFolderLength));
        return;
    case utils::SavePathProblem::PathTooLong:
        Add(path, Code::NoRoomForCustomName,
            L"Save as refuses to keep it under its own name: " + Quoted(saved) + L" would have " +
                std::to_wstring(saved.size()) + L" characters (paths must stay below 260)");
        return;
    }
}

// The program's own temporary files are no materials and are never listed;
// in "Customize" they are what a save cut short leaves behind.
void ModelWalk::CheckLeftoverTempFiles(const std::wstring& folder, bool customize)
{
    for (const FolderEntry& entry : m_listings.List(folder).value_or(std::vector<FolderEntry>{}))
        if (utils::IsOwnTempFileName(entry.name))
            Add(Join(folder, entry.name), Code::LeftoverTempFile,
                customize && !entry.folder
                    ? L"left by a save that was cut short: never listed as a material; the program removes it at its "
                      L"next start once it is " +
                          std::to_wstring(utils::kLeftoverTempSeconds / 60) + L" minutes old"
                    : std::wstring(L"named like the temporary files of the program's saves: never listed as a "
                                   L"material, and left where it is"));
}

} // namespace

void CheckTree(const CheckOptions& options, CheckResult& result)
{
    FolderListings listings;
    const std::wstring& root = options.libraryRoot;
    const std::optional<std::vector<FolderEntry>>& rootEntries = listings.List(root.substr(0, root.size() - 1));
    if (!rootEntries) {
        result.findings.push_back(
            {root, Code::RootMissing, L"cannot be listed: no model finds its library (the dialog stays empty)"});
        return;
    }
    for (const std::wstring& model : options.models)
        ModelWalk(options, listings, result, model).Run(*rootEntries);
}

} // namespace checker

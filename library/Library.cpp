#include "library/Library.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "utils/MaterialName.h"

namespace {

// Surplus categories. The category panel has nine buttons and a group's
// "Customize" button is always the last one shown, so a group can show at most
// eight regular categories (slots 0..7) in every group, although group 1 has a
// ninth slot in the end table. Regular categories after the eighth, in name
// order, are skipped as a whole: no path, no listing, no slot and no count.
// Keeping them anywhere would shift the path index of later groups or push
// "Customize" past the last button. Group 1's slot 8 therefore always stays
// empty.

std::wstring Join(const std::wstring& folder, const std::wstring& name) { return folder + L"\\" + name; }

bool IsDotEntry(const std::wstring& name) { return name == L"." || name == L".."; }

// A folder's names without "." and ".." (taken by name, wherever the file
// system reports them), in the file system's name order.
std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    names.erase(std::remove_if(names.begin(), names.end(), IsDotEntry), names.end());
    std::sort(names.begin(), names.end(), utils::NameLess);
    return names;
}

// The entries of a folder of materials: a temporary file that an
// interrupted save left there is no material and is never listed.
std::vector<std::wstring> MaterialNames(std::vector<std::wstring> names)
{
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::wstring& name) { return utils::IsOwnTempFileName(name); }),
                names.end());
    return Sorted(std::move(names));
}

} // namespace

Library::Library(utils::FolderLister list, utils::FolderCreator create)
    : m_list(std::move(list)), m_create(std::move(create))
{
}

void Library::Clear()
{
    m_modelFolder.clear();
    m_groupEntries.clear();
    m_groups.clear();
}

void Library::Open(const std::wstring& modelFolder)
{
    Clear();
    // An empty path would name the root of the current drive.
    if (modelFolder.empty() || !m_list)
        return;
    if (std::optional<std::vector<std::wstring>> names = m_list(modelFolder))
        OpenListed(modelFolder, std::move(*names));
}

void Library::OpenListed(const std::wstring& modelFolder, std::vector<std::wstring> names)
{
    m_modelFolder = modelFolder;
    m_groupEntries = {L".", L".."};
    for (std::wstring& name : Sorted(std::move(names)))
        if (utils::IsGroupEntryName(name))
            m_groupEntries.push_back(std::move(name));
    for (auto name = m_groupEntries.begin() + 2; name != m_groupEntries.end(); ++name) {
        LibraryGroup& group = m_groups.emplace_back();
        group.name = *name;
        group.path = Join(modelFolder, *name);
        group.scanned = m_groups.size() <= static_cast<std::size_t>(utils::kScannedGroups);
        if (group.scanned)
            OpenGroup(group);
    }
}

bool Library::Reopen()
{
    if (m_modelFolder.empty() || !m_list)
        return false;
    std::optional<std::vector<std::wstring>> names = m_list(m_modelFolder);
    if (!names)
        return false;
    Library before;
    before.m_groups = std::exchange(m_groups, {});
    const std::wstring modelFolder = m_modelFolder;
    Clear();
    OpenListed(modelFolder, std::move(*names));
    const auto carry = [&before](MaterialFolder& folder) {
        // A folder created by this opening has been recorded as listed.
        if (const MaterialFolder* old = before.FolderAt(folder.m_path); old && old->m_listed && !folder.m_listed) {
            const std::wstring path = std::move(folder.m_path);
            folder = *old;
            folder.m_path = path;
        }
    };
    for (LibraryGroup& group : m_groups) {
        for (MaterialFolder& category : group.categories)
            carry(category);
        carry(group.customize);
    }
    return true;
}

void Library::OpenGroup(LibraryGroup& group)
{
    std::optional<std::vector<std::wstring>> names = m_list(group.path);
    group.readable = names.has_value();
    if (names)
        group.entries = Sorted(std::move(*names));
    bool hasCustomize = false;
    for (const std::wstring& name : group.entries) {
        // Windows takes "customize" for "Customize". Where a file system
        // tells them apart, the first in name order is the group's folder and
        // the others are neither that nor a category.
        if (!utils::IsCustomizeName(name)) {
            if (group.categories.size() < static_cast<std::size_t>(utils::kMaxShownCategories))
                group.categories.push_back(MaterialFolder(Join(group.path, name)));
        } else if (!hasCustomize) {
            hasCustomize = true;
            group.customize = MaterialFolder(Join(group.path, name));
        }
    }
    if (hasCustomize)
        return;
    group.customize = MaterialFolder(Join(group.path, utils::kCustomizeName));
    if (!m_create || !m_create(group.customize.m_path)) {
        // Recorded all the same: a save into it then fails with its message.
        // It is not listed, as nothing is there to list.
        group.customize.m_listed = true;
        return;
    }
    // A folder created just now is empty; recorded as the next opening will
    // find it, this opening gives what that one gives.
    group.customize.m_listed = group.customize.m_readable = true;
    if (group.readable) {
        const std::wstring name = utils::kCustomizeName;
        group.entries.insert(std::lower_bound(group.entries.begin(), group.entries.end(), name, utils::NameLess), name);
    }
}

const LibraryGroup* Library::Group(int group) const
{
    return group >= 1 && group <= GroupCount() ? &m_groups[static_cast<std::size_t>(group - 1)] : nullptr;
}

int Library::CategoryButtonCount(int group) const
{
    const LibraryGroup* found = Group(group);
    return found && found->scanned ? static_cast<int>(found->categories.size()) + 1 : 0;
}

const MaterialFolder* Library::Category(int group, int slot) const
{
    const LibraryGroup* found = Group(group);
    if (!found || slot < 0 || static_cast<std::size_t>(slot) >= found->categories.size())
        return nullptr;
    return &found->categories[static_cast<std::size_t>(slot)];
}

const MaterialFolder* Library::Customize(int group) const
{
    const LibraryGroup* found = Group(group);
    return found && found->scanned ? &found->customize : nullptr;
}

const MaterialFolder* Library::FolderAt(const std::wstring& path) const
{
    for (const LibraryGroup& group : m_groups) {
        if (!group.scanned)
            continue;
        if (utils::SameNameIgnoringCase(group.customize.m_path, path))
            return &group.customize;
        for (const MaterialFolder& category : group.categories)
            if (utils::SameNameIgnoringCase(category.m_path, path))
                return &category;
    }
    return nullptr;
}

MaterialFolder* Library::Mutable(const MaterialFolder& folder)
{
    // Only folders of this library are ever handed back to it.
    for (LibraryGroup& group : m_groups) {
        if (&folder == &group.customize)
            return &group.customize;
        for (MaterialFolder& category : group.categories)
            if (&folder == &category)
                return &category;
    }
    return nullptr;
}

const std::vector<std::wstring>& Library::Files(const MaterialFolder& folder)
{
    if (!folder.m_listed)
        Relist(folder);
    return folder.m_files;
}

void Library::Relist(const MaterialFolder& folder)
{
    StoreListing(folder, m_list ? m_list(folder.m_path) : std::nullopt);
}

void Library::StoreListing(const MaterialFolder& folder, std::optional<std::vector<std::wstring>> names)
{
    MaterialFolder* target = Mutable(folder);
    if (!target)
        return;
    target->m_listed = true;
    target->m_readable = names.has_value();
    target->m_files = names ? MaterialNames(std::move(*names)) : std::vector<std::wstring>{};
    // A folder listed again may hold fewer names than before; what it held
    // spare would stay for the window's whole life.
    target->m_files.shrink_to_fit();
    target->m_version = ++m_listings;
}

void Library::ListAll()
{
    while (const MaterialFolder* next = NextUnlisted(1))
        Relist(*next);
}

int Library::FirstPicture(int group, int slot)
{
    int picture = 0;
    for (int earlier = 0; earlier < slot; ++earlier)
        if (const MaterialFolder* category = Category(group, earlier))
            picture += static_cast<int>(Files(*category).size());
    return picture;
}

const MaterialFolder* Library::NextUnlisted(int preferredGroup) const
{
    const auto unlistedIn = [](const LibraryGroup& group) -> const MaterialFolder* {
        if (!group.scanned)
            return nullptr;
        for (const MaterialFolder& category : group.categories)
            if (!category.m_listed)
                return &category;
        return group.customize.m_listed ? nullptr : &group.customize;
    };
    if (const LibraryGroup* preferred = Group(preferredGroup))
        if (const MaterialFolder* folder = unlistedIn(*preferred))
            return folder;
    for (const LibraryGroup& group : m_groups)
        if (const MaterialFolder* folder = unlistedIn(group))
            return folder;
    return nullptr;
}

namespace {

// A listing as the scan's lists hold it: ".", ".." and the names, or nothing
// for a folder that could not be listed.
void AppendListing(std::vector<std::wstring>& to, const MaterialFolder& folder)
{
    if (!folder.IsReadable())
        return;
    to.insert(to.end(), {L".", L".."});
    to.insert(to.end(), folder.Files().begin(), folder.Files().end());
}

} // namespace

utils::LibraryScan FlatView(const Library& library)
{
    utils::LibraryScan scan;
    scan.groupEntries = library.GroupEntries();
    scan.groupEntryCount = static_cast<int>(scan.groupEntries.size());
    std::array<int, utils::kSlotTableSize> slotCounts{};
    for (int g = 1; g <= library.GroupCount(); ++g) {
        const LibraryGroup& group = *library.Group(g);
        scan.groupPaths.push_back(group.path);
        if (!group.scanned)
            continue;
        if (group.readable) {
            scan.categoryEntries.insert(scan.categoryEntries.end(), {L".", L".."});
            scan.categoryEntries.insert(scan.categoryEntries.end(), group.entries.begin(), group.entries.end());
        }
        for (std::size_t slot = 0; slot < group.categories.size(); ++slot) {
            const MaterialFolder& category = group.categories[slot];
            scan.categoryPaths.push_back(category.Path());
            const std::size_t before = scan.materialEntries.size();
            AppendListing(scan.materialEntries, category);
            slotCounts[static_cast<std::size_t>(utils::SlotTableIndex(g, static_cast<int>(slot)))] =
                static_cast<int>(scan.materialEntries.size() - before);
        }
        const std::size_t before = scan.customizeEntries.size();
        scan.customizeEntries.push_back(group.customize.Path());
        AppendListing(scan.customizeEntries, group.customize);
        scan.categoryCount[static_cast<std::size_t>(g - 1)] = library.CategoryButtonCount(g);
        scan.customizeEnd[static_cast<std::size_t>(g - 1)] = static_cast<int>(scan.customizeEntries.size() - before);
    }
    int end = 0;
    for (int k = 0; k < utils::kSlotTableSize; ++k)
        scan.categoryEnd[static_cast<std::size_t>(k)] = end += slotCounts[static_cast<std::size_t>(k)];
    scan.customizeEnd[1] += scan.customizeEnd[0];
    scan.customizeEnd[2] += scan.customizeEnd[1];
    return scan;
}

utils::LibraryScan ScanLibraryTree(const std::wstring& modelFolder, const utils::FolderLister& list,
                                   const utils::FolderCreator& create)
{
    Library library(list, create);
    library.Open(modelFolder);
    library.ListAll();
    return FlatView(library);
}

#pragma once
// The material library of one machine model: its groups, each group's
// categories and "Customize" folder, and the materials of each, with the
// file every material stands for. It knows nothing of windows: the folders
// are listed through a function it is handed, so its rules can be checked
// without a dialog and without a file system.
//
// Opening lists only what the buttons and their captions need (the model
// folder and its group folders); a folder of materials is listed the first
// time somebody asks for its materials, and listed again only when told.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "utils/LibraryScan.h"

// A folder whose entries are materials: a category, or a group's
// "Customize" folder.
class MaterialFolder {
public:
    MaterialFolder() = default;
    explicit MaterialFolder(std::wstring path) : m_path(std::move(path)) {}

    const std::wstring& Path() const { return m_path; }
    bool IsListed() const { return m_listed; }
    // Listed, and the listing succeeded (a missing folder, or a file where
    // the folder belongs, lists as nothing).
    bool IsReadable() const { return m_readable; }
    // The names of its entries in the file system's name order, "." and ".."
    // left out: every entry is a material, whatever its name, but for the
    // program's own temporary files. Empty until listed.
    const std::vector<std::wstring>& Files() const { return m_files; }
    // Grows with every listing, so that what a reader derived from the files
    // can tell when it is out of date. Numbered across the whole library: a
    // folder removed and made again elsewhere never repeats a number its
    // path had.
    std::uint32_t Version() const { return m_version; }

private:
    friend class Library;
    std::wstring m_path;
    std::vector<std::wstring> m_files;
    bool m_listed = false;
    bool m_readable = false;
    std::uint32_t m_version = 0;
};

// One group folder of the model folder.
struct LibraryGroup {
    std::wstring name;
    std::wstring path;
    // Only the first three groups have categories; later ones a path only.
    bool scanned = false;
    // The group folder could be listed.
    bool readable = false;
    // Its entries in name order without "." and "..", a "Customize" folder the
    // program created among them.
    std::vector<std::wstring> entries;
    // The regular categories that have a button, in slot order.
    std::vector<MaterialFolder> categories;
    MaterialFolder customize;
};

class Library {
public:
    Library() = default;
    Library(utils::FolderLister list, utils::FolderCreator create);

    // Lists the model folder (no trailing backslash) and its first three
    // groups, and creates a missing "Customize" folder in each of those. An
    // empty path, or a folder that cannot be listed, gives no groups.
    void Open(const std::wstring& modelFolder);
    // No library at all, as when the model folder was not found.
    void Clear();
    // Opens the model folder again after its groups or categories changed
    // (another station added, removed or renamed one): a folder that is still
    // there keeps its listing and version, so nothing already listed is read
    // again. A model folder that cannot be listed now keeps the library as it
    // is: a share that does not answer for a moment empties no window. False
    // when nothing was opened.
    bool Reopen();

    const std::wstring& ModelFolder() const { return m_modelFolder; }
    // ".", ".." and the names of the group entries; empty without a library.
    const std::vector<std::wstring>& GroupEntries() const { return m_groupEntries; }
    // Every group entry after the dots, the ones beyond the third included.
    int GroupCount() const { return static_cast<int>(m_groups.size()); }
    // Group g (1 = the first); nothing for a group the library does not have.
    const LibraryGroup* Group(int group) const;
    // Category buttons of group 1..3: its regular categories that have a
    // button, and its "Customize" folder; 0 for a group it does not have.
    int CategoryButtonCount(int group) const;

    // The category of slot 0..7 of group 1..3, or the group's "Customize"
    // folder; nothing where the group or the slot has none.
    const MaterialFolder* Category(int group, int slot) const;
    const MaterialFolder* Customize(int group) const;
    // The folder of group 1..3 that holds `path` (a category or "Customize"),
    // compared as the file system compares names; nothing for any other.
    const MaterialFolder* FolderAt(const std::wstring& path) const;

    // Lists the folder unless it has been listed; its files.
    const std::vector<std::wstring>& Files(const MaterialFolder& folder);
    // Lists the folder again, as after the program or somebody else changed it.
    void Relist(const MaterialFolder& folder);
    // Takes a listing made elsewhere (bit by bit while the window was idle):
    // the names in any order, dot entries allowed; nothing when it failed.
    void StoreListing(const MaterialFolder& folder, std::optional<std::vector<std::wstring>> names);

    // Lists every folder nobody has listed yet.
    void ListAll();

    // The running picture number of the first material of slot 0..7 of group
    // 1..3: the materials of the group's earlier slots, which are listed
    // for it when they are not yet.
    int FirstPicture(int group, int slot);

    // The next folder nobody has asked for yet, in the order the operator is
    // likely to need them: the given group's categories and "Customize"
    // folder, then those of the other groups. Nothing when all are listed.
    const MaterialFolder* NextUnlisted(int preferredGroup) const;

private:
    MaterialFolder* Mutable(const MaterialFolder& folder);
    // Open with the model folder's entries already listed.
    void OpenListed(const std::wstring& modelFolder, std::vector<std::wstring> names);
    void OpenGroup(LibraryGroup& group);

    utils::FolderLister m_list;
    utils::FolderCreator m_create;
    std::wstring m_modelFolder;
    std::vector<std::wstring> m_groupEntries;
    std::vector<LibraryGroup> m_groups;
    // The listings made so far: each listing's version.
    std::uint32_t m_listings = 0;
};

// The library in the lists and running ranges of a scan of the whole tree,
// as the checker reads it and as the lists were documented; a folder not yet
// listed counts as one that could not be listed, so list them all first.
utils::LibraryScan FlatView(const Library& library);

// Opens the library below `modelFolder` and flattens it.
utils::LibraryScan ScanLibraryTree(const std::wstring& modelFolder, const utils::FolderLister& list,
                                   const utils::FolderCreator& create);

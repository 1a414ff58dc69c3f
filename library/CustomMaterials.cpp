// The operator's commands on custom materials in the "Customize" view:
// rename in place and delete to the Recycle Bin. Library materials stay
// read-only: none of this acts outside that view.
#include "dialog/MaterialDialog.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string_view>

#include "framework/Menu.h"
#include "framework/MessageBox.h"
#include "framework/Shell.h"
#include "library/MaterialTarget.h"
#include "utils/FolderPath.h"
#include "utils/LibraryScan.h"
#include "utils/MaterialName.h"

namespace {

using utils::SamePath;

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A free name in `folder` (ending in a backslash) for the first of two moves
// towards `name`. It begins with "~~" or "~<digit>~", so it is never one of
// the program's own temporary files ("~mm*.tmp"), which a start-up removes:
// a rename cut short leaves the material under it, listed. Where the path
// would grow too long, the name gives up characters at its front.
std::optional<std::wstring> PassingName(const std::wstring& folder, const std::wstring& name)
{
    for (int n = 0; n < 10; ++n) {
        const std::wstring mark = n == 0 ? L"~~" : L"~" + std::to_wstring(n) + L"~";
        const std::size_t room = utils::kMaxPathLength - std::min(utils::kMaxPathLength, folder.size() + mark.size());
        const std::wstring passing = mark + name.substr(name.size() - std::min(name.size(), room));
        if (!Exists(folder + passing))
            return passing;
    }
    return std::nullopt;
}

bool Move(const std::wstring& folder, const std::wstring& from, const std::wstring& to)
{
    return ::MoveFileW((folder + from).c_str(), (folder + to).c_str()) != FALSE;
}

// The name of the file after its move from `from` to `to` in `folder`
// (ending in a backslash): `to`, `from` when it could not be moved, or the
// passing name when only the first of two moves was done and the way back
// failed too.
std::wstring MoveWithin(const std::wstring& folder, const std::wstring& from, const std::wstring& to)
{
    if (!utils::SameNameIgnoringCase(from, to))
        return Move(folder, from, to) ? to : from;
    // The same name in other letter case. Windows renames it in one move;
    // Wine reports success and leaves the name as it was. Two moves through
    // another name of the folder give the typed case on every system.
    const std::optional<std::wstring> passing = PassingName(folder, to);
    if (!passing || !Move(folder, from, *passing))
        return from;
    if (Move(folder, *passing, to))
        return to;
    return Move(folder, *passing, from) ? from : *passing;
}

void SetLabelEditing(const fw::ListView& list, bool allowed)
{
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(list.Hwnd(), GWL_STYLE));
    const DWORD wanted = allowed ? style | LVS_EDITLABELS : style & ~static_cast<DWORD>(LVS_EDITLABELS);
    if (wanted != style)
        ::SetWindowLongPtrW(list.Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(wanted));
}

} // namespace

int MaterialDialog::SelectedCustomItem() const { return m_customizeShown ? m_listMaterials.GetNextSelected() : -1; }

void MaterialDialog::RunCustomCommand(UINT command, int item)
{
    if (command == kImportCommand)
        ChooseImportFiles();
    else if (command == kExportCommand)
        ChooseExportFolder();
    if (item < 0)
        return;
    if (command == kRenameCommand)
        BeginRename(item);
    else if (command == kDeleteCommand)
        DeleteCustomMaterial(item);
}

void MaterialDialog::OnMaterialListContextMenu(LPARAM screenPoint)
{
    if (!m_customizeShown)
        return;
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    int item = -1;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: the menu opens at the selected item.
        item = m_listMaterials.GetNextSelected();
        const RECT bounds = item >= 0 ? m_listMaterials.GetItemRect(item) : RECT{};
        at = {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        ::ClientToScreen(m_listMaterials.Hwnd(), &at);
    } else {
        POINT client = at;
        ::ScreenToClient(m_listMaterials.Hwnd(), &client);
        item = m_listMaterials.HitTest(client);
    }
    // Off the items, only what concerns the whole view.
    const fw::PopupMenu menu;
    if (item >= 0) {
        menu.Append(kRenameCommand, m_texts.Get(utils::OperatorText::MenuRename));
        menu.Append(kDeleteCommand, m_texts.Get(utils::OperatorText::MenuDelete));
    }
    menu.Append(kImportCommand, m_texts.Get(utils::OperatorText::MenuImport));
    menu.Append(kExportCommand, m_texts.Get(utils::OperatorText::MenuExport));
    RunCustomCommand(menu.Track(Hwnd(), at), item);
}

bool MaterialDialog::OnMaterialListKey(WORD key)
{
    if (key == VK_F2)
        RunCustomCommand(kRenameCommand, SelectedCustomItem());
    else if (key == VK_DELETE)
        RunCustomCommand(kDeleteCommand, SelectedCustomItem());
    else
        return false;
    return true;
}

void MaterialDialog::DeleteCustomMaterial(int item)
{
    const std::wstring path = ItemPath(item).value_or(std::wstring());
    const std::wstring name =
        utils::MaterialNameOfPath(ItemFileName(item).value_or(std::wstring()), MaterialExtension());
    if (path.empty() || !StillThere(path, name) ||
        fw::ShowMessage(m_texts.Format(utils::OperatorText::DeleteQuestion, name), MB_YESNO | MB_DEFBUTTON2) != IDYES)
        return;
    // Another station may have removed it while the question was open.
    if (!StillThere(path, name))
        return;
    if (fw::HasRecycleBin(path)) {
        fw::RecycleFile(path);
    } else if (fw::ShowMessage(m_texts.Format(utils::OperatorText::CannotRecycle, name), MB_YESNO | MB_DEFBUTTON2) ==
               IDYES) {
        ::DeleteFileW(path.c_str());
    } else {
        return;
    }
    if (Exists(path)) {
        fw::ShowMessage(m_texts.Format(utils::OperatorText::DeleteFailed, name), MB_OK);
        return;
    }
    if (SamePath(path, m_materialFilePath))
        ForgetLoadedMaterial();
    RebuildCustomizeView(utils::GroupBit(m_curGroup));
    // The neighbour takes the deleted item's place in the selection.
    m_listMaterials.SelectItem(std::min(item, m_listMaterials.GetItemCount() - 1));
}

bool MaterialDialog::StillThere(const std::wstring& path, const std::wstring& name)
{
    if (Exists(path))
        return true;
    // Removed or renamed at another station since the list was read: said
    // so, and the view shows what is there now.
    fw::ShowMessage(m_texts.Format(utils::OperatorText::MaterialGone, name), MB_OK);
    RebuildCustomizeView(utils::GroupBit(m_curGroup));
    return false;
}

void MaterialDialog::ForgetLoadedMaterial()
{
    // As before any material was loaded: empty panel, Accept and Save as grey.
    ClearMaterialView();
    m_materialFilePath.clear();
    m_materialTextureName.clear();
}

void MaterialDialog::BeginRename(int item)
{
    // The list edits a label only when a rename asks for it, so a click on a
    // selected item does what it always did.
    m_renaming = true;
    SetLabelEditing(m_listMaterials, true);
    ::SetFocus(m_listMaterials.Hwnd());
    if (!m_listMaterials.EditLabel(item)) {
        m_renaming = false;
        SetLabelEditing(m_listMaterials, false);
    }
}

bool MaterialDialog::OnLabelEdit(const NMLVDISPINFOW* info, bool ending)
{
    if (!ending)
        return !m_renaming; // true refuses an edit nobody asked for
    m_renaming = false;
    SetLabelEditing(m_listMaterials, false);
    if (info->item.pszText) {
        // Renamed once the edit has gone: the lists are rebuilt, and a
        // refusal shows a message, neither of which the edit may outlive.
        m_pendingRename = {ItemFileName(info->item.iItem).value_or(std::wstring()), info->item.pszText};
        ::PostMessageW(Hwnd(), kRenameMessage, 0, 0);
    }
    return false; // the list keeps the old text until the rebuild
}

void MaterialDialog::RenameCustomMaterial(const std::wstring& oldFile, const std::wstring& newName)
{
    const std::wstring oldText = utils::MaterialItemText(oldFile, std::wcslen(MaterialExtension()));
    const MaterialFolder* shown = ShownFolder();
    if (!shown || oldFile.empty() || newName == oldText)
        return;
    // The file keeps its own ending: "Mine.bak", listed as "Mine", renamed
    // "Other" is "Other.bak".
    const std::wstring newFile = newName + oldFile.substr(oldText.size());
    const utils::NameProblem problem = utils::CheckMaterialName(newName);
    const std::wstring folder = shown->Path() + L"\\";
    const std::wstring oldPath = folder + oldFile;
    const std::wstring newPath = folder + newFile;
    if (problem != utils::NameProblem::None || !utils::FitsMaxPath(newPath)) {
        fw::ShowMessage(problem != utils::NameProblem::None ? utils::NameProblemMessage(problem, newName)
                                                            : utils::PathTooLongMessage(),
                        MB_OK);
        return;
    }
    // Any other file the new name reaches, under its own name or an alias,
    // stays: only the material itself may answer to it (a change of case).
    const MaterialTarget existing = InspectTarget(newPath);
    if (existing.state != TargetState::Free && !SamePath(existing.heldAs, oldFile)) {
        fw::ShowMessage(m_texts.Format(utils::OperatorText::RenameTaken, newName), MB_OK);
        return;
    }
    const std::wstring movedTo = MoveWithin(folder, oldFile, newFile);
    const DWORD error = ::GetLastError();
    const std::wstring oldName = utils::MaterialNameOfPath(oldFile, MaterialExtension());
    const std::wstring failed = m_texts.Format(utils::OperatorText::RenameFailed, oldName);
    if (movedTo == oldFile) {
        // No move replaces: a name another station took a moment ago stays
        // that station's material.
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
            fw::ShowMessage(m_texts.Format(utils::OperatorText::RenameTaken, newName), MB_OK);
        else if (StillThere(oldPath, oldName))
            fw::ShowMessage(failed, MB_OK);
        return;
    }
    if (SamePath(oldPath, m_materialFilePath))
        m_materialFilePath = folder + movedTo;
    RebuildCustomizeView(utils::GroupBit(m_curGroup));
    m_listMaterials.SelectItem(ItemOfFile(movedTo));
    // Left under the passing name: the list shows it there.
    if (movedTo != newFile)
        fw::ShowMessage(failed, MB_OK);
}

#pragma once
// A main dialog over a small material library on disk, for the tests of the
// parameter panel, the Save-as dialog and the click actions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/support/DialogFixture.h"
#include "utils/HandOffRules.h"

namespace testing_support {

namespace fs = std::filesystem;

class PanelFixture : public DialogFixture {
protected:
    struct Group {
        std::wstring name;
        std::vector<std::wstring> categories;  // regular category folders, in slot order
        std::vector<std::wstring> customFiles; // files of the group's "Customize" folder
    };

    // The parameter folder of the model, under the fixture's library root.
    fs::path ParamFolder() const { return LibraryRoot() / utils::ParameterFolderName(m_model).value_or(L"unknown"); }
    fs::path GroupFolder(int group) const { return ParamFolder() / m_groups[group - 1].name; }
    fs::path CustomizeFolder(int group) const { return GroupFolder(group) / L"Customize"; }
    fs::path CategoryFolder(int group, int slot) const
    {
        return GroupFolder(group) / m_groups[group - 1].categories[slot];
    }
    fs::path HandOffOutput() const { return DataFolder() / L"~Ma2Drv.dat"; }
    std::wstring Extension() const { return m_model == L"R250" ? L".VX" : L".spi"; }

    // Creates the folders (material files are written by the test), the
    // driver's hand-off input, and opens the dialog over them.
    MaterialDialog& OpenLibrary(const std::wstring& model, std::vector<Group> groups);
    // The same in two steps, for material files that the start-up's scan
    // should find.
    void PrepareLibrary(const std::wstring& model, std::vector<Group> groups);
    MaterialDialog& OpenPrepared();

    // The group and category buttons, as a click on them; a change of group
    // waits for the column animation to end.
    void ChooseGroup(int group);
    void ChooseSlot(int slot);

    // Shows a category (or, with kCustomize, the group's "Customize" folder)
    // through the group and category buttons: the list holds what the
    // start-up's scan found on disk. A click on the category already shown
    // changes nothing, for the operator as here.
    static constexpr int kCustomize = -1;
    void ShowFolder(int group, int slot);
    // Selects the item with this text (or at this index) and sends the
    // list's left click.
    void ClickItem(const std::wstring& text);
    void ClickItemAt(int index);
    int ItemIndex(const std::wstring& text) const;
    // Every item of this text, in list order: two files may show one text.
    std::vector<int> ItemsOfText(const std::wstring& text) const;
    std::vector<std::wstring> SelectedItems() const;

    // Types characters into an edit as the keyboard would.
    void Type(int id, const std::wstring& text);
    // Replaces an edit's text in one step (one change notification).
    void SetText(int id, const std::wstring& text) { ::SetWindowTextW(Item(id), text.c_str()); }

    // The pointer over the dialog surface: it comes from the background into
    // the middle of a hot area (MaterialDialog::kAcceptArea ...), and the left
    // button goes down and up where it is.
    void MoveTo(POINT client);
    void EnterArea(const RECT& area);
    void Press();
    void Release();
    void PressAndRelease()
    {
        Press();
        Release();
    }
    // The pointer's way to a release: moves over the point, press, release.
    void ClickAt(POINT client);
    void ReleaseOver(const RECT& area);

    // Runs the next dialog that opens (the Save-as dialog) with this name
    // typed and Save pressed; Cancel follows in case it stays open.
    void AnswerSaveAs(const std::wstring& name);
    bool SaveAsDialogSeen() const { return m_saveAsSeen; }

    std::wstring m_model = L"VTX";
    std::vector<Group> m_groups;

private:
    // The visible category button captioned "Customize"; -1 when none is.
    int CustomizeSlot() const;

    bool m_saveAsSeen = false;
    POINT m_pointer{};
};

// Writes a material file in the 8-bit form the profile functions create.
void WriteMaterial(const fs::path& file, const std::string& text);
bool FileStartsWithUtf16Mark(const fs::path& file);
// Names of the files in a folder (no sub-folders), sorted.
std::vector<std::wstring> FilesIn(const fs::path& folder);

} // namespace testing_support

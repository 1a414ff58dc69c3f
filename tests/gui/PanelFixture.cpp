#include "tests/gui/PanelFixture.h"
#include "tests/support/MaterialDialogInspector.h"

#include <algorithm>

namespace testing_support {

void PanelFixture::PrepareLibrary(const std::wstring& model, std::vector<Group> groups)
{
    m_model = model;
    m_groups = std::move(groups);
    for (size_t g = 1; g <= m_groups.size(); ++g) {
        const int group = static_cast<int>(g);
        for (size_t slot = 0; slot < m_groups[g - 1].categories.size(); ++slot)
            fs::create_directories(CategoryFolder(group, static_cast<int>(slot)));
        fs::create_directories(CustomizeFolder(group));
        for (const std::wstring& file : m_groups[g - 1].customFiles)
            WriteMaterial(CustomizeFolder(group) / file, "[OPTION]\r\nMATERIAL=Custom\r\n");
    }
    WriteHandOff(model, L"English");
}

MaterialDialog& PanelFixture::OpenPrepared()
{
    MaterialDialog& dialog = Open();
    // The start-up read the hand-off input and scanned the library.
    EXPECT_EQ(Inspect(dialog).m_strModel, m_model);
    EXPECT_EQ(Inspect(dialog).m_strDataFolder, DataFolder().wstring() + L"\\");
    EXPECT_EQ(Inspect(dialog).m_groupPaths.size(), m_groups.size());
    m_catcher.Clear();
    return dialog;
}

MaterialDialog& PanelFixture::OpenLibrary(const std::wstring& model, std::vector<Group> groups)
{
    PrepareLibrary(model, std::move(groups));
    return OpenPrepared();
}

void PanelFixture::ChooseGroup(int group)
{
    MaterialDialog& d = Dialog();
    const bool change = d.CurrentGroup() != group;
    const int id = MaterialDialog::kGroupIds[group - 1];
    ::SendMessageW(d.Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    if (!change)
        return;
    // The column collapses, turns to the new group and grows back.
    for (int i = 0; i < 200 && !(Inspect(d).m_rowStep > 0 && Inspect(d).m_rowHeight == Inspect(d).m_rowMaxHeight); ++i)
        PumpMessages(20);
    PumpMessages(60);
}

void PanelFixture::ChooseSlot(int slot)
{
    const int id = MaterialDialog::kSlotIds[slot];
    ::SendMessageW(Dialog().Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
}

int PanelFixture::CustomizeSlot() const
{
    for (int slot = 0; slot < 9; ++slot) {
        const int id = MaterialDialog::kSlotIds[slot];
        if ((::GetWindowLongPtrW(Item(id), GWL_STYLE) & WS_VISIBLE) && ItemText(id) == L"Customize")
            return slot;
    }
    return -1;
}

void PanelFixture::ShowFolder(int group, int slot)
{
    if (Dialog().CurrentGroup() != group)
        ChooseGroup(group);
    const int button = slot == kCustomize ? CustomizeSlot() : slot;
    ASSERT_GE(button, 0) << "no \"Customize\" button is shown";
    ChooseSlot(button);
}

void PanelFixture::MoveTo(POINT client)
{
    m_pointer = client;
    ::SendMessageW(Dialog().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

void PanelFixture::EnterArea(const RECT& area)
{
    // From the background, away from the hot areas and controls.
    MoveTo({5, 390});
    MoveTo({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
}

void PanelFixture::Press()
{
    ::SendMessageW(Dialog().Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(m_pointer.x, m_pointer.y));
}

void PanelFixture::Release() { ::SendMessageW(Dialog().Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(m_pointer.x, m_pointer.y)); }

void PanelFixture::ClickAt(POINT client)
{
    MoveTo({5, 390});
    MoveTo(client);
    MoveTo(client);
    PressAndRelease();
}

void PanelFixture::ReleaseOver(const RECT& area)
{
    EnterArea(area);
    PressAndRelease();
}

int PanelFixture::ItemIndex(const std::wstring& text) const
{
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    return static_cast<int>(::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(&find)));
}

std::vector<std::wstring> PanelFixture::SelectedItems() const
{
    std::vector<std::wstring> texts;
    HWND list = Item(IDC_MATERIAL_LIST);
    for (int i = -1;;) {
        i = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED));
        if (i < 0)
            return texts;
        wchar_t text[260] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 260;
        ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
}

std::vector<int> PanelFixture::ItemsOfText(const std::wstring& text) const
{
    std::vector<int> items;
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    for (int i = -1;;) {
        i = static_cast<int>(::SendMessageW(Item(IDC_MATERIAL_LIST), LVM_FINDITEMW, static_cast<WPARAM>(i),
                                            reinterpret_cast<LPARAM>(&find)));
        if (i < 0 || (!items.empty() && i <= items.back()))
            return items;
        items.push_back(i);
    }
}

void PanelFixture::ClickItem(const std::wstring& text)
{
    const int index = ItemIndex(text);
    ASSERT_GE(index, 0) << "no item of that text";
    ClickItemAt(index);
}

void PanelFixture::ClickItemAt(int index)
{
    HWND list = Item(IDC_MATERIAL_LIST);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = 0;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = IDC_MATERIAL_LIST;
    click.hdr.code = NM_CLICK;
    click.iItem = index;
    ::SendMessageW(Dialog().Hwnd(), WM_NOTIFY, IDC_MATERIAL_LIST, reinterpret_cast<LPARAM>(&click));
}

void PanelFixture::Type(int id, const std::wstring& text)
{
    HWND edit = Item(id);
    ::SetFocus(edit);
    for (wchar_t c : text)
        ::SendMessageW(edit, WM_CHAR, c, 0);
}

void PanelFixture::AnswerSaveAs(const std::wstring& name)
{
    m_saveAsSeen = false;
    m_catcher.OnDialog([this, name](HWND dialog) {
        m_saveAsSeen = true;
        ::SetDlgItemTextW(dialog, IDC_FILE_NAME, name.c_str());
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
}

void WriteMaterial(const fs::path& file, const std::string& text) { WriteFile(file, text); }

bool FileStartsWithUtf16Mark(const fs::path& file)
{
    const std::string bytes = ReadFileBytes(file);
    return bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
}

std::vector<std::wstring> FilesIn(const fs::path& folder)
{
    std::vector<std::wstring> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace testing_support

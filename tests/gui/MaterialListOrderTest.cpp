// A category's materials are inserted presorted for speed; the order must be
// the one the list control itself keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "resources/resource.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/MaterialDialogInspector.h"

using namespace testing_support;

namespace {

std::vector<std::wstring> ItemsOf(HWND list)
{
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = 256;
        ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(text);
    }
    return texts;
}

class MaterialListOrderTest : public DialogFixture {};

TEST_F(MaterialListOrderTest, PresortedFillKeepsTheControlsOwnOrder)
{
    MaterialDialog& dialog = Open();
    m_catcher.Clear();
    std::vector<std::wstring> names = {
        L"oak",   L"Oak2",  L"OAK",   L"Älder", L"alder", L"Birch 10", L"Birch 9", L"birch-1", L"_first",
        L"Zebra", L"zebra", L"2mm",   L"10mm",  L"Ölbaum", L"Ash",     L"ash ",    L"Ash.",    L"éclair",
        L"Eclair", L"~tilde", L"Maple (hard)", L"Maple hard", L"Maple-hard", L"maple_hard",
    };
    std::shuffle(names.begin(), names.end(), std::mt19937(7));

    Arrange(dialog).m_strModel = L"VTE";
    Arrange(dialog).m_curGroup = 1;
    Arrange(dialog).m_materialEntries = {L".", L".."};
    for (const auto& name : names)
        Arrange(dialog).m_materialEntries.push_back(name + L".spi");
    std::fill(std::begin(Arrange(dialog).m_categoryEnd), std::end(Arrange(dialog).m_categoryEnd),
              static_cast<int>(Inspect(dialog).m_materialEntries.size()));
    dialog.ClearMaterialView();
    dialog.FillMaterialList(0);
    const std::vector<std::wstring> filled = ItemsOf(Item(IDC_MATERIAL_LIST));

    // The same names inserted one by one into a sorted list of its own. Texts
    // that compare equal (oak, OAK) may stand either way round; the fill keeps
    // them in scan order.
    HWND reference = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_ICON | LVS_SORTASCENDING, 0, 0, 200,
                                       200, dialog.Hwnd(), nullptr, nullptr, nullptr);
    for (const auto& name : names) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = 0;
        item.pszText = const_cast<wchar_t*>(name.c_str());
        ::SendMessageW(reference, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    const std::vector<std::wstring> sorted = ItemsOf(reference);
    ::DestroyWindow(reference);

    ASSERT_EQ(filled.size(), names.size());
    ASSERT_EQ(sorted.size(), names.size());
    for (size_t i = 0; i < filled.size(); ++i)
        EXPECT_EQ(::lstrcmpiW(filled[i].c_str(), sorted[i].c_str()), 0)
            << i << ": " << testing::PrintToString(filled[i]) << " / " << testing::PrintToString(sorted[i]);
    const auto oak = std::find(filled.begin(), filled.end(), L"oak");
    const auto OAK = std::find(filled.begin(), filled.end(), L"OAK");
    EXPECT_EQ(oak < OAK, std::find(names.begin(), names.end(), L"oak") < std::find(names.begin(), names.end(), L"OAK"));
    EXPECT_TRUE(::GetWindowLongPtrW(Item(IDC_MATERIAL_LIST), GWL_STYLE) & LVS_SORTASCENDING);
}

} // namespace

// A category's materials are inserted presorted for speed; the order must be
// the one the list control itself keeps.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource.h"
#include "tests/gui/LibraryTree.h"
#include "tests/support/DialogFixture.h"
#include "utils/LibraryScan.h"

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
    // "Café" composed and decomposed: two files whose names the list takes
    // for equal.
    const std::wstring composed = L"Caf\u00e9";
    const std::wstring decomposed = L"Cafe\u0301";
    const std::vector<std::wstring> names = {
        L"oak",    L"Oak2",   L"Älder",        L"alder",      L"Birch 10",   L"Birch 9",    L"birch-1", L"_first",
        L"Zebra",  L"2mm",    L"10mm",         L"Ölbaum",     L"Ash",        L"Ash-2",      L"Ash 3",   L"éclair",
        L"Eclair", L"~tilde", L"Maple (hard)", L"Maple hard", L"Maple-hard", L"maple_hard", composed,   decomposed,
    };
    std::vector<std::wstring> files;
    for (const auto& name : names)
        files.push_back(L"1\\All\\" + name + L".spi");
    library_tree::MakeFiles(library_tree::ParameterFolder(LibraryRoot(), L"VTE"), files);
    WriteHandOff(L"VTE", L"English");
    MaterialDialog& dialog = Open();
    ::SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SLOT0, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Item(IDC_SLOT0)));
    const std::vector<std::wstring> filled = ItemsOf(Item(IDC_MATERIAL_LIST));

    // The same names inserted one by one into a sorted list of its own. Texts
    // that compare equal may stand either way round; the fill keeps them in
    // the order the library was scanned in.
    HWND reference = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_ICON | LVS_SORTASCENDING, 0, 0, 200, 200,
                                       dialog.Hwnd(), nullptr, nullptr, nullptr);
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
    ASSERT_EQ(::lstrcmpiW(composed.c_str(), decomposed.c_str()), 0);
    const auto composedAt = std::find(filled.begin(), filled.end(), composed);
    const auto decomposedAt = std::find(filled.begin(), filled.end(), decomposed);
    EXPECT_EQ(composedAt < decomposedAt, utils::NameLess(composed, decomposed));
    EXPECT_TRUE(::GetWindowLongPtrW(Item(IDC_MATERIAL_LIST), GWL_STYLE) & LVS_SORTASCENDING);
    EXPECT_TRUE(m_catcher.Messages().empty());
}

} // namespace

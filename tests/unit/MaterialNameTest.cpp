// The check of a typed custom material name.
#include <gtest/gtest.h>

#include <string>

#include "utils/MaterialName.h"

namespace {

using utils::NameProblem;

TEST(CheckMaterialName, Table)
{
    const struct {
        std::wstring name;
        NameProblem expected;
    } cases[] = {
        {L"Oak", NameProblem::None},
        {L"Oak 2", NameProblem::None},
        {L" leading blank", NameProblem::None},
        {L"a.b", NameProblem::None},
        {L"Holz dunkel \x00E4\x00F6\x00FC", NameProblem::None},
        {L"\x6728\x6750", NameProblem::None},
        {L"CONSOLE", NameProblem::None},
        {L"COM10", NameProblem::None},
        {L"LPT", NameProblem::None},
        {L"NULL", NameProblem::None},
        {L"xCON", NameProblem::None},
        {L"", NameProblem::Empty},
        {L".", NameProblem::LeavesFolder},
        {L"..", NameProblem::LeavesFolder},
        {L"..\\..\\Windows\\x", NameProblem::InvalidCharacter},
        {L"../x", NameProblem::InvalidCharacter},
        {L"a\\b", NameProblem::InvalidCharacter},
        {L"a/b", NameProblem::InvalidCharacter},
        {L"C:x", NameProblem::InvalidCharacter},
        {L"a*", NameProblem::InvalidCharacter},
        {L"a?", NameProblem::InvalidCharacter},
        {L"a\"b", NameProblem::InvalidCharacter},
        {L"a<b", NameProblem::InvalidCharacter},
        {L"a>b", NameProblem::InvalidCharacter},
        {L"a|b", NameProblem::InvalidCharacter},
        {L"a\tb", NameProblem::InvalidCharacter},
        {std::wstring(L"a\0b", 3), NameProblem::InvalidCharacter},
        {L"a\x1F", NameProblem::InvalidCharacter},
        {L"CON", NameProblem::ReservedName},
        {L"con", NameProblem::ReservedName},
        {L"Prn", NameProblem::ReservedName},
        {L"AUX", NameProblem::ReservedName},
        {L"NUL", NameProblem::ReservedName},
        {L"COM1", NameProblem::ReservedName},
        {L"com9", NameProblem::ReservedName},
        {L"LPT1", NameProblem::ReservedName},
        {L"lpt9", NameProblem::ReservedName},
        {L"CON.txt", NameProblem::ReservedName},
        {L"nul.tar.gz", NameProblem::ReservedName},
        {L"COM1 .spi", NameProblem::ReservedName},
        {L"CON ", NameProblem::ReservedName},
        {L"LPT\x00B9", NameProblem::ReservedName},
        {L"Oak.", NameProblem::TrailingDotOrBlank},
        {L"Oak ", NameProblem::TrailingDotOrBlank},
        {L"...", NameProblem::TrailingDotOrBlank},
        {L" ", NameProblem::TrailingDotOrBlank},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utils::CheckMaterialName(c.name), c.expected) << "case of length " << c.name.size();
}

TEST(CheckMaterialName, EveryRefusalHasItsOwnMessage)
{
    EXPECT_EQ(utils::NameProblemMessage(NameProblem::Empty, L""), L"Please input the file name ");
    EXPECT_EQ(utils::NameProblemMessage(NameProblem::None, L"Oak"), L"");
    const NameProblem refusals[] = {NameProblem::LeavesFolder, NameProblem::InvalidCharacter, NameProblem::ReservedName,
                                    NameProblem::TrailingDotOrBlank};
    for (NameProblem a : refusals) {
        for (NameProblem b : refusals) {
            if (a != b) {
                EXPECT_NE(utils::NameProblemMessage(a, L"COM3.x"), utils::NameProblemMessage(b, L"COM3.x"));
            }
        }
    }
    EXPECT_NE(utils::NameProblemMessage(NameProblem::ReservedName, L"com3.x").find(L"\"COM3\""), std::wstring::npos);
}

TEST(ReservedDeviceName, NamesTheDevice)
{
    EXPECT_EQ(utils::ReservedDeviceName(L"aux.VX"), L"AUX");
    EXPECT_EQ(utils::ReservedDeviceName(L"Com7"), L"COM7");
    EXPECT_EQ(utils::ReservedDeviceName(L"Oak"), L"");
}

TEST(FitsMaxPath, AllowsAtMost259Characters)
{
    EXPECT_TRUE(utils::FitsMaxPath(std::wstring(259, L'a')));
    EXPECT_FALSE(utils::FitsMaxPath(std::wstring(260, L'a')));
}

TEST(IsOwnTempFileName, OnlyTheNamesSavesMake)
{
    for (const wchar_t* name : {L"~mm1.tmp", L"~mm0A1f.tmp", L"~MMFFFF.TMP", L"~mM12.Tmp", L"~mm0000.tmp"})
        EXPECT_TRUE(utils::IsOwnTempFileName(name)) << testing::PrintToString(std::wstring(name));
    for (const wchar_t* name : {L"~mm.tmp", L"~mm12345.tmp", L"~mmG1.tmp", L"mm1.tmp", L"~mm1.tmp.spi", L"~mm1.tm",
                                L"~mm1.tmpx", L"x~mm1.tmp", L"~mm1 .tmp", L"~mn1.tmp", L"~mm-1.tmp", L"Mine.spi", L""})
        EXPECT_FALSE(utils::IsOwnTempFileName(name)) << testing::PrintToString(std::wstring(name));
    // Every name a save makes is recognised.
    for (unsigned number : {0u, 1u, 0xABCu, 0xFFFFu, 0x12345u}) {
        const std::wstring name = utils::OwnTempFileName(number);
        EXPECT_EQ(name.size(), utils::kOwnTempNameLength);
        EXPECT_TRUE(utils::IsOwnTempFileName(name)) << testing::PrintToString(name);
    }
    EXPECT_EQ(utils::OwnTempFileName(0xABC), L"~mm0ABC.tmp");
}

} // namespace

// Messages name a material as its item does, unless its file does not end in
// the model's extension: then the whole name, which tells it from the one
// that does.
TEST(MaterialNameOfPath, ItemTextOrTheWholeFileName)
{
    const struct {
        const wchar_t* path;
        const wchar_t* extension;
        const wchar_t* name;
    } cases[] = {
        {L"C:\\ZOR\\parameter_VTE\\1\\Customize\\Mine.spi", L".spi", L"Mine"},
        {L"C:\\ZOR\\parameter_VTE\\1\\Customize\\Mine.SPI", L".spi", L"Mine"},
        {L"C:\\ZOR\\parameter_VTE\\1\\Customize\\Mine.bak", L".spi", L"Mine.bak"},
        {L"\\\\server\\share\\ZOR\\parameter_R250\\1\\Wood\\Oak.VX", L".VX", L"Oak"},
        {L"Mine.VX", L".VX", L"Mine"},
        {L"M:/ZOR/x/Oak.VX", L".VX", L"Oak"},
        {L"C:\\folder\\.VX", L".VX", L".VX"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utils::MaterialNameOfPath(c.path, c.extension), c.name)
            << testing::PrintToString(std::wstring(c.path));
}

#include <gtest/gtest.h>

#include <vector>

#include "utils/PrintJob.h"

using utils::PrintBlock;
using utils::PrintBlockAt;
using utils::PrintBlockCount;
using utils::PrintDevicePath;

namespace {

std::vector<PrintBlock> Plan(std::uint64_t length)
{
    std::vector<PrintBlock> blocks;
    for (std::uint64_t i = 0; i < PrintBlockCount(length); ++i)
        blocks.push_back(PrintBlockAt(length, i));
    return blocks;
}

} // namespace

TEST(PrintDevicePath, EachPortNameOpensItsDevice)
{
    const struct {
        const wchar_t* port;
        const wchar_t* device;
    } rows[] = {
        {L"ZORUSB0", L"\\\\.\\DUDAV0"},
        {L"ZORUSB1", L"\\\\.\\DUDAV1"},
        {L"LPT1", L"LPT1"},
        {L"USB001", L"USB001"},
    };
    for (const auto& row : rows) {
        const auto device = PrintDevicePath(row.port);
        ASSERT_TRUE(device.has_value()) << testing::PrintToString(std::wstring(row.port));
        EXPECT_EQ(*device, row.device);
    }
}

TEST(PrintDevicePath, OtherNamesAreUnknown)
{
    const std::wstring_view unknown[] = {
        L"",      L"lpt1",    L"Lpt1",          L"zorusb0", L"ZORUSB2",
        L"USB01", L"USB0001", L"COM1",          L" LPT1",   L"LPT1 ",
        L"LPT",   L"ZORUSB",  L"\\\\.\\DUDAV0", L"DUDAV0",  std::wstring_view(L"LPT1\0", 5),
    };
    for (std::wstring_view port : unknown)
        EXPECT_FALSE(PrintDevicePath(port).has_value()) << testing::PrintToString(std::wstring(port));
}

TEST(PrintBlockPlan, WholeBlocksThenTheRemainder)
{
    const struct {
        std::uint64_t length;
        std::vector<PrintBlock> blocks;
    } cases[] = {
        {0, {}},
        {1, {{0, 1}}},
        {511, {{0, 511}}},
        {512, {{0, 512}}},
        {513, {{0, 512}, {512, 1}}},
        {1000, {{0, 512}, {512, 488}}},
        {1024, {{0, 512}, {512, 512}}},
        {1025, {{0, 512}, {512, 512}, {1024, 1}}},
        {1535, {{0, 512}, {512, 512}, {1024, 511}}},
    };
    for (const auto& c : cases) {
        const std::vector<PrintBlock> plan = Plan(c.length);
        ASSERT_EQ(plan.size(), c.blocks.size()) << "length " << c.length;
        for (std::size_t i = 0; i < plan.size(); ++i) {
            EXPECT_EQ(plan[i].offset, c.blocks[i].offset) << "length " << c.length << ", block " << i;
            EXPECT_EQ(plan[i].size, c.blocks[i].size) << "length " << c.length << ", block " << i;
        }
    }
}

TEST(PrintBlockPlan, OffsetsGoPastFourGibibytes)
{
    const std::uint64_t fourGiB = 4ull << 30;
    const std::uint64_t length = fourGiB + 1000;
    ASSERT_EQ(PrintBlockCount(length), fourGiB / 512 + 2);
    EXPECT_EQ(PrintBlockAt(length, fourGiB / 512 - 1), (PrintBlock{fourGiB - 512, 512}));
    EXPECT_EQ(PrintBlockAt(length, fourGiB / 512), (PrintBlock{fourGiB, 512}));
    EXPECT_EQ(PrintBlockAt(length, fourGiB / 512 + 1), (PrintBlock{fourGiB + 512, 488}));
}

TEST(PrintMessages, UnknownPortNamesThePortAndTheKnownOnes)
{
    EXPECT_EQ(utils::UnknownPortMessage(L""), L"No print port is chosen, so the print job was not sent.\n\n"
                                              L"Known ports: ZORUSB0, ZORUSB1, LPT1, USB001.");
    EXPECT_EQ(utils::UnknownPortMessage(L"lpt1"),
              L"The print port \"lpt1\" is not known, so the print job was not sent.\n\n"
              L"Known ports: ZORUSB0, ZORUSB1, LPT1, USB001.");
}

TEST(PrintMessages, SystemErrorGivesTheCodeWithOrWithoutText)
{
    const struct {
        std::uint32_t code;
        const wchar_t* systemText;
        const wchar_t* tail;
    } cases[] = {
        {2, L"File not found.\r\n", L"Error 2 (0x00000002): File not found."},
        {5, L"  Access denied.  \r\n\r\n", L"Error 5 (0x00000005): Access denied."},
        {12345, L"", L"Error 12345 (0x00003039): the system has no description for this error."},
        {0xE0001234u, L" \r\n\t", L"Error 3758101044 (0xE0001234): the system has no description for this error."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utils::SystemErrorMessage(L"It failed.", c.code, c.systemText),
                  std::wstring(L"It failed.\n\n") + c.tail)
            << c.code;
}

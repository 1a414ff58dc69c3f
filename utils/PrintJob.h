#pragma once
// Rules of sending a print job file to the machine's port: which device a
// port name stands for, how a job is cut into blocks, and the texts that
// report a failed print. Free of Win32 so they can be built natively.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace utils {

inline constexpr std::uint32_t kPrintBlockSize = 512;

// Device path of a port name ("LPT1" -> "LPT1", "ZORUSB0" -> "\\.\DUDAV0");
// the comparison is exact and case-sensitive. Nothing for an unknown name.
std::optional<std::wstring_view> PrintDevicePath(std::wstring_view port);

// One write to the device: `size` bytes of the job starting at `offset`,
// which is also the device offset they are written to.
struct PrintBlock {
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
    bool operator==(const PrintBlock&) const = default;
};

// A job of `length` bytes goes out as length / 512 whole blocks in file
// order, then one write of the remainder when there is one.
std::uint64_t PrintBlockCount(std::uint64_t length);
// Block `index` (0 <= index < PrintBlockCount(length)) of such a job.
PrintBlock PrintBlockAt(std::uint64_t length, std::uint64_t index);

// ---- Report texts

// The port name matches no device; nothing was opened.
std::wstring UnknownPortMessage(std::wstring_view port);

// What failed, for the reports that add the system's error text.
std::wstring PortOpenFailure(std::wstring_view port, std::wstring_view devicePath);
std::wstring JobOpenFailure(std::wstring_view jobPath);
std::wstring JobReadFailure(std::wstring_view jobPath, std::uint64_t offset);
std::wstring PortWriteFailure(std::wstring_view port, std::wstring_view devicePath, std::uint64_t offset);

// The device took fewer bytes than one write offered.
std::wstring ShortWriteMessage(std::wstring_view port, std::wstring_view devicePath, std::uint64_t offset,
                               std::uint32_t requested, std::uint32_t written);

// `whatFailed`, then the system's text for `code` with the code; when the
// system has no text (empty or only blanks), a line that still names the code.
std::wstring SystemErrorMessage(std::wstring_view whatFailed, std::uint32_t code, std::wstring_view systemText);

} // namespace utils

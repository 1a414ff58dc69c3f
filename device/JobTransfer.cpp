#include "device/JobTransfer.h"

#include "utils/PrintJob.h"

namespace device {

SendResult SendJob(HANDLE job, std::uint64_t length, const BlockWriter& write)
{
    BYTE staging[utils::kPrintBlockSize];
    OVERLAPPED at{};
    SendResult result;
    const std::uint64_t count = utils::PrintBlockCount(length);
    for (std::uint64_t index = 0; index < count; ++index) {
        const utils::PrintBlock block = utils::PrintBlockAt(length, index);
        result.offset = block.offset;
        result.requested = block.size;

        DWORD read = 0;
        if (!::ReadFile(job, staging, block.size, &read, nullptr)) {
            result.error = ::GetLastError();
            result.status = SendResult::Status::ReadFailed;
            return result;
        }
        if (read != block.size) {
            // The job is opened denying writers, so this means the file is
            // not the length it claimed; never send a partial block as whole.
            result.error = ERROR_HANDLE_EOF;
            result.status = SendResult::Status::ReadFailed;
            return result;
        }

        at.Offset = static_cast<DWORD>(block.offset);
        at.OffsetHigh = static_cast<DWORD>(block.offset >> 32);
        DWORD written = 0;
        if (!write(staging, block.size, &written, &at)) {
            result.error = ::GetLastError();
            result.status = SendResult::Status::WriteFailed;
            return result;
        }
        if (written != block.size) {
            result.status = SendResult::Status::ShortWrite;
            result.written = written;
            return result;
        }
    }
    return SendResult{};
}

} // namespace device

#pragma once
// Sending an open print job file to an open device: the job is read one
// 512-byte block after another and each block is written at its running
// offset, so memory use does not grow with the size of the job.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace device {

// Writes one block; the contract of WriteFile on a synchronous handle, with
// the record carrying the block's device offset.
using BlockWriter = std::function<BOOL(const BYTE* data, DWORD size, DWORD* written, OVERLAPPED* at)>;

struct SendResult {
    enum class Status { Sent, ReadFailed, WriteFailed, ShortWrite };
    Status status = Status::Sent;
    std::uint64_t offset = 0;    // of the block that failed
    DWORD requested = 0;         // its size
    DWORD written = 0;           // what the device reported taking of it
    DWORD error = ERROR_SUCCESS; // the failing call's code (ReadFailed, WriteFailed)
};

// Sends `length` bytes of `job`, read from its current position, through
// `write`. Stops at the first failure; a job that ends early fails its read
// with ERROR_HANDLE_EOF.
SendResult SendJob(HANDLE job, std::uint64_t length, const BlockWriter& write);

} // namespace device

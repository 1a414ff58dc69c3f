#include "dialog/MaterialDialog.h"

#include <optional>
#include <string_view>

#include "device/JobTransfer.h"
#include "framework/Handle.h"
#include "framework/MessageBox.h"
#include "utils/PrintJob.h"

namespace {

void ShowSystemError(const std::wstring& whatFailed, DWORD code)
{
    fw::ShowMessage(utils::SystemErrorMessage(whatFailed, code, fw::SystemErrorText(code)), MB_ICONINFORMATION);
}

// Tells the operator how a send that did not complete ended.
void ReportSendResult(const device::SendResult& sent, const std::wstring& port, const std::wstring& devicePath,
                      const std::wstring& jobPath)
{
    switch (sent.status) {
    case device::SendResult::Status::Sent:
        break;
    case device::SendResult::Status::ReadFailed:
        ShowSystemError(utils::JobReadFailure(jobPath, sent.offset), sent.error);
        break;
    case device::SendResult::Status::WriteFailed:
        ShowSystemError(utils::PortWriteFailure(port, devicePath, sent.offset), sent.error);
        break;
    case device::SendResult::Status::ShortWrite:
        fw::ShowMessage(utils::ShortWriteMessage(port, devicePath, sent.offset, sent.requested, sent.written),
                        MB_ICONINFORMATION);
        break;
    }
}

} // namespace

void MaterialDialog::OnPrint()
{
    const std::optional<std::wstring_view> found = utils::PrintDevicePath(m_strPrintPort);
    if (!found) {
        // Without a device path there is nothing sensible to open; a guess
        // would create a stray file named after the port.
        fw::ShowMessage(utils::UnknownPortMessage(m_strPrintPort), MB_ICONINFORMATION);
        return;
    }
    const std::wstring devicePath(*found);
    const std::wstring jobPath = m_strDataFolder + m_strPrintJobName + L".prn";
    // Built before the calls they describe, so nothing runs between a failing
    // call and ShowLastError reading its code.
    const std::wstring portOpenFailure = utils::PortOpenFailure(m_strPrintPort, devicePath);
    const std::wstring jobOpenFailure = utils::JobOpenFailure(jobPath);

    // The port is claimed, unshared, before the job is looked at; a missing
    // job therefore still opens and closes the device.
    const fw::FileHandle port(
        ::CreateFileW(devicePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!port) {
        ShowLastError(portOpenFailure);
        return;
    }

    const fw::FileHandle job(::CreateFileW(jobPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!job) {
        ShowLastError(jobOpenFailure);
        return;
    }
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(job.Get(), &length)) {
        ShowLastError(jobOpenFailure);
        return;
    }

    const device::SendResult sent =
        device::SendJob(job.Get(), static_cast<std::uint64_t>(length.QuadPart),
                        [&port](const BYTE* data, DWORD size, DWORD* written, OVERLAPPED* at) {
                            return ::WriteFile(port.Get(), data, size, written, at);
                        });
    ReportSendResult(sent, m_strPrintPort, devicePath, jobPath);
}

void MaterialDialog::ShowLastError(const std::wstring& whatFailed)
{
    const DWORD code = ::GetLastError();
    ShowSystemError(whatFailed, code);
}

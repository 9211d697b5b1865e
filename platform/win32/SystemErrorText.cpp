#include "platform/Errors.h"

#include <windows.h>

namespace platform {

std::string systemErrorText(int systemCode)
{
    char* text = nullptr;
    const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, static_cast<DWORD>(systemCode), 0, reinterpret_cast<char*>(&text), 0,
                                     nullptr);
    std::string message = n > 0 && text ? std::string(text, n) : std::string();
    if (text)
        ::LocalFree(text);
    // The system's texts end with a line break.
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "System error " + std::to_string(systemCode) : message;
}

SystemCause systemCause(int systemCode)
{
    switch (static_cast<DWORD>(systemCode)) {
    case ERROR_FILE_NOT_FOUND: case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_DRIVE: return SystemCause::NotFound;
    case ERROR_ACCESS_DENIED: case ERROR_SHARING_VIOLATION: case ERROR_LOCK_VIOLATION: return SystemCause::AccessDenied;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return SystemCause::DiskFull;
    case ERROR_WRITE_PROTECT: return SystemCause::ReadOnlyDisk;
    case ERROR_FILENAME_EXCED_RANGE: case ERROR_BUFFER_OVERFLOW: return SystemCause::NameTooLong;
    case ERROR_CRC: case ERROR_READ_FAULT: case ERROR_WRITE_FAULT: case ERROR_IO_DEVICE: return SystemCause::InputOutput;
    default: return SystemCause::Other;
    }
}

} // namespace platform

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

} // namespace platform

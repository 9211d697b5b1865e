#include "platform/Errors.h"

#include <cerrno>
#include <cstring>

namespace platform {

namespace {

// strerror_r comes in two shapes; either way the text is what it points to.
[[maybe_unused]] const char* errorText(int result, const char* buffer)
{
    return result == 0 ? buffer : nullptr;
}
[[maybe_unused]] const char* errorText(const char* result, const char*)
{
    return result;
}

} // namespace

std::string systemErrorText(int systemCode)
{
    char buffer[256] = {};
    const char* text = errorText(::strerror_r(systemCode, buffer, sizeof buffer), buffer);
    return text && *text ? text : "System error " + std::to_string(systemCode);
}

SystemCause systemCause(int systemCode)
{
    switch (systemCode) {
    case ENOENT: case ENOTDIR: return SystemCause::NotFound;
    case EACCES: case EPERM: return SystemCause::AccessDenied;
    case ENOSPC: case EDQUOT: return SystemCause::DiskFull;
    case EROFS: return SystemCause::ReadOnlyDisk;
    case EISDIR: return SystemCause::IsFolder;
    case ENAMETOOLONG: return SystemCause::NameTooLong;
    case EIO: return SystemCause::InputOutput;
    default: return SystemCause::Other;
    }
}

} // namespace platform

#include "platform/Errors.h"

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

} // namespace platform

#include "platform/VersionInfo.h"

#include <string>

namespace platform {

std::string GetVersionString(const std::string& path)
{
    VersionInfo info;
    if (!readVersionInfo(path, info) || !info.hasFixed)
        return std::string();
    return std::to_string(info.productVersionMS >> 16) + '.' + std::to_string(info.productVersionMS & 0xFFFF) + '.' +
           std::to_string(info.productVersionLS >> 16) + '.' + std::to_string(info.productVersionLS & 0xFFFF);
}

} // namespace platform

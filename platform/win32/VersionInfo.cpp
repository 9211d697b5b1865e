#include "platform/VersionInfo.h"
#include "platform/VersionResource.h"

#include <windows.h>

#include <cstring>
#include <vector>

// The version resource through the version API; the names of the strings, which the API
// cannot list, come from the resource's own layout (platform/VersionResource.h).

namespace platform {
namespace {

void readStrings(const std::vector<unsigned char>& block, VersionInfo& info)
{
    for (const auto& [name, query] : versionStringQueries(block.data(), block.size())) {
        char* value = nullptr;
        UINT length = 0;
        if (::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && value)
            info.strings.emplace_back(name, std::string(value, ::strnlen(value, length)));
    }
}

} // namespace

bool readVersionInfo(const std::string& path, VersionInfo& info)
{
    info = VersionInfo();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<unsigned char> block(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return false;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof(VS_FIXEDFILEINFO) && fixed->dwSignature == 0xFEEF04BD) {
        info.hasFixed = true;
        info.fileVersionMS = fixed->dwFileVersionMS;
        info.fileVersionLS = fixed->dwFileVersionLS;
        info.productVersionMS = fixed->dwProductVersionMS;
        info.productVersionLS = fixed->dwProductVersionLS;
    }
    WORD* translation = nullptr;
    if (::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                         &length) && translation && length >= 4) {
        info.hasTranslation = true;
        info.language = translation[0];
        info.codePage = translation[1];
    }
    readStrings(block, info);
    if (!info.hasFixed && !info.hasTranslation && info.strings.empty()) {
        info = VersionInfo();
        return false;
    }
    return true;
}

} // namespace platform

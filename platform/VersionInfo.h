#pragma once
// The version information of an executable or a library, read from the file without loading it
// (Windows: the version resource; here: the note that cmake/VersionInfo.cmake adds).
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform {

struct VersionInfo {
    // The fixed part; each version is two 32-bit words, major.minor in the high word.
    bool hasFixed = false;
    std::uint32_t fileVersionMS = 0, fileVersionLS = 0;
    std::uint32_t productVersionMS = 0, productVersionLS = 0;
    // The translation entry: language identifier and Windows code page.
    bool hasTranslation = false;
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
    // "FileVersion", "ProductVersion", ... with their values, in file order.
    std::vector<std::pair<std::string, std::string>> strings;
};

// False when the file cannot be read or carries no version information (a damaged or foreign
// file included); nothing outside the file or the information is looked at.
bool readVersionInfo(const std::string& path, VersionInfo& info);

// The fixed product version as four dot-separated numbers ("3.0.0.0"); empty when the file has
// no version information or no fixed part.
std::string GetVersionString(const std::string& path);

} // namespace platform

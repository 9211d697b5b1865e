// The version information readers over any bytes: as a file (the ELF note the program reads
// here), and as a Windows version resource (the tree the Win32 side takes its string names from).
#include "platform/VersionInfo.h"
#include "platform/VersionResource.h"
#include "check.h"
#include "MemoryFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string file = memoryFile(data, size);
    platform::VersionInfo info;
    const bool found = platform::readVersionInfo(file, info);
    FUZZ_CHECK(found || (!info.hasFixed && !info.hasTranslation && info.strings.empty()));
    FUZZ_CHECK(!info.hasTranslation || info.hasFixed);
    FUZZ_CHECK(info.strings.empty() || info.hasTranslation);
    for (const auto& [name, value] : info.strings)
        FUZZ_CHECK(name.size() + value.size() < size && name.find('\0') == std::string::npos &&
                   value.find('\0') == std::string::npos);
    FUZZ_CHECK(platform::GetVersionString(file).empty() == !info.hasFixed);

    const std::string prefix = "\\StringFileInfo\\";
    for (const auto& [name, query] : platform::versionStringQueries(data, size)) {
        FUZZ_CHECK(2 * name.size() < size);
        FUZZ_CHECK(query.compare(0, prefix.size(), prefix) == 0);
        FUZZ_CHECK(query.size() > name.size() && query.compare(query.size() - name.size(), name.size(), name) == 0);
    }
    return 0;
}

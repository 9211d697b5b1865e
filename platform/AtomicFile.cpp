#include "platform/AtomicFile.h"

#include "platform/Path.h"

#include <cstdio>
#include <random>

namespace platform {

// A name of its own beside the target, hidden where a leading dot hides files.
std::string AtomicFile::temporaryNameFor(const std::string& target)
{
    static std::mt19937_64 rng{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08llx.tmp", static_cast<unsigned long long>(rng() & 0xffffffffULL));
    return extractFilePath(target) + "." + extractFileName(target) + suffix;
}

AtomicFile::~AtomicFile()
{
    discard();
}

} // namespace platform

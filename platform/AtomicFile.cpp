#include "platform/AtomicFile.h"

#include "platform/Path.h"

#include <cstdio>
#include <random>

namespace platform {

std::string AtomicFile::temporaryNameBeside(const std::string& file)
{
    thread_local std::mt19937_64 rng{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".tunesheet-%08llx.tmp", static_cast<unsigned long long>(rng() & 0xffffffffULL));
    return extractFilePath(file) + name;
}

bool AtomicFile::isTemporaryName(const std::string& name)
{
    static const std::string prefix = ".tunesheet-", suffix = ".tmp";
    constexpr std::size_t digits = 8;
    if (name.size() != prefix.size() + digits + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(prefix.size() + digits, suffix.size(), suffix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < prefix.size() + digits; ++i)
        if (!((name[i] >= '0' && name[i] <= '9') || (name[i] >= 'a' && name[i] <= 'f')))
            return false;
    return true;
}

AtomicFile::~AtomicFile()
{
    discard();
}

} // namespace platform

#include "platform/AtomicFile.h"

#include "platform/Path.h"

#include <cstdio>
#include <random>

namespace platform {

std::string AtomicFile::temporaryNameBeside(const std::string& file)
{
    static std::mt19937_64 rng{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".tunesheet-%08llx.tmp", static_cast<unsigned long long>(rng() & 0xffffffffULL));
    return extractFilePath(file) + name;
}

AtomicFile::~AtomicFile()
{
    discard();
}

} // namespace platform

#include "platform/Path.h"

#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace platform {

bool isPathDelimiter(char c)
{
    return c == PathDelimiter;
}

bool isAbsolutePath(const std::string& path)
{
    return !path.empty() && path[0] == '/';
}

std::string currentDirectory()
{
    char buf[PATH_MAX];
    return ::getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

std::string absolutePath(const std::string& path)
{
    if (isAbsolutePath(path))
        return normalPath(path);
    return normalPath(currentDirectory() + PathDelimiter + path);
}

std::string executablePath()
{
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return std::string();
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string defaultRootFolder()
{
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        if (const passwd* pw = ::getpwuid(::getuid()))
            home = pw->pw_dir;
    }
    return includeTrailingDelimiter(home && *home ? home : "/");
}

} // namespace platform

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

std::string includeTrailingDelimiter(const std::string& path)
{
    if (!path.empty() && isPathDelimiter(path.back()))
        return path;
    return path + PathDelimiter;
}

std::string extractFileName(const std::string& path)
{
    auto pos = path.find_last_of(PathDelimiter);
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string extractFilePath(const std::string& path)
{
    auto pos = path.find_last_of(PathDelimiter);
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
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

std::string executablePath()
{
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return std::string();
    return std::string(buf, static_cast<std::size_t>(n));
}

std::string besideExecutable(const std::string& extension)
{
    std::string exe = executablePath();
    std::string name = extractFileName(exe);
    auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        exe.resize(exe.size() - (name.size() - dot));
    return exe + extension;
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

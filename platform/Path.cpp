// The path helpers that both sides share; what differs (which characters delimit, what makes a
// path absolute, where the executable is) lives in posix/ExePath.cpp and win32/ExePath.cpp.
#include "platform/Path.h"

namespace platform {

namespace {

// Where the file name starts: after the last delimiter, and on Windows after a drive colon
// too ("C:song.mp3" names song.mp3 in the current folder of drive C).
std::string::size_type fileNameStart(const std::string& path)
{
    for (auto i = path.size(); i > 0; --i) {
        const char c = path[i - 1];
#ifdef _WIN32
        if (c == ':' && i == 2)
            return i;
#endif
        if (isPathDelimiter(c))
            return i;
    }
    return 0;
}

} // namespace

std::string includeTrailingDelimiter(const std::string& path)
{
    if (!path.empty() && isPathDelimiter(path.back()))
        return path;
    return path + PathDelimiter;
}

std::string withoutTrailingDelimiter(const std::string& path)
{
    if (path.size() < 2 || !isPathDelimiter(path.back()))
        return path;
#ifdef _WIN32
    if (path.size() == 3 && path[1] == ':')
        return path;
#endif
    return path.substr(0, path.size() - 1);
}

std::string extractFileName(const std::string& path)
{
    return path.substr(fileNameStart(path));
}

std::string extractFilePath(const std::string& path)
{
    return path.substr(0, fileNameStart(path));
}

std::string changeFileExt(const std::string& path, const std::string& extension)
{
    const std::string name = extractFileName(path);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0)
        return path + extension;
    return path.substr(0, path.size() - (name.size() - dot)) + extension;
}

std::string besideExecutable(const std::string& extension)
{
    return changeFileExt(executablePath(), extension);
}

} // namespace platform

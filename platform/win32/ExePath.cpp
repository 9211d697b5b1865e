#include "platform/Path.h"

#include <windows.h>

#include <vector>

namespace platform {

bool isPathDelimiter(char c)
{
    // Windows takes '/' for a delimiter as well.
    return c == '\\' || c == '/';
}

namespace {

bool hasDriveLetter(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool isUncPath(const std::string& path)
{
    return path.size() >= 2 && isPathDelimiter(path[0]) && isPathDelimiter(path[1]);
}

} // namespace

bool isAbsolutePath(const std::string& path)
{
    // "C:\x" and "\\server\share\x"; "C:x" and "\x" depend on the current folder.
    return (hasDriveLetter(path) && path.size() >= 3 && isPathDelimiter(path[2])) || isUncPath(path);
}

std::string currentDirectory()
{
    DWORD size = ::GetCurrentDirectoryA(0, nullptr);
    if (size == 0)
        return ".";
    std::vector<char> buf(size + 1);
    DWORD n = ::GetCurrentDirectoryA(static_cast<DWORD>(buf.size()), buf.data());
    if (n == 0 || n >= buf.size())
        return ".";
    return withoutTrailingDelimiter(std::string(buf.data(), n));
}

std::string absolutePath(const std::string& path)
{
    // The system's own rules for "C:x", "\x" and the rest; it does not follow links either.
    const std::string from = path.empty() ? std::string(".") : path;
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetFullPathNameA(from.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
        if (n == 0)
            return normalPath(currentDirectory() + PathDelimiter + path);
        if (n < buf.size())
            return normalPath(std::string(buf.data(), n));
        buf.resize(n + 1);
    }
}

std::string executablePath()
{
    // The module file name has no length the caller can ask for: grow until it fits.
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return std::string();
        if (n < buf.size())
            return std::string(buf.data(), n);
        if (buf.size() >= 32768)
            return std::string();
        buf.resize(buf.size() * 2);
    }
}

std::string defaultRootFolder()
{
    const std::string exe = executablePath();
    if (hasDriveLetter(exe))
        return exe.substr(0, 2) + "\\";
    if (isUncPath(exe)) {
        // \\server\share\ is the root of a network path.
        auto server = exe.find_first_of("\\/", 2);
        auto share = server == std::string::npos ? server : exe.find_first_of("\\/", server + 1);
        return includeTrailingDelimiter(share == std::string::npos ? exe : exe.substr(0, share));
    }
    return "C:\\";
}

} // namespace platform

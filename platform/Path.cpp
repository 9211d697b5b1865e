// The path helpers that both sides share; what differs (which characters delimit, what makes a
// path absolute, where the executable is) lives in posix/ExePath.cpp and win32/ExePath.cpp.
#include "platform/Path.h"

#include <algorithm>
#include <vector>

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

// How long the root at the path's start is: "/" here; "C:\", "\\server\share\" or a lone
// delimiter on Windows; 0 for a relative path.
std::string::size_type rootLength(const std::string& path)
{
#ifdef _WIN32
    if (path.size() >= 2 && isPathDelimiter(path[0]) && isPathDelimiter(path[1])) {
        // The root reaches over the server's and the share's names.
        const auto server = path.find_first_of("\\/", 2);
        if (server == std::string::npos)
            return path.size();
        const auto share = path.find_first_of("\\/", server + 1);
        return share == std::string::npos ? path.size() : share + 1;
    }
    if (path.size() >= 2 && path[1] == ':')
        return path.size() >= 3 && isPathDelimiter(path[2]) ? 3 : 2;
#endif
    return !path.empty() && isPathDelimiter(path[0]) ? 1 : 0;
}

std::vector<std::string> pathNames(const std::string& path, std::string::size_type from)
{
    std::vector<std::string> names;
    std::string::size_type start = from;
    for (auto i = from; i <= path.size(); ++i) {
        if (i == path.size() || isPathDelimiter(path[i])) {
            if (i > start)
                names.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return names;
}

bool sameName(const std::string& a, const std::string& b)
{
    if (!FileNamesIgnoreCase)
        return a == b;
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return upper(x) == upper(y); });
}

std::string joinNames(std::string path, const std::vector<std::string>& names, std::size_t from)
{
    for (std::size_t i = from; i < names.size(); ++i) {
        if (i > from)
            path += PathDelimiter;
        path += names[i];
    }
    return path;
}

} // namespace

std::string normalPath(const std::string& path)
{
    const auto root = rootLength(path);
    std::vector<std::string> names;
    for (std::string& name : pathNames(path, root)) {
        if (name == ".")
            continue;
        if (name == ".." && !names.empty() && names.back() != "..")
            names.pop_back();
        else if (name != ".." || root == 0)
            names.push_back(std::move(name));
    }
    return joinNames(path.substr(0, root), names, 0);
}

std::string relativePath(const std::string& folder, const std::string& path)
{
    const auto folderRoot = rootLength(folder), pathRoot = rootLength(path);
    if (!sameName(folder.substr(0, folderRoot), path.substr(0, pathRoot)))
        return path;
    const std::vector<std::string> from = pathNames(folder, folderRoot), to = pathNames(path, pathRoot);
    std::size_t shared = 0;
    while (shared < from.size() && shared < to.size() && sameName(from[shared], to[shared]))
        ++shared;
    std::string relative;
    for (std::size_t i = shared; i < from.size(); ++i)
        relative += std::string("..") + PathDelimiter;
    if (shared == to.size() && !relative.empty())
        relative.pop_back();
    return joinNames(relative, to, shared);
}

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

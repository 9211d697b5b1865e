#pragma once
// The layout of a Windows version resource (VS_VERSIONINFO): a tree of nodes, each holding its
// length, its value's length, its type, a UTF-16 key, padding to 4 bytes, its value, padding and
// its children. The Win32 side reads the names of the strings from it, which the version API
// cannot list; nothing here needs Windows, so any bytes can be tried on it anywhere.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// The entries of the first string table under "StringFileInfo", in block order: each entry's
// name and the query that the version API takes for its value
// ("\StringFileInfo\040904E4\FileVersion"). Nothing outside `size` bytes is read.
std::vector<std::pair<std::string, std::string>> versionStringQueries(const unsigned char* block, std::size_t size);

} // namespace platform

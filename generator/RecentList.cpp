#include "generator/RecentList.h"

#include "generator/Utf8.h"

#include "platform/AtomicFile.h"
#include "platform/DirReader.h"
#include "platform/Errors.h"
#include "platform/Path.h"
#include "platform/ReadOnlyFile.h"

namespace {

// A byte that is not part of a well-formed UTF-8 sequence: kept apart from every character,
// so that it only ever equals the same byte.
constexpr char32_t RawByte = 0x110000;

// The character at `pos` (moving past it); a byte that does not start a well-formed sequence
// stands for itself, so that any byte string compares safely.
char32_t nextChar(const std::string& s, std::size_t& pos)
{
    char32_t c;
    if (decodeUtf8(s, pos, c))
        return c;
    return RawByte + static_cast<unsigned char>(s[pos++]);
}

// Simple lower-case mapping for the scripts that folder names are mostly written in (Latin
// with its Central European letters, Greek, Cyrillic); independent of the C locale.
char32_t foldCase(char32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    if (c == 0x178)
        return 0xFF;
    bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) || (c >= 0x460 && c <= 0x4BF);
    bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1))
        return c + 1;
    return c;
}

// The text with every letter folded to lower case, each character as three bytes, so that two
// texts are equal ignoring case exactly when their keys are equal.
std::string caseFoldKey(const std::string& s)
{
    std::string key;
    key.reserve(3 * s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const char32_t c = foldCase(nextChar(s, pos));
        key += static_cast<char>(c >> 16);
        key += static_cast<char>(c >> 8);
        key += static_cast<char>(c);
    }
    return key;
}

// What makes two paths the same for the platform: the bytes themselves, or on Windows the
// letters folded to one case.
std::string pathKey(const std::string& path)
{
    return platform::FileNamesIgnoreCase ? caseFoldKey(path) : path;
}

} // namespace

bool sameIgnoringCase(const std::string& a, const std::string& b)
{
    return caseFoldKey(a) == caseFoldKey(b);
}

bool samePath(const std::string& a, const std::string& b)
{
    return pathKey(a) == pathKey(b);
}

int TRecentList::IndexOf(const std::string& entry) const
{
    const auto found = index_.find(pathKey(entry));
    return found == index_.end() ? -1 : found->second;
}

bool TRecentList::Add(const std::string& entry)
{
    if (!index_.emplace(pathKey(entry), Count()).second)
        return false;
    items_.push_back(entry);
    return true;
}

void TRecentList::Clear()
{
    items_.clear();
    index_.clear();
}

const std::string& TRecentList::operator[](int index) const
{
    if (index < 0 || index >= Count())
        throw platform::ListIndexError(index);
    return items_[static_cast<std::size_t>(index)];
}

bool TRecentList::LoadFromFile(const std::string& path)
{
    if (!platform::fileExists(path))
        return false;
    std::string content;
    platform::ReadOnlyFile file(path);
    content.resize(static_cast<std::size_t>(file.size()));
    content.resize(file.readAt(0, content.data(), content.size()));
    Clear();
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            Add(content.substr(start));
            break;
        }
        Add(content.substr(start, end - start));
        start = end + (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n' ? 2 : 1);
    }
    return true;
}

void TRecentList::SaveToFile(const std::string& path) const
{
    std::string content;
    for (const std::string& entry : items_)
        content += entry + "\r\n";
    platform::AtomicFile file(path);
    file.write(content.data(), content.size());
    file.commit();
}

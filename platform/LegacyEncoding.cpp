#include "platform/LegacyEncoding.h"

#include <mutex>

namespace platform {

namespace {

struct Known {
    LegacyEncoding encoding;
    std::string_view name;
    unsigned codePage;
};

constexpr Known KnownEncodings[LegacyEncodingCount] = {
    {LegacyEncoding::Iso8859_1, "ISO-8859-1", 28591},    {LegacyEncoding::Windows1250, "windows-1250", 1250},
    {LegacyEncoding::Windows1251, "windows-1251", 1251}, {LegacyEncoding::Windows1252, "windows-1252", 1252},
    {LegacyEncoding::Windows1253, "windows-1253", 1253}, {LegacyEncoding::Windows1254, "windows-1254", 1254},
    {LegacyEncoding::Windows1257, "windows-1257", 1257}, {LegacyEncoding::Iso8859_2, "ISO-8859-2", 28592},
    {LegacyEncoding::Koi8R, "KOI8-R", 20866},            {LegacyEncoding::Cp437, "CP437", 437},
    {LegacyEncoding::Cp850, "CP850", 850},               {LegacyEncoding::Cp852, "CP852", 852},
    {LegacyEncoding::Cp866, "CP866", 866},
};

const Known& known(LegacyEncoding encoding)
{
    return KnownEncodings[static_cast<int>(encoding)];
}

char upperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i]))
            return false;
    return true;
}

} // namespace

const std::array<LegacyEncoding, LegacyEncodingCount>& legacyEncodings()
{
    static const auto all = [] {
        std::array<LegacyEncoding, LegacyEncodingCount> list {};
        for (int i = 0; i < LegacyEncodingCount; ++i)
            list[i] = KnownEncodings[i].encoding;
        return list;
    }();
    return all;
}

std::string_view legacyEncodingName(LegacyEncoding encoding)
{
    return known(encoding).name;
}

bool legacyEncodingNamed(std::string_view name, LegacyEncoding& encoding)
{
    for (const Known& k : KnownEncodings) {
        if (sameIgnoringAsciiCase(name, k.name)) {
            encoding = k.encoding;
            return true;
        }
    }
    return false;
}

unsigned legacyCodePage(LegacyEncoding encoding)
{
    return known(encoding).codePage;
}

bool legacyEncodingOfCodePage(unsigned codePage, LegacyEncoding& encoding)
{
    for (const Known& k : KnownEncodings) {
        if (k.codePage == codePage) {
            encoding = k.encoding;
            return true;
        }
    }
    return false;
}

const LegacyCodePoints& legacyCodePoints(LegacyEncoding encoding)
{
    static std::once_flag made[LegacyEncodingCount];
    static LegacyCodePoints tables[LegacyEncodingCount];
    const int i = static_cast<int>(encoding);
    std::call_once(made[i], [i, encoding] { tables[i] = systemCodePoints(encoding); });
    return tables[i];
}

} // namespace platform

// The platform layer's texts and names: the legacy encodings' tables and names, their texts in
// the narrow encoding, and paths made absolute, normal and relative.
#include "platform/LegacyEncoding.h"
#include "platform/NarrowText.h"
#include "platform/Path.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>

namespace {

// glibc's iconv tables are what every side must give: here through iconv, on Windows through
// MultiByteToWideChar, whose own tables fill a few of the gaps with stand-ins. The checksum is
// FNV-1a over the code points of bytes 0x80-0xFF, each as four bytes, low byte first.
TEST(Platform, LegacyEncodingsDecodeAsIconvsTables)
{
    using platform::LegacyEncoding;
    struct Case {
        const char* name;
        std::uint32_t checksum;
        std::string undefined;
        unsigned char byte;
        char32_t codePoint;
    } cases[] = {
        {"ISO-8859-1", 0x31ca4fc5, "", 0xE9, 0xE9},
        {"windows-1250", 0xa31eb32e, "\x81\x83\x88\x90\x98", 0xC8, 0x010C},
        {"windows-1251", 0x0db56957, "\x98", 0xC0, 0x0410},
        {"windows-1252", 0x4c3dfb52, "\x81\x8D\x8F\x90\x9D", 0x80, 0x20AC},
        {"windows-1253", 0x74860844, "\x81\x88\x8A\x8C\x8D\x8E\x8F\x90\x98\x9A\x9C\x9D\x9E\x9F\xAA\xD2\xFF", 0xC1, 0x0391},
        {"windows-1254", 0x3e8c01a4, "\x81\x8D\x8E\x8F\x90\x9D\x9E", 0xF0, 0x011F},
        {"windows-1257", 0xc3a3b750, "\x81\x83\x88\x8A\x8C\x90\x98\x9A\x9C\x9F\xA1\xA5", 0xC0, 0x0104},
        {"ISO-8859-2", 0x8b2dc92a, "", 0xA9, 0x0160},
        {"KOI8-R", 0x61567b56, "", 0xC1, 0x0430},
        {"CP437", 0xafc18a19, "", 0x80, 0x00C7},
        {"CP850", 0xf2bc8425, "", 0xD5, 0x0131},
        {"CP852", 0xb2adcf92, "", 0xAC, 0x010C},
        {"CP866", 0x293d50e5, "", 0x80, 0x0410},
    };
    ASSERT_EQ(std::size(cases), static_cast<std::size_t>(platform::LegacyEncodingCount));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        LegacyEncoding encoding;
        ASSERT_TRUE(platform::legacyEncodingNamed(c.name, encoding)) << c.name;
        EXPECT_EQ(platform::legacyEncodings()[i], encoding) << c.name;
        EXPECT_EQ(platform::legacyEncodingName(encoding), c.name);
        LegacyEncoding byPage;
        ASSERT_TRUE(platform::legacyEncodingOfCodePage(platform::legacyCodePage(encoding), byPage)) << c.name;
        EXPECT_EQ(byPage, encoding) << c.name;

        const platform::LegacyCodePoints& table = platform::legacyCodePoints(encoding);
        std::uint32_t checksum = 0x811C9DC5;
        std::string undefined;
        for (int b = 0; b < 256; ++b) {
            if (b < 0x80)
                EXPECT_EQ(table[b], char32_t(b)) << c.name << " byte " << b;
            else
                for (int k = 0; k < 4; ++k)
                    checksum = (checksum ^ ((table[b] >> (8 * k)) & 0xFF)) * 0x01000193u;
            if (table[b] == 0xFFFD)
                undefined += static_cast<char>(b);
        }
        EXPECT_EQ(undefined, c.undefined) << c.name;
        EXPECT_EQ(table[c.byte], c.codePoint) << c.name;
        EXPECT_EQ(checksum, c.checksum) << c.name;
    }
}

TEST(Platform, LegacyEncodingNamesAreTheUsualSpellingsInAnyLetterCase)
{
    using platform::LegacyEncoding;
    LegacyEncoding encoding = LegacyEncoding::Iso8859_1;
    EXPECT_TRUE(platform::legacyEncodingNamed("WINDOWS-1250", encoding));
    EXPECT_EQ(encoding, LegacyEncoding::Windows1250);
    EXPECT_TRUE(platform::legacyEncodingNamed("koi8-r", encoding));
    EXPECT_EQ(encoding, LegacyEncoding::Koi8R);
    EXPECT_TRUE(platform::legacyEncodingNamed("iso-8859-1", encoding));
    EXPECT_EQ(encoding, LegacyEncoding::Iso8859_1);
    for (const char* other : {"cp1250", "latin1", "ISO8859-1", "windows-1250 ", "", "UTF-8", "windows-1255", "IBM437",
                              "W\xC4\xB0NDOWS-1250"})
        EXPECT_FALSE(platform::legacyEncodingNamed(other, encoding)) << other;
    EXPECT_FALSE(platform::legacyEncodingOfCodePage(65001, encoding));
}

#ifndef _WIN32 // the narrow encoding is UTF-8 here; tests/platform/win32_test.cpp has Windows' own
TEST(Platform, LegacyTextBecomesUtf8)
{
    using platform::LegacyEncoding;
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Windows1250, "\xC8iern\x61"), "\xC4\x8Ciern\x61");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Windows1251, "\xCC\xEE\xF1\xEA\xE2\xE0"),
              "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Iso8859_1, "caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Windows1252, "a\x81" "b\x80"), "a\xEF\xBF\xBD" "b\xE2\x82\xAC");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Cp437, std::string("\x00\x01\xDB", 3)),
              std::string("\x00\x01\xE2\x96\x88", 5));
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Koi8R, ""), "");
}
#endif

#ifndef _WIN32 // drive letters and UNC roots: tests/platform/win32_test.cpp
TEST(Platform, PathsMadeAbsoluteNormalAndRelativeByTheirNamesAlone)
{
    struct { const char* in; const char* normal; } normals[] = {
        {"/a/b/../c/./d//", "/a/c/d"}, {"/..", "/"}, {"/../a", "/a"}, {"/", "/"}, {"a/../..", ".."},
        {"a/./b", "a/b"}, {"", ""}, {"../../x", "../../x"}, {"/a/b/..", "/a"},
    };
    for (const auto& c : normals)
        EXPECT_EQ(platform::normalPath(c.in), c.normal) << c.in;
    EXPECT_EQ(platform::absolutePath("/x/../y"), "/y");
    EXPECT_EQ(platform::absolutePath("in/./a"), platform::currentDirectory() + "/in/a");
    EXPECT_EQ(platform::absolutePath(""), platform::normalPath(platform::currentDirectory()));

    struct { const char* folder; const char* path; const char* relative; } relatives[] = {
        {"/m", "/m/a/b.mp3", "a/b.mp3"},
        {"/m/out", "/m/a/b.mp3", "../a/b.mp3"},
        {"/m/x/y", "/m/a/b.mp3", "../../a/b.mp3"},
        {"/", "/a/b.mp3", "a/b.mp3"},
        {"/m/a", "/m", ".."},
        {"/m", "/m", ""},
        {"/music", "/mus/b.mp3", "../mus/b.mp3"}, // names, not bytes, are shared
        {"/M", "/m/b.mp3", "../m/b.mp3"},        // letter case counts here
    };
    for (const auto& c : relatives)
        EXPECT_EQ(platform::relativePath(c.folder, c.path), c.relative) << c.folder << " " << c.path;
}
#endif

} // namespace

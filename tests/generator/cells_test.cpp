#include "generator/CellFormat.h"
#include "generator/Contrast.h"
#include "generator/GeneratorSettings.h"
#include "generator/GenreText.h"
#include "generator/Html.h"
#include "generator/NamedColours.h"
#include "generator/TextEncoding.h"
#include "generator/Utf8.h"
#include "platform/Path.h"

#include <gtest/gtest.h>

namespace {

const platform::LocaleSeparators English{".", ",", ":"};
const platform::LocaleSeparators German{",", ".", ":"};

TEST(Cells, LengthShowsMinutesAndSecondsAndFromAnHourOnHours)
{
    struct { std::int64_t ms; const char* text; } cases[] = {
        {62000, "01:02"},     {185000, "03:05"},      {3599000, "59:59"},       {3599999, "59:59"},
        {59999, "00:59"},     {0, "00:00"},           {3600000, "1:00:00"},     {3723000, "1:02:03"},
        {36000000, "10:00:00"}, {360059000, "100:00:59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatLength(c.ms, English), c.text) << c.ms;
    const platform::LocaleSeparators finnish{",", "\u202F", "."};
    EXPECT_EQ(formatLength(62000, finnish), "01.02");
    EXPECT_EQ(formatLength(3723000, finnish), "1.02.03");
}

TEST(Cells, SizeHasTwoDecimalsRoundedHalfAwayFromZeroAndGroupedThousands)
{
    struct { std::uint64_t bytes; int unit; const char* text; } cases[] = {
        {1000000, 0, "1,000,000.00 B"},
        {1000000, 1, "976.56 kB"},
        {1000000, 2, "0.95 MB"},
        {128, 1, "0.13 kB"},         // 0.125 exactly: half goes up
        {5, 1, "0.00 kB"},           // 0.0048828125
        {1536, 1, "1.50 kB"},
        {1048576 + 5243, 2, "1.01 MB"}, // 1.00500011...
        {0, 0, "0.00 B"},
        {999, 0, "999.00 B"},
        {1023488, 1, "999.50 kB"},
        {3221225472ull, 0, "3,221,225,472.00 B"}, // 3 GiB: formatted like any other size
        {3221225472ull, 2, "3,072.00 MB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatSize(c.bytes, c.unit, English), c.text) << c.bytes << " unit " << c.unit;
    EXPECT_EQ(formatSize(1000000, 0, German), "1.000.000,00 B");
    EXPECT_EQ(formatSize(1536000, 0, platform::LocaleSeparators{",", "\u202F", ":"}),
              "1\u202F" "536\u202F" "000,00 B");
    EXPECT_EQ(formatSize(1000000, 3, English), "");
    EXPECT_EQ(formatSize(1000000, 255, English), "");
    // The window's progress counts group their thousands the same way.
    EXPECT_EQ(formatCount(544192, English), "544,192");
    EXPECT_EQ(formatCount(999, German), "999");
}

TEST(Cells, SampleRateInKilohertzWithoutTrailingZeros)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {44100, "44.1 kHz"}, {48000, "48 kHz"}, {11025, "11.025 kHz"}, {22050, "22.05 kHz"}, {8000, "8 kHz"}, {-1, ""}};
    for (const auto& [hertz, text] : cases) {
        std::string out;
        appendSampleRate(out, hertz);
        EXPECT_EQ(out, text);
    }
}

TEST(Cells, HtmlEscapingAndLinkTargets)
{
    EXPECT_EQ(htmlEscape("a & b <c> \"d\" 'e'"), "a &amp; b &lt;c&gt; &quot;d&quot; 'e'");
    std::string out;
    appendLinkTarget(out, "/music/Track #1 100% \"live\"?.mp3");
    EXPECT_EQ(out, "/music/Track %231 100%25 &quot;live&quot;%3F.mp3");
    out.clear();
    appendLinkTarget(out, "/plain/path/song.mp3");
    EXPECT_EQ(out, "/plain/path/song.mp3");
    // UTF-8 stays as it is; a path that is not UTF-8 has every byte from 0x80 encoded.
    out.clear();
    appendLinkTarget(out, "/\xC4\x8C/caf\xC3\xA9 #1.mp3");
    EXPECT_EQ(out, "/\xC4\x8C/caf\xC3\xA9 %231.mp3");
    out.clear();
    appendLinkTarget(out, "/\xC4\x8C/caf\xE9 #1&.mp3");
    EXPECT_EQ(out, "/%C4%8C/caf%E9 %231&amp;.mp3");
    // Browsers drop TAB, CR and LF from a link and read "\\" as "/": where the backslash is no
    // delimiter, it and every control byte are encoded; a space stays. On Windows it is the
    // delimiter, and names hold no control bytes.
    out.clear();
    const std::string odd = "/a\\b\tc\x01\x1F\x7F\r\n d~.mp3";
    appendLinkTarget(out, odd);
    EXPECT_EQ(out, platform::PathDelimiter == '/' ? "/a%5Cb%09c%01%1F%7F%0D%0A d~.mp3" : odd);
}

TEST(Cells, ScriptStringsHoldNothingThatEndsTheirScriptOrLiteral)
{
    struct { const char* name; std::string in; bool asField; std::string out; } cases[] = {
        {"tags", "</script><!-- <b>", false, "\\u003c/script>\\u003c!-- \\u003cb>"},
        {"quote and backslash", "a\"b\\c", false, "a\\\"b\\\\c"},
        {"control characters", std::string("\t\n\r\x1F\x7F", 5), false, "\\u0009\\u000a\\u000d\\u001f\\u007f"},
        {"line separators", "a\xE2\x80\xA8" "b\xE2\x80\xA9", false, "a\\u2028b\\u2029"},
        {"Latin-1 stays, the rest escaped", "caf\xC3\xA9 \xC4\x8Cierna", false, "caf\xC3\xA9 \\u010cierna"},
        {"beyond the BMP", "\xF0\x9F\x8E\xB5", false, "\\ud83c\\udfb5"},
        {"not UTF-8", "caf\xE9", false, "caf\xE9"},
        {"separators in a field", std::string("a\0b\x01" "c\x7F", 6), true, "a\\ufffdb\\ufffdc\\ufffd"},
        {"NUL elsewhere", std::string("a\0b", 3), false, "a\\u0000b"},
    };
    for (const auto& c : cases) {
        std::string out;
        appendScriptString(out, c.in, c.asField);
        EXPECT_EQ(out, c.out) << c.name;
    }
    // A script's link is the page's link without the HTML escaping.
    std::string path, attribute;
    appendLinkPath(path, "/a&b \"#1\".mp3");
    appendLinkTarget(attribute, "/a&b \"#1\".mp3");
    EXPECT_EQ(path, "/a&b \"%231\".mp3");
    EXPECT_EQ(attribute, "/a&amp;b &quot;%231&quot;.mp3");
}

TEST(Cells, TextColoursMoveTowardBlackOrWhiteUntilReadable)
{
    const std::uint32_t white = 0xFFFFFF, black = 0, yellow = rgbColour(255, 204, 0), blue = rgbColour(0, 0, 255);
    EXPECT_EQ(readableOn(blue, yellow), blue);   // 5.7:1 already
    EXPECT_EQ(readableOn(white, black), white);
    // White on the default cells (1.5:1) goes toward black, no further than it must.
    const std::uint32_t moved = readableOn(white, yellow);
    EXPECT_GE(contrastRatio(moved, yellow), 4.5);
    EXPECT_LT(contrastRatio(moved + 0x010101, yellow), 4.5);
    // Dark grey on black goes toward white; where one side cannot reach 4.5:1, the other does.
    EXPECT_GE(contrastRatio(readableOn(rgbColour(60, 60, 60), black), black), 4.5);
    const std::uint32_t grey = rgbColour(119, 119, 119);
    EXPECT_GE(contrastRatio(readableOn(rgbColour(130, 130, 130), grey), grey), 4.5);
}

TEST(Cells, Utf8Validity)
{
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("\xC5\xA1" "ko\xC4\xBE" "a \xF0\x9F\x8E\xB5"));
    EXPECT_FALSE(isValidUtf8("caf\xE9"));       // Latin-1
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));      // cut short
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF

    // Made well formed, one U+FFFD for each maximal ill-formed subsequence (Unicode's own
    // examples, then what a Latin-1 or a cut text gives).
    const std::string R = "\xEF\xBF\xBD";
    struct { std::string in, out; } cases[] = {
        {"\xC0\xAF\xE0\x80\xBF\xF0\x81\x82\x41", R + R + R + R + R + R + R + R + "A"},
        {"\xED\xA0\x80\x41", R + R + R + "A"},
        {"\xF4\x91\x92\x93\xFF\x41\x80\xBF\x42", R + R + R + R + R + "A" + R + R + "B"},
        {"\xE1\x80\xE2\xF0\x91\x92\xF1\xBF\x41", R + R + R + R + "A"},
        {"caf\xE9", "caf" + R},
        {"\xC4\x8C" "a\xE2\x82", "\xC4\x8C" "a" + R},
        {"\xF0\x9F\x8E\xB5", "\xF0\x9F\x8E\xB5"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string out = "x";
        appendWellFormedUtf8(out, c.in);
        EXPECT_EQ(out, "x" + c.out) << c.in;
    }
}

TEST(Cells, ColoursByHexOrName)
{
    std::uint32_t v = 0;
    ASSERT_TRUE(parseColour("#FFcc00", v));
    EXPECT_EQ(v, 0x0000CCFFu);
    ASSERT_TRUE(parseColour("sky-blue", v));
    EXPECT_EQ(v, 0x00F0CAA6u);
    ASSERT_TRUE(parseColour("Medium Gray", v));
    EXPECT_FALSE(parseColour("#12345", v));
    EXPECT_FALSE(parseColour("#GG0000", v));
    EXPECT_FALSE(parseColour("chartreuse", v));
}

} // namespace

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

TEST(TagText, EachEncodingReachesThePageAsUtf8)
{
    using platform::LegacyEncoding;
    struct {
        const char* name;
        std::string in;
        int encoding;
        std::string out;
        LegacyEncoding legacy = LegacyEncoding::Iso8859_1;
    } cases[] = {
        {"ascii unchanged", "Hello", tagLatin1, "Hello"},
        {"cut at the first zero", std::string("AB\0CD", 5), tagLatin1, "AB"},
        {"latin-1 converted", "Caf\xE9", tagLatin1, "Caf\xC3\xA9"},
        {"single-byte text already utf-8 kept", "\xC4\x8C" "ierna", tagLatin1, "\xC4\x8C" "ierna"},
        {"unknown encoding byte read as single-byte", "Caf\xE9", 7, "Caf\xC3\xA9"},
        {"utf-16 little-endian with mark", bytes({0xFF, 0xFE, 0x0C, 0x01, 'a', 0}), tagUtf16, "\xC4\x8C" "a"},
        {"utf-16 big-endian with mark", bytes({0xFE, 0xFF, 0x01, 0x0C, 0, 'a'}), tagUtf16, "\xC4\x8C" "a"},
        {"utf-16 without mark is little-endian", bytes({'h', 0, 'i', 0}), tagUtf16, "hi"},
        {"utf-16 ends at a zero unit", bytes({0xFF, 0xFE, 'a', 0, 0, 0, 'b', 0}), tagUtf16, "a"},
        {"utf-16 odd last byte dropped", bytes({0xFF, 0xFE, 'a', 0, 'b'}), tagUtf16, "a"},
        {"utf-16 ASCII, then beyond", bytes({0xFF, 0xFE, 'a', 0, 0x80, 0, 0x00, 0x01}), tagUtf16, "a\xC2\x80\xC4\x80"},
        {"utf-16be ASCII, then beyond", bytes({0, 'a', 0x01, 0x00, 0, 0x7F}), tagUtf16BE, "a\xC4\x80\x7F"},
        {"utf-16 surrogate pair", bytes({0xFF, 0xFE, 0x3C, 0xD8, 0xB5, 0xDF}), tagUtf16, "\xF0\x9F\x8E\xB5"},
        {"utf-16 unpaired surrogate", bytes({0xFF, 0xFE, 0x3C, 0xD8, 'x', 0}), tagUtf16, "\xEF\xBF\xBDx"},
        {"utf-16 lone low surrogate", bytes({0xFF, 0xFE, 0xB5, 0xDF}), tagUtf16, "\xEF\xBF\xBD"},
        {"utf-16be", bytes({0x01, 0x0C, 0, 'a'}), tagUtf16BE, "\xC4\x8C" "a"},
        // A leading mark decides the byte order for either encoding and is no text; a later one is.
        {"utf-16be with little-endian mark", bytes({0xFF, 0xFE, 0x0C, 0x01, 'a', 0}), tagUtf16BE, "\xC4\x8C" "a"},
        {"utf-16be with its own mark", bytes({0xFE, 0xFF, 0x01, 0x0C}), tagUtf16BE, "\xC4\x8C"},
        {"utf-16 mark alone is empty", bytes({0xFE, 0xFF}), tagUtf16, ""},
        {"utf-16 later mark is text", bytes({0xFF, 0xFE, 'a', 0, 0xFF, 0xFE, 'b', 0}), tagUtf16, "a\xEF\xBB\xBF" "b"},
        {"utf-16be later mark is text", bytes({0, 'a', 0xFE, 0xFF, 0, 'b'}), tagUtf16BE, "a\xEF\xBB\xBF" "b"},
        {"utf-8 kept and cut at zero", std::string("\xC5\xA1" "a\0x", 5), tagUtf8, "\xC5\xA1" "a"},
        {"empty", "", tagUtf16, ""},
        // The legacy encoding reads what would be ISO-8859-1, and only that.
        {"windows-1250", "\xC8iern\x61", tagLatin1, "\xC4\x8Ciern\x61", LegacyEncoding::Windows1250},
        {"windows-1251", "\xC1\xE0\xF5", tagLatin1, "\xD0\x91\xD0\xB0\xD1\x85", LegacyEncoding::Windows1251},
        {"legacy leaves utf-8 alone", "\xC3\xA9t\xC3\xA9", tagLatin1, "\xC3\xA9t\xC3\xA9", LegacyEncoding::Windows1250},
        {"legacy for an unknown encoding byte", "\xC8", 9, "\xC4\x8C", LegacyEncoding::Windows1250},
        {"legacy not for utf-16", bytes({0xFF, 0xFE, 0xC8, 0}), tagUtf16, "\xC3\x88", LegacyEncoding::Windows1250},
        {"undefined byte replaced", "a\x98z", tagLatin1, "a\xEF\xBF\xBDz", LegacyEncoding::Windows1251},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tagTextToPage(c.in, c.encoding, c.legacy), c.out) << c.name;
    // Names are judged the same way but never cut.
    const auto latin1 = LegacyEncoding::Iso8859_1;
    EXPECT_EQ(nameToPage(std::string("a\0\xE9", 3), latin1), std::string("a\0\xC3\xA9", 4));
    EXPECT_EQ(nameToPage("\xC4\x8Cierna", latin1), "\xC4\x8Cierna");
}

TEST(TagText, PathsAreJudgedNameByName)
{
    using platform::LegacyEncoding;
    const std::string d(1, platform::PathDelimiter);
    struct {
        const char* name;
        std::string in;
        std::string out;
        LegacyEncoding legacy = LegacyEncoding::Iso8859_1;
    } cases[] = {
        {"utf-8 throughout", d + "M\xC3\xBAsica" + d + "d\xC3\xA9j\xC3\xA0", d + "M\xC3\xBAsica" + d + "d\xC3\xA9j\xC3\xA0"},
        // One Latin-1 folder leaves the UTF-8 names around it as they are.
        {"one latin-1 name among utf-8", "\xC9" "coute" + d + "d\xC3\xA9j\xC3\xA0 vu", "\xC3\x89" "coute" + d + "d\xC3\xA9j\xC3\xA0 vu"},
        {"each name in the legacy encoding", d + "\xC8" + d + "\xC3\xA9" + d + "\xE8.mp3" + d,
         d + "\xC4\x8C" + d + "\xC3\xA9" + d + "\xC4\x8D.mp3" + d, LegacyEncoding::Windows1250},
        {"empty names between delimiters", d + d + "\xE9" + d + d, d + d + "\xC3\xA9" + d + d},
        {"no delimiter", "\xE9", "\xC3\xA9"},
        {"empty", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pathToPage(c.in, c.legacy), c.out) << c.name;
    // A caption is a text: judged as a whole, the UTF-8 beside a Latin-1 byte goes as Latin-1.
    EXPECT_EQ(nameToPage("\xC9" "coute/d\xC3\xA9", LegacyEncoding::Iso8859_1), "\xC3\x89" "coute/d\xC3\x83\xC2\xA9");
}

TEST(TagText, GenreValuesNameTheirGenres)
{
    using namespace std::string_literals;
    struct { const char* name; std::string in; int encoding; std::string out; } cases[] = {
        {"a number", "017", tagLatin1, "Rock"},
        {"a number past the list", "192", tagLatin1, ""},
        {"references", "(17)(RX)(CR)", tagLatin1, "Rock; Remix; Cover"},
        {"a reference naming nothing", "(255)(9)", tagLatin1, "Metal"},
        {"text behind references", "(17)Rock & Roll", tagLatin1, "Rock & Roll"},
        {"a doubled parenthesis", "((text", tagLatin1, "(text"},
        {"after a reference", "(17)((live)", tagLatin1, "(live)"},
        {"values as they stand", "RX\0(Rock)\0( 17 )\0(12\0()"s, tagLatin1, "RX; (Rock); ( 17 ); (12; ()"},
        {"values naming nothing and empty ones", "255\0\0(200)\0Jazz\0"s, tagLatin1, "Jazz"},
        {"the standard list's spelling", "140", tagLatin1, "Contemporary Christian"},
        {"Latin-1 text", "Chanson fran\xE7" "aise", tagLatin1, "Chanson fran\xC3\xA7" "aise"},
        {"utf-16, each value with its own mark", "\xFF\xFE" "1\0" "7\0\0\0\xFE\xFF\0J\0a\0z\0z"s, tagUtf16, "Rock; Jazz"},
        {"utf-16 zeros at an odd offset", "A\0\0\x01\0\0" "8\0"s, tagUtf16, "A\xC4\x80; Jazz"},
        {"utf-8", "(8)\0\xC4\x8C" "ard\xC3\xA1\xC5\xA1"s, tagUtf8, "Jazz; \xC4\x8C" "ard\xC3\xA1\xC5\xA1"},
    };
    for (const auto& c : cases) {
        std::string out;
        genreValuesToPage(c.in, c.encoding, platform::LegacyEncoding::Iso8859_1, out);
        EXPECT_EQ(out, c.out) << c.name;
    }
}

} // namespace

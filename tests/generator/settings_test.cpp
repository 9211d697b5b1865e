#include "generator/GeneratorSettings.h"
#include "generator/PageOptions.h"
#include "platform/Errors.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string bytesOf(const TGeneratorSettings& s)
{
    return std::string(reinterpret_cast<const char*>(&s), sizeof s);
}

TEST(SettingsRecord, RoundTripKeepsEveryByteIncludingPaddingAndTextTails)
{
    TempDir tmp;
    std::string original(SettingsRecordSize, '\0');
    for (std::size_t i = 0; i < original.size(); ++i)
        original[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    const std::string path = tmp.write("a.settings", original);

    TGeneratorSettings s = readSettingsFile(path);
    EXPECT_EQ(bytesOf(s), original);
    writeSettingsFile(tmp.path("b.settings"), s);
    EXPECT_EQ(readFile(tmp.path("b.settings")), original);
}

TEST(SettingsRecord, FieldsLieAtTheirFileOffsets)
{
    TGeneratorSettings s = emptySettings();
    s.InputDir = "in";
    s.OutputFile = "out";
    s.IncludeSubdirs = true;
    s.FileSizeUnit = fsMegaBytes;
    s.SelectedItems[6] = ciFileName;
    s.SelectedNames[1] = "Title";
    s.ActiveLinkColor.set(rgbColour(1, 2, 3));
    s.PageTextColor.set(rgbColour(4, 5, 6));
    s.PageCaption = "cap";
    const std::string b = bytesOf(s);
    EXPECT_EQ(b.substr(0, 3), std::string("\x02in", 3));
    EXPECT_EQ(b.substr(256, 4), std::string("\x03out", 4));
    EXPECT_EQ(b[512], 1);
    EXPECT_EQ(b[513], 2);
    EXPECT_EQ(b[527], 7);
    EXPECT_EQ(b.substr(528 + 26, 6), std::string("\x05Title", 6));
    EXPECT_EQ(b.substr(712, 4), std::string("\x01\x02\x03\x00", 4));
    EXPECT_EQ(b.substr(736, 4), std::string("\x04\x05\x06\x00", 4));
    EXPECT_EQ(b.substr(740, 4), std::string("\x03" "cap", 4));
}

TEST(SettingsRecord, ShortStringsAreCutAndLeaveTheBytesAfterTheirText)
{
    TGeneratorSettings s = emptySettings();
    std::memset(s.SelectedNames[0].chars, 'x', sizeof s.SelectedNames[0].chars);
    s.SelectedNames[0] = "Artist";
    EXPECT_EQ(s.SelectedNames[0].str(), "Artist");
    EXPECT_EQ(s.SelectedNames[0].chars[6], 'x');

    s.SelectedNames[1] = std::string(30, 'n');
    EXPECT_EQ(s.SelectedNames[1].str(), std::string(25, 'n'));
    s.PageCaption = std::string(300, 'c');
    EXPECT_EQ(s.PageCaption.str().size(), 255u);

    // 24 ASCII letters and then a two-byte letter: the letter does not fit and is left out whole.
    s.SelectedNames[2] = std::string(24, 'a') + "\xC3\xA1" "b";
    EXPECT_EQ(s.SelectedNames[2].str(), std::string(24, 'a'));
    // Bytes that are not UTF-8 are cut where the limit says.
    s.SelectedNames[3] = std::string(24, 'a') + "\xE1\xE9";
    EXPECT_EQ(s.SelectedNames[3].str(), std::string(24, 'a') + "\xE1");

    // A length byte beyond the field (an edited file) reads as the whole field.
    s.SelectedNames[4].length = 200;
    EXPECT_EQ(s.SelectedNames[4].str().size(), 25u);
}

TEST(SettingsRecord, FlagsReadAnyNonZeroByteAsSetAndWriteOne)
{
    TGeneratorSettings s = emptySettings();
    s.Wrap.value = 0x80;
    EXPECT_TRUE(s.Wrap);
    s.Wrap = true;
    EXPECT_EQ(s.Wrap.value, 1);
    s.Wrap = false;
    EXPECT_EQ(s.Wrap.value, 0);
}

TEST(SettingsRecord, InitialFormRecordMatchesTheWindowsStartingState)
{
    TGeneratorSettings s = initialFormSettings();
    EXPECT_EQ(s.FileSizeUnit, fsKiloBytes);
    EXPECT_EQ(s.FileNameMode, fnNameOnly);
    EXPECT_EQ(s.AfterGenerate, agShowPage);
    EXPECT_EQ(s.TagPriority, tpID3v2First);
    EXPECT_FALSE(s.IncludeSubdirs || s.DirOverTable || s.AllDirsInOneTable || s.Wrap);
    EXPECT_EQ(s.ActiveLinks, 0);
    const char* names[] = {"Artist", "Title", "Album", "Year", "Length", "File size", "File name"};
    for (int i = 0; i < ColumnSlots; ++i) {
        EXPECT_EQ(s.SelectedItems[i], i + 1);
        EXPECT_EQ(s.SelectedNames[i].str(), names[i]);
    }
    EXPECT_EQ(s.CellBackColor.get(), 0x0000CCFFu);
    EXPECT_EQ(s.HeaderBackColor.get(), 0x000099FFu);
    EXPECT_EQ(s.ActiveLinkColor.get(), 0x00FF0000u);
    EXPECT_EQ(s.PageTextColor.get(), 0x00FFFFFFu);
    EXPECT_EQ(s.DirNameColor.get(), 0x000000FFu);
    EXPECT_EQ(s.Padding[0] | s.Padding[1], 0);
}

TEST(SettingsFile, ShortFileIsReadBeyondEndAndLongFileGivesItsFirstRecord)
{
    TempDir tmp;
    const std::string shortFile = tmp.write("short.settings", std::string(995, 'a'));
    try {
        readSettingsFile(shortFile);
        FAIL() << "a short file must not load";
    } catch (const platform::InOutError& e) {
        EXPECT_EQ(e.what(), shortFile + ": Read beyond end of file");
    }

    std::string longer(1000, '\0');
    longer[0] = 3;
    longer[1] = 'a';
    longer[995] = 'z';
    TGeneratorSettings s = readSettingsFile(tmp.write("long.settings", longer));
    EXPECT_EQ(bytesOf(s), longer.substr(0, 996));
    writeSettingsFile(tmp.path("long.settings"), s);
    EXPECT_EQ(readFile(tmp.path("long.settings")).size(), 996u);

    EXPECT_THROW(readSettingsFile(tmp.path("missing.settings")), platform::InOutError);
}

TEST(OptionsFile, LiesBesideTheSettingsFile)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/a/tunesheet.settings", "/a/tunesheet.options"}, {"/a/b.c/tunesheet", "/a/b.c/tunesheet.options"},
        {"/a/.settings", "/a/.settings.options"},         {"x.tar.settings", "x.tar.options"},
        {"/a/b.", "/a/b.options"},
    };
    for (const auto& [settings, options] : cases)
        EXPECT_EQ(optionsFileOf(settings), options) << settings;
}

TEST(OptionsFile, ReadsKeysAsTheyAreWrittenByHandAndReportsWhatItCannotUse)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::uint8_t> columns;
        int badLine; // 0: none
    };
    const Case cases[] = {
        {"plain", "columns=artist,track\r\n", {ciArtist, ciTrack}, 0},
        {"mark, LF, blanks, empty items, a name twice", "\xEF\xBB\xBF columns \t=  vbr, ,genre ,vbr,\n",
         {ciBitRateMode, ciGenre, ciBitRateMode}, 0},
        {"the last line of a key counts", "columns=title\ncolumns=year\n", {ciYear}, 0},
        {"comments, unknown keys and lines without =", "#columns=title\npage=library\ncolumns\n", {}, 0},
        {"an unknown name", "columns=title\ncolumns=title,colour\n", {}, 2},
        {"no name", "columns= , \n", {}, 1},
        {"names keep their letter case", "columns=Artist", {}, 1},
        {"no last line end", "columns=size", {ciFileSize}, 0},
        {"nothing", "", {}, 0},
    };
    for (const Case& c : cases) {
        std::vector<BadOption> bad;
        const PageOptions options = parseOptions(c.text, bad);
        EXPECT_EQ(options.columns, c.columns) << c.name;
        ASSERT_EQ(bad.size(), c.badLine ? 1u : 0u) << c.name;
        if (c.badLine) {
            EXPECT_EQ(bad[0].line, c.badLine) << c.name;
        }
    }
    // The legacy encoding by one of its names in any letter case; another spelling is reported.
    using platform::LegacyEncoding;
    std::vector<BadOption> bad;
    EXPECT_EQ(parseOptions("legacy-encoding = Windows-1250\r\n", bad).legacyEncoding, LegacyEncoding::Windows1250);
    EXPECT_EQ(parseOptions("legacy-encoding=koi8-r\nlegacy-encoding=CP437", bad).legacyEncoding, LegacyEncoding::Cp437);
    EXPECT_TRUE(bad.empty());
    EXPECT_EQ(parseOptions("legacy-encoding=windows-1250\nlegacy-encoding=cp1250\n", bad).legacyEncoding,
              LegacyEncoding::Iso8859_1);
    ASSERT_EQ(bad.size(), 1u);
    EXPECT_EQ(bad[0].line, 2);
    EXPECT_EQ(bad[0].key, "legacy-encoding");
    PageOptions options;
    EXPECT_EQ(optionsText(options), "");
    options.legacyEncoding = LegacyEncoding::Koi8R;
    EXPECT_EQ(optionsText(options), "legacy-encoding=KOI8-R\r\n");
}

TEST(OptionsFile, WritingKeepsWhatItDoesNotKnow)
{
    TempDir tmp;
    const std::string path = tmp.path("a.options");
    std::vector<BadOption> bad;
    EXPECT_TRUE(readOptionsFile(path, bad).columns.empty()) << "no file: the defaults";

    PageOptions options = parseOptions("# mine\npage=library\ncolumns=title\n\ncolumns=year\nlater=1", bad);
    options.columns = {ciTrack, ciArtist};
    writeOptionsFile(path, options);
    EXPECT_EQ(readFile(path), "# mine\r\npage=library\r\ncolumns=track,artist\r\n\r\nlater=1\r\n");
    EXPECT_EQ(readOptionsFile(path, bad).columns, options.columns);

    options.columns.clear();
    EXPECT_EQ(optionsText(options), "# mine\r\npage=library\r\n\r\nlater=1\r\n");
    EXPECT_EQ(optionsText(PageOptions{{ciGenre}, PageKind::Plain, platform::LegacyEncoding::Iso8859_1, {}}), "columns=genre\r\n");
    // A first line that starts with a byte-order mark keeps it through a write and a read.
    options = parseOptions("\xEF\xBB\xBF\xEF\xBB\xBFmark", bad);
    EXPECT_EQ(parseOptions(optionsText(options), bad).lines, std::vector<std::string>{"\xEF\xBB\xBFmark"});
    EXPECT_TRUE(bad.empty());
}

} // namespace

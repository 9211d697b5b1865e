#include "cli/CliOptions.h"
#include "cli/ProgressLine.h"
#include "platform/Errors.h"
#include "platform/Path.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

#ifdef _WIN32
const std::string WorkDir = "C:\\work dir";
const std::string AbsoluteDir = "C:\\abs\\music\\";
#else
const std::string WorkDir = "/work dir";
const std::string AbsoluteDir = "/abs/music/";
#endif

CliCommand parse(std::vector<std::string> args)
{
    return parseCommandLine(args, WorkDir);
}

std::string usageMessage(std::vector<std::string> args)
{
    try {
        parse(args);
    } catch (const CliUsageError& e) {
        return e.message;
    }
    return "(accepted)";
}

TEST(CliOptions, DefaultsAreTheWindowsInitialRecordAndPositionalsSetThePaths)
{
    CliCommand c = parse({"music", "out.htm"});
    EXPECT_EQ(c.action, CliCommand::Action::Generate);
    EXPECT_EQ(c.settings.InputDir.str(), WorkDir + platform::PathDelimiter + "music");
    EXPECT_EQ(c.settings.OutputFile.str(), "out.htm");
    EXPECT_EQ(c.settings.FileSizeUnit, fsKiloBytes);
    EXPECT_EQ(c.settings.SelectedItems[6], ciFileName);
    EXPECT_EQ(parse({AbsoluteDir}).settings.InputDir.str(), AbsoluteDir);
}

TEST(CliOptions, EveryPageFieldHasAnOption)
{
    CliCommand c = parse({"-r", "--one-table", "--dir-captions", "--wrap", "--size-unit", "MB", "--full-path",
                          "--links", "artist,filename", "--tag-priority=v2", "--columns", "title, track,artist,size",
                          "--title", "My <list>", "--color", "page-background=#102030", "--color",
                          "link-hover=sky-blue"});
    const TGeneratorSettings& s = c.settings;
    EXPECT_TRUE(s.IncludeSubdirs && s.AllDirsInOneTable && s.DirOverTable && s.Wrap);
    EXPECT_EQ(s.FileSizeUnit, fsMegaBytes);
    EXPECT_EQ(s.FileNameMode, fnFullPath);
    EXPECT_EQ(s.ActiveLinks, alArtist | alFileName);
    EXPECT_EQ(s.TagPriority, tpID3v2First);
    EXPECT_EQ(s.SelectedItems[0], ciTitle);
    EXPECT_EQ(s.SelectedItems[1], ciArtist);
    EXPECT_EQ(s.SelectedItems[2], ciFileSize);
    EXPECT_EQ(s.SelectedItems[3], ciNone);
    EXPECT_EQ(s.SelectedNames[2].str(), "File size");
    EXPECT_EQ(s.SelectedNames[3].str(), "");
    EXPECT_EQ(c.options.columns, (std::vector<std::uint8_t>{ciTitle, ciTrack, ciArtist, ciFileSize}));
    EXPECT_EQ(s.PageCaption.str(), "My <list>");
    EXPECT_EQ(s.PageBackColor.get(), 0x00302010u);
    EXPECT_EQ(s.HoverLinkColor.get(), 0x00F0CAA6u);
    EXPECT_EQ(parse({"--links", ""}).settings.ActiveLinks, 0);
    EXPECT_EQ(c.options.page, PageKind::Plain);
    EXPECT_EQ(parse({"--page", "library"}).options.page, PageKind::Library);
    EXPECT_EQ(c.options.legacyEncoding, platform::LegacyEncoding::Iso8859_1);
    EXPECT_EQ(parse({"--legacy-encoding", "Windows-1251"}).options.legacyEncoding, platform::LegacyEncoding::Windows1251);
}

TEST(CliOptions, SettingsFileIsLoadedFirstAndNoFormsOverrideIt)
{
    TempDir tmp;
    TGeneratorSettings saved = initialFormSettings();
    saved.IncludeSubdirs = true;
    saved.Wrap = true;
    saved.FileNameMode = fnFullPath;
    saved.PageCaption = "saved";
    writeSettingsFile(tmp.path("s.settings"), saved);
    CliCommand c = parse({"--no-wrap", "--no-full-path", "--settings", tmp.path("s.settings")});
    EXPECT_TRUE(c.settings.IncludeSubdirs);
    EXPECT_FALSE(c.settings.Wrap);
    EXPECT_EQ(c.settings.FileNameMode, fnNameOnly);
    EXPECT_EQ(c.settings.PageCaption.str(), "saved");

    EXPECT_THROW(parse({"--settings", tmp.write("short", "abc")}), platform::InOutError);

    // The options file beside it comes with it; a value it cannot use is a warning.
    tmp.write("s.options", "columns=genre, artist\r\n");
    c = parse({"--settings", tmp.path("s.settings")});
    EXPECT_EQ(c.options.columns, (std::vector<std::uint8_t>{ciGenre, ciArtist}));
    EXPECT_TRUE(c.warnings.empty());
    EXPECT_EQ(parse({"--columns", "year", "--settings", tmp.path("s.settings")}).options.columns,
              std::vector<std::uint8_t>{ciYear});
    // An option given wins over the file's, wherever it stands.
    tmp.write("s.options", "legacy-encoding=KOI8-R\r\n");
    EXPECT_EQ(parse({"--settings", tmp.path("s.settings")}).options.legacyEncoding, platform::LegacyEncoding::Koi8R);
    EXPECT_EQ(parse({"--legacy-encoding", "cp866", "--settings", tmp.path("s.settings")}).options.legacyEncoding,
              platform::LegacyEncoding::Cp866);
    tmp.write("s.options", "page=library\ncolumns=genre,colour\n");
    c = parse({"--settings", tmp.path("s.settings")});
    EXPECT_TRUE(c.options.columns.empty());
    ASSERT_EQ(c.warnings.size(), 1u);
    EXPECT_EQ(c.warnings[0],
              "warning: " + tmp.path("s.options") + ", line 2: cannot use columns=genre,colour; the default is used");
}

TEST(CliOptions, MalformedCommandLinesAreUsageErrors)
{
    EXPECT_NE(usageMessage({"--size-unit", "GB"}).find("B, kB or MB"), std::string::npos);
    EXPECT_NE(usageMessage({"--columns", "artist,colour"}).find("unknown column 'colour'"), std::string::npos);
    EXPECT_NE(usageMessage({"--columns", "artist,artist"}).find("twice"), std::string::npos);
    EXPECT_NE(usageMessage({"--columns", "vbr,genre,vbr"}).find("column 'vbr' given twice"), std::string::npos);
    EXPECT_NE(usageMessage({"--links", "album"}).find("unknown link column 'album'"), std::string::npos);
    EXPECT_NE(usageMessage({"--links", "title,tiitle"}).find("unknown link column 'tiitle'"), std::string::npos);
    EXPECT_NE(usageMessage({"--color", "page=#000000"}).find("unknown colour"), std::string::npos);
    EXPECT_NE(usageMessage({"--color", "link=#00"}).find("not a colour"), std::string::npos);
    EXPECT_NE(usageMessage({"--color", "link"}).find("NAME=VALUE"), std::string::npos);
    EXPECT_NE(usageMessage({"--tag-priority"}).find("needs a value"), std::string::npos);
    EXPECT_NE(usageMessage({"--page", "fancy"}).find("--page takes plain or library"), std::string::npos);
    EXPECT_NE(usageMessage({"--legacy-encoding", "cp1250"}).find("unknown legacy encoding 'cp1250' (encodings: "
                                                                  "ISO-8859-1, windows-1250,"),
              std::string::npos);
    EXPECT_NE(usageMessage({"--legacy-encoding", "latin1"}).find("unknown legacy encoding"), std::string::npos);
    EXPECT_NE(usageMessage({"--wrap=yes"}).find("takes no value"), std::string::npos);
    EXPECT_NE(usageMessage({"--frobnicate"}).find("unknown option"), std::string::npos);
    EXPECT_NE(usageMessage({"--no-title"}).find("unknown option"), std::string::npos);
    EXPECT_NE(usageMessage({"-x"}).find("unknown option"), std::string::npos);
    EXPECT_NE(usageMessage({"a", "b", "c"}).find("too many"), std::string::npos);
    EXPECT_EQ(usageMessage({"--", "--odd-dir-name"}), "(accepted)");
}

// The settings record holds 255 bytes of a path: a longer one is refused, not cut to another.
TEST(CliOptions, PathsTheRecordCannotHoldAreUsageErrors)
{
    const std::string d(1, platform::PathDelimiter);
    const std::string fits = AbsoluteDir + std::string(255 - AbsoluteDir.size(), 'm');
    EXPECT_EQ(parse({fits, "out.htm"}).settings.InputDir.str(), fits);
    EXPECT_EQ(usageMessage({fits + "m", "out.htm"}),
              "the input directory is longer than the 255 bytes a settings record holds: " + fits + "m");
    // A relative directory counts with the working directory before it.
    const std::string relative(255 - WorkDir.size(), 'm');
    EXPECT_NE(usageMessage({relative, "out.htm"}).find("input directory is longer than the 255 bytes"), std::string::npos);
    EXPECT_EQ(parse({relative.substr(1), "out.htm"}).settings.InputDir.str(), WorkDir + d + relative.substr(1));
    EXPECT_EQ(parse({"in", std::string(255, 'o')}).settings.OutputFile.str(), std::string(255, 'o'));
    EXPECT_NE(usageMessage({"in", std::string(256, 'o')}).find("output file name is longer than the 255 bytes"),
              std::string::npos);
    EXPECT_EQ(usageMessage({"", "out.htm"}), "the input directory is empty");
    EXPECT_EQ(usageMessage({"in", ""}), "the output file name is empty");
}

// The help comes from the table the parser reads, defaults from the window's initial record.
TEST(CliOptions, HelpNamesEveryOptionAndTheInitialRecordsChoices)
{
    const std::string help = helpText();
    // An option too long for its column has its text on the next line; every field of an export
    // is named.
    for (const char* shown : {"  -r, --subdirs ", "      --tag-priority v1|v2 ", "  -q, --quiet ", "      --version ",
                              "      --legacy-encoding NAME\n                            what tag texts",
                              "\n  album_artist    ", "\n  link            the file's path"})
        EXPECT_NE(help.find(shown), std::string::npos) << shown;
    const TGeneratorSettings initial = initialFormSettings();
    const std::string priority = initial.TagPriority == tpID3v1First ? "v1" : "v2";
    EXPECT_NE(help.find("(the\n                            other fills empty fields) (default: " + priority + ")"),
              std::string::npos)
        << help;
    for (std::size_t start = 0, end; start < help.size(); start = end + 1) {
        end = help.find('\n', start);
        EXPECT_LE(end - start, 79u) << help.substr(start, end - start);
    }
}

TEST(ProgressLine, DrawsAtMostTenTimesASecondAndClearsItsLine)
{
    using namespace std::chrono_literals;
    std::ostringstream out;
    const ProgressLine::Clock::time_point t0{};
    {
        ProgressLine line(out, true);
        line.show({3, "/music/"}, t0 + 1s);
        line.show({4, "/music/"}, t0 + 1s + 99ms);
        line.show({5, "/music/Rock/"}, t0 + 1s + 100ms);
    }
    EXPECT_EQ(out.str(), "\r\033[K3 files listed  /music/\r\033[K5 files listed  /music/Rock/\r\033[K");

    std::ostringstream quiet;
    {
        ProgressLine line(quiet, false);
        line.show({1, "/music/"}, t0);
        line.finish();
    }
    EXPECT_EQ(quiet.str(), "");
}

TEST(ProgressLine, ALongFolderKeepsItsEndWholeCharactersOnly)
{
    const std::string fifty = "/" + std::string(48, 'x') + "/";
    EXPECT_EQ(ProgressLine::text({7, fifty}), "7 files listed  " + fifty);
    EXPECT_EQ(ProgressLine::text({7, "/a" + fifty}), "7 files listed  ..." + fifty.substr(3));
    // 60 characters of two bytes each: the last 47 of them, not 47 bytes.
    std::string slovak;
    for (int i = 0; i < 60; ++i)
        slovak += "\xC5\xA1";
    std::string last47;
    for (int i = 0; i < 47; ++i)
        last47 += "\xC5\xA1";
    EXPECT_EQ(ProgressLine::text({0, slovak}), "0 files listed  ..." + last47);
}

} // namespace

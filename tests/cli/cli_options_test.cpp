#include "cli/CliOptions.h"
#include "platform/Errors.h"
#include "platform/Path.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

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
                          "--links", "artist,filename", "--tag-priority=v2", "--columns", "title, artist,size",
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
    EXPECT_EQ(s.PageCaption.str(), "My <list>");
    EXPECT_EQ(s.PageBackColor.get(), 0x00302010u);
    EXPECT_EQ(s.HoverLinkColor.get(), 0x00F0CAA6u);
    EXPECT_EQ(parse({"--links", ""}).settings.ActiveLinks, 0);
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
}

TEST(CliOptions, MalformedCommandLinesAreUsageErrors)
{
    EXPECT_NE(usageMessage({"--size-unit", "GB"}).find("B, kB or MB"), std::string::npos);
    EXPECT_NE(usageMessage({"--columns", "artist,colour"}).find("unknown column 'colour'"), std::string::npos);
    EXPECT_NE(usageMessage({"--columns", "artist,artist"}).find("twice"), std::string::npos);
    EXPECT_NE(usageMessage({"--links", "album"}).find("unknown link column"), std::string::npos);
    EXPECT_NE(usageMessage({"--color", "page=#000000"}).find("unknown colour"), std::string::npos);
    EXPECT_NE(usageMessage({"--color", "link=#00"}).find("not a colour"), std::string::npos);
    EXPECT_NE(usageMessage({"--color", "link"}).find("NAME=VALUE"), std::string::npos);
    EXPECT_NE(usageMessage({"--tag-priority"}).find("needs a value"), std::string::npos);
    EXPECT_NE(usageMessage({"--wrap=yes"}).find("takes no value"), std::string::npos);
    EXPECT_NE(usageMessage({"--frobnicate"}).find("unknown option"), std::string::npos);
    EXPECT_NE(usageMessage({"--no-title"}).find("unknown option"), std::string::npos);
    EXPECT_NE(usageMessage({"-x"}).find("unknown option"), std::string::npos);
    EXPECT_NE(usageMessage({"a", "b", "c"}).find("too many"), std::string::npos);
    EXPECT_EQ(usageMessage({"--", "--odd-dir-name"}), "(accepted)");
}

} // namespace

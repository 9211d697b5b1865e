// The form of an export's lines: which output files are exports, how each kind of field is
// written in CSV and in JSON Lines, and the folder and link fields of a file.
#include "generator/ExportFormat.h"
#include "generator/ExportRow.h"
#include "platform/Path.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Exports, KindsByTheOutputFilesEnd)
{
    struct { const char* name; ExportKind kind; } cases[] = {
        {"list.csv", ExportKind::Csv},        {"LIST.CSV", ExportKind::Csv},     {"a.Csv", ExportKind::Csv},
        {"list.jsonl", ExportKind::JsonLines}, {"x.JSONL", ExportKind::JsonLines}, {".csv", ExportKind::Csv},
        {"list.json", ExportKind::None},      {"list.csv.htm", ExportKind::None}, {"listcsv", ExportKind::None},
        {"list.html", ExportKind::None},      {"list.c\xC5\x9Bv", ExportKind::None}, {"", ExportKind::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exportKindOf(c.name), c.kind) << c.name;
}

// A line of all sixteen fields: the texts first, then every other kind of value.
std::string exportLine(ExportKind kind, const std::string& text)
{
    std::string out = "before|";
    ExportLine line(kind, out);
    for (int i = 0; i < 9; ++i)
        line.text(i == 2 ? text : "t");
    line.number(1234567890123ULL);
    line.number(0);
    line.unknown();
    line.number(44100);
    line.text("joint_stereo");
    line.flag(true);
    line.text("a/b.mp3");
    line.end();
    return out;
}

TEST(Exports, LinesQuoteEscapeAndGuardTheirTexts)
{
    std::string head = "x";
    appendExportHead(ExportKind::Csv, head);
    EXPECT_EQ(head, "x\xEF\xBB\xBF" "folder,file,artist,title,album,year,track,genre,album_artist,length_s,size_bytes,"
                    "bitrate_kbps,sample_rate_hz,channels,vbr,link\r\n");
    head.clear();
    appendExportHead(ExportKind::JsonLines, head);
    EXPECT_EQ(head, "");

    EXPECT_EQ(exportLine(ExportKind::Csv, "Artist"),
              "before|t,t,Artist,t,t,t,t,t,t,1234567890123,0,,44100,joint_stereo,1,a/b.mp3\r\n");
    EXPECT_EQ(exportLine(ExportKind::JsonLines, "Artist"),
              "before|{\"folder\":\"t\",\"file\":\"t\",\"artist\":\"Artist\",\"title\":\"t\",\"album\":\"t\","
              "\"year\":\"t\",\"track\":\"t\",\"genre\":\"t\",\"album_artist\":\"t\",\"length_s\":1234567890123,"
              "\"size_bytes\":0,\"bitrate_kbps\":null,\"sample_rate_hz\":44100,\"channels\":\"joint_stereo\","
              "\"vbr\":true,\"link\":\"a/b.mp3\"}\n");

    const std::string R = "\xEF\xBF\xBD";
    struct { std::string text, csv, json; } cases[] = {
        {"plain", "plain", "\"plain\""},
        {"", "", "\"\""},
        {"a,b", "\"a,b\"", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\"", "\"say \\\"hi\\\"\""},
        {"two\r\nlines\n", "\"two\r\nlines\n\"", "\"two\\r\\nlines\\n\""},
        // What a spreadsheet would take for a formula is made text first, then quoted as needed.
        {"=1+1", "'=1+1", "\"=1+1\""},
        {"+1", "'+1", "\"+1\""},
        {"-x,y", "\"'-x,y\"", "\"-x,y\""},
        {"@SUM(A1)", "'@SUM(A1)", "\"@SUM(A1)\""},
        {"\tx", "'\tx", "\"\\tx\""},
        {"\rx", "\"'\rx\"", "\"\\rx\""},
        {"a=1", "a=1", "\"a=1\""},
        {"back\\slash/", "back\\slash/", "\"back\\\\slash/\""},
        {std::string("\b\f\x01\x1F\x7F\0", 6), std::string("\b\f\x01\x1F\x7F\0", 6), "\"\\b\\f\\u0001\\u001f\x7F\\u0000\""},
        {"\xE2\x80\xA8\xC4\x8C", "\xE2\x80\xA8\xC4\x8C", "\"\xE2\x80\xA8\xC4\x8C\""},
        {"caf\xE9,", "\"caf" + R + ",\"", "\"caf" + R + ",\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(exportLine(ExportKind::Csv, c.text),
                  "before|t,t," + c.csv + ",t,t,t,t,t,t,1234567890123,0,,44100,joint_stereo,1,a/b.mp3\r\n") << c.text;
        const std::string json = exportLine(ExportKind::JsonLines, c.text);
        EXPECT_EQ(json.substr(0, json.find(",\"title\"")), "before|{\"folder\":\"t\",\"file\":\"t\",\"artist\":" + c.json)
            << c.text;
    }
    std::string flags;
    ExportLine csv(ExportKind::Csv, flags);
    csv.flag(false);
    csv.unknown();
    csv.end();
    EXPECT_EQ(flags, "0,\r\n");
}

#ifndef _WIN32 // a POSIX root; the same code joins Windows' paths by their names
TEST(Exports, FolderAndLinkFields)
{
    const auto latin1 = platform::LegacyEncoding::Iso8859_1;
    auto folder = [&](const ExportTarget& paths, const std::string& path) {
        std::string out = "|";
        appendExportFolder(out, paths, path, latin1);
        return out;
    };
    auto link = [](const ExportTarget& paths, const std::string& path) {
        std::string out = "|";
        appendExportLink(out, paths, path);
        return out;
    };
    const ExportTarget beside = exportTarget("/m/in/", "/m/out/./list.csv");
    EXPECT_EQ(beside.linkToRoot, "../in/");
    EXPECT_EQ(folder(beside, "/m/in/a.mp3"), "|");
    EXPECT_EQ(folder(beside, "/m/in/R\xC3\xA9/caf\xE9/a.mp3"), "|R\xC3\xA9/caf\xC3\xA9");
    EXPECT_EQ(link(beside, "/m/in/a #1?.mp3"), "|../in/a %231%3F.mp3");
    EXPECT_EQ(link(beside, "/m/in/caf\xE9/&.mp3"), "|../in/caf%E9/&.mp3");
    EXPECT_EQ(link(beside, "/m/in/R\xC3\xA9/100%.mp3"), "|../in/R\xC3\xA9/100%25.mp3");

    EXPECT_EQ(exportTarget("/m/in/", "/m/in/list.jsonl").linkToRoot, "");
    EXPECT_EQ(exportTarget("/m/in/", "/m/in/sub/list.jsonl").linkToRoot, "../");
    EXPECT_EQ(exportTarget("/", "/m/list.csv").linkToRoot, "../");
    // Made absolute against the working directory, both of them, without following links.
    EXPECT_EQ(exportTarget("in/../music/", "music/x/y/list.csv").linkToRoot, "../../");
    EXPECT_EQ(exportTarget("/m/in/", "list.csv").linkToRoot,
              platform::relativePath(platform::currentDirectory(), "/m/in") + "/");
}
#endif

} // namespace

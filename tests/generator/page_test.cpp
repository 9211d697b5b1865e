#include "generator/Html.h"
#include "generator/tunesheet_class.h"
#include "platform/Errors.h"
#include "platform/Path.h"

#include "common/Unprivileged.h"
#include "generator/PageFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace {

const char* const ExpectedHead =
    "<html>\r\n"
    "  <head>\r\n"
    "    <meta charset=\"utf-8\">\r\n"
    "    <title>My songs</title>\r\n"
    "    <style>\r\n"
    "      BODY {\r\n"
    "        font-family: Verdana, Geneva, Arial, Helvetica, sans-serif;\r\n"
    "        font-size: 12px;\r\n"
    "        background-color: #000000;\r\n"
    "        color: #FFFFFF;\r\n"
    "      }\r\n"
    "      TABLE {\r\n"
    "        font-family: Verdana, Geneva, Arial, Helvetica, sans-serif;\r\n"
    "        font-size: 12px;\r\n"
    "      }\r\n"
    "      TH {\r\n"
    "        background-color: #FF9900;\r\n"
    "      }\r\n"
    "      TD {\r\n"
    "        background-color: #FFCC00;\r\n"
    "      }\r\n"
    "      A:LINK, A:VISITED, A:ACTIVE {\r\n"
    "        color: #0000FF;\r\n"
    "        text-decoration: underline;\r\n"
    "      }\r\n"
    "      A:HOVER {\r\n"
    "        color: #123456;\r\n"
    "        text-decoration: none;\r\n"
    "      }\r\n"
    "      .mp3 {\r\n"
    "        font-size: 15px;\r\n"
    "        color: #FF0000;\r\n"
    "      }\r\n"
    "    </style>\r\n"
    "  </head>\r\n"
    "  <body>\r\n"
    "\r\n";

const char* const ExpectedFoot = "  </body>\r\n</html>\r\n";

TEST(Page, EmptyFolderGivesHeadAndFootOnly)
{
    TempDir in;
    PageRun run;
    run.settings.PageCaption = "My songs";
    run.settings.HoverLinkColor.set(rgbColour(0x12, 0x34, 0x56));
    EXPECT_EQ(run.generate(in.dir()), std::string(ExpectedHead) + ExpectedFoot);

    run.settings.AllDirsInOneTable = true;
    EXPECT_EQ(run.generate(in.dir()),
              std::string(ExpectedHead) +
                  "<table cellspacing=0 cellpadding=1 border=1>\r\n"
                  "<tr><th nowrap>&nbsp;Artist&nbsp;</th><th nowrap>&nbsp;Title&nbsp;</th>"
                  "<th nowrap>&nbsp;Album&nbsp;</th><th nowrap>&nbsp;Year&nbsp;</th>"
                  "<th nowrap>&nbsp;Length&nbsp;</th><th nowrap>&nbsp;File size&nbsp;</th>"
                  "<th nowrap>&nbsp;File name&nbsp;</th></tr>\r\n"
                  "</table><p>&nbsp;</p>\r\n" +
                  ExpectedFoot);
}

TEST(Page, ColorToHTMLWritesRedGreenBlue)
{
    EXPECT_EQ(ColorToHTML(rgbColour(255, 204, 0)), "#FFCC00");
    EXPECT_EQ(ColorToHTML(0xAB010203u), "#030201");
}

TEST(Page, HeaderRowHasOneCellPerNonZeroSlotWithItsStoredName)
{
    TempDir in;
    in.write("cover.jpg");
    PageRun run;
    TGeneratorSettings& s = run.settings;
    for (int i = 0; i < ColumnSlots; ++i) {
        s.SelectedItems[i] = 0;
        s.SelectedNames[i] = "";
    }
    s.SelectedItems[0] = ciArtist;
    s.SelectedNames[0] = "Interpret";
    s.SelectedItems[2] = ciAlbum;
    s.SelectedNames[2] = std::string(30, 'A');
    s.SelectedNames[1] = "ignored: its slot is empty";
    s.Wrap = true;
    auto lines = run.lines(in.dir());
    EXPECT_EQ(countLines(lines, "<tr><th>&nbsp;Interpret&nbsp;</th><th>&nbsp;" + std::string(25, 'A') + "&nbsp;</th></tr>"), 1);
}

// The options' list is used only while its columns of the record's kinds, in order and
// followed by empty slots, are the record's slots; the others stay as they were.
TEST(Page, TheOptionsListIsUsedWhileItAgreesWithTheRecord)
{
    TempDir in;
    in.write("cover.jpg");
    const auto header = [&in](const std::vector<std::uint8_t>& list, std::vector<std::uint8_t> slots) {
        PageRun run;
        slots.resize(ColumnSlots);
        for (int i = 0; i < ColumnSlots; ++i) {
            run.settings.SelectedItems[i] = slots[i];
            run.settings.SelectedNames[i] = "slot " + std::to_string(i);
        }
        run.options.columns = list;
        const auto lines = run.lines(in.dir());
        const auto found = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.find("<th") != l.npos; });
        return found == lines.end() ? std::string("(none)") : *found;
    };
    const auto th = [](const std::string& name) { return "<th nowrap>&nbsp;" + name + "&nbsp;</th>"; };
    EXPECT_EQ(header({ciTrack, ciTitle, ciBitRate, ciArtist}, {ciTitle, ciArtist}),
              "<tr>" + th("Track") + th("slot 0") + th("Bit rate") + th("slot 1") + "</tr>");
    EXPECT_EQ(header({ciGenre, ciBitRateMode}, {}), "<tr>" + th("Genre") + th("Bit rate mode") + "</tr>");
    EXPECT_EQ(header({ciTrack, ciTitle}, {ciTitle, ciArtist}), "<tr>" + th("slot 0") + th("slot 1") + "</tr>");
    EXPECT_EQ(header({ciTitle, ciArtist}, {ciTitle, ciNone, ciArtist}), "<tr>" + th("slot 0") + th("slot 2") + "</tr>");
    EXPECT_EQ(header({ciTitle, ciTitle, ciTitle, ciTitle, ciTitle, ciTitle, ciTitle, ciTitle},
                     {ciTitle, ciTitle, ciTitle, ciTitle, ciTitle, ciTitle, ciTitle}),
              "<tr>" + th("slot 0") + th("slot 1") + th("slot 2") + th("slot 3") + th("slot 4") + th("slot 5") +
                  th("slot 6") + "</tr>");
    EXPECT_EQ(header({ciTrack}, {ciArtist}), "<tr>" + th("slot 0") + "</tr>");
}

TEST(Page, OutsideTextsAreEscaped)
{
    TempDir in;
#ifdef _WIN32
    // Windows allows neither '<' nor '>' in a name; '&' is the one it allows.
    const std::string folder = "a&b (x)", escaped = "a&amp;b (x)";
#else
    const std::string folder = "a&b <x>", escaped = "a&amp;b &lt;x&gt;";
#endif
    in.write(folder + "/cover.jpg");
    PageRun run;
    run.settings.PageCaption = "Rock & \"Roll\" <live>";
    run.settings.SelectedNames[0] = "<b>";
    run.settings.DirOverTable = true;
    auto lines = run.lines(in.dir() + folder + platform::PathDelimiter);
    EXPECT_EQ(lines[3], "    <title>Rock &amp; &quot;Roll&quot; &lt;live&gt;</title>");
    const std::string d = in.dir() + escaped + platform::PathDelimiter;
    EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + d + " " + d + "</b></span>"), 1);
    EXPECT_EQ(countPrefix(lines, "<tr><th nowrap>&nbsp;&lt;b&gt;&nbsp;</th>"), 1);
}

// The library page: its first rows as plain rows, then every row as data, a script element for
// each chunk of whole folders; a folder without MP3 files has no heading and no data.
TEST(LibraryPage, FirstRowsPlainThenAllRowsAsDataByWholeFolders)
{
    TempDir in;
    for (int i = 0; i < 250; ++i)
        in.write("a/" + std::to_string(1000 + i) + ".mp3");
    in.write("b/cover.jpg");
    in.write("c/x.mp3");
    PageRun run;
    run.page = PageKind::Library;
    run.settings.IncludeSubdirs = true;
    run.settings.DirOverTable = true;
    run.settings.PageCaption = "Mine";
    const auto lines = run.lines(in.dir());
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0], "<!DOCTYPE html>");
    EXPECT_EQ(lines[1], "<html lang=\"en\">");
    EXPECT_EQ(lines.back(), "</html>");
    EXPECT_EQ(countPrefix(lines, "<<no CR LF>>"), 0);
    EXPECT_EQ(countPrefix(lines, "<tr><td>"), 200);
    EXPECT_EQ(countPrefix(lines, "<tr class=\"ts-dir\"><td colspan=\"7\">" + in.dir() + "a"), 1);
    EXPECT_EQ(countPrefix(lines, "<tr class=\"ts-dir\">"), 1); // c's first row is past the first 200
    EXPECT_EQ(countPrefix(lines, "<script>ts.start({"), 1);
    EXPECT_EQ(countLines(lines, "<script>ts.end()</script>"), 1);
    std::string data;
    for (const auto& l : lines)
        if (l.rfind("<script type=\"application/json\">", 0) == 0)
            data += l;
    auto folder = [&](const std::string& name) {
        std::string text;
        appendScriptString(text, in.dir() + name + platform::PathDelimiter);
        return "\"" + text + "\"";
    };
    EXPECT_NE(data.find("[" + folder("a") + ",250,"), std::string::npos);
    EXPECT_NE(data.find("," + folder("c") + ",1,"), std::string::npos);
    EXPECT_EQ(data.find(folder("b")), std::string::npos);
    // The data holds no tag but its elements' own: the data's and the script's that reads it.
    EXPECT_EQ(std::count(data.begin(), data.end(), '<'), 4 * countPrefix(lines, "<script type=\"application/json\">"));
}

#ifndef _WIN32 // names there are always the narrow text of some character
// A name that is not UTF-8 is shown as ISO-8859-1; its link keeps the file's own bytes, every
// byte from 0x80 up percent-encoded. A path is judged name by name, the caption as a whole.
TEST(Page, NamesThatAreNotUtf8AreShownAsLatin1AndLinkedByTheirBytes)
{
    TempDir in;
    const std::string folder = "caf\xE9", slovak = "\xC4\x8Cierna.mp3";
    in.write(folder + "/" + slovak, "x");
    in.write(folder + "/\xE9t\xE9 & 100%.mp3", "x");
    PageRun run;
    TGeneratorSettings& s = run.settings;
    for (int i = 1; i < ColumnSlots; ++i)
        s.SelectedItems[i] = ciNone;
    s.SelectedItems[0] = ciFileName;
    s.ActiveLinks = alFileName;
    s.DirOverTable = true;
    s.PageCaption = "Caf\xE9 \xC4\x8C";
    const std::string stored = in.dir() + folder;
    auto lines = run.lines(stored);
    const std::string shown = in.dir() + "caf\xC3\xA9";
    EXPECT_EQ(lines[3], "    <title>Caf\xC3\xA9 \xC3\x84\xC2\x8C</title>");
    EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + shown + "/ " + shown + "</b></span>"), 1);
    const std::string link = "<tr><td nowrap>&nbsp;<a href=\"" + in.dir() + "caf%E9/";
    EXPECT_EQ(countLines(lines, link + "%C4%8Cierna.mp3\">" + slovak + "</a>&nbsp;</td></tr>"), 1);
    EXPECT_EQ(countLines(lines, link + "%E9t%E9 &amp; 100%25.mp3\">\xC3\xA9t\xC3\xA9 &amp; 100%.mp3</a>&nbsp;</td></tr>"), 1);
    s.FileNameMode = fnFullPath; // the Latin-1 folder leaves the UTF-8 name in it as it is
    s.ActiveLinks = 0;
    lines = run.lines(stored);
    EXPECT_EQ(countLines(lines, "<tr><td nowrap>&nbsp;" + shown + "/" + slovak + "&nbsp;</td></tr>"), 1);
    s.IncludeSubdirs = true;
    in.write(folder + "/d\xC3\xA9j\xC3\xA0 vu/x.mp3", "x");
    lines = run.lines(stored);
    EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + shown + "/d\xC3\xA9j\xC3\xA0 vu/ " + shown + "</b></span>"), 1);
    // In the user's legacy encoding: the caption, and the folders' names over the tables.
    run.options.legacyEncoding = platform::LegacyEncoding::Windows1250;
    s.PageCaption = "\xC8iern\x61";
    in.write(folder + "/\xE8/x.mp3", "x");
    lines = run.lines(stored);
    EXPECT_EQ(lines[3], "    <title>\xC4\x8Ciern\x61</title>");
    EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + shown + "/\xC4\x8D/ " + shown + "</b></span>"), 1);
}
#endif

struct FailureCase {
    const char* name;
    std::function<void(TempDir&, TTunesheet&)> arrange;
};

// Whatever stops a generation, the page that was there stays as it was and no temporary
// file is left beside it.
TEST(Page, FailedOrStoppedGenerationLeavesTheOldPageAndNoTemporaryFile)
{
    std::vector<FailureCase> cases = {
        {"output folder missing", [](TempDir& out, TTunesheet& t) { t.Settings.OutputFile = out.path("no/such/page.htm"); }},
        {"output is a folder", [](TempDir& out, TTunesheet& t) {
             out.mkdir("page.htm");
             t.Settings.OutputFile = out.path("page.htm");
         }},
        {"stopped between two files", [](TempDir&, TTunesheet& t) {
             t.OnProgress = [](const GenerateProgress& p) { return p.filesListed < 2; };
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir in, out;
        for (int i = 0; i < 5; ++i)
            in.write("song" + std::to_string(i) + ".mp3", "x");
        const std::string old = out.write("old.htm", "the old page");
        TTunesheet t;
        t.Settings = initialFormSettings();
        t.Settings.InputDir = in.dir();
        t.Settings.OutputFile = old;
        c.arrange(out, t);
        const std::size_t entriesBefore = out.entryCount();
        EXPECT_THROW(t.Generate(), platform::TunesheetError);
        EXPECT_EQ(readFile(old), "the old page");
        EXPECT_EQ(out.entryCount(), entriesBefore);
    }
}

#ifdef _WIN32
TEST(Page, ReadOnlyPageIsRefusedAndKept)
{
    TempDir in, out;
    const std::string page = out.write("p.htm", "old");
    ASSERT_TRUE(::SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_READONLY));
    TTunesheet t;
    t.Settings = initialFormSettings();
    t.Settings.InputDir = in.dir();
    t.Settings.OutputFile = page;
    EXPECT_THROW(t.Generate(), platform::InOutError);
    EXPECT_EQ(readFile(page), "old");
    EXPECT_EQ(out.entryCount(), 1u);
    ::SetFileAttributesA(page.c_str(), FILE_ATTRIBUTE_NORMAL);
}
#else
// What protects the old page stays: the user's right to write it, the link that leads to it,
// its permission bits.
TEST(Page, OutputFileKeepsWhatProtectsTheOldPage)
{
    namespace fs = std::filesystem;
    struct Case {
        const char* name;
        std::function<std::string(TempDir&)> arrange;            // makes the old page; returns OutputFile
        std::function<void(TempDir&, const std::string&)> check; // after the generation, or its error's message
        bool refused;
    };
    const auto isPage = [](const std::string& path) { return readFile(path).rfind("<html>\r\n", 0) == 0; };
    const std::vector<Case> cases = {
        {"a read-only page is refused with the system's reason",
         [](TempDir& out) {
             const std::string page = out.write("p.htm", "old");
             fs::permissions(page, fs::perms::owner_read | fs::perms::group_read);
             return page;
         },
         [](TempDir& out, const std::string& message) {
             EXPECT_EQ(message, out.path("p.htm") + ": " + platform::systemErrorText(EACCES));
             EXPECT_EQ(readFile(out.path("p.htm")), "old");
             EXPECT_EQ(out.entryCount(), 1u);
         },
         true},
        {"a page in a folder the user may not write is refused",
         [](TempDir& out) {
             const std::string page = out.write("ro/p.htm", "old");
             fs::permissions(page, fs::perms::all);
             fs::permissions(out.path("ro"), fs::perms::owner_read | fs::perms::owner_exec);
             return page;
         },
         [](TempDir& out, const std::string& message) {
             EXPECT_EQ(message, "Cannot create file " + out.path("ro/p.htm"));
             EXPECT_EQ(readFile(out.path("ro/p.htm")), "old");
             EXPECT_EQ(out.entryCount("ro"), 1u);
             fs::permissions(out.path("ro"), fs::perms::owner_all);
         },
         true},
        {"a link stays a link and its file gets the page",
         [](TempDir& out) {
             out.write("site/real.htm", "old");
             out.mkdir("pages");
             fs::create_symlink("../site/real.htm", out.path("pages/p.htm"));
             return out.path("pages/p.htm");
         },
         [isPage](TempDir& out, const std::string&) {
             EXPECT_TRUE(fs::is_symlink(out.path("pages/p.htm")));
             EXPECT_TRUE(isPage(out.path("site/real.htm")));
             EXPECT_EQ(out.entryCount("site"), 1u);
             EXPECT_EQ(out.entryCount("pages"), 1u);
         },
         false},
        {"a link to a page not yet written leads to the new page",
         [](TempDir& out) {
             fs::create_symlink("real.htm", out.path("p.htm"));
             return out.path("p.htm");
         },
         [isPage](TempDir& out, const std::string&) {
             EXPECT_TRUE(fs::is_symlink(out.path("p.htm")));
             EXPECT_TRUE(isPage(out.path("real.htm")));
             EXPECT_EQ(out.entryCount(), 2u);
         },
         false},
        {"the permission bits stay",
         [](TempDir& out) {
             const std::string page = out.write("p.htm", "old");
             fs::permissions(page, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
             return page;
         },
         [isPage](TempDir& out, const std::string&) {
             EXPECT_TRUE(isPage(out.path("p.htm")));
             EXPECT_EQ(fs::status(out.path("p.htm")).permissions(),
                       fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
             EXPECT_EQ(out.entryCount(), 1u);
         },
         false},
    };
    TempDir in;
    in.write("a.mp3", "x");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir out;
        giveToUnprivilegedUser(out.dir());
        asUnprivilegedUser([&] {
            const std::string page = c.arrange(out);
            TTunesheet t;
            t.Settings = initialFormSettings();
            t.Settings.InputDir = in.dir();
            t.Settings.OutputFile = page;
            std::string message;
            try {
                t.Generate();
            } catch (const platform::TunesheetError& e) {
                message = e.what();
            }
            EXPECT_EQ(!message.empty(), c.refused) << message;
            c.check(out, message);
        });
    }
}
#endif

} // namespace

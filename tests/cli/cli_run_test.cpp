// tunesheet-cli as a script runs it: exit codes, messages, and what it leaves on disk.
#include "generator/GeneratorSettings.h"

#include "ProgramVersion.h"

#include "common/RunProgram.h"
#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <utility>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

using CliResult = ProgramResult;

CliResult runCli(const std::vector<std::string>& args)
{
    CliResult r = runProgram(builtProgram("tunesheet-cli"), args);
#ifdef _WIN32
    // The console's text mode ends lines with CR LF; the messages themselves are the same.
    for (std::size_t pos = r.output.find("\r\n"); pos != std::string::npos; pos = r.output.find("\r\n", pos))
        r.output.erase(pos, 1);
#endif
    return r;
}

TEST(CliRun, WritesThePageAndExitsZero)
{
    TempDir in, out;
    in.write("a.mp3", "x");
    CliResult r = runCli({in.dir(), out.path("p.htm")});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output, "");
    std::string page = readFile(out.path("p.htm"));
    EXPECT_EQ(page.substr(0, 8), "<html>\r\n");
    EXPECT_NE(page.find("&nbsp;a.mp3&nbsp;"), std::string::npos);

    // An ID3v1 title in the user's legacy encoding; an export, which needs no column.
    std::string tag = "TAG\xC8iern\x61" + std::string(128 - 9, '\0');
    tag.back() = '\xFF';
    in.write("b.mp3", tag);
    r = runCli({"--legacy-encoding", "windows-1250", "--columns", "title", in.dir(), out.path("p.htm")});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(readFile(out.path("p.htm")).find("&nbsp;\xC4\x8Ciern\x61&nbsp;"), std::string::npos);
    r = runCli({"--legacy-encoding", "windows-1250", "--columns", "", in.dir(), out.path("p.jsonl")});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    const std::string first = "{\"folder\":\"\",\"file\":\"a.mp3\",\"artist\":\"\",\"title\":\"\",\"album\":\"\",\"year\":\"\","
                              "\"track\":\"\",\"genre\":\"\",\"album_artist\":\"\",\"length_s\":null,\"size_bytes\":1,";
    EXPECT_EQ(readFile(out.path("p.jsonl")).substr(0, first.size()), first);
    EXPECT_NE(readFile(out.path("p.jsonl")).find("\"title\":\"\xC4\x8Ciern\x61\""), std::string::npos);
}

TEST(CliRun, RefusalsAndErrorsExitOneWithTheMessageAndWriteNothing)
{
    TempDir in, out;
    CliResult r = runCli({"--columns", "", in.dir(), out.path("p.htm")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "tunesheet-cli: Please, select some columns\nin 'Items Order' settings page!\n");

    r = runCli({in.path("missing"), out.path("p.htm")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "tunesheet-cli: Input directory doesn't exist.\nPlease select another one!\n");

    r = runCli({in.dir(), out.path("no/such/p.htm")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "tunesheet-cli: Cannot create file " + out.path("no/such/p.htm") + "\n");

    const std::string shortSettings = in.write("short.settings", std::string(995, 'x'));
    r = runCli({"--settings", shortSettings, in.dir(), out.path("p.htm")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "tunesheet-cli: " + shortSettings + ": Read beyond end of file\n");
    EXPECT_EQ(out.entryCount(), 0u);
}

TEST(CliRun, UsageErrorsExitTwoWithAHint)
{
    CliResult r = runCli({"--size-unit", "GB", "x", "y"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("Try 'tunesheet-cli --help'"), std::string::npos);
    EXPECT_EQ(runCli({"some/dir"}).exitCode, 2) << "no output file";
    TempDir out;
    r = runCli({"", out.path("p.htm")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.output.substr(0, r.output.find('\n')), "tunesheet-cli: the input directory is empty");
    TGeneratorSettings onlyOutput = initialFormSettings();
    onlyOutput.OutputFile = out.path("p.htm");
    writeSettingsFile(out.path("s.settings"), onlyOutput);
    r = runCli({"--settings", out.path("s.settings")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.output.substr(0, r.output.find('\n')), "tunesheet-cli: no input directory given");
    EXPECT_EQ(runCli({out.dir(), out.path(std::string(260, 'p') + ".htm")}).exitCode, 2);
    EXPECT_EQ(runCli({"--legacy-encoding", "cp1250", out.dir(), out.path("p.htm")}).exitCode, 2);
    EXPECT_EQ(out.entryCount(), 1u) << "a page was written where a path was cut";
    EXPECT_EQ(runCli({"--help"}).exitCode, 0);
    EXPECT_EQ(runCli({"--version"}).output, std::string("tunesheet-cli ") + ProgramVersionText + "\n");
}

TEST(CliRun, SaveSettingsWritesARecordTheWindowCanLoadAndPrintShowsIt)
{
    TempDir tmp;
    CliResult r = runCli({"--wrap", "--title", "Hello", "--columns", "title,genre", "--save-settings",
                          tmp.path("x.settings")});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    TGeneratorSettings s = readSettingsFile(tmp.path("x.settings"));
    EXPECT_TRUE(s.Wrap);
    EXPECT_EQ(s.PageCaption.str(), "Hello");
    EXPECT_EQ(readFile(tmp.path("x.settings")).size(), 996u);
    EXPECT_EQ(readFile(tmp.path("x.options")), "columns=title,genre\r\n");

    r = runCli({"--settings", tmp.path("x.settings"), "--print-settings"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.output.find("Page title:           Hello\n"), std::string::npos);
    EXPECT_NE(r.output.find("Wrap cells:           yes\n"), std::string::npos);
    EXPECT_NE(r.output.find("Cell background:      #FFCC00\n"), std::string::npos);
    EXPECT_NE(r.output.find("Link:                 #0000FF (Blue)\n"), std::string::npos);
    EXPECT_NE(r.output.find("Columns:              Title, Genre\n"), std::string::npos);

    // What cannot be used of the options file is a warning; the run goes on without it.
    tmp.write("x.options", "columns=title,colour\r\n");
    r = runCli({"--settings", tmp.path("x.settings"), "--print-settings"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output.substr(0, r.output.find('\n')), "tunesheet-cli: warning: " + tmp.path("x.options") +
                                                           ", line 1: cannot use columns=title,colour; the default is used");
    EXPECT_NE(r.output.find("Columns:              Title\n"), std::string::npos);
}

// The columns beyond the record's seven, over the sample library, as mutagen reads its files
// (but for Night Drive's bit rate: mutagen leaves the encoder's delay out of the playing time).
TEST(CliRun, ColumnsOfTagsAndAudioOverTheSamples)
{
    TempDir out;
    const CliResult r =
        runCli({"--subdirs", "--columns", "artist,title,track,genre,album-artist,bitrate,sample-rate,channels,vbr,length",
                std::string(TUNESHEET_SOURCE_DIR) + "/samples", out.path("p.htm")});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const std::string page = readFile(out.path("p.htm"));
    const auto row = [](std::initializer_list<const char*> cells) {
        std::string text = "<tr>";
        for (const char* cell : cells)
            text += std::string("<td nowrap>&nbsp;") + cell + "&nbsp;</td>";
        return text + "</tr>\r\n";
    };
    EXPECT_NE(page.find("<th nowrap>&nbsp;Album artist&nbsp;</th><th nowrap>&nbsp;Bit rate&nbsp;</th>"
                        "<th nowrap>&nbsp;Sample rate&nbsp;</th><th nowrap>&nbsp;Channels&nbsp;</th>"
                        "<th nowrap>&nbsp;Bit rate mode&nbsp;</th>"),
              std::string::npos);
    for (const std::string& expected :
         {row({"Quiet Trio", "Blue Hour", "", "Jazz", "", "32 kbit/s", "22.05 kHz", "Mono", "CBR", "00:02"}),
          row({"The Samples", "First Light", "1", "Rock", "", "64 kbit/s", "44.1 kHz", "Mono", "CBR", "00:02"}),
          row({"The Samples", "Night Drive", "2", "Rock", "", "36 kbit/s", "44.1 kHz", "Mono", "VBR", "00:02"})})
        EXPECT_NE(page.find(expected), std::string::npos) << expected << "\n" << page;

    // Genres and bit rates of files from other encoders and taggers (tests/data/audio).
    const CliResult data = runCli({"--tag-priority", "v1", "--columns", "filename,track,genre,album-artist,bitrate,vbr",
                                   std::string(TUNESHEET_SOURCE_DIR) + "/tests/data/audio", out.path("data.htm")});
    ASSERT_EQ(data.exitCode, 0) << data.output;
    const std::string dataPage = readFile(out.path("data.htm"));
    for (const std::string& expected :
         {row({"genres.mp3", "4", "\xC4\x8Cierna hudba; Rock; Remix; (live)", "Various Artists", "32 kbit/s", "CBR"}),
          row({"mpeg1_cbr.mp3", "3", "Jazz", "", "32 kbit/s", "CBR"}),
          row({"ffmpeg_default.mp3", "", "", "", "128 kbit/s", "CBR"}),
          row({"vbr_xing.mp3", "", "", "", "40 kbit/s", "VBR"})})
        EXPECT_NE(dataPage.find(expected), std::string::npos) << expected << "\n" << dataPage;
}

} // namespace

namespace {

#ifndef _WIN32 // signals; Ctrl+C reaches a Windows console program as a console control event
std::size_t countOf(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + part.size()))
        ++n;
    return n;
}

// Ctrl+C, a closed terminal or a termination request while the page is being written: the run
// stops, the old page stays, nothing is left. A request the run was started to ignore (a hangup
// under nohup, Ctrl+C in a background job of a script) lets it finish its page. A run killed
// outright leaves its temporary page behind, which the next run that writes there removes.
TEST(CliRun, InterruptStopsCleanly)
{
    TempDir in, out;
    for (int d = 0; d < 20; ++d)
        for (int f = 0; f < 1000; ++f)
            in.write("d" + std::to_string(d) + "/" + std::to_string(f) + ".mp3", "x");
    const std::string page = out.path("page.htm");

    struct Stop {
        int signal;
        bool ignored;  // by the process that starts the run
        int exitCode;  // -1: ended by the signal
    };
    for (const Stop& stop : {Stop{SIGINT, false, 130}, {SIGHUP, false, 129}, {SIGTERM, false, 143},
                             {SIGHUP, true, 0}, {SIGINT, true, 0}, {SIGKILL, false, -1}}) {
        SCOPED_TRACE(std::string(strsignal(stop.signal)) + (stop.ignored ? ", ignored" : ""));
        out.write("page.htm", "old page");
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // As the test's own runner may have been started, under nohup for one.
            std::signal(stop.signal, stop.ignored ? SIG_IGN : SIG_DFL);
            std::freopen("/dev/null", "w", stderr);
            const std::string cli = std::string(TUNESHEET_BIN_DIR) + "/tunesheet-cli";
            ::execl(cli.c_str(), cli.c_str(), "--subdirs", in.dir().c_str(), page.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // The temporary page appears as soon as the run has begun.
        for (int i = 0; i < 10000 && out.entryCount() < 2; ++i)
            ::usleep(500);
        ::kill(pid, stop.signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (stop.exitCode < 0) {
            ASSERT_TRUE(WIFSIGNALED(status));
            EXPECT_EQ(readFile(page), "old page");
            EXPECT_EQ(out.entryCount(), 2u) << "the run had finished before it was killed";
            EXPECT_EQ(runCli({in.dir(), out.path("other.htm")}).exitCode, 0);
            EXPECT_EQ(out.entryCount(), 2u) << "the page and the other page";
            continue;
        }
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), stop.exitCode) << "the run had finished before it was stopped";
        if (stop.exitCode == 0) {
            const std::string written = readFile(page);
            EXPECT_EQ(written.substr(written.size() - std::min<std::size_t>(written.size(), 9)), "</html>\r\n");
            EXPECT_EQ(countOf(written, "<tr><td"), 20000u);
        } else {
            EXPECT_EQ(readFile(page), "old page");
        }
        EXPECT_EQ(out.entryCount(), 1u);
    }
}

// A file that gets shorter while the page is made is listed as far as it could be read: its
// row is that of the file cut where its data ended.
TEST(CliRun, AFileThatGetsShorterWhileReadIsListedAsFarAsItCouldBeRead)
{
    struct Cut {
        const char* file;
        int at;
    };
    for (const Cut& cut : {Cut{"mpeg1_cbr.mp3", 5000}, {"cover_art.mp3", 20000}, {"cover_art.mp3", 25000}}) {
        SCOPED_TRACE(std::string(cut.file) + " cut at " + std::to_string(cut.at));
        TempDir in, out;
        const std::string song =
            in.write("song.mp3", readFile(std::string(TUNESHEET_SOURCE_DIR) + "/tests/data/audio/" + cut.file));
        const std::vector<std::string> args = {in.dir(), out.path("p.htm")};
        ASSERT_EQ(runCli(args).exitCode, 0);
        const std::string whole = readFile(out.path("p.htm"));

        const char* sanitizer = std::getenv("ASAN_OPTIONS");
        const std::string sanitizerBefore = sanitizer ? sanitizer : "";
        // The sanitizer's runtime then no longer comes first, which it would refuse.
        ::setenv("ASAN_OPTIONS", (sanitizerBefore + ":verify_asan_link_order=0").c_str(), 1);
        ::setenv("LD_PRELOAD", SHORT_READ_LIBRARY, 1);
        ::setenv("SHORT_READ_NAME", "/song.mp3", 1);
        ::setenv("SHORT_READ_AT", std::to_string(cut.at).c_str(), 1);
        const CliResult r = runCli(args);
        ::unsetenv("LD_PRELOAD");
        sanitizer ? ::setenv("ASAN_OPTIONS", sanitizerBefore.c_str(), 1) : ::unsetenv("ASAN_OPTIONS");
        EXPECT_EQ(r.exitCode, 0) << r.output;
        const std::string shortened = readFile(out.path("p.htm"));

        std::filesystem::resize_file(song, static_cast<std::uintmax_t>(cut.at));
        ASSERT_EQ(runCli(args).exitCode, 0);
        EXPECT_EQ(shortened, readFile(out.path("p.htm")));
        EXPECT_NE(shortened, whole);
    }
}

#endif

} // namespace

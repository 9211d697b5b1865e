// tunesheet-cli as a script runs it: exit codes, messages, and what it leaves on disk.
#include "generator/GeneratorSettings.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct CliResult {
    int exitCode;
    std::string output; // stdout and stderr together
};

std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliResult runCli(const std::string& args)
{
    std::string cmd = quote(std::string(TUNESHEET_BIN_DIR) + "/tunesheet-cli") + " " + args + " 2>&1 < /dev/null";
    CliResult r{-1, {}};
    FILE* p = ::popen(cmd.c_str(), "r");
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.output.append(buf, n);
    int status = ::pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(CliRun, WritesThePageAndExitsZero)
{
    TempDir in, out;
    in.write("a.mp3", "x");
    CliResult r = runCli(quote(in.dir()) + " " + quote(out.path("p.htm")));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output, "");
    std::string page = readFile(out.path("p.htm"));
    EXPECT_EQ(page.substr(0, 8), "<html>\r\n");
    EXPECT_NE(page.find("&nbsp;a.mp3&nbsp;"), std::string::npos);
}

TEST(CliRun, RefusalsAndErrorsExitOneWithTheMessageAndWriteNothing)
{
    TempDir in, out;
    CliResult r = runCli("--columns '' " + quote(in.dir()) + " " + quote(out.path("p.htm")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "tunesheet-cli: Please, select some columns\nin 'Items Order' settings page!\n");

    r = runCli(quote(in.path("missing")) + " " + quote(out.path("p.htm")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "tunesheet-cli: Input directory doesn't exist.\nPlease select another one!\n");

    r = runCli(quote(in.dir()) + " " + quote(out.path("no/such/p.htm")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "tunesheet-cli: Cannot create file " + out.path("no/such/p.htm") + "\n");

    r = runCli("--settings " + quote(in.write("short.settings", std::string(995, 'x'))) + " " + quote(in.dir()) +
               " " + quote(out.path("p.htm")));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "tunesheet-cli: Read beyond end of file\n");
    EXPECT_EQ(out.entryCount(), 0u);
}

TEST(CliRun, UsageErrorsExitTwoWithAHint)
{
    CliResult r = runCli("--size-unit GB x y");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("Try 'tunesheet-cli --help'"), std::string::npos);
    EXPECT_EQ(runCli("some/dir").exitCode, 2) << "no output file";
    EXPECT_EQ(runCli("--help").exitCode, 0);
    EXPECT_EQ(runCli("--version").output, "tunesheet-cli 3.0.0.0\n");
}

TEST(CliRun, SaveSettingsWritesARecordTheWindowCanLoadAndPrintShowsIt)
{
    TempDir tmp;
    CliResult r = runCli("--wrap --title Hello --save-settings " + quote(tmp.path("x.settings")));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    TGeneratorSettings s = readSettingsFile(tmp.path("x.settings"));
    EXPECT_TRUE(s.Wrap);
    EXPECT_EQ(s.PageCaption.str(), "Hello");
    EXPECT_EQ(readFile(tmp.path("x.settings")).size(), 996u);

    r = runCli("--settings " + quote(tmp.path("x.settings")) + " --print-settings");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.output.find("Page title:           Hello\n"), std::string::npos);
    EXPECT_NE(r.output.find("Wrap cells:           yes\n"), std::string::npos);
    EXPECT_NE(r.output.find("Cell background:      #FFCC00\n"), std::string::npos);
    EXPECT_NE(r.output.find("Link:                 #0000FF (Blue)\n"), std::string::npos);
}

} // namespace

namespace {

// Ctrl+C while the page is being written: the run stops, the old page stays, nothing is left.
TEST(CliRun, InterruptStopsCleanly)
{
    TempDir in, out;
    for (int d = 0; d < 20; ++d)
        for (int f = 0; f < 1000; ++f)
            in.write("d" + std::to_string(d) + "/" + std::to_string(f) + ".mp3", "x");
    const std::string old = out.write("page.htm", "old page");

    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::freopen("/dev/null", "w", stderr);
        const std::string cli = std::string(TUNESHEET_BIN_DIR) + "/tunesheet-cli";
        ::execl(cli.c_str(), cli.c_str(), "--subdirs", in.dir().c_str(), old.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // The temporary page appears as soon as the run has begun.
    for (int i = 0; i < 10000 && out.entryCount() < 2; ++i)
        ::usleep(500);
    ::kill(pid, SIGINT);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130) << "the run had finished before it was interrupted";
    EXPECT_EQ(readFile(old), "old page");
    EXPECT_EQ(out.entryCount(), 1u);
}

} // namespace

#include "platform/AtomicFile.h"
#include "platform/DirReader.h"
#include "platform/Errors.h"
#include "platform/FileInfo.h"
#include "platform/LocaleSeparators.h"
#include "platform/Path.h"
#include "platform/ReadOnlyFile.h"
#include "platform/StopRequests.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <csignal>
#include <map>
#include <sys/stat.h>
#include <cerrno>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

// glibc's newlocale keeps a copy of the search path LOCPATH names, which only the tests set.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:__argz_add_sep\n";
}

namespace {

TEST(Platform, FilesBesideTheExecutableReplaceOrAddTheExtension)
{
    const std::string exe = platform::executablePath();
    ASSERT_FALSE(exe.empty());
#ifdef _WIN32
    ASSERT_EQ(exe.substr(exe.size() - 4), ".exe");
    EXPECT_EQ(platform::besideExecutable(".settings"), exe.substr(0, exe.size() - 4) + ".settings");
#else
    EXPECT_EQ(platform::besideExecutable(".settings"), exe + ".settings"); // test binaries have no extension
#endif
    const std::string d(1, platform::PathDelimiter);
    EXPECT_EQ(platform::extractFileName(d + "a" + d + "b" + d + "c.mp3"), "c.mp3");
    EXPECT_EQ(platform::extractFilePath(d + "a" + d + "b" + d + "c.mp3"), d + "a" + d + "b" + d);
    EXPECT_EQ(platform::includeTrailingDelimiter(d + "a"), d + "a" + d);
    EXPECT_EQ(platform::includeTrailingDelimiter(d + "a" + d), d + "a" + d);
    EXPECT_EQ(platform::withoutTrailingDelimiter(d + "a" + d + d), d + "a" + d); // one goes, not all
    EXPECT_EQ(platform::withoutTrailingDelimiter(d + "a"), d + "a");
    EXPECT_EQ(platform::withoutTrailingDelimiter(d), d);
    EXPECT_EQ(platform::withoutTrailingDelimiter(""), "");
    const std::string root = platform::defaultRootFolder();
    EXPECT_EQ(root.back(), platform::PathDelimiter);
}

#ifndef _WIN32 // links and pipes; tests/platform/win32_test.cpp lists attributes on Windows

TEST(Platform, DirReaderListsFilesAndFoldersWithWhatTheWalkNeeds)
{
    TempDir tmp;
    tmp.write("song.mp3", std::string(1234, 'x'));
    tmp.write(".hidden.mp3", "x");
    tmp.mkdir("sub");
    tmp.mkdir(".hiddendir");
    std::filesystem::create_symlink(tmp.path("song.mp3"), tmp.path("link.mp3"));
    std::filesystem::create_symlink(tmp.path("nowhere"), tmp.path("broken.mp3"));
    ASSERT_EQ(::mkfifo(tmp.path("pipe.mp3").c_str(), 0600), 0);

    std::map<std::string, platform::DirEntry> seen;
    platform::DirReader reader(tmp.dir());
    ASSERT_TRUE(reader.isOpen());
    platform::DirEntry e;
    while (reader.next(e))
        seen[e.name] = e;
    EXPECT_EQ(seen.size(), 5u) << "pipes and broken links are not listed";
    EXPECT_EQ(seen["song.mp3"].size, 1234u);
    EXPECT_FALSE(seen["song.mp3"].isDirectory);
    EXPECT_EQ(seen["link.mp3"].size, 1234u);
    EXPECT_TRUE(seen[".hidden.mp3"].hidden);
    EXPECT_TRUE(seen["sub"].isDirectory);
    EXPECT_FALSE(seen["sub"].hidden);
    EXPECT_TRUE(seen[".hiddendir"].hidden);

    EXPECT_FALSE(platform::DirReader(tmp.path("nowhere")).isOpen());
    EXPECT_TRUE(platform::directoryExists(tmp.path("sub")));
    EXPECT_FALSE(platform::directoryExists(tmp.path("song.mp3")));
    EXPECT_TRUE(platform::fileExists(tmp.path("song.mp3")));
}
#endif

#ifndef _WIN32 // the Win32 side keeps the order of the system's directory search
// Names byte by byte with a-z taken as A-Z, a prefix first, ties by the bytes themselves.
TEST(Platform, DirReaderGivesNamesInTheOrderNtfsKeeps)
{
    TempDir tmp;
    // Names alike in their first eight bytes are told apart by the rest.
    const std::vector<std::string> ordered = {"A",  "a",  "a b", "Ab", "ab", "b", "B1", "B1a", "longname10",
                                              "LongName1x", "longname1x", "z_", "_z", "\xC3\xA9", "\xC3\xA9x"};
    for (auto it = ordered.rbegin(); it != ordered.rend(); ++it)
        tmp.write(*it, "x");
    tmp.mkdir("a0");
    std::vector<std::string> seen;
    platform::DirReader reader(tmp.dir());
    for (platform::DirEntry e; reader.next(e);)
        seen.push_back(e.name);
    std::vector<std::string> expected = ordered;
    expected.insert(expected.begin() + 3, "a0"); // folders take their place among the files
    EXPECT_EQ(seen, expected);
}
#endif

TEST(Platform, SeparatorsFromWhatTheLocaleSays)
{
    struct { const char *decimal, *thousands, *monetary, *time, *expected; } cases[] = {
        {",", ".", ".", ":", ",.:"},
        {",", "", ".", ":", ",.:"},            // no grouping of numbers: money's
        {",", "", "", ":", ",.:"},             // none at all: the other of "," and "."
        {",", ",", "", ":", ",.:"},            // never the decimal separator
        {".", ".", ",", ":", ".,:"},
        {"", "", "", "", ".,:"},
        {".", "'", "'", ".", ".'."},
        {",", "\u202F", "", "\xE6\x99\x82", ",\u202F:"}, // a time separator is one ASCII punctuation mark
        {",", " ", "", "h", ", :"},
    };
    for (const auto& c : cases) {
        const auto seps = platform::chooseSeparators(c.decimal, c.thousands, c.monetary, c.time);
        EXPECT_EQ(seps.decimal + seps.thousands + seps.time, c.expected) << c.decimal << c.thousands << c.time;
    }
}

#ifndef _WIN32
TEST(Platform, HourMinuteSeparatorOfATimeFormat)
{
    struct { const char *format, *separator; } cases[] = {
        {"%T", ":"},     {"%H.%M.%S", "."},   {"%k:%M:%S", ":"}, {"%I:%M:%S %p", ":"},
        {"%OH:%OM", ":"}, {"%-H.%M", "."},     {"%R", ":"},       {"%H\xE6\x99\x82%M\xE5\x88\x86", "\xE6\x99\x82"},
        {"%H h %M", " h "}, {"%p %I%M", ""},   {"%S", ""},        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::hourMinuteSeparator(c.format), c.separator) << c.format;
}

// Locales built for the test into a folder of its own, so that it needs none installed.
class BuiltLocales {
public:
    explicit BuiltLocales(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            const std::string command = std::string("localedef -c -i ") + name + " -f UTF-8 '" + dir_.path(name) +
                                        ".UTF-8' >/dev/null 2>&1";
            const int status = std::system(command.c_str());
            EXPECT_TRUE(std::filesystem::exists(dir_.path(std::string(name) + ".UTF-8/LC_TIME")))
                << "localedef could not build " << name << " (status " << status << "; is the locales package installed?)";
        }
        if (const char* old = std::getenv("LOCPATH"))
            old_ = old;
        ::setenv("LOCPATH", dir_.path("").c_str(), 1);
    }
    ~BuiltLocales()
    {
        if (old_.empty())
            ::unsetenv("LOCPATH");
        else
            ::setenv("LOCPATH", old_.c_str(), 1);
    }

private:
    TempDir dir_;
    std::string old_;
};

// Every separator whole, in UTF-8, and never the decimal separator twice.
TEST(Platform, LocaleSeparatorsOfRealLocales)
{
    BuiltLocales built{"de_DE", "pt_PT", "bg_BG", "fi_FI", "ja_JP"};
    struct { const char *locale, *decimal, *thousands, *time; } cases[] = {
        {"de_DE.UTF-8", ",", ".", ":"},
        {"pt_PT.UTF-8", ",", ".", ":"},          // groups money only
        {"bg_BG.UTF-8", ",", "\u202F", ":"},     // likewise, with a narrow no-break space
        {"fi_FI.UTF-8", ",", "\u202F", "."},
        {"ja_JP.UTF-8", ".", ",", ":"},          // hours and minutes end in characters of their own
        {"C", ".", ",", ":"},
        {"xx_NOWHERE.UTF-8", ".", ",", ":"},
    };
    for (const auto& c : cases) {
        const auto seps = platform::localeSeparatorsOf(c.locale);
        EXPECT_EQ(seps.decimal, c.decimal) << c.locale;
        EXPECT_EQ(seps.thousands, c.thousands) << c.locale;
        EXPECT_EQ(seps.time, c.time) << c.locale;
    }
}
#endif

TEST(Platform, DosDateAndAttributes)
{
    EXPECT_EQ(platform::packDosDateTime(1980, 1, 1, 0, 0, 0), 0x00210000);
    EXPECT_EQ(platform::packDosDateTime(2024, 12, 31, 23, 59, 58),
              static_cast<std::int32_t>((44u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u));
    EXPECT_EQ(platform::packDosDateTime(1979, 12, 31, 0, 0, 0), -1);

    TempDir tmp;
    const std::string f = tmp.write("a.mp3", "x");
    EXPECT_NE(platform::fileDosDate(f), -1);
    EXPECT_EQ(platform::fileAttributes(f) & 0x20, 0x20);
#ifndef _WIN32 // hidden is an attribute of its own on Windows (tests/platform/win32_test.cpp)
    EXPECT_EQ(platform::fileAttributes(tmp.write(".h", "x")) & 0x02, 0x02);
#endif
    EXPECT_EQ(platform::fileAttributes(tmp.path("missing")), -1);
    EXPECT_EQ(platform::fileDosDate(tmp.path("missing")), -1);
    // The open file reports the same as a look-up by name.
    platform::ReadOnlyFile open(f);
    EXPECT_EQ(open.dosDate(), platform::fileDosDate(f));
    EXPECT_EQ(open.attributes(), platform::fileAttributes(f));
#ifndef _WIN32
    EXPECT_EQ(platform::ReadOnlyFile(tmp.path(".h")).attributes() & 0x02, 0x02);
#endif
}

TEST(Platform, ReadOnlyFileReadsAtOffsetsAndNamesTheFileItCannotOpen)
{
    TempDir tmp;
    platform::ReadOnlyFile f(tmp.write("d.bin", "0123456789"));
    EXPECT_EQ(f.size(), 10);
    char buf[8] = {};
    EXPECT_EQ(f.readAt(6, buf, 8), 4u);
    EXPECT_EQ(std::string(buf, 4), "6789");
    try {
        platform::ReadOnlyFile missing(tmp.path("missing.mp3"));
        FAIL();
    } catch (const platform::FileOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + tmp.path("missing.mp3"));
    }
    // A folder opens on some systems; reading it is an error that names it, never a crash or garbage.
    int err = 0;
    if (auto dir = platform::ReadOnlyFile::tryOpen(tmp.dir(), err)) {
        EXPECT_EQ(dir->size(), 0);
        try {
            dir->readAt(0, buf, 8);
            ADD_FAILURE() << "a folder read as a file";
        } catch (const platform::InOutError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(tmp.dir() + ": ", 0), 0u) << e.what();
        }
    }
}

TEST(Platform, AtomicFileAppearsOnlyOnCommit)
{
    TempDir tmp;
    const std::string target = tmp.write("page.htm", "old");
    {
        platform::AtomicFile f(target);
        f.write("new", 3);
        EXPECT_EQ(readFile(target), "old");
        EXPECT_EQ(tmp.entryCount(), 2u);
    }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(tmp.entryCount(), 1u);
    {
        platform::AtomicFile f(target);
        f.write("new", 3);
        f.commit();
    }
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(tmp.entryCount(), 1u);
    EXPECT_THROW(platform::AtomicFile(tmp.path("no/such/dir/p.htm")), platform::FileCreateError);

    // Temporary files of a killed run go when the next file is made beside them; one that a
    // file being written holds stays, and so do other names.
    const std::string abandoned = tmp.write(".tunesheet-0123abcd.tmp", "killed");
    for (const char* other : {".tunesheet-0123abc.tmp", ".tunesheet-0123abcg.tmp", "tunesheet-0123abcd.tmp"})
        tmp.write(other, "not ours");
    {
        platform::AtomicFile writing(target);
        EXPECT_FALSE(std::filesystem::exists(fsPath(abandoned)));
        writing.write("newer", 5);
        {
            platform::AtomicFile another(target);
            EXPECT_EQ(tmp.entryCount(), 6u);
        }
        writing.commit();
    }
    EXPECT_EQ(readFile(target), "newer");
    EXPECT_EQ(tmp.entryCount(), 4u);
#ifndef _WIN32 // a path there is shorter than the longest name
    // The temporary file's name is short whatever the target's, so the longest name works too.
    const std::string longest = tmp.path(std::string(251, 'p') + ".htm");
    {
        platform::AtomicFile f(longest);
        f.write("new", 3);
        f.commit();
    }
    EXPECT_EQ(readFile(longest), "new");
#endif
}

TEST(Platform, ErrorMessages)
{
    using platform::InOutError;
    EXPECT_STREQ(InOutError(InOutError::ReadBeyondEnd).what(), "Read beyond end of file");
    EXPECT_STREQ(InOutError(InOutError::ReadBeyondEnd, "a.settings").what(), "a.settings: Read beyond end of file");
    EXPECT_STREQ(InOutError(1234).what(), "I/O error 1234");
    EXPECT_STREQ(platform::StreamReadError().what(), "Stream read error");
    EXPECT_STREQ(platform::StreamReadError("a.mp3").what(), "a.mp3: Stream read error");
    EXPECT_STREQ(platform::FileCreateError("x.htm").what(), "Cannot create file x.htm");
    // A system error keeps the system's text, also where its number is one of the program's
    // own codes (5 and 29 are "access denied" and "disk write error" to the classic runtime).
    for (int code : {2, 5, 29, 100, 101}) {
        const std::string text = platform::systemErrorText(code);
        EXPECT_EQ(InOutError::fromSystem(code).what(), text);
        EXPECT_EQ(InOutError::fromSystem(code, "a.mp3").what(), "a.mp3: " + text);
        EXPECT_EQ(InOutError::fromSystem(code).code(), code);
        EXPECT_EQ(text.find("System error"), std::string::npos) << code;
        EXPECT_NE(text.back(), '\n');
    }
#ifndef _WIN32
    EXPECT_EQ(platform::systemErrorText(EIO), "Input/output error");
    EXPECT_EQ(platform::systemErrorText(ESPIPE), "Illegal seek");
#endif

    // Beside its English message each error carries its kind, its file and the system's code,
    // from which the window words its own message.
    using platform::ErrorKind;
    using platform::SystemCause;
    TempDir tmp;
    const std::string missing = tmp.path("missing.mp3");
    try {
        platform::ReadOnlyFile file(missing);
        FAIL();
    } catch (const platform::TunesheetError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
        EXPECT_EQ(e.kind(), ErrorKind::CannotOpen);
        EXPECT_EQ(e.file(), missing);
        EXPECT_EQ(platform::systemCause(e.systemCode()), SystemCause::NotFound);
    }
    const std::string folder = tmp.mkdir("folder.htm");
    try {
        platform::AtomicFile file(folder);
        FAIL();
    } catch (const platform::TunesheetError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::CannotCreate);
        EXPECT_EQ(e.file(), folder);
#ifndef _WIN32
        EXPECT_EQ(platform::systemCause(e.systemCode()), SystemCause::IsFolder);
#endif
    }
    EXPECT_EQ(InOutError(InOutError::ReadBeyondEnd, "a.settings").kind(), ErrorKind::ReadBeyondEnd);
    EXPECT_EQ(InOutError(InOutError::ReadBeyondEnd, "a.settings").file(), "a.settings");
    EXPECT_EQ(InOutError(InOutError::DiskFull, "p.htm").kind(), ErrorKind::DiskFull);
    EXPECT_EQ(platform::StreamReadError("a.mp3").kind(), ErrorKind::ReadFailed);
    EXPECT_EQ(platform::ListIndexError(8).kind(), ErrorKind::ListIndex);
    const InOutError system = InOutError::fromSystem(2, "a.mp3");
    EXPECT_EQ(system.kind(), ErrorKind::System);
    EXPECT_EQ(system.systemCode(), 2);
    EXPECT_EQ(platform::systemCause(2), SystemCause::NotFound); // ENOENT and ERROR_FILE_NOT_FOUND alike
    EXPECT_EQ(platform::systemCause(12345), SystemCause::Other);
}

#ifndef _WIN32 // Windows sends a window no such requests
// A request to stop that the program was started to ignore (a hangup under nohup) stays
// ignored; the others are caught.
TEST(Platform, StopRequestsIgnoredAtTheStartStayIgnored)
{
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGHUP, SIG_IGN);
        std::signal(SIGTERM, SIG_DFL);
        const int requests = platform::catchStopRequests();
        char request = 0;
        std::raise(SIGHUP);
        const bool hangupCaught = ::read(requests, &request, 1) == 1;
        std::raise(SIGTERM);
        const bool terminationCaught = ::read(requests, &request, 1) == 1 && request == SIGTERM;
        ::_exit(!hangupCaught && terminationCaught ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}
#endif

} // namespace

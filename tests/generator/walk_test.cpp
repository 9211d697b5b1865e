#include "generator/tunesheet_class.h"

#include "audio/fixtures.h"
#include "common/Unprivileged.h"
#include "generator/PageFixture.h"
#include "generator/ReaderCount.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include "platform/Path.h"

#include <algorithm>
#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const std::string TableLine = "<table cellspacing=0 cellpadding=1 border=1>";
const std::string D(1, platform::PathDelimiter);

// Hidden as the walk sees it: a name starting with "." on POSIX, the attribute on Windows.
void hide(const std::string& path)
{
#ifdef _WIN32
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), ::GetFileAttributesA(path.c_str()) | FILE_ATTRIBUTE_HIDDEN));
#else
    ASSERT_EQ(platform::extractFileName(path)[0], '.');
#endif
}

// The rows' file names sorted, where the order is not what the test looks at.
std::vector<std::string> listedNames(const std::vector<std::string>& lines)
{
    std::vector<std::string> names = namesInPageOrder(lines);
    std::sort(names.begin(), names.end());
    return names;
}

using WalkRun = FileNameRun;

TEST(Walk, OnlyNamesEndingInDotMp3InAnyCaseAreListed)
{
    TempDir in;
    for (const char* name : {"a.mp3", "B.MP3", "c.Mp3", ".mp3", "d.mp3.txt", "e.mp", "mp3", "f.mp3x", ".hidden.mp3"})
        in.write(name, "x");
    WalkRun run;
    EXPECT_EQ(listedNames(run.lines(in.dir())),
              (std::vector<std::string>{".hidden.mp3", ".mp3", "B.MP3", "a.mp3", "c.Mp3"}));
}

TEST(Walk, EveryFolderWithAFileGetsATableAndFoldersOfOnlyFoldersGetNone)
{
    TempDir in;
    in.write("top/cover.jpg");
    in.write("top/inner/song.mp3", "x");
    in.mkdir("onlydirs/empty");
    in.write(".secret/hidden.mp3", "x");
    in.write("top/.cache/deep/x.mp3", "x");
    hide(in.path(".secret"));
    hide(in.path("top/.cache"));
    WalkRun run;
    run.settings.IncludeSubdirs = true;
    run.settings.DirOverTable = true;
    auto lines = run.lines(in.dir());
    EXPECT_EQ(countLines(lines, TableLine), 2);
    EXPECT_EQ(listedNames(lines), std::vector<std::string>{"song.mp3"});
    EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + in.dir() + "top" + D + " " + in.dir() + "</b></span>"), 1);
    EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + in.dir() + "top" + D + "inner" + D + " " + in.dir() + "</b></span>"), 1);
    // The folder's own table comes before those of its subfolders.
    auto top = std::find(lines.begin(), lines.end(), "<span class=mp3><b>" + in.dir() + "top" + D + " " + in.dir() + "</b></span>");
    auto inner = std::find(lines.begin(), lines.end(),
                           "<span class=mp3><b>" + in.dir() + "top" + D + "inner" + D + " " + in.dir() + "</b></span>");
    EXPECT_LT(top, inner);
}

TEST(Walk, SubfoldersAreIgnoredWithoutIncludeSubdirsEvenInOneTable)
{
    TempDir in;
    in.write("root.mp3", "x");
    in.write("sub/inner.mp3", "x");
    WalkRun run;
    run.settings.AllDirsInOneTable = true;
    EXPECT_EQ(listedNames(run.lines(in.dir())), std::vector<std::string>{"root.mp3"});
}

TEST(Walk, OneTableModeHasOneTableOneHeaderAndOneCaptionNamingTheRoot)
{
    TempDir in;
    in.write("a/1.mp3", "x");
    in.write("b/2.mp3", "x");
    in.write("b/c/3.mp3", "x");
    WalkRun run;
    run.settings.IncludeSubdirs = true;
    run.settings.AllDirsInOneTable = true;
    run.settings.DirOverTable = true;
    auto lines = run.lines(in.dir());
    EXPECT_EQ(countLines(lines, TableLine), 1);
    EXPECT_EQ(countPrefix(lines, "<tr><th"), 1);
    EXPECT_EQ(countPrefix(lines, "<span class=mp3>"), 1);
    EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + in.dir() + " " + in.dir() + "</b></span>"), 1);
    EXPECT_EQ(listedNames(lines), (std::vector<std::string>{"1.mp3", "2.mp3", "3.mp3"}));
}

TEST(Walk, InputDirWithoutTrailingDelimiterIsWalkedWithOneAndShownAsStored)
{
    TempDir in;
    in.write("Rock/song.mp3", "x");
    in.write("top.mp3", "x");
    std::string stored = in.dir();
    stored.pop_back();
    WalkRun run;
    run.settings.IncludeSubdirs = true;
    run.settings.DirOverTable = true;
    auto lines = run.lines(stored);
    EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + in.dir() + " " + stored + "</b></span>"), 1);
    EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + in.dir() + "Rock" + D + " " + stored + "</b></span>"), 1);
}

#ifndef _WIN32 // symbolic links to folders need rights that Windows users rarely have
TEST(Walk, LinkBackToAnAncestorIsNotEnteredAgain)
{
    TempDir in;
    in.write("music/a.mp3", "x");
    std::filesystem::create_directory_symlink(in.path("music"), in.path("music/loop"));
    in.mkdir("other");
    std::filesystem::create_directory_symlink(in.path("other"), in.path("music/elsewhere"));
    in.write("other/b.mp3", "x");
    WalkRun run;
    run.settings.IncludeSubdirs = true;
    auto lines = run.lines(in.path("music"));
    // The loop is skipped; a link to a folder outside the walk's path is followed.
    EXPECT_EQ(listedNames(lines), (std::vector<std::string>{"a.mp3", "b.mp3"}));
}
#endif

#ifndef _WIN32 // the Win32 side keeps the order of the system's directory search
// Rows and subfolders alike in the order of their names with a-z taken as A-Z.
TEST(Walk, FilesAndSubfoldersComeInNameOrder)
{
    TempDir in;
    for (const char* name : {"b/2.mp3", "a/1.mp3", "A/0.mp3", "02 Night Drive.mp3", "01 First Light.mp3",
                             "ab.mp3", "AB.mp3", "a.mp3", "_x.mp3", "Zz.mp3"})
        in.write(name, "x");
    WalkRun run;
    run.settings.IncludeSubdirs = true;
    EXPECT_EQ(namesInPageOrder(run.lines(in.dir())),
              (std::vector<std::string>{"01 First Light.mp3", "02 Night Drive.mp3", "a.mp3", "AB.mp3", "ab.mp3",
                                        "Zz.mp3", "_x.mp3", "0.mp3", "1.mp3", "2.mp3"}));
}

// Folders made and removed by their names alone, one below the other, so that the whole path
// may be longer than the system lets a path be; only the deepest is held open at a time.
class DeepFolders {
public:
    DeepFolders(const std::string& root, const std::string& name, int levels, const std::string& file)
        : name_(name), file_(file)
    {
        fd_ = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (; levels_ < levels && fd_ >= 0; ++levels_) {
            ::mkdirat(fd_, name.c_str(), 0755);
            const int below = ::openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(fd_);
            fd_ = below;
        }
        if (fd_ >= 0)
            ::close(::openat(fd_, file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    }
    ~DeepFolders()
    {
        if (fd_ < 0)
            return;
        ::unlinkat(fd_, file_.c_str(), 0);
        for (; levels_ > 0; --levels_) {
            const int above = ::openat(fd_, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(fd_);
            fd_ = above;
            ::unlinkat(fd_, name_.c_str(), AT_REMOVEDIR);
        }
        ::close(fd_);
    }
    bool made() const { return fd_ >= 0; }

private:
    std::string name_, file_;
    int fd_ = -1;
    int levels_ = 0;
};

// Threads started meanwhile get a stack of `size` bytes.
class SmallThreadStacks {
public:
    explicit SmallThreadStacks(std::size_t size)
    {
        ::pthread_getattr_default_np(&before_);
        pthread_attr_t small;
        ::pthread_attr_init(&small);
        ::pthread_attr_setstacksize(&small, size);
        ::pthread_setattr_default_np(&small);
        ::pthread_attr_destroy(&small);
    }
    ~SmallThreadStacks()
    {
        ::pthread_setattr_default_np(&before_);
        ::pthread_attr_destroy(&before_);
    }

private:
    pthread_attr_t before_;
};

TEST(Walk, AFolderDeeperThanTheLongestPathIsListed)
{
    TempDir in;
    in.write("z.mp3", "x");
    DeepFolders deep(in.dir(), std::string(250, 'd'), PATH_MAX / 250 + 2, "deep.mp3");
    ASSERT_TRUE(deep.made());
    WalkRun run;
    run.settings.IncludeSubdirs = true;
    EXPECT_EQ(namesInPageOrder(run.lines(in.dir())), (std::vector<std::string>{"z.mp3", "deep.mp3"}));
}

// A tree thousands of folders deep needs no deeper call stack than a shallow one: the walk
// runs on a thread with a small stack here, and still comes back to the levels above.
TEST(Walk, ATreeThousandsOfFoldersDeepIsListedOnASmallStack)
{
    TempDir in;
    in.write("z.mp3", "x");
    in.write("a/top.mp3", "x");
    DeepFolders deep(in.path("a"), "d", 2000, "bottom.mp3");
    ASSERT_TRUE(deep.made());
    in.write("b/last.mp3", "x");
#ifndef __SANITIZE_THREAD__ // which starts no thread on so small a stack
    SmallThreadStacks small(256 << 10);
#endif
    WalkRun run;
    run.settings.IncludeSubdirs = true;
    EXPECT_EQ(namesInPageOrder(run.lines(in.dir())),
              (std::vector<std::string>{"z.mp3", "top.mp3", "bottom.mp3", "last.mp3"}));
}

// Folders deep below the walk's current one are opened from their parents again, so a deep
// tree needs no more open descriptors than a shallow one.
TEST(Walk, ADeepTreeHoldsFewDescriptorsAndComesBackToEveryLevel)
{
    TempDir in;
    std::string chain;
    for (int i = 0; i < 150; ++i)
        chain += "a/";
    in.write(chain + "bottom.mp3", "x");
    in.write("a/a/a/b/side.mp3", "x");
    in.write("c/last.mp3", "x");
    auto openDescriptors = [] {
        std::size_t n = 0;
        for (auto it = std::filesystem::directory_iterator("/proc/self/fd"); it != std::filesystem::directory_iterator(); ++it)
            ++n;
        return n;
    };
    const std::size_t before = openDescriptors();
    std::size_t most = 0;
    WalkRun run;
    run.settings.IncludeSubdirs = true;
    run.onProgress = [&](const GenerateProgress&) {
        most = std::max(most, openDescriptors());
        return true;
    };
    EXPECT_EQ(namesInPageOrder(run.lines(in.dir())), (std::vector<std::string>{"bottom.mp3", "side.mp3", "last.mp3"}));
    EXPECT_LT(most, before + 50);
}
#endif

// A library for several readers: folders three deep, empty ones, one of folders only, folders
// of more files than a reader takes at once, and files that each reader reads differently:
// bare frames, tags of both versions, a picture before the texts (a read past the first 16 KB),
// no frame at all.
void makeLibrary(const TempDir& in)
{
    using namespace fixtures;
    auto str = [](const Bytes& b) { return std::string(b.begin(), b.end()); };
    Id3v1Fields v1;
    v1.title = "Old title";
    v1.artist = "Old artist";
    const Bytes audio = frames(cbrHeader(), 417, 12);
    const Bytes kinds[] = {
        audio,
        id3v2Tag(textFrame("TIT2", "Title & more") + textFrame("TPE1", "\xFF\xFE" "A\0r\0t\0", 1)) + audio + id3v1Block(v1),
        id3v2Tag(id3v2Frame("APIC", zeros(40000)) + textFrame("TALB", "Album")) + audio,
        zeros(3000),
    };
    const char* const folders[] = {"", "a/", "a/b/", "a/b/c/", "b/", "b/x/", "c/"};
    int n = 0;
    for (const char* folder : folders)
        for (int f = 0; f < 45; ++f, ++n)
            in.write(folder + std::string(f < 10 ? "0" : "") + std::to_string(f) + ".mp3", str(kinds[n % 4]));
    in.write("a/cover.jpg", "x");
    in.mkdir("empty");
    in.mkdir("b/only/folders/here");
}

TGeneratorSettings everyColumn()
{
    TGeneratorSettings s = initialFormSettings();
    s.IncludeSubdirs = true;
    s.DirOverTable = true;
    s.ActiveLinks = alArtist | alTitle | alFileName;
    return s;
}

TEST(Walk, ManyReadersWriteThePageOneReaderWrites)
{
    TempDir in;
    makeLibrary(in);
    for (bool oneTable : {false, true}) {
        PageRun run;
        run.settings = everyColumn();
        run.settings.AllDirsInOneTable = oneTable;
        run.readers = 1;
        const std::string page = run.generate(in.dir());
        ASSERT_EQ(countPrefix(pageLines(page), "<tr><td"), 7 * 45);
        for (int readers : {2, 7, 0}) {
            run.readers = readers;
            EXPECT_EQ(run.generate(in.dir()), page) << readers << " readers, one table: " << oneTable;
        }
    }
}

// The first file in walk order that cannot be read ends the run with its error, whichever
// reader got to which file first; the old page stays.
TEST(Walk, AnUnreadableFileEndsTheRunAtThatFileWhateverTheReaders)
{
    TempDir in;
    makeLibrary(in);
    const std::string first = in.dir() + "b" + D + "21.mp3", later = in.dir() + "b" + D + "x" + D + "03.mp3";
    PageRun run;
    run.settings = everyColumn();
    const std::string old = run.out.write("page.htm", "old");
    auto generate = [&] {
        for (int readers : {1, 8, 0}) {
            run.readers = readers;
            try {
                run.generate(in.dir());
                ADD_FAILURE() << readers << " readers went past a file they cannot read";
            } catch (const platform::TunesheetError& e) {
                EXPECT_EQ(std::string(e.what()), "Cannot open file " + first) << readers << " readers";
            }
            EXPECT_EQ(readFile(old), "old");
            EXPECT_EQ(run.out.entryCount(), 1u);
        }
    };
#ifdef _WIN32
    // Held open by another program that shares them with nobody.
    HANDLE locks[2];
    for (int i = 0; i < 2; ++i) {
        locks[i] = ::CreateFileA((i == 0 ? first : later).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(locks[i], INVALID_HANDLE_VALUE);
    }
    generate();
    for (HANDLE lock : locks)
        ::CloseHandle(lock);
#else
    std::filesystem::permissions(first, std::filesystem::perms::none);
    std::filesystem::permissions(later, std::filesystem::perms::none);
    giveToUnprivilegedUser(run.out.dir());
    giveToUnprivilegedUser(old);
    asUnprivilegedUser(generate);
#endif
}

// A stop asked for in the middle ends the run there: no row is reported after it, the old page
// stays and nothing is left beside it.
TEST(Walk, AStopInTheMiddleEndsTheRunThereWhateverTheReaders)
{
    TempDir in;
    makeLibrary(in);
    PageRun run;
    run.settings = everyColumn();
    const std::string old = run.out.write("page.htm", "old");
    std::uint64_t lastSeen = 0;
    run.onProgress = [&](const GenerateProgress& p) {
        lastSeen = p.filesListed;
        return p.filesListed < 100;
    };
    for (int readers : {1, 8, 0}) {
        SCOPED_TRACE(std::to_string(readers) + " readers");
        run.readers = readers;
        EXPECT_THROW(run.generate(in.dir()), GenerationCancelled);
        EXPECT_EQ(lastSeen, 100u);
        EXPECT_EQ(readFile(old), "old");
        EXPECT_EQ(run.out.entryCount(), 1u);
    }
}

// While reads wait, a few readers for every core, each taking files to open ahead; more, up to
// the most, while files wait long and are left for them; as many while fewer files wait; once
// reads come from memory again, back to one reader per core taking many. A fixed number stays.
TEST(Walk, ReadersGrowWhileReadsWaitAndShrinkBackWhenTheyDoNot)
{
    ReaderCount count(0, 2, 64);
    EXPECT_EQ(count.target(), 2);
    count.chunkRead(16, 2000000, 1000000, 1);
    EXPECT_EQ(count.target(), 2);
    EXPECT_FALSE(count.waiting());
    // A disk: each file waits a fraction of a millisecond.
    count.chunkRead(4, 1000000, 200000, 4);
    EXPECT_EQ(count.target(), ReaderCount::WaitingReaders);
    EXPECT_TRUE(count.waiting());
    EXPECT_EQ(count.chunk(100000), ReaderCount::WaitingChunk);
    EXPECT_EQ(count.chunk(10), 5u);
    count.chunkRead(16, 3000000, 1000000, 3);
    EXPECT_EQ(count.target(), ReaderCount::WaitingReaders);
    // A share: each file waits milliseconds, but not while no file is left for another reader.
    count.chunkRead(2, 8000000, 100000, 2, false);
    EXPECT_EQ(count.target(), ReaderCount::WaitingReaders);
    for (int i = 0; i < 5; ++i)
        count.chunkRead(2, 8000000, 100000, 2);
    EXPECT_EQ(count.target(), 64);
    for (int i = 0; i < 100; ++i)
        count.chunkRead(16, 200000, 190000, 0);
    EXPECT_EQ(count.target(), 2);
    EXPECT_FALSE(count.waiting());
    EXPECT_EQ(count.chunk(1000), ReaderCount::MostChunk);
    EXPECT_EQ(count.chunk(3), 1u);

    // Where waits are not counted: a warm chunk preempted for a while is no waiting; a file
    // that takes milliseconds with little processor time is.
    count.chunkRead(16, 2000000, 150000, -1);
    EXPECT_EQ(count.target(), 2);
    count.chunkRead(4, 1500000, 100000, -1);
    EXPECT_EQ(count.target(), ReaderCount::WaitingReaders);

    ReaderCount fixed(8, 2, 64);
    fixed.chunkRead(2, 8000000, 100000, 8);
    EXPECT_EQ(fixed.target(), 8);
    EXPECT_FALSE(fixed.waiting());
}

TEST(Walk, ProgressCountsTheRowsAndNamesTheFolder)
{
    TempDir in;
    in.write("a.mp3", "x");
    in.write("sub/b.mp3", "x");
    in.write("sub/c.txt", "x");
    PageRun run;
    run.settings.IncludeSubdirs = true;
    std::vector<std::pair<std::uint64_t, std::string>> seen;
    run.onProgress = [&seen](const GenerateProgress& p) {
        seen.emplace_back(p.filesListed, p.currentDir);
        return true;
    };
    run.generate(in.dir());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().first, 2u);
    EXPECT_EQ(seen.back().second, in.dir() + "sub" + D);
    EXPECT_EQ(seen.front(), std::make_pair(std::uint64_t(0), in.dir()));
}

} // namespace

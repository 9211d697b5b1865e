// The walk over what only Windows has: attributes that hide a folder, and drive roots.
#include "generator/tunesheet_class.h"
#include "platform/Path.h"

#include "generator/PageFixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace {

void setAttributes(const std::string& path, DWORD attributes)
{
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), attributes)) << path;
}

struct WalkRun : FileNameRun {
    WalkRun()
    {
        settings.IncludeSubdirs = true;
        settings.DirOverTable = true;
    }
};

// A drive letter standing for a folder of the test, as "subst" makes one; removed at the end.
class SubstDrive {
public:
    explicit SubstDrive(const std::string& folder)
    {
        const DWORD used = ::GetLogicalDrives();
        for (char letter = 'Y'; letter > 'D'; --letter) {
            if (used & (1u << (letter - 'A')))
                continue;
            const std::string drive = std::string(1, letter) + ":";
            std::string target = folder;
            if (target.size() > 3 && target.back() == '\\')
                target.pop_back();
            if (::DefineDosDeviceA(0, drive.c_str(), target.c_str())) {
                drive_ = drive;
                return;
            }
        }
    }
    ~SubstDrive()
    {
        if (!drive_.empty())
            ::DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive_.c_str(), nullptr);
    }
    // "X:", or empty when no letter could be defined.
    const std::string& drive() const { return drive_; }

private:
    std::string drive_;
};

TEST(Win32Walk, HiddenAndSystemFilesAreListedButSuchFoldersAreNotWalked)
{
    TempDir in;
    for (const char* name : {"plain.mp3", "hidden.mp3", "system.mp3", "readonly.mp3"})
        in.write(name, "x");
    in.write("Visible/in.mp3", "x");
    in.write("Hidden/skipped.mp3", "x");
    in.write("Hidden/Below/skipped too.mp3", "x");
    in.write("System/skipped.mp3", "x");
    setAttributes(in.path("hidden.mp3"), FILE_ATTRIBUTE_HIDDEN);
    setAttributes(in.path("system.mp3"), FILE_ATTRIBUTE_SYSTEM);
    setAttributes(in.path("readonly.mp3"), FILE_ATTRIBUTE_READONLY);
    setAttributes(in.path("Hidden"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    setAttributes(in.path("System"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);
    WalkRun run;
    auto names = namesInPageOrder(run.lines(in.dir()));
    setAttributes(in.path("readonly.mp3"), FILE_ATTRIBUTE_NORMAL);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"hidden.mp3", "in.mp3", "plain.mp3", "readonly.mp3", "system.mp3"}));
}

TEST(Win32Walk, FilesAndFoldersComeInTheFileSystemsOrder)
{
    TempDir in;
    for (const char* name : {"m.mp3", "B.mp3", "a.mp3", "c.mp3", "Z/1.mp3", "K/2.mp3"})
        in.write(name, "x");
    // The order FindFirstFile gives, folders walked after the folder's own files.
    std::vector<std::string> files, folders;
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA((in.dir() + "*").c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(name == "Z" ? "1.mp3" : "2.mp3");
        else
            files.push_back(name);
    } while (::FindNextFileA(h, &data));
    ::FindClose(h);
    files.insert(files.end(), folders.begin(), folders.end());
    WalkRun run;
    EXPECT_EQ(namesInPageOrder(run.lines(in.dir())), files);
}

// A drive letter whose root the test may fill: one defined for a folder of the test where the
// system allows it, else the one the environment names (Wine's drives are links that CTest makes).
TEST(Win32Walk, ADriveRootIsWalkedAndShownWithItsOneDelimiter)
{
    TempDir in;
    SubstDrive subst(in.dir());
    std::string drive = subst.drive();
    if (drive.empty() || !platform::directoryExists(drive + "\\")) {
        const char* given = std::getenv("TUNESHEET_TEST_DRIVE");
        if (!given || !*given)
            GTEST_SKIP() << "no drive letter for the test";
        drive = given;
    }
    const std::string root = drive + "\\";
    ASSERT_TRUE(platform::directoryExists(root)) << root;
    ASSERT_TRUE(::CreateDirectoryA((root + "Rock").c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    for (const char* name : {"top.mp3", "Rock\\song.mp3"}) {
        HANDLE h = ::CreateFileA((root + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
        DWORD written = 0;
        ::WriteFile(h, "x", 1, &written, nullptr);
        ::CloseHandle(h);
    }
    for (const std::string& stored : {root, drive}) {
        WalkRun run;
        auto lines = run.lines(stored);
        EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + root + " " + stored + "</b></span>"), 1) << stored;
        EXPECT_EQ(countLines(lines, "<span class=mp3><b>" + root + "Rock\\ " + stored + "</b></span>"), 1) << stored;
        auto names = namesInPageOrder(lines);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"song.mp3", "top.mp3"})) << stored;
    }
}

} // namespace

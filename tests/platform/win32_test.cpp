// The Win32 side of the platform layer: what FindFirstFile reports, 64-bit sizes, local file
// dates, paths with drive letters, the user locale, LoadLibrary and the version API.
#include "lang/LanguageAbi.h"
#include "platform/DirReader.h"
#include "platform/DynamicLibrary.h"
#include "platform/FileInfo.h"
#include "platform/LocaleSeparators.h"
#include "platform/NarrowText.h"
#include "platform/Path.h"
#include "platform/ReadOnlyFile.h"
#include "platform/VersionInfo.h"

#include "common/TempDir.h"

#include "ProgramVersion.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cfenv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <vector>

namespace {

const std::string bin = std::string(TUNESHEET_BIN_DIR) + "\\";

void setAttributes(const std::string& path, DWORD attributes)
{
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), attributes)) << path;
}

std::map<std::string, platform::DirEntry> listing(const std::string& dir)
{
    std::map<std::string, platform::DirEntry> seen;
    platform::DirReader reader(dir);
    EXPECT_TRUE(reader.isOpen()) << dir;
    platform::DirEntry e;
    while (reader.next(e))
        seen[e.name] = e;
    return seen;
}

TEST(Win32DirReader, ListsFilesOfEveryAttributeAndMarksHiddenAndSystemFolders)
{
    TempDir tmp;
    tmp.write("plain.mp3", std::string(1234, 'x'));
    for (const char* name : {"hidden.mp3", "system.mp3", "readonly.mp3", "both.mp3"})
        tmp.write(name, "x");
    tmp.mkdir("sub");
    tmp.mkdir("hiddendir");
    tmp.mkdir("systemdir");
    setAttributes(tmp.path("hidden.mp3"), FILE_ATTRIBUTE_HIDDEN);
    setAttributes(tmp.path("system.mp3"), FILE_ATTRIBUTE_SYSTEM);
    setAttributes(tmp.path("readonly.mp3"), FILE_ATTRIBUTE_READONLY);
    setAttributes(tmp.path("both.mp3"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    setAttributes(tmp.path("hiddendir"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    setAttributes(tmp.path("systemdir"), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);

    auto seen = listing(tmp.dir());
    EXPECT_EQ(seen.size(), 8u) << "\".\" and \"..\" are never listed";
    EXPECT_EQ(seen["plain.mp3"].size, 1234u);
    EXPECT_FALSE(seen["plain.mp3"].hidden || seen["plain.mp3"].system || seen["plain.mp3"].isDirectory);
    EXPECT_TRUE(seen["hidden.mp3"].hidden);
    EXPECT_TRUE(seen["system.mp3"].system);
    EXPECT_TRUE(seen.count("readonly.mp3"));
    EXPECT_TRUE(seen["both.mp3"].hidden && seen["both.mp3"].system);
    EXPECT_TRUE(seen["sub"].isDirectory);
    EXPECT_FALSE(seen["sub"].hidden || seen["sub"].system);
    EXPECT_TRUE(seen["hiddendir"].isDirectory && seen["hiddendir"].hidden);
    EXPECT_TRUE(seen["systemdir"].isDirectory && seen["systemdir"].system);
    // A folder's identity is stable and tells two folders apart.
    platform::DirIdentity sub;
    ASSERT_TRUE(platform::directoryIdentity(tmp.path("sub"), sub));
    EXPECT_EQ(seen["sub"].identity, sub);
    EXPECT_FALSE(seen["sub"].identity == seen["hiddendir"].identity);

    // The attribute bits are the classic ones.
    EXPECT_EQ(platform::fileAttributes(tmp.path("hidden.mp3")) & 0x02, 0x02);
    EXPECT_EQ(platform::fileAttributes(tmp.path("system.mp3")) & 0x04, 0x04);
    EXPECT_EQ(platform::fileAttributes(tmp.path("readonly.mp3")) & 0x01, 0x01);
    EXPECT_EQ(platform::fileAttributes(tmp.path("sub")) & 0x10, 0x10);
    EXPECT_EQ(platform::ReadOnlyFile(tmp.path("both.mp3")).attributes() & 0x06, 0x06);
    // The read-only file can be read; the folder may be removed by the test afterwards.
    setAttributes(tmp.path("readonly.mp3"), FILE_ATTRIBUTE_NORMAL);
}

TEST(Win32DirReader, EntriesComeInTheFileSystemsOrder)
{
    TempDir tmp;
    for (const char* name : {"m.mp3", "B.mp3", "a.mp3", "c.mp3"})
        tmp.write(name, "x");
    tmp.mkdir("z");
    tmp.mkdir("K");
    std::vector<std::string> system;
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA((tmp.dir() + "*").c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    do {
        if (std::strcmp(data.cFileName, ".") != 0 && std::strcmp(data.cFileName, "..") != 0)
            system.push_back(data.cFileName);
    } while (::FindNextFileA(h, &data));
    ::FindClose(h);

    std::vector<std::string> ours;
    platform::DirReader reader(tmp.dir());
    platform::DirEntry e;
    while (reader.next(e))
        ours.push_back(e.name);
    EXPECT_EQ(ours, system) << "no sorting of our own";
    EXPECT_EQ(ours.size(), 6u);
}

TEST(Win32DirReader, MissingFoldersAndFilesAreNotOpened)
{
    TempDir tmp;
    tmp.write("song.mp3", "x");
    EXPECT_FALSE(platform::DirReader(tmp.path("nowhere")).isOpen());
    EXPECT_FALSE(platform::DirReader(tmp.path("song.mp3")).isOpen());
    EXPECT_TRUE(platform::directoryExists(tmp.dir()));
    EXPECT_TRUE(platform::directoryExists(tmp.path("")));
    EXPECT_FALSE(platform::directoryExists(tmp.path("song.mp3")));
    EXPECT_TRUE(platform::fileExists(tmp.path("song.mp3")));
    EXPECT_FALSE(platform::fileExists(tmp.dir()));
    // Windows takes '/' for a delimiter too.
    std::string slashed = tmp.path("song.mp3");
    for (char& c : slashed)
        c = c == '\\' ? '/' : c;
    EXPECT_TRUE(platform::fileExists(slashed));
}

TEST(Win32Files, SizesAbove4GiBAreReportedWhole)
{
    TempDir tmp;
    const std::string big = tmp.path("big.mp3");
    const std::uint64_t size = (5ull << 30) + 3;
    {
        HANDLE h = ::CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD ignored = 0;
        ::DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr); // no 5 GB written
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size - 3);
        ASSERT_TRUE(::SetFilePointerEx(h, end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::WriteFile(h, "END", 3, &ignored, nullptr));
        ::CloseHandle(h);
    }
    auto seen = listing(tmp.dir());
    EXPECT_EQ(seen["big.mp3"].size, size);
    platform::ReadOnlyFile f(big);
    EXPECT_EQ(f.size(), static_cast<std::int64_t>(size));
    char buf[8] = {};
    EXPECT_EQ(f.readAt(static_cast<std::int64_t>(size) - 3, buf, sizeof buf), 3u);
    EXPECT_EQ(std::string(buf, 3), "END");
    EXPECT_EQ(f.readAt(static_cast<std::int64_t>(size), buf, sizeof buf), 0u);
}

TEST(Win32Files, TheDateIsTheLastWriteTimeInLocalTime)
{
    TempDir tmp;
    const std::string f = tmp.write("dated.mp3", "x");
    SYSTEMTIME utc{};
    utc.wYear = 2021;
    utc.wMonth = 6;
    utc.wDay = 15;
    utc.wHour = 12;
    utc.wMinute = 34;
    utc.wSecond = 56;
    FILETIME written, local;
    ASSERT_TRUE(::SystemTimeToFileTime(&utc, &written));
    {
        HANDLE h = ::CreateFileA(f.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(::SetFileTime(h, nullptr, nullptr, &written));
        ::CloseHandle(h);
    }
    // What the classic runtime computes for a file's age.
    ASSERT_TRUE(::FileTimeToLocalFileTime(&written, &local));
    WORD dosDate = 0, dosTime = 0;
    ASSERT_TRUE(::FileTimeToDosDateTime(&local, &dosDate, &dosTime));
    const auto expected = static_cast<std::int32_t>((static_cast<std::uint32_t>(dosDate) << 16) | dosTime);
    EXPECT_EQ(platform::fileDosDate(f), expected);
    EXPECT_EQ(platform::ReadOnlyFile(f).dosDate(), expected);
    EXPECT_EQ(platform::fileDosDate(tmp.path("missing.mp3")), -1);
}

TEST(Win32Paths, DriveLettersColonsAndBothDelimiters)
{
    EXPECT_TRUE(platform::isAbsolutePath("C:\\Music"));
    EXPECT_TRUE(platform::isAbsolutePath("c:/Music"));
    EXPECT_TRUE(platform::isAbsolutePath("\\\\server\\share\\x.dll"));
    EXPECT_FALSE(platform::isAbsolutePath("C:Music"));
    EXPECT_FALSE(platform::isAbsolutePath("\\Music"));
    EXPECT_FALSE(platform::isAbsolutePath("slovak.dll"));
    EXPECT_EQ(platform::extractFileName("C:song.mp3"), "song.mp3");
    EXPECT_EQ(platform::extractFilePath("C:song.mp3"), "C:");
    EXPECT_EQ(platform::extractFileName("D:\\Music/Rock\\a.mp3"), "a.mp3");
    EXPECT_EQ(platform::extractFilePath("D:\\Music/Rock\\a.mp3"), "D:\\Music/Rock\\");
    EXPECT_EQ(platform::includeTrailingDelimiter("D:\\Music"), "D:\\Music\\");
    EXPECT_EQ(platform::includeTrailingDelimiter("D:/Music/"), "D:/Music/");
    EXPECT_EQ(platform::includeTrailingDelimiter("D:"), "D:\\");
    EXPECT_EQ(platform::withoutTrailingDelimiter("D:\\"), "D:\\");
    EXPECT_EQ(platform::withoutTrailingDelimiter("D:/Music/"), "D:/Music");

    const std::string exe = platform::executablePath();
    EXPECT_EQ(platform::extractFileName(exe), "platform_tests.exe");
    EXPECT_EQ(platform::defaultRootFolder(), exe.substr(0, 3));
    EXPECT_EQ(platform::defaultRootFolder()[1], ':');
    const std::string cwd = platform::currentDirectory();
    EXPECT_TRUE(cwd.size() == 3 || cwd.back() != '\\') << cwd;
}

TEST(Win32Paths, AbsoluteNormalAndRelativePaths)
{
    EXPECT_EQ(platform::normalPath("C:\\a\\..\\b/./c\\"), "C:\\b\\c");
    EXPECT_EQ(platform::normalPath("C:\\.."), "C:\\");
    EXPECT_EQ(platform::normalPath("\\\\server\\share\\a\\..\\b"), "\\\\server\\share\\b");
    EXPECT_EQ(platform::absolutePath("C:\\x\\..\\y"), "C:\\y");
    const std::string cwd = platform::currentDirectory();
    EXPECT_EQ(platform::absolutePath("in"), platform::normalPath(cwd + "\\in"));
    EXPECT_EQ(platform::relativePath("C:\\Music\\Out", "c:\\music\\Rock\\a.mp3"), "..\\Rock\\a.mp3");
    EXPECT_EQ(platform::relativePath("C:\\Music", "D:\\Rock\\a.mp3"), "D:\\Rock\\a.mp3");
    EXPECT_EQ(platform::relativePath("\\\\server\\share\\a", "\\\\server\\share\\b\\c.mp3"), "..\\b\\c.mp3");
}

TEST(Win32Paths, ADriveRootIsListed)
{
    // Drive C: exists under Wine and on every Windows; its root has no "." or "..".
    EXPECT_TRUE(platform::directoryExists("C:\\"));
    platform::DirReader reader("C:\\");
    ASSERT_TRUE(reader.isOpen());
    platform::DirEntry e;
    int entries = 0;
    while (reader.next(e)) {
        EXPECT_NE(e.name, ".");
        EXPECT_NE(e.name, "..");
        ++entries;
    }
    EXPECT_GT(entries, 0);
    platform::DirIdentity root;
    EXPECT_TRUE(platform::directoryIdentity("C:\\", root));
}

// Run by CTest with a locale chosen for Wine; the separators it must give are in the environment.
TEST(Win32Locale, SeparatorsAreTheUserLocales)
{
    const auto& seps = platform::localeSeparators();
    char decimal[8] = {}, thousands[8] = {}, time[8] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal);
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands, sizeof thousands);
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, time, sizeof time);
    EXPECT_EQ(seps.decimal, *decimal ? decimal : ".");
    EXPECT_EQ(seps.thousands, *thousands ? thousands : ",");
    EXPECT_EQ(seps.time, *time ? time : ":");
    if (const char* expected = std::getenv("TUNESHEET_EXPECT_SEPARATORS")) {
        ASSERT_EQ(std::strlen(expected), 3u);
        EXPECT_EQ(seps.decimal, std::string(1, expected[0]));
        EXPECT_EQ(seps.thousands, std::string(1, expected[1]));
        EXPECT_EQ(seps.time, std::string(1, expected[2]));
    }
}

TEST(Win32Library, GetMyStrThroughLoadLibrary)
{
    platform::DynamicLibrary lib;
    // A bare name is the file beside the executable.
    ASSERT_TRUE(lib.load("slovak.dll")) << lib.error();
    EXPECT_EQ(platform::extractFileName(lib.path()), "slovak.dll");
    EXPECT_TRUE(platform::isAbsolutePath(lib.path()));
    // Exported undecorated, as the program asks for it.
    auto getMyStr = reinterpret_cast<GetMyStrFunction>(lib.symbol("GetMyStr"));
    ASSERT_NE(getMyStr, nullptr);
    EXPECT_EQ(lib.symbol("_GetMyStr"), nullptr);
    EXPECT_EQ(lib.symbol("GetMyStr@8"), nullptr);
    unsigned char buffer[LanguageSlotSize];
    std::memset(buffer, 0xAA, sizeof buffer);
    getMyStr(1, buffer);
    EXPECT_GT(buffer[0], 0);
    EXPECT_EQ(buffer[LanguageSlotSize - 1], 0) << "the slot is filled with zeros to its end";
    getMyStr(0, buffer);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer) + 1, buffer[0]), "<language error>");
    lib.unload();
    EXPECT_FALSE(lib.isLoaded());
    EXPECT_EQ(::GetModuleHandleA((bin + "slovak.dll").c_str()), nullptr) << "FreeLibrary unloaded it";
}

TEST(Win32Library, ANonLibraryNamedDllIsNotLoadedAndLeavesTheFloatingPointSettings)
{
    TempDir tmp;
    const std::string fake = tmp.write("fake.dll", "this is a text file, not a library");
    const UINT modeBefore = ::SetErrorMode(0);
    ::SetErrorMode(modeBefore);
    std::fesetround(FE_UPWARD);
    platform::DynamicLibrary lib;
    EXPECT_FALSE(lib.load(fake));
    EXPECT_FALSE(lib.isLoaded());
    EXPECT_FALSE(lib.error().empty());
    EXPECT_EQ(lib.symbol("GetMyStr"), nullptr);
    EXPECT_FALSE(lib.load(tmp.path("missing.dll")));
    EXPECT_FALSE(lib.load(tmp.dir()));
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    ASSERT_TRUE(lib.load(bin + "english.dll")) << lib.error();
    EXPECT_EQ(std::fegetround(), FE_UPWARD) << "restored after a library's start-up code";
    std::fesetround(FE_TONEAREST);
    // The error box was suppressed for the loads only: the process's error mode is as it was.
    const UINT modeAfter = ::SetErrorMode(0);
    ::SetErrorMode(modeAfter);
    EXPECT_EQ(modeAfter, modeBefore);
}

TEST(Win32Version, OurLibrariesAndTheToolCarryVersionResources)
{
    platform::VersionInfo info;
    ASSERT_TRUE(platform::readVersionInfo(bin + "english.dll", info));
    EXPECT_EQ(info.language, 0x0409);
    EXPECT_EQ(info.codePage, 1252);
    ASSERT_EQ(info.strings.size(), 2u);
    EXPECT_EQ(info.strings[0], std::make_pair(std::string("FileVersion"), std::string(ProgramVersionText)));
    EXPECT_EQ(info.strings[1], std::make_pair(std::string("ProductVersion"), std::string("1.0.0.0")));
    EXPECT_EQ(platform::GetVersionString(bin + "english.dll"), ProgramVersionText);
    EXPECT_EQ(platform::GetVersionString(bin + "slovak.dll"), ProgramVersionText);
    EXPECT_EQ(platform::GetVersionString(bin + "tunesheet-cli.exe"), ProgramVersionText);
}

TEST(Win32Version, ALibraryWithoutVersionInformationHasNone)
{
    platform::VersionInfo info;
    EXPECT_FALSE(platform::readVersionInfo(bin + "noversion.dll", info));
    EXPECT_EQ(platform::GetVersionString(bin + "noversion.dll"), "");
    platform::DynamicLibrary lib;
    EXPECT_TRUE(lib.load(bin + "noversion.dll")) << "it is a library all the same";
}

TEST(Win32NarrowText, TheAnsiCodePageOfTheProcess)
{
    // The programs' manifest makes UTF-8 the ANSI code page.
    if (::GetACP() != CP_UTF8)
        GTEST_SKIP() << "ANSI code page " << ::GetACP();
    EXPECT_EQ(platform::narrowFromUtf16(u"\u010Cierna k\u00E1va \U0001F3B5"), "\xC4\x8C" "ierna k\xC3\xA1va \xF0\x9F\x8E\xB5");
    EXPECT_EQ(platform::narrowFromUtf8("\xC4\xBD" "ud"), "\xC4\xBD" "ud");
    using platform::LegacyEncoding;
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Iso8859_1, "caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Windows1250, "\xC8iern\x61"), "\xC4\x8Ciern\x61");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Windows1251, "\xCC\xEE"), "\xD0\x9C\xD0\xBE");
    EXPECT_EQ(platform::narrowFromLegacy(LegacyEncoding::Windows1252, "a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(platform::narrowFromUtf16(u""), "");
}

} // namespace

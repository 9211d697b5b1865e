#include "generator/RecentList.h"
#include "platform/Errors.h"
#include "platform/Path.h"

#include <gtest/gtest.h>

namespace {

TEST(RecentList, HoldsEachPathOnceInTheOrderFirstAdded)
{
    TRecentList list;
    EXPECT_TRUE(list.Add("/music/Rock/"));
    EXPECT_TRUE(list.Add("/music/Jazz/"));
    EXPECT_FALSE(list.Add("/music/Jazz/"));
    EXPECT_TRUE(list.Add("/music/Rock"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "/music/Rock/");
    EXPECT_EQ(list[1], "/music/Jazz/");
    EXPECT_THROW(list[3], platform::ListIndexError);
    try {
        list[-1];
    } catch (const platform::ListIndexError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
}

// Windows sees one folder in two spellings; here they are two folders, both remembered.
TEST(RecentList, LetterCaseCountsWhereTheFileSystemMindsIt)
{
    TRecentList list;
    EXPECT_TRUE(list.Add("/music/case/"));
    EXPECT_EQ(list.Add("/music/Case/"), !platform::FileNamesIgnoreCase);
    EXPECT_EQ(list.IndexOf("/MUSIC/CASE/"), platform::FileNamesIgnoreCase ? 0 : -1);
    EXPECT_EQ(samePath("/Hudba/Ťažký", "/hudba/ťažký"), platform::FileNamesIgnoreCase);
}

TEST(RecentList, LetterCaseOfAccentedLettersIsIgnoredToo)
{
    EXPECT_TRUE(sameIgnoringCase("/Hudba/Šláger Ťažký Ľud", "/hudba/šláger ťažký ľud"));
    EXPECT_TRUE(sameIgnoringCase("Ölkännchen", "öLKÄNNCHEN"));
    EXPECT_TRUE(sameIgnoringCase("МУЗЫКА", "музыка"));
    EXPECT_FALSE(sameIgnoringCase("abc", "abd"));
    EXPECT_FALSE(sameIgnoringCase("abc", "ab"));
    // Bytes that are not UTF-8 compare as themselves.
    EXPECT_TRUE(sameIgnoringCase("caf\xE9", "CAF\xE9"));
    EXPECT_FALSE(sameIgnoringCase("caf\xE9", "caf\xC9"));
    EXPECT_FALSE(sameIgnoringCase("\xE0\x81\x81", "a")); // an overlong "A" is no letter
}

} // namespace

#include "common/TempDir.h"
#include "common/Unprivileged.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

TEST(RecentListFile, ReadsEveryKindOfLineEndAndWritesCrLfAfterEachEntry)
{
    TempDir tmp;
    TRecentList list;
    list.Add("stale");
    const std::string path = tmp.write("t.dirs", "/a/\r\n/b/\n/c/\r\r/a/\r\n/last");
    ASSERT_TRUE(list.LoadFromFile(path));
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"/a/", "/b/", "/c/", "", "/last"}));
    EXPECT_EQ(list.IndexOf("stale"), -1);
    EXPECT_EQ(list.IndexOf("/last"), 4);
    list.SaveToFile(path);
    EXPECT_EQ(readFile(path), "/a/\r\n/b/\r\n/c/\r\n\r\n/last\r\n");

    TRecentList empty;
    empty.SaveToFile(tmp.path("e.files"));
    EXPECT_EQ(readFile(tmp.path("e.files")), "");
    EXPECT_TRUE(empty.LoadFromFile(tmp.path("e.files")));
    EXPECT_EQ(empty.Count(), 0);
}

TEST(RecentListFile, MissingFileLeavesTheListAndUnwritableFileNamesItself)
{
    TempDir tmp;
    TRecentList list;
    list.Add("kept");
    EXPECT_FALSE(list.LoadFromFile(tmp.path("none.files")));
    EXPECT_EQ(list.Count(), 1);
    try {
        list.SaveToFile(tmp.path("no/such/dir/x.files"));
        FAIL();
    } catch (const platform::FileCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + tmp.path("no/such/dir/x.files"));
    }
#ifndef _WIN32
    // A file that is there but cannot be read says which and why.
    const std::string locked = tmp.write("locked.files", "/a/\r\n");
    ::chmod(locked.c_str(), 0);
    giveToUnprivilegedUser(tmp.dir());
    asUnprivilegedUser([&] {
        try {
            list.LoadFromFile(locked);
            FAIL();
        } catch (const platform::TunesheetError& e) {
            EXPECT_EQ(e.file(), locked);
            EXPECT_EQ(platform::systemCause(e.systemCode()), platform::SystemCause::AccessDenied) << e.what();
        }
    });
#endif
    EXPECT_EQ(list.Count(), 1);
}

} // namespace

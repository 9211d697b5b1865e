#include "generator/RecentList.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

namespace {

TEST(RecentList, HoldsEachEntryOnceIgnoringCaseInTheOrderFirstAdded)
{
    TRecentList list;
    EXPECT_TRUE(list.Add("/music/Rock/"));
    EXPECT_TRUE(list.Add("/music/Jazz/"));
    EXPECT_FALSE(list.Add("/MUSIC/rock/"));
    EXPECT_FALSE(list.Add("/music/Jazz/"));
    EXPECT_TRUE(list.Add("/music/Rock"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "/music/Rock/");
    EXPECT_EQ(list[1], "/music/Jazz/");
    EXPECT_EQ(list.IndexOf("/music/ROCK"), 2);
    EXPECT_THROW(list[3], platform::ListIndexError);
    try {
        list[-1];
    } catch (const platform::ListIndexError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
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
}

} // namespace

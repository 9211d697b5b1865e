#include "audio/ID3Tags.h"
#include "audio/Stream.h"
#include "audio/fixtures.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

TID3v1Tag load(const Bytes& block)
{
    TID3v1Tag tag;
    tag.LoadFromBuffer(block.data(), static_cast<int32_t>(block.size()));
    return tag;
}

TEST(ID3v1Tag, TitleIsCutAtZeroAndTrailingBlanks)
{
    struct Case { std::string field; std::string title; };
    const Case cases[] = {
        {"Song", "Song"},
        {"Song" + std::string(26, ' '), "Song"},
        {"  Song" + std::string(24, ' '), "  Song"},
        {std::string("AB\0CD", 5), "AB"},
        {"Tab\t\r\n\x01 ", "Tab"},
        {"Caf\xE9", "Caf\xE9"}, // bytes above 127 are text, not blanks
        {std::string(30, 'x'), std::string(30, 'x')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(load(id3v1Block({c.field})).Title(), c.title) << c.field;
}

TEST(ID3v1Tag, FieldsOfAnID3v11Tag)
{
    Id3v1Fields f{"Title", "Artist", "Album", "1999", std::string(28, 'c'), 7, 17};
    TID3v1Tag tag = load(id3v1Block(f));
    EXPECT_TRUE(tag.Present());
    EXPECT_EQ(tag.Artist(), "Artist");
    EXPECT_EQ(tag.Album(), "Album");
    EXPECT_EQ(tag.Year(), "1999");
    EXPECT_EQ(tag.Comment(), std::string(28, 'c'));
    EXPECT_EQ(tag.Track(), 7);
    EXPECT_FALSE(tag.IsVersion10());
    EXPECT_EQ(tag.Genre(), "Rock");
}

TEST(ID3v1Tag, TrackOnlyWithZeroAt125AndNonZeroAt126)
{
    struct Case { int at125, at126; int track; bool v10; size_t commentLength; };
    const Case cases[] = {{0, 7, 7, false, 28}, {0, 0, 0, true, 28}, {'x', 'y', 0, true, 30}, {'x', 0, 0, true, 29}};
    for (const Case& c : cases) {
        Bytes block = id3v1Block({"", "", "", "", std::string(30, 'c')});
        block[125] = static_cast<unsigned char>(c.at125);
        block[126] = static_cast<unsigned char>(c.at126);
        TID3v1Tag tag = load(block);
        EXPECT_EQ(tag.Track(), c.track);
        EXPECT_EQ(tag.IsVersion10(), c.v10);
        EXPECT_EQ(tag.Comment().size(), c.commentLength);
    }
}

TEST(ID3v1Tag, GenreNames)
{
    ASSERT_EQ(ID3v1Genres().size(), 148u);
    const std::pair<int, std::string> cases[] = {
        {0, "Blues"}, {136, "Christian Gangs"}, {140, "Contemporary Ch?"}, {141, "Cristian Rock"},
        {147, "Synthpop"}, {148, ""}, {255, ""}};
    for (const auto& [id, name] : cases) {
        TID3v1Tag tag = load(id3v1Block({"", "", "", "", "", -1, id}));
        EXPECT_EQ(tag.GenreID(), id);
        EXPECT_EQ(tag.Genre(), name);
    }
    // The standard list spells them as taggers do today, and goes on to 191.
    ASSERT_EQ(StandardGenres().size(), 192u);
    for (const auto& [id, name] : {std::pair<int, std::string>{0, "Blues"}, {40, "Alt. Rock"},
                                   {140, "Contemporary Christian"}, {147, "Synthpop"}, {191, "Psybient"}})
        EXPECT_EQ(StandardGenres()[id], name);
}

TEST(ID3v1Tag, OnlyUpperCaseTagMarksABlock)
{
    for (const char* marker : {"tag", "Tag", "TAg", "TA "})
        EXPECT_FALSE(load(id3v1Block({"Song"}, marker)).Present()) << marker;
    Bytes shortBlock = id3v1Block({"Song"});
    shortBlock.pop_back();
    EXPECT_FALSE(load(shortBlock).Present());
}

TEST(ID3v1Tag, BlockWithoutTagKeepsEarlierText)
{
    TID3v1Tag tag;
    const Bytes first = id3v1Block({"Song"});
    const Bytes second = id3v1Block({"Other"}, "XYZ");
    tag.LoadFromBuffer(first.data(), 128);
    tag.LoadFromBuffer(second.data(), 128);
    EXPECT_FALSE(tag.Present());
    EXPECT_EQ(tag.Title(), "Song");
}

TEST(ID3v1Tag, StreamTagIsTheLast128OfCount)
{
    TMemoryStream stream(zeros(10) + id3v1Block({"Song"}) + zeros(5));
    TID3v1Tag tag;
    stream.Seek(10);
    tag.LoadFromStream(stream, 127);
    EXPECT_FALSE(tag.Present());
    EXPECT_EQ(stream.Position(), 10);
    tag.LoadFromStream(stream, 128);
    EXPECT_EQ(tag.Title(), "Song");
    stream.Seek(20);
    EXPECT_THROW(tag.LoadFromStream(stream, 128), std::runtime_error);
    EXPECT_TRUE(tag.Present());
}

} // namespace

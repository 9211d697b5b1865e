#include "audio/id3v2.h"
#include "audio/fixtures.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

id3v2tag load(const Bytes& data)
{
    id3v2tag tag;
    tag.LoadFromBuffer(data.data(), data.size());
    return tag;
}

// A tag whose TIT2 identifier starts at byte `at` of the file.
Bytes titleAt(std::size_t at, int size)
{
    Bytes data = id3v2Tag(zeros(at - 10));
    Bytes content(size, 0);
    for (std::size_t i = 1; i < content.size(); ++i)
        content[i] = static_cast<unsigned char>('a' + i % 26);
    return data + id3v2Frame("TIT2", content);
}

TEST(Id3v2Tag, TitleFrames)
{
    struct Case { Bytes tag; std::string title; };
    const Case cases[] = {
        {id3v2Tag(textFrame("TIT2", "Hello")), "Hello"},
        {id3v2Tag(textFrame("TIT2", std::string("Hello\0", 6))), std::string("Hello\0", 6)},
        {id3v2Tag(id3v2Frame("TIT2", bytes({0}) + text("Hello"), 0x100)), ""},
        {id3v2Tag(id3v2Frame("TIT2", bytes({0}) + text("Hello"), 1)), ""},
        // Cut at the end of the 500 bytes: 491..499 of "bcd...".
        {titleAt(480, 20), "bcdefghij"},
        {titleAt(488, 20), "b"},
        {titleAt(489, 7), ""},
        {titleAt(497, 3), ""},
        {id3v2Tag(textFrame("TT2", "Hello")), ""},
    };
    for (const Case& c : cases) {
        id3v2tag tag = load(c.tag);
        EXPECT_TRUE(tag.Present());
        EXPECT_EQ(tag.GetTitle(), c.title);
        EXPECT_EQ(tag.TitleEncoding(), 0);
    }
}

TEST(Id3v2Tag, EveryFrameAndItsEncoding)
{
    const Bytes body = textFrame("TPE1", "Artist", 1) + textFrame("TALB", "Album", 3) +
                       textFrame("TYER", "1999") + textFrame("TCON", "(17)") + textFrame("TCOM", "Composer") +
                       textFrame("TOPE", "Orig") + textFrame("TCOP", "Rights") + textFrame("TENC", "Enc") +
                       textFrame("TRCK", "3/9", 2) + id3v2Frame("WXXX", bytes({0, 0}) + text("http://x")) +
                       id3v2Frame("COMM", bytes({0}) + text("eng") + bytes({0}) + text("Nice"));
    id3v2tag tag = load(id3v2Tag(body));
    const std::pair<std::string, std::string> values[] = {
        {tag.Artist(), "Artist"}, {tag.Album(), "Album"}, {tag.Year(), "1999"}, {tag.Genre(), "(17)"},
        {tag.Composer(), "Composer"}, {tag.OrigArtist(), "Orig"}, {tag.Rights(), "Rights"},
        {tag.EncodedBy(), "Enc"}, {tag.Track(), "3/9"}, {tag.URL(), "http://x"}, {tag.Comment(), "Nice"},
        {tag.Title(), ""}};
    for (const auto& [got, want] : values)
        EXPECT_EQ(got, want);
    EXPECT_EQ(tag.ArtistEncoding(), 1);
    EXPECT_EQ(tag.AlbumEncoding(), 3);
    EXPECT_EQ(tag.TrackEncoding(), 2);
    EXPECT_EQ(tag.YearEncoding(), 0);
}

TEST(Id3v2Tag, CommentWithDescriptionLosesItsFirstByte)
{
    id3v2tag tag = load(id3v2Tag(id3v2Frame("COMM", bytes({0}) + text("engAbc") + bytes({0}) + text("Hi"))));
    EXPECT_EQ(tag.Comment(), std::string("bc\0Hi", 5));
}

TEST(Id3v2Tag, FirstOccurrenceWinsEvenInsideAnotherFrame)
{
    // "TALB" in the title text; the bytes after it read as size 00 00 00 05.
    const Bytes body = id3v2Frame("TIT2", bytes({0}) + text("xTALB") + bytes({0, 0, 0, 5, 0, 0, 0}) + text("Fake")) +
                       textFrame("TALB", "Real");
    EXPECT_EQ(load(id3v2Tag(body)).GetAlbum(), "Fake");
}

TEST(Id3v2Tag, NoTagLeavesValuesButHidesThem)
{
    id3v2tag tag = load(id3v2Tag(textFrame("TIT2", "Hello") + textFrame("TPE1", "Band")));
    EXPECT_FALSE(tag.LoadFromBuffer(text("ID").data(), 2));
    EXPECT_FALSE(tag.LoadFromBuffer(text("id3").data(), 3));
    EXPECT_FALSE(tag.Present());
    EXPECT_EQ(tag.Title(), "Hello");
    EXPECT_EQ(tag.GetTitle(), "");
    EXPECT_EQ(tag.GetArtist(), "");
    EXPECT_EQ(tag.GetAlbum(), "");
    EXPECT_EQ(tag.GetYear(), "");
}

TEST(Id3v2Tag, LoadFromFileReadsTheFirst500Bytes)
{
    TempFile file(id3v2Tag(textFrame("TPE1", "Band") + zeros(600)) + textFrame("TIT2", "Late"));
    id3v2tag tag;
    EXPECT_TRUE(tag.LoadFromFile(file.path()));
    EXPECT_EQ(tag.GetArtist(), "Band");
    EXPECT_EQ(tag.GetTitle(), "");

    TempFile tiny(text("ID"));
    EXPECT_FALSE(tag.LoadFromFile(tiny.path()));
}

TEST(Id3v2Tag, MissingFileRaisesAndChangesNothing)
{
    TempFile file(id3v2Tag(textFrame("TPE1", "Band")));
    id3v2tag tag;
    tag.LoadFromFile(file.path());
    try {
        tag.LoadFromFile(file.path() + ".missing");
        FAIL() << "no error";
    } catch (const platform::InOutError& e) {
        EXPECT_EQ(e.code(), platform::InOutError::FileNotFound);
    }
    EXPECT_TRUE(tag.Present());
    EXPECT_EQ(tag.GetArtist(), "Band");
}

} // namespace

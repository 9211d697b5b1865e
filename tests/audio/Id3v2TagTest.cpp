#include "audio/id3v2.h"
#include "audio/Stream.h"
#include "audio/fixtures.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

using namespace fixtures;
using namespace std::string_literals;

namespace {

id3v2tag load(const Bytes& data)
{
    id3v2tag tag;
    tag.LoadFromBuffer(data.data(), data.size());
    return tag;
}

Bytes latin1(const std::string& value)
{
    return bytes({0}) + text(value);
}

const std::string Text300(300, 't');

// A 286-byte title in capitals: as a plain size, its 287 bytes of frame data are 00 00 01 1F,
// read as syncsafe 159, which ends at "MPHO".
const std::string Capitals = repeated("SYMPHONY NO 9 IN D MINOR OP 125 CHORAL ", 286);

// A version 2.2 identifier and a zero byte, as some taggers name version 2.3 frames.
std::string version2Name(const char* id)
{
    return std::string(id, 3) + '\0';
}

const Bytes FourTexts = textFrame("TPE1", "Band") + textFrame("TIT2", "Song") + textFrame("TALB", "Album") +
                    textFrame("TYER", "1999");

Bytes version4(const std::string& year)
{
    return v24Frame("TPE1", latin1("Band")) + v24Frame("TIT2", latin1("Song")) + v24Frame("TALB", latin1("Album")) +
           v24Frame("TDRC", bytes({3}) + text(year));
}

// A chapter: element id, start and end times and offsets, then its own frames.
Bytes chapter(const Bytes& frames)
{
    return id3v2Frame("CHAP", text("ch1") + zeros(1 + 16) + frames);
}

struct Texts {
    const char* name;
    Bytes tag;
    std::string artist, title, album, year;
    friend void PrintTo(const Texts& c, std::ostream* os) { *os << c.name; }
};

class Id3v2Texts : public testing::TestWithParam<Texts> {};

TEST_P(Id3v2Texts, AreReadFrameByFrame)
{
    const Texts& c = GetParam();
    id3v2tag tag = load(c.tag);
    EXPECT_TRUE(tag.Present());
    EXPECT_EQ(tag.GetArtist(), c.artist);
    EXPECT_EQ(tag.GetTitle(), c.title);
    EXPECT_EQ(tag.GetAlbum(), c.album);
    EXPECT_EQ(tag.GetYear(), c.year);
}

INSTANTIATE_TEST_SUITE_P(Tags, Id3v2Texts, testing::Values(
    Texts{"Version3", id3v2Tag(FourTexts + zeros(32)), "Band", "Song", "Album", "1999"},
    // Version 2.2's flag 0x40 (compression, never used) is ignored.
    Texts{"Version2", id3v2Tag(v22Frame("TP1", "Band") + v22Frame("TT2", "Song") + v22Frame("TAL", "Album") +
                               v22Frame("TYE", "1999"), -1, 2, 0x40),
          "Band", "Song", "Album", "1999"},
    Texts{"Version4", id3v2Tag(version4("2001-05-03"), -1, 4), "Band", "Song", "Album", "2001"},
    Texts{"TyerWinsOverTdrc", id3v2Tag(textFrame("TDRC", "2001") + FourTexts), "Band", "Song", "Album", "1999"},
    Texts{"EmptyTyerCounts", id3v2Tag(textFrame("TYER", "") + textFrame("TDRC", "2001")), "", "", "", ""},
    Texts{"TdrcInVersion3", id3v2Tag(textFrame("TDRC", "1987")), "", "", "", "1987"},
    // Version 2.4 has no TYER: the first year frame counts, the walk stopping there.
    Texts{"FirstYearInVersion4", id3v2Tag(version4("2001") + v24Frame("TYER", latin1("1999")), -1, 4), "Band", "Song",
          "Album", "2001"},
    // A cover first; a chapter's own title; an identifier inside another frame's text.
    Texts{"CoverFirst", id3v2Tag(id3v2Frame("APIC", latin1("image/jpeg") + zeros(2) + Bytes(30000, 0xFF)) + FourTexts),
          "Band", "Song", "Album", "1999"},
    Texts{"ChapterTitle", id3v2Tag(chapter(textFrame("TIT2", "Chapter")) + textFrame("TIT2", "Song")), "", "Song",
          "", ""},
    Texts{"IdentifierInText", id3v2Tag(textFrame("TIT2", "xTALB\0\0\0\5\0\0\0Fake"s) + textFrame("TALB", "Real")), "",
          "xTALB", "Real", ""},
    Texts{"LongTitle", id3v2Tag(textFrame("TIT2", Text300)), "", Text300, "", ""},
    // At most 64 KiB of a frame is read: the encoding byte and 65,535 bytes of text.
    Texts{"HugeTitle", id3v2Tag(textFrame("TIT2", std::string(70000, 'h'))), "", std::string(65535, 'h'), "", ""},
    // The text ends at its terminator; of several values the first counts.
    Texts{"Terminator", id3v2Tag(textFrame("TIT2", "Song\0junk"s)), "", "Song", "", ""},
    Texts{"Utf16FirstValue", id3v2Tag(textFrame("TIT2", "\xFF\xFE" "A\0\0\0B\0"s, 1)), "", "\xFF\xFE" "A\0"s, "", ""},
    // The first frame of an identifier counts; one of size 0, a compressed or an encrypted one
    // does not.
    Texts{"FirstFrameCounts", id3v2Tag(textFrame("TIT2", "One") + textFrame("TIT2", "Two")), "", "One", "", ""},
    Texts{"ZeroSizeFrame", id3v2Tag(id3v2Frame("TIT2", {}) + textFrame("TIT2", "Song")), "", "Song", "", ""},
    Texts{"CompressedFrame", id3v2Tag(id3v2Frame("TIT2", latin1("zlib"), -1, 0x80) + textFrame("TIT2", "Song")), "",
          "Song", "", ""},
    Texts{"EncryptedFrame", id3v2Tag(v24Frame("TIT2", latin1("Song"), 0x04) + v24Frame("TIT2", latin1("Song")), -1, 4),
          "", "Song", "", ""},
    // A group byte; in version 2.4 a data length after it; unsynchronised data.
    Texts{"GroupedFrame", id3v2Tag(id3v2Frame("TIT2", bytes({7}) + latin1("Song"), -1, 0x20)), "", "Song", "", ""},
    Texts{"Version4GroupAndLength", id3v2Tag(v24Frame("TIT2", bytes({7}) + syncsafe(5) + latin1("Song"), 0x41), -1, 4),
          "", "Song", "", ""},
    Texts{"Version4FrameUnsynchronised",
          id3v2Tag(v24Frame("TIT2", syncsafe(5) + unsynchronised(latin1("A\xFF\xE0" "B")), 0x03) +
                   v24Frame("TPE1", latin1("Band")), -1, 4),
          "Band", "A\xFF\xE0" "B", "", ""},
    Texts{"Version4TagUnsynchronised", id3v2Tag(v24Frame("TIT2", unsynchronised(latin1("\xFF\xFF"))), -1, 4, 0x80),
          "", "\xFF\xFF", "", ""},
    Texts{"Version3TagUnsynchronised",
          id3v2Tag(unsynchronised(textFrame("TIT2", "\xFF\xFF\xFF") + textFrame("TPE1", "Band")), -1, 3, 0x80),
          "Band", "\xFF\xFF\xFF", "", ""},
    // iTunes wrote plain sizes into version 2.4 tags: they are taken for the whole tag when its
    // frames lead to its end or to padding with plain sizes only; a true syncsafe size stays.
    Texts{"PlainSizes", id3v2Tag(v24Frame("TIT2", latin1(Text300), 0, true) + v24Frame("TPE1", latin1("Band"), 0, true),
                                 -1, 4),
          "Band", Text300, "", ""},
    Texts{"PlainSizeAtTheEnd", id3v2Tag(v24Frame("TPE1", latin1("Band")) + v24Frame("TIT2", latin1(Text300), 0, true), -1, 4),
          "Band", Text300, "", ""},
    Texts{"PlainSizeBeforePadding", id3v2Tag(v24Frame("TIT2", latin1(Text300), 0, true) + zeros(64), -1, 4), "", Text300, "",
          ""},
    Texts{"SyncsafeSizes", id3v2Tag(v24Frame("TIT2", latin1(Text300)) + v24Frame("TPE1", latin1("Band")), -1, 4), "Band",
          Text300, "", ""},
    // The syncsafe size of a plain-sized title lands on letters that look like an identifier;
    // the walk on from there fails.
    Texts{"PlainSizeLandsOnCapitals",
          id3v2Tag(v24Frame("TIT2", latin1(Capitals), 0, true) + v24Frame("TPE1", latin1("Band"), 0, true), -1, 4),
          "Band", Capitals, "", ""},
    // A syncsafe size byte of 0x80 or more ends the syncsafe walk: 200 bytes are 00 00 00 C8.
    Texts{"SizeByteAbove7Bits", id3v2Tag(v24Frame("TIT2", latin1(std::string(199, 'x')), 0, true), -1, 4), "",
          std::string(199, 'x'), "", ""},
    // When neither walk gets through, syncsafe: here the plain walk meets a lower-case identifier.
    Texts{"NeitherWalkGetsThrough",
          id3v2Tag(v24Frame("TIT2", latin1(Capitals), 0, true) + v24Frame("tpe1", latin1("x"), 0, true), -1, 4), "",
          Capitals.substr(0, 158), "", ""},
    // A walk ends well at fewer than 10 bytes behind an identifier, and at padding; a frame named
    // by a 2.2 identifier and a zero byte is one to walk over.
    Texts{"WalkEndsAtAShortRest", id3v2Tag(v24Frame("TIT2", latin1(Text300), 0, true) + text("TPE1") + zeros(5), -1, 4),
          "", Text300, "", ""},
    Texts{"WalkOverVersion2Identifier",
          id3v2Tag(v24Frame("TIT2", latin1(Text300), 0, true) + v24Frame(version2Name("TP1"), latin1("Band"), 0, true) +
                       zeros(8), -1, 4),
          "Band", Text300, "", ""},
    Texts{"PlainSizesBehindExtendedHeader",
          id3v2Tag(syncsafe(6) + bytes({1, 0}) + v24Frame("TIT2", latin1(Text300), 0, true), -1, 4, 0x40), "", Text300, "",
          ""},
    Texts{"ExtendedHeader3", id3v2Tag(bigEndian(6) + zeros(6) + FourTexts, -1, 3, 0x40), "Band", "Song", "Album", "1999"},
    Texts{"ExtendedHeader4", id3v2Tag(syncsafe(6) + bytes({1, 0}) + version4("2001"), -1, 4, 0x40), "Band", "Song",
          "Album", "2001"},
    // The frames end at padding and before a frame that runs past the tag, which is ignored.
    // The tag itself is cut at the end of the file.
    Texts{"Padding", id3v2Tag(textFrame("TPE1", "Band") + zeros(10) + textFrame("TIT2", "Song")), "Band", "", "", ""},
    // A frame whose identifier is none is passed over by its size, unless it runs past the tag;
    // a first identifier byte of 0 is padding.
    Texts{"LowerCaseIdentifier", id3v2Tag(textFrame("TPE1", "Band") + textFrame("tit2", "x") + textFrame("TIT2", "Song")),
          "Band", "Song", "", ""},
    Texts{"ITunesIdentifierFirst", id3v2Tag(textFrame(version2Name("TCP"), "1") + textFrame("Tit2", "x") + FourTexts),
          "Band", "Song", "Album", "1999"},
    Texts{"UnknownPastTheTag", id3v2Tag(textFrame("TPE1", "Band") + id3v2Frame("tit2", latin1("x"), 100) +
                                        textFrame("TIT2", "Song")),
          "Band", "", "", ""},
    Texts{"PaddingByFirstByte", id3v2Tag(textFrame("TPE1", "Band") + text(std::string("\0IT2", 4)) + bigEndian(5) +
                                         zeros(2) + latin1("Song")),
          "Band", "", "", ""},
    // Three letters or digits and a zero byte are a version 2.2 identifier: a text's counts as
    // that text (the first frame counts), any other is passed over.
    Texts{"Version2IdentifiersInVersion3",
          id3v2Tag(textFrame(version2Name("COM"), "eng\0x"s) + textFrame(version2Name("TT2"), "Old") +
                   textFrame("TIT2", "New") + textFrame(version2Name("TP1"), "Band") +
                   textFrame(version2Name("TAL"), "Album") + textFrame(version2Name("TYE"), "1999")),
          "Band", "Old", "Album", "1999"},
    Texts{"Version2IdentifierInVersion4", id3v2Tag(v24Frame(version2Name("TT2"), latin1(Text300)), -1, 4), "", Text300,
          "", ""},
    // A version 2.2 tag's identifiers are judged the same way.
    Texts{"Version2OddIdentifier",
          id3v2Tag(v22Frame("tt2", "x") + v22Frame(std::string("T\0X", 3), "y") + v22Frame("TT2", "Song") + zeros(6) +
                       v22Frame("TP1", "Band"), -1, 2),
          "", "Song", "", ""},
    Texts{"FramePastTheTag", id3v2Tag(textFrame("TPE1", "Band") + id3v2Frame("TIT2", latin1("Song"), 100)), "Band", "",
          "", ""},
    Texts{"TagPastTheFile", id3v2Tag(FourTexts, 5000), "Band", "Song", "Album", "1999"}),
    [](const testing::TestParamInfo<Texts>& info) { return std::string(info.param.name); });

TEST(Id3v2Tag, HeadersThatAreNoTag)
{
    const Bytes frames = textFrame("TIT2", "Song");
    const Bytes cases[] = {
        id3v2Tag(frames, -1, 5), id3v2Tag(frames, -1, 1), text("ID3") + bytes({3, 0xFF, 0, 0, 0, 0, 20}) + frames,
        text("ID3") + bytes({3, 0, 0, 0, 0, 0x80, 20}) + frames, text("id3") + bytes({3, 0, 0, 0, 0, 0, 20}) + frames,
        text("ID3") + bytes({3, 0, 0, 0, 0, 0}),
    };
    for (const Bytes& c : cases) {
        id3v2tag tag = load(c);
        EXPECT_FALSE(tag.Present());
        EXPECT_EQ(tag.GetTitle(), "");
    }
}

TEST(Id3v2Tag, EveryFrameAndItsEncoding)
{
    const Bytes body = textFrame("TPE1", "Artist", 1) + textFrame("TALB", "Album", 3) + textFrame("TYER", "1999") +
                       textFrame("TCON", "(17)\0Jazz\0"s) + textFrame("TCOM", "Composer") + textFrame("TOPE", "Orig") +
                       textFrame("TPE2", "Band") +
                       textFrame("TCOP", "Rights") + textFrame("TENC", "Enc") + textFrame("TRCK", "\0" "3\0/\0" "9"s, 2) +
                       id3v2Frame("WXXX", latin1("Home") + bytes({0}) + text("http://x")) +
                       id3v2Frame("COMM", latin1("engAbc") + bytes({0}) + text("Nice"));
    id3v2tag tag = load(id3v2Tag(body));
    const std::pair<std::string, std::string> values[] = {
        {tag.Artist(), "Artist"}, {tag.Album(), "Album"}, {tag.Year(), "1999"}, {tag.Genre(), "(17)\0Jazz\0"s},
        {tag.AlbumArtist(), "Band"},
        {tag.Composer(), "Composer"}, {tag.OrigArtist(), "Orig"}, {tag.Rights(), "Rights"},
        {tag.EncodedBy(), "Enc"}, {tag.Track(), "\0" "3\0/\0" "9"s}, {tag.URL(), "http://x"}, {tag.Comment(), "Nice"},
        {tag.Title(), ""}};
    for (const auto& [got, want] : values)
        EXPECT_EQ(got, want);
    EXPECT_EQ(tag.ArtistEncoding(), 1);
    EXPECT_EQ(tag.AlbumEncoding(), 3);
    EXPECT_EQ(tag.TrackEncoding(), 2);
    EXPECT_EQ(tag.YearEncoding(), 0);
}

TEST(Id3v2Tag, ReadsOnUntilEveryWantedValueIsFound)
{
    const Bytes data = id3v2Tag(FourTexts + textFrame("TRCK", "3") + textFrame("TCON", "Jazz") + textFrame("TPE2", "Trio"));
    id3v2tag tag;
    tag.LoadFromBuffer(data.data(), data.size());
    EXPECT_EQ(tag.Track(), "");
    tag.SetWanted(id3v2tag::wvTrack);
    tag.LoadFromBuffer(data.data(), data.size());
    EXPECT_EQ(tag.Track(), "3");
    EXPECT_EQ(tag.Genre(), "");
    tag.SetWanted(id3v2tag::wvArtist | id3v2tag::wvAlbumArtist);
    tag.LoadFromBuffer(data.data(), data.size());
    EXPECT_EQ(tag.AlbumArtist(), "Trio");
    EXPECT_EQ(tag.Genre(), "Jazz");
}

TEST(Id3v2Tag, YearFromTdrcIsPlainDigits)
{
    id3v2tag tag = load(id3v2Tag(textFrame("TDRC", "\xFE\xFF\0" "2\0" "0\0" "1\0" "7\0" "-"s, 1), -1, 4));
    EXPECT_EQ(tag.GetYear(), "2017");
    EXPECT_EQ(tag.YearEncoding(), 0);
}

// Reads and views that a stream is asked for, in bytes.
class CountingStream : public TMemoryStream {
public:
    using TMemoryStream::TMemoryStream;
    std::size_t Read(void* buffer, std::size_t count) override
    {
        bytesRead += count;
        return TMemoryStream::Read(buffer, count);
    }
    std::size_t View(std::int64_t position, std::size_t count, const unsigned char*& data) override
    {
        bytesRead += count;
        return TMemoryStream::View(position, count, data);
    }
    std::size_t bytesRead = 0;
};

TEST(Id3v2Tag, PassesOverAPictureWithoutReadingIt)
{
    CountingStream stream(id3v2Tag(id3v2Frame("APIC", latin1("image/jpeg") + zeros(5 << 20)) + FourTexts + zeros(4000)));
    id3v2tag tag;
    EXPECT_TRUE(tag.LoadFromStream(stream));
    EXPECT_EQ(tag.GetYear(), "1999");
    EXPECT_LT(stream.bytesRead, 200u);
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

TEST(Id3v2Tag, LoadFromFileReadsTheTagAtTheStart)
{
    TempFile file(id3v2Tag(id3v2Frame("APIC", zeros(20000)) + textFrame("TPE1", "Band")) + textFrame("TIT2", "Late"));
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

#include "audio/AudioInfo.h"
#include "audio/Id3v2Header.h"
#include "audio/Stream.h"
#include "audio/fixtures.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

const Bytes Stereo1 = bytes({0xFF, 0xFB, 0x90, 0x64}); // MPEG-1, 417-byte frames
const Bytes Mono1 = bytes({0xFF, 0xFB, 0x90, 0xC4});
const Bytes Mpeg1At32kHz = bytes({0xFF, 0xFB, 0x98, 0x64});   // MPEG-1, 32000 Hz, 576-byte frames
const Bytes Stereo2 = bytes({0xFF, 0xF3, 0x80, 0x44}); // MPEG-2, 64 kbit/s, 22050 Hz, 208 bytes
const Bytes Mono2 = bytes({0xFF, 0xF3, 0x80, 0xC4});
const Bytes FreeFormat = bytes({0xFF, 0xFB, 0x00, 0x64}); // MPEG-1 Layer III, bit-rate index 0
const Bytes TagBytes = id3v1Block({"Title"});

Bytes padTo(Bytes data, std::size_t size)
{
    data.resize(size, 0);
    return data;
}

Bytes xingFile(const Bytes& header, std::size_t length, std::size_t offset, const std::string& marker,
               int flags, std::uint32_t count)
{
    return padTo(xingFrame(header, length, offset, marker, flags, count) + frames(header, length, 1), 20000);
}

// A Xing header that counts `bytes` too.
Bytes xingFileWithBytes(const Bytes& header, std::size_t length, std::uint32_t count, std::uint32_t bytes)
{
    Bytes frame = xingFrame(header, length, 36, "Xing", 0x03, count);
    const Bytes counted = bigEndian(bytes);
    std::copy(counted.begin(), counted.end(), frame.begin() + 36 + 12);
    return padTo(frame + frames(header, length, 1), 20000);
}

Bytes vbriFile(const Bytes& header, std::size_t length, std::uint32_t count)
{
    return padTo(vbriFrame(header, length, count) + frames(header, length, 1), 20000);
}

// The footer alone of an APEv2 tag of `size` bytes.
Bytes apeFooter(std::uint32_t size)
{
    const Bytes tag = apeTag(size, false);
    return Bytes(tag.end() - 32, tag.end());
}

// A leading tag of `size` bytes of text, whose text contains a sync pattern that decodes.
Bytes tagWithStraySync(std::size_t size)
{
    return id3v2Tag(padTo(textFrame("TIT2", "x") + bytes({0xFF, 0xFE, 0x41, 0x00}), size - 10));
}

struct Layout {
    const char* name;
    Bytes file;
    bool valid;
    std::int64_t firstFrame;
    bool vbr;
    std::int64_t duration;
    bool id3v1;
    TFrameCountHeader countHeader = fcNone;
    std::int32_t bitRate = -1; // -1: not looked at
    friend void PrintTo(const Layout& c, std::ostream* os) { *os << c.name; }
};

class FileLayout : public testing::TestWithParam<Layout> {};

TEST_P(FileLayout, GivesFrameLengthAndTag)
{
    const Layout& c = GetParam();
    TMemoryStream stream(c.file);
    TAudioInfo info;
    info.LoadFromStream(stream, static_cast<std::int64_t>(c.file.size()));
    EXPECT_EQ(info.FrameHeader().Valid(), c.valid);
    EXPECT_EQ(info.FirstFrameOffset(), c.firstFrame);
    EXPECT_EQ(info.IsVBR(), c.vbr);
    if (c.valid) {
        EXPECT_EQ(info.Duration(), c.duration);
    }
    EXPECT_EQ(info.ID3v1().Present(), c.id3v1);
    EXPECT_EQ(info.FrameCountHeader(), c.countHeader);
    if (c.bitRate >= 0) {
        EXPECT_EQ(info.BitRate(), c.bitRate);
    }

    // A caller that needs no ID3v1 tag gets the same length and bit rate.
    TMemoryStream again(c.file);
    TAudioInfo untagged;
    untagged.LoadFromStream(again, static_cast<std::int64_t>(c.file.size()), false);
    EXPECT_EQ(untagged.FirstFrameOffset(), info.FirstFrameOffset());
    EXPECT_EQ(untagged.Duration(), info.Duration());
    EXPECT_EQ(untagged.FrameCountHeader(), info.FrameCountHeader());
    EXPECT_EQ(untagged.BitRate(), info.BitRate());
}

INSTANTIATE_TEST_SUITE_P(Files, FileLayout, testing::Values(
    // 999,872 or 1,000,000 bytes of audio at 128 kbit/s: 62 whole seconds, not rounded.
    Layout{"CbrWithTag", padTo(frames(Stereo1, 417, 2), 1000000 - 128) + TagBytes, true, 0, false, 62000, true, fcNone,
           128},
    // 15,990 bytes are 0.999 s; counting the tag's 128 would make them 1.007 s.
    Layout{"CbrTagNotCounted", padTo(frames(Stereo1, 417, 2), 15990) + TagBytes, true, 0, false, 0, true},
    Layout{"CbrWithoutTag", padTo(frames(Stereo1, 417, 2), 1000000), true, 0, false, 62000, false},
    // Nor is an APEv2 tag, with or without its header, before the ID3v1 tag or at the end.
    Layout{"ApeBeforeId3v1", padTo(frames(Stereo1, 417, 2), 15990) + apeTag(100, false) + TagBytes, true, 0, false, 0,
           true},
    Layout{"ApeWithHeaderAtTheEnd", padTo(frames(Stereo1, 417, 2), 15990) + apeTag(100, true), true, 0, false, 0,
           false},
    // A footer whose tag would reach into the first frame is audio.
    Layout{"ApeLongerThanTheAudio", padTo(frames(Stereo1, 417, 2), 15990) + apeFooter(20000), true, 0, false, 1000,
           false},
    // 4096 frames at 44100 Hz are 106.998 s. The average bit rate counts the bytes Xing gives
    // (2,000,000: 149.5 kbit/s), or with a count of 0 the file's 20,000 (1.5 kbit/s), half to even;
    // Info's is the second frame's (112 kbit/s), or the Info frame's where a free-format frame
    // follows.
    Layout{"Xing", xingFile(Stereo1, 417, 36, "Xing", 0x0F, 4096), true, 0, true, 107000, false, fcXing, 1},
    Layout{"XingCountingBytes", xingFileWithBytes(Stereo1, 417, 4096, 2000000), true, 0, true, 107000, false, fcXing,
           150},
    Layout{"XingBytesHalfToEven", xingFileWithBytes(Stereo1, 417, 49, 240), true, 0, true, 1000, false, fcXing, 2},
    Layout{"Info", xingFile(Stereo1, 417, 36, "Info", 1, 4096), true, 0, true, 107000, false, fcInfo, 128},
    Layout{"InfoAtAnotherRate",
           xingFrame(Stereo1, 417, 36, "Info", 1, 10) + frames(bytes({0xFF, 0xFB, 0x80, 0x64}), 365, 2), true, 0, true,
           0, false, fcInfo, 112},
    Layout{"InfoBeforeFreeFormat",
           xingFrame(Stereo1, 417, 36, "Info", 1, 10) + bytes({0xFF, 0xFB, 0x00, 0x64}) + zeros(600), true, 0, true, 0,
           false, fcInfo, 128},
    // Without a count, or with 0, the header is ignored and the bit rate gives the length.
    Layout{"XingWithoutCount", xingFile(Stereo1, 417, 36, "Xing", 0x0E, 4096), true, 0, false, 1000, false},
    Layout{"InfoCountingZero", xingFile(Stereo1, 417, 36, "Info", 1, 0), true, 0, false, 1000, false},
    Layout{"XingMono1", xingFile(Mono1, 417, 21, "Xing", 1, 4096), true, 0, true, 107000, false, fcXing},
    Layout{"XingMono1WrongPlace", xingFile(Mono1, 417, 36, "Xing", 1, 4096), true, 0, false, 1000, false},
    // MPEG-2 Layer III frames hold 576 samples: 1000 frames are 26.1 s.
    Layout{"XingStereo2", xingFile(Stereo2, 208, 21, "Xing", 1, 1000), true, 0, true, 26000, false, fcXing},
    Layout{"XingMono2", xingFile(Mono2, 208, 13, "Xing", 1, 1000), true, 0, true, 26000, false, fcXing},
    Layout{"XingMono2WrongPlace", xingFile(Mono2, 208, 21, "Xing", 1, 1000), true, 0, false, 2000, false},
    // Whole seconds rounded half to even, exactly: 375 frames at 32 kHz are 13.5 s, 125 are 4.5 s.
    Layout{"HalfRoundsUp", xingFile(Mpeg1At32kHz, 576, 36, "Xing", 1, 375), true, 0, true, 14000, false,
           fcXing},
    Layout{"HalfRoundsDown", xingFile(Mpeg1At32kHz, 576, 36, "Info", 1, 125), true, 0, true, 4000, false,
           fcInfo},
    Layout{"XingCountBeyond32Bits", xingFile(bytes({0xFF, 0xE3, 0x18, 0x00}), 72, 21, "Xing", 1, 0xFFFFFFFF),
           true, 0, true, 309237645000, false, fcXing},
    // VBRI counts 100,000 bytes: 59.26 kbit/s.
    Layout{"Vbri", vbriFile(Mpeg1At32kHz, 576, 375), true, 0, true, 14000, false, fcVbri, 59},
    Layout{"VbriCountingZero", vbriFile(Mpeg1At32kHz, 576, 0), true, 0, false, 1000, false},
    // An ignored Xing header (at 21 in a mono frame) keeps the VBRI header at 36 from counting.
    Layout{"IgnoredXingHidesVbri",
           padTo(xingFrame(vbriFrame(Mono1, 417, 375), 417, 21, "Xing", 0, 9) + frames(Mono1, 417, 1), 20000),
           true, 0, false, 1000, false},
    // The search starts no new block after 65536 bytes: the last offset it sees is 65596.
    Layout{"LastOffsetSearched", zeros(65596) + frames(Stereo1, 417, 2), true, 65596, false, 0, false},
    Layout{"BeyondSearch", zeros(65597) + frames(Stereo1, 417, 2) + TagBytes, false, -1, false, 0, true},
    Layout{"AcrossBlocks", zeros(4094) + frames(Stereo1, 417, 2), true, 4094, false, 0, false},
    Layout{"Empty", {}, false, -1, false, 0, false, fcNone, 0},
    // Too short for the following-frame check and for a tag behind the first frame.
    Layout{"Short", padTo(Stereo1, 200), true, 0, false, 0, false},
    Layout{"FollowingHeaderPastTheEnd", padTo(Stereo1, 417 + 3), true, 0, false, 0, false},
    // The following header fits, is not one, and nothing else is found.
    Layout{"FollowingHeaderNotOne", padTo(Stereo1, 417 + 4), false, -1, false, 0, false},
    // A header followed by one of another stream is passed over; the bit rate may change.
    Layout{"FollowedByAnotherStream", Stereo2 + zeros(204) + frames(Stereo1, 417, 2), true, 208, false, 0, false},
    Layout{"BitRateChanges", frames(Stereo1, 417, 1) + frames(bytes({0xFF, 0xFB, 0x80, 0x64}), 365, 2), true, 0,
           false, 0, false, fcNone, 128},
    // A free-format candidate (bit-rate index 0) is passed over, so a free-format file has no first
    // frame; as the follower of another candidate it agrees.
    Layout{"FreeFormatFalseSync", zeros(100) + FreeFormat + zeros(300) + frames(Stereo1, 417, 2), true, 404, false, 0,
           false},
    Layout{"FreeFormatFile", padTo(frames(FreeFormat, 300, 40), 12000) + TagBytes, false, -1, false, 0, true},
    Layout{"FreeFormatFollower", frames(Stereo1, 417, 1) + padTo(FreeFormat, 300), true, 0, false, 0, false},
    // A leading ID3v2 tag is skipped, however long, and syncs inside it are not taken.
    Layout{"Tag12K", id3v2Tag(padTo(textFrame("TIT2", "x"), 12288)) + frames(Stereo1, 417, 3) + TagBytes,
           true, 12298, false, 0, true},
    Layout{"Tag100K", id3v2Tag(zeros(100000)) + frames(Stereo1, 417, 3), true, 100010, false, 0, false},
    Layout{"StraySyncInTag", tagWithStraySync(300) + frames(Stereo1, 417, 3), true, 300, false, 0, false},
    // A tag that ends exactly at the end of the file leaves no audio, whatever it holds; the ID3v1
    // tag is still its last 128 bytes.
    Layout{"TagEndsAtTheEnd", id3v2Tag(padTo(textFrame("TIT2", "x"), 40) + frames(Stereo1, 417, 3) + TagBytes), false,
           -1, false, 0, true},
    // So is a second tag right behind the first: 22 + 70,010 bytes.
    Layout{"TwoTags", id3v2Tag(textFrame("TIT2", "x")) + id3v2Tag(zeros(70000)) + frames(Stereo1, 417, 3), true,
           70032, false, 0, false},
    Layout{"FirstFrame20KBehindTheTag", id3v2Tag(textFrame("TIT2", "x")) + zeros(20000) + frames(Stereo1, 417, 3),
           true, 20022, false, 0, false},
    // Where the tag is not skipped, the stray sync is passed over for the frames behind it.
    Layout{"TagSizePastEnd", padTo(tagWithStraySync(3000), 300) + frames(Stereo1, 417, 3), true, 300, false, 0,
           false},
    Layout{"TagNotAtStart", zeros(1) + tagWithStraySync(300) + frames(Stereo1, 417, 3), true, 301, false, 0,
           false}),
    [](const testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

// A file of any size, zeros but for the parts it is given.
class SparseStream : public TStream {
public:
    SparseStream(std::int64_t size, std::vector<std::pair<std::int64_t, Bytes>> parts)
        : size_(size), parts_(std::move(parts)) {}
    std::int64_t Size() const override { return size_; }
    std::int64_t Position() const override { return position_; }
    void Seek(std::int64_t position) override { position_ = position; }
    std::size_t Read(void* buffer, std::size_t count) override
    {
        count = static_cast<std::size_t>(std::clamp<std::int64_t>(size_ - position_, 0, std::int64_t(count)));
        auto* out = static_cast<unsigned char*>(buffer);
        std::fill(out, out + count, 0);
        for (const auto& [at, part] : parts_)
            for (std::size_t i = 0; i < part.size(); ++i)
                if (at + std::int64_t(i) >= position_ && at + std::int64_t(i) < position_ + std::int64_t(count))
                    out[at + i - position_] = part[i];
        position_ += std::int64_t(count);
        return count;
    }

private:
    std::int64_t size_;
    std::vector<std::pair<std::int64_t, Bytes>> parts_;
    std::int64_t position_ = 0;
};

TEST(AudioInfo, FilesOf2GiBAndMore)
{
    const std::int64_t size = std::int64_t(3) << 30;
    SparseStream stream(size, {{0, frames(Stereo1, 417, 2)}, {size - 160, apeTag(32, false) + TagBytes}});
    TAudioInfo info;
    info.LoadFromStream(stream, size);
    EXPECT_TRUE(info.FrameHeader().Valid());
    EXPECT_TRUE(info.ID3v1().Present());
    // 3 GiB less both tags at 16,000 bytes a second.
    EXPECT_EQ(info.Duration(), (size - 160) / 16000 * 1000);
}

TEST(AudioInfo, OffsetsCountFromTheStartPositionAndCountIsClamped)
{
    TMemoryStream stream(zeros(100) + padTo(frames(Stereo1, 417, 2), 20000) + TagBytes);
    stream.Seek(100);
    TAudioInfo info;
    info.LoadFromStream(stream, std::int64_t(1) << 40);
    EXPECT_EQ(info.FirstFrameOffset(), 0);
    EXPECT_TRUE(info.FrameHeader().Valid());
    EXPECT_TRUE(info.ID3v1().Present());
    EXPECT_EQ(info.Duration(), 1000);
}

TEST(AudioInfo, TagLengthFromItsHeader)
{
    struct Case { Bytes header; std::int64_t length; };
    const Case cases[] = {
        {bytes({'I', 'D', '3', 3, 0, 0x00, 0, 0, 0x01, 0x00}), 10 + 128},
        {bytes({'I', 'D', '3', 4, 0, 0x10, 0, 0, 0x01, 0x00}), 10 + 128 + 10},
        {bytes({'I', 'D', '3', 3, 0, 0x10, 0x7F, 0x7F, 0x7F, 0x7F}), 10 + 0x0FFFFFFF},
        {bytes({'I', 'D', '3', 3, 0, 0, 0, 0, 0x80, 0}), 0},
        {bytes({'I', 'D', '3', 0xFF, 0, 0, 0, 0, 1, 0}), 0},
        {bytes({'I', 'D', '3', 3, 0xFF, 0, 0, 0, 1, 0}), 0},
        {bytes({'i', 'D', '3', 3, 0, 0, 0, 0, 1, 0}), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(id3v2TagLength(c.header.data()), c.length);
}

TEST(AudioInfo, LoadFromFileSetsFileFacts)
{
    TempFile file(padTo(frames(Stereo1, 417, 2), 16000) + TagBytes);
    TAudioInfo info;
    info.LoadFromFile(file.path());
    EXPECT_TRUE(info.FrameHeader().Valid());
    EXPECT_EQ(info.FileSize(), 16128);
    EXPECT_EQ(info.Duration(), 1000);
    EXPECT_NE(info.FileDate(), -1);
    EXPECT_EQ(info.FileAttr() & 0x20, 0x20);

    for (const char* blank : {"", "   ", "\t \r\n"}) {
        info.LoadFromFile(blank);
        EXPECT_FALSE(info.FrameHeader().Valid());
        EXPECT_EQ(info.FileSize(), -1);
        EXPECT_EQ(info.FileDate(), -1);
        EXPECT_EQ(info.FileAttr(), 0);
        EXPECT_EQ(info.Duration(), 1000);
    }
}

TEST(AudioInfo, MissingFileRaisesWithClearedResults)
{
    TempFile file(padTo(frames(Stereo1, 417, 2), 16000));
    TAudioInfo info;
    info.LoadFromFile(file.path());
    const std::string missing = file.path() + ".missing";
    try {
        info.LoadFromFile(missing);
        FAIL() << "no error";
    } catch (const platform::FileOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + missing);
    }
    EXPECT_FALSE(info.FrameHeader().Valid());
    EXPECT_EQ(info.FirstFrameOffset(), -1);
    EXPECT_EQ(info.FileSize(), -1);
}

} // namespace

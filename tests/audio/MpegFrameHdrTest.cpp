#include "audio/MpegFrameHdr.h"
#include "audio/fixtures.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace fixtures;

namespace {

struct Decoded {
    Bytes header;
    bool valid;
    int version, layer, bitRate, sampleRate, channelMode, frameLength, samples;
    friend void PrintTo(const Decoded& d, std::ostream* os)
    {
        *os << std::hex << int(d.header[0]) << ' ' << int(d.header[1]) << ' ' << int(d.header[2]) << ' '
            << int(d.header[3]);
    }
};

class HeaderDecoding : public testing::TestWithParam<Decoded> {};

TEST_P(HeaderDecoding, DerivesEveryValue)
{
    const Decoded& d = GetParam();
    TMpegFrameHdr h;
    EXPECT_EQ(h.LoadFromBuffer(d.header.data(), 4), d.valid);
    EXPECT_EQ(h.Valid(), d.valid);
    EXPECT_EQ(h.Version(), d.version);
    EXPECT_EQ(h.Layer(), d.layer);
    EXPECT_EQ(h.BitRate(), d.bitRate);
    EXPECT_EQ(h.BitRateBps(), d.bitRate * 1000);
    EXPECT_EQ(h.SampleRate(), d.sampleRate);
    EXPECT_EQ(h.ChannelMode(), d.channelMode);
    EXPECT_EQ(0, std::memcmp(h.RawHeader(), d.header.data(), 4));
    if (!d.valid)
        return; // what a rejected header's fields would give as lengths means nothing
    EXPECT_EQ(h.FrameLength(), d.frameLength);
    EXPECT_EQ(h.SamplesPerFrame(), d.samples);
    EXPECT_EQ(h.PaddingSize(), h.Padding() ? (d.layer == 1 ? 4 : 1) : 0);
}

INSTANTIATE_TEST_SUITE_P(Frames, HeaderDecoding, testing::Values(
    // MPEG-1 Layer III, 128 kbit/s, 44100 Hz, unpadded and padded.
    Decoded{bytes({0xFF, 0xFB, 0x90, 0x64}), true, 1, 3, 128, 44100, 1, 417, 1152},
    Decoded{bytes({0xFF, 0xFB, 0x92, 0x64}), true, 1, 3, 128, 44100, 1, 418, 1152},
    // MPEG-2 Layer III, mono.
    Decoded{bytes({0xFF, 0xF3, 0x80, 0xC4}), true, 2, 3, 64, 22050, 3, 208, 576},
    // Layer I counts in 4-byte slots.
    Decoded{bytes({0xFF, 0xFF, 0x10, 0x00}), true, 1, 1, 32, 44100, 0, 32, 384},
    Decoded{bytes({0xFF, 0xFF, 0x12, 0x00}), true, 1, 1, 32, 44100, 0, 36, 384},
    Decoded{bytes({0xFF, 0xF7, 0x92, 0x00}), true, 2, 1, 144, 22050, 0, 4 * (12 * 144000 / 22050 + 1), 384},
    // Layer II keeps 144 in MPEG-2: 144 * 64000 / 24000.
    Decoded{bytes({0xFF, 0xF5, 0x84, 0x00}), true, 2, 2, 64, 24000, 0, 384, 1152},
    Decoded{bytes({0xFF, 0xFD, 0x84, 0x00}), true, 1, 2, 128, 48000, 0, 384, 1152},
    // MPEG-2.5 rates.
    Decoded{bytes({0xFF, 0xE3, 0x90, 0x00}), true, 3, 3, 80, 11025, 0, 72 * 80000 / 11025, 576},
    Decoded{bytes({0xFF, 0xE3, 0x94, 0x00}), true, 3, 3, 80, 12000, 0, 480, 576},
    Decoded{bytes({0xFF, 0xE3, 0x18, 0x00}), true, 3, 3, 8, 8000, 0, 72, 576},
    // Free format: valid, with only the padding as length.
    Decoded{bytes({0xFF, 0xFB, 0x00, 0x00}), true, 1, 3, 0, 44100, 0, 0, 1152},
    Decoded{bytes({0xFF, 0xFF, 0x02, 0x00}), true, 1, 1, 0, 44100, 0, 4, 384},
    // Forbidden bit rate, reserved rate, version and layer codes (no lengths: they are not checked).
    Decoded{bytes({0xFF, 0xFB, 0xF0, 0x00}), false, 1, 3, -1, 44100, 0, 0, 0},
    Decoded{bytes({0xFF, 0xFB, 0x9C, 0x00}), false, 1, 3, 128, -1, 0, 0, 0},
    Decoded{bytes({0xFF, 0xEB, 0x90, 0x00}), false, 0, 3, -1, -1, 0, 0, 0},
    Decoded{bytes({0xFF, 0xF9, 0x90, 0x00}), false, 1, 0, -1, 44100, 0, 0, 0},
    // No sync.
    Decoded{bytes({0xFE, 0xFB, 0x90, 0x64}), false, 1, 3, 128, 44100, 1, 0, 0},
    Decoded{bytes({0xFF, 0xDB, 0x90, 0x64}), false, 1, 3, 128, 44100, 1, 0, 0}));

TEST(FrameHeader, ShortBufferChangesNothing)
{
    TMpegFrameHdr h;
    const Bytes good = bytes({0xFF, 0xFB, 0x90, 0x64});
    ASSERT_TRUE(h.LoadFromBuffer(good.data(), 4));
    const Bytes other = bytes({0xFF, 0xF3, 0x80});
    EXPECT_FALSE(h.LoadFromBuffer(other.data(), 3));
    EXPECT_TRUE(h.Valid());
    EXPECT_EQ(h.RawHeader()[1], 0xFB);
    h.SetValid(false);
    EXPECT_EQ(h.FrameLength(), 417);
}

TEST(FrameHeader, FindFrameAtTheBufferEdges)
{
    const Bytes header = bytes({0xFF, 0xFB, 0x90, 0x64});
    struct Case { Bytes data; int found; };
    const Case cases[] = {
        {zeros(6) + header, 6},                              // ends exactly at the end
        {zeros(6) + Bytes(header.begin(), header.end() - 1), -1}, // starts at Size - 3
        {bytes({0xFF, 0xE0, 0x00, 0x00}) + header, 4},                 // first candidate invalid
        {bytes({0xFF, 0xFF, 0xFF}) + header, 3},                       // a run of syncs before it
        {Bytes(header.begin(), header.begin() + 3), -1},
    };
    for (const Case& c : cases) {
        TMpegFrameHdr h;
        EXPECT_EQ(h.FindFrame(c.data.data(), static_cast<int32_t>(c.data.size())), c.found);
        EXPECT_EQ(h.Valid(), c.found >= 0);
    }
}

TEST(FrameHeader, FailedSearchKeepsLastCandidateAndNoCandidateKeepsAll)
{
    TMpegFrameHdr h;
    const Bytes good = bytes({0xFF, 0xFB, 0x90, 0x64});
    h.LoadFromBuffer(good.data(), 4);
    const Bytes noSync = zeros(64);
    EXPECT_EQ(h.FindFrame(noSync.data(), 64), -1);
    EXPECT_TRUE(h.Valid());
    const Bytes badCandidate = bytes({0, 0xFF, 0xF3, 0xF0, 0xC4, 0});
    EXPECT_EQ(h.FindFrame(badCandidate.data(), 6), -1);
    EXPECT_FALSE(h.Valid());
    EXPECT_EQ(h.Version(), 2);
    EXPECT_EQ(h.BitRate(), -1);
}

} // namespace

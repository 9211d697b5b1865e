// Files made by real encoders and taggers; tests/data/audio/README.md says how.
#include "audio/AudioInfo.h"
#include "audio/id3v2.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string dataFile(const std::string& name)
{
    const char* root = std::getenv("TUNESHEET_SOURCE_DIR");
    return std::string(root ? root : TUNESHEET_DEFAULT_SOURCE_DIR) + "/tests/data/audio/" + name;
}

struct RealFile {
    const char* name;
    int version, sampleRate, bitRate, firstFrame;
    bool vbr;
    int duration;
    std::string id3v1Title;  // empty: no ID3v1 tag
    bool id3v2;
    std::string artist, title;
    int artistEncoding;
    friend void PrintTo(const RealFile& f, std::ostream* os) { *os << f.name; }
};

class RealFiles : public testing::TestWithParam<RealFile> {};

TEST_P(RealFiles, ReadersAgreeWithTheEncoder)
{
    const RealFile& f = GetParam();
    TAudioInfo info;
    info.LoadFromFile(dataFile(f.name));
    const TMpegFrameHdr& h = info.FrameHeader();
    EXPECT_TRUE(h.Valid());
    EXPECT_EQ(h.Version(), f.version);
    EXPECT_EQ(h.Layer(), 3);
    EXPECT_EQ(h.ChannelMode(), 3);
    EXPECT_EQ(h.SampleRate(), f.sampleRate);
    EXPECT_EQ(h.BitRate(), f.bitRate);
    EXPECT_EQ(info.FirstFrameOffset(), f.firstFrame);
    EXPECT_EQ(info.IsVBR(), f.vbr);
    EXPECT_EQ(info.Duration(), f.duration);
    EXPECT_EQ(info.ID3v1().Present(), !f.id3v1Title.empty());
    EXPECT_EQ(info.ID3v1().Title(), f.id3v1Title);

    id3v2tag tag;
    EXPECT_EQ(tag.LoadFromFile(dataFile(f.name)), f.id3v2);
    EXPECT_EQ(tag.GetArtist(), f.artist);
    EXPECT_EQ(tag.GetTitle(), f.title);
    EXPECT_EQ(tag.ArtistEncoding(), f.artistEncoding);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(Encoders, RealFiles, testing::Values(
    RealFile{"mpeg1_cbr.mp3", 1, 32000, 32, 2032, false, 2000, "Sine 440", true, "Tone Artist", "Sine 440", 0},
    // ffmpeg codes its Info frame at 56 kbit/s, lower than the audio; its frame count gives the length.
    RealFile{"mpeg2_mono.mp3", 2, 22050, 56, 1109, true, 2000, "", true, "Mono Artist\0"s, "Half Rate\0"s, 3},
    RealFile{"mpeg25_11k.mp3", 3, 11025, 16, 0, false, 2000, "", false, "", "", 0},
    RealFile{"vbr_xing.mp3", 1, 32000, 128, 0, true, 1000, "Variable", false, "", "", 0},
    RealFile{"vbr_mpeg2.mp3", 2, 22050, 64, 0, true, 2000, "", false, "", "", 0},
    RealFile{"cbr_info.mp3", 1, 32000, 32, 340, false, 1000, "", true, "Info Artist", "Constant", 0},
    // The picture comes first, so the text frames lie beyond the 500 bytes looked at.
    RealFile{"cover_art.mp3", 1, 32000, 32, 21698, false, 1000, "", true, "", "", 0},
    RealFile{"utf16_tags.mp3", 1, 32000, 32, 337, false, 1000, "", true,
             "\xFF\xFE\xC4\0r\0t\0i\0s\0t\0"s, "\xFF\xFET\0\xEF\0t\0l\0e\0"s, 1}),
    [](const testing::TestParamInfo<RealFile>& info) {
        std::string name = info.param.name;
        return name.substr(0, name.find('.'));
    });

} // namespace

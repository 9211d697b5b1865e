// Files made by real encoders and taggers; tests/data/audio/README.md says how.
#include "audio/AudioInfo.h"
#include "audio/id3v2.h"
#include "audio/fixtures.h"

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
    int version, sampleRate, bitRate, channelMode, firstFrame;
    bool vbr;
    int duration;
    std::string id3v1Title;  // empty: no ID3v1 tag
    bool id3v2;
    std::string artist, title, year;
    int artistEncoding;
    int shownBitRate = -1; // -1: not looked at, nor the header that gave the length
    TFrameCountHeader countHeader = fcNone;
    friend void PrintTo(const RealFile& f, std::ostream* os) { *os << f.name; }
};

class RealFiles : public testing::TestWithParam<RealFile> {};

TEST_P(RealFiles, ReadersAgreeWithTheEncoder)
{
    const RealFile& f = GetParam();
    TAudioInfo info;
    info.LoadFromFile(dataFile(f.name));
    const TMpegFrameHdr& h = info.FrameHeader();
    // Version 0: the file has no first frame.
    EXPECT_EQ(h.Valid(), f.version != 0);
    EXPECT_EQ(info.FirstFrameOffset(), f.firstFrame);
    if (h.Valid()) {
        EXPECT_EQ(h.Version(), f.version);
        EXPECT_EQ(h.Layer(), 3);
        EXPECT_EQ(h.ChannelMode(), f.channelMode);
        EXPECT_EQ(h.SampleRate(), f.sampleRate);
        EXPECT_EQ(h.BitRate(), f.bitRate);
        EXPECT_EQ(info.IsVBR(), f.vbr);
        EXPECT_EQ(info.Duration(), f.duration);
    }
    EXPECT_EQ(info.ID3v1().Present(), !f.id3v1Title.empty());
    EXPECT_EQ(info.ID3v1().Title(), f.id3v1Title);
    if (f.shownBitRate >= 0) {
        EXPECT_EQ(info.BitRate(), f.shownBitRate);
        EXPECT_EQ(info.FrameCountHeader(), f.countHeader);
    }

    id3v2tag tag;
    EXPECT_EQ(tag.LoadFromFile(dataFile(f.name)), f.id3v2);
    EXPECT_EQ(tag.GetArtist(), f.artist);
    EXPECT_EQ(tag.GetTitle(), f.title);
    EXPECT_EQ(tag.GetYear(), f.year);
    EXPECT_EQ(tag.ArtistEncoding(), f.artistEncoding);
}

using namespace std::string_literals;

const std::string LongTitle = fixtures::repeated("Long Title ", 300);
const std::string SymphonyTitle = fixtures::repeated("SYMPHONY NO 9 IN D MINOR OP 125 CHORAL ", 286);

INSTANTIATE_TEST_SUITE_P(Encoders, RealFiles, testing::Values(
    RealFile{"mpeg1_cbr.mp3", 1, 32000, 32, 3, 2032, false, 2000, "Sine 440", true, "Tone Artist", "Sine 440", "2021",
             0, 32, fcNone},
    // The Info frames of ffmpeg are coded at a lower bit rate than the audio (56 and 64 kbit/s
    // here); their frame counts give the length, the frames behind them the bit rate shown.
    RealFile{"mpeg2_mono.mp3", 2, 22050, 56, 3, 1109, true, 2000, "", true, "Mono Artist", "Half Rate", "", 3, 24, fcInfo},
    RealFile{"ffmpeg_default.mp3", 1, 44100, 64, 0, 132, true, 1000, "", true, "FFmpeg Artist", "Default Rate", "2022",
             3, 128, fcInfo},
    RealFile{"mpeg25_11k.mp3", 3, 11025, 16, 3, 0, false, 2000, "", false, "", "", "", 0},
    // The average over the bytes Xing counts.
    RealFile{"vbr_xing.mp3", 1, 32000, 128, 3, 0, true, 1000, "Variable", false, "", "", "", 0, 40, fcXing},
    RealFile{"vbr_mpeg2.mp3", 2, 22050, 64, 3, 0, true, 2000, "", false, "", "", "", 0, 10, fcXing},
    RealFile{"cbr_info.mp3", 1, 32000, 32, 3, 340, false, 1000, "", true, "Info Artist", "Constant", "2020", 0},
    // The texts behind a 20 KB picture (which holds stray sync patterns).
    RealFile{"cover_art.mp3", 1, 32000, 32, 3, 21698, false, 1000, "", true, "\xFF\xFE" "C\0o\0v\0e\0r\0 \0A\0r\0t\0i\0s\0t\0"s,
             "\xFF\xFEW\0i\0t\0h\0 \0P\0i\0c\0t\0u\0r\0e\0"s, "", 1},
    RealFile{"utf16_tags.mp3", 1, 32000, 32, 3, 337, false, 1000, "", true,
             "\xFF\xFE\xC4\0r\0t\0i\0s\0t\0"s, "\xFF\xFET\0\xEF\0t\0l\0e\0"s, "", 1},
    // Version 2.4 with a 300-byte title and TDRC.
    RealFile{"mutagen_v24.mp3", 1, 32000, 32, 3, 1421, false, 1000, "", true, "Mutagen Artist", LongTitle, "2001", 3},
    // A chapter with its own title, then a PRIV frame, before the song's texts.
    RealFile{"chapters.mp3", 1, 32000, 32, 3, 463, false, 1000, "", true, "Chapter Artist", "Whole Song", "1998", 3},
    // 7,776 bytes of audio (54 frames, 1.944 s) before a 531-byte APEv2 tag and an ID3v1 tag.
    RealFile{"ape_tag.mp3", 1, 32000, 32, 3, 0, false, 1000, "Before ID3v1", false, "", "", "", 0},
    // A version 2.4 tag with plain frame sizes, as iTunes wrote them, and a 286-byte title in
    // capitals whose size read as syncsafe ends at letters.
    RealFile{"itunes_v24.mp3", 1, 32000, 32, 3, 452, false, 1000, "", true, "\xFF\xFEi\0T\0u\0n\0e\0s\0 \0A\0r\0t\0i\0s\0t\0"s,
             SymphonyTitle, "2004", 1},
    // A version 2.3 tag that opens with an iTunes compilation flag under its version 2.2 name
    // "TCP" and a zero byte, and names its texts the same way; and one that opens with a frame
    // "txxx".
    RealFile{"v22_names_v23.mp3", 1, 32000, 32, 3, 198, false, 1000, "", true,
             "\xFF\xFER\0e\0n\0a\0m\0e\0d\0 \0A\0r\0t\0i\0s\0t\0"s, "\xFF\xFEO\0l\0d\0 \0N\0a\0m\0e\0s\0"s, "2003", 1},
    RealFile{"lowercase_frame.mp3", 1, 32000, 32, 3, 160, false, 1000, "", true, "Lower Artist", "After Lower Case", "2005", 0},
    // Free format: LAME's frames at 40 kbit/s, whose headers give bit-rate index 0, are no first
    // frame; mutagen and ffprobe find none either.
    RealFile{"free_format.mp3", 0, 0, 0, 0, -1, false, 0, "", false, "", "", "", 0}),
    [](const testing::TestParamInfo<RealFile>& info) {
        std::string name = info.param.name;
        return name.substr(0, name.find('.'));
    });

} // namespace

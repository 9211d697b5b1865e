#pragma once
// The 4-byte header that opens every MPEG audio frame (MPEG-1, MPEG-2, MPEG-2.5; Layers I-III).
#include <cstdint>

class TMpegFrameHdr {
public:
    TMpegFrameHdr() = default;

    // Decodes Data[0..3]; returns Valid. With fewer than 4 bytes it returns false and
    // changes nothing.
    bool LoadFromBuffer(const unsigned char* Data, std::int32_t Size);

    // Index of the first valid header in Data, or -1. Every candidate with the sync pattern
    // is loaded, so after a failed search the object holds the last one tried.
    std::int32_t FindFrame(const unsigned char* Data, std::int32_t Size);

    const unsigned char* RawHeader() const { return FRawHeader; }
    bool Valid() const { return FValid; }
    // The owner overrides the verdict, e.g. after looking at the following frame.
    void SetValid(bool Value) { FValid = Value; }

    // 1 = MPEG-1, 2 = MPEG-2, 3 = MPEG-2.5, 0 = reserved.
    std::int32_t Version() const { return FVersion; }
    // 1..3, 0 = reserved.
    std::int32_t Layer() const;
    // kbit/s; 0 = free format, -1 = unknown.
    std::int32_t BitRate() const { return FBitRate; }
    std::int32_t BitRateBps() const { return FBitRate * 1000; }
    // Hz; -1 = unknown.
    std::int32_t SampleRate() const { return FSampleRate; }
    bool Padding() const { return (FRawHeader[2] & 0x02) != 0; }
    // Bytes the padding bit adds, counted in the layer's slots (4 for Layer I, 1 otherwise).
    std::int32_t PaddingSize() const;
    // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel.
    std::int32_t ChannelMode() const { return FRawHeader[3] >> 6; }
    // Bytes of the whole frame, header included; 0 when the sampling frequency is unknown.
    std::int32_t FrameLength() const { return FFrameLength; }
    // 384, 1152 or 576 (MPEG-2/2.5 Layer III); 0 for a reserved version or layer.
    std::int32_t SamplesPerFrame() const;
    // Both headers have the same version, layer and sampling frequency, as the frames of one
    // stream do (bit rate, padding and channel mode may differ).
    bool SameStream(const TMpegFrameHdr& Other) const;

private:
    std::int32_t DecodeVersion() const;
    std::int32_t DecodeBitRate() const;
    std::int32_t DecodeSampleRate() const;
    std::int32_t DecodeFrameLength() const;
    bool HasSync() const;

    unsigned char FRawHeader[4] = {0, 0, 0, 0};
    bool FValid = false;
    std::int32_t FVersion = 0;
    std::int32_t FBitRate = 0;
    std::int32_t FSampleRate = 0;
    std::int32_t FFrameLength = 0;
};

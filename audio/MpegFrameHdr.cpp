#include "audio/MpegFrameHdr.h"

#include <cstring>

namespace {

// kbit/s by bit-rate index; index 0 is free format, 15 is forbidden.
const std::int32_t BitRates[5][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, -1}, // MPEG-1 Layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, -1},    // MPEG-1 Layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1},     // MPEG-1 Layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, -1},    // MPEG-2/2.5 Layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1},         // MPEG-2/2.5 Layer II, III
};

// Hz by version (1..3) and sampling-frequency index.
const std::int32_t SampleRates[3][4] = {
    {44100, 48000, 32000, -1},
    {22050, 24000, 16000, -1},
    {11025, 12000, 8000, -1},
};

bool hasSync(const unsigned char* p)
{
    return p[0] == 0xFF && (p[1] & 0xE0) == 0xE0;
}

} // namespace

bool TMpegFrameHdr::HasSync() const
{
    return hasSync(FRawHeader);
}

std::int32_t TMpegFrameHdr::Layer() const
{
    return (4 - ((FRawHeader[1] >> 1) & 0x03)) % 4;
}

std::int32_t TMpegFrameHdr::PaddingSize() const
{
    if (!Padding())
        return 0;
    return Layer() == 1 ? 4 : 1;
}

std::int32_t TMpegFrameHdr::SamplesPerFrame() const
{
    if (FVersion == 0)
        return 0;
    switch (Layer()) {
    case 1: return 384;
    case 2: return 1152;
    case 3: return FVersion == 1 ? 1152 : 576;
    default: return 0;
    }
}

bool TMpegFrameHdr::SameStream(const TMpegFrameHdr& Other) const
{
    const unsigned char* a = FRawHeader;
    const unsigned char* b = Other.FRawHeader;
    // Version and layer bits in byte 1, the sampling-frequency index in byte 2.
    return (a[1] & 0x1E) == (b[1] & 0x1E) && (a[2] & 0x0C) == (b[2] & 0x0C);
}

std::int32_t TMpegFrameHdr::DecodeVersion() const
{
    static const std::int32_t byBits[4] = {3, 0, 2, 1};
    return byBits[(FRawHeader[1] >> 3) & 0x03];
}

std::int32_t TMpegFrameHdr::DecodeBitRate() const
{
    int layer = Layer();
    if (FVersion == 0 || layer == 0)
        return -1;
    int row = FVersion == 1 ? layer - 1 : (layer == 1 ? 3 : 4);
    return BitRates[row][FRawHeader[2] >> 4];
}

std::int32_t TMpegFrameHdr::DecodeSampleRate() const
{
    if (FVersion == 0)
        return -1;
    return SampleRates[FVersion - 1][(FRawHeader[2] >> 2) & 0x03];
}

std::int32_t TMpegFrameHdr::DecodeFrameLength() const
{
    if (FSampleRate <= 0)
        return 0;
    const std::int64_t bps = BitRateBps();
    const int padding = Padding() ? 1 : 0;
    switch (Layer()) {
    case 1:
        // Layer I counts in 4-byte slots.
        return static_cast<std::int32_t>((12 * bps / FSampleRate + padding) * 4);
    case 2:
        return static_cast<std::int32_t>(144 * bps / FSampleRate + padding);
    case 3: {
        // MPEG-2 and 2.5 frames hold half the samples of MPEG-1 ones.
        const int coefficient = FVersion == 1 ? 144 : 72;
        return static_cast<std::int32_t>(coefficient * bps / FSampleRate + padding);
    }
    default:
        return 0;
    }
}

bool TMpegFrameHdr::LoadFromBuffer(const unsigned char* Data, std::int32_t Size)
{
    if (Size < 4)
        return false;
    std::memcpy(FRawHeader, Data, 4);
    FVersion = DecodeVersion();
    FBitRate = DecodeBitRate();
    FSampleRate = DecodeSampleRate();
    FFrameLength = DecodeFrameLength();
    FValid = HasSync() && FVersion != 0 && Layer() != 0 && FBitRate != -1 && FSampleRate != -1;
    return FValid;
}

std::int32_t TMpegFrameHdr::FindFrame(const unsigned char* Data, std::int32_t Size)
{
    // Every header starts with a byte 0xFF: the search jumps from one to the next.
    for (std::int32_t i = 0; i + 4 <= Size; ++i) {
        const void* next = std::memchr(Data + i, 0xFF, static_cast<std::size_t>(Size - 3 - i));
        if (!next)
            return -1;
        i = static_cast<std::int32_t>(static_cast<const unsigned char*>(next) - Data);
        if (hasSync(Data + i) && LoadFromBuffer(Data + i, Size - i))
            return i;
    }
    return -1;
}

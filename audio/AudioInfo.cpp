#include "audio/AudioInfo.h"

#include "platform/ReadOnlyFile.h"

#include "audio/Id3v2Header.h"
#include "audio/Stream.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

const std::int32_t kBlockSize = 128;
const std::int32_t kCarry = 4;
const std::int32_t kID3v1Size = 128;

std::int32_t wholeSecondsAsMilliseconds(std::int64_t seconds)
{
    // Damaged counts can exceed what the 32-bit result holds.
    return static_cast<std::int32_t>(std::min<std::int64_t>(seconds, INT32_MAX / 1000) * 1000);
}

std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

bool isBlank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c <= ' '; });
}

} // namespace

void TAudioInfo::Clear()
{
    FFrameHeader.SetValid(false);
    FFirstFrameOffset = -1;
    FIsVBR = false;
    FID3v1.SetPresent(false);
    FFileSize = -1;
    FFileDate = -1;
    FFileAttr = 0;
}

void TAudioInfo::LoadFromFile(const std::string& FileName)
{
    Clear();
    if (isBlank(FileName))
        return;
    {
        TFileStream Stream(FileName);
        const std::int64_t size = Stream.Size();
        LoadFromStream(Stream, static_cast<std::int32_t>(std::min<std::int64_t>(size, INT32_MAX)));
        FFileSize = size;
        // The open file's own status: the same file, and no second look-up by name.
        FFileDate = Stream.File().dosDate();
        FFileAttr = Stream.File().attributes();
    }
}

void TAudioInfo::LoadFromStream(TStream& Stream, std::int32_t Count)
{
    const std::int64_t Start = Stream.Position();
    Clear();
    const std::int64_t available = std::max<std::int64_t>(Stream.Size() - Start, 0);
    Count = static_cast<std::int32_t>(std::clamp<std::int64_t>(Count, 0, available));

    FindFirstFrame(Stream, Start, Count);
    CheckFollowingFrame(Stream, Start, Count);
    if (FFrameHeader.Valid())
        ReadXingHeader(Stream, Start, Count);

    const std::int64_t FirstFrameEnd =
        FFrameHeader.Valid() ? std::int64_t(FFirstFrameOffset) + FFrameHeader.FrameLength() : 0;
    Stream.Seek(Start + FirstFrameEnd);
    FID3v1.LoadFromStream(Stream, static_cast<std::int32_t>(Count - FirstFrameEnd));

    if (!FIsVBR)
        FDuration = ConstantBitRateDuration(Count);
}

// The search starts behind a leading ID3v2 tag, so that neither its length nor a sync
// pattern inside it (a UTF-16 byte-order mark is one) hides the first frame.
std::int32_t TAudioInfo::FirstFrameSearchStart(TStream& Stream, std::int64_t Start, std::int32_t Count)
{
    if (Count < kId3v2HeaderSize)
        return 0;
    unsigned char header[kId3v2HeaderSize];
    Stream.Seek(Start);
    Stream.ReadBuffer(header, sizeof header);
    const std::int64_t tagEnd = id3v2TagLength(header);
    return tagEnd <= Count ? static_cast<std::int32_t>(tagEnd) : 0;
}

// Reads 128-byte blocks, keeping the last 4 bytes of each in front of the next, so that a
// header across two blocks is found too.
void TAudioInfo::FindFirstFrame(TStream& Stream, std::int64_t Start, std::int32_t Count)
{
    const std::int32_t From = FirstFrameSearchStart(Stream, Start, Count);
    const std::int32_t Left = Count - From;
    Stream.Seek(Start + From);
    unsigned char Buffer[kBlockSize];
    std::int32_t Total = 0;
    std::int32_t Carry = 0;
    while (Total < FSearchLimit && Total < Left) {
        const std::int32_t N = std::min(kBlockSize - Carry, Left - Total);
        Stream.ReadBuffer(Buffer + Carry, static_cast<std::size_t>(N));
        const std::int32_t R = FFrameHeader.FindFrame(Buffer, Carry + N);
        if (R >= 0) {
            FFirstFrameOffset = From + Total - Carry + R;
            return;
        }
        Total += N;
        Carry = kCarry;
        std::memmove(Buffer, Buffer + kBlockSize - kCarry, kCarry);
    }
    FFirstFrameOffset = -1;
}

// A lone header is often chance; the frame it announces must be followed by another.
void TAudioInfo::CheckFollowingFrame(TStream& Stream, std::int64_t Start, std::int32_t Count)
{
    if (!FFrameHeader.Valid())
        return;
    const std::int64_t Next = std::int64_t(FFirstFrameOffset) + FFrameHeader.FrameLength();
    if (Next + 4 >= Count)
        return;
    unsigned char Bytes[4];
    Stream.Seek(Start + Next);
    Stream.ReadBuffer(Bytes, sizeof Bytes);
    TMpegFrameHdr Following;
    Following.LoadFromBuffer(Bytes, sizeof Bytes);
    FFrameHeader.SetValid(Following.Valid());
}

// Where the Xing header sits: behind the side information, whose size depends on the
// version and on whether the frame is single-channel.
std::int32_t TAudioInfo::XingOffset() const
{
    const bool mono = FFrameHeader.ChannelMode() == 3;
    if (FFrameHeader.Version() == 1)
        return mono ? 21 : 36;
    return mono ? 13 : 21;
}

void TAudioInfo::ReadXingHeader(TStream& Stream, std::int64_t Start, std::int32_t Count)
{
    const std::int64_t At = std::int64_t(FFirstFrameOffset) + XingOffset();
    if (At + 12 >= Count)
        return;
    unsigned char Xing[12];
    Stream.Seek(Start + At);
    Stream.ReadBuffer(Xing, sizeof Xing);
    if (std::memcmp(Xing, "Xing", 4) != 0)
        return;
    FIsVBR = true;
    const bool hasFrameCount = (Xing[7] & 0x01) != 0;
    const std::uint32_t Frames = hasFrameCount ? bigEndian32(Xing + 8) : 0;
    if (FFrameHeader.SampleRate() <= 0) {
        FDuration = 0;
        return;
    }
    // nearbyint rounds a value exactly halfway to the even neighbour.
    const double seconds =
        std::nearbyint(double(FFrameHeader.SamplesPerFrame()) / FFrameHeader.SampleRate() * Frames);
    FDuration = wholeSecondsAsMilliseconds(static_cast<std::int64_t>(seconds));
}

std::int32_t TAudioInfo::ConstantBitRateDuration(std::int32_t Count) const
{
    const std::int32_t BitRate = FFrameHeader.BitRate();
    if (BitRate == -1 || BitRate == 0)
        return 0;
    const std::int64_t Audio = std::int64_t(Count) - FFirstFrameOffset - (FID3v1.Present() ? kID3v1Size : 0);
    return wholeSecondsAsMilliseconds(Audio * 8 / FFrameHeader.BitRateBps());
}

#include "audio/AudioInfo.h"

#include "platform/ReadOnlyFile.h"

#include "audio/Id3v2Header.h"
#include "audio/Stream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

const std::int32_t BlockSize = 128;
const std::int32_t CarryBytes = 4;
const std::int32_t ID3v1TagSize = 128;
const std::int32_t ApeFooterSize = 32;
// "Xing" or "Info", flags, frame count.
const std::int32_t XingSize = 12;
// "VBRI", version, delay, quality, stream bytes, frame count; at byte 36 of the frame.
const std::int32_t VbriOffset = 36;
const std::int32_t VbriSize = 18;

std::uint32_t littleEndian32(const unsigned char* p)
{
    return (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

bool isBlank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c <= ' '; });
}

// The bytes of the APEv2 tag that `footer` closes ("APETAGEX", version, then little-endian the
// tag size at 12 and the flags at 20): the size counts the items and the footer, and bit 31 of
// the flags puts a 32-byte header before them. 0 when there is no such tag or when it would
// reach back further than the `room` bytes in front of the footer's end.
std::int64_t apeTagSize(const unsigned char* footer, std::int64_t room)
{
    if (std::memcmp(footer, "APETAGEX", 8) != 0)
        return 0;
    const std::int64_t size = littleEndian32(footer + 12);
    const bool hasHeader = (footer[23] & 0x80) != 0;
    const std::int64_t whole = size + (hasHeader ? ApeFooterSize : 0);
    return size >= ApeFooterSize && whole <= room ? whole : 0;
}

} // namespace

void TAudioInfo::Clear()
{
    FFrameHeader.SetValid(false);
    FFirstFrameOffset = -1;
    FIsVBR = false;
    FFrameCountHeader = fcNone;
    FFrameCount = 0;
    FHeaderBytes = 0;
    FBitRate = 0;
    FID3v1.SetPresent(false);
    FApeTagSize = 0;
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
        LoadFromStream(Stream, size);
        FFileSize = size;
        // The open file's own status: the same file, and no second look-up by name.
        FFileDate = Stream.File().dosDate();
        FFileAttr = Stream.File().attributes();
    }
}

void TAudioInfo::LoadFromStream(TStream& Stream, std::int64_t Count, bool TagsAtEnd)
{
    const std::int64_t Start = Stream.Position();
    Clear();
    Count = std::clamp<std::int64_t>(Count, 0, std::max<std::int64_t>(Stream.Size() - Start, 0));

    FindFirstFrame(Stream, Start, Count);
    if (FFrameHeader.Valid())
        ReadVbrHeader(Stream, Start, Count);
    // On a disk or a share the end of a file is a read of its own.
    if (TagsAtEnd || !CountsItsAudio())
        ReadTagsAtEnd(Stream, Start, Count);
    if (!FIsVBR)
        FDuration = ConstantBitRateDuration(Count);
    if (!FFrameHeader.Valid())
        return;
    switch (FFrameCountHeader) {
    case fcXing:
    case fcVbri: FBitRate = AverageBitRate(Count); break;
    case fcInfo: FBitRate = SecondFrameBitRate(Stream, Start, Count); break;
    case fcNone: FBitRate = std::max(FFrameHeader.BitRate(), 0); break;
    }
}

// The search starts behind the ID3v2 tags at the front (a tagger may have put a second one
// right behind the first), so that neither their length nor a sync pattern inside them (a
// UTF-16 byte-order mark is one) hides the first frame.
std::int64_t TAudioInfo::FirstFrameSearchStart(TStream& Stream, std::int64_t Start, std::int64_t Count)
{
    std::int64_t From = 0;
    while (From + Id3v2HeaderSize <= Count) {
        const std::int64_t TagLength = id3v2TagLength(Stream.ViewBuffer(Start + From, Id3v2HeaderSize));
        if (TagLength == 0 || From + TagLength > Count)
            break;
        From += TagLength;
    }
    return From;
}

// Reads 128-byte blocks, each searched with the last 4 bytes of the one before in front of it,
// so that a header across two blocks is found too. A candidate counts only when the frame it
// announces is followed by a header of the same stream; otherwise the search goes on behind
// it. A free-format candidate (bit-rate index 0) never counts: its header gives no frame
// length, so nothing can confirm it, and such false syncs are common enough to hide the audio.
void TAudioInfo::FindFirstFrame(TStream& Stream, std::int64_t Start, std::int64_t Count)
{
    const std::int64_t From = FirstFrameSearchStart(Stream, Start, Count);
    const std::int64_t Left = Count - From;
    std::int64_t Total = 0;
    std::int32_t Carry = 0;
    while (Total < FSearchLimit && Total < Left) {
        const auto N = static_cast<std::int32_t>(std::min<std::int64_t>(BlockSize - Carry, Left - Total));
        const std::int64_t BufferOffset = From + Total - Carry;
        const auto Searched = static_cast<std::size_t>(Carry + N);
        for (std::int32_t At = 0;;) {
            // Looked at again after each candidate: the check of the frame behind it reads.
            const unsigned char* Block = Stream.ViewBuffer(Start + BufferOffset, Searched);
            const std::int32_t R = FFrameHeader.FindFrame(Block + At, Carry + N - At);
            if (R < 0)
                break;
            const std::int64_t Candidate = BufferOffset + At + R;
            if (FFrameHeader.BitRate() != 0 && FollowedBySameStream(Stream, Start, Count, Candidate)) {
                FFirstFrameOffset = Candidate;
                return;
            }
            At += R + 1;
        }
        Total += N;
        Carry = CarryBytes;
    }
    // A failed search may leave a rejected candidate loaded.
    FFrameHeader.SetValid(false);
    FFirstFrameOffset = -1;
}

// A lone header is often chance: the frame it announces must be followed by another of the
// same version, layer and sampling frequency. Too near the end for that, it is taken as it is.
bool TAudioInfo::FollowedBySameStream(TStream& Stream, std::int64_t Start, std::int64_t Count,
                                      std::int64_t Candidate)
{
    const std::int64_t Next = Candidate + FFrameHeader.FrameLength();
    if (Next + 4 > Count)
        return true;
    TMpegFrameHdr Following;
    return Following.LoadFromBuffer(Stream.ViewBuffer(Start + Next, 4), 4) && Following.SameStream(FFrameHeader);
}

// Where a Xing or Info header sits: behind the side information, whose size depends on the
// version and on whether the frame is single-channel.
std::int32_t TAudioInfo::XingOffset() const
{
    const bool mono = FFrameHeader.ChannelMode() == 3;
    if (FFrameHeader.Version() == 1)
        return mono ? 21 : 36;
    return mono ? 13 : 21;
}

// Encoders put the number of frames into the first frame: LAME and others a Xing header ("Info"
// when the bit rate is constant), Fraunhofer's a VBRI header. A header without a count, or with a
// count of 0, is ignored, and a Xing or Info header keeps a VBRI header from being looked for.
// Xing counts the stream's bytes too when its flags say so, VBRI always.
void TAudioInfo::ReadVbrHeader(TStream& Stream, std::int64_t Start, std::int64_t Count)
{
    const std::int64_t XingAt = FFirstFrameOffset + XingOffset();
    if (XingAt + XingSize < Count) {
        const unsigned char* Xing = Stream.ViewBuffer(Start + XingAt, XingSize);
        const bool IsXing = std::memcmp(Xing, "Xing", 4) == 0;
        if (IsXing || std::memcmp(Xing, "Info", 4) == 0) {
            if ((Xing[7] & 0x01) == 0)
                return;
            if ((Xing[7] & 0x02) != 0 && XingAt + XingSize + 4 <= Count) {
                Xing = Stream.ViewBuffer(Start + XingAt, XingSize + 4);
                FHeaderBytes = bigEndian32(Xing + XingSize);
            }
            SetDurationFromFrames(bigEndian32(Xing + 8), IsXing ? fcXing : fcInfo);
            return;
        }
    }
    const std::int64_t VbriAt = FFirstFrameOffset + VbriOffset;
    if (VbriAt + VbriSize >= Count)
        return;
    const unsigned char* Vbri = Stream.ViewBuffer(Start + VbriAt, VbriSize);
    if (std::memcmp(Vbri, "VBRI", 4) == 0) {
        FHeaderBytes = bigEndian32(Vbri + 10);
        SetDurationFromFrames(bigEndian32(Vbri + 14), fcVbri);
    }
}

// Frames × samples per frame ÷ sampling frequency, in whole seconds rounded half to even,
// worked out in integers so that 13.5 s (375 frames of 1152 samples at 32 kHz) gives 14 s.
void TAudioInfo::SetDurationFromFrames(std::uint32_t Frames, TFrameCountHeader Header)
{
    if (Frames == 0)
        return;
    FIsVBR = true;
    FFrameCountHeader = Header;
    FFrameCount = Frames;
    const std::uint64_t Samples = std::uint64_t(Frames) * static_cast<std::uint64_t>(FFrameHeader.SamplesPerFrame());
    const auto Rate = static_cast<std::uint64_t>(FFrameHeader.SampleRate());
    std::uint64_t Seconds = Samples / Rate;
    const std::uint64_t TwiceRest = Samples % Rate * 2;
    if (TwiceRest > Rate || (TwiceRest == Rate && Seconds % 2 == 1))
        ++Seconds;
    FDuration = static_cast<std::int64_t>(Seconds) * 1000;
}

// The ID3v1 tag in the last 128 bytes and an APEv2 tag whose footer ends right before it (or at
// the end), both looked for behind the first frame only: one read of the last 160 bytes serves
// both.
void TAudioInfo::ReadTagsAtEnd(TStream& Stream, std::int64_t Start, std::int64_t Count)
{
    const std::int64_t FirstFrameEnd =
        FFrameHeader.Valid() ? FFirstFrameOffset + FFrameHeader.FrameLength() : 0;
    const std::int64_t TailSize = std::min<std::int64_t>(Count - FirstFrameEnd, ApeFooterSize + ID3v1TagSize);
    if (TailSize < ApeFooterSize)
        return;
    const unsigned char* TailEnd =
        Stream.ViewBuffer(Start + Count - TailSize, static_cast<std::size_t>(TailSize)) + TailSize;
    if (TailSize >= ID3v1TagSize)
        FID3v1.LoadFromBuffer(TailEnd - ID3v1TagSize, ID3v1TagSize);

    if (!FFrameHeader.Valid())
        return;
    const std::int32_t ID3v1Size = FID3v1.Present() ? ID3v1TagSize : 0;
    const std::int64_t FooterEnd = Count - ID3v1Size;
    if (FooterEnd - ApeFooterSize < FirstFrameEnd)
        return;
    FApeTagSize = apeTagSize(TailEnd - ID3v1Size - ApeFooterSize, FooterEnd - FirstFrameEnd);
}

// The first frame's header counts the frames and, where it gives the bit rate an average, the
// bytes: neither the length nor the bit rate then depends on how much of the file is tags.
bool TAudioInfo::CountsItsAudio() const
{
    return FIsVBR && (FFrameCountHeader == fcInfo || FHeaderBytes != 0);
}

// From the first frame on; the tags at the end are not audio.
std::int64_t TAudioInfo::AudioBytes(std::int64_t Count) const
{
    return Count - FFirstFrameOffset - (FID3v1.Present() ? ID3v1TagSize : 0) - FApeTagSize;
}

// Bytes × 8 ÷ (kbit/s × 1000) in whole seconds, not rounded.
std::int64_t TAudioInfo::ConstantBitRateDuration(std::int64_t Count) const
{
    const std::int32_t BitRate = FFrameHeader.BitRate();
    if (!FFrameHeader.Valid() || BitRate <= 0)
        return 0;
    // Divided by bytes per second (kbit/s × 125), so that no product can overflow.
    return AudioBytes(Count) / (std::int64_t(BitRate) * 125) * 1000;
}

// Bytes × 8 × sampling frequency ÷ (frames × samples per frame × 1000), rounded half to even,
// in integers wide enough for any file.
std::int32_t TAudioInfo::AverageBitRate(std::int64_t Count) const
{
    const std::int64_t Bytes = FHeaderBytes != 0 ? std::int64_t(FHeaderBytes) : AudioBytes(Count);
    const auto Rate = static_cast<unsigned __int128>(std::max(FFrameHeader.SampleRate(), 0));
    const auto Divisor = static_cast<unsigned __int128>(FFrameCount) *
                         static_cast<unsigned __int128>(std::max(FFrameHeader.SamplesPerFrame(), 0)) * 1000;
    if (Bytes <= 0 || Divisor == 0)
        return 0;
    const unsigned __int128 Bits = static_cast<unsigned __int128>(Bytes) * 8 * Rate;
    unsigned __int128 Quotient = Bits / Divisor;
    const unsigned __int128 TwiceRest = Bits % Divisor * 2;
    if (TwiceRest > Divisor || (TwiceRest == Divisor && Quotient % 2 == 1))
        ++Quotient;
    return static_cast<std::int32_t>(std::min<unsigned __int128>(Quotient, INT32_MAX));
}

// The Info frame of a constant bit rate may be written at a lower rate than the stream; the
// frame behind it has the stream's own, where a valid one lies there.
std::int32_t TAudioInfo::SecondFrameBitRate(TStream& Stream, std::int64_t Start, std::int64_t Count) const
{
    const std::int64_t Next = FFirstFrameOffset + FFrameHeader.FrameLength();
    if (Next + 4 <= Count) {
        TMpegFrameHdr Second;
        if (Second.LoadFromBuffer(Stream.ViewBuffer(Start + Next, 4), 4) && Second.BitRate() > 0)
            return Second.BitRate();
    }
    return std::max(FFrameHeader.BitRate(), 0);
}

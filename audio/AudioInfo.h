#pragma once
// What an MP3 file says about itself: its first frame, a Xing, Info or VBRI header, the tags at
// its end and from these the playing length. Only a bounded part of the file is read.
#include "audio/ID3Tags.h"
#include "audio/MpegFrameHdr.h"

#include <cstdint>
#include <string>

class TStream;

// The header in the first frame whose frame count gave the playing length: Xing and VBRI are
// written for a variable bit rate, Info for a constant one.
enum TFrameCountHeader { fcNone, fcXing, fcInfo, fcVbri };

class TAudioInfo {
public:
    TAudioInfo() = default;
    virtual ~TAudioInfo() = default;

    void Clear();
    // A blank name is no error and reads nothing. Raises platform::FileOpenError when the
    // file cannot be opened and platform::StreamReadError when it shrinks while being read.
    void LoadFromFile(const std::string& FileName);
    // Reads the Count bytes from the stream's position as one file; offsets count from there.
    // Without TagsAtEnd the caller needs no ID3v1 tag: the tags at the end are then read only
    // where the length or the bit rate depends on them, and ID3v1() may say there is none.
    void LoadFromStream(TStream& Stream, std::int64_t Count, bool TagsAtEnd = true);

    const TMpegFrameHdr& FrameHeader() const { return FFrameHeader; }
    const TID3v1Tag& ID3v1() const { return FID3v1; }
    // From the position where reading began; -1 when no frame was found.
    std::int64_t FirstFrameOffset() const { return FFirstFrameOffset; }
    // The first frame holds a Xing, Info or VBRI header with a frame count.
    bool IsVBR() const { return FIsVBR; }
    // Milliseconds, a whole number of seconds; meaningful only while FrameHeader().Valid().
    std::int64_t Duration() const { return FDuration; }
    // Which header's frame count gave Duration; fcNone when the bit rate and the bytes did.
    TFrameCountHeader FrameCountHeader() const { return FFrameCountHeader; }
    // The bit rate in kbit/s: with a Xing or VBRI count the average over the audio (the bytes
    // the header counts, else those of the file's audio part), rounded half to even; with an Info
    // count the second frame's, whose rate the Info frame itself does not always have; else the
    // first frame's. 0 without a valid first frame or for a free-format one.
    std::int32_t BitRate() const { return FBitRate; }
    // The first-frame search starts no new block once this many bytes have been read.
    std::int32_t SearchLimit() const { return FSearchLimit; }
    // -1 until a file has been read.
    std::int64_t FileSize() const { return FFileSize; }
    // Last modification in local time as an MS-DOS date and time; -1 when unknown.
    std::int32_t FileDate() const { return FFileDate; }
    // The file system's attribute bits; -1 when they cannot be read.
    std::int32_t FileAttr() const { return FFileAttr; }

private:
    std::int64_t FirstFrameSearchStart(TStream& Stream, std::int64_t Start, std::int64_t Count);
    void FindFirstFrame(TStream& Stream, std::int64_t Start, std::int64_t Count);
    bool FollowedBySameStream(TStream& Stream, std::int64_t Start, std::int64_t Count, std::int64_t Candidate);
    void ReadVbrHeader(TStream& Stream, std::int64_t Start, std::int64_t Count);
    std::int32_t XingOffset() const;
    void SetDurationFromFrames(std::uint32_t Frames, TFrameCountHeader Header);
    void ReadTagsAtEnd(TStream& Stream, std::int64_t Start, std::int64_t Count);
    bool CountsItsAudio() const;
    std::int64_t AudioBytes(std::int64_t Count) const;
    std::int64_t ConstantBitRateDuration(std::int64_t Count) const;
    std::int32_t AverageBitRate(std::int64_t Count) const;
    std::int32_t SecondFrameBitRate(TStream& Stream, std::int64_t Start, std::int64_t Count) const;

    TMpegFrameHdr FFrameHeader;
    std::int64_t FFirstFrameOffset = 0;
    bool FIsVBR = false;
    TID3v1Tag FID3v1;
    std::int64_t FApeTagSize = 0; // an APEv2 tag at the end, which is not audio either
    std::int64_t FDuration = 0;
    TFrameCountHeader FFrameCountHeader = fcNone;
    std::uint32_t FFrameCount = 0;
    std::uint32_t FHeaderBytes = 0; // the bytes a Xing or VBRI header counts; 0 when it gives none
    std::int32_t FBitRate = 0;
    std::int32_t FSearchLimit = 65536;
    std::int64_t FFileSize = 0;
    std::int32_t FFileDate = 0;
    std::int32_t FFileAttr = 0;
};

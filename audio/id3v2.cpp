#include "audio/id3v2.h"

#include "audio/Id3v2Body.h"
#include "audio/Id3v2FrameHeader.h"
#include "audio/Id3v2Header.h"
#include "audio/Stream.h"
#include "platform/Errors.h"
#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// No more of a frame's data is read: no text the page shows is that long.
const std::size_t MaxFrameData = 65536;

// How a wanted frame holds its value: an encoding byte, then
enum class Layout {
    Text,    // the text;
    Values,  // texts, each ended by a zero character;
    Date,    // a date and time whose leading digits are the year;
    Comment, // a language code, a description and the text;
    Link,    // a description and an ISO-8859-1 link.
};

using Bytes = std::vector<unsigned char>;

bool isUtf16(int encoding)
{
    return encoding == 1 || encoding == 2;
}

// The header at the stream's position, when it opens a tag of a version read here.
std::optional<Id3v2Header> readTagHeader(TStream& stream)
{
    unsigned char bytes[Id3v2HeaderSize];
    if (stream.Read(bytes, sizeof bytes) < sizeof bytes)
        return std::nullopt;
    const auto tag = parseId3v2Header(bytes);
    if (!tag || tag->version < 2 || tag->version > 4)
        return std::nullopt;
    return tag;
}

// Versions 3 and 4 may put an extended header in front of the frames: version 3 gives its size
// behind a 4-byte size field, version 4 a syncsafe size that counts itself.
void skipExtendedHeader(Id3v2Body& body, int version)
{
    unsigned char sizeBytes[4];
    if (body.read(sizeBytes, sizeof sizeBytes) < sizeof sizeBytes)
        return;
    const std::uint64_t size = version == 3 ? bigEndian32(sizeBytes) : syncsafe32(sizeBytes);
    body.skip(version == 3 ? size : std::max<std::uint64_t>(size, 4) - 4);
}

bool isCompressedOrEncrypted(const Id3v2FrameHeader& frame, int version)
{
    if (version == 3)
        return (frame.formatFlags & 0xC0) != 0;
    return version == 4 && (frame.formatFlags & 0x0C) != 0;
}

// A frame's content: where it lies, and how long it is.
struct Content {
    const unsigned char* data;
    std::size_t size;
};

// The frame's data, at most its first 64 KiB, where the body holds it (`scratch` serves an
// unsynchronised body); nothing when the frame runs past the body's end.
std::optional<Content> takeFrameData(Id3v2Body& body, std::uint64_t size, Bytes& scratch)
{
    const auto taken = static_cast<std::size_t>(std::min<std::uint64_t>(size, MaxFrameData));
    const unsigned char* data = body.take(taken, scratch);
    if (!data || !body.skip(size - taken))
        return std::nullopt;
    return Content{data, taken};
}

void dropFront(Content& content, std::size_t count)
{
    count = std::min(count, content.size);
    content.data += count;
    content.size -= count;
}

// The data without what the format flags put in front of it (a group byte; in version 2.4 a
// 4-byte data length too), resynchronised into `resynchronised` when version 2.4
// unsynchronised the frame.
Content toFrameContent(Content data, const Id3v2FrameHeader& frame, const Id3v2Header& tag, Bytes& resynchronised)
{
    if (tag.version == 3 && (frame.formatFlags & 0x20) != 0)
        dropFront(data, 1);
    if (tag.version != 4)
        return data;
    if ((frame.formatFlags & 0x40) != 0)
        dropFront(data, 1);
    if ((frame.formatFlags & 0x01) != 0)
        dropFront(data, 4);
    if ((frame.formatFlags & 0x02) != 0 || (tag.flags & 0x80) != 0) {
        resynchronised.assign(data.data, data.data + data.size);
        resynchronise(resynchronised);
        return {resynchronised.data(), resynchronised.size()};
    }
    return data;
}

// The length of the text at `p` up to its terminator: a zero byte, or a zero 16-bit unit in
// UTF-16. Without one, the text runs to the end (a trailing half unit left out).
std::size_t textLength(const unsigned char* p, std::size_t size, int encoding)
{
    if (!isUtf16(encoding))
        return static_cast<std::size_t>(std::find(p, p + size, 0) - p);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        if (p[i] == 0 && p[i + 1] == 0)
            return i;
    return size - size % 2;
}

// Passes over a text and its terminator.
std::size_t skipText(const unsigned char* p, std::size_t size, int encoding)
{
    const std::size_t length = textLength(p, size, encoding) + (isUtf16(encoding) ? 2 : 1);
    return std::min(length, size);
}

void assignText(std::string& value, const unsigned char* p, std::size_t size, int encoding)
{
    value.assign(reinterpret_cast<const char*>(p), textLength(p, size, encoding));
}

// At most four ASCII digits at the start of the decoded text ("2001-05-03" gives "2001").
void assignLeadingDigits(std::string& digits, const unsigned char* p, std::size_t size, int encoding)
{
    bool bigEndian = encoding == 2;
    std::size_t at = 0;
    if (isUtf16(encoding) && size >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))) {
        bigEndian = p[0] == 0xFE;
        at = 2;
    }
    const std::size_t step = isUtf16(encoding) ? 2 : 1;
    digits.clear();
    for (; at + step <= size && digits.size() < 4; at += step) {
        const unsigned unit = step == 1 ? p[at] : bigEndian ? (p[at] << 8 | p[at + 1]) : (p[at + 1] << 8 | p[at]);
        if (unit < '0' || unit > '9')
            break;
        digits += static_cast<char>(unit);
    }
}

// The frame's value and the encoding it is in.
void assignFrameText(std::string& value, int& encoding, Content content, Layout layout)
{
    value.clear();
    encoding = 0;
    if (content.size == 0)
        return;
    const int contentEncoding = content.data[0];
    const unsigned char* p = content.data + 1;
    const std::size_t size = content.size - 1;
    switch (layout) {
    case Layout::Text:
        assignText(value, p, size, contentEncoding);
        encoding = contentEncoding;
        return;
    case Layout::Values:
        value.assign(reinterpret_cast<const char*>(p), size);
        encoding = contentEncoding;
        return;
    case Layout::Date:
        assignLeadingDigits(value, p, size, contentEncoding);
        return;
    case Layout::Comment: {
        const std::size_t language = std::min<std::size_t>(3, size);
        const std::size_t description = skipText(p + language, size - language, contentEncoding);
        const std::size_t at = language + description;
        assignText(value, p + at, size - at, contentEncoding);
        encoding = contentEncoding;
        return;
    }
    case Layout::Link: {
        const std::size_t at = skipText(p, size, contentEncoding);
        assignText(value, p + at, size - at, 0);
        return;
    }
    }
}

} // namespace

// A wanted frame: its identifier in version 2.2 (none for TDRC) and in versions 2.3 and 2.4, how
// it holds its value, where the value and its encoding go, and the wanted value it gives (none
// for TDRC, whose year a later TYER replaces).
struct id3v2tag::Wanted {
    std::uint32_t version2Id; // 0 where version 2.2 has none
    std::uint32_t id;
    Layout layout;
    std::string Values::*value;
    int Values::*encoding;
    unsigned gives;
};

const id3v2tag::Wanted id3v2tag::WantedFrames[] = {
    {identifierKey("TP1"), identifierKey("TPE1"), Layout::Text, &Values::Artist, &Values::ArtistEncoding, wvArtist},
    {identifierKey("TT2"), identifierKey("TIT2"), Layout::Text, &Values::Title, &Values::TitleEncoding, wvTitle},
    {identifierKey("TAL"), identifierKey("TALB"), Layout::Text, &Values::Album, &Values::AlbumEncoding, wvAlbum},
    {identifierKey("TYE"), identifierKey("TYER"), Layout::Text, &Values::Year, &Values::YearEncoding, wvYear},
    {identifierKey(""), identifierKey("TDRC"), Layout::Date, &Values::Year, &Values::YearEncoding, 0},
    {identifierKey("TCO"), identifierKey("TCON"), Layout::Values, &Values::Genre, &Values::GenreEncoding, wvGenre},
    {identifierKey("TCM"), identifierKey("TCOM"), Layout::Text, &Values::Composer, &Values::ComposerEncoding, 0},
    {identifierKey("TOA"), identifierKey("TOPE"), Layout::Text, &Values::OrigArtist, &Values::OrigArtistEncoding, 0},
    {identifierKey("TCR"), identifierKey("TCOP"), Layout::Text, &Values::Rights, &Values::RightsEncoding, 0},
    {identifierKey("WXX"), identifierKey("WXXX"), Layout::Link, &Values::URL, &Values::URLEncoding, 0},
    {identifierKey("TEN"), identifierKey("TENC"), Layout::Text, &Values::EncodedBy, &Values::EncodedByEncoding, 0},
    {identifierKey("COM"), identifierKey("COMM"), Layout::Comment, &Values::Comment, &Values::CommentEncoding, 0},
    {identifierKey("TRK"), identifierKey("TRCK"), Layout::Text, &Values::Track, &Values::TrackEncoding, wvTrack},
    {identifierKey("TP2"), identifierKey("TPE2"), Layout::Text, &Values::AlbumArtist, &Values::AlbumArtistEncoding,
     wvAlbumArtist},
};

namespace {

constexpr std::size_t TyerIndex = 3;

} // namespace

void id3v2tag::ReadFrames(Id3v2Body& Body, const Id3v2Header& Tag)
{
    constexpr std::size_t Count = sizeof WantedFrames / sizeof WantedFrames[0];
    bool Found[Count] = {};
    unsigned Missing = FWanted;
    while (Missing != 0) {
        const auto Frame = nextFrame(Body, Tag.version, FFrameData);
        if (!Frame)
            return;
        // A frame that runs past the tag is not read, and nothing after it.
        if (Frame->size > Body.left())
            return;
        const auto Match = std::find_if(WantedFrames, WantedFrames + Count, [&](const Wanted& w) {
            return Frame->id == (Tag.version == 2 ? w.version2Id : w.id);
        });
        const std::size_t k = static_cast<std::size_t>(Match - WantedFrames);
        // A compressed or encrypted frame is passed over as if it were not there.
        if (k == Count || Found[k] || Frame->size == 0 || isCompressedOrEncrypted(*Frame, Tag.version)) {
            if (!Body.skip(Frame->size))
                return;
            continue;
        }
        const auto Data = takeFrameData(Body, Frame->size, FFrameData);
        if (!Data)
            return;
        Found[k] = true;
        Missing &= ~Match->gives;
        // TDRC gives the year only where there is no TYER. Version 2.4 has no TYER: there the
        // first of the two gives the year, and the walk need not look on for a TYER.
        if (Match->layout == Layout::Date) {
            if (Found[TyerIndex])
                continue;
            if (Tag.version == 4) {
                Found[TyerIndex] = true;
                Missing &= ~wvYear;
            }
        }
        assignFrameText(Loading().*Match->value, Loading().*Match->encoding,
                        toFrameContent(*Data, *Frame, Tag, FResynchronised), Match->layout);
    }
}

void id3v2tag::Values::Clear()
{
    for (std::string* text : {&Track, &EncodedBy, &URL, &Rights, &OrigArtist, &Composer, &Comment, &Genre, &Year,
                              &Album, &Artist, &Title, &AlbumArtist})
        text->clear();
    TrackEncoding = EncodedByEncoding = URLEncoding = RightsEncoding = OrigArtistEncoding = ComposerEncoding =
        CommentEncoding = GenreEncoding = YearEncoding = AlbumEncoding = ArtistEncoding = TitleEncoding =
            AlbumArtistEncoding = 0;
    Present = false;
}

bool id3v2tag::LoadFromStream(TStream& Stream)
{
    const auto Tag = readTagHeader(Stream);
    if (!Tag) {
        FValues[FCurrent].Present = false;
        return false;
    }
    Loading().Clear();
    Loading().Present = true;
    const bool Unsynchronised = Tag->version < 4 && (Tag->flags & 0x80) != 0;
    Id3v2Body Body(Stream, Tag->size, Unsynchronised);
    if (Tag->version >= 3 && (Tag->flags & 0x40) != 0)
        skipExtendedHeader(Body, Tag->version);
    if (Tag->version == 4)
        Body.setPlainFrameSizes(hasPlainFrameSizes(Body));
    ReadFrames(Body, *Tag);
    FCurrent = 1 - FCurrent;
    return true;
}

bool id3v2tag::LoadFromBuffer(const unsigned char* data, std::size_t size)
{
    TMemoryStream Stream(data, size);
    return LoadFromStream(Stream);
}

bool id3v2tag::LoadFromFile(const std::string& FileName)
{
    int err = 0;
    auto file = platform::ReadOnlyFile::tryOpen(FileName, err);
    if (!file)
        throw platform::InOutError::fromSystem(err, FileName);
    TFileStream Stream(std::move(file), FirstRead);
    return LoadFromStream(Stream);
}

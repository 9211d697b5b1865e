#pragma once
// Builders of MP3 bytes for tests and fuzz seeds: frame headers, whole frames, ID3v1 blocks,
// ID3v2 frames and tags, and a temporary file to put them in.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace fixtures {

using Bytes = std::vector<unsigned char>;

inline Bytes bytes(std::initializer_list<int> values)
{
    return Bytes(values.begin(), values.end());
}

inline Bytes text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

// Found only under `using namespace fixtures` (Bytes lives in std).
inline Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// `piece` repeated and cut to `size` bytes.
inline std::string repeated(const std::string& piece, std::size_t size)
{
    std::string out;
    while (out.size() < size)
        out += piece;
    return out.substr(0, size);
}

inline Bytes zeros(std::size_t n)
{
    return Bytes(n, 0);
}

inline Bytes bigEndian(std::uint32_t n)
{
    return bytes({int(n >> 24), int(n >> 16 & 0xFF), int(n >> 8 & 0xFF), int(n & 0xFF)});
}

inline Bytes littleEndian(std::uint32_t n)
{
    return bytes({int(n & 0xFF), int(n >> 8 & 0xFF), int(n >> 16 & 0xFF), int(n >> 24)});
}

inline Bytes syncsafe(std::uint32_t n)
{
    return bytes({int(n >> 21 & 0x7F), int(n >> 14 & 0x7F), int(n >> 7 & 0x7F), int(n & 0x7F)});
}

// The 128 kbit/s, 44100 Hz MPEG-1 Layer III joint-stereo header; its frames are 417 bytes.
inline Bytes cbrHeader()
{
    return bytes({0xFF, 0xFB, 0x90, 0x64});
}

// `count` frames of `length` bytes, each the header followed by zeros.
inline Bytes frames(const Bytes& header, std::size_t length, std::size_t count)
{
    Bytes out;
    for (std::size_t i = 0; i < count; ++i)
        out = out + header + zeros(length - header.size());
    return out;
}

// A first frame that carries `tag` ("Xing" or "Info", flags, frame count) at `offset`.
inline Bytes xingFrame(const Bytes& header, std::size_t length, std::size_t offset,
                       const std::string& tag, int flags, std::uint32_t frameCount)
{
    Bytes frame = header + zeros(length - header.size());
    Bytes xing = text(tag) + bytes({0, 0, 0, flags}) + bigEndian(frameCount);
    std::copy(xing.begin(), xing.end(), frame.begin() + offset);
    return frame;
}

// A first frame that carries a VBRI header with `frameCount` at byte 36.
inline Bytes vbriFrame(const Bytes& header, std::size_t length, std::uint32_t frameCount)
{
    Bytes frame = header + zeros(length - header.size());
    Bytes vbri = text("VBRI") + bytes({0, 1, 0, 0, 0, 50}) + bigEndian(100000) + bigEndian(frameCount);
    std::copy(vbri.begin(), vbri.end(), frame.begin() + 36);
    return frame;
}

// An APEv2 tag of `size` bytes (items and the 32-byte footer), with a 32-byte header before
// them when `withHeader`.
inline Bytes apeTag(std::uint32_t size, bool withHeader)
{
    auto block = [&](bool isHeader) {
        const std::uint32_t flags = (withHeader ? 0x80000000u : 0) | (isHeader ? 0x20000000u : 0);
        return text("APETAGEX") + littleEndian(2000) + littleEndian(size) + littleEndian(1) + littleEndian(flags) +
               zeros(8);
    };
    return (withHeader ? block(true) : Bytes()) + zeros(size - 32) + block(false);
}

struct Id3v1Fields {
    std::string title = {}, artist = {}, album = {}, year = {}, comment = {};
    int track = -1; // -1: the ID3v1.0 layout, comment over all 30 bytes
    int genre = 255;
};

inline Bytes id3v1Block(const Id3v1Fields& f, const std::string& marker = "TAG")
{
    Bytes block = zeros(128);
    auto put = [&](const std::string& s, std::size_t at, std::size_t size) {
        std::copy(s.begin(), s.begin() + std::min(s.size(), size), block.begin() + at);
    };
    put(marker, 0, 3);
    put(f.title, 3, 30);
    put(f.artist, 33, 30);
    put(f.album, 63, 30);
    put(f.year, 93, 4);
    put(f.comment, 97, f.track < 0 ? 30 : 28);
    if (f.track >= 0) {
        block[125] = 0;
        block[126] = static_cast<unsigned char>(f.track);
    }
    block[127] = static_cast<unsigned char>(f.genre);
    return block;
}

// An ID3v2.3 frame: identifier, 32-bit big-endian size, the status and format flag bytes, then
// `content` (the encoding byte included). `size` overrides the counted size.
inline Bytes id3v2Frame(const std::string& id, const Bytes& content, long size = -1, int formatFlags = 0)
{
    std::uint32_t n = size < 0 ? content.size() : static_cast<std::uint32_t>(size);
    return text(id) + bigEndian(n) + bytes({0, formatFlags}) + content;
}

inline Bytes textFrame(const std::string& id, const std::string& value, int encoding = 0)
{
    return id3v2Frame(id, bytes({encoding}) + text(value));
}

// An ID3v2.2 frame: 3-character identifier, 24-bit size, no flags.
inline Bytes v22Frame(const std::string& id, const std::string& value, int encoding = 0)
{
    const Bytes content = bytes({encoding}) + text(value);
    const auto n = static_cast<std::uint32_t>(content.size());
    return text(id) + bytes({int(n >> 16 & 0xFF), int(n >> 8 & 0xFF), int(n & 0xFF)}) + content;
}

// An ID3v2.4 frame: syncsafe size (a plain one, as iTunes writes, with `plainSize`), then the
// format flags.
inline Bytes v24Frame(const std::string& id, const Bytes& content, int formatFlags = 0, bool plainSize = false)
{
    const auto n = static_cast<std::uint32_t>(content.size());
    return text(id) + (plainSize ? bigEndian(n) : syncsafe(n)) + bytes({0, formatFlags}) + content;
}

// Unsynchronisation: a zero byte behind every FF.
inline Bytes unsynchronised(const Bytes& data)
{
    Bytes out;
    for (unsigned char c : data) {
        out.push_back(c);
        if (c == 0xFF)
            out.push_back(0);
    }
    return out;
}

// A tag header announcing `body` bytes (frames and padding); `bodySize` overrides the count.
inline Bytes id3v2Tag(const Bytes& body, long bodySize = -1, int version = 3, int flags = 0)
{
    std::uint32_t n = bodySize < 0 ? body.size() : static_cast<std::uint32_t>(bodySize);
    return text("ID3") + bytes({version, 0, flags}) + syncsafe(n) + body;
}

// A file in the temporary folder, removed when the object goes.
class TempFile {
public:
    explicit TempFile(const Bytes& content, const std::string& suffix = ".mp3")
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("tunesheet-" + std::to_string(random()) + suffix);
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()), std::streamsize(content.size()));
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

} // namespace fixtures

#include "platform/VersionInfo.h"

#include "platform/ReadOnlyFile.h"

#include <cstring>
#include <elf.h>

// The information is an ELF note named "tunesheet" of type 1 in a PT_NOTE segment; its layout
// is described in cmake/VersionInfo.cmake. Every offset and size read from the file is checked
// against the file's size and the segment's size before it is used.

namespace platform {
namespace {

constexpr std::uint32_t NoteType = 1;
constexpr char NoteName[] = "tunesheet"; // with its NUL: 10 bytes
constexpr std::uint32_t FixedSignature = 0xFEEF04BD;
constexpr std::size_t FixedSize = 13 * 4;
constexpr std::size_t TranslationSize = 4;
// Notes are small; a segment larger than this is not ours to read.
constexpr std::uint64_t MaxSegmentSize = 1 << 20;
constexpr unsigned MaxProgramHeaders = 4096;

class Bytes {
public:
    Bytes(const unsigned char* data, std::size_t size, bool bigEndian)
        : data_(data), size_(size), big_(bigEndian) {}

    bool has(std::uint64_t offset, std::uint64_t count) const
    {
        return offset <= size_ && count <= size_ - offset;
    }
    std::uint64_t get(std::size_t offset, unsigned width) const
    {
        std::uint64_t v = 0;
        for (unsigned i = 0; i < width; ++i) {
            unsigned shift = big_ ? 8 * (width - 1 - i) : 8 * i;
            v |= static_cast<std::uint64_t>(data_[offset + i]) << shift;
        }
        return v;
    }
    std::uint32_t u32(std::size_t offset) const { return static_cast<std::uint32_t>(get(offset, 4)); }
    std::uint16_t u16(std::size_t offset) const { return static_cast<std::uint16_t>(get(offset, 2)); }
    const unsigned char* at(std::size_t offset) const { return data_ + offset; }
    bool bigEndian() const { return big_; }

private:
    const unsigned char* data_;
    std::size_t size_;
    bool big_;
};

std::uint64_t alignUp(std::uint64_t v, std::uint64_t a)
{
    return (v + a - 1) / a * a;
}

void parseDescriptor(const Bytes& d, VersionInfo& info)
{
    // d spans exactly the descriptor.
    if (d.has(0, FixedSize) && d.u32(0) == FixedSignature) {
        info.hasFixed = true;
        info.fileVersionMS = d.u32(8);
        info.fileVersionLS = d.u32(12);
        info.productVersionMS = d.u32(16);
        info.productVersionLS = d.u32(20);
    }
    if (!info.hasFixed || !d.has(FixedSize, TranslationSize))
        return;
    info.hasTranslation = true;
    info.language = d.u16(FixedSize);
    info.codePage = d.u16(FixedSize + 2);

    // Name and value pairs of NUL-terminated texts; a text without its NUL ends the list.
    std::size_t pos = FixedSize + TranslationSize;
    auto text = [&](std::string& out) {
        std::size_t start = pos;
        while (d.has(pos, 1) && *d.at(pos) != 0)
            ++pos;
        if (!d.has(pos, 1))
            return false;
        out.assign(reinterpret_cast<const char*>(d.at(start)), pos - start);
        ++pos;
        return true;
    };
    std::string name, value;
    while (text(name) && text(value))
        info.strings.emplace_back(name, value);
}

// Walks the notes of one segment; true when ours was found.
bool parseNotes(const Bytes& seg, std::uint64_t align, VersionInfo& info)
{
    std::uint64_t pos = 0;
    while (seg.has(pos, 12)) {
        std::uint32_t nameSize = seg.u32(pos);
        std::uint32_t descSize = seg.u32(pos + 4);
        std::uint32_t type = seg.u32(pos + 8);
        std::uint64_t nameAt = pos + 12;
        std::uint64_t descAt = nameAt + alignUp(nameSize, align);
        if (!seg.has(nameAt, nameSize) || !seg.has(descAt, descSize))
            return false; // a damaged note: nothing after it can be trusted
        if (type == NoteType && nameSize == sizeof NoteName &&
            std::memcmp(seg.at(nameAt), NoteName, sizeof NoteName) == 0) {
            parseDescriptor(Bytes(seg.at(descAt), descSize, seg.bigEndian()), info);
            return true;
        }
        pos = descAt + alignUp(descSize, align);
    }
    return false;
}

} // namespace

bool readVersionInfo(const std::string& path, VersionInfo& info)
{
    info = VersionInfo();
    int err = 0;
    auto file = ReadOnlyFile::tryOpen(path, err);
    if (!file)
        return false;
    const std::uint64_t fileSize = static_cast<std::uint64_t>(file->size());
    try {
        unsigned char ident[sizeof(Elf64_Ehdr)] = {};
        std::size_t got = file->readAt(0, ident, sizeof ident);
        if (got < EI_NIDENT || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
            return false;
        const bool is64 = ident[EI_CLASS] == ELFCLASS64;
        if (!is64 && ident[EI_CLASS] != ELFCLASS32)
            return false;
        if (ident[EI_DATA] != ELFDATA2LSB && ident[EI_DATA] != ELFDATA2MSB)
            return false;
        const bool big = ident[EI_DATA] == ELFDATA2MSB;
        const std::size_t headerSize = is64 ? sizeof(Elf64_Ehdr) : sizeof(Elf32_Ehdr);
        if (got < headerSize)
            return false;
        Bytes header(ident, headerSize, big);

        const std::uint64_t phOffset = is64 ? header.get(32, 8) : header.u32(28);
        const unsigned phEntrySize = is64 ? header.u16(54) : header.u16(42);
        const unsigned phCount = is64 ? header.u16(56) : header.u16(44);
        const unsigned minEntrySize = is64 ? sizeof(Elf64_Phdr) : sizeof(Elf32_Phdr);
        if (phCount == 0 || phCount > MaxProgramHeaders || phEntrySize < minEntrySize)
            return false;

        for (unsigned i = 0; i < phCount; ++i) {
            const std::uint64_t at = phOffset + static_cast<std::uint64_t>(i) * phEntrySize;
            if (at > fileSize || fileSize - at < minEntrySize)
                return false;
            unsigned char raw[sizeof(Elf64_Phdr)];
            if (file->readAt(static_cast<std::int64_t>(at), raw, minEntrySize) != minEntrySize)
                return false;
            Bytes ph(raw, minEntrySize, big);
            if (ph.u32(0) != PT_NOTE)
                continue;
            const std::uint64_t offset = is64 ? ph.get(8, 8) : ph.u32(4);
            const std::uint64_t size = is64 ? ph.get(32, 8) : ph.u32(16);
            const std::uint64_t align = (is64 ? ph.get(48, 8) : ph.u32(28)) == 8 ? 8 : 4;
            if (size == 0 || size > MaxSegmentSize || offset > fileSize || size > fileSize - offset)
                continue;
            std::vector<unsigned char> segment(static_cast<std::size_t>(size));
            if (file->readAt(static_cast<std::int64_t>(offset), segment.data(), segment.size()) != segment.size())
                continue;
            if (parseNotes(Bytes(segment.data(), segment.size(), big), align, info))
                return true;
        }
    } catch (const std::exception&) {
        // A read error is a file without readable version information.
    }
    info = VersionInfo();
    return false;
}

} // namespace platform

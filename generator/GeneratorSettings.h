#pragma once
// The 996-byte settings record. Its memory layout is the ".settings" file's layout, byte for
// byte, so the record is read and written as one block and nothing is converted on the way.
#include "generator/Columns.h"
#include "generator/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A length-prefixed text of at most N bytes. Only the first `length` bytes count; the bytes
// after them are kept as they are, so a record read and written again is unchanged.
template <std::size_t N>
struct ShortString {
    std::uint8_t length;
    char chars[N];

    std::string str() const { return std::string(chars, length < N ? length : N); }
    // Stores `text` cut to N bytes (never inside a UTF-8 sequence); bytes past the new end stay.
    void assign(const std::string& text);
    ShortString& operator=(const std::string& text) { assign(text); return *this; }
};

template <std::size_t N>
void ShortString<N>::assign(const std::string& text)
{
    std::size_t n = cutPosition(text, N);
    length = static_cast<std::uint8_t>(n);
    text.copy(chars, n);
}

// One byte written 0/1; any non-zero byte reads as true.
struct Flag {
    std::uint8_t value;
    operator bool() const { return value != 0; }
    Flag& operator=(bool on) { value = on ? 1 : 0; return *this; }
};

// A colour: red in byte 0, green in byte 1, blue in byte 2, byte 3 zero (little-endian 32 bits).
struct Colour {
    std::uint8_t bytes[4];
    std::uint32_t get() const
    {
        return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t(bytes[3]) << 24);
    }
    void set(std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
};

constexpr std::uint32_t rgbColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return red | (green << 8) | (std::uint32_t(blue) << 16);
}

enum TFileSizeUnit : std::uint8_t { fsBytes = 0, fsKiloBytes = 1, fsMegaBytes = 2 };
enum TFileNameMode : std::uint8_t { fnNameOnly = 0, fnFullPath = 1 };
enum TAfterGenerate : std::uint8_t { agShowPage = 0, agDontShow = 1, agAskToShow = 2 };
enum TTagPriority : std::uint8_t { tpID3v2First = 0, tpID3v1First = 1 };
enum TActiveLink : std::uint8_t { alArtist = 1, alTitle = 2, alFileName = 4 };
constexpr int ColumnSlots = 7;
constexpr std::size_t ColumnNameLimit = 25;

// The enumerations are held as raw bytes: an edited file may hold any value, and the page
// treats unknown values as the text says rather than the compiler's idea of an enum.
#pragma pack(push, 1)
struct TGeneratorSettings {
    ShortString<255> InputDir;
    ShortString<255> OutputFile;
    Flag IncludeSubdirs;
    std::uint8_t FileSizeUnit;
    std::uint8_t FileNameMode;
    Flag DirOverTable;
    Flag AllDirsInOneTable;
    Flag Wrap;
    std::uint8_t ActiveLinks;
    std::uint8_t AfterGenerate;
    std::uint8_t TagPriority;
    std::uint8_t SelectedItems[ColumnSlots];
    ShortString<ColumnNameLimit> SelectedNames[ColumnSlots];
    std::uint8_t Padding[2];
    Colour ActiveLinkColor;
    Colour DirNameColor;
    Colour HoverLinkColor;
    Colour PageBackColor;
    Colour CellBackColor;
    Colour HeaderBackColor;
    Colour PageTextColor;
    ShortString<255> PageCaption;
};
#pragma pack(pop)

constexpr std::size_t SettingsRecordSize = 996;
static_assert(sizeof(TGeneratorSettings) == SettingsRecordSize, "the settings file is 996 bytes");

// A record of all zero bytes, as the generator holds it before anything is copied in.
TGeneratorSettings emptySettings();

// The English column names, by column id; "" for an id no column has.
std::string englishColumnName(int columnId);

// The record of the main window's initial form: kilobytes, names only, show the page,
// ID3v2 first, all seven columns under their English names, the default colours.
TGeneratorSettings initialFormSettings();

// Reads the first record of a ".settings" file. Raises InOutError, its message after the
// file's name, when the file cannot be opened or read ("x.settings: Read beyond end of file"
// when it is shorter than a record).
TGeneratorSettings readSettingsFile(const std::string& path);

// Writes the record as the whole file (exactly 996 bytes), replacing it only once complete.
void writeSettingsFile(const std::string& path, const TGeneratorSettings& settings);

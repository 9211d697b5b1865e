#pragma once
// Every column a page can show, in one table: how the command line and the options file name
// it, its header, the language text that translates the header, what must be read for it,
// how its value is made and whether it can be a link. Each list of columns reads this table.
#include "platform/LegacyEncoding.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TAudioInfo;
namespace platform { struct LocaleSeparators; }

enum TColumnId : std::uint8_t {
    ciNone = 0, ciArtist, ciTitle, ciAlbum, ciYear, ciLength, ciFileSize, ciFileName,
    ciTrack, ciGenre, ciAlbumArtist, ciBitRate, ciSampleRate, ciChannels, ciBitRateMode
};

// How many columns there are (ids 1 to ColumnCount). The settings record's slots hold only
// the first seven kinds; the options file holds the whole list.
constexpr int ColumnCount = 14;
constexpr int RecordColumnKinds = ciFileName;

// What one file's values are made of.
struct FileFacts {
    std::string_view path; // as the page shows and links it
    std::string_view name; // the part of it after its folder
    std::uint64_t size = 0;
    const TAudioInfo* audio = nullptr; // its first frame, tags at the end and playing length
    const std::string_view* tags = nullptr; // each TagField's text, picked by the tag priority
    int fileSizeUnit = 0;
    int fileNameMode = 0;
    const platform::LocaleSeparators* separators = nullptr;
    platform::LegacyEncoding legacy = platform::LegacyEncoding::Iso8859_1; // for names not in UTF-8
};

struct ColumnKind {
    TColumnId id;
    const char* cliName;       // on the command line and in the options file
    const char* englishHeader; // the header in English, the window's list text before translation
    int languageIndex;         // the language text that translates the header
    int tagField;              // the TagField it shows, -1 for none
    bool readsAudio;           // its value needs the first frame
    // The value as plain text, before it is escaped for the page: a text of `file`, or one
    // made in `scratch` (which it may replace); valid while both are.
    std::string_view (*value)(const FileFacts& file, std::string& scratch);
    std::uint8_t linkBit;      // its bit of the record's ActiveLinks; 0: never a link
    bool plain = false;        // its values never hold a character the page escapes
};

// Every column in id order: entry i is column i + 1.
const std::array<ColumnKind, ColumnCount>& columnKinds();
// The column of an id; nullptr for 0 and for an id no column has.
const ColumnKind* columnKind(int id);
// The column a command-line name names (letter case as given); nullptr for none.
const ColumnKind* columnNamed(std::string_view cliName);

#pragma once
// One MP3 file's row of the page: what its tags and its first frame say, in the columns, order
// and form the settings choose.
#include "audio/AudioInfo.h"
#include "audio/Stream.h"
#include "audio/id3v2.h"
#include "generator/GeneratorSettings.h"
#include "platform/LegacyEncoding.h"
#include "platform/LocaleSeparators.h"
#include "platform/ReadOnlyFile.h"

#include <string>
#include <string_view>

namespace platform { class Directory; }

// A reading thread keeps one and makes row after row with it: its readers, its file and its
// buffers stay, so that once they have grown a row costs no allocation.
class RowMaker {
public:
    // Both must outlive the maker and stay as they are while it works.
    RowMaker(const TGeneratorSettings& settings, const platform::LocaleSeparators& separators);

    // Opens the file `name` of `folder` once (one open, one look at its size, one read of its
    // start serve every reader) and makes its row into `row`, replacing what it held. Raises
    // the readers' errors, which name the file.
    void makeRow(const platform::Directory& folder, const std::string& name, std::string& row);

    // The row of the file that `file` reads: `path` is its path as the page shows and links it,
    // `name` the part of it after its folder.
    void makeRow(TStream& file, std::string_view path, std::string_view name, std::string& row);

private:
    // The artist, title, album and year of one tag, as they stand in the file.
    struct TagSource {
        bool present;
        struct {
            const std::string* bytes;
            int encoding;
        } texts[4];
    };
    void readTags(TStream& file);
    void appendCell(std::string& row, int columnId, std::string_view path, std::string_view name);

    const TGeneratorSettings& settings_;
    const platform::LocaleSeparators& separators_;
    // What single-byte tag texts and names that are not UTF-8 are read in.
    const platform::LegacyEncoding legacy_ = platform::LegacyEncoding::Iso8859_1;
    std::string_view cellOpen_; // "<td>&nbsp;" or "<td nowrap>&nbsp;"
    bool showsTag_[4] = {}; // artist, title, album, year
    bool needTags_ = false;
    bool needLength_ = false;

    platform::ReadOnlyFile file_;
    TFileStream stream_;
    id3v2tag id3v2_;
    TAudioInfo audio_;
    std::string tags_[4]; // the texts shown, in the page's encoding
    std::int64_t size_ = 0;
    std::string text_; // a cell's text before it is escaped
};

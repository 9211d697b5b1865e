#pragma once
// One MP3 file's row of the page: what its tags and its first frame say, in the columns, order
// and form the settings choose.
#include "audio/AudioInfo.h"
#include "audio/Stream.h"
#include "audio/id3v2.h"
#include "generator/GeneratorSettings.h"
#include "platform/LocaleSeparators.h"
#include "platform/ReadOnlyFile.h"

#include <string>
#include <string_view>

namespace platform { class Directory; }

// What a row is made into: the page's table row, or the fields the library page holds as data:
// each shown cell's text as it reads (not HTML-escaped), then the link target (percent-encoded,
// not HTML-escaped), the size in bytes and the length in whole seconds (-1 for none), in
// decimal, each field ended by a NUL byte, which no text holds.
enum class RowForm { Html, Values };

// A reading thread keeps one and makes row after row with it: its readers, its file and its
// buffers stay, so that once they have grown a row costs no allocation.
class RowMaker {
public:
    // Both must outlive the maker and stay as they are while it works.
    RowMaker(const TGeneratorSettings& settings, const platform::LocaleSeparators& separators,
             RowForm form = RowForm::Html);

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
    void appendValues(std::string& row, std::string_view path, std::string_view name);
    // The text of the cell of `columnId`, not yet escaped; sets `linkBit` to the link setting
    // that makes it a link (0: never one).
    std::string_view cellText(int columnId, std::string_view path, std::string_view name, std::uint8_t& linkBit);

    const TGeneratorSettings& settings_;
    const platform::LocaleSeparators& separators_;
    const RowForm form_;
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

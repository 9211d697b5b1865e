#pragma once
// One MP3 file's row of the page: what its tags and its first frame say, in the columns, order
// and form the settings choose.
#include "audio/AudioInfo.h"
#include "audio/Stream.h"
#include "audio/id3v2.h"
#include "generator/Columns.h"
#include "generator/ExportRow.h"
#include "generator/GeneratorSettings.h"
#include "generator/PageColumns.h"
#include "generator/TagTexts.h"
#include "platform/LocaleSeparators.h"
#include "platform/ReadOnlyFile.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform { class Directory; }

// What a row is made into: the page's table row, or the fields the library page holds as data:
// each shown cell's text as it reads (not HTML-escaped), then the link target (percent-encoded,
// not HTML-escaped), the size in bytes and the length in whole seconds (-1 for none), in
// decimal, each field ended by a NUL byte, which no text holds; or an export's line, ended,
// with every field whatever the columns.
enum class RowForm { Html, Values, Export };

// What every row of a page is made from.
struct RowSettings {
    const TGeneratorSettings& settings;
    const PageColumns& columns;
    const platform::LocaleSeparators& separators;
    RowForm form = RowForm::Html;
    // What single-byte tag texts and names that are not UTF-8 are read in.
    platform::LegacyEncoding legacy = platform::LegacyEncoding::Iso8859_1;
    const ExportTarget* exportTarget = nullptr; // with RowForm::Export
};

// A reading thread keeps one and makes row after row with it: its readers, its file and its
// buffers stay, so that once they have grown a row costs no allocation.
class RowMaker {
public:
    // What `rows` refers to must outlive the maker and stay as it is while it works.
    explicit RowMaker(const RowSettings& rows);

    // Opens the file `name` of `folder` once (one open, one look at its size, one read of its
    // start serve every reader) and makes its row into `row`, replacing what it held. Raises
    // the readers' errors, which name the file.
    void makeRow(const platform::Directory& folder, const std::string& name, std::string& row);
    // Opens the file `name` of `folder` ahead of its row, and has the system start reading what
    // the row's first read takes, so that the disk works on many files at once; makeRow() with
    // the same `name` (the same string) then reads it. A file that does not open here is opened
    // again at its turn, which raises its error.
    void openAhead(const platform::Directory& folder, const std::string& name);
    // Closes the files opened ahead and not read.
    void closeAhead();

    // The row of the file that `file` reads: `path` is its path as the page shows and links it,
    // `name` the part of it after its folder.
    void makeRow(TStream& file, std::string_view path, std::string_view name, std::string& row);

private:
    void readFile(TStream& file);
    // Picks the shown tags' texts by the tag priority; true when none is empty.
    bool pickTagTexts(const TID3v1Tag* v1, const id3v2tag* v2);
    char* putCell(char* out, const ColumnKind& column, std::string_view text) const;
    void appendValues(std::string& row);

    const RowSettings rows_;
    std::string cellOpen_;    // "<td>&nbsp;" or "<td nowrap>&nbsp;"
    std::string cellBetween_; // a cell's end and the next one's start
    std::vector<const ColumnKind*> cellKinds_; // of the cells in order; nullptr: an empty cell
    std::vector<std::string_view> cellTexts_;   // a row's cells, before they are escaped
    std::vector<std::string> cellScratch_;      // where a cell's text was made, when it was
    bool showsTag_[TagFieldCount] = {};
    bool needTags_ = false;
    bool needAudio_ = false;

    platform::ReadOnlyFile file_;
    // Files opened ahead, in turn: ahead_[aheadNext_] up to ahead_[aheadCount_ - 1], each with
    // the name it was opened by.
    struct OpenAhead {
        std::unique_ptr<platform::ReadOnlyFile> file = std::make_unique<platform::ReadOnlyFile>();
        const std::string* name = nullptr;
    };
    std::vector<OpenAhead> ahead_;
    std::size_t aheadNext_ = 0;
    std::size_t aheadCount_ = 0;
    TFileStream stream_;
    id3v2tag id3v2_;
    TAudioInfo audio_;
    std::string_view tags_[TagFieldCount]; // the texts shown, in the page's encoding
    std::string tagScratch_[TagFieldCount]; // those that needed a conversion
    FileFacts facts_;
    std::string text_; // a field's text before it is written
};

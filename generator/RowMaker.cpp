#include "generator/RowMaker.h"

#include "generator/CellFormat.h"
#include "generator/Html.h"
#include "generator/TextEncoding.h"
#include "platform/Errors.h"

#include <algorithm>

using namespace std::string_view_literals;

namespace {

bool shows(const TGeneratorSettings& s, int columnId)
{
    return std::find(s.SelectedItems, s.SelectedItems + ColumnSlots, columnId) != s.SelectedItems + ColumnSlots;
}

// The four tag columns in the order of RowMaker::tags_.
constexpr int TagColumns[4] = {ciArtist, ciTitle, ciAlbum, ciYear};

} // namespace

RowMaker::RowMaker(const TGeneratorSettings& settings, const platform::LocaleSeparators& separators)
    : settings_(settings), separators_(separators),
      cellOpen_(settings.Wrap ? std::string_view("<td>&nbsp;") : std::string_view("<td nowrap>&nbsp;"))
{
    // Only what a column shows is read: without tag columns (or with a tag priority that shows
    // no tag) no tag is read, without a Length column no frame is looked for.
    const bool priorityShowsTags = settings.TagPriority == tpID3v2First || settings.TagPriority == tpID3v1First;
    for (int f = 0; f < 4; ++f) {
        showsTag_[f] = priorityShowsTags && shows(settings, TagColumns[f]);
        needTags_ = needTags_ || showsTag_[f];
    }
    needLength_ = shows(settings, ciLength);
}

void RowMaker::makeRow(const platform::Directory& folder, const std::string& name, std::string& row)
{
    int error = 0;
    if (!file_.openIn(folder, name, error))
        throw platform::FileOpenError(file_.name());
    struct Closer {
        platform::ReadOnlyFile& file;
        ~Closer() { file.close(); }
    } closer{file_};
    stream_.Attach(file_);
    stream_.ReadUntilSizeHolds([&] { makeRow(stream_, file_.name(), name, row); });
}

void RowMaker::makeRow(TStream& file, std::string_view path, std::string_view name, std::string& row)
{
    // Asked before anything is read, so that no read asks past the end of the file.
    size_ = file.Size();
    readTags(file);
    row.assign("<tr>"sv);
    for (int i = 0; i < ColumnSlots && settings_.SelectedItems[i] != ciNone; ++i) {
        row += cellOpen_;
        appendCell(row, settings_.SelectedItems[i], path, name);
        row += "&nbsp;</td>"sv;
    }
    row += "</tr>"sv;
}

void RowMaker::readTags(TStream& file)
{
    // The ID3v2 tag first: a picture in it is passed over by a read just before the audio that
    // follows it, which the first frame's search then finds in the stream's buffer.
    bool v2 = false;
    if (needTags_) {
        file.Seek(0);
        v2 = id3v2_.LoadFromStream(file);
    }
    audio_.Clear();
    if (needTags_ || needLength_) {
        file.Seek(0);
        audio_.LoadFromStream(file, size_);
    }
    const TID3v1Tag& v1 = audio_.ID3v1();
    for (int f = 0; f < 4; ++f)
        tags_[f].clear();
    if (!needTags_)
        return;

    // Each shown field by the tag priority: the preferred tag's text where it is not empty once
    // in the page's encoding, the other tag's otherwise.
    const TagSource id3v1 = {v1.Present(), {{&v1.Artist(), tagLatin1}, {&v1.Title(), tagLatin1},
                                            {&v1.Album(), tagLatin1}, {&v1.Year(), tagLatin1}}};
    const TagSource id3v2 = {v2, {{&id3v2_.Artist(), id3v2_.ArtistEncoding()}, {&id3v2_.Title(), id3v2_.TitleEncoding()},
                                  {&id3v2_.Album(), id3v2_.AlbumEncoding()}, {&id3v2_.Year(), id3v2_.YearEncoding()}}};
    const bool v2First = settings_.TagPriority == tpID3v2First;
    const TagSource& first = v2First ? id3v2 : id3v1;
    const TagSource& second = v2First ? id3v1 : id3v2;
    for (int f = 0; f < 4; ++f) {
        if (!showsTag_[f])
            continue;
        if (first.present)
            tagTextToPage(*first.texts[f].bytes, first.texts[f].encoding, legacy_, tags_[f]);
        if (tags_[f].empty() && second.present)
            tagTextToPage(*second.texts[f].bytes, second.texts[f].encoding, legacy_, tags_[f]);
    }
}

void RowMaker::appendCell(std::string& row, int columnId, std::string_view path, std::string_view name)
{
    text_.clear();
    std::string_view content = text_;
    std::uint8_t linkBit = 0;
    switch (columnId) {
    case ciArtist:
    case ciTitle:
    case ciAlbum:
    case ciYear:
        content = tags_[columnId - ciArtist];
        linkBit = columnId == ciArtist ? alArtist : columnId == ciTitle ? alTitle : 0;
        break;
    case ciLength:
        if (audio_.FrameHeader().Valid())
            appendLength(text_, audio_.Duration(), separators_);
        content = text_;
        break;
    case ciFileSize:
        appendSize(text_, static_cast<std::uint64_t>(size_), settings_.FileSizeUnit, separators_);
        content = text_;
        break;
    case ciFileName:
        if (settings_.FileNameMode == fnNameOnly)
            nameToPage(name, legacy_, text_);
        else if (settings_.FileNameMode == fnFullPath)
            pathToPage(path, legacy_, text_);
        content = text_;
        linkBit = alFileName;
        break;
    default:
        return;
    }
    if (settings_.ActiveLinks & linkBit) {
        row += "<a href=\""sv;
        appendLinkTarget(row, path);
        row += "\">"sv;
        appendHtmlEscaped(row, content);
        row += "</a>"sv;
    } else {
        appendHtmlEscaped(row, content);
    }
}

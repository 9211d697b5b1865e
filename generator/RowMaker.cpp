#include "generator/RowMaker.h"

#include "generator/CellFormat.h"
#include "generator/Html.h"
#include "generator/TextEncoding.h"
#include "platform/Errors.h"

#include <algorithm>

namespace {

bool shows(const TGeneratorSettings& s, int columnId)
{
    return std::find(s.SelectedItems, s.SelectedItems + ColumnSlots, columnId) != s.SelectedItems + ColumnSlots;
}

// The four tag columns in the order of RowMaker::chosen_.
constexpr int TagColumns[4] = {ciArtist, ciTitle, ciAlbum, ciYear};

} // namespace

RowMaker::RowMaker(const TGeneratorSettings& settings, const platform::LocaleSeparators& separators)
    : settings_(settings), separators_(separators),
      cellOpen_(settings.Wrap ? std::string_view("<td>&nbsp;") : std::string_view("<td nowrap>&nbsp;"))
{
    // Only what a column shows is read: without tag columns (or with a tag priority that shows
    // no tag) no tag is read, without a Length column no frame is looked for.
    const bool priorityShowsTags = settings.TagPriority == tpID3v2First || settings.TagPriority == tpID3v1First;
    for (int column : TagColumns)
        needTags_ = needTags_ || (priorityShowsTags && shows(settings, column));
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
    makeRow(stream_, file_.name(), name, row);
}

void RowMaker::makeRow(TStream& file, std::string_view path, std::string_view name, std::string& row)
{
    // Asked before anything is read, so that no read asks past the end of the file.
    size_ = file.Size();
    readTags(file);
    chooseTagTexts();
    row.assign("<tr>");
    for (int i = 0; i < ColumnSlots && settings_.SelectedItems[i] != ciNone; ++i) {
        row += cellOpen_;
        appendCell(row, settings_.SelectedItems[i], path, name);
        row += "&nbsp;</td>";
    }
    row += "</tr>";
}

void RowMaker::readTags(TStream& file)
{
    for (TagTexts* texts : {&v1_, &v2_})
        for (std::string* text : {&texts->Artist, &texts->Title, &texts->Album, &texts->Year})
            text->clear();
    // The ID3v2 tag first: a picture in it is passed over by a read just before the audio that
    // follows it, which the first frame's search then finds in the stream's buffer.
    if (needTags_) {
        file.Seek(0);
        if (id3v2_.LoadFromStream(file)) {
            tagTextToPage(id3v2_.Artist(), id3v2_.ArtistEncoding(), v2_.Artist);
            tagTextToPage(id3v2_.Title(), id3v2_.TitleEncoding(), v2_.Title);
            tagTextToPage(id3v2_.Album(), id3v2_.AlbumEncoding(), v2_.Album);
            tagTextToPage(id3v2_.Year(), id3v2_.YearEncoding(), v2_.Year);
        }
    }
    audio_.Clear();
    if (!needTags_ && !needLength_)
        return;
    file.Seek(0);
    audio_.LoadFromStream(file, size_);
    const TID3v1Tag& v1 = audio_.ID3v1();
    if (needTags_ && v1.Present()) {
        tagTextToPage(v1.Artist(), tagLatin1, v1_.Artist);
        tagTextToPage(v1.Title(), tagLatin1, v1_.Title);
        tagTextToPage(v1.Album(), tagLatin1, v1_.Album);
        tagTextToPage(v1.Year(), tagLatin1, v1_.Year);
    }
}

// The tag texts by the tag priority, field by field: the preferred version's text where it is
// not empty, the other one's otherwise; nothing at all for an unknown priority.
void RowMaker::chooseTagTexts()
{
    std::fill(std::begin(chosen_), std::end(chosen_), nullptr);
    const std::uint8_t priority = settings_.TagPriority;
    if (priority != tpID3v2First && priority != tpID3v1First)
        return;
    const TagTexts& first = priority == tpID3v2First ? v2_ : v1_;
    const TagTexts& second = priority == tpID3v2First ? v1_ : v2_;
    const std::string* firsts[4] = {&first.Artist, &first.Title, &first.Album, &first.Year};
    const std::string* seconds[4] = {&second.Artist, &second.Title, &second.Album, &second.Year};
    for (int f = 0; f < 4; ++f)
        chosen_[f] = firsts[f]->empty() ? seconds[f] : firsts[f];
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
        if (const std::string* chosen = chosen_[columnId - ciArtist])
            content = *chosen;
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
            nameToPage(name, text_);
        else if (settings_.FileNameMode == fnFullPath)
            nameToPage(path, text_);
        content = text_;
        linkBit = alFileName;
        break;
    default:
        return;
    }
    if (settings_.ActiveLinks & linkBit) {
        row += "<a href=\"";
        appendLinkTarget(row, path);
        row += "\">";
        appendHtmlEscaped(row, content);
        row += "</a>";
    } else {
        appendHtmlEscaped(row, content);
    }
}

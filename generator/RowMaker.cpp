#include "generator/RowMaker.h"

#include "generator/Html.h"
#include "platform/Errors.h"

#include <cstring>

using namespace std::string_view_literals;

namespace {

// "<tr>" and the last cell's end and "</tr>"; a link's tags around its target and its text.
constexpr std::string_view RowFrame = "<tr>&nbsp;</td></tr>";
constexpr std::string_view LinkFrame = "<a href=\"\"></a>";

// An empty text may have no storage at all, which memcpy must not be given.
char* put(char* out, std::string_view text)
{
    if (!text.empty())
        std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

} // namespace

RowMaker::RowMaker(const RowSettings& rows)
    : rows_(rows),
      cellOpen_(rows.settings.Wrap ? "<td>&nbsp;" : "<td nowrap>&nbsp;"), cellBetween_("&nbsp;</td>" + cellOpen_)
{
    // Only what a column shows is read: without tag columns (or with a tag priority that shows
    // no tag) no tag is read, without an audio column no frame is looked for, and the ID3v2
    // tag is read only as far as the frames the columns need.
    const TGeneratorSettings& settings = rows.settings;
    const bool priorityShowsTags = settings.TagPriority == tpID3v2First || settings.TagPriority == tpID3v1First;
    unsigned wanted = 0;
    for (std::uint8_t id : rows.columns.cells) {
        const ColumnKind* column = columnKind(id);
        cellKinds_.push_back(column);
        cellTexts_.emplace_back();
        cellScratch_.emplace_back();
        if (!column)
            continue;
        needAudio_ = needAudio_ || column->readsAudio;
        if (column->tagField >= 0 && priorityShowsTags) {
            showsTag_[column->tagField] = true;
            wanted |= id3v2ValuesOf(static_cast<TagField>(column->tagField));
        }
    }
    // An export holds every field.
    if (rows.form == RowForm::Export && priorityShowsTags) {
        for (int f = 0; f < TagFieldCount; ++f) {
            showsTag_[f] = true;
            wanted |= id3v2ValuesOf(static_cast<TagField>(f));
        }
    }
    needTags_ = wanted != 0;
    // The library page totals the playing time whichever columns it shows.
    needAudio_ = needAudio_ || rows.form == RowForm::Values || rows.form == RowForm::Export;
    id3v2_.SetWanted(wanted);
    facts_.audio = &audio_;
    facts_.tags = tags_;
    facts_.fileSizeUnit = settings.FileSizeUnit;
    facts_.fileNameMode = settings.FileNameMode;
    facts_.separators = &rows.separators;
    facts_.legacy = rows.legacy;
}

void RowMaker::openAhead(const platform::Directory& folder, const std::string& name)
{
    if (aheadCount_ == ahead_.size())
        ahead_.emplace_back();
    OpenAhead& ahead = ahead_[aheadCount_];
    int error = 0;
    if (!ahead.file->openIn(folder, name, error))
        return;
    ahead.file->adviseWillNeed(static_cast<std::int64_t>(stream_.FirstReadLength(ahead.file->size())));
    ahead.name = &name;
    ++aheadCount_;
}

void RowMaker::closeAhead()
{
    for (std::size_t i = aheadNext_; i < aheadCount_; ++i)
        ahead_[i].file->close();
    aheadNext_ = aheadCount_ = 0;
}

void RowMaker::makeRow(const platform::Directory& folder, const std::string& name, std::string& row)
{
    platform::ReadOnlyFile* file = &file_;
    if (aheadNext_ < aheadCount_ && ahead_[aheadNext_].name == &name) {
        file = ahead_[aheadNext_++].file.get();
    } else {
        int error = 0;
        if (!file_.openIn(folder, name, error))
            throw platform::FileOpenError(file_.name());
    }
    struct Closer {
        platform::ReadOnlyFile& file;
        ~Closer() { file.close(); }
    } closer{*file};
    stream_.Attach(*file);
    stream_.ReadUntilSizeHolds([&] { makeRow(stream_, file->name(), name, row); });
}

void RowMaker::makeRow(TStream& file, std::string_view path, std::string_view name, std::string& row)
{
    // Asked before anything is read, so that no read asks past the end of the file.
    facts_.size = static_cast<std::uint64_t>(file.Size());
    facts_.path = path;
    facts_.name = name;
    readFile(file);
    if (rows_.form == RowForm::Values) {
        appendValues(row);
        return;
    }
    if (rows_.form == RowForm::Export) {
        makeExportLine(row, *rows_.exportTarget, facts_);
        return;
    }
    // The cells' texts first, then the row written at once into room for the longest it could
    // be. Each cell: the td tag, "&nbsp;", its content, "&nbsp;</td>"; one cell's end and the
    // next one's start go on at once.
    std::size_t room = RowFrame.size();
    for (std::size_t i = 0; i < cellKinds_.size(); ++i) {
        const ColumnKind* column = cellKinds_[i];
        cellScratch_[i].clear();
        cellTexts_[i] = column ? column->value(facts_, cellScratch_[i]) : std::string_view();
        room += cellBetween_.size() + MostEscapedBytes * cellTexts_[i].size();
        if (column && (rows_.settings.ActiveLinks & column->linkBit))
            room += LinkFrame.size() + MostEscapedBytes * facts_.path.size();
    }
    row.resize(room);
    char* out = put(row.data(), "<tr>"sv);
    for (std::size_t i = 0; i < cellKinds_.size(); ++i) {
        out = put(out, i == 0 ? cellOpen_ : cellBetween_);
        if (cellKinds_[i])
            out = putCell(out, *cellKinds_[i], cellTexts_[i]);
    }
    out = put(out, cellKinds_.empty() ? "</tr>"sv : "&nbsp;</td></tr>"sv);
    row.resize(static_cast<std::size_t>(out - row.data()));
}

void RowMaker::readFile(TStream& file)
{
    // The ID3v2 tag first: a picture in it is passed over by a read just before the audio that
    // follows it, which the first frame's search then finds in the stream's buffer.
    bool v2 = false;
    if (needTags_) {
        file.Seek(0);
        v2 = id3v2_.LoadFromStream(file);
    }
    // With the ID3v2 tag first, one that gives every text shown leaves nothing to the ID3v1
    // tag, which then need not be read.
    const bool wantsId3v1 =
        needTags_ && !(v2 && rows_.settings.TagPriority == tpID3v2First && pickTagTexts(nullptr, &id3v2_));
    audio_.Clear();
    if (needTags_ || needAudio_) {
        file.Seek(0);
        audio_.LoadFromStream(file, static_cast<std::int64_t>(facts_.size), wantsId3v1);
    }
    if (wantsId3v1)
        pickTagTexts(audio_.ID3v1().Present() ? &audio_.ID3v1() : nullptr, v2 ? &id3v2_ : nullptr);
}

bool RowMaker::pickTagTexts(const TID3v1Tag* v1, const id3v2tag* v2)
{
    bool every = true;
    for (int f = 0; f < TagFieldCount; ++f) {
        tags_[f] = showsTag_[f] ? pickTagText(static_cast<TagField>(f), rows_.settings.TagPriority, v1, v2,
                                              rows_.legacy, tagScratch_[f])
                                : std::string_view();
        every = every && (!showsTag_[f] || !tags_[f].empty());
    }
    return every;
}

char* RowMaker::putCell(char* out, const ColumnKind& column, std::string_view text) const
{
    if (rows_.settings.ActiveLinks & column.linkBit) {
        out = put(out, "<a href=\""sv);
        out = putLinkTarget(out, facts_.path);
        out = put(out, "\">"sv);
        out = putHtmlEscaped(out, text);
        return put(out, "</a>"sv);
    }
    return column.plain ? put(out, text) : putHtmlEscaped(out, text);
}

void RowMaker::appendValues(std::string& row)
{
    row.clear();
    for (std::uint8_t id : rows_.columns.cells) {
        if (const ColumnKind* column = columnKind(id)) {
            text_.clear();
            row += column->value(facts_, text_);
        }
        row += '\0';
    }
    appendLinkPath(row, facts_.path);
    row += '\0';
    row += std::to_string(facts_.size);
    row += '\0';
    row += audio_.FrameHeader().Valid() ? std::to_string(audio_.Duration() / 1000) : "-1";
    row += '\0';
}

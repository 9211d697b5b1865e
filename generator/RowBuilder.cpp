// One table row per MP3 file.
#include "generator/tunesheet_class.h"

#include "generator/CellFormat.h"
#include "generator/FileFacts.h"
#include "generator/Html.h"
#include "generator/PageWriter.h"
#include "generator/TextEncoding.h"
#include "platform/Path.h"

namespace {

// The tag texts by the tag priority, field by field: the preferred version's text where it
// is not empty, the other one's otherwise; nothing at all for an unknown priority.
void chooseTagTexts(std::uint8_t priority, const TagTexts& v1, const TagTexts& v2, TSkladba& chosen)
{
    if (priority != tpID3v2First && priority != tpID3v1First)
        return;
    const TagTexts& first = priority == tpID3v2First ? v2 : v1;
    const TagTexts& second = priority == tpID3v2First ? v1 : v2;
    auto pick = [](const std::string& a, const std::string& b) { return a.empty() ? b : a; };
    chosen.Artist = pick(first.Artist, second.Artist);
    chosen.Title = pick(first.Title, second.Title);
    chosen.Album = pick(first.Album, second.Album);
    chosen.Year = pick(first.Year, second.Year);
}

std::string fileNameCell(std::uint8_t mode, const std::string& filePath)
{
    switch (mode) {
    case fnNameOnly: return nameToPage(platform::extractFileName(filePath));
    case fnFullPath: return nameToPage(filePath);
    default: return std::string();
    }
}

} // namespace

void TTunesheet::WriteFileRow(const std::string& FilePath, std::uint64_t FileSize)
{
    writeRow(readFileFacts(FilePath), FilePath, FileSize);
}

void TTunesheet::writeRow(const FileFacts& facts, const std::string& FilePath, std::uint64_t FileSize)
{
    TSkladba texts;
    chooseTagTexts(Settings.TagPriority, facts.ID3v1, facts.ID3v2, texts);
    if (facts.FrameValid)
        texts.Length = formatLength(facts.Duration, separators_);
    texts.Size = formatSize(FileSize, Settings.FileSizeUnit, separators_);
    texts.FileName = fileNameCell(Settings.FileNameMode, FilePath);

    row_.assign("<tr>");
    for (int i = 0; i < ColumnSlots && Settings.SelectedItems[i] != ciNone; ++i) {
        row_ += '<';
        row_ += CellTag;
        row_ += ">&nbsp;";
        writeCell(row_, Settings.SelectedItems[i], texts, FilePath);
        row_ += "&nbsp;</td>";
    }
    row_ += "</tr>";
    PageFile->writeLine(row_);
}

void TTunesheet::writeCell(std::string& row, int columnId, const TSkladba& texts, const std::string& filePath)
{
    const std::string* content = nullptr;
    std::uint8_t linkBit = 0;
    switch (columnId) {
    case ciArtist: content = &texts.Artist; linkBit = alArtist; break;
    case ciTitle: content = &texts.Title; linkBit = alTitle; break;
    case ciAlbum: content = &texts.Album; break;
    case ciYear: content = &texts.Year; break;
    case ciLength: content = &texts.Length; break;
    case ciFileSize: content = &texts.Size; break;
    case ciFileName: content = &texts.FileName; linkBit = alFileName; break;
    default: return;
    }
    if (Settings.ActiveLinks & linkBit) {
        row += "<a href=\"";
        appendLinkTarget(row, filePath);
        row += "\">";
        appendHtmlEscaped(row, *content);
        row += "</a>";
    } else {
        appendHtmlEscaped(row, *content);
    }
}

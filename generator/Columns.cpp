#include "generator/Columns.h"

#include "audio/AudioInfo.h"
#include "generator/CellFormat.h"
#include "generator/GeneratorSettings.h"
#include "generator/PageText.h"
#include "generator/TagTexts.h"

#include <algorithm>

namespace {

template <TagField field>
std::string_view tagValue(const FileFacts& file, std::string&)
{
    return file.tags[static_cast<int>(field)];
}

bool hasFirstFrame(const FileFacts& file)
{
    return file.audio->FrameHeader().Valid();
}

std::string_view lengthValue(const FileFacts& file, std::string& out)
{
    if (hasFirstFrame(file))
        appendLength(out, file.audio->Duration(), *file.separators);
    return out;
}

std::string_view sizeValue(const FileFacts& file, std::string& out)
{
    appendSize(out, file.size, file.fileSizeUnit, *file.separators);
    return out;
}

std::string_view fileNameValue(const FileFacts& file, std::string& out)
{
    if (file.fileNameMode == fnNameOnly)
        return nameForPage(file.name, file.legacy, out);
    if (file.fileNameMode == fnFullPath)
        return pathForPage(file.path, file.legacy, out);
    return {};
}

std::string_view bitRateValue(const FileFacts& file, std::string& out)
{
    if (hasFirstFrame(file) && file.audio->BitRate() > 0) {
        appendNumber(out, file.audio->BitRate());
        out += " kbit/s";
    }
    return out;
}

std::string_view sampleRateValue(const FileFacts& file, std::string& out)
{
    if (hasFirstFrame(file))
        appendSampleRate(out, file.audio->FrameHeader().SampleRate());
    return out;
}

std::string_view channelsValue(const FileFacts& file, std::string&)
{
    static const char* const modes[] = {"Stereo", "Joint stereo", "Dual channel", "Mono"};
    return hasFirstFrame(file) ? modes[file.audio->FrameHeader().ChannelMode() & 3] : "";
}

// A frame count from Xing or VBRI is written for a variable bit rate; Info's for a constant one.
std::string_view bitRateModeValue(const FileFacts& file, std::string&)
{
    if (!hasFirstFrame(file))
        return {};
    const TFrameCountHeader header = file.audio->FrameCountHeader();
    return header == fcXing || header == fcVbri ? "VBR" : "CBR";
}

constexpr int NoTag = -1;
constexpr int tag(TagField field)
{
    return static_cast<int>(field);
}

constexpr std::array<ColumnKind, ColumnCount> Columns = {{
    {ciArtist, "artist", "Artist", 93, tag(TagField::Artist), false, tagValue<TagField::Artist>, alArtist},
    {ciTitle, "title", "Title", 94, tag(TagField::Title), false, tagValue<TagField::Title>, alTitle},
    {ciAlbum, "album", "Album", 95, tag(TagField::Album), false, tagValue<TagField::Album>, 0},
    {ciYear, "year", "Year", 96, tag(TagField::Year), false, tagValue<TagField::Year>, 0},
    {ciLength, "length", "Length", 97, NoTag, true, lengthValue, 0},
    {ciFileSize, "size", "File size", 98, NoTag, false, sizeValue, 0},
    {ciFileName, "filename", "File name", 99, NoTag, false, fileNameValue, alFileName},
    {ciTrack, "track", "Track", 158, tag(TagField::Track), false, tagValue<TagField::Track>, 0},
    {ciGenre, "genre", "Genre", 159, tag(TagField::Genre), false, tagValue<TagField::Genre>, 0},
    {ciAlbumArtist, "album-artist", "Album artist", 160, tag(TagField::AlbumArtist), false,
     tagValue<TagField::AlbumArtist>, 0},
    {ciBitRate, "bitrate", "Bit rate", 161, NoTag, true, bitRateValue, 0, true},
    {ciSampleRate, "sample-rate", "Sample rate", 162, NoTag, true, sampleRateValue, 0, true},
    {ciChannels, "channels", "Channels", 163, NoTag, true, channelsValue, 0, true},
    {ciBitRateMode, "vbr", "Bit rate mode", 164, NoTag, true, bitRateModeValue, 0, true},
}};

constexpr bool inIdOrder()
{
    for (std::size_t i = 0; i < Columns.size(); ++i)
        if (Columns[i].id != i + 1)
            return false;
    return true;
}
// Columns are found by their id's position.
static_assert(inIdOrder(), "the column table lists the columns in id order");

} // namespace

const std::array<ColumnKind, ColumnCount>& columnKinds()
{
    return Columns;
}

const ColumnKind* columnKind(int id)
{
    return id >= 1 && id <= ColumnCount ? &Columns[static_cast<std::size_t>(id - 1)] : nullptr;
}

const ColumnKind* columnNamed(std::string_view cliName)
{
    const auto it = std::find_if(Columns.begin(), Columns.end(), [&](const ColumnKind& c) { return cliName == c.cliName; });
    return it == Columns.end() ? nullptr : &*it;
}

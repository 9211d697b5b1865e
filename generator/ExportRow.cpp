#include "generator/ExportRow.h"

#include "audio/AudioInfo.h"
#include "generator/Columns.h"
#include "generator/Html.h"
#include "generator/TagTexts.h"
#include "generator/TextEncoding.h"
#include "platform/Path.h"

#include <algorithm>

ExportTarget exportTarget(const std::string& root, const std::string& outputFile)
{
    ExportTarget target;
    target.kind = exportKindOf(outputFile);
    target.rootLength = root.size();
    const std::string folder = platform::absolutePath(platform::extractFilePath(outputFile));
    target.linkToRoot = platform::relativePath(folder, platform::absolutePath(root));
    if (!target.linkToRoot.empty())
        target.linkToRoot = platform::includeTrailingDelimiter(target.linkToRoot);
    return target;
}

void appendExportFolder(std::string& out, const ExportTarget& target, std::string_view path,
                        platform::LegacyEncoding legacy)
{
    std::string_view folder = path.substr(std::min(target.rootLength, path.size()));
    std::size_t end = folder.size();
    while (end > 0 && !platform::isPathDelimiter(folder[end - 1]))
        --end;
    folder = folder.substr(0, end > 0 ? end - 1 : 0);
    thread_local std::string shown;
    pathToPage(folder, legacy, shown);
    out += shown;
}

void appendExportLink(std::string& out, const ExportTarget& target, std::string_view path)
{
    thread_local std::string link;
    link.assign(target.linkToRoot);
    link.append(path.substr(std::min(target.rootLength, path.size())));
    appendLinkPath(out, link);
}

void makeExportLine(std::string& line, const ExportTarget& target, const FileFacts& file)
{
    static const char* const channelModes[] = {"stereo", "joint_stereo", "dual_channel", "mono"};
    thread_local std::string text;
    line.clear();
    ExportLine fields(target.kind, line);
    text.clear();
    appendExportFolder(text, target, file.path, file.legacy);
    fields.text(text);
    nameToPage(file.name, file.legacy, text);
    fields.text(text);
    for (TagField field : {TagField::Artist, TagField::Title, TagField::Album, TagField::Year, TagField::Track,
                           TagField::Genre, TagField::AlbumArtist})
        fields.text(file.tags[static_cast<int>(field)]);
    const TAudioInfo& audio = *file.audio;
    const bool frame = audio.FrameHeader().Valid();
    const auto numberIf = [&fields](bool known, std::uint64_t value) {
        if (known)
            fields.number(value);
        else
            fields.unknown();
    };
    numberIf(frame, static_cast<std::uint64_t>(std::max<std::int64_t>(audio.Duration(), 0) / 1000));
    fields.number(file.size);
    numberIf(frame && audio.BitRate() > 0, static_cast<std::uint64_t>(audio.BitRate()));
    numberIf(frame, static_cast<std::uint64_t>(audio.FrameHeader().SampleRate()));
    if (frame) {
        fields.text(channelModes[audio.FrameHeader().ChannelMode() & 3]);
        fields.flag(audio.FrameCountHeader() == fcXing || audio.FrameCountHeader() == fcVbri);
    } else {
        fields.unknown();
        fields.unknown();
    }
    text.clear();
    appendExportLink(text, target, file.path);
    fields.text(text);
    fields.end();
}

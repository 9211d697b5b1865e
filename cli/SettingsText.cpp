#include "cli/SettingsText.h"

#include "generator/NamedColours.h"
#include "generator/PageColumns.h"
#include "generator/tunesheet_class.h"

namespace {

std::string enumText(int value, std::initializer_list<const char*> names)
{
    if (value >= 0 && static_cast<std::size_t>(value) < names.size())
        return *(names.begin() + value);
    return "(unknown value " + std::to_string(value) + ")";
}

std::string colourText(const Colour& c)
{
    std::string text = ColorToHTML(c.get());
    for (const NamedColour& named : namedColours())
        if (named.value == (c.get() & 0xFFFFFF))
            return text + " (" + named.name + ")";
    return text;
}

std::string yesNo(bool b)
{
    return b ? "yes" : "no";
}

} // namespace

std::string describeSettings(const TGeneratorSettings& s, const PageOptions& options)
{
    // The page's headers, each followed by the column's English name where that differs.
    std::string columns;
    const PageColumns page = pageColumns(s, options.columns, englishColumnHeaders());
    for (const PageColumns::Header& column : page.headers) {
        if (!columns.empty())
            columns += ", ";
        columns += column.name;
        const std::string english = englishColumnName(column.id);
        if (english != column.name)
            columns += " [" + (english.empty() ? "id " + std::to_string(column.id) : english) + "]";
    }
    std::string links;
    if (s.ActiveLinks & alArtist) links += "artist ";
    if (s.ActiveLinks & alTitle) links += "title ";
    if (s.ActiveLinks & alFileName) links += "filename ";
    if (links.empty()) links = "none";
    else links.pop_back();

    std::string out;
    auto line = [&out](const char* label, const std::string& value) {
        out += label;
        out += value;
        out += '\n';
    };
    line("Input directory:      ", s.InputDir.str());
    line("Output file:          ", s.OutputFile.str());
    line("Page title:           ", s.PageCaption.str());
    line("Include subdirs:      ", yesNo(s.IncludeSubdirs));
    line("All dirs in one table:", " " + yesNo(s.AllDirsInOneTable));
    line("Directory captions:   ", yesNo(s.DirOverTable));
    line("Wrap cells:           ", yesNo(s.Wrap));
    line("File size unit:       ", enumText(s.FileSizeUnit, {"B", "kB", "MB"}));
    line("File name:            ", enumText(s.FileNameMode, {"name only", "full path"}));
    line("Links:                ", links);
    line("Tag priority:         ", enumText(s.TagPriority, {"ID3v2 first", "ID3v1 first"}));
    line("Legacy encoding:      ", std::string(platform::legacyEncodingName(options.legacyEncoding)));
    line("After generate:       ", enumText(s.AfterGenerate, {"show the page", "don't show", "ask"}));
    line("Columns:              ", columns.empty() ? "none" : columns);
    line("Page background:      ", colourText(s.PageBackColor));
    line("Page text:            ", colourText(s.PageTextColor));
    line("Directory name:       ", colourText(s.DirNameColor));
    line("Cell background:      ", colourText(s.CellBackColor));
    line("Header background:    ", colourText(s.HeaderBackColor));
    line("Link:                 ", colourText(s.ActiveLinkColor));
    line("Link under pointer:   ", colourText(s.HoverLinkColor));
    return out;
}

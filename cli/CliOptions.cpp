#include "cli/CliOptions.h"

#include "generator/NamedColours.h"
#include "platform/Path.h"

#include <cstring>
#include <map>

namespace {

std::vector<std::string> splitList(const std::string& list)
{
    std::vector<std::string> items;
    std::string item;
    for (char c : list + ",") {
        if (c == ',') {
            if (!item.empty())
                items.push_back(item);
            item.clear();
        } else if (c != ' ') {
            item += c;
        }
    }
    return items;
}

[[noreturn]] void usage(const std::string& message)
{
    throw CliUsageError{message};
}

void setColumns(TGeneratorSettings& s, const std::string& list)
{
    static const std::map<std::string, int> ids = {{"artist", ciArtist}, {"title", ciTitle},
                                                   {"album", ciAlbum},   {"year", ciYear},
                                                   {"length", ciLength}, {"size", ciFileSize},
                                                   {"filename", ciFileName}};
    std::vector<std::string> names = splitList(list);
    int slot = 0;
    for (int i = 0; i < ColumnSlots; ++i) {
        s.SelectedItems[i] = ciNone;
        s.SelectedNames[i].length = 0;
    }
    for (const std::string& name : names) {
        auto it = ids.find(name);
        if (it == ids.end())
            usage("unknown column '" + name + "' (columns: artist, title, album, year, length, size, filename)");
        for (int i = 0; i < slot; ++i)
            if (s.SelectedItems[i] == it->second)
                usage("column '" + name + "' given twice");
        s.SelectedItems[slot] = static_cast<std::uint8_t>(it->second);
        s.SelectedNames[slot] = englishColumnName(it->second);
        ++slot;
    }
}

void setLinks(TGeneratorSettings& s, const std::string& list)
{
    static const std::map<std::string, int> bits = {{"artist", alArtist}, {"title", alTitle}, {"filename", alFileName}};
    s.ActiveLinks = 0;
    for (const std::string& name : splitList(list)) {
        auto it = bits.find(name);
        if (it == bits.end())
            usage("unknown link column '" + name + "' (links: artist, title, filename)");
        s.ActiveLinks |= static_cast<std::uint8_t>(it->second);
    }
}

void setColour(TGeneratorSettings& s, const std::string& assignment)
{
    static const std::map<std::string, Colour TGeneratorSettings::*> fields = {
        {"page-background", &TGeneratorSettings::PageBackColor},
        {"page-text", &TGeneratorSettings::PageTextColor},
        {"directory-name", &TGeneratorSettings::DirNameColor},
        {"cell-background", &TGeneratorSettings::CellBackColor},
        {"header-background", &TGeneratorSettings::HeaderBackColor},
        {"link", &TGeneratorSettings::ActiveLinkColor},
        {"link-hover", &TGeneratorSettings::HoverLinkColor}};
    auto eq = assignment.find('=');
    if (eq == std::string::npos)
        usage("--color takes NAME=VALUE, as in --color page-background=#000000");
    auto field = fields.find(assignment.substr(0, eq));
    if (field == fields.end())
        usage("unknown colour '" + assignment.substr(0, eq) +
              "' (colours: page-background, page-text, directory-name, cell-background, header-background, link, link-hover)");
    std::uint32_t value = 0;
    if (!parseColour(assignment.substr(eq + 1), value))
        usage("'" + assignment.substr(eq + 1) + "' is not a colour (#RRGGBB or a name such as sky-blue)");
    (s.*(field->second)).set(value);
}

// On/off options: the field each one sets, and the value of FileNameMode for --full-path.
using FlagField = Flag TGeneratorSettings::*;
const std::map<std::string, FlagField>& flagOptions()
{
    static const std::map<std::string, FlagField> flags = {
        {"subdirs", &TGeneratorSettings::IncludeSubdirs},
        {"one-table", &TGeneratorSettings::AllDirsInOneTable},
        {"dir-captions", &TGeneratorSettings::DirOverTable},
        {"wrap", &TGeneratorSettings::Wrap}};
    return flags;
}

bool takesValue(const std::string& name)
{
    static const char* const withValue[] = {"size-unit", "links", "tag-priority", "columns", "title",
                                            "color", "settings", "save-settings"};
    for (const char* n : withValue)
        if (name == n)
            return true;
    return false;
}

} // namespace

CliCommand parseCommandLine(const std::vector<std::string>& args, const std::string& currentDir)
{
    struct Option {
        std::string name, value;
    };
    std::vector<Option> options;
    std::vector<std::string> positional;
    std::string settingsFile;
    bool fromSettingsFile = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            positional.insert(positional.end(), args.begin() + static_cast<long>(i) + 1, args.end());
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        std::string name;
        if (arg == "-r") name = "subdirs";
        else if (arg == "-h") name = "help";
        else if (arg == "-q") name = "quiet";
        else if (arg.compare(0, 2, "--") == 0) name = arg.substr(2);
        else usage("unknown option '" + arg + "'");
        Option opt;
        auto eq = name.find('=');
        if (eq != std::string::npos) {
            opt.value = name.substr(eq + 1);
            name.resize(eq);
            if (!takesValue(name))
                usage("option '--" + name + "' takes no value");
        } else if (takesValue(name)) {
            if (i + 1 >= args.size())
                usage("option '--" + name + "' needs a value");
            opt.value = args[++i];
        }
        opt.name = name;
        if (name == "settings") {
            settingsFile = opt.value;
            fromSettingsFile = true;
        }
        else
            options.push_back(opt);
    }

    CliCommand cmd;
    if (fromSettingsFile)
        cmd.settings = readSettingsFile(settingsFile);
    TGeneratorSettings& s = cmd.settings;

    for (const Option& opt : options) {
        const std::string& n = opt.name;
        bool negated = n.compare(0, 3, "no-") == 0;
        const std::string base = negated ? n.substr(3) : n;
        auto flag = flagOptions().find(base);
        if (flag != flagOptions().end()) {
            s.*(flag->second) = !negated;
        } else if (base == "full-path") {
            s.FileNameMode = negated ? fnNameOnly : fnFullPath;
        } else if (negated) {
            usage("unknown option '--" + n + "'");
        } else if (n == "size-unit") {
            if (opt.value == "B") s.FileSizeUnit = fsBytes;
            else if (opt.value == "kB") s.FileSizeUnit = fsKiloBytes;
            else if (opt.value == "MB") s.FileSizeUnit = fsMegaBytes;
            else usage("--size-unit takes B, kB or MB");
        } else if (n == "tag-priority") {
            if (opt.value == "v1") s.TagPriority = tpID3v1First;
            else if (opt.value == "v2") s.TagPriority = tpID3v2First;
            else usage("--tag-priority takes v1 or v2");
        } else if (n == "links") {
            setLinks(s, opt.value);
        } else if (n == "columns") {
            setColumns(s, opt.value);
        } else if (n == "title") {
            s.PageCaption = opt.value;
        } else if (n == "color") {
            setColour(s, opt.value);
        } else if (n == "save-settings") {
            cmd.action = CliCommand::Action::SaveSettings;
            cmd.saveSettingsFile = opt.value;
        } else if (n == "print-settings") {
            cmd.action = CliCommand::Action::PrintSettings;
        } else if (n == "quiet") {
            cmd.quiet = true;
        } else if (n == "help") {
            cmd.action = CliCommand::Action::Help;
            return cmd;
        } else if (n == "version") {
            cmd.action = CliCommand::Action::Version;
            return cmd;
        } else {
            usage("unknown option '--" + n + "'");
        }
    }

    if (positional.size() > 2)
        usage("too many arguments: give at most INPUT_DIR and OUTPUT_FILE");
    // The page links to the files by their paths, so a relative input directory is taken from
    // the working directory; otherwise the links would depend on where the page is opened.
    if (positional.size() >= 1) {
        const std::string& dir = positional[0];
        s.InputDir = platform::isAbsolutePath(dir) ? dir : platform::includeTrailingDelimiter(currentDir) + dir;
    }
    if (positional.size() == 2)
        s.OutputFile = positional[1];
    return cmd;
}

std::string helpText()
{
    return R"(Usage: tunesheet-cli [OPTIONS] [INPUT_DIR [OUTPUT_FILE]]

Writes one HTML page listing the MP3 files of INPUT_DIR. Without --settings the
program's initial settings are used (all seven columns, sizes in kB, ID3v2 first).

Options:
  --settings FILE          start from a saved .settings record
  -r, --subdirs            include all subdirectories
      --one-table          put the files of all directories into one table
      --dir-captions       write the directory name over every table
      --wrap               let table cells wrap
      --full-path          show file names with their path
      (each on/off option also has a --no- form: --no-subdirs, --no-wrap, ...)
  --size-unit B|kB|MB      unit of the File size column
  --links LIST             columns written as links to the file: artist,title,filename
                           (an empty LIST: none)
  --tag-priority v1|v2     which tag's texts win (the other fills empty fields)
  --columns LIST           columns in page order: artist,title,album,year,length,size,filename
  --title TEXT             the page title
  --color NAME=VALUE       NAME: page-background, page-text, directory-name, cell-background,
                           header-background, link, link-hover; VALUE: #RRGGBB or a colour
                           name (black, maroon, green, olive, navy, purple, teal, gray, silver,
                           red, lime, yellow, blue, fuchsia, aqua, white, money-green,
                           sky-blue, cream, medium-gray)
  --save-settings FILE     write the resulting settings record to FILE (no page is written)
  --print-settings         show the resulting settings (no page is written)
  -q, --quiet              no progress display
  -h, --help               this text
      --version            the program's version

Exit status: 0 success, 1 error, 2 usage error, 130 stopped by Ctrl+C.
)";
}

#include "cli/CliOptions.h"

#include "cli/ColumnWords.h"
#include "generator/ExportFormat.h"
#include "generator/NamedColours.h"
#include "platform/Path.h"

#include <algorithm>
#include <cctype>

namespace {

[[noreturn]] void usage(const std::string& message)
{
    throw CliUsageError{message};
}

// A word of the command line and the value it stands for.
struct Word {
    const char* word;
    int value;
};

const Word SizeUnitWords[] = {{"B", fsBytes}, {"kB", fsKiloBytes}, {"MB", fsMegaBytes}};
const Word TagPriorityWords[] = {{"v1", tpID3v1First}, {"v2", tpID3v2First}};
const Word PageWords[] = {{"plain", static_cast<int>(PageKind::Plain)}, {"library", static_cast<int>(PageKind::Library)}};

struct ColourField {
    const char* word;
    Colour TGeneratorSettings::*field;
};
const ColourField ColourFields[] = {{"page-background", &TGeneratorSettings::PageBackColor},
                                    {"page-text", &TGeneratorSettings::PageTextColor},
                                    {"directory-name", &TGeneratorSettings::DirNameColor},
                                    {"cell-background", &TGeneratorSettings::CellBackColor},
                                    {"header-background", &TGeneratorSettings::HeaderBackColor},
                                    {"link", &TGeneratorSettings::ActiveLinkColor},
                                    {"link-hover", &TGeneratorSettings::HoverLinkColor}};

template <typename T, std::size_t N>
std::string wordList(const T (&items)[N], const char* separator = ", ", const char* last = ", ")
{
    std::string text;
    for (std::size_t i = 0; i < N; ++i)
        text += (i == 0 ? "" : i + 1 == N ? last : separator) + std::string(items[i].word);
    return text;
}

template <std::size_t N>
const Word* findWord(const Word (&words)[N], const std::string& word)
{
    auto it = std::find_if(std::begin(words), std::end(words), [&](const Word& w) { return word == w.word; });
    return it == std::end(words) ? nullptr : it;
}

template <std::size_t N>
std::string wordOf(const Word (&words)[N], int value)
{
    for (const Word& w : words)
        if (w.value == value)
            return w.word;
    return "(value " + std::to_string(value) + ")";
}

// The value of an option that takes one word of a few.
template <std::size_t N>
std::uint8_t oneOf(const char* option, const Word (&words)[N], const std::string& value)
{
    if (const Word* w = findWord(words, value))
        return static_cast<std::uint8_t>(w->value);
    usage(std::string("--") + option + " takes " + wordList(words, ", ", " or "));
}

void setColour(TGeneratorSettings& s, const std::string& assignment)
{
    auto eq = assignment.find('=');
    if (eq == std::string::npos)
        usage("--color takes NAME=VALUE, as in --color page-background=#000000");
    const std::string name = assignment.substr(0, eq), value = assignment.substr(eq + 1);
    auto field = std::find_if(std::begin(ColourFields), std::end(ColourFields),
                              [&](const ColourField& f) { return name == f.word; });
    if (field == std::end(ColourFields))
        usage("unknown colour '" + name + "' (colours: " + wordList(ColourFields) + ")");
    std::uint32_t rgb = 0;
    if (!parseColour(value, rgb))
        usage("'" + value + "' is not a colour (#RRGGBB or a name such as sky-blue)");
    (s.*(field->field)).set(rgb);
}

// "sky-blue, cream, ...": the colour names as the command line takes them.
std::string colourNames()
{
    std::string text;
    for (const NamedColour& c : namedColours()) {
        std::string word = c.name;
        for (char& ch : word)
            ch = ch == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        text += (text.empty() ? "" : ", ") + word;
    }
    return text;
}

// "ISO-8859-1, windows-1250, ...": the legacy encodings by their names.
std::string legacyEncodingNames()
{
    std::string text;
    for (platform::LegacyEncoding encoding : platform::legacyEncodings())
        text += (text.empty() ? "" : ", ") + std::string(platform::legacyEncodingName(encoding));
    return text;
}

void setLegacyEncoding(PageOptions& options, const std::string& name)
{
    if (!platform::legacyEncodingNamed(name, options.legacyEncoding))
        usage("unknown legacy encoding '" + name + "' (encodings: " + legacyEncodingNames() + ")");
}

// On/off options name their default only when it is on: off is what they start from.
std::string onOff(bool on)
{
    return on ? "on" : "";
}


// One option of the command line: how it is spelled, what it takes, what it does to the
// command, and what the help says of it. The help and the parser both read this table.
struct Option {
    const char* name;    // the long form, without "--"
    char shortName;      // 0: none
    const char* value;   // the value's name in the help; nullptr: the option takes none
    bool hasNoForm;      // an on/off option: --no-NAME turns it off
    std::string (*help)();
    void (*apply)(CliCommand& command, const std::string& value, bool on);
    std::string (*shownDefault)(const TGeneratorSettings& initial); // nullptr: none shown
};

// The apply and shownDefault of an on/off option that stands for one flag of the record.
template <Flag TGeneratorSettings::*field>
void setFlag(CliCommand& c, const std::string&, bool on)
{
    c.settings.*field = on;
}

template <Flag TGeneratorSettings::*field>
std::string flagDefault(const TGeneratorSettings& s)
{
    return onOff(s.*field);
}

const Option Options[] = {
    {"settings", 0, "FILE", false,
     [] { return std::string("start from a saved .settings record and the .options file beside it"); },
     nullptr, nullptr}, // read before every other option
    {"subdirs", 'r', nullptr, true, [] { return std::string("include all subdirectories"); },
     setFlag<&TGeneratorSettings::IncludeSubdirs>, flagDefault<&TGeneratorSettings::IncludeSubdirs>},
    {"one-table", 0, nullptr, true, [] { return std::string("put the files of all directories into one table"); },
     setFlag<&TGeneratorSettings::AllDirsInOneTable>, flagDefault<&TGeneratorSettings::AllDirsInOneTable>},
    {"dir-captions", 0, nullptr, true, [] { return std::string("write the directory name over every table"); },
     setFlag<&TGeneratorSettings::DirOverTable>, flagDefault<&TGeneratorSettings::DirOverTable>},
    {"wrap", 0, nullptr, true, [] { return std::string("let table cells wrap"); },
     setFlag<&TGeneratorSettings::Wrap>, flagDefault<&TGeneratorSettings::Wrap>},
    {"full-path", 0, nullptr, true, [] { return std::string("show file names with their path"); },
     [](CliCommand& c, const std::string&, bool on) { c.settings.FileNameMode = on ? fnFullPath : fnNameOnly; },
     [](const TGeneratorSettings& s) { return onOff(s.FileNameMode == fnFullPath); }},
    {"size-unit", 0, "B|kB|MB", false, [] { return std::string("unit of the File size column"); },
     [](CliCommand& c, const std::string& v, bool) { c.settings.FileSizeUnit = oneOf("size-unit", SizeUnitWords, v); },
     [](const TGeneratorSettings& s) { return wordOf(SizeUnitWords, s.FileSizeUnit); }},
    {"links", 0, "LIST", false,
     [] { return "columns written as links to the file, of " + columnWords(true) + "; an empty LIST for none"; },
     [](CliCommand& c, const std::string& v, bool) { setLinks(c.settings, v); }, selectedLinks},
    {"tag-priority", 0, "v1|v2", false,
     [] { return std::string("which tag's texts win, ID3v1's or ID3v2's (the other fills empty fields)"); },
     [](CliCommand& c, const std::string& v, bool) { c.settings.TagPriority = oneOf("tag-priority", TagPriorityWords, v); },
     [](const TGeneratorSettings& s) { return wordOf(TagPriorityWords, s.TagPriority); }},
    {"columns", 0, "LIST", false, [] { return "columns in page order, of " + columnWords(false); },
     [](CliCommand& c, const std::string& v, bool) { setColumns(c, v); }, selectedColumns},
    {"page", 0, "plain|library", false,
     [] {
         return std::string("the kind of page: plain tables, or a library that opens long lists at once, "
                            "searches as you type and sorts by any column");
     },
     [](CliCommand& c, const std::string& v, bool) { c.options.page = static_cast<PageKind>(oneOf("page", PageWords, v)); },
     [](const TGeneratorSettings&) { return std::string("plain"); }},
    {"legacy-encoding", 0, "NAME", false,
     [] {
         return "what tag texts and names are read in when they are neither UTF-8 nor in another encoding "
                "the tag names, one of " + legacyEncodingNames();
     },
     [](CliCommand& c, const std::string& v, bool) { setLegacyEncoding(c.options, v); },
     [](const TGeneratorSettings&) { return std::string(platform::legacyEncodingName(platform::LegacyEncoding::Iso8859_1)); }},
    {"title", 0, "TEXT", false, [] { return std::string("the page title"); },
     [](CliCommand& c, const std::string& v, bool) { c.settings.PageCaption = v; }, nullptr},
    {"color", 0, "NAME=VALUE", false,
     [] {
         return "NAME: " + wordList(ColourFields) + "; VALUE: #RRGGBB or a colour name (" + colourNames() + ")";
     },
     [](CliCommand& c, const std::string& v, bool) { setColour(c.settings, v); }, nullptr},
    {"save-settings", 0, "FILE", false,
     [] { return std::string("write the resulting settings record to FILE and the rest to the .options file "
                             "beside it (no page is written)"); },
     [](CliCommand& c, const std::string& v, bool) {
         c.action = CliCommand::Action::SaveSettings;
         c.saveSettingsFile = v;
     },
     nullptr},
    {"print-settings", 0, nullptr, false, [] { return std::string("show the resulting settings (no page is written)"); },
     [](CliCommand& c, const std::string&, bool) { c.action = CliCommand::Action::PrintSettings; }, nullptr},
    {"quiet", 'q', nullptr, false, [] { return std::string("no progress display"); },
     [](CliCommand& c, const std::string&, bool) { c.quiet = true; }, nullptr},
    {"help", 'h', nullptr, false, [] { return std::string("this text"); },
     [](CliCommand& c, const std::string&, bool) { c.action = CliCommand::Action::Help; }, nullptr},
    {"version", 0, nullptr, false, [] { return std::string("the program's version"); },
     [](CliCommand& c, const std::string&, bool) { c.action = CliCommand::Action::Version; }, nullptr},
};

// The option a word of the command line names, and whether it is the --no- form.
const Option& optionNamed(const std::string& arg, bool& on)
{
    on = true;
    for (const Option& o : Options) {
        if (arg.size() == 2 && arg[0] == '-' && o.shortName != 0 && arg[1] == o.shortName)
            return o;
        if (arg == std::string("--") + o.name)
            return o;
        if (o.hasNoForm && arg == std::string("--no-") + o.name) {
            on = false;
            return o;
        }
    }
    usage("unknown option '" + arg + "'");
}

// How many bytes a text of the settings record holds.
template <std::size_t N>
constexpr std::size_t capacity(const ShortString<N>&)
{
    return N;
}

void setPath(ShortString<255>& field, const std::string& path, const char* what)
{
    if (path.empty())
        usage(std::string("the ") + what + " is empty");
    if (path.size() > capacity(field))
        usage(std::string("the ") + what + " is longer than the " + std::to_string(capacity(field)) +
              " bytes a settings record holds: " + path);
    field = path;
}

// The words of `text` in lines of at most `width` characters, each line after the first
// starting with `indent`.
std::string wrapped(const std::string& text, std::size_t width, const std::string& indent)
{
    std::string out, line;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(' ', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(pos, end - pos);
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            out += line + "\n" + indent;
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        pos = end + 1;
    }
    return out + line;
}

// What an export holds, field by field.
std::string exportsHelp(std::size_t width)
{
    const std::size_t column = 18;
    std::string text = wrapped("An OUTPUT_FILE ending in .csv or .jsonl gets data instead of a page: a line for "
                               "each MP3 file, in the page's order, as CSV (UTF-8 with a byte-order mark and a "
                               "header row) or as JSON Lines (an object a line). The tag priority, --subdirs and "
                               "--legacy-encoding apply; the other page settings do not. The fields:",
                               width, "") +
                       "\n";
    for (const ExportField& field : exportFields()) {
        std::string left = "  " + std::string(field.name);
        left.resize(column, ' ');
        text += left + wrapped(std::string(field.meaning), width - column, std::string(column, ' ')) + "\n";
    }
    return text + wrapped("length_s to vbr are empty (CSV) or null (JSON) for a file without a valid MPEG frame. "
                          "In CSV a text that starts with = + - @, a tab or a carriage return gets a leading ', so "
                          "that a spreadsheet shows it as text.",
                          width, "") +
           "\n\n";
}

} // namespace

CliCommand parseCommandLine(const std::vector<std::string>& args, const std::string& currentDir)
{
    struct Given {
        const Option* option;
        std::string value;
        bool on;
    };
    std::vector<Given> given;
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
        const auto eq = arg.compare(0, 2, "--") == 0 ? arg.find('=') : std::string::npos;
        Given g{nullptr, std::string(), true};
        g.option = &optionNamed(arg.substr(0, eq), g.on);
        const std::string name = std::string("--") + (g.on ? "" : "no-") + g.option->name;
        if (eq != std::string::npos) {
            if (!g.option->value)
                usage("option '" + name + "' takes no value");
            g.value = arg.substr(eq + 1);
        } else if (g.option->value) {
            if (i + 1 >= args.size())
                usage("option '" + name + "' needs a value");
            g.value = args[++i];
        }
        if (!g.option->apply) {
            settingsFile = g.value;
            fromSettingsFile = true;
        }
        given.push_back(g);
    }

    CliCommand cmd;
    if (fromSettingsFile) {
        cmd.settings = readSettingsFile(settingsFile);
        const std::string optionsFile = optionsFileOf(settingsFile);
        std::vector<BadOption> bad;
        cmd.options = readOptionsFile(optionsFile, bad);
        for (const BadOption& b : bad)
            cmd.warnings.push_back("warning: " + optionsFile + ", line " + std::to_string(b.line) + ": cannot use " +
                                   b.key + "=" + b.value + "; the default is used");
    }
    for (const Given& g : given) {
        if (!g.option->apply)
            continue;
        g.option->apply(cmd, g.value, g.on);
        if (cmd.action == CliCommand::Action::Help || cmd.action == CliCommand::Action::Version)
            return cmd;
    }

    if (positional.size() > 2)
        usage("too many arguments: give at most INPUT_DIR and OUTPUT_FILE");
    // The page links to the files by their paths, so a relative input directory is taken from
    // the working directory; otherwise the links would depend on where the page is opened.
    if (positional.size() >= 1) {
        const std::string& dir = positional[0];
        const std::string full = dir.empty() || platform::isAbsolutePath(dir)
                                     ? dir
                                     : platform::includeTrailingDelimiter(currentDir) + dir;
        setPath(cmd.settings.InputDir, full, "input directory");
    }
    if (positional.size() == 2)
        setPath(cmd.settings.OutputFile, positional[1], "output file name");
    return cmd;
}

std::string helpText()
{
    const std::size_t column = 28, width = 79;
    const TGeneratorSettings initial = initialFormSettings();
    std::string text =
        "Usage: tunesheet-cli [OPTIONS] [INPUT_DIR [OUTPUT_FILE]]\n\n"
        "Writes one HTML page listing the MP3 files of INPUT_DIR. Without --settings the\n"
        "program starts from the window's initial settings, the defaults below.\n\n"
        "Options:\n";
    for (const Option& o : Options) {
        std::string left = o.shortName ? std::string("  -") + o.shortName + ", --" : std::string("      --");
        left += o.name;
        if (o.value)
            left += std::string(" ") + o.value;
        // An option too long for its column has its text on the next line.
        left = left.size() < column ? left + std::string(column - left.size(), ' ') : left + "\n" + std::string(column, ' ');
        std::string help = o.help();
        const std::string shown = o.shownDefault ? o.shownDefault(initial) : std::string();
        if (!shown.empty())
            help += " (default: " + shown + ")";
        text += left + wrapped(help, width - column, std::string(column, ' ')) + "\n";
    }
    text += "Each on/off option also has a --no- form: --no-subdirs, --no-wrap, ...\n\n";
    text += exportsHelp(width);
    text += 
            "Exit status: 0 success, 1 error, 2 usage error; 130, 129 or 143 when stopped by\n"
            "Ctrl+C, a hangup or a termination request, which leave the old page as it was.\n";
    return text;
}

#include "generator/PageOptions.h"

#include "generator/Columns.h"
#include "platform/AtomicFile.h"
#include "platform/DirReader.h"
#include "platform/Errors.h"
#include "platform/Path.h"
#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <optional>

namespace {

// One key of the file: how its value is read (false for a value that cannot be used), what
// it is by default, and what is written for it ("" for nothing).
struct OptionKey {
    const char* key;
    bool (*read)(std::string_view value, PageOptions& options);
    void (*reset)(PageOptions& options);
    std::string (*write)(const PageOptions& options);
};

const OptionKey Keys[] = {
    {"columns",
     [](std::string_view value, PageOptions& o) {
         std::string unknown;
         return parseColumnList(value, o.columns, unknown);
     },
     [](PageOptions& o) { o.columns.clear(); }, [](const PageOptions& o) { return columnListText(o.columns); }},
    {"page",
     [](std::string_view value, PageOptions& o) {
         if (value != "plain" && value != "library")
             return false;
         o.page = value == "library" ? PageKind::Library : PageKind::Plain;
         return true;
     },
     [](PageOptions& o) { o.page = PageKind::Plain; },
     [](const PageOptions& o) { return std::string(o.page == PageKind::Library ? "library" : ""); }},
    {"legacy-encoding",
     [](std::string_view value, PageOptions& o) { return platform::legacyEncodingNamed(value, o.legacyEncoding); },
     [](PageOptions& o) { o.legacyEncoding = platform::LegacyEncoding::Iso8859_1; },
     [](const PageOptions& o) {
         return o.legacyEncoding == platform::LegacyEncoding::Iso8859_1
                    ? std::string()
                    : std::string(platform::legacyEncodingName(o.legacyEncoding));
     }},
};

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// The key and value of a line; none for a comment or a line without "=".
std::optional<KeyLine> keyLine(std::string_view line)
{
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == '#' || equals == std::string_view::npos)
        return std::nullopt;
    return KeyLine{trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

const OptionKey* knownKey(std::string_view key)
{
    const auto it = std::find_if(std::begin(Keys), std::end(Keys), [&](const OptionKey& k) { return key == k.key; });
    return it == std::end(Keys) ? nullptr : it;
}

std::vector<std::string> linesOf(std::string_view text)
{
    if (text.compare(0, ByteOrderMark.size(), ByteOrderMark) == 0)
        text.remove_prefix(ByteOrderMark.size());
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

} // namespace

std::string optionsFileOf(const std::string& settingsPath)
{
    return platform::changeFileExt(settingsPath, ".options");
}

PageOptions parseOptions(std::string_view text, std::vector<BadOption>& bad)
{
    PageOptions options;
    options.lines = linesOf(text);
    for (const OptionKey& key : Keys) {
        key.reset(options);
        std::optional<BadOption> last;
        for (std::size_t i = 0; i < options.lines.size(); ++i)
            if (const auto line = keyLine(options.lines[i]); line && line->key == key.key)
                last = BadOption{static_cast<int>(i + 1), key.key, std::string(line->value)};
        if (last && !key.read(last->value, options)) {
            key.reset(options);
            bad.push_back(*last);
        }
    }
    return options;
}

bool isOptionKeyLine(std::string_view line)
{
    const auto parts = keyLine(line);
    return parts && knownKey(parts->key);
}

std::string optionsText(const PageOptions& options)
{
    std::string text;
    std::vector<const OptionKey*> written;
    const auto writeKey = [&](const OptionKey& key) {
        written.push_back(&key);
        const std::string value = key.write(options);
        if (!value.empty())
            text += std::string(key.key) + "=" + value + "\r\n";
    };
    for (const std::string& line : options.lines) {
        const auto parts = keyLine(line);
        const OptionKey* key = parts ? knownKey(parts->key) : nullptr;
        if (!key)
            text += line + "\r\n";
        else if (std::find(written.begin(), written.end(), key) == written.end())
            writeKey(*key);
    }
    for (const OptionKey& key : Keys)
        if (std::find(written.begin(), written.end(), &key) == written.end())
            writeKey(key);
    // The reader passes over one leading byte-order mark: a first line that starts with one
    // keeps it behind a mark of its own.
    if (text.compare(0, ByteOrderMark.size(), ByteOrderMark) == 0)
        text.insert(0, ByteOrderMark);
    return text;
}

PageOptions readOptionsFile(const std::string& path, std::vector<BadOption>& bad)
{
    if (!platform::fileExists(path))
        return PageOptions();
    int error = 0;
    auto file = platform::ReadOnlyFile::tryOpen(path, error);
    if (!file)
        throw platform::InOutError::fromSystem(error, path);
    std::string text;
    char chunk[4096];
    for (std::size_t got; (got = file->readAt(text.size(), chunk, sizeof chunk)) > 0;)
        text.append(chunk, got);
    return parseOptions(text, bad);
}

void writeOptionsFile(const std::string& path, const PageOptions& options)
{
    const std::string text = optionsText(options);
    platform::AtomicFile file(path);
    file.write(text.data(), text.size());
    file.commit();
}

std::string columnListText(const std::vector<std::uint8_t>& columns)
{
    std::string text;
    for (std::uint8_t id : columns)
        if (const ColumnKind* column = columnKind(id))
            text += (text.empty() ? "" : ",") + std::string(column->cliName);
    return text;
}

bool parseColumnList(std::string_view text, std::vector<std::uint8_t>& columns, std::string& unknown)
{
    columns.clear();
    unknown.clear();
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string_view name = trimmed(text.substr(from, comma - from));
        from = comma + 1;
        if (name.empty())
            continue;
        const ColumnKind* column = columnNamed(name);
        if (!column) {
            unknown = name;
            columns.clear();
            return false;
        }
        columns.push_back(column->id);
    }
    return !columns.empty();
}

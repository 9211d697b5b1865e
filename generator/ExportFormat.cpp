#include "generator/ExportFormat.h"

#include "generator/Utf8.h"

namespace {

constexpr std::array<ExportField, ExportFieldCount> Fields = {{
    {"folder", "the file's folder below the input directory, \"\" for the input directory itself"},
    {"file", "the file's name"},
    {"artist", "the artist, as the page shows it by the tag priority"},
    {"title", "the title, the same way"},
    {"album", "the album, the same way"},
    {"year", "the year, the same way"},
    {"track", "the track, the same way"},
    {"genre", "the genre's name, the same way"},
    {"album_artist", "the album artist, the same way"},
    {"length_s", "the playing length in whole seconds"},
    {"size_bytes", "the file's size in bytes"},
    {"bitrate_kbps", "the bit rate in kbit/s, the average one for a variable bit rate"},
    {"sample_rate_hz", "the sample rate in Hz"},
    {"channels", "stereo, joint_stereo, dual_channel or mono"},
    {"vbr", "whether the bit rate is variable: 1 or 0 in CSV, true or false in JSON"},
    {"link", "the file's path from the output file's folder, percent-encoded as in a page's links"},
}};

bool endsWithIgnoringAsciiCase(std::string_view text, std::string_view lowerEnd)
{
    if (text.size() < lowerEnd.size())
        return false;
    text.remove_prefix(text.size() - lowerEnd.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lowerEnd[i])
            return false;
    }
    return true;
}

// A spreadsheet reads a cell that starts with one of these as a formula (or, for TAB and CR,
// strips them and then may); the leading "'" makes it text.
bool needsFormulaGuard(std::string_view text)
{
    if (text.empty())
        return false;
    switch (text.front()) {
    case '=': case '+': case '-': case '@': case '\t': case '\r': return true;
    default: return false;
    }
}

void appendCsvText(std::string& out, std::string_view text)
{
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quoted)
        out += '"';
    if (needsFormulaGuard(text))
        out += '\'';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    if (quoted)
        out += '"';
}

void appendJsonString(std::string& out, std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte >= 0x20) {
            out += c;
        } else {
            out += '\\';
            switch (c) {
            case '\b': out += 'b'; break;
            case '\t': out += 't'; break;
            case '\n': out += 'n'; break;
            case '\f': out += 'f'; break;
            case '\r': out += 'r'; break;
            default:
                out += "u00";
                out += hex[byte >> 4];
                out += hex[byte & 0x0F];
            }
        }
    }
    out += '"';
}

} // namespace

ExportKind exportKindOf(std::string_view outputFile)
{
    if (endsWithIgnoringAsciiCase(outputFile, ".csv"))
        return ExportKind::Csv;
    if (endsWithIgnoringAsciiCase(outputFile, ".jsonl"))
        return ExportKind::JsonLines;
    return ExportKind::None;
}

const std::array<ExportField, ExportFieldCount>& exportFields()
{
    return Fields;
}

void appendExportHead(ExportKind kind, std::string& out)
{
    if (kind != ExportKind::Csv)
        return;
    out += "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        if (i > 0)
            out += ',';
        out += Fields[i].name;
    }
    out += "\r\n";
}

ExportLine::ExportLine(ExportKind kind, std::string& out) : kind_(kind), out_(out)
{
    if (kind_ == ExportKind::JsonLines)
        out_ += '{';
}

void ExportLine::startField()
{
    if (kind_ == ExportKind::JsonLines) {
        if (field_ > 0)
            out_ += ',';
        out_ += '"';
        out_ += Fields[field_ % ExportFieldCount].name;
        out_ += "\":";
    } else if (field_ > 0) {
        out_ += ',';
    }
    ++field_;
}

void ExportLine::text(std::string_view value)
{
    startField();
    // Most texts are well formed already and go over as they are.
    thread_local std::string wellFormed;
    if (!isValidUtf8(value)) {
        wellFormed.clear();
        appendWellFormedUtf8(wellFormed, value);
        value = wellFormed;
    }
    if (kind_ == ExportKind::JsonLines)
        appendJsonString(out_, value);
    else
        appendCsvText(out_, value);
}

void ExportLine::number(std::uint64_t value)
{
    startField();
    out_ += std::to_string(value);
}

void ExportLine::flag(bool value)
{
    startField();
    if (kind_ == ExportKind::JsonLines)
        out_ += value ? "true" : "false";
    else
        out_ += value ? '1' : '0';
}

void ExportLine::unknown()
{
    startField();
    if (kind_ == ExportKind::JsonLines)
        out_ += "null";
}

void ExportLine::end()
{
    if (kind_ == ExportKind::JsonLines)
        out_ += "}\n";
    else
        out_ += "\r\n";
}

#include "generator/LibraryPage.h"

#include "generator/Contrast.h"
#include "generator/Html.h"
#include "generator/LibraryAssets.h"
#include "generator/PageWriter.h"
#include "generator/TextEncoding.h"
#include "generator/tunesheet_class.h"

#include <algorithm>

using namespace std::string_view_literals;

namespace {

// Rows written as plain rows, for browsers without scripts.
constexpr std::size_t StaticRows = 200;
// A chunk ends at the first folder that starts after it holds this many rows or bytes; a folder
// larger than the most a chunk holds goes on in the next one. The first chunk is small, so
// that the page draws its rows early; the others are large, as each script element costs the
// browser a pause in its parsing.
constexpr std::size_t FirstChunkRows = 500;
constexpr std::size_t ChunkRows = 8000;
constexpr std::size_t ChunkBytes = 2 << 20;
constexpr std::size_t MostChunkRows = 16384;

// The fields of a RowForm::Values row.
void splitFields(std::string_view values, std::vector<std::string_view>& fields)
{
    fields.clear();
    std::size_t from = 0;
    for (std::size_t nul; (nul = values.find('\0', from)) != std::string_view::npos; from = nul + 1)
        fields.push_back(values.substr(from, nul - from));
}

// Fields of a column (and the links) stand in one JSON string, separated by a raw U+007F, which
// JSON lets stand as it is (one byte, where an escape takes six) and no field holds.
constexpr char FieldSeparator = '\x7F';

void appendField(std::string& out, std::string_view text, bool first)
{
    if (!first)
        out += FieldSeparator;
    appendScriptString(out, text, true);
}

// A cell's field, left empty where it repeats the cell above it in the chunk (most of an
// album's cells do: its artist, album and year); an empty cell below one that is not is written
// "\u0001". The cell above the chunk's first row counts as empty.
void appendCell(std::string& out, std::string_view text, std::string& above, bool first)
{
    if (!first)
        out += FieldSeparator;
    if (text == above)
        return;
    if (text.empty())
        out += "\\u0001";
    else
        appendScriptString(out, text, true);
    above.assign(text);
}

// A number for the data's lists: a row without one has none to count.
void appendNumber(std::string& out, std::string_view digits, std::string_view otherwise)
{
    out += digits.empty() ? otherwise : digits;
}

void appendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    appendScriptString(out, text);
    out += '"';
}

} // namespace

std::vector<LibraryColumn> libraryColumns(const TGeneratorSettings& settings, const PageColumns& page)
{
    std::vector<LibraryColumn> columns;
    for (std::size_t i = 0; i < page.cells.size(); ++i) {
        const std::uint8_t id = page.cells[i];
        LibraryColumn column;
        // The cells are the first headers' columns.
        column.header = i < page.headers.size() ? page.headers[i].name : std::string();
        if (const ColumnKind* kind = columnKind(id))
            column.link = (settings.ActiveLinks & kind->linkBit) != 0;
        switch (id) {
        case ciYear:
        case ciTrack:
        case ciBitRate:
        case ciSampleRate: column.order = LibraryColumn::Order::Number; break;
        case ciLength: column.order = LibraryColumn::Order::Seconds; break;
        case ciFileSize: column.order = LibraryColumn::Order::Bytes; break;
        case ciFileName: column.linkName = settings.FileNameMode == fnNameOnly; break;
        default: break;
        }
        columns.push_back(column);
    }
    return columns;
}

LibraryPage::LibraryPage(PageWriter& page, const TGeneratorSettings& settings, std::vector<LibraryColumn> columns,
                         const LibraryPageTexts& texts, platform::LegacyEncoding legacy)
    : page_(page), settings_(settings), columns_(std::move(columns)), texts_(texts), legacy_(legacy),
      columnTexts_(columns_.size()), cellsAbove_(columns_.size())
{
    nameColumn_ = std::find_if(columns_.begin(), columns_.end(), [](const LibraryColumn& c) { return c.linkName; }) -
                  columns_.begin();
}

void LibraryPage::writeOut(std::string_view text)
{
    // The page's lines end in CR LF, which the pieces bring; a line cut by a marker waits for
    // the rest of it.
    out_ += text;
    std::size_t from = 0;
    for (std::size_t nl; (nl = out_.find("\r\n", from)) != std::string::npos; from = nl + 2)
        page_.writeLine(std::string_view(out_).substr(from, nl - from));
    out_.erase(0, from);
}

void LibraryPage::writeShellUpTo(std::string_view marker)
{
    while (shellAt_ < LibraryShellPieces) {
        const ShellPiece& piece = LibraryShell[shellAt_++];
        writeOut(piece.text);
        if (piece.marker == marker || piece.marker.empty())
            break;
        writeMarker(piece.marker);
    }
}

void LibraryPage::writeMarker(std::string_view marker)
{
    std::string text;
    if (marker == "lang")
        appendHtmlEscaped(text, texts_.language);
    else if (marker == "title")
        appendHtmlEscaped(text, nameToPage(settings_.PageCaption.str(), legacy_));
    else if (marker == "colours")
        text += colours();
    else if (marker == "css")
        text += LibraryStyle;
    else if (marker == "js")
        text += LibraryScript;
    else if (marker == "heading") {
        if (settings_.PageCaption.length > 0) {
            text += "<h1>";
            appendHtmlEscaped(text, nameToPage(settings_.PageCaption.str(), legacy_));
            text += "</h1>";
        }
    } else if (marker == "search")
        appendHtmlEscaped(text, texts_.search);
    else if (marker == "note")
        appendHtmlEscaped(text, texts_.noScript);
    else if (marker == "headers") {
        for (const LibraryColumn& column : columns_) {
            text += "<th scope=\"col\" aria-sort=\"none\"><button type=\"button\">";
            appendHtmlEscaped(text, column.header);
            text += "</button></th>";
        }
    } else if (marker == "config")
        text += config();
    writeOut(text);
}

std::string LibraryPage::colours() const
{
    const TGeneratorSettings& s = settings_;
    const std::uint32_t page = s.PageBackColor.get(), cell = s.CellBackColor.get(), head = s.HeaderBackColor.get();
    const std::uint32_t text = s.PageTextColor.get();
    const std::pair<const char*, std::uint32_t> properties[] = {
        {"--ts-page-bg", page},
        {"--ts-page-fg", readableOn(text, page)},
        {"--ts-head-bg", head},
        {"--ts-head-fg", readableOn(text, head)},
        {"--ts-cell-bg", cell},
        {"--ts-cell-fg", readableOn(text, cell)},
        {"--ts-link", readableOn(s.ActiveLinkColor.get(), cell)},
        {"--ts-hover", readableOn(s.HoverLinkColor.get(), cell)},
        {"--ts-dir", readableOn(s.DirNameColor.get(), page)},
    };
    std::string css = ":root {\r\n";
    for (const auto& [name, colour] : properties)
        css += "  " + std::string(name) + ": " + ColorToHTML(colour) + ";\r\n";
    css += "}";
    return css;
}

std::string LibraryPage::config() const
{
    static const char* const orders[] = {"text", "num", "secs", "bytes"};
    std::string c = "{\"cols\":[";
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        c += i ? ",{\"name\":" : "{\"name\":";
        appendQuoted(c, columns_[i].header);
        c += ",\"sort\":\"";
        c += orders[static_cast<int>(columns_[i].order)];
        c += columns_[i].link ? "\",\"link\":1}" : "\",\"link\":0}";
    }
    c += "],\"nameCol\":" + (nameColumn_ < columns_.size() ? std::to_string(nameColumn_) : std::string("-1"));
    c += ",\"folders\":";
    c += settings_.AllDirsInOneTable ? "0" : "1";
    c += ",\"captions\":";
    c += settings_.DirOverTable ? "1" : "0";
    c += ",\"texts\":{\"files\":";
    appendQuoted(c, texts_.files);
    c += ",\"of\":";
    appendQuoted(c, texts_.matches);
    c += ",\"printed\":";
    appendQuoted(c, texts_.printed);
    c += "}}";
    return c;
}

void LibraryPage::head()
{
    writeShellUpTo("rows");
}

void LibraryPage::folder(const std::string& path)
{
    folder_ = pathToPage(path, legacy_);
    folderStarted_ = false;
    folderContinues_ = false;
}

void LibraryPage::row(std::string_view values)
{
    splitFields(values, fields_);
    fields_.resize(columns_.size() + 3);
    if (!folderStarted_)
        startFolder();
    if (rows_ < StaticRows)
        addStaticRow(fields_);
    ++rows_;
    if (rows_ == StaticRows)
        finishStaticRows();
    if (chunkRows_ >= MostChunkRows) {
        flushChunk();
        folderContinues_ = true;
    }
    if (segments_.empty() || folderContinues_) {
        segments_.push_back({folderContinues_, folder_, 0, linkCount_});
        folderContinues_ = false;
    }
    addToChunk(fields_);
}

void LibraryPage::startFolder()
{
    // A chunk ends between folders.
    if (chunkRows_ >= (chunksWritten_ ? ChunkRows : FirstChunkRows) || chunkBytes_ >= ChunkBytes)
        flushChunk();
    segments_.push_back({false, folder_, 0, linkCount_});
    folderStarted_ = true;
    if (rows_ < StaticRows && !settings_.AllDirsInOneTable && (settings_.DirOverTable || rows_ > 0)) {
        staticRows_ += "<tr class=\"ts-dir\"><td colspan=\"" + std::to_string(columns_.size()) + "\">";
        if (settings_.DirOverTable)
            appendHtmlEscaped(staticRows_, folder_);
        staticRows_ += "</td></tr>\r\n";
    }
}

void LibraryPage::addStaticRow(const std::vector<std::string_view>& fields)
{
    const std::string_view link = fields[columns_.size()];
    staticRows_ += "<tr>";
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        staticRows_ += "<td>";
        if (columns_[c].link) {
            staticRows_ += "<a href=\"";
            appendHtmlEscaped(staticRows_, link);
            staticRows_ += "\">";
            appendHtmlEscaped(staticRows_, fields[c]);
            staticRows_ += "</a>";
        } else {
            appendHtmlEscaped(staticRows_, fields[c]);
        }
        staticRows_ += "</td>";
    }
    staticRows_ += "</tr>\r\n";
}

void LibraryPage::finishStaticRows()
{
    if (staticDone_)
        return;
    staticDone_ = true;
    writeOut(staticRows_);
    std::string().swap(staticRows_);
    writeShellUpTo("data");
    writeOut(pending_);
    std::string().swap(pending_);
}

void LibraryPage::addToChunk(const std::vector<std::string_view>& fields)
{
    const bool first = chunkRows_ == 0;
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        appendCell(columnTexts_[c], fields[c], cellsAbove_[c], first);
        chunkBytes_ += fields[c].size();
    }
    if (linkCount_ == links_.size()) {
        links_.emplace_back();
        linkIsName_.push_back(0);
    }
    const std::string_view link = fields[columns_.size()];
    // Most links end in the name the File name cell shows: the page takes it from there.
    const std::string_view name = nameColumn_ < columns_.size() ? fields[nameColumn_] : std::string_view();
    linkIsName_[linkCount_] = !name.empty() && link.size() > name.size() && link.substr(link.size() - name.size()) == name &&
                              link[link.size() - name.size() - 1] == '/';
    links_[linkCount_++].assign(link);
    if (!first) {
        sizes_ += ',';
        seconds_ += ',';
    }
    appendNumber(sizes_, fields[columns_.size() + 1], "0");
    appendNumber(seconds_, fields[columns_.size() + 2], "-1");
    ++segments_.back().rows;
    ++chunkRows_;
}

void LibraryPage::flushChunk()
{
    if (chunkRows_ == 0)
        return;
    const bool links = std::any_of(columns_.begin(), columns_.end(), [](const LibraryColumn& c) { return c.link; });
    // The data is JSON in an element the browser does not run: parsing it costs a page a
    // fraction of what a script's literals cost. The script after it hands it to the page.
    std::string s = "<script type=\"application/json\">[[";
    std::string linkText;
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        const Segment& seg = segments_[i];
        const std::size_t end = i + 1 < segments_.size() ? segments_[i + 1].firstLink : linkCount_;
        // The links of a folder share its path: it is written once.
        std::string_view prefix;
        if (links) {
            const std::string& firstLink = links_[seg.firstLink];
            prefix = std::string_view(firstLink).substr(0, firstLink.rfind('/') + 1);
            for (std::size_t k = seg.firstLink; k < end && !prefix.empty(); ++k)
                if (std::string_view(links_[k]).substr(0, prefix.size()) != prefix)
                    prefix = {};
            for (std::size_t k = seg.firstLink; k < end; ++k) {
                const std::string_view rest = std::string_view(links_[k]).substr(prefix.size());
                const bool isName = linkIsName_[k] && rest.find('/') == std::string_view::npos;
                appendField(linkText, isName ? std::string_view() : rest, k == 0);
            }
        }
        if (i)
            s += ',';
        if (seg.continues)
            s += '0';
        else
            appendQuoted(s, seg.folder);
        s += ',' + std::to_string(seg.rows) + ',';
        // Most folders' links start with the path the page shows: 1 stands for it.
        if (!seg.continues && prefix == seg.folder)
            s += '1';
        else
            appendQuoted(s, prefix);
    }
    s += "],[";
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        s += c ? ",\"" : "\"";
        s += columnTexts_[c];
        s += '"';
        columnTexts_[c].clear();
        cellsAbove_[c].clear();
    }
    s += "],";
    if (links) {
        s += '"';
        s += linkText;
        s += '"';
    } else {
        s += "null";
    }
    s += ",[" + sizes_ + "],[" + seconds_ + "]]</script><script>ts.add()</script>\r\n";
    if (staticDone_)
        writeOut(s);
    else
        pending_ += s;
    ++chunksWritten_;
    segments_.clear();
    linkCount_ = 0;
    sizes_.clear();
    seconds_.clear();
    chunkRows_ = chunkBytes_ = 0;
}

void LibraryPage::foot()
{
    flushChunk();
    finishStaticRows();
    writeShellUpTo("");
    if (!out_.empty())
        page_.writeLine(out_);
}

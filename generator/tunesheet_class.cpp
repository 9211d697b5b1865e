#include "generator/tunesheet_class.h"

#include "generator/Html.h"
#include "generator/PageWriter.h"
#include "generator/RowPipeline.h"
#include "generator/TextEncoding.h"
#include "platform/Directory.h"
#include "platform/Errors.h"
#include "platform/Path.h"

#include <cstdio>
#include <unordered_set>

std::string ColorToHTML(std::uint32_t color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return text;
}

TTunesheet::TTunesheet() : Settings(emptySettings()) {}

TTunesheet::~TTunesheet() = default;

void TTunesheet::Generate()
{
    const std::string root = platform::includeTrailingDelimiter(Settings.InputDir.str());
    PageWriter page(Settings.OutputFile.str());
    PageFile = &page;
    Progress = GenerateProgress();
    Separators = platform::localeSeparators();
    CellTag = Settings.Wrap ? "td" : "td nowrap";
    Columns = pageColumns(Settings, Options.columns, ColumnNames);
    const platform::LegacyEncoding legacy = Options.legacyEncoding;
    Export = exportTarget(root, Settings.OutputFile.str());
    auto walk = [this, &root](WalkOutput& out) { WalkPage(out, root); };
    try {
        if (Export.kind != ExportKind::None) {
            std::string head;
            appendExportHead(Export.kind, head);
            page.write(head);
            runRowPipeline(walk, *this, {Settings, Columns, Separators, RowForm::Export, legacy, &Export}, Readers);
        } else if (Options.page == PageKind::Library) {
            LibraryPage library(page, Settings, libraryColumns(Settings, Columns), PageTexts, legacy);
            Library = &library;
            library.head();
            runRowPipeline(walk, *this, {Settings, Columns, Separators, RowForm::Values, legacy}, Readers);
            library.foot();
        } else {
            WritePageHead();
            runRowPipeline(walk, *this, {Settings, Columns, Separators, RowForm::Html, legacy}, Readers);
            WritePageFoot();
        }
        page.commit();
    } catch (...) {
        PageFile = nullptr;
        Library = nullptr;
        Export = ExportTarget();
        throw;
    }
    PageFile = nullptr;
    Library = nullptr;
    Export = ExportTarget();
}

void TTunesheet::WalkPage(WalkOutput& out, const std::string& root)
{
    Walk = &out;
    if (Settings.AllDirsInOneTable)
        OpenTable(root);
    ProcessDirectory(root);
    if (Settings.AllDirsInOneTable)
        CloseTable();
    Walk = nullptr;
}

void TTunesheet::WritePageHead()
{
    const TGeneratorSettings& s = Settings;
    auto colourLine = [](const char* property, const Colour& c) {
        return std::string("        ") + property + ": " + ColorToHTML(c.get()) + ";";
    };
    const char* const font = "        font-family: Verdana, Geneva, Arial, Helvetica, sans-serif;";
    PageFile->writeLine("<html>");
    PageFile->writeLine("  <head>");
    PageFile->writeLine("    <meta charset=\"utf-8\">");
    PageFile->writeLine("    <title>" + htmlEscape(nameToPage(s.PageCaption.str(), Options.legacyEncoding)) + "</title>");
    PageFile->writeLine("    <style>");
    PageFile->writeLine("      BODY {");
    PageFile->writeLine(font);
    PageFile->writeLine("        font-size: 12px;");
    PageFile->writeLine(colourLine("background-color", s.PageBackColor));
    PageFile->writeLine(colourLine("color", s.PageTextColor));
    PageFile->writeLine("      }");
    PageFile->writeLine("      TABLE {");
    PageFile->writeLine(font);
    PageFile->writeLine("        font-size: 12px;");
    PageFile->writeLine("      }");
    PageFile->writeLine("      TH {");
    PageFile->writeLine(colourLine("background-color", s.HeaderBackColor));
    PageFile->writeLine("      }");
    PageFile->writeLine("      TD {");
    PageFile->writeLine(colourLine("background-color", s.CellBackColor));
    PageFile->writeLine("      }");
    PageFile->writeLine("      A:LINK, A:VISITED, A:ACTIVE {");
    PageFile->writeLine(colourLine("color", s.ActiveLinkColor));
    PageFile->writeLine("        text-decoration: underline;");
    PageFile->writeLine("      }");
    PageFile->writeLine("      A:HOVER {");
    PageFile->writeLine(colourLine("color", s.HoverLinkColor));
    PageFile->writeLine("        text-decoration: none;");
    PageFile->writeLine("      }");
    PageFile->writeLine("      .mp3 {");
    PageFile->writeLine("        font-size: 15px;");
    PageFile->writeLine(colourLine("color", s.DirNameColor));
    PageFile->writeLine("      }");
    PageFile->writeLine("    </style>");
    PageFile->writeLine("  </head>");
    PageFile->writeLine("  <body>");
    PageFile->writeLine("");
}

void TTunesheet::WritePageFoot()
{
    PageFile->writeLine("  </body>");
    PageFile->writeLine("</html>");
}

void TTunesheet::OpenTable(const std::string& Dir)
{
    // The library page draws its tables itself; an export has none.
    if (Library || Export.kind != ExportKind::None)
        return;
    if (Settings.DirOverTable)
        Walk->line("<span class=mp3><b>" + htmlEscape(pathToPage(Dir, Options.legacyEncoding)) + " " +
                    htmlEscape(pathToPage(Settings.InputDir.str(), Options.legacyEncoding)) + "</b></span>");
    Walk->line("<table cellspacing=0 cellpadding=1 border=1>");
    std::string header = "<tr>";
    const char* open = Settings.Wrap ? "<th>&nbsp;" : "<th nowrap>&nbsp;";
    for (const PageColumns::Header& column : Columns.headers) {
        header += open;
        appendHtmlEscaped(header, column.name);
        header += "&nbsp;</th>";
    }
    header += "</tr>";
    Walk->line(header);
}

void TTunesheet::CloseTable()
{
    if (Library || Export.kind != ExportKind::None)
        return;
    Walk->line("</table><p>&nbsp;</p>");
}

static bool isMp3Name(const std::string& name)
{
    auto dot = name.find_last_of('.');
    if (dot == std::string::npos || name.size() - dot != 4)
        return false;
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
    return upper(name[dot + 1]) == 'M' && upper(name[dot + 2]) == 'P' && name[dot + 3] == '3';
}

namespace {

struct IdentityHash {
    std::size_t operator()(const platform::DirIdentity& id) const
    {
        return std::hash<std::uint64_t>()(id.inode * 0x9E3779B97F4A7C15ULL ^ id.device);
    }
};

} // namespace

struct TTunesheet::WalkStack {
    struct Level {
        std::unique_ptr<platform::Directory> folder;
        std::vector<std::string> subdirectories;
        std::size_t next = 0;       // the subfolder to walk next
        std::size_t pathLength = 0; // of `path` up to this folder
    };
    std::vector<Level> levels;
    // The identities of the folders on the stack: a link back to one of them would never end.
    std::unordered_set<platform::DirIdentity, IdentityHash> onStack;
    // The path of the deepest folder, made longer and shorter as the walk goes down and up,
    // rather than held whole for every level.
    std::string path;
};

void TTunesheet::ProcessDirectory(const std::string& Dir)
{
    WalkStack stack;
    stack.path = platform::includeTrailingDelimiter(Dir);
    int error = 0;
    ProcessOpenDirectory(stack, platform::Directory::open(stack.path, error));
    while (!stack.levels.empty()) {
        WalkStack::Level& level = stack.levels.back();
        if (level.next == level.subdirectories.size()) {
            stack.onStack.erase(level.folder->identity());
            stack.levels.pop_back();
            continue;
        }
        const std::string& name = level.subdirectories[level.next++];
        stack.path.resize(level.pathLength);
        stack.path.append(name).append(1, platform::PathDelimiter);
        ProcessOpenDirectory(stack, level.folder->openSubdirectory(name, error));
    }
}

void TTunesheet::ProcessOpenDirectory(WalkStack& stack, std::unique_ptr<platform::Directory> folder)
{
    if (!folder)
        return;
    CellTag = Settings.Wrap ? "td" : "td nowrap";
    if (!stack.onStack.insert(folder->identity()).second)
        return;
    const std::string& dir = stack.path;

    Walk->folder(*folder, dir);
    std::vector<std::string> subdirectories;
    {
        // What each entry is, from the listing where it says: a file's size comes with the row.
        platform::DirReader reader(*folder, platform::EntryDetail::KindOnly);
        bool tableOpen = false;
        platform::DirEntry entry;
        while (reader.next(entry)) {
            if (entry.isDirectory) {
                if (Settings.IncludeSubdirs && !entry.hidden && !entry.system)
                    subdirectories.push_back(entry.name);
                continue;
            }
            if (!tableOpen && !Settings.AllDirsInOneTable) {
                OpenTable(dir);
                tableOpen = true;
            }
            if (isMp3Name(entry.name))
                Walk->file(entry.name);
        }
        if (tableOpen)
            CloseTable();
    }
    stack.levels.push_back({std::move(folder), std::move(subdirectories), 0, dir.size()});
}

void TTunesheet::line(std::string_view text)
{
    PageFile->writeLine(text);
}

void TTunesheet::folder(const std::string& path)
{
    if (Library)
        Library->folder(path);
    Progress.currentDir = path;
    ReportProgress();
}

void TTunesheet::row(std::string_view row)
{
    if (Library)
        Library->row(row);
    else if (Export.kind != ExportKind::None)
        PageFile->write(row); // an export's line ends itself
    else
        PageFile->writeLine(row);
    ++Progress.filesListed;
    ReportProgress();
}

void TTunesheet::ReportProgress()
{
    if (OnProgress && !OnProgress(Progress))
        throw GenerationCancelled();
}

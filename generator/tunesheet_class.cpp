#include "generator/tunesheet_class.h"

#include "generator/Html.h"
#include "generator/PageWriter.h"
#include "generator/RowPipeline.h"
#include "generator/TextEncoding.h"
#include "platform/Directory.h"
#include "platform/Errors.h"
#include "platform/Path.h"

#include <algorithm>
#include <cstdio>

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
    WalkPath.clear();
    Progress = GenerateProgress();
    Separators = platform::localeSeparators();
    CellTag = Settings.Wrap ? "td" : "td nowrap";
    try {
        WritePageHead();
        runRowPipeline([this, &root](WalkOutput& out) { WalkPage(out, root); }, *this, Settings, Separators, Readers);
        WritePageFoot();
        page.commit();
    } catch (...) {
        PageFile = nullptr;
        throw;
    }
    PageFile = nullptr;
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
    PageFile->writeLine("    <title>" + htmlEscape(nameToPage(s.PageCaption.str(), Legacy)) + "</title>");
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
    if (Settings.DirOverTable)
        Walk->line("<span class=mp3><b>" + htmlEscape(pathToPage(Dir, Legacy)) + " " +
                    htmlEscape(pathToPage(Settings.InputDir.str(), Legacy)) + "</b></span>");
    Walk->line("<table cellspacing=0 cellpadding=1 border=1>");
    std::string header = "<tr>";
    const char* open = Settings.Wrap ? "<th>&nbsp;" : "<th nowrap>&nbsp;";
    for (int i = 0; i < ColumnSlots; ++i) {
        if (Settings.SelectedItems[i] == ciNone)
            continue;
        header += open;
        appendHtmlEscaped(header, Settings.SelectedNames[i].str());
        header += "&nbsp;</th>";
    }
    header += "</tr>";
    Walk->line(header);
}

void TTunesheet::CloseTable()
{
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

void TTunesheet::ProcessDirectory(const std::string& Dir)
{
    int error = 0;
    if (auto folder = platform::Directory::open(platform::includeTrailingDelimiter(Dir), error))
        ProcessOpenDirectory(*folder);
}

void TTunesheet::ProcessOpenDirectory(const platform::Directory& folder)
{
    CellTag = Settings.Wrap ? "td" : "td nowrap";
    const std::string& dir = folder.path();

    // A link back to a folder the walk is already inside would never end.
    if (std::find(WalkPath.begin(), WalkPath.end(), folder.identity()) != WalkPath.end())
        return;

    Walk->folder(folder);
    std::vector<std::string> subdirectories;
    {
        // What each entry is, from the listing where it says: a file's size comes with the row.
        platform::DirReader reader(folder, platform::EntryDetail::KindOnly);
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

    WalkPath.push_back(folder.identity());
    int error = 0;
    for (const std::string& name : subdirectories)
        if (auto subfolder = folder.openSubdirectory(name, error))
            ProcessOpenDirectory(*subfolder);
    WalkPath.pop_back();
}

void TTunesheet::line(std::string_view text)
{
    PageFile->writeLine(text);
}

void TTunesheet::folder(const std::string& path)
{
    Progress.currentDir = path;
    ReportProgress();
}

void TTunesheet::row(std::string_view row)
{
    PageFile->writeLine(row);
    ++Progress.filesListed;
    ReportProgress();
}

void TTunesheet::ReportProgress()
{
    if (OnProgress && !OnProgress(Progress))
        throw GenerationCancelled();
}

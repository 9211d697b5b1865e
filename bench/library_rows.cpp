// Writes a plain page and a library page of N made-up files of varied names and tags, the same
// rows in both, for the browser benchmark (bench/browser): a million MP3 files would not fit on
// this machine's disk. The library page goes through the program's own writer; the plain page
// takes the program's head and foot and writes its tables as the generator does.
//
//   library_rows N PLAIN.htm LIBRARY.htm
#include "generator/CellFormat.h"
#include "generator/Html.h"
#include "generator/LibraryPage.h"
#include "generator/PageWriter.h"
#include "generator/tunesheet_class.h"
#include "platform/LocaleSeparators.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const Words[] = {
    "love", "night", "river", "blue", "dance", "heart", "fire", "rain", "summer", "light", "dream", "road",
    "shadow", "gold", "ocean", "winter", "the", "of", "my", "in", "Čierna", "káva", "Ľudová", "pieseň",
    "žena", "Straße", "Grüße", "Mädchen", "Über", "Café", "crème", "Œuvre", "déjà", "vu", "Ærø", "Søren",
    "Łódź", "Gdańsk", "Đorđe", "Þórir", "ﬁnale", "Ελλάδα", "θάλασσα", "ς", "Москва", "ночь", "звезда",
    "O'Brien", "#1", "100%", "Part", "II", "feat.", "Remix", "Live", "(Acoustic)", "Σοφία", "İstanbul",
    "naïve", "Ångström", "Dvořák", "Smetana", "Čajkovskij", "Sibelius", "Grieg", "Chopin", "Bartók",
};
const char* const Given[] = {"Anna", "Peter", "Zuzana", "Ján", "Marie", "Jürgen", "Søren", "Łukasz", "Иван",
                             "Νίκος", "Aoife", "Seán", "Chloé", "José", "Ewa", "Miloš", "Björk", "Zoë"};
const char* const Family[] = {"Novák", "Kováč", "Müller", "O'Brien", "Nørgaard", "Wałęsa", "Петров",
                              "Παπαδόπουλος", "Dubois", "García", "Smith", "Horváth", "Dvořák", "Ødegaard"};

std::mt19937 rng(20261208);

int pick(int n)
{
    return static_cast<int>(rng() % static_cast<unsigned>(n));
}

template <std::size_t N>
std::string any(const char* const (&items)[N])
{
    return items[pick(N)];
}

std::string words(int least, int most)
{
    std::string text;
    for (int i = least + pick(most - least + 1); i > 0; --i)
        text += (text.empty() ? "" : " ") + any(Words);
    return text;
}

struct File {
    std::string artist, title, album, year, name;
    std::int64_t bytes, seconds;
};

struct Folder {
    std::string path;
    std::vector<File> files;
};

Folder makeFolder(int number, int files)
{
    Folder f;
    const std::string artist = any(Given) + " " + any(Family) + (pick(4) == 0 ? " & " + any(Family) : "");
    const std::string album = words(1, 4) + (pick(5) == 0 ? " " + std::to_string(1 + pick(9)) : "");
    const std::string year = pick(10) == 0 ? "" : std::to_string(1950 + pick(75));
    f.path = "/music/" + artist + "/" + album + " (" + std::to_string(number) + ")/";
    for (int t = 1; t <= files; ++t) {
        File file;
        file.artist = pick(8) == 0 ? any(Given) + " " + any(Family) : artist;
        file.title = words(1, 6);
        file.album = album;
        file.year = year;
        file.seconds = 30 + pick(600);
        file.bytes = file.seconds * (16000 + pick(24000));
        char track[16];
        std::snprintf(track, sizeof track, "%02d", t);
        file.name = std::string(track) + " " + file.title + ".mp3";
        f.files.push_back(file);
    }
    return f;
}

// The row as RowForm::Values makes it, all seven columns in their order.
std::string values(const Folder& folder, const File& file, const platform::LocaleSeparators& seps)
{
    std::string row;
    for (const std::string& text : {file.artist, file.title, file.album, file.year,
                                    formatLength(file.seconds * 1000, seps), formatSize(file.bytes, fsKiloBytes, seps), file.name})
        row += text + '\0';
    appendLinkPath(row, folder.path + file.name);
    row += '\0' + std::to_string(file.bytes) + '\0' + std::to_string(file.seconds) + '\0';
    return row;
}

// A plain row as the generator writes it: no wrap, links on title and file name.
std::string plainRow(const Folder& folder, const File& file, const platform::LocaleSeparators& seps)
{
    std::string link = "<a href=\"";
    appendLinkTarget(link, folder.path + file.name);
    link += "\">";
    std::string row = "<tr>";
    int column = 0;
    for (const std::string& text : {file.artist, file.title, file.album, file.year,
                                    formatLength(file.seconds * 1000, seps), formatSize(file.bytes, fsKiloBytes, seps), file.name}) {
        const bool linked = column == 1 || column == 6;
        row += "<td nowrap>&nbsp;";
        if (linked)
            row += link;
        appendHtmlEscaped(row, text);
        if (linked)
            row += "</a>";
        row += "&nbsp;</td>";
        ++column;
    }
    return row + "</tr>";
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: library_rows N PLAIN.htm LIBRARY.htm\n");
        return 2;
    }
    const long count = std::atol(argv[1]);
    const std::string plainPath = argv[2], libraryPath = argv[3];
    const platform::LocaleSeparators seps;

    TTunesheet generator;
    generator.Settings = initialFormSettings();
    generator.Settings.DirOverTable = true;
    generator.Settings.ActiveLinks = alTitle | alFileName;
    // The plain page's head and foot: the program's own, from a walk that finds nothing.
    const std::string empty = plainPath + ".empty";
    std::system(("mkdir -p '" + empty + "'").c_str());
    generator.Settings.InputDir = empty;
    generator.Settings.OutputFile = plainPath;
    generator.Generate();
    std::system(("rmdir '" + empty + "'").c_str());
    const std::string shell = readFile(plainPath);
    const std::size_t foot = shell.rfind("  </body>");

    PageWriter plain(plainPath), library(libraryPath);
    plain.writeLine(shell.substr(0, foot - 2));
    const LibraryPageTexts texts;
    const PageColumns columns = pageColumns(generator.Settings, {}, englishColumnHeaders());
    LibraryPage page(library, generator.Settings, libraryColumns(generator.Settings, columns), texts,
                     platform::LegacyEncoding::Iso8859_1);
    page.head();
    std::string header = "<tr>";
    for (int i = 0; i < ColumnSlots; ++i)
        header += "<th nowrap>&nbsp;" + generator.Settings.SelectedNames[i].str() + "&nbsp;</th>";
    header += "</tr>";
    for (long made = 0, number = 0; made < count; ++number) {
        const Folder folder = makeFolder(static_cast<int>(number), static_cast<int>(std::min<long>(5 + pick(21), count - made)));
        page.folder(folder.path);
        std::string caption = "<span class=mp3><b>";
        appendHtmlEscaped(caption, folder.path + " /music");
        plain.writeLine(caption + "</b></span>");
        plain.writeLine("<table cellspacing=0 cellpadding=1 border=1>");
        plain.writeLine(header);
        for (const File& file : folder.files) {
            page.row(values(folder, file, seps));
            plain.writeLine(plainRow(folder, file, seps));
        }
        plain.writeLine("</table><p>&nbsp;</p>");
        made += static_cast<long>(folder.files.size());
    }
    page.foot();
    plain.writeLine("  </body>");
    plain.writeLine("</html>");
    plain.commit();
    library.commit();
    return 0;
}

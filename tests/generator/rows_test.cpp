#include "generator/tunesheet_class.h"

#include "audio/fixtures.h"
#include "generator/PageFixture.h"
#include "generator/RowMaker.h"
#include "platform/Directory.h"
#include "platform/Errors.h"
#include "platform/Path.h"

#include <gtest/gtest.h>

namespace {

using namespace fixtures;

std::string str(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

// A 1,000,000-byte CBR file (128 kbit/s): 62.5 s of audio without an ID3v1 tag.
Bytes cbrMillionBytes(const Bytes& tail = {})
{
    Bytes audio = frames(cbrHeader(), 417, 2);
    return audio + zeros(1000000 - audio.size() - tail.size()) + tail;
}

std::string cell(const std::string& content)
{
    return "<td nowrap>&nbsp;" + content + "&nbsp;</td>";
}

struct RowRun : PageRun {
    TempDir in;
    // Generates over a folder holding only `name` and returns its one row.
    std::string row(const std::string& name, const Bytes& content)
    {
        in.write(name, str(content));
        for (const auto& l : lines(in.dir()))
            if (l.compare(0, 7, "<tr><td") == 0)
                return l;
        return "(no row)";
    }
    void columns(std::initializer_list<int> ids)
    {
        int i = 0;
        for (int id : ids) {
            settings.SelectedItems[i] = static_cast<std::uint8_t>(id);
            settings.SelectedNames[i] = englishColumnName(id);
            ++i;
        }
        for (; i < ColumnSlots; ++i)
            settings.SelectedItems[i] = ciNone;
    }
    // Any columns, as the options file lists them beside a record that agrees.
    void listed(std::vector<std::uint8_t> ids)
    {
        options.columns = ids;
        const auto slots = recordSlotsOf(ids);
        for (int i = 0; i < ColumnSlots; ++i) {
            settings.SelectedItems[i] = slots[i];
            settings.SelectedNames[i] = englishColumnName(slots[i]);
        }
    }
};

TEST(Rows, UntaggedCbrFileWithAllColumns)
{
    RowRun run;
    EXPECT_EQ(run.row("song.mp3", cbrMillionBytes()),
              "<tr>" + cell("") + cell("") + cell("") + cell("") + cell("01:02") + cell("976.56 kB") +
                  cell("song.mp3") + "</tr>");
}

TEST(Rows, NoValidFrameGivesAnEmptyLengthNotZero)
{
    RowRun run;
    run.columns({ciLength, ciFileSize});
    run.settings.FileSizeUnit = fsBytes;
    EXPECT_EQ(run.row("noise.mp3", zeros(5000)), "<tr>" + cell("") + cell("5,000.00 B") + "</tr>");
}

TEST(Rows, TagPriorityChoosesFieldByField)
{
    Id3v1Fields v1;
    v1.title = "V1 Title";
    v1.album = "V1 Album";
    v1.year = "1999";
    v1.artist = "   "; // empty once trimmed
    const Bytes v2 = id3v2Tag(textFrame("TIT2", "V2 Title") + textFrame("TPE1", "V2 Artist") + zeros(64));
    const Bytes file = v2 + cbrMillionBytes(id3v1Block(v1));

    RowRun run;
    run.columns({ciArtist, ciTitle, ciAlbum, ciYear});
    run.settings.TagPriority = tpID3v1First;
    EXPECT_EQ(run.row("a.mp3", file), "<tr>" + cell("V2 Artist") + cell("V1 Title") + cell("V1 Album") + cell("1999") + "</tr>");

    RowRun v2first;
    v2first.columns({ciArtist, ciTitle, ciAlbum, ciYear});
    v2first.settings.TagPriority = tpID3v2First;
    EXPECT_EQ(v2first.row("a.mp3", file), "<tr>" + cell("V2 Artist") + cell("V2 Title") + cell("V1 Album") + cell("1999") + "</tr>");

    // Every text shown in the ID3v2 tag: the ID3v1 tag is not needed, the length still leaves it out.
    RowRun v2only;
    v2only.columns({ciTitle, ciArtist, ciLength});
    v2only.settings.TagPriority = tpID3v2First;
    EXPECT_EQ(v2only.row("a.mp3", file), "<tr>" + cell("V2 Title") + cell("V2 Artist") + cell("01:02") + "</tr>");

    RowRun unknown;
    unknown.columns({ciArtist, ciTitle, ciFileName});
    unknown.settings.TagPriority = 2;
    EXPECT_EQ(unknown.row("a.mp3", file), "<tr>" + cell("") + cell("") + cell("a.mp3") + "</tr>");
}

TEST(Rows, LinksPointAtTheFileAndAreWrittenEvenWhenEmpty)
{
    RowRun run;
    run.columns({ciTitle, ciFileName, ciArtist});
    run.settings.ActiveLinks = alTitle | alFileName;
    run.settings.FileNameMode = fnFullPath;
    const std::string path = run.in.path("Track #1 100%.mp3");
    const std::string target = run.in.dir() + "Track %231 100%25.mp3";
    EXPECT_EQ(run.row("Track #1 100%.mp3", cbrMillionBytes()),
              "<tr>" + cell("<a href=\"" + target + "\"></a>") + cell("<a href=\"" + target + "\">" + path + "</a>") +
                  cell("") + "</tr>");

    // A name may hold a TAB and a backslash here: the link encodes them, the cell keeps them.
    if (platform::PathDelimiter == '/') {
        RowRun odd;
        odd.columns({ciFileName});
        odd.settings.ActiveLinks = alFileName;
        EXPECT_EQ(odd.row("a\tb\\c.mp3", cbrMillionBytes()),
                  "<tr>" + cell("<a href=\"" + odd.in.dir() + "a%09b%5Cc.mp3\">a\tb\\c.mp3</a>") + "</tr>");
    }
}

TEST(Rows, TagTextsAreEscapedAndDecodedIntoUtf8)
{
    Id3v1Fields v1;
    v1.artist = "Caf\xE9 & <Bar>"; // Latin-1
    v1.album = "\"Quoted\"";
    const std::string utf16Title = std::string("\xFF\xFE", 2) + std::string("\x0C\x01" "i\0e\0r\0", 8) + std::string("\0\0", 2);
    const Bytes v2 = id3v2Tag(textFrame("TIT2", utf16Title, 1) + textFrame("TALB", "<script>x</script>", 3) + zeros(32));
    RowRun run;
    run.columns({ciArtist, ciTitle, ciAlbum});
    run.settings.TagPriority = tpID3v1First;
    EXPECT_EQ(run.row("x.mp3", v2 + cbrMillionBytes(id3v1Block(v1))),
              "<tr>" + cell("Caf\xC3\xA9 &amp; &lt;Bar&gt;") + cell("\xC4\x8Cier") + cell("&quot;Quoted&quot;") + "</tr>");
}

// The user's legacy encoding reads what is neither UTF-8 nor another ID3 encoding: ID3v1 texts,
// ID3v2 texts of encoding 0, and names.
TEST(Rows, TheLegacyEncodingReadsSingleByteTextsAndNames)
{
    Id3v1Fields v1;
    v1.title = "\xC8iern\x61"; // "Čierna" in windows-1250
    v1.artist = "Caf\xC3\xA9";  // UTF-8 stays UTF-8
    const Bytes v2 = id3v2Tag(textFrame("TALB", "\xBCudov\xE1") + textFrame("TCON", "\xC8" "ard\xE1\x9A") +
                              textFrame("TPE2", std::string("\xFF\xFE\xC8\0", 4), 1) + zeros(16));
    RowRun run;
    run.listed({ciTitle, ciArtist, ciAlbum, ciGenre, ciAlbumArtist, ciFileName});
    run.options.legacyEncoding = platform::LegacyEncoding::Windows1250;
    run.settings.FileNameMode = fnFullPath;
    // A name on Windows is always the narrow text of some character.
    const std::string name = platform::PathDelimiter == '/' ? "\xC8" "ierna.mp3" : "\xC4\x8C" "ierna.mp3";
    EXPECT_EQ(run.row(name, v2 + cbrMillionBytes(id3v1Block(v1))),
              "<tr>" + cell("\xC4\x8Cierna") + cell("Caf\xC3\xA9") + cell("\xC4\xBDudov\xC3\xA1") +
                  cell("\xC4\x8C" "ard\xC3\xA1\xC5\xA1") + cell("\xC3\x88") + cell(run.in.dir() + "\xC4\x8Cierna.mp3") + "</tr>");

    RowRun cyrillic;
    cyrillic.columns({ciArtist});
    cyrillic.options.legacyEncoding = platform::LegacyEncoding::Windows1251;
    Id3v1Fields moscow;
    moscow.artist = "\xCC\xEE\xF1\xEA\xE2\xE0";
    EXPECT_EQ(cyrillic.row("a.mp3", cbrMillionBytes(id3v1Block(moscow))),
              "<tr>" + cell("\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0") + "</tr>");
}

// An export lists every field of every file in walk order, whatever the columns and the
// tables; its link leads from the export's folder to the file.
TEST(Rows, ExportsHoldEveryFieldInWalkOrder)
{
    Id3v1Fields v1;
    v1.title = "=1+1";
    v1.artist = "Tom, \"Jerry\"";
    v1.track = 7;
    v1.genre = 17;
    const Bytes v2 = id3v2Tag(textFrame("TALB", "Caf\xE9") + textFrame("TPE2", "Band") + zeros(16));
    RowRun run;
    run.in.write("b.mp3", str(v2 + cbrMillionBytes(id3v1Block(v1))));
    run.in.write("A/\xC3\xA9t\xC3\xA9/n.mp3", str(zeros(3000)));
    run.in.write("A/cover.jpg", "x");
    run.columns({ciFileSize});
    run.settings.IncludeSubdirs = true;
    run.settings.DirOverTable = true;
    run.settings.AllDirsInOneTable = true;
    run.settings.FileNameMode = fnFullPath;
    // Folders and links are joined by the system's delimiter, as a page's links are.
    const auto inJson = [](std::string text) {
        for (std::size_t at = 0; (at = text.find('\\', at)) != std::string::npos; at += 2)
            text.insert(at, 1, '\\');
        return text;
    };
    const std::string d(1, platform::PathDelimiter), jd = inJson(d);
    const std::string link = platform::relativePath(platform::withoutTrailingDelimiter(run.out.dir()),
                                                    platform::withoutTrailingDelimiter(run.in.dir())) + d;
    const std::string jlink = inJson(link);
    const std::string size = std::to_string(1000000 + v2.size());
    run.outputName = "list.CSV";
    EXPECT_EQ(run.generate(run.in.dir()),
              "\xEF\xBB\xBF" "folder,file,artist,title,album,year,track,genre,album_artist,length_s,size_bytes,"
              "bitrate_kbps,sample_rate_hz,channels,vbr,link\r\n"
              ",b.mp3,\"Tom, \"\"Jerry\"\"\",'=1+1,Caf\xC3\xA9,,7,Rock,Band,62," + size + ",128,44100,joint_stereo,0," +
                  link + "b.mp3\r\n"
              "A" + d + "\xC3\xA9t\xC3\xA9,n.mp3,,,,,,,,,3000,,,,," + link + "A" + d + "\xC3\xA9t\xC3\xA9" + d + "n.mp3\r\n");
    run.outputName = "list.jsonl";
    run.settings.TagPriority = 2; // no tag's text
    EXPECT_EQ(run.generate(run.in.dir()),
              "{\"folder\":\"\",\"file\":\"b.mp3\",\"artist\":\"\",\"title\":\"\",\"album\":\"\",\"year\":\"\","
              "\"track\":\"\",\"genre\":\"\",\"album_artist\":\"\",\"length_s\":62,\"size_bytes\":" + size + ",\"bitrate_kbps\":128,"
              "\"sample_rate_hz\":44100,\"channels\":\"joint_stereo\",\"vbr\":false,\"link\":\"" + jlink + "b.mp3\"}\n"
              "{\"folder\":\"A" + jd + "\xC3\xA9t\xC3\xA9\",\"file\":\"n.mp3\",\"artist\":\"\",\"title\":\"\",\"album\":\"\",\"year\":\"\","
              "\"track\":\"\",\"genre\":\"\",\"album_artist\":\"\",\"length_s\":null,\"size_bytes\":3000,\"bitrate_kbps\":null,"
              "\"sample_rate_hz\":null,\"channels\":null,\"vbr\":null,\"link\":\"" + jlink + "A" + jd + "\xC3\xA9t\xC3\xA9" + jd + "n.mp3\"}\n");

    // A walk without files: the header row alone, or nothing.
    TempDir empty;
    run.outputName = "e.csv";
    EXPECT_EQ(run.generate(empty.dir()), "\xEF\xBB\xBF" "folder,file,artist,title,album,year,track,genre,album_artist,"
                                         "length_s,size_bytes,bitrate_kbps,sample_rate_hz,channels,vbr,link\r\n");
    run.outputName = "e.jsonl";
    EXPECT_EQ(run.generate(empty.dir()), "");
}

TEST(Rows, RecordValuesOnlyAnEditedFileHolds)
{
    RowRun run;
    run.columns({ciArtist, ciNone, ciAlbum});
    EXPECT_EQ(run.row("a.mp3", zeros(10)), "<tr>" + cell("") + "</tr>") << "a data row stops at the first empty slot";

    // An id the record's slots do not hold, even that of a column the options file may name.
    RowRun odd;
    odd.columns({ciFileName, ciFileSize, ciGenre});
    odd.settings.FileNameMode = 2;
    odd.settings.FileSizeUnit = 3;
    Id3v1Fields rock;
    rock.genre = 17;
    EXPECT_EQ(odd.row("a.mp3", cbrMillionBytes(id3v1Block(rock))), "<tr>" + cell("") + cell("") + cell("") + "</tr>");
}

TEST(Rows, TrackGenreAndAlbumArtistFollowTheTagPriority)
{
    Id3v1Fields v1;
    v1.track = 5;
    v1.genre = 140;
    const Bytes v2 = id3v2Tag(textFrame("TRCK", "3/12") + textFrame("TCON", "(17)") + textFrame("TPE2", "Band") +
                              zeros(16));
    const Bytes file = v2 + cbrMillionBytes(id3v1Block(v1));
    const std::vector<std::uint8_t> ids = {ciTrack, ciGenre, ciAlbumArtist};
    RowRun v2First;
    v2First.listed(ids);
    EXPECT_EQ(v2First.row("a.mp3", file), "<tr>" + cell("3/12") + cell("Rock") + cell("Band") + "</tr>");
    RowRun v1First;
    v1First.listed(ids);
    v1First.settings.TagPriority = tpID3v1First;
    EXPECT_EQ(v1First.row("a.mp3", file), "<tr>" + cell("5") + cell("Contemporary Christian") + cell("Band") + "</tr>");
    RowRun unknown;
    unknown.listed(ids);
    unknown.settings.TagPriority = 2;
    EXPECT_EQ(unknown.row("a.mp3", file), "<tr>" + cell("") + cell("") + cell("") + "</tr>");
    // ID3v1.0 has no track; a genre byte past the list names nothing.
    Id3v1Fields v10;
    v10.genre = 192;
    RowRun onlyV1;
    onlyV1.listed(ids);
    EXPECT_EQ(onlyV1.row("a.mp3", cbrMillionBytes(id3v1Block(v10))), "<tr>" + cell("") + cell("") + cell("") + "</tr>");
}

TEST(Rows, AudioColumnsNeedAValidFirstFrame)
{
    const auto row = [](const Bytes& file) {
        RowRun run;
        run.listed({ciBitRate, ciSampleRate, ciChannels, ciBitRateMode, ciLength});
        return run.row("a.mp3", file);
    };
    EXPECT_EQ(row(cbrMillionBytes()),
              "<tr>" + cell("128 kbit/s") + cell("44.1 kHz") + cell("Joint stereo") + cell("CBR") + cell("01:02") + "</tr>");
    // MPEG-2, 22,050 Hz, single channel; 1000 frames counted by Xing over 20,000 bytes.
    const Bytes mono2 = bytes({0xFF, 0xF3, 0x80, 0xC4});
    Bytes vbr = xingFrame(mono2, 208, 13, "Xing", 1, 1000) + frames(mono2, 208, 1);
    vbr.resize(20000);
    EXPECT_EQ(row(vbr), "<tr>" + cell("6 kbit/s") + cell("22.05 kHz") + cell("Mono") + cell("VBR") + cell("00:26") + "</tr>");
    EXPECT_EQ(row(zeros(5000)), "<tr>" + cell("") + cell("") + cell("") + cell("") + cell("") + "</tr>");
}

// While reads wait, a reader opens the files it takes ahead of their rows: each row is the one
// its own open gives, a file that could not be opened ahead fails at its turn, and those not
// read are closed.
TEST(Rows, FilesOpenedAheadGiveTheRowsOfTheirOwnOpen)
{
    TempDir in;
    Id3v1Fields v1;
    v1.title = "Short";
    in.write("a.mp3", str(id3v2Tag(textFrame("TIT2", "Tagged") + zeros(64)) + cbrMillionBytes()));
    in.write("b.mp3", str(frames(cbrHeader(), 417, 20) + id3v1Block(v1)));
    in.write("c.mp3", "");
    int error = 0;
    const auto folder = platform::Directory::open(in.dir(), error);
    ASSERT_TRUE(folder);

    const TGeneratorSettings settings = initialFormSettings();
    const PageColumns columns = pageColumns(settings, {}, englishColumnHeaders());
    const platform::LocaleSeparators separators = platform::localeSeparators();
    const RowSettings rows{settings, columns, separators};
    const std::vector<std::string> names = {"a.mp3", "b.mp3", "c.mp3", "gone.mp3", "a.mp3"};
    std::vector<std::string> own(names.size());
    RowMaker plain(rows);
    for (std::size_t i = 0; i < 3; ++i)
        plain.makeRow(*folder, names[i], own[i]);

    RowMaker ahead(rows);
    for (const std::string& name : names)
        ahead.openAhead(*folder, name);
    std::string row;
    for (std::size_t i = 0; i < 3; ++i) {
        ahead.makeRow(*folder, names[i], row);
        EXPECT_EQ(row, own[i]) << names[i];
    }
    EXPECT_THROW(ahead.makeRow(*folder, names[3], row), platform::FileOpenError);
    ahead.closeAhead();
    // Closed, not read: a file opened anew gives its row.
    ahead.makeRow(*folder, names[4], row);
    EXPECT_EQ(row, own[0]);
}

} // namespace

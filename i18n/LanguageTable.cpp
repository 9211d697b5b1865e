#include "i18n/LanguageTable.h"

#include <string>

namespace {

// The controls and held texts in string-index order. A control takes its texts at consecutive
// indices, in the order `texts` lists them: C its caption, H its hint, L the caption of its
// label (a labelled edit), a digit the drop-down or list item at that position (0-9, then a-z
// for 10-35), F and T the save dialog's filter and title, B the folder browser's caption.
struct Row {
    const char* name; // null for a held text
    const char* texts;
    QString& (*held)(HeldTexts& texts) = nullptr;
};

// A held text, named by where it lives in HeldTexts.
#define HELD(text) Row{nullptr, "", [](HeldTexts& t) -> QString& { return t.text; }}

constexpr Row rows[] = {
    // 1 to 19: the menus and the commands of the Main and Help menus
    {"Main1", "C"}, {"Settings1", "C"}, {"Help1", "C"}, {"acHelpContents", "CH"}, {"acAboutProgram", "CH"},
    {"acAboutAuthor", "CH"}, {"acTunesheetsHomepage", "CH"}, {"acInputDir", "CH"}, {"acOutputFile", "CH"},
    {"acGenerateList", "CH"}, {"acExit", "CH"},
    // 20 to 37: the items-order commands, the Settings menu
    {"acCopyAll", "H"}, {"acCopySelected", "H"}, {"acRemoveSelected", "H"}, {"acRemoveAll", "H"},
    {"acMoveUp", "H"}, {"acMoveDown", "H"}, {"acColors", "CH"}, {"acMainSettings", "CH"},
    {"acHTMLPSettings", "CH"}, {"acOrder", "CH"}, {"acLoadSettings", "CH"}, {"acSaveSettings", "CH"},
    // 38 to 55: the dialogs, the main settings page. The tag priority reads "2.3 first" on top:
    // its entries follow the stored byte (0 ID3v2 first, 1 ID3v1 first), not the texts' order.
    {"sdFile", "FT"}, {"bdDir", "B"}, {"lbledtInput", "LH"}, {"lbledtOutput", "LH"},
    {"chkIncludeSubdirectories", "CH"}, {"Label14", "C"}, {"cmbID3TagPriority", "10H"}, {"Label13", "C"},
    {"cmbAfterGenerate", "012H"},
    // 56 to 77: the HTML page settings
    {"chkDirOverTable", "CH"}, {"chkAllDirsInOneTable", "CH"}, {"chkWrap", "CH"}, {"Label1", "C"},
    {"cmbFileSizeIn", "012H"}, {"Label2", "C"}, {"cmbFileName", "01H"}, {"Label3", "C"},
    {"chklbActiveLinks", "012H"}, {"lbledtPageCaption", "LH"},
    // 78 to 91: the colours page
    {"Label4", "C"}, {"cbxPageBackground", "H"}, {"Label5", "C"}, {"cbxPageText", "H"}, {"Label8", "C"},
    {"cbxDirectoryName", "H"}, {"Label6", "C"}, {"cbxCellBackground", "H"}, {"Label7", "C"},
    {"cbxHeaderBackground", "H"}, {"Label9", "C"}, {"cbxActiveLink", "H"}, {"Label10", "C"},
    {"cbxMouseOverActiveLink", "H"},
    // 92 to 102: the items-order page
    {"Label11", "C"}, {"lbAvailable", "0123456H"}, {"Label12", "C"}, {"lbSelected", "H"},
    // 103 to 113: messages, the language command and its dialog
    HELD(MsgNoColumns), HELD(MsgNoInputDir), HELD(MsgShowPage), HELD(MsgItemSelected), HELD(TranslatedBy),
    {"acLanguage", "CH"}, HELD(MsgSelectLanguage), HELD(CaptionOK), HELD(CaptionCancel), HELD(MsgRestart),
    // 114 and up: what a library made for this program answers too
    HELD(RecentFilesCaption), HELD(RecentDirsCaption), HELD(RecentNone), HELD(ProgressLine),
    HELD(ProgressCancel), HELD(MsgCancelled),
    HELD(Browse.Title), HELD(Browse.OK), HELD(Browse.Cancel),
    HELD(Desktop.Help.Title), HELD(Desktop.Help.Back), HELD(Desktop.Help.Forward), HELD(Desktop.Help.Contents),
    HELD(Desktop.HelpMissing), HELD(Desktop.CannotShowPage), HELD(Desktop.CannotOpenAddress),
    HELD(Save.PathMissing), HELD(Save.ReadOnly), HELD(MsgSettingsKept), HELD(MsgUnknownError),
    // 134 to 154: "Custom..." and the colours' names
    HELD(ColourNames[0]), HELD(ColourNames[1]), HELD(ColourNames[2]), HELD(ColourNames[3]),
    HELD(ColourNames[4]), HELD(ColourNames[5]), HELD(ColourNames[6]), HELD(ColourNames[7]),
    HELD(ColourNames[8]), HELD(ColourNames[9]), HELD(ColourNames[10]), HELD(ColourNames[11]),
    HELD(ColourNames[12]), HELD(ColourNames[13]), HELD(ColourNames[14]), HELD(ColourNames[15]),
    HELD(ColourNames[16]), HELD(ColourNames[17]), HELD(ColourNames[18]), HELD(ColourNames[19]),
    HELD(ColourNames[20]),
    // 155 to 157
    HELD(MsgVisitHomepage), HELD(About.Version), HELD(About.Notice),
    // 158 to 164: the headers of the columns after the first seven, as the items of the list
    {"lbAvailable", "789abcd"},
    // 165
    HELD(MsgBadOption),
    // 166 to 175: the kind of page, the note after a long plain page, the library page's words
    {"lblPageKind", "C"}, {"cmbPageKind", "01H"}, HELD(MsgLibraryFaster), HELD(Library.Search),
    HELD(Library.Files), HELD(Library.Matches), HELD(Library.NoScript), HELD(Library.Printed),
    // 176 to 198: what failed and why, the language and path messages, two of Qt's texts
    HELD(Errors.CannotOpen), HELD(Errors.CannotCreate), HELD(Errors.ReadFailed), HELD(Errors.ReadBeyondEnd),
    HELD(Errors.DiskFull), HELD(Errors.System), HELD(Errors.Internal), HELD(Errors.NotFound),
    HELD(Errors.AccessDenied), HELD(Errors.NoSpace), HELD(Errors.ReadOnlyDisk), HELD(Errors.IsFolder),
    HELD(Errors.NameTooLong), HELD(Errors.InputOutput),
    HELD(MsgLanguageMissing), HELD(MsgLanguageFailed), HELD(MsgLanguageNotFound),
    HELD(Browse.PathLabel), HELD(Browse.NoSuchFolder), HELD(MsgPathTooLong), HELD(Qt.Folder),
    HELD(Qt.PickScreenColor), HELD(MsgSettingsRepaired),
    // 199 to 203: the legacy encoding, the kinds of output file the save dialog offers
    {"lblLegacyEncoding", "C"}, {"cmbLegacyEncoding", "H"}, HELD(OutputTypes.Page), HELD(OutputTypes.Csv),
    HELD(OutputTypes.JsonLines),
};
#undef HELD

constexpr LanguageTarget targetOf(int index, const char* name, char text)
{
    switch (text) {
    case 'C': return {index, name, TextKind::Caption, -1, nullptr};
    case 'H': return {index, name, TextKind::Hint, -1, nullptr};
    case 'L': return {index, name, TextKind::EditLabel, -1, nullptr};
    case 'F': return {index, name, TextKind::SaveFilter, -1, nullptr};
    case 'T': return {index, name, TextKind::SaveTitle, -1, nullptr};
    case 'B': return {index, name, TextKind::FolderCaption, -1, nullptr};
    default: break;
    }
    if (text >= '0' && text <= '9')
        return {index, name, TextKind::Item, text - '0', nullptr};
    if (text >= 'a' && text <= 'z')
        return {index, name, TextKind::Item, text - 'a' + 10, nullptr};
    throw "a language table row names a text it has no letter for"; // stops the build
}

constexpr int textCount()
{
    int count = 0;
    for (const Row& row : rows)
        count += row.held ? 1 : static_cast<int>(std::char_traits<char>::length(row.texts));
    return count;
}
// The table is addressed by position; a text left out or doubled would shift every later one.
static_assert(textCount() == LanguageTextCount, "the language table must list every index once");

constexpr std::array<LanguageTarget, LanguageTextCount> expanded()
{
    std::array<LanguageTarget, LanguageTextCount> targets{};
    int index = 0;
    for (const Row& row : rows) {
        if (row.held) {
            targets[index] = {index + 1, nullptr, TextKind::Held, -1, row.held};
            ++index;
        }
        for (const char* text = row.texts; *text; ++text, ++index)
            targets[index] = targetOf(index + 1, row.name, *text);
    }
    return targets;
}

constexpr std::array<LanguageTarget, LanguageTextCount> targets = expanded();

} // namespace

const std::array<LanguageTarget, LanguageTextCount>& languageTargets()
{
    return targets;
}

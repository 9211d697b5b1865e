#pragma once
// The translatable texts that live in no control: messages, the language dialog's captions and
// the texts of windows that exist only while they are shown. They start in English; a language
// library replaces them by their string index.
#include "desktop/DesktopServices.h"
#include "dialogs/DialogTexts.h"
#include "i18n/QtTranslation.h"

#include <QString>
#include <QStringList>

// "Custom..." and the names of the colours that the colour boxes offer, in their order.
QStringList englishColourNames();

// How the window words what failed: %1 is the file; the cause, when the system gave one,
// follows on a line of its own.
struct ErrorTexts {
    QString CannotOpen = QStringLiteral("Cannot open file %1");
    QString CannotCreate = QStringLiteral("Cannot create file %1");
    QString ReadFailed = QStringLiteral("The file %1 could not be read.");
    QString ReadBeyondEnd = QStringLiteral("The file %1 is shorter than it should be.");
    QString DiskFull = QStringLiteral("The disk is full: %1 could not be written.");
    QString System = QStringLiteral("Reading or writing %1 failed.");
    QString Internal = QStringLiteral("Internal error: a list was asked for an item it does not have.");
    // The causes, as the system reports them.
    QString NotFound = QStringLiteral("The file or folder does not exist.");
    QString AccessDenied = QStringLiteral("Access is denied.");
    QString NoSpace = QStringLiteral("The disk is full.");
    QString ReadOnlyDisk = QStringLiteral("The disk can only be read.");
    QString IsFolder = QStringLiteral("It is a folder.");
    QString NameTooLong = QStringLiteral("The name is too long.");
    QString InputOutput = QStringLiteral("The disk could not be read or written.");
};

struct HeldTexts {
    QString MsgNoColumns = QStringLiteral("Please, select some columns\rin 'Items Order' settings page!");      // 103
    QString MsgNoInputDir = QStringLiteral("Input directory doesn't exist.\rPlease select another one!");      // 104
    QString MsgShowPage = QStringLiteral("Page has been generated.\rDo You want to see it now?");              // 105
    QString MsgItemSelected = QStringLiteral("This item is already in selected items");                       // 106
    QString TranslatedBy = QStringLiteral("Translated by Korvan");                                            // 107
    QString MsgSelectLanguage = QStringLiteral("Please, select some language:");                              // 110
    QString CaptionOK = QStringLiteral("&OK");                                                                // 111
    QString CaptionCancel = QStringLiteral("&Cancel");                                                        // 112
    QString MsgRestart = QStringLiteral("You have changed language.\rSorry, but application need restart");   // 113

    QString RecentFilesCaption = QStringLiteral("Recent &output files");                                      // 114
    QString RecentDirsCaption = QStringLiteral("Recent input di&rectories");                                  // 115
    QString RecentNone = QStringLiteral("(none yet)");                                                        // 116
    QString ProgressLine = QStringLiteral("%1 files listed");                                                 // 117
    QString ProgressCancel = QStringLiteral("&Cancel");                                                       // 118
    QString MsgCancelled = QStringLiteral("Generation cancelled: the page was not written.");                 // 119
    TBrowseTexts Browse;                                                                                      // 120 to 122
    DesktopTexts Desktop;                                                                                     // 123 to 129
    TSaveDialogTexts Save;                                                                                    // 130, 131
    QString MsgSettingsKept = QStringLiteral("The file was kept as %1.");                                     // 132
    QString MsgUnknownError = QStringLiteral("Unknown error");                                                // 133
    QStringList ColourNames = englishColourNames();                                                           // 134 to 154
    QString MsgVisitHomepage = QStringLiteral("Visit %1 ?");                                                  // 155
    AboutTexts About;                                                                                         // 156, 157
    QString MsgBadOption = QStringLiteral("%1, line %2: %3 cannot be used; the default is used instead.");   // 165
    QString MsgLibraryFaster =                                                                                // 170
        QStringLiteral("%1 files: as a searchable library (HTML page settings), a list this long opens faster.");
    // The library page's own words; {0} and {1} stand for numbers.
    struct {                                                                                                  // 171 to 175
        QString Search = QStringLiteral("Search");
        QString Files = QStringLiteral("{0} files");
        QString Matches = QStringLiteral("{0} of {1} files");
        QString NoScript = QStringLiteral("Search, sort and the rest of the list need JavaScript; these are its first 200 files.");
        QString Printed = QStringLiteral("The first {0} of {1} files.");
    } Library;
    ErrorTexts Errors;                                                                                        // 176 to 189
    QString MsgLanguageMissing = QStringLiteral("The language library %1 is not beside the program, or is not one "
                                                "it can use.\rThe window is in English; you can choose a language "
                                                "with the Language command.");                               // 190
    QString MsgLanguageFailed = QStringLiteral("The language library %1 stopped tunesheet the last time it was "
                                               "loaded.\rIt is not loaded again; the window is in English. You can "
                                               "choose a language with the Language command.");              // 191
    QString MsgLanguageNotFound = QStringLiteral("Language not found");                                      // 192
    // Browse.PathLabel, Browse.NoSuchFolder                                                                  // 193, 194
    QString MsgPathTooLong = QStringLiteral("This path is longer than the 255 bytes a settings file holds, so it "
                                            "cannot be used:\r%1");                                          // 195
    QtTexts Qt;                                                                                               // 196, 197
    QString MsgSettingsRepaired = QStringLiteral("Some settings in %1 could not be used and now have their "
                                                 "defaults: %2.");                                           // 198
    // What the save dialog calls the kinds of output file.
    struct {                                                                                                  // 201 to 203
        QString Page = QStringLiteral("HTML page");
        QString Csv = QStringLiteral("CSV");
        QString JsonLines = QStringLiteral("JSON Lines");
    } OutputTypes;
};

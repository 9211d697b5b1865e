#pragma once
// The translatable texts that live in no control: messages, the language dialog's captions and
// the texts of windows that exist only while they are shown. They start in English; a language
// library replaces them by their string index.
#include "desktop/DesktopServices.h"
#include "dialogs/DialogTexts.h"

#include <QString>
#include <QStringList>

// "Custom..." and the names of the colours that the colour boxes offer, in their order.
QStringList englishColourNames();

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
};

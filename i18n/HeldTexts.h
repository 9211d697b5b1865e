#pragma once
// The translatable texts that live in no control: messages and the language dialog's captions.
// They start in English; a language library replaces them by their string index.
#include <QString>

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
    QString MsgSettingsKept = QStringLiteral("The file was kept as %1.");
};

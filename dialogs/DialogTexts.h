#pragma once
// What the dialogs say in their own words, which their owner may translate. In a message, %1 is
// the file concerned and a carriage return separates the lines.
#include <QString>

// The folder browser's window.
struct TBrowseTexts {
    QString Title = QStringLiteral("Browse for Folder");
    QString OK = QStringLiteral("OK");
    QString Cancel = QStringLiteral("Cancel");
    QString PathLabel = QStringLiteral("&Folder:");
    QString NoSuchFolder = QStringLiteral("The folder %1 does not exist.");
};

// The save dialog's refusals.
struct TSaveDialogTexts {
    QString PathMissing = QStringLiteral("%1\rPath does not exist.\rCheck the path and try again.");
    QString ReadOnly = QStringLiteral("%1\rThis file is set to read-only.\rTry again with a different file name.");
};

// The about box; %1 is the version.
struct AboutTexts {
    QString Version = QStringLiteral("Version %1");
    QString Notice = QStringLiteral("Your MP3 files as one web page.");
};

#pragma once
// A language library runs code of its own inside the program. While the program is inside one,
// a marker file names it; a start that finds the marker knows that the last run ended there
// (it crashed, or hung and was ended) and does not call that library again by itself.
#include <QString>

class LanguageMarker {
public:
    // Leaves the marker naming `library` in `markerFile`; an empty `markerFile` leaves none.
    // A marker that cannot be written does not stop the library from being used.
    LanguageMarker(const QString& markerFile, const QString& library);
    // Removes the marker: the program has come back from the library.
    ~LanguageMarker();
    LanguageMarker(const LanguageMarker&) = delete;
    LanguageMarker& operator=(const LanguageMarker&) = delete;

private:
    QString file_;
};

// The library a marker left by an earlier run names (empty when there is none), and the marker
// removed.
QString takeUnfinishedLanguage(const QString& markerFile);

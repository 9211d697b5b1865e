#pragma once
// What each string index of a language library labels: an object of the main window, found by
// its objectName, and which of its texts; or one of the held texts.
#include "i18n/HeldTexts.h"
#include "lang/LanguageAbi.h"

#include <array>

enum class TextKind {
    Caption,       // an action's, label's or button's text; a menu's or group box's title
    Hint,          // the hint shown in the status bar (status tip)
    EditLabel,     // the caption of the label attached to a labelled edit
    Item,          // the drop-down or list item at `item`
    SaveFilter,    // the save dialog's filter ("description|patterns|...")
    SaveTitle,     // the save dialog's title
    FolderCaption, // the folder browser's caption
    Held,          // one of the held texts
};

struct LanguageTarget {
    int index;
    const char* objectName; // null for a held text
    TextKind kind;
    int item;                         // Item only
    QString& (*held)(HeldTexts& texts); // Held only: where the text lives
};

// The indices every language library answers; a library made for this program answers the
// ones after them too, an older one gives "<language error>" there.
constexpr int OriginalTextCount = LanguageOriginalStringCount;
constexpr int LanguageTextCount = LanguageStringCount;

// Every string index from 1 to LanguageTextCount, in index order (entry n is index n + 1).
const std::array<LanguageTarget, LanguageTextCount>& languageTargets();

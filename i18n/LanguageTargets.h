#pragma once
// Reading and writing the text that a target of the language table shows: the getter and setter
// behind the table, by the kind of text each target is.
#include "i18n/HeldTexts.h"
#include "i18n/LanguageTable.h"

#include <QString>

class QObject;

// The caption of a menu, group box, action, label or button; raises for any other object.
QString captionOf(QObject* object);
void setCaptionOf(QObject* object, const QString& text);

// The text a target shows now (what a language library would replace).
QString languageTargetText(QObject* form, const HeldTexts& texts, const LanguageTarget& target);
// Puts `text` on a target; raises when `form` has no such object or list item.
void setLanguageTargetText(QObject* form, HeldTexts& texts, const LanguageTarget& target, const QString& text);

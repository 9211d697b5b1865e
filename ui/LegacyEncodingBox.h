#pragma once
// The drop-down of legacy encodings on the HTML page settings page: each encoding by its usual
// name, the code page of the language the window speaks first.
#include "platform/LegacyEncoding.h"

class QComboBox;

// Fills `box` with every legacy encoding, the one of Windows code page `languageCodePage` first
// (0, or a code page that is none of them: the usual order), keeping the encoding selected.
void fillLegacyEncodings(QComboBox& box, unsigned languageCodePage);

// The encoding selected; ISO-8859-1 while none is.
platform::LegacyEncoding selectedLegacyEncoding(const QComboBox& box);
void selectLegacyEncoding(QComboBox& box, platform::LegacyEncoding encoding);

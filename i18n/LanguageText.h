#pragma once
// What a language library's answers mean: the code page its texts are in and one answer of
// GetMyStr as text.
#include "platform/VersionInfo.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

// The buffer the program hands GetMyStr: far larger than the 256 bytes a library may write, so
// that one which writes more does no harm.
constexpr std::size_t LanguageAnswerSize = 64 * 1024;

// The code page that the library's translation entry names, when Qt can decode it;
// Windows-1252 otherwise (no entry, or a code page unknown here).
QByteArray languageCodePage(const platform::VersionInfo& info);

// An answer of GetMyStr: a length byte and that many characters in `codePage`; nothing after
// them is read, whatever the library left there.
QString decodeLanguageText(const unsigned char* answer, const QByteArray& codePage);

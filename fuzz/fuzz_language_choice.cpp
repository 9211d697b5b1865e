// The ".language" file, and the marker beside it that is read the same way, over any bytes:
// line 1 exactly as written; and what the program writes reads back the same.
#include "i18n/LanguageChoice.h"
#include "i18n/LanguageMarker.h"
#include "check.h"
#include "MemoryFile.h"
#include "Scratch.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString file = QString::fromStdString(memoryFile(data, size));
    const QString line = readLanguageChoice(file);
    const auto* text = reinterpret_cast<const char*>(data);
    const std::size_t end = std::find_if(text, text + size, [](char c) { return c == '\r' || c == '\n'; }) - text;
    FUZZ_CHECK(line == QString::fromLocal8Bit(text, static_cast<qsizetype>(std::min<std::size_t>(end, 64 * 1024))));

    const QString folder = QString::fromStdString(scratchFolder());
    const QString recorded = recordedLanguageLibrary(file, folder);
    FUZZ_CHECK(recorded.isEmpty() || recorded == line);
    // A library is named by its file name alone: nothing that leads out of the folder.
    FUZZ_CHECK(!recorded.contains(QLatin1Char('/')) && !recorded.contains(QLatin1Char('\\')) &&
               !recorded.contains(QStringLiteral("..")));

    const QString written = folder + QStringLiteral("tunesheet.language");
    saveLanguageChoice(line, written);
    FUZZ_CHECK(line.isEmpty() || readLanguageChoice(written) == line);
    const QString marker = folder + QStringLiteral("tunesheet.language-loading");
    { const LanguageMarker inside(marker, line); }
    { const LanguageMarker inside(marker, line); FUZZ_CHECK(takeUnfinishedLanguage(marker) == line); }
    FUZZ_CHECK(takeUnfinishedLanguage(marker).isEmpty());
    return 0;
}

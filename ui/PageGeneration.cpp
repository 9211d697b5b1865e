#include "ui/PageGeneration.h"

#include "ui/SettingsTransfer.h"

#include "desktop/LocalText.h"
#include "generator/CellFormat.h"
#include "i18n/LanguageSession.h"

namespace {

// The library page's words and language, as the window speaks.
LibraryPageTexts libraryTexts(const LanguageSession& language)
{
    const auto& words = language.Texts.Library;
    LibraryPageTexts texts;
    texts.language = language.pageLanguage().toStdString();
    texts.search = words.Search.toStdString();
    texts.files = words.Files.toStdString();
    texts.matches = words.Matches.toStdString();
    texts.noScript = words.NoScript.toStdString();
    texts.printed = words.Printed.toStdString();
    return texts;
}

} // namespace

void prepareGeneration(TTunesheet& generation, const TGeneratorSettings& settings, const PageOptions& options,
                       const Ui::TfrmMain& form, const LanguageSession& language)
{
    generation.Settings = settings;
    generation.Options = options;
    generation.ColumnNames = columnHeadersOf(form);
    generation.PageTexts = libraryTexts(language);
}

QString noticeAfter(const GenerationOutcome& outcome, const PageOptions& options, const HeldTexts& texts)
{
    if (outcome.end == GenerationEnd::Cancelled)
        return texts.MsgCancelled;
    // A long plain page opens slowly: the library page would not.
    if (outcome.end == GenerationEnd::Written && options.page == PageKind::Plain &&
        outcome.filesListed > PlainPageFilesAdvised)
        return texts.MsgLibraryFaster.arg(fromLocalBytes(formatCount(outcome.filesListed, platform::localeSeparators())));
    return QString();
}

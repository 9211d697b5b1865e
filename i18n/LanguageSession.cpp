#include "i18n/LanguageSession.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "i18n/LanguageMarker.h"
#include "i18n/LanguageTargets.h"
#include "i18n/LanguageText.h"
#include "i18n/QtTranslation.h"
#include "lang/LanguageAbi.h"
#include "platform/DynamicLibrary.h"
#include "platform/VersionInfo.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QTranslator>

#include <algorithm>
#include <vector>

namespace {

const QString LanguageError = QStringLiteral("<language error>");

// What a language library says: its texts in index order, decoded, and the language its
// version information names (0 when it names none).
struct LibraryTexts {
    QStringList texts;
    std::uint16_t language = 0;
    unsigned codePage = 0; // the Windows code page its texts are in
};

// Binds the library, asks it for every text of the language table in index order and lets it
// go again; false when it cannot be loaded, has no GetMyStr or is not made for this interface.
bool readLanguageLibrary(const QString& file, LibraryTexts& out)
{
    platform::DynamicLibrary library;
    if (!library.load(toLocalBytes(file)))
        return false;
    auto GetMyStr = reinterpret_cast<GetMyStrFunction>(library.symbol(TUNESHEET_GETMYSTR_NAME));
    if (!GetMyStr || !isLanguageLibrary(library.path()))
        return false;
    platform::VersionInfo info;
    if (!platform::readVersionInfo(library.path(), info))
        info = platform::VersionInfo();
    const QByteArray codePage = languageCodePage(info);
    out.language = info.hasTranslation ? info.language : 0;
    out.codePage = info.hasTranslation ? info.codePage : 1252;
    std::vector<unsigned char> answer(LanguageAnswerSize);
    for (const LanguageTarget& target : languageTargets()) {
        std::fill(answer.begin(), answer.end(), 0);
        GetMyStr(target.index, answer.data());
        out.texts << decodeLanguageText(answer.data(), codePage);
    }
    return true;
}

// The column each entry of lbSelected stands for, found by its text in lbAvailable as the
// column mapping does (letter case aside); -1 for an entry without a match.
std::vector<int> selectedColumns(QObject* form)
{
    std::vector<int> columns;
    auto* available = form->findChild<QListWidget*>(QStringLiteral("lbAvailable"));
    auto* selected = form->findChild<QListWidget*>(QStringLiteral("lbSelected"));
    if (!available || !selected)
        return columns;
    for (int i = 0; i < selected->count(); ++i) {
        int column = -1;
        for (int j = 0; j < available->count() && column < 0; ++j)
            if (available->item(j)->text().compare(selected->item(i)->text(), Qt::CaseInsensitive) == 0)
                column = j;
        columns.push_back(column);
    }
    return columns;
}

void relabelSelectedColumns(QObject* form, const std::vector<int>& columns)
{
    auto* available = form->findChild<QListWidget*>(QStringLiteral("lbAvailable"));
    auto* selected = form->findChild<QListWidget*>(QStringLiteral("lbSelected"));
    if (!available || !selected)
        return;
    for (int i = 0; i < selected->count() && i < static_cast<int>(columns.size()); ++i)
        if (columns[i] >= 0 && columns[i] < available->count())
            selected->item(i)->setText(available->item(columns[i])->text());
}

} // namespace

LanguageSession::LanguageSession() = default;

LanguageSession::~LanguageSession()
{
    followWithQt(QString());
}

bool LanguageSession::ChangeLanguage(QWidget* form)
{
    LibraryTexts library;
    bool read = false;
    {
        const LanguageMarker inside(markerFile_, LanguageLibrary);
        read = readLanguageLibrary(LanguageLibrary, library);
    }
    if (!read) {
        DesktopServices::instance().message(form, QMessageBox::NoIcon, Texts.MsgLanguageNotFound);
        return false;
    }
    const QString name = qtLanguageName(library.language);
    followWithQt(name);
    codePage_ = library.codePage;
    pageLanguage_ = name.isEmpty() ? QStringLiteral("en") : QString(name).replace(QLatin1Char('_'), QLatin1Char('-'));

    // The four drop-down lists keep the entry the user had selected.
    std::vector<std::pair<QComboBox*, int>> selections;
    for (const char* name : {"cmbID3TagPriority", "cmbAfterGenerate", "cmbFileSizeIn", "cmbFileName", "cmbPageKind"})
        if (auto* combo = form->findChild<QComboBox*>(QLatin1String(name)))
            selections.emplace_back(combo, combo->currentIndex());
    const std::vector<int> columns = selectedColumns(form);

    const HeldTexts english;
    int n = 0;
    for (const LanguageTarget& target : languageTargets()) {
        QString text = library.texts[n++];
        // An older library knows only the original texts.
        if (target.index > OriginalTextCount && text == LanguageError)
            text = languageTargetText(form, english, target);
        setLanguageTargetText(form, Texts, target, text);
    }

    for (auto& [combo, index] : selections)
        combo->setCurrentIndex(index);
    relabelSelectedColumns(form, columns);
    return true;
}

void LanguageSession::followWithQt(const QString& language)
{
    if (language == qtLanguage_)
        return;
    if (qtTranslator_) {
        QCoreApplication::removeTranslator(qtTranslator_.get());
        qtTranslator_.reset();
    }
    qtLanguage_.clear();
    auto translator = qtTranslation(language, &Texts.Qt);
    if (translator && QCoreApplication::installTranslator(translator.get())) {
        qtTranslator_ = std::move(translator);
        qtLanguage_ = language;
    }
}

void LanguageSession::applyRecorded(QWidget* form, const QString& choiceFile)
{
    // The library is loaded from the executable's folder, so it is looked for there.
    QString refused;
    LanguageLibrary = recordedLanguageLibrary(choiceFile, executableFolder(), &refused);
    if (!refused.isEmpty()) {
        // Said once: the choice is forgotten, and the user may choose a language again.
        QFile::remove(choiceFile);
        DesktopServices::instance().message(form, QMessageBox::Warning, Texts.MsgLanguageMissing.arg(refused));
    }
    const QString failed = takeUnfinishedLanguage(markerFile_);
    if (!failed.isEmpty()) {
        // Recorded, it would stop every start from now on; the user may choose it again.
        if (readLanguageChoice(choiceFile) == failed)
            QFile::remove(choiceFile);
        if (LanguageLibrary == failed)
            LanguageLibrary.clear();
        DesktopServices::instance().message(form, QMessageBox::Warning, Texts.MsgLanguageFailed.arg(failed));
    }
    if (!LanguageLibrary.isEmpty())
        ChangeLanguage(form);
}

void LanguageSession::saveChoice(const QString& choiceFile) const
{
    saveLanguageChoice(LanguageLibrary, choiceFile);
}

void LanguageSession::switchToSlovak(QWidget* form)
{
    DesktopServices::instance().message(form, QMessageBox::NoIcon, QStringLiteral("Skusim nahrat slovak.dll"));
    LanguageLibrary = QStringLiteral("slovak.dll");
    ChangeLanguage(form);
}

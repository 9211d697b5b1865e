#include "i18n/LanguageCommand.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "i18n/LanguageChoice.h"
#include "i18n/language.h"
#include "platform/Path.h"
#include "platform/VersionInfo.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QWidget>

namespace {

// Upper-cases ASCII letters only, as the comparison of library names does.
QString asciiUpper(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return out;
}

TKRVDirScanner* dsMainOf(QWidget* form)
{
    auto* scanner = form->findChild<TKRVDirScanner*>(QStringLiteral("dsMain"));
    if (!scanner) {
        scanner = new TKRVDirScanner(form);
        scanner->setObjectName(QStringLiteral("dsMain"));
    }
    return scanner;
}

} // namespace

void dsMainGetFileList(QComboBox* cbLanguage, const TFileDirInfoArray& List)
{
    for (const TFileDirInfo& info : List) {
        const std::string path = toLocalBytes(info.FullName);
        const QString name = fromLocalBytes(platform::extractFileName(path));
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const QString extension = dot < 0 ? QString() : name.mid(dot);
        if (asciiUpper(extension) != QLatin1String(".DLL"))
            continue;
        // Libraries are made for the interface, whichever version of the program made them.
        if (!isLanguageLibrary(path))
            continue;
        cbLanguage->addItem(name);
    }
}

void runLanguageCommand(QWidget* form, LanguageSession& language, const QString& folder)
{
    const HeldTexts& texts = language.Texts;
    QString& LanguageLibrary = language.LanguageLibrary;
    TfrmLanguage* dialog = TfrmLanguage::instance();
    TKRVDirScanner* dsMain = dsMainOf(form);
    dsMain->Recursive = false;
    dsMain->Directory = folder;
    dsMain->OnGetFileList = [dialog](TKRVDirScanner*, const TFileDirInfoArray& List) {
        dsMainGetFileList(dialog->cbLanguage(), List);
    };

    const auto* acLanguage = form->findChild<QAction*>(QStringLiteral("acLanguage"));
    // The caption without the access key that the menu gives it.
    dialog->setWindowTitle(acLanguage ? acLanguage->iconText() : QStringLiteral("Language"));
    dialog->gbMain()->setTitle(texts.MsgSelectLanguage);
    dialog->btnOK()->setText(texts.CaptionOK);
    dialog->btnCancel()->setText(texts.CaptionCancel);

    dialog->cbLanguage()->clear();
    dsMain->Scan();
    dialog->selectLibrary(LanguageLibrary.isEmpty() ? QStringLiteral("english.dll") : LanguageLibrary);

    if (dialog->exec() != QDialog::Accepted)
        return;
    const QString chosen = dialog->chosenLibrary();
    if (chosen.isEmpty() || asciiUpper(chosen) == asciiUpper(LanguageLibrary))
        return;
    DesktopServices::instance().message(form, QMessageBox::Information, texts.MsgRestart, QMessageBox::Ok);
    LanguageLibrary = chosen;
    form->close();
}

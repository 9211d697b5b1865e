// The main window carries every target of the language table under its name, with the
// English text that the English language library gives it.
#include "i18n/LanguageTargets.h"
#include "i18n/LanguageTable.h"
#include "ui/unMain.h"

#include "ui/FakeDesktop.h"
#include "ui/WindowFixture.h"

#include <filesystem>

class LanguageTargetsTest : public QObject {
    Q_OBJECT
private slots:
    void everyTargetIsThereAndTheEnglishLibraryChangesNoText()
    {
        if (!std::filesystem::exists(TUNESHEET_BIN_DIR "/english.dll"))
            QSKIP("the English language library is not built");
        FakeDesktop desktop;
        WindowFixture f;
        QStringList before;
        for (const LanguageTarget& target : languageTargets())
            before << languageTargetText(f.window.get(), f.window->Language().Texts, target);
        f.window->Language().LanguageLibrary = QStringLiteral("english.dll");
        QVERIFY(f.window->ChangeLanguage());
        QVERIFY(desktop.messages.empty());
        int index = 0;
        for (const LanguageTarget& target : languageTargets()) {
            const QString after = languageTargetText(f.window.get(), f.window->Language().Texts, target);
            QVERIFY2(after == before[index], qPrintable(QStringLiteral("%1: %2 / %3").arg(target.index).arg(before[index], after)));
            ++index;
        }
    }

    void aTranslationStillFitsOnceTheWindowIsMeasuredAgain()
    {
        if (!std::filesystem::exists(TUNESHEET_BIN_DIR "/slovak.dll"))
            QSKIP("the Slovak language library is not built");
        FakeDesktop desktop;
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        // The window system reports the first size a moment later; a late report would undo
        // the new size.
        QTRY_COMPARE(f.window->size(), f.window->maximumSize());
        f.window->Language().LanguageLibrary = QStringLiteral("slovak.dll");
        QVERIFY(f.window->ChangeLanguage());
        QTRY_COMPARE(f.window->size(), f.window->maximumSize());
        QCOMPARE(f.cutTexts(), QStringList());
    }
};

QTEST_MAIN(LanguageTargetsTest)
#include "language_targets_test.moc"

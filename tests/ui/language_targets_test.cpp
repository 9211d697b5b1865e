// The main window carries every target of the language table under its name, with the
// English text that the English language library gives it.
#include "i18n/LanguageTargets.h"
#include "i18n/LanguageTable.h"
#include "generator/Columns.h"
#include "ui/unMain.h"

#include "desktop/FakeDesktop.h"
#include "ui/WindowFixture.h"

#include <QScreen>

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

    // A column's language text is the one that labels its item of the list of all columns.
    void everyColumnHeaderIsTranslatedByItsLanguageText()
    {
        for (const ColumnKind& column : columnKinds()) {
            const LanguageTarget& target = languageTargets()[static_cast<std::size_t>(column.languageIndex - 1)];
            QCOMPARE(target.kind, TextKind::Item);
            QCOMPARE(QByteArray(target.objectName), QByteArray("lbAvailable"));
            QCOMPARE(target.item, column.id - 1);
        }
    }

    void aTranslationStillFitsOnceTheWindowIsMeasuredAgain()
    {
        if (!std::filesystem::exists(TUNESHEET_BIN_DIR "/slovak.dll"))
            QSKIP("the Slovak language library is not built");
        FakeDesktop desktop;
        WindowFixture f;
        QVERIFY(f.show(false));
        // The window system reports the first size a moment later; a late report would undo
        // the new size.
        QTRY_COMPARE(f.window->size(), f.window->maximumSize());
        f.window->Language().LanguageLibrary = QStringLiteral("slovak.dll");
        QVERIFY(f.window->ChangeLanguage());
        QTRY_COMPARE(f.window->size(), f.window->maximumSize());
        QCOMPARE(f.cutTexts(), QStringList());
    }

    // Every text as long as a library may make it (255 characters).
    void longestTextsStillLeaveTheWindowOnTheScreen()
    {
        FakeDesktop desktop;
        WindowFixture f;
        QVERIFY(f.show(false));
        f.window->Language().LanguageLibrary = QStringLiteral(TUNESHEET_TEST_LIBS "/long.dll");
        QVERIFY(f.window->ChangeLanguage());
        QTRY_COMPARE(f.window->size(), f.window->maximumSize());
        const QRect screen = f.window->screen()->availableGeometry();
        QVERIFY2(screen.contains(f.window->frameGeometry()), qPrintable(QStringLiteral("%1x%2 on %3x%4")
                     .arg(f.window->width()).arg(f.window->height()).arg(screen.width()).arg(screen.height())));
        for (const char* page : {"acMainSettings", "acHTMLPSettings", "acColors", "acOrder"}) {
            f.action(page)->trigger();
            f.idle();
            QWidget* shown = f.window->centralWidget()->childAt(5, 5);
            while (shown && !shown->objectName().startsWith(QStringLiteral("Panel")))
                shown = shown->parentWidget();
            QVERIFY(shown);
            for (QWidget* w : shown->findChildren<QWidget*>())
                if (w->isVisible() && !w->isWindow())
                    QVERIFY2(shown->rect().contains(QRect(w->mapTo(shown, QPoint(0, 0)), w->size())),
                             qPrintable(w->objectName()));
        }
        // A shorter language gives the texts back whole.
        f.window->Language().LanguageLibrary = QStringLiteral("english.dll");
        QVERIFY(f.window->ChangeLanguage());
        QCOMPARE(f.cutTexts(), QStringList());
        QCOMPARE(f.child<QLabel>("Label14")->text(), QStringLiteral("ID3 Tag &Priority:"));
    }
};

QTEST_MAIN(LanguageTargetsTest)
#include "language_targets_test.moc"

#pragma once
// A main window for one test, keeping its own files in a temporary folder.
#include "ui/AccessKeys.h"
#include "ui/unMain.h"

#include "common/TempDir.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QEventLoop>
#include <QTimer>
#include <QTest>

#include <memory>

struct WindowFixture {
    TempDir tmp;
    std::unique_ptr<TfrmMain> window;

    WindowFixture() { restart(); }

    // A new window over the same files, as the next start of the program.
    void restart()
    {
        window.reset();
        window = std::make_unique<TfrmMain>(nullptr, tmp.path("tunesheet"));
    }
    std::string settingsFile() const { return tmp.path("tunesheet.settings"); }

    // Shows the window; true once it is on screen (and, with `active`, has the keyboard).
    bool show(bool active = true) const
    {
        window->show();
        return active ? QTest::qWaitForWindowActive(window.get()) : QTest::qWaitForWindowExposed(window.get());
    }

    template <class T>
    T* child(const char* name) const
    {
        return window->findChild<T*>(QLatin1String(name));
    }
    QAction* action(const char* name) const { return child<QAction>(name); }

    // The labels, buttons and lists of every page that are smaller than their texts need,
    // and the tool bar buttons pushed out of their bar.
    QStringList cutTexts() const
    {
        QStringList cut;
        for (const char* page : {"acMainSettings", "acHTMLPSettings", "acColors", "acOrder"}) {
            action(page)->trigger();
            idle(); // as the user sees it once the page has settled
            for (QWidget* w : window->findChildren<QWidget*>()) {
                if (!w->isVisible() || !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                                         qobject_cast<QComboBox*>(w)))
                    continue;
                const QSize needed = w->minimumSizeHint();
                if (w->width() < needed.width() || w->height() < needed.height())
                    cut << w->objectName() + QChar(' ') + w->property("text").toString();
            }
        }
        for (QToolBar* bar : window->findChildren<QToolBar*>())
            for (QAction* a : bar->actions())
                if (!a->isSeparator() && !bar->widgetForAction(a)->isVisible())
                    cut << a->objectName();
        return cut;
    }

    // On every page: two controls, or a control and a menu title, that share an access letter;
    // two items of one menu that do; and a menu that Alt and its letter does not open at the
    // first press. The window must be shown and active.
    QStringList accessKeyProblems() const
    {
        QStringList problems;
        const auto claim = [&problems](QMap<QChar, QString>& keys, const QString& text) {
            // Qt underlines the letter after every "&"; only the first answers Alt.
            if (QString(text).remove(QStringLiteral("&&")).count(QLatin1Char('&')) > 1)
                problems << QStringLiteral("more than one letter underlined: ") + text;
            const QChar key = accessKeyOf(text);
            if (key.isNull())
                return;
            if (keys.contains(key))
                problems << keys[key] + QStringLiteral(" / ") + text;
            keys[key] = text;
        };
        const QList<QAction*> titles = child<QMenuBar>("mmenuMain")->actions();
        for (const char* page : {"acMainSettings", "acHTMLPSettings", "acColors", "acOrder"}) {
            action(page)->trigger();
            QMap<QChar, QString> keys;
            for (QAction* title : titles)
                claim(keys, title->text());
            for (QWidget* w : window->findChildren<QWidget*>()) {
                auto* label = qobject_cast<QLabel*>(w);
                if (w->isVisible() && ((label && label->buddy()) || qobject_cast<QAbstractButton*>(w)))
                    claim(keys, w->property("text").toString());
            }
            for (QAction* title : titles) {
                const QKeySequence alt = QKeySequence::mnemonic(title->text());
                QTest::keyClick(window.get(), Qt::Key(alt[0].key()), alt[0].keyboardModifiers());
                if (QApplication::activePopupWidget() != title->menu())
                    problems << QStringLiteral("%1 on %2 does not open %3").arg(alt.toString(), page, title->text());
                if (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
            }
        }
        for (QAction* title : titles) {
            QMap<QChar, QString> keys;
            for (QAction* item : title->menu()->actions())
                claim(keys, item->text());
        }
        return problems;
    }

    // Lets the program become idle, so that enable rules and the status line run as they do
    // between two user inputs. (QTest::qWait never blocks, so it never makes the program idle.)
    static void idle()
    {
        QEventLoop loop;
        QTimer::singleShot(30, &loop, &QEventLoop::quit);
        loop.exec();
    }
};

#pragma once
// A window that has every object the language table names, for the language tests.
#include "dialogs/BrowsDlg.h"
#include "dialogs/SaveDialog.h"
#include "generator/Columns.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>

// Built the way the main window builds them, with the English texts.
class TestForm : public QWidget {
public:
    explicit TestForm(int fileNameItems = 2)
    {
        auto* layout = new QVBoxLayout(this);
        auto* bar = new QMenuBar(this);
        layout->addWidget(bar);
        for (auto [name, title] : {std::pair{"Main1", "Main"}, {"Settings1", "Settings"}, {"Help1", "Help"}}) {
            QMenu* menu = bar->addMenu(QString::fromLatin1(title));
            menu->setObjectName(QLatin1String(name));
        }
        for (const char* name : {"acHelpContents", "acAboutProgram", "acAboutAuthor", "acTunesheetsHomepage",
                                 "acInputDir", "acOutputFile", "acGenerateList", "acExit", "acCopyAll",
                                 "acCopySelected", "acRemoveSelected", "acRemoveAll", "acMoveUp", "acMoveDown",
                                 "acColors", "acMainSettings", "acHTMLPSettings", "acOrder", "acLoadSettings",
                                 "acSaveSettings", "acLanguage"}) {
            auto* action = new QAction(QLatin1String(name), this);
            action->setObjectName(QLatin1String(name));
            action->setStatusTip(QStringLiteral("hint of ") + QLatin1String(name));
        }
        // The glyph buttons of the items-order page show their hint as a tool tip too.
        auto* copyAll = findChild<QAction*>(QStringLiteral("acCopyAll"));
        copyAll->setToolTip(copyAll->statusTip());
        exitButton = new QToolButton(this);
        exitButton->setDefaultAction(findChild<QAction*>(QStringLiteral("acExit")));
        copyAllButton = new QToolButton(this);
        copyAllButton->setDefaultAction(copyAll);

        auto* save = new TSaveDialog(this);
        save->setObjectName(QStringLiteral("sdFile"));
        save->setFilter(QStringLiteral("HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"));
        auto* browse = new TBrowseDialog(this);
        browse->setObjectName(QStringLiteral("bdDir"));

        for (const char* name : {"lbledtInput", "lbledtOutput", "lbledtPageCaption"}) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QLatin1String(name));
            auto* label = new QLabel(QStringLiteral("label"), this);
            label->setObjectName(QLatin1String(name) + QStringLiteral("Label"));
            label->setBuddy(edit);
        }
        for (const char* name : {"chkIncludeSubdirectories", "chkDirOverTable", "chkAllDirsInOneTable", "chkWrap"})
            (new QCheckBox(QLatin1String(name), this))->setObjectName(QLatin1String(name));
        for (int i = 1; i <= 14; ++i)
            (new QLabel(QStringLiteral("label"), this))->setObjectName(QStringLiteral("Label%1").arg(i));
        (new QLabel(QStringLiteral("label"), this))->setObjectName(QStringLiteral("lblPageKind"));
        (new QLabel(QStringLiteral("label"), this))->setObjectName(QStringLiteral("lblLegacyEncoding"));
        combo("cmbID3TagPriority", {"Ver.2.3 first, then ver.1.1", "Ver.1.1 first, then ver.2.3"});
        combo("cmbAfterGenerate", {"Show the page", "Don't show the page", "Ask me to show the page"});
        combo("cmbFileSizeIn", {"Bytes (B)", "KiloBytes (kB)", "MegaBytes (MB)"});
        combo("cmbFileName", QStringList{"Only file names", "File names with full path"}.mid(0, fileNameItems));
        combo("cmbPageKind", {"Plain table", "Searchable library"});
        combo("cmbLegacyEncoding", {"ISO-8859-1", "windows-1250"});
        for (const char* name : {"cbxPageBackground", "cbxPageText", "cbxDirectoryName", "cbxCellBackground",
                                 "cbxHeaderBackground", "cbxActiveLink", "cbxMouseOverActiveLink"})
            combo(name, {"Black", "White"});
        list("chklbActiveLinks", {"Artist name", "Song name", "File name"});
        for (int i = 0; i < 3; ++i)
            list("chklbActiveLinks")->item(i)->setCheckState(Qt::Unchecked);
        QStringList columns;
        for (const ColumnKind& column : columnKinds())
            columns << QString::fromUtf8(column.englishHeader);
        list("lbAvailable", columns);
        list("lbSelected", {});
    }

    QComboBox* combo(const char* name, const QStringList& items = {}) { return withItems<QComboBox>(name, items); }
    QListWidget* list(const char* name, const QStringList& items = {}) { return withItems<QListWidget>(name, items); }
    // The list named `name`, made with `items` when there is none yet.
    template <class List>
    List* withItems(const char* name, const QStringList& items)
    {
        auto* list = findChild<List*>(QLatin1String(name));
        if (!list) {
            list = new List(this);
            list->setObjectName(QLatin1String(name));
            list->addItems(items);
        }
        return list;
    }
    QString action(const char* name) { return findChild<QAction*>(QLatin1String(name))->text(); }
    QString label(const char* name) { return findChild<QLabel*>(QLatin1String(name))->text(); }

    QToolButton* exitButton = nullptr;
    QToolButton* copyAllButton = nullptr;
};

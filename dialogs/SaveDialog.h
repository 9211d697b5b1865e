#pragma once
// TSaveDialog: the save-file dialog of the main window. It keeps the file name of its last
// use, takes its filter in the "description|patterns|..." form that the translations carry,
// never asks before overwriting, and refuses a file in a folder that does not exist or a
// read-only file. It shows the type of the file it proposes, and a type the user picks gives a
// name typed without an extension that type's extension.
#include "dialogs/DialogTexts.h"
#include "dialogs/NextAnswer.h"

#include <QFileDialog>
#include <QString>
#include <QStringList>

class TSaveDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit TSaveDialog(QWidget* parent = nullptr);

    // The file proposed at the next Execute and, after a confirmed one, the file chosen.
    QString FileName;
    TSaveDialogTexts Texts;

    // "HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*"
    void setFilter(const QString& filter);
    const QString& filter() const { return filter_; }
    // Types offered before the filter's, in its form; an entry of the filter with the patterns of
    // one of them is left out.
    void setLeadingTypes(const QString& types);

    // Runs the dialog modally; true when the user confirmed a file.
    bool Execute();

    // Tests: the next Execute of any save dialog returns `fileName` without showing itself.
    static void setNextFileName(const QString& fileName) { next_.set(fileName); }

protected:
    void accept() override;

private:
    // A name typed without an extension gets the first extension of the type chosen.
    void useFileType(const QString& chosen);
    void showTypes();
    QString filter_;
    QString leadingTypes_;
    static inline NextAnswer<QString> next_;
};

// Qt's name filters for a "description|patterns|description|patterns" filter. Patterns are
// separated by ";" (and blanks); "*.*" means every file. Each entry keeps its description as
// written, followed by the patterns in Qt's form, which the dialog hides.
QStringList qtNameFilters(const QString& filter);

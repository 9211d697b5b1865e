#include "dialogs/SaveDialog.h"

#include "desktop/DesktopServices.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>

QStringList qtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QChar('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
        // Windows reads "*.*" as every file; here a name need not have a dot.
        for (QString& p : patterns)
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        result << parts[i] + QStringLiteral(" (") + patterns.join(QChar(' ')) + QChar(')');
    }
    return result;
}

TSaveDialog::TSaveDialog(QWidget* parent) : QFileDialog(parent)
{
    setAcceptMode(AcceptSave);
    setFileMode(AnyFile);
    // Qt's own dialog on every desktop, so that the rules below hold everywhere; the
    // descriptions already name their patterns, so Qt's copy of them stays hidden.
    setOptions(DontUseNativeDialog | DontConfirmOverwrite | DontResolveSymlinks | HideNameFilterDetails);
}

void TSaveDialog::setFilter(const QString& filter)
{
    filter_ = filter;
    setNameFilters(qtNameFilters(filter));
}

bool TSaveDialog::Execute()
{
    if (const auto answer = next_.take()) {
        if (answer->isNull())
            return false;
        FileName = *answer;
        return true;
    }
    if (!FileName.isEmpty())
        selectFile(FileName);
    // Room for the names of the places at the left and of the list's columns (Qt restores its
    // own smaller layout each time the dialog opens), never more than the screen has: its
    // buttons must stay on it.
    QSize room(720, 420);
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        room = room.boundedTo(screen->availableGeometry().size() - QSize(2 * 8, 8 + 32));
    resize(size().expandedTo(room).boundedTo(room.expandedTo(minimumSizeHint())));
    if (auto* places = findChild<QSplitter*>(QStringLiteral("splitter")))
        places->setSizes({width() / 5, width() - width() / 5});
    if (exec() != Accepted || selectedFiles().isEmpty())
        return false;
    FileName = selectedFiles().constFirst();
    return true;
}

void TSaveDialog::accept()
{
    const QStringList files = selectedFiles();
    if (files.isEmpty())
        return QFileDialog::accept();
    const QFileInfo file(files.constFirst());
    if (file.isDir())
        return QFileDialog::accept(); // opens the folder
    QString problem;
    if (!file.absoluteDir().exists())
        problem = Texts.PathMissing;
    // Read-only as a file's attribute: no write permission for its owner (which does not
    // stop an administrator), or none for us.
    else if (file.exists() && (!file.isWritable() || !(file.permissions() & QFileDevice::WriteOwner)))
        problem = Texts.ReadOnly;
    if (!problem.isEmpty()) {
        DesktopServices::instance().message(this, QMessageBox::Warning, problem.arg(file.filePath()));
        return;
    }
    QFileDialog::accept();
}

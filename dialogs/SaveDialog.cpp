#include "dialogs/SaveDialog.h"

#include "desktop/DesktopServices.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>

#include <algorithm>

namespace {

QStringList patternsOf(const QString& patterns)
{
    return patterns.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
}

// The patterns in an order of their own, so that two lists of the same patterns compare equal.
QStringList sortedPatternsOf(const QString& patterns)
{
    QStringList result = patternsOf(patterns);
    result.sort();
    return result;
}

// The patterns of one of Qt's name filters: what its last parentheses hold.
QStringList qtFilterPatterns(const QString& nameFilter)
{
    const auto match = QRegularExpression(QStringLiteral("\\(([^()]*)\\)$")).match(nameFilter);
    return match.hasMatch() ? patternsOf(match.captured(1)) : QStringList();
}

// `filter` with the entries of `types` in front of it, an entry of `filter` with the patterns of
// one of them left out.
QString filterWithTypesFirst(const QString& types, const QString& filter)
{
    if (types.isEmpty())
        return filter;
    QStringList result = types.split(QChar('|'));
    QList<QStringList> taken;
    for (int i = 1; i < result.size(); i += 2)
        taken << sortedPatternsOf(result[i]);
    const QStringList parts = filter.split(QChar('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2)
        if (!taken.contains(sortedPatternsOf(parts[i + 1])))
            result << parts[i] << parts[i + 1];
    return result.join(QChar('|'));
}

} // namespace

QStringList qtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(QChar('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = patternsOf(parts[i + 1]);
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
    connect(this, &QFileDialog::filterSelected, this, &TSaveDialog::useFileType);
}

void TSaveDialog::useFileType(const QString& chosen)
{
    // Qt reports the type as its list shows it, which with the details hidden is the name
    // filter without its last parentheses.
    for (const QString& nameFilter : nameFilters()) {
        const QString shown = nameFilter.left(nameFilter.lastIndexOf(QLatin1String(" ("))).trimmed();
        if (chosen != nameFilter && chosen != shown)
            continue;
        // Only a type of one plain extension gives one; "All Files" leaves the extension as it is.
        static const QRegularExpression plain(QStringLiteral("^\\*\\.([^*?\\[.]+)$"));
        const QStringList patterns = qtFilterPatterns(nameFilter);
        if (const auto match = plain.match(patterns.value(0)); match.hasMatch())
            setDefaultSuffix(match.captured(1));
        return;
    }
}

void TSaveDialog::setFilter(const QString& filter)
{
    filter_ = filter;
    showTypes();
}

void TSaveDialog::setLeadingTypes(const QString& types)
{
    leadingTypes_ = types;
    showTypes();
}

void TSaveDialog::showTypes()
{
    setNameFilters(qtNameFilters(filterWithTypesFirst(leadingTypes_, filter_)));
}

bool TSaveDialog::Execute()
{
    if (const auto answer = next_.take()) {
        if (answer->isNull())
            return false;
        FileName = *answer;
        return true;
    }
    if (!FileName.isEmpty()) {
        // The type of the file proposed, when the filter names it.
        const QString name = QFileInfo(FileName).fileName();
        for (const QString& nameFilter : nameFilters()) {
            const QStringList patterns = qtFilterPatterns(nameFilter);
            if (std::any_of(patterns.begin(), patterns.end(), [&](const QString& p) {
                    return p != QLatin1String("*") && QDir::match(p, name);
                })) {
                selectNameFilter(nameFilter);
                useFileType(nameFilter);
                break;
            }
        }
        selectFile(FileName);
    }
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

#include "ui/PathFields.h"

#include "ui/PathText.h"

#include "desktop/DesktopServices.h"
#include "desktop/LocalText.h"
#include "generator/ExportFormat.h"
#include "generator/GeneratorSettings.h"
#include "platform/DirReader.h"
#include "platform/Path.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

namespace {

// The most bytes a path may have: what the settings record holds.
constexpr std::size_t PathLimit = sizeof(TGeneratorSettings::InputDir.chars);

// A page or an export: the kinds of file the save dialog offers.
bool isOutputFile(const std::string& path)
{
    const QString name = fromLocalBytes(platform::extractFileName(path));
    return name.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive) ||
           name.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive) || exportKindOf(path) != ExportKind::None;
}

} // namespace

std::string droppedPath(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return std::string();
    const QUrl url = data->urls().constFirst();
#ifdef _WIN32
    return toLocalBytes(url.toLocalFile());
#else
    // The address keeps the name's bytes percent-encoded, whatever their encoding.
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
#endif
}

PathFields::PathFields(QWidget* window, QLineEdit* input, QLineEdit* output, std::function<QString()> tooLong)
    : QObject(window), window_(window), input_(input), output_(output), tooLong_(std::move(tooLong))
{
    setObjectName(QStringLiteral("pathFields"));
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool PathFields::setInput(const std::string& path)
{
    return put(input_, path);
}

bool PathFields::setOutput(const std::string& path)
{
    return put(output_, path);
}

bool PathFields::bothFit()
{
    return fits(pathBytes(input_)) && fits(pathBytes(output_));
}

bool PathFields::fits(const std::string& path)
{
    if (path.size() <= PathLimit)
        return true;
    DesktopServices::instance().message(window_, QMessageBox::Warning, tooLong_().arg(pathForDisplay(path)));
    return false;
}

bool PathFields::put(QLineEdit* field, const std::string& path)
{
    if (!fits(path))
        return false;
    setPathText(field, path);
    return true;
}

bool PathFields::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched != window_ || (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return QObject::eventFilter(watched, event);
    drag(static_cast<QDropEvent*>(event));
    return true;
}

void PathFields::drag(QDropEvent* event)
{
    const std::string path = droppedPath(event->mimeData());
    const bool folder = !path.empty() && platform::directoryExists(path);
    const bool output = !path.empty() && !folder && isOutputFile(path);
    if (!folder && !output) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (event->type() != QEvent::Drop)
        return;
    if (folder)
        setInput(platform::includeTrailingDelimiter(path));
    else
        setOutput(path);
}

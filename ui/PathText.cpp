#include "ui/PathText.h"

#include "desktop/LocalText.h"
#include "generator/TextEncoding.h"

#include <QByteArray>
#include <QLineEdit>
#include <QVariant>

namespace {

const char* const KeptBytes = "pathBytes";

} // namespace

QString pathForDisplay(const std::string& bytes)
{
    // The page's own reading of a path, name by name, so that the window and the page show it
    // alike. Always in the default legacy encoding: a field keeps a path's bytes only while it
    // shows them as this reads them, and a change of encoding must not cost a path its bytes.
    return fromLocalBytes(pathToPage(bytes, platform::LegacyEncoding::Iso8859_1));
}

void setPathText(QLineEdit* edit, const std::string& bytes)
{
    edit->setProperty(KeptBytes, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    edit->setText(pathForDisplay(bytes));
}

std::string pathBytes(const QLineEdit* edit)
{
    const QVariant kept = edit->property(KeptBytes);
    if (kept.isValid()) {
        const std::string bytes = kept.toByteArray().toStdString();
        if (edit->text() == pathForDisplay(bytes))
            return bytes;
    }
    return toLocalBytes(edit->text());
}

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
    // The page's own reading of a name, so that the window and the page show it alike.
    return fromLocalBytes(nameToPage(bytes));
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

#include "ui/PathText.h"

#include "desktop/LocalText.h"
#include "generator/Utf8.h"

#include <QByteArray>
#include <QLineEdit>
#include <QVariant>

namespace {

const char* const KeptBytes = "pathBytes";

} // namespace

QString pathForDisplay(const std::string& bytes)
{
    const QString local = fromLocalBytes(bytes);
    if (toLocalBytes(local) == bytes)
        return local;
    QString shown;
    // Each well-formed character as it is, each other byte as ISO-8859-1.
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t character = 0;
        if (decodeUtf8(bytes, i, character)) {
            shown += QString::fromUcs4(&character, 1);
        } else {
            shown += QChar(static_cast<unsigned char>(bytes[i]));
            ++i;
        }
    }
    return shown;
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

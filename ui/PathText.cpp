#include "ui/PathText.h"

#include "desktop/LocalText.h"
#include "generator/Utf8.h"

#include <QByteArray>
#include <QLineEdit>
#include <QVariant>

namespace {

const char* const KeptBytes = "pathBytes";

// How long the UTF-8 sequence that `lead` would start is; 0 for a byte that starts none.
std::size_t sequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

} // namespace

QString pathForDisplay(const std::string& bytes)
{
    const QString local = fromLocalBytes(bytes);
    if (toLocalBytes(local) == bytes)
        return local;
    QString shown;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = sequenceLength(static_cast<unsigned char>(bytes[i]));
        if (n > 0 && i + n <= bytes.size() && isValidUtf8(bytes.substr(i, n))) {
            shown += QString::fromUtf8(bytes.data() + i, static_cast<qsizetype>(n));
            i += n;
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

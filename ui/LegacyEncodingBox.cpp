#include "ui/LegacyEncodingBox.h"

#include <QComboBox>
#include <QString>

#include <algorithm>
#include <vector>

using platform::LegacyEncoding;

void fillLegacyEncodings(QComboBox& box, unsigned languageCodePage)
{
    const LegacyEncoding selected = selectedLegacyEncoding(box);
    std::vector<LegacyEncoding> order(platform::legacyEncodings().begin(), platform::legacyEncodings().end());
    LegacyEncoding own;
    if (platform::legacyEncodingOfCodePage(languageCodePage, own))
        std::stable_partition(order.begin(), order.end(), [own](LegacyEncoding e) { return e == own; });
    box.clear();
    for (LegacyEncoding encoding : order) {
        const std::string_view name = platform::legacyEncodingName(encoding);
        box.addItem(QString::fromLatin1(name.data(), static_cast<int>(name.size())), static_cast<int>(encoding));
    }
    selectLegacyEncoding(box, selected);
}

LegacyEncoding selectedLegacyEncoding(const QComboBox& box)
{
    const QVariant data = box.currentData();
    return data.isValid() ? static_cast<LegacyEncoding>(data.toInt()) : LegacyEncoding::Iso8859_1;
}

void selectLegacyEncoding(QComboBox& box, LegacyEncoding encoding)
{
    box.setCurrentIndex(box.findData(static_cast<int>(encoding)));
}

#include "i18n/HeldTexts.h"

#include "generator/NamedColours.h"

QStringList englishColourNames()
{
    QStringList names{QStringLiteral("Custom...")};
    for (const NamedColour& colour : namedColours())
        names << QString::fromLatin1(colour.name);
    return names;
}

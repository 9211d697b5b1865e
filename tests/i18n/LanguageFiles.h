#pragma once
// Files the language tests read and write: a language library's texts, and small text files
// such as ".language".
#include "lang/LanguageAbi.h"
#include "platform/DynamicLibrary.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTest>

#include <string>

// What the library says for each index, read through the loader and decoded from `codePage`.
inline QStringList libraryTexts(const QString& path, const char* codePage)
{
    platform::DynamicLibrary lib;
    if (!lib.load(path.toStdString()))
        return {};
    auto fn = reinterpret_cast<GetMyStrFunction>(lib.symbol(TUNESHEET_GETMYSTR_NAME));
    QStringList texts;
    for (int index = 1; index <= LanguageStringCount; ++index) {
        unsigned char buffer[LanguageSlotSize];
        fn(index, buffer);
        QStringDecoder decode(codePage);
        texts << decode(QByteArrayView(reinterpret_cast<char*>(buffer + 1), buffer[0]));
    }
    return texts;
}

inline QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

inline void write(const QString& file, const QByteArray& bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

inline QByteArray contents(const std::string& file)
{
    return contents(QString::fromStdString(file));
}

inline void write(const std::string& file, const QByteArray& bytes)
{
    write(QString::fromStdString(file), bytes);
}

#pragma once
// The one boundary between the program's byte strings and Qt's texts: the local 8-bit
// encoding (UTF-8 here, the ANSI code page on Windows). Every byte goes across, a NUL byte
// too: the sizes are explicit.
#include <QString>

#include <string>

inline QString fromLocalBytes(const std::string& bytes)
{
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string toLocalBytes(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

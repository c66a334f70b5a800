#pragma once
// Small helpers for the bytes tests put into files and read back.

#include <QByteArray>
#include <QFile>

namespace torvel::test {

inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text); // blanks between the bytes are skipped
}

inline QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline bool writeFile(const QString &name, const QByteArray &content)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

} // namespace torvel::test

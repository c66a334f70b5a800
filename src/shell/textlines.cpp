#include "textlines.h"

#include "link/cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace torvel {

void TextLineWriter::writeLine(const QString &line)
{
    m_bytes += toCp1252(line);
    m_bytes += "\r\n";
}

TextLineReader::TextLineReader(const QByteArray &content) : m_content(content) {}

bool TextLineReader::readLine(QString *line)
{
    if (atEnd()) {
        line->clear();
        return false;
    }
    qsizetype end = m_pos;
    while (end < m_content.size() && m_content.at(end) != '\r' && m_content.at(end) != '\n')
        ++end;
    *line = fromCp1252(m_content.mid(m_pos, end - m_pos));
    if (end < m_content.size() && m_content.at(end) == '\r')
        ++end;
    if (end < m_content.size() && m_content.at(end) == '\n')
        ++end;
    m_pos = end;
    ++m_lineNumber;
    return true;
}

bool readTextFile(const QString &fileName, qint64 maxBytes, QByteArray *content, QString *error)
{
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir()) {
        *error = QStringLiteral("Datei nicht gefunden: %1").arg(fileName);
        return false;
    }
    if (info.size() > maxBytes) {
        *error = QStringLiteral("Datei ist zu groß: %1").arg(fileName);
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Datei kann nicht gelesen werden: %1").arg(fileName);
        return false;
    }
    *content = file.read(maxBytes + 1);
    if (content->size() > maxBytes) { // grew since it was looked at
        *error = QStringLiteral("Datei ist zu groß: %1").arg(fileName);
        return false;
    }
    return true;
}

bool writeTextFile(const QString &fileName, const QByteArray &content, QString *error)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return true;
    *error = QStringLiteral("Datei kann nicht geschrieben werden: %1").arg(fileName);
    return false;
}

} // namespace torvel

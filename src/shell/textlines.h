#pragma once
// Text files that are written and read line by line, section after section (the .TST, .TBT
// and Torvel record files): Windows-1252, lines ended by CR LF.

#include <QByteArray>
#include <QString>

namespace torvel {

class TextLineWriter
{
public:
    // Adds the line and CR LF; characters Windows-1252 cannot hold become '?'.
    void writeLine(const QString &line);
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

class TextLineReader
{
public:
    // Any line ends (CR LF, LF, a lone CR) are taken.
    explicit TextLineReader(const QByteArray &content);

    bool atEnd() const { return m_pos >= m_content.size(); }
    // The next line without its end; false (and an empty line) when there is none left.
    bool readLine(QString *line);
    // Lines read so far.
    int lineNumber() const { return m_lineNumber; }

private:
    QByteArray m_content;
    qsizetype m_pos = 0;
    int m_lineNumber = 0;
};

// Reads a whole file of at most maxBytes. False with a German message when it is missing, is a
// folder, is larger, or cannot be read.
bool readTextFile(const QString &fileName, qint64 maxBytes, QByteArray *content, QString *error);
// Writes through a temporary file renamed over the old one only when all went well.
bool writeTextFile(const QString &fileName, const QByteArray &content, QString *error);

} // namespace torvel

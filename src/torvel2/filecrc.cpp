#include "filecrc.h"

#include "datablockcrc.h"
#include "recordtexts.h"

#include "shell/prompter.h"
#include "shell/textlines.h"

#include <QList>

namespace torvel {

namespace {
constexpr qint64 kMaxCrcFileBytes = 4 * 1024 * 1024;
constexpr int kCrcDigits = 4;

// The lines of the content without their ends (CR LF, LF or a lone CR); the text after the
// last line end is a line only when it is not empty.
QList<QByteArray> splitLines(const QByteArray &content)
{
    QList<QByteArray> lines;
    qsizetype pos = 0;
    while (pos < content.size()) {
        qsizetype end = pos;
        while (end < content.size() && content.at(end) != '\r' && content.at(end) != '\n')
            ++end;
        lines << content.mid(pos, end - pos);
        if (end < content.size() && content.at(end) == '\r')
            ++end;
        if (end < content.size() && content.at(end) == '\n')
            ++end;
        pos = end;
    }
    return lines;
}

QByteArray crcLine(quint16 crc)
{
    return kCrcLinePrefix.toLatin1() + QByteArray::number(crc, 16).rightJustified(kCrcDigits, '0');
}
} // namespace

quint16 FileCrc(const QByteArray &content, bool withoutLastLine)
{
    QList<QByteArray> lines = splitLines(content);
    if (withoutLastLine && !lines.isEmpty())
        lines.removeLast();
    return DataBlockCrc(lines.join());
}

QByteArray withCrcLine(const QByteArray &content)
{
    QByteArray out = content;
    if (!out.isEmpty() && !out.endsWith('\n') && !out.endsWith('\r'))
        out += "\r\n";
    return out + crcLine(FileCrc(out, false)) + "\r\n";
}

CrcCheck checkCrcContent(const QByteArray &content)
{
    const QList<QByteArray> lines = splitLines(content);
    const QByteArray prefix = kCrcLinePrefix.toLatin1();
    if (lines.isEmpty() || !lines.last().startsWith(prefix))
        return CrcCheck::NoCrcLine;
    const QByteArray stored = lines.last().mid(prefix.size(), kCrcDigits);
    return crcLine(FileCrc(content, true)).mid(prefix.size()) == stored ? CrcCheck::Good : CrcCheck::Mismatch;
}

bool InsertCrc(const QString &fileName, Prompter *prompter)
{
    QByteArray content;
    QString error;
    if (!readTextFile(fileName, kMaxCrcFileBytes, &content, &error)
        || !writeTextFile(fileName, withCrcLine(content), &error)) {
        if (prompter)
            prompter->inform(recordtext::kError, recordtext::kCrcNotInserted);
        return false;
    }
    return true;
}

bool CheckCrc(const QString &fileName, Prompter *prompter)
{
    QByteArray content;
    QString error;
    if (!readTextFile(fileName, kMaxCrcFileBytes, &content, &error)) {
        if (prompter)
            prompter->inform(recordtext::kError, recordtext::kCrcNotComputed);
        return false;
    }
    switch (checkCrcContent(content)) {
    case CrcCheck::Good:
        return true;
    case CrcCheck::NoCrcLine:
        if (prompter)
            prompter->inform(QStringLiteral("Error"), recordtext::kCrcLineMissing);
        return false;
    case CrcCheck::Mismatch:
        break;
    }
    return false;
}

} // namespace torvel

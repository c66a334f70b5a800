#include "tbrfile.h"

#include "link/cp1252.h"

namespace torvel {

namespace {
const QByteArray kCrLf = QByteArrayLiteral("\r\n");

QByteArray line(const QString &text)
{
    return toCp1252(text) + kCrLf;
}

QString fiveDigits(quint16 v)
{
    return QStringLiteral("%1").arg(v, 5, 10, QLatin1Char('0'));
}

// Everything after the first "=", or the whole rest when there is none.
QString afterEquals(const QString &rest)
{
    const qsizetype eq = rest.indexOf(QLatin1Char('='));
    return eq < 0 ? rest : rest.mid(eq + 1);
}

// A whole decimal number as the files write it; `fallback` when it is none.
qint64 wholeNumber(const QString &text, qint64 fallback)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok, 10);
    return ok ? v : fallback;
}

QStringList splitLines(const QByteArray &content)
{
    QString text = fromCp1252(content);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
} // namespace

QByteArray programBlock(const BakeProgram &p)
{
    QByteArray out = line(QStringLiteral("[Programm]"));
    out += line(QStringLiteral("Name=") + p.name);
    out += line(QStringLiteral("Nummer=") + QStringLiteral("%1").arg(p.number, 2, 10, QLatin1Char('0')));
    for (int phase = 1; phase <= 5; ++phase) {
        const int base = 5 * phase - 5; // 0-based index of OH
        out += line(QStringLiteral("[Phase%1]").arg(phase));
        out += line(QStringLiteral("OH =") + fiveDigits(p.values[base]));
        out += line(QStringLiteral("UH =") + fiveDigits(p.values[base + 1]));
        out += line(QStringLiteral("BZ =") + fiveDigits(p.values[base + 2]));
        if (phase < 5) {
            out += line(QStringLiteral("SCH=") + fiveDigits(p.values[base + 3]));
            out += line(QStringLiteral("ABZ=") + fiveDigits(p.values[base + 4]));
        }
    }
    return out;
}

QByteArray tbrRecordFile(const ProgramTable &table)
{
    QByteArray out = line(QStringLiteral("Backprogramme für den Fenmork VKS Torvel")) + kCrLf + kCrLf;
    for (const BakeProgram &p : table.programs)
        out += programBlock(p);
    out += line(QStringLiteral("[ENDE]"));
    return out;
}

QByteArray exportedProgramFile(const BakeProgram &program)
{
    if (program.name.isEmpty())
        return {};
    return line(QStringLiteral("Backprogramm für den VKS Torvel (c) ZAN GmbH")) + kCrLf + kCrLf
           + programBlock(program) + line(QStringLiteral("[ENDE]"));
}

TbrReadResult readTbr(const QByteArray &content, int maxPrograms)
{
    static const char *const keys[] = {"OH", "UH", "BZ", "SCH", "ABZ"};
    TbrReadResult result;
    const QStringList lines = splitLines(content);
    qsizetype i = 0;
    const auto next = [&](QString *out) {
        if (i >= lines.size())
            return false;
        *out = lines.at(i++);
        return true;
    };
    QString text;
    while (next(&text)) {
        qsizetype blanks = 0;
        while (blanks < text.size() && text.at(blanks) == QLatin1Char(' '))
            ++blanks;
        const QString trimmed = text.mid(blanks);
        if (!trimmed.startsWith(QLatin1String("Name")))
            continue;
        ++result.blocks;
        QString name = afterEquals(trimmed.mid(4));
        while (name.startsWith(QLatin1Char(' ')))
            name.remove(0, 1);
        QString numberLine;
        if (!next(&numberLine) || !numberLine.startsWith(QLatin1String("Nummer"))) {
            result.errorFlags |= 2;
            continue;
        }
        const qint64 number = wholeNumber(afterEquals(numberLine.mid(6)), 0);
        if (number < 1 || number > maxPrograms || number > kMaxProgramNumber) {
            result.errorFlags |= 8;
            continue;
        }
        BakeProgram &p = result.table.at(static_cast<int>(number));
        p.name = name;
        for (int phase = 1; phase <= 5; ++phase) {
            QString heading;
            next(&heading); // the phase heading is not checked
            const int keyCount = phase < 5 ? 5 : 3;
            for (int k = 0; k < keyCount; ++k) {
                QString valueLine;
                const QLatin1String key(keys[k]);
                if (!next(&valueLine) || !valueLine.startsWith(key)) {
                    result.errorFlags |= 4;
                    continue;
                }
                const qint64 v = wholeNumber(afterEquals(valueLine.mid(key.size())), -1);
                p.values[5 * phase - 5 + k] = static_cast<quint16>(static_cast<quint64>(v) & 0xFFFF);
            }
        }
    }
    return result;
}

QString tbrErrorQuestion(int errorFlags)
{
    return QStringLiteral("Fehler beim Öffen der Datei!\r\nFehlernummer: ") + QString::number(errorFlags)
           + QStringLiteral("\r\n\r\nEinige Daten konnten nicht gelesen werden\r\noder sind fehlerhaft!\r\n\r\n"
                            "Wollen Sie dennoch fortfahren?");
}

} // namespace torvel

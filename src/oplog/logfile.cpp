#include "logfile.h"

#include "loggrid.h"

#include "shell/sheetmodel.h"
#include "shell/textlines.h"

namespace torvel {

namespace {
constexpr int kFileFields = 7;

qint32 numberOrMinusOne(const QString &field)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    return ok ? value : -1;
}

OperatingEntry entryOfLine(const QString &line)
{
    QStringList fields = line.split(QLatin1Char(';'));
    while (fields.size() < kFileFields)
        fields << QString();
    OperatingEntry e;
    e.Number = numberOrMinusOne(fields.at(0));
    e.Date = fields.at(1);
    e.Time = fields.at(2);
    e.Event = fields.at(3);
    e.DeckText = fields.at(4);
    e.Deck = numberOrMinusOne(fields.at(4));
    e.Program = numberOrMinusOne(fields.at(5));
    e.ProgramName = fields.at(6);
    e.DayOfWeek = 0;
    return e;
}
} // namespace

LogFileType logFileTypeOfFilter(int index)
{
    switch (index) {
    case 1:
        return LogFileType::CsvSemicolon;
    case 2:
        return LogFileType::CsvComma;
    default:
        return LogFileType::Tb2;
    }
}

LogFileType logFileTypeOfName(const QString &fileName)
{
    return fileName.endsWith(QStringLiteral(".CSV"), Qt::CaseInsensitive) ? LogFileType::CsvSemicolon
                                                                          : LogFileType::Tb2;
}

QChar logFileSeparator(LogFileType type)
{
    return type == LogFileType::CsvComma ? QLatin1Char(',') : QLatin1Char(';');
}

QString logFileFirstLine(const QString &caption, LogKind kind)
{
    const QString word = logKindWord(kind);
    return beginsWithWord(caption, word) ? caption : word;
}

QByteArray logFileContent(const SheetModel &grid, const QString &firstLine, QChar separator)
{
    TextLineWriter writer;
    writer.writeLine(firstLine);
    const int rows = logGridRowCount(grid);
    for (int row = 0; row < rows; ++row) {
        QString line;
        for (const QString &cell : logGridRow(grid, row))
            line += cell + separator;
        writer.writeLine(line);
    }
    return writer.bytes();
}

bool saveOperatingFile(const QString &fileName, const SheetModel &grid, const QString &caption, LogKind kind,
                       LogFileType type, QString *error)
{
    return writeTextFile(fileName, logFileContent(grid, logFileFirstLine(caption, kind), logFileSeparator(type)),
                         error);
}

bool parseOperatingFile(const QByteArray &content, LogKind kind, OperatingList *list, QString *error)
{
    if (content.isEmpty()) {
        *error = QStringLiteral("Die Datei ist leer.");
        return false;
    }
    if (content.contains('\0')) {
        *error = QStringLiteral("Die Datei ist keine Textdatei.");
        return false;
    }
    TextLineReader reader(content);
    OperatingList read;
    QString line;
    reader.readLine(&line);
    const QString word = logKindWord(kind);
    if (beginsWithWord(line, word)) {
        read.header = line;
        reader.readLine(&line); // the grid's titles
    } else {
        read.header = word;
    }
    while (reader.readLine(&line)) {
        if (read.entries.size() >= SheetModel::kRowLimit) {
            *error = QStringLiteral("Die Datei hat mehr als %1 Zeilen.").arg(SheetModel::kRowLimit);
            return false;
        }
        read.entries.append(entryOfLine(line));
    }
    *list = read;
    return true;
}

bool openOperatingFile(const QString &fileName, LogKind kind, OperatingList *list, QString *error)
{
    QByteArray content;
    if (!readTextFile(fileName, kLogFileMaxBytes, &content, error))
        return false;
    if (!parseOperatingFile(content, kind, list, error)) {
        *error = fileName + QStringLiteral(": ") + *error;
        return false;
    }
    return true;
}

} // namespace torvel

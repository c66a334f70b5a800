#include "readyfile.h"

#include "readysection.h"
#include "readyvalidate.h"

#include "shell/textlines.h"

namespace torvel {

QByteArray readyFileContent(const ReadyTable &table)
{
    TextLineWriter writer;
    WriteReadySection(writer, table);
    return writer.bytes();
}

bool saveReadyFile(const ReadyTable &table, const QString &fileName, QString *error)
{
    return writeTextFile(fileName, readyFileContent(table), error);
}

bool openReadyFile(const QString &fileName, const QString &logFolder, ReadyTable *table, ReadyBlockFlags *flags,
                   QString *error, QString *repairMessage)
{
    QByteArray content;
    if (!readTextFile(fileName, kReadyFileMaxBytes, &content, error))
        return false;
    TextLineReader reader(content);
    ReadyTable read;
    ReadyBlockFlags present;
    bool failed = false;
    QString problem;
    ReadReadySection(reader, present, read, failed, &problem);
    if (failed) {
        *error = QStringLiteral("%1: %2").arg(fileName, problem);
        return false;
    }
    QString message;
    ValidateReadyTable(read, message, logFolder);
    *table = read;
    *flags = present;
    *repairMessage = message;
    return true;
}

} // namespace torvel

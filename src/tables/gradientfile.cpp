#include "gradientfile.h"

#include "gradientsection.h"

#include "shell/textlines.h"

namespace torvel {

QByteArray gradientFileContent(const GradientTable &table)
{
    TextLineWriter writer;
    WriteGradientSection(writer, table);
    return writer.bytes();
}

bool saveGradientFile(const GradientTable &table, const QString &fileName, QString *error)
{
    if (table.isEmpty()) {
        *error = QStringLiteral("Keine Steigungstabelle geladen.");
        return false;
    }
    return writeTextFile(fileName, gradientFileContent(table), error);
}

bool loadGradientFile(const QString &fileName, GradientTable *table, QString *error)
{
    QByteArray content;
    if (!readTextFile(fileName, kGradientFileMaxBytes, &content, error))
        return false;
    TextLineReader reader(content);
    bool failed = false;
    QString problem;
    ReadGradientSection(reader, failed, *table, &problem);
    if (failed)
        *error = QStringLiteral("%1: %2").arg(fileName, problem);
    return !failed;
}

} // namespace torvel

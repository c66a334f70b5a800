#include "programexport.h"

#include "tbrfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace torvel {

QString defaultExportBase()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/USBDaten/Export");
}

QString nextExportFolder(const QString &base, const QDate &today)
{
    const QString dated = base + QLatin1Char('/') + today.toString(QStringLiteral("yyyyMMdd"));
    if (!QFileInfo::exists(dated))
        return dated;
    int k = 1;
    while (QFileInfo::exists(dated + QLatin1Char('_') + QString::number(k)))
        ++k;
    return dated + QLatin1Char('_') + QString::number(k);
}

QString exportFileName(int number)
{
    return QStringLiteral("TORVEL%1.TBR").arg(number, 2, 10, QLatin1Char('0'));
}

ExportResult exportPrograms(const ProgramTable &table, const QString &base, const QDate &today)
{
    const QString folder = nextExportFolder(base, today);
    ExportResult result;
    result.folder = QDir::toNativeSeparators(folder);
    result.folderCreated = QDir().mkpath(folder) && QFileInfo(folder).isDir();
    if (!result.folderCreated)
        return result;
    for (const BakeProgram &program : table.programs) {
        const QString name = exportFileName(program.number);
        QSaveFile file(folder + QLatin1Char('/') + name);
        // A program without a name still gets its (empty) file: the stick then holds no
        // stale program under that number.
        bool written = file.open(QIODevice::WriteOnly);
        if (written) {
            const QByteArray content = exportedProgramFile(program);
            written = file.write(content) == content.size() && file.commit();
        }
        if (!written)
            result.failedFiles.append(name);
    }
    return result;
}

QString exportFolderFailedText(const QString &folder)
{
    return QStringLiteral("Verzeichnis.\r\n\r\n") + folder + QStringLiteral("\r\n\r\n")
           + QStringLiteral("Konnte nicht angelegt werden.") + QStringLiteral("\r\n")
           + QStringLiteral("Funktion wird abgebrochen!");
}

QString exportDoneText(const QString &folder)
{
    return QStringLiteral("Alle Backprogramme wurden ins Verzeichnis.\r\n\r\n") + folder + QStringLiteral("\r\n\r\n")
           + QStringLiteral("exportiert.");
}

QString exportFailedFilesText(const QString &folder, const QStringList &failedFiles)
{
    QString list;
    for (const QString &name : failedFiles)
        list += name + QStringLiteral("\r\n");
    return QStringLiteral("Beim Speichern der Daten ist ein Fehler aufgetreten.\r\nBitte überprüfen Sie folgende "
                          "Dateien:\r\n\r\nVerzeichnis:\r\n")
           + folder + QStringLiteral("\r\n\r\n") + QStringLiteral("Dateien mit Speicherfehler:") + QStringLiteral("\r\n")
           + list;
}

} // namespace torvel

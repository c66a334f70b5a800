#pragma once
// "Export USB": every program of the list as its own file TORVELnn.TBR in a fresh folder
// named by the date, so the files of two exports never mix.

#include "programtable.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace torvel {

// "<applicationDirPath>/USBDaten/Export".
QString defaultExportBase();

// base/yyyymmdd, or base/yyyymmdd_k with the smallest k >= 1 that does not exist yet.
QString nextExportFolder(const QString &base, const QDate &today);

// "TORVEL07.TBR" for program 7.
QString exportFileName(int number);

struct ExportResult {
    QString folder;         // as shown in the messages (native separators)
    bool folderCreated = false;
    QStringList failedFiles; // file names without folder
    bool ok() const { return folderCreated && failedFiles.isEmpty(); }
};

// Writes programs 1..99 (an empty file for a program without a name), each file on its own
// through a temporary file; a file that fails is listed and the others are still written.
ExportResult exportPrograms(const ProgramTable &table, const QString &base, const QDate &today);

// The texts shown after an export ("Meldung" or "ERROR").
QString exportFolderFailedText(const QString &folder);
QString exportDoneText(const QString &folder);
QString exportFailedFilesText(const QString &folder, const QStringList &failedFiles);

} // namespace torvel

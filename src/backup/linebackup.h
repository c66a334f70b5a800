#pragma once
// Backing up the ovens of one line: which of them answer (and their generation), then every
// backup item of each into dated files, one set per oven ("Ofen3_2026-12-07.TBR", ...).

#include "backupitem.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace torvel {

struct BackupItemResult {
    QString name;
    QString file;    // the file written when saved
    QString problem; // empty: saved; otherwise nothing was written
};

struct OvenBackupResult {
    OvenFound oven;
    QList<BackupItemResult> items;

    bool ok() const;
    QStringList saved() const;  // the names of the items saved
    QStringList failed() const; // "Name: problem" of the items that failed
};

struct LineBackupOptions {
    QList<int> ovens{1, 2, 3, 4, 5, 6, 7};
    bool ovensGiven = false; // asked for by the user: one that does not answer is a failure
    QString folder;          // where the files go (made when missing)
    QDate date;              // names the files
    QString logFolder;       // the ready table repair's report
    std::function<bool()> stop; // asked after every item: true ends the run (a call broke off)
};

struct LineBackupResult {
    QList<OvenBackupResult> ovens; // the ovens that answered
    QList<int> missing;            // ovens asked for that did not answer
    bool lineLost = false;
    bool stopped = false;
    bool folderFailed = false;

    bool ok() const;
};

// "Ofen3_2026-12-07.TBR".
QString backupFileName(int oven, const QDate &date, const QString &suffix);

// Runs the items in turn; `ovenDone` hears of every oven as soon as it is through. A lost line
// ends the run: what was not asked stays out of the result.
LineBackupResult backupLine(AppState &state, CommandEngine &engine, Prompter &prompter,
                            const LineBackupOptions &options,
                            const std::function<void(const OvenBackupResult &)> &ovenDone = {});

// "Ofen 7 (4.10 r30, 2. Generation): gesichert Backprogramme, Nachtstartzeiten, Bereittabelle"
// and "; fehlgeschlagen ..." when something failed.
QString ovenSummaryLine(const OvenBackupResult &result);
// "Ofen 4: nicht gefunden".
QString missingOvenLine(int oven);
inline const QString kNoOvenFound = QStringLiteral("Keine Öfen gefunden");
inline const QString kFolderFailed = QStringLiteral("Ordner kann nicht angelegt werden");

} // namespace torvel

#pragma once
// Backing up a fleet: every bakery of a phone book is dialled in turn, its line backed up into
// <folder>/<bakery>/<date>/, and the call hung up; a bakery that cannot be reached (busy, no
// carrier, no answer) is noted and the next one dialled. A bakery saved without any failure
// leaves "Zusammenfassung.CSV" in its dated folder, so a resumed run skips it that day.

#include "linebackup.h"

#include "modem/phonebook.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace torvel {

class ModemSession;

struct FleetBackupOptions {
    QString folder;
    QDate date;
    bool resume = false;
    QList<int> ovens{1, 2, 3, 4, 5, 6, 7};
    bool ovensGiven = false;
    QString logFolder;
};

struct BakeryBackupResult {
    enum class Status { Saved, Skipped, Failed };
    PhoneBookEntry entry;
    Status status = Status::Failed;
    QString failure; // why the bakery as a whole failed ("Besetzt", ...); empty otherwise
    LineBackupResult line;
};

inline const QString kBakerySummaryFileName = QStringLiteral("Zusammenfassung.CSV");

// The folder name of every entry, in book order: characters a file name cannot hold become
// "_", and a name that would meet an earlier one (letter case aside) gets "_2", "_3", ...
QStringList bakeryFolderNames(const PhoneBook &book);
// <folder>/<bakery folder>/<yyyy-MM-dd>.
QString bakeryBackupFolder(const QString &folder, const QString &bakeryFolder, const QDate &date);
// <folder>/Sicherung_<yyyy-MM-dd>.CSV.
QString fleetSummaryPath(const QString &folder, const QDate &date);

// Dials through `session`, whose options (folder of the listings, guard time, speed) are set.
// The PC modem is set up and checked before the first dial only.
QList<BakeryBackupResult> backupFleet(ModemSession &session, AppState &state, CommandEngine &engine,
                                      Prompter &prompter, const PhoneBook &book, const FleetBackupOptions &options,
                                      const std::function<void(const BakeryBackupResult &)> &bakeryDone = {});

// The summary: "Bäckerei;Ofen;Generation;Gesichert;Fehlgeschlagen", then a row per oven (or
// one per bakery that failed or was skipped), semicolons, Windows-1252, CR LF.
QByteArray fleetSummaryCsv(const QList<BakeryBackupResult> &bakeries);
// Written in one piece; false when it could not be.
bool saveFleetSummary(const QString &fileName, const QList<BakeryBackupResult> &bakeries);
// One line per bakery: "Nord: 2 Öfen gesichert", "West: Besetzt", ...
QString bakerySummaryLine(const BakeryBackupResult &bakery);

} // namespace torvel

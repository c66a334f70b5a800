#include "fleetbackup.h"

#include "link/commandengine.h"
#include "link/cp1252.h"
#include "modem/modemsession.h"
#include "modem/modemtexts.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

namespace torvel {

namespace {

QString dateText(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString dialFailureText(DialResult result)
{
    switch (result) {
    case DialResult::Busy:
        return modemtext::kBusy;
    case DialResult::NoCarrier:
        return modemtext::kNoCarrier;
    case DialResult::Refused:
        return QStringLiteral("Nummer ungültig");
    case DialResult::Declined:
        return QStringLiteral("PC-Modem nicht bereit");
    case DialResult::Cancelled:
        return QStringLiteral("abgebrochen");
    case DialResult::Failed:
    case DialResult::Connected:
        break;
    }
    return modemtext::kNoAnswer;
}

// A field in quotes when it holds the separator, a quote or a line end.
QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\r'))
        && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QByteArray csvRow(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &f : fields)
        quoted << csvField(f);
    return toCp1252(quoted.join(QLatin1Char(';'))) + "\r\n";
}

QByteArray bakeryRows(const BakeryBackupResult &b)
{
    const QString &name = b.entry.name;
    if (b.status == BakeryBackupResult::Status::Skipped)
        return csvRow({name, {}, {}, QStringLiteral("bereits gesichert"), {}});
    QByteArray rows;
    for (const OvenBackupResult &o : b.line.ovens)
        rows += csvRow({name, QString::number(o.oven.oven), QString::number(o.oven.secondGeneration() ? 2 : 1),
                        o.saved().join(QStringLiteral(", ")), o.failed().join(QStringLiteral(", "))});
    for (const int oven : b.line.missing)
        rows += csvRow({name, QString::number(oven), {}, {}, QStringLiteral("nicht gefunden")});
    if (!b.failure.isEmpty())
        rows += csvRow({name, {}, {}, {}, b.failure});
    return rows;
}

const QByteArray kCsvHeader = toCp1252(QStringLiteral("Bäckerei;Ofen;Generation;Gesichert;Fehlgeschlagen\r\n"));

bool writeFile(const QString &fileName, const QByteArray &content)
{
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
}

// The failure of a bakery whose call stood: why its line backup did not come through whole.
QString lineFailure(const LineBackupResult &line, bool connectionLost)
{
    if (connectionLost)
        return modemtext::kConnectionLost;
    if (line.folderFailed)
        return kFolderFailed;
    if (line.lineLost)
        return QStringLiteral("Leitung verloren");
    if (line.ovens.isEmpty() && line.missing.isEmpty())
        return kNoOvenFound;
    return {};
}

} // namespace

QStringList bakeryFolderNames(const PhoneBook &book)
{
    QStringList names;
    QSet<QString> taken;
    for (const PhoneBookEntry &entry : book) {
        QString name;
        for (const QChar c : entry.name.trimmed())
            name += (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c)) ? QLatin1Char('_') : c;
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            name = QStringLiteral("_");
        QString unique = name;
        for (int n = 2; taken.contains(unique.toLower()); ++n)
            unique = name + QStringLiteral("_%1").arg(n);
        taken.insert(unique.toLower());
        names << unique;
    }
    return names;
}

QString bakeryBackupFolder(const QString &folder, const QString &bakeryFolder, const QDate &date)
{
    return QDir(folder).filePath(bakeryFolder + QLatin1Char('/') + dateText(date));
}

QString fleetSummaryPath(const QString &folder, const QDate &date)
{
    return QDir(folder).filePath(QStringLiteral("Sicherung_%1.CSV").arg(dateText(date)));
}

QList<BakeryBackupResult> backupFleet(ModemSession &session, AppState &state, CommandEngine &engine,
                                      Prompter &prompter, const PhoneBook &book, const FleetBackupOptions &options,
                                      const std::function<void(const BakeryBackupResult &)> &bakeryDone)
{
    QList<BakeryBackupResult> results;
    const QStringList folderNames = bakeryFolderNames(book);
    for (qsizetype i = 0; i < book.size(); ++i) {
        const PhoneBookEntry &entry = book.at(i);
        BakeryBackupResult b;
        b.entry = entry;
        const QString folder = bakeryBackupFolder(options.folder, folderNames.at(i), options.date);
        const QString marker = QDir(folder).filePath(kBakerySummaryFileName);
        if (options.resume && QFileInfo::exists(marker)) {
            b.status = BakeryBackupResult::Status::Skipped;
        } else {
            const DialResult dialled = session.dial(entry.number);
            if (dialled != DialResult::Declined)
                session.options().skipPcChecks = true; // set up and checked once is enough
            if (dialled != DialResult::Connected) {
                b.failure = dialFailureText(dialled);
            } else {
                LineBackupOptions line;
                line.ovens = options.ovens;
                line.ovensGiven = options.ovensGiven;
                line.folder = folder;
                line.date = options.date;
                line.logFolder = options.logFolder;
                line.stop = [&session] { return session.connectionLost(); };
                b.line = backupLine(state, engine, prompter, line);
                session.settle(); // a connection lost meanwhile: hung up and told
                const bool lost = session.connectionLost();
                if (!lost)
                    session.hangUp();
                b.failure = lineFailure(b.line, lost);
                if (b.failure.isEmpty() && b.line.ok())
                    b.status = BakeryBackupResult::Status::Saved;
                // Only a bakery saved whole is skipped by a resumed run.
                if (b.status == BakeryBackupResult::Status::Saved && !writeFile(marker, kCsvHeader + bakeryRows(b))) {
                    b.status = BakeryBackupResult::Status::Failed;
                    b.failure = QStringLiteral("%1 nicht geschrieben").arg(kBakerySummaryFileName);
                }
            }
        }
        if (bakeryDone)
            bakeryDone(b);
        results << b;
        if (engine.isLineLost())
            break; // the port to the PC modem is gone: no further bakery can be dialled
    }
    return results;
}

QByteArray fleetSummaryCsv(const QList<BakeryBackupResult> &bakeries)
{
    QByteArray csv = kCsvHeader;
    for (const BakeryBackupResult &b : bakeries)
        csv += bakeryRows(b);
    return csv;
}

bool saveFleetSummary(const QString &fileName, const QList<BakeryBackupResult> &bakeries)
{
    return writeFile(fileName, fleetSummaryCsv(bakeries));
}

QString bakerySummaryLine(const BakeryBackupResult &b)
{
    const QString name = b.entry.name + QStringLiteral(": ");
    if (b.status == BakeryBackupResult::Status::Skipped)
        return name + QStringLiteral("heute bereits gesichert, übersprungen");
    const auto &ovens = b.line.ovens;
    const qsizetype good = std::count_if(ovens.cbegin(), ovens.cend(), [](const OvenBackupResult &o) { return o.ok(); });
    const qsizetype all = ovens.size() + b.line.missing.size();
    QString line;
    const QString ovenWord = all == 1 ? QStringLiteral("Ofen") : QStringLiteral("Öfen");
    if (all > 0)
        line = good == all ? QStringLiteral("%1 %2 gesichert").arg(all).arg(ovenWord)
                           : QStringLiteral("%1 von %2 %3 gesichert").arg(good).arg(all).arg(ovenWord);
    if (!b.failure.isEmpty())
        line += (line.isEmpty() ? QString() : QStringLiteral(", ")) + b.failure;
    return name + line;
}

} // namespace torvel

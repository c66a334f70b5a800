// The operating data and the error list of the second-generation oven 7: read against a read
// of the same log without faults, and the .TB2 / CSV files of what the last read brought.

#include "soakkinds.h"
#include "soakrig.h"

#include "oplog/logfile.h"
#include "oplog/loggrid.h"
#include "oplog/logtransfer.h"
#include "shell/sheetmodel.h"
#include "simcontroller.h"
#include "simlogs.h"

#include <QFile>

namespace torvel::soak {

namespace {
sim::SimLogKind simKind(LogKind kind)
{
    return kind == LogKind::OperatingData ? sim::SimLogKind::OperatingData : sim::SimLogKind::ErrorList;
}

// Now and then a new log: a working bakery's two weeks, or entries of any bytes.
void changeLog(SoakRig &rig, LogKind kind)
{
    sim::SimLogStore &logs = rig.controller(kTorvel2Oven).logs();
    if (rig.chance(0.5))
        return;
    if (rig.chance(0.5)) {
        logs.fillDefaults(kTorvel2Oven, rig.hostTime().date().addDays(-rig.number(0, 400)));
        return;
    }
    QByteArray entries;
    const int count = rig.number(0, rig.chance(0.1) ? sim::SimLogStore::capacity(simKind(kind)) : 200);
    for (int i = 0; i < count; ++i) {
        const int type = rig.number(0, 15);
        entries += type == 0 && rig.chance(0.8)
                       ? sim::simDayEntry(rig.hostTime().date().addDays(-rig.number(0, 3000)))
                       : sim::simLogEntry(rig.number(0, 10079), rig.number(0, 255), type, rig.number(0, 15));
    }
    logs.setEntries(simKind(kind), entries);
}

QString entryText(const OperatingEntry &e)
{
    return QStringLiteral("%1 %2 %3 \"%4\" %5 %6 \"%7\"")
        .arg(e.Number)
        .arg(e.Date, e.Time, e.Event)
        .arg(e.Deck)
        .arg(e.Program)
        .arg(e.ProgramName);
}

// Dates and names only when the read went through (names come last, dates after them).
bool sameFromTheController(const OperatingEntry &shown, const OperatingEntry &truth, bool whole, bool datesToo)
{
    OperatingEntry a = shown;
    OperatingEntry b = truth;
    // A name whose fetch failed carries its marker; the entry itself is still the controller's.
    if (!whole || a.ProgramName.startsWith(QLatin1String("ERR:")))
        a.ProgramName = b.ProgramName;
    if (!datesToo)
        a.Date = b.Date;
    return a == b;
}
} // namespace

SoakOutcome soakLogRead(SoakRig &rig)
{
    // Up to 32 blocks and 99 names: few faults, no vanishing controller.
    rig.longTransfer();
    const LogKind kind = rig.chance(0.5) ? LogKind::OperatingData : LogKind::ErrorList;
    changeLog(rig, kind);
    LogReadOptions options;
    options.pcTime = rig.hostTime();
    options.reference.source = rig.chance(0.5) ? LogReference::Source::PcTime : LogReference::Source::TorvelTime;
    options.readComplete = rig.chance(0.1);

    rig.pauseFaults();
    OperatingList truth;
    const LogReadResult truthResult = ReadOperatingList(rig.torvel2Line(), kind, false, options, truth);
    rig.resumeFaults();
    rig.prompter().take();

    OperatingList &list = rig.logList();
    const LogReadResult result = ReadOperatingList(rig.torvel2Line(), kind, false, options, list);
    rig.logKind() = kind;

    // A log whose dates cannot be completed fails without faults too ("...-Fehler02!").
    if (result.ok && !truthResult.ok)
        rig.wrong(QStringLiteral("the log read reported success, without faults it fails"));
    // The same reference year, the same dates; a clock that could not be read may date otherwise.
    const bool datesToo = truthResult.ok && result.refYear == truthResult.refYear;
    if (list.header != truth.header)
        rig.wrong(QStringLiteral("log header \"%1\", without faults \"%2\"").arg(list.header, truth.header));
    if (result.ok && truthResult.ok && list.entries.size() != truth.entries.size())
        rig.wrong(QStringLiteral("the log read reported success with %1 entries, the log holds %2")
                      .arg(list.entries.size())
                      .arg(truth.entries.size()));
    if (list.entries.size() > truth.entries.size())
        rig.wrong(QStringLiteral("the log read shows %1 entries, the log holds %2")
                      .arg(list.entries.size())
                      .arg(truth.entries.size()));
    // A read that failed keeps the entries decoded before; those that stay are the controller's.
    for (qsizetype i = 0; i < qMin(list.entries.size(), truth.entries.size()); ++i) {
        if (!sameFromTheController(list.entries.at(i), truth.entries.at(i), result.ok, result.ok && datesToo)) {
            rig.wrong(QStringLiteral("log entry %1 reads %2, without faults %3")
                          .arg(i + 1)
                          .arg(entryText(list.entries.at(i)), entryText(truth.entries.at(i))));
            break;
        }
    }
    return result.ok ? SoakOutcome::Done : SoakOutcome::Failed;
}

SoakOutcome soakLogFile(SoakRig &rig)
{
    const LogKind kind = rig.logKind();
    const auto type = static_cast<LogFileType>(rig.number(0, 2));
    const QString fileName = rig.filePath(type == LogFileType::Tb2 ? QStringLiteral("soak.TB2") : QStringLiteral("soak.CSV"));
    SheetModel grid;
    setupLogGrid(grid, kind);
    ShowOperatingList(grid, rig.logList(), rig.chance(0.5));
    QString error;
    if (!saveOperatingFile(fileName, grid, rig.logList().header, kind, type, &error)) {
        rig.wrong(QStringLiteral("the log file cannot be written: ") + error);
        return SoakOutcome::Failed;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        rig.wrong(QStringLiteral("the log file just written cannot be opened"));
        return SoakOutcome::Failed;
    }
    const QByteArray written = file.readAll();
    if (type == LogFileType::CsvComma)
        return SoakOutcome::Done; // opening splits on ";" only: a file for other programs
    OperatingList back;
    if (!openOperatingFile(fileName, kind, &back, &error)) {
        rig.wrong(QStringLiteral("the log file just written does not read back: ") + error);
        return SoakOutcome::Failed;
    }
    // Shown again in the order the file holds, it must save as the same bytes.
    SheetModel again;
    setupLogGrid(again, kind);
    ShowOperatingList(again, back, false);
    if (logFileContent(again, back.header, logFileSeparator(type)) != written)
        rig.wrong(QStringLiteral("the log file reads back as something else than was written"));
    return SoakOutcome::Done;
}

} // namespace torvel::soak

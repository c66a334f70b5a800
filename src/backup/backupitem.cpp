#include "backupitem.h"

#include "bakeprog/programlistfiles.h"
#include "bakeprog/programlistread.h"
#include "bakeprog/programsheet.h"
#include "bakeprog/rangelist.h"
#include "link/commandengine.h"
#include "nightstart/nightfiles.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/nighttransfer.h"
#include "shell/appstate.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"
#include "tables/readyfetch.h"
#include "tables/readyfile.h"
#include "tables/readytexts.h"
#include "torvel2/recordfile.h"
#include "torvel2/recordtransfer.h"
#include "torvel2/torvelrecord.h"

#include <QStringList>

namespace torvel {

namespace {

// All programs the oven holds as a .TBR. A list with programs that did not arrive is not
// written: sent back, its blank rows would delete those programs on the oven.
QString savePrograms(BackupJob &job, const QString &file)
{
    SheetModel list;
    setupProgramSheet(list);
    const ProgramListRead read =
        readProgramList(job.state, job.engine, job.prompter, job.oven.oven, 1, std::nullopt, list);
    if (!read.reachable)
        return QStringLiteral("nicht erreichbar");
    if (!read.failed.isEmpty())
        return QStringLiteral("Programm %1 nicht gelesen").arg(numberRuns(read.failed));
    bool modified = false;
    ProgramListFiles files(list, job.state, job.prompter, modified);
    job.state.currentFileName = file;
    return files.saveRecord(ListFileKind::Tbr).done() ? QString() : QStringLiteral("Datei nicht geschrieben");
}

// Nothing is written when the read failed: such a file would send an empty week later.
QString saveNightStarts(BackupJob &job, const QString &file)
{
    SheetModel grid;
    setupNightStartGrid(grid);
    NightTransfer transfer(job.state, job.engine, job.prompter, grid);
    if (!transfer.read(job.oven.oven))
        return grid.text(kNightFirstValueRow, kNightFirstValueCol);
    QString error;
    return saveNightFile(grid, file, NightFileKind::Tbz, &error) ? QString() : error;
}

// The whole Torvel record as .vtr. Like the program list, a record with programs that did not
// arrive is not written: their "ERR:" rows would never go back to the oven.
QString saveTorvelRecord(BackupJob &job, const QString &file)
{
    TorvelRecord record;
    const RecordTransferResult read =
        ReadTorvelRecord(Torvel2Line{job.engine, job.prompter, job.oven.oven}, job.state, record);
    if (!read.ok) {
        const QString first = read.errors.section(QStringLiteral("\r\n"), 0, 0).trimmed();
        return first.isEmpty() ? QStringLiteral("nicht gelesen") : first;
    }
    if (!read.failedPrograms.isEmpty())
        return QStringLiteral("Programm %1 nicht gelesen").arg(numberRuns(read.failedPrograms));
    QString error;
    return saveRecordFile(file, record, &error) ? QString() : error;
}

// The oven's own ready table, repaired before it is kept (the record holds default blocks).
QString saveReadyTable(BackupJob &job, const QString &file)
{
    ReadyTable table;
    QString repaired;
    if (!readRepairedReadyTable(Torvel2Line{job.engine, job.prompter, job.oven.oven}, kReadyDecks, job.logFolder,
                                &table, &repaired))
        return readytext::readOutcome(job.oven.oven, false).chopped(1);
    if (!repaired.isEmpty())
        job.prompter.inform(readytext::kAchtung, repaired);
    QString error;
    return saveReadyFile(table, file, &error) ? QString() : error;
}

} // namespace

QList<BackupItem> ovenBackupItems()
{
    return {
        {QStringLiteral("Backprogramme"), QStringLiteral(".TBR"), false, savePrograms},
        {QStringLiteral("Nachtstartzeiten"), QStringLiteral(".TBZ"), false, saveNightStarts},
        {QStringLiteral("Torvel-Datensatz"), QStringLiteral(".vtr"), true, saveTorvelRecord},
        {QStringLiteral("Bereittabelle"), QStringLiteral(".TBT"), true, saveReadyTable},
    };
}

} // namespace torvel

#include "backupitem.h"

#include "bakeprog/programlistfiles.h"
#include "bakeprog/programlistread.h"
#include "bakeprog/programsheet.h"
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

#include <QStringList>

namespace torvel {

namespace {

// All programs the oven holds as a .TBR. Programs that failed are written without a name, as
// the list saves them, and named in the answer.
QString savePrograms(BackupJob &job, const QString &file)
{
    SheetModel list;
    setupProgramSheet(list);
    const ProgramListRead read =
        readProgramList(job.state, job.engine, job.prompter, job.oven.oven, 1, std::nullopt, list);
    if (!read.reachable)
        return QStringLiteral("nicht erreichbar");
    bool modified = false;
    ProgramListFiles files(list, job.state, job.prompter, modified);
    job.state.currentFileName = file;
    if (!files.saveRecord(ListFileKind::Tbr).done())
        return QStringLiteral("Datei nicht geschrieben");
    if (read.failed.isEmpty())
        return {};
    QStringList numbers;
    for (const int n : read.failed)
        numbers << QString::number(n);
    return QStringLiteral("Programm %1 nicht gelesen").arg(numbers.join(QLatin1Char(' ')));
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

// The oven's own ready table, repaired before it is kept.
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
        {QStringLiteral("Bereittabelle"), QStringLiteral(".TBT"), true, saveReadyTable},
    };
}

} // namespace torvel

// night read / send / diff: the night start times of one oven to and from a file, what a
// send of a file would change; and the conversion between the two night start files.

#include "clicontext.h"
#include "nightconvert.h"

#include "nightstart/nightcheck.h"
#include "nightstart/nightcompare.h"
#include "nightstart/nightfiles.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/nighttransfer.h"
#include "shell/prompter.h"
#include "shell/sheetmodel.h"

namespace torvel::cli {

namespace {

const QString kFileHint = QStringLiteral("mit der Endung .TBZ oder .NGT");

bool isNightFile(const QString &file)
{
    return nightFileKind(file) != NightFileKind::None;
}

// A fresh grid filled from the file; false (message printed) when the file cannot be used.
bool readNightFile(CliContext &ctx, const QString &file, SheetModel &grid)
{
    setupNightStartGrid(grid);
    QString error;
    if (loadNightFile(file, nightFileKind(file), grid, &error))
        return true;
    ctx.err << error << Qt::endl;
    return false;
}

bool writeNightFile(CliContext &ctx, const SheetModel &grid, const QString &file)
{
    QString error;
    if (saveNightFile(grid, file, nightFileKind(file), &error))
        return true;
    ctx.err << error << Qt::endl;
    return false;
}

int nightRead(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("night read");
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Zieldatei (.TBZ oder .NGT)."), QStringLiteral("FILE"));
    parser.addOption(output);
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const QString file = parser.value(output);
    if (nightFileKind(file) == NightFileKind::None || !parser.positionalArguments().isEmpty()) {
        ctx.err << command << ": -o FILE " << kFileHint << " angeben." << Qt::endl;
        return ExitUsage;
    }
    const int oven = ctx.state.selectedOven();
    SheetModel grid;
    setupNightStartGrid(grid);
    NightTransfer transfer(ctx.state, ctx.link.engine(), ctx.prompter, grid);
    if (!transfer.read(oven)) {
        // Nothing is written: a file of a failed read would send an empty week later.
        ctx.err << "Nachtstartzeiten von Ofen " << oven << " nicht gelesen: "
                << grid.text(kNightFirstValueRow, kNightFirstValueCol) << Qt::endl;
        return ExitControllerFailed;
    }
    if (!writeNightFile(ctx, grid, file))
        return ExitUsage;
    ctx.out << "Nachtstartzeiten von Ofen " << oven << " gelesen: " << file << Qt::endl;
    return ExitOk;
}

int nightSend(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("night send");
    QCommandLineParser parser;
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const auto file = singleFileArgument(parser, command, isNightFile, kFileHint, ctx);
    if (!file)
        return ExitUsage;
    SheetModel grid;
    if (!readNightFile(ctx, *file, grid))
        return ExitUsage;
    const int oven = ctx.state.selectedOven();
    NightTransfer transfer(ctx.state, ctx.link.engine(), ctx.prompter, grid);
    switch (transfer.send(oven)) {
    case NightSendResult::Sent:
        ctx.out << "Nachtstartzeiten an Ofen " << oven << " gesendet." << Qt::endl;
        return ExitOk;
    case NightSendResult::Refused:
        return ExitUsage; // the cell was named on standard error; the line stayed quiet
    case NightSendResult::NotReachable:
    case NightSendResult::NotAccepted:
    case NightSendResult::NotAcknowledged:
    case NightSendResult::Aborted:
        break;
    }
    return ExitControllerFailed;
}

// Exit 0: a send would change nothing; 1: it would; 2: the file, the arguments or the oven
// stood in the way.
int nightDiff(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("night diff");
    QCommandLineParser parser;
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const auto file = singleFileArgument(parser, command, isNightFile, kFileHint, ctx);
    if (!file)
        return ExitUsage;
    SheetModel grid;
    if (!readNightFile(ctx, *file, grid))
        return ExitUsage;
    if (const auto problem = findInvalidNightCell(grid)) {
        ctx.prompter.inform(kNightCellProblemCaption, nightCompareProblemText(*problem));
        return ExitUsage;
    }
    const int oven = ctx.state.selectedOven();
    const auto onOven = readOvenNightRecord(ctx.state, ctx.link.engine(), ctx.prompter, oven);
    if (!onOven) {
        ctx.err << nightReadOutcome(oven, false, false) << Qt::endl;
        return ExitUsage;
    }
    const NightStartRecord mine = nightRecordAsSent(grid);
    const QList<NightCellDiff> diffs = compareNightRecords(mine, *onOven);
    for (const QString &line : nightDifferenceLines(diffs, mine, *onOven))
        ctx.out << line << Qt::endl;
    ctx.err << nightCompareSummary(oven, diffs) << Qt::endl;
    return diffs.isEmpty() ? ExitOk : ExitControllerFailed;
}

} // namespace

int convertNightFile(CliContext &ctx, const QString &in, const QString &out)
{
    if (nightFileKind(in) == NightFileKind::None || nightFileKind(out) == NightFileKind::None) {
        ctx.err << "convert: Nachtstartzeiten-Dateien " << kFileHint << " angeben." << Qt::endl;
        return ExitUsage;
    }
    SheetModel grid;
    if (!readNightFile(ctx, in, grid) || !writeNightFile(ctx, grid, out))
        return ExitUsage;
    ctx.out << "Nachtstartzeiten umgewandelt: " << in << " -> " << out << Qt::endl;
    return ExitOk;
}

QList<CliCommand> nightCommands()
{
    return {
        {QStringLiteral("night read"),
         QStringLiteral("-o FILE: Nachtstartzeiten der Steuerung (--oven) lesen (.TBZ oder .NGT)"), nightRead},
        {QStringLiteral("night send"),
         QStringLiteral("FILE: Nachtstartzeiten aus FILE (.TBZ oder .NGT) zur Steuerung (--oven) senden"), nightSend},
        {QStringLiteral("night diff"),
         QStringLiteral("FILE: zeigt je Tag, was ein Senden von FILE ändern würde (Rückgabe 0 gleich, "
                        "1 verschieden, 2 Fehler)"),
         nightDiff},
    };
}

} // namespace torvel::cli

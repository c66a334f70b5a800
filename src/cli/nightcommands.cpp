// night read / night send: the night start times of one oven to and from a file; and the
// conversion between the two night start files.

#include "clicontext.h"
#include "nightconvert.h"

#include "nightstart/nightfiles.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/nighttransfer.h"
#include "shell/sheetmodel.h"

namespace torvel::cli {

namespace {

const QString kFileHint = QStringLiteral("mit der Endung .TBZ oder .NGT");

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
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1 || nightFileKind(files.first()) == NightFileKind::None) {
        ctx.err << command << ": genau eine Datei " << kFileHint << " angeben." << Qt::endl;
        return ExitUsage;
    }
    SheetModel grid;
    if (!readNightFile(ctx, files.first(), grid))
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
    };
}

} // namespace torvel::cli

// oplog read / oplog clear / errors read / errors clear: the operating data and the error
// list of a second-generation oven, read into a .TB2 or .CSV file or cleared.

#include "clicontext.h"

#include "oplog/logfile.h"
#include "oplog/loggrid.h"
#include "oplog/logtexts.h"
#include "oplog/logtransfer.h"
#include "shell/sheetmodel.h"
#include "torvel2/torvel2address.h"

namespace torvel::cli {

namespace {

bool isLogFile(const QString &file)
{
    return file.size() > 4
           && (file.endsWith(QStringLiteral(".TB2"), Qt::CaseInsensitive)
               || file.endsWith(QStringLiteral(".CSV"), Qt::CaseInsensitive));
}

QString commandWord(LogKind kind)
{
    return kind == LogKind::OperatingData ? QStringLiteral("oplog") : QStringLiteral("errors");
}

int logRead(CliContext &ctx, const QStringList &args, LogKind kind)
{
    const QString command = commandWord(kind) + QStringLiteral(" read");
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Zieldatei (.TB2 oder .CSV)."), QStringLiteral("FILE"));
    parser.addOption(output);
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const QString file = parser.value(output);
    if (!isLogFile(file) || !parser.positionalArguments().isEmpty()) {
        ctx.err << command << ": -o FILE mit der Endung .TB2 oder .CSV angeben." << Qt::endl;
        return ExitUsage;
    }
    const int oven = ctx.state.selectedOven();
    // The window's defaults: the controller's clock as the reference (an unreadable clock asks
    // whether the PC's time will do: --yes), years checked, no IgnoreError, no ReadComplete.
    LogReadOptions options;
    options.reference.source = LogReference::Source::TorvelTime;
    options.reference.CheckYear = true;
    OperatingList list;
    const LogReadResult result =
        ReadOperatingList(Torvel2Line{ctx.link.engine(), ctx.prompter, oven}, kind, true, options, list);
    if (!result.ok) {
        ctx.err << logtext::readOutcome(kind, oven, false, result.aborted, static_cast<int>(list.entries.size()))
                << Qt::endl;
        return ExitControllerFailed;
    }
    SheetModel grid;
    setupLogGrid(grid, kind);
    ShowOperatingList(grid, list, true);
    QString error;
    if (!saveOperatingFile(file, grid, list.header, kind, logFileTypeOfName(file), &error)) {
        ctx.err << logtext::saveFailed(kind) << Qt::endl << error << Qt::endl;
        return ExitUsage;
    }
    ctx.out << logtext::readOutcome(kind, oven, true, false, static_cast<int>(list.entries.size())).chopped(1) << ": "
            << file << Qt::endl;
    return ExitOk;
}

int logClear(CliContext &ctx, const QStringList &args, LogKind kind)
{
    const QString command = commandWord(kind) + QStringLiteral(" clear");
    QCommandLineParser parser;
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    if (!parser.positionalArguments().isEmpty()) {
        ctx.err << command << ": unerwartete Angabe \"" << parser.positionalArguments().first() << "\"" << Qt::endl;
        return ExitUsage;
    }
    const int oven = ctx.state.selectedOven();
    const LogClearResult result =
        ClearOperatingLog(Torvel2Line{ctx.link.engine(), ctx.prompter, oven}, kind, true, nullptr);
    const bool asked = result != LogClearResult::NotConfirmed;
    const bool cleared = result == LogClearResult::Cleared;
    (cleared ? ctx.out : ctx.err) << logtext::clearOutcome(kind, oven, cleared, asked) << Qt::endl;
    if (!asked)
        return ExitUsage; // nothing went on the line without --yes
    return cleared ? ExitOk : ExitControllerFailed;
}

} // namespace

QList<CliCommand> oplogCommands()
{
    return {
        {QStringLiteral("oplog read"),
         QStringLiteral("-o FILE: Betriebsdaten der Steuerung (--oven, zweite Generation) lesen (.TB2 oder .CSV)"),
         [](CliContext &ctx, const QStringList &args) { return logRead(ctx, args, LogKind::OperatingData); }},
        {QStringLiteral("oplog clear"), QStringLiteral("Betriebsdaten der Steuerung (--oven) löschen (nur mit --yes)"),
         [](CliContext &ctx, const QStringList &args) { return logClear(ctx, args, LogKind::OperatingData); }},
        {QStringLiteral("errors read"),
         QStringLiteral("-o FILE: Fehlerliste der Steuerung (--oven, zweite Generation) lesen (.TB2 oder .CSV)"),
         [](CliContext &ctx, const QStringList &args) { return logRead(ctx, args, LogKind::ErrorList); }},
        {QStringLiteral("errors clear"), QStringLiteral("Fehlerliste der Steuerung (--oven) löschen (nur mit --yes)"),
         [](CliContext &ctx, const QStringList &args) { return logClear(ctx, args, LogKind::ErrorList); }},
    };
}

} // namespace torvel::cli

// ready read / ready send: the ready table of a second-generation oven (all days, decks 1..9)
// to and from a .TBT file.

#include "clicontext.h"

#include "shell/prompter.h"
#include "tables/readyfetch.h"
#include "tables/readyfile.h"
#include "tables/readytexts.h"
#include "tables/readytransfer.h"
#include "tables/readyvalidate.h"
#include "torvel2/torvel2address.h"

namespace torvel::cli {

namespace {

bool isTbtFile(const QString &file)
{
    return file.endsWith(QStringLiteral(".TBT"), Qt::CaseInsensitive) && file.size() > 4;
}

const QString kReadyReports = QStringLiteral("\"Bereittab_Check.txt\"");

int readyRead(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("ready read");
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Zieldatei (.TBT)."), QStringLiteral("FILE"));
    const QCommandLineOption log = logOption(kReadyReports);
    parser.addOptions({output, log});
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const QString file = parser.value(output);
    if (!isTbtFile(file) || !parser.positionalArguments().isEmpty()) {
        ctx.err << command << ": -o FILE mit der Endung .TBT angeben." << Qt::endl;
        return ExitUsage;
    }
    const int oven = ctx.state.selectedOven();
    ReadyTable table;
    QString repaired;
    if (!readRepairedReadyTable(Torvel2Line{ctx.link.engine(), ctx.prompter, oven}, kReadyDecks,
                                logFolder(parser, log), &table, &repaired)) {
        ctx.err << readytext::readOutcome(oven, false) << Qt::endl;
        return ExitControllerFailed;
    }
    if (!repaired.isEmpty())
        ctx.prompter.inform(readytext::kAchtung, repaired);
    QString error;
    if (!saveReadyFile(table, file, &error)) {
        ctx.err << readytext::kSaveFailed << Qt::endl << error << Qt::endl;
        return ExitUsage;
    }
    ctx.out << readytext::readOutcome(oven, true).chopped(1) << ": " << file << Qt::endl;
    return ExitOk;
}

int readySend(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("ready send");
    QCommandLineParser parser;
    const QCommandLineOption log = logOption(kReadyReports);
    parser.addOption(log);
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const auto file = singleFileArgument(parser, command, isTbtFile, QStringLiteral("mit der Endung .TBT"), ctx);
    if (!file)
        return ExitUsage;
    ReadyTable table;
    ReadyBlockFlags flags;
    QString error;
    QString repaired;
    if (!openReadyFile(*file, logFolder(parser, log), &table, &flags, &error, &repaired)) {
        ctx.err << readytext::kOpenFailed << Qt::endl << error << Qt::endl;
        return ExitUsage; // nothing went on the line
    }
    if (!repaired.isEmpty())
        ctx.prompter.inform(readytext::kAchtung, repaired);
    const QString missing = missingReadyBlocks(flags, kReadyDecks);
    if (!missing.isEmpty()) {
        ctx.prompter.inform(readytext::kAttention, readytext::missingBlocksMessage(missing));
        return ExitUsage;
    }
    const int oven = ctx.state.selectedOven();
    if (WriteReadyTable(Torvel2Line{ctx.link.engine(), ctx.prompter, oven}, kReadyDecks, table) != ReadyRun::Done) {
        ctx.err << readytext::sendOutcome(oven, false) << Qt::endl;
        return ExitControllerFailed;
    }
    ctx.out << readytext::sendOutcome(oven, true) << Qt::endl;
    return ExitOk;
}

} // namespace

QList<CliCommand> readyCommands()
{
    return {
        {QStringLiteral("ready read"),
         QStringLiteral("-o FILE [--log DIR]: Bereittabelle der Steuerung (--oven, Herde 1 bis 9) lesen, geprüft "
                        "als .TBT sichern"),
         readyRead},
        {QStringLiteral("ready send"),
         QStringLiteral("FILE [--log DIR]: Bereittabelle aus FILE (.TBT, geprüft) zur Steuerung (--oven) senden"),
         readySend},
    };
}

} // namespace torvel::cli

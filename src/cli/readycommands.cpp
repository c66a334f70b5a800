// ready read / ready send: the ready table of a second-generation oven (all days, decks 1..9)
// to and from a .TBT file.

#include "clicontext.h"

#include "shell/prompter.h"
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

QCommandLineOption logOption()
{
    return QCommandLineOption(QStringLiteral("log"),
                              QStringLiteral("Ordner für \"Bereittab_Check.txt\" (Vorgabe: log neben dem Programm)."),
                              QStringLiteral("DIR"));
}

QString logFolder(const QCommandLineParser &parser, const QCommandLineOption &option)
{
    return parser.isSet(option) ? parser.value(option) : defaultLogFolder();
}

int readyRead(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("ready read");
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Zieldatei (.TBT)."), QStringLiteral("FILE"));
    const QCommandLineOption log = logOption();
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
    ReadyBlockFlags flags;
    QString report;
    if (ReadReadyTable(Torvel2Line{ctx.link.engine(), ctx.prompter, oven}, kReadyDecks, table, flags, report)
        != ReadyRun::Done) {
        ctx.err << readytext::readOutcome(oven, false) << Qt::endl;
        return ExitControllerFailed;
    }
    // Repaired as the window does before anything is kept.
    QString repaired;
    if (ValidateReadyTable(table, repaired, logFolder(parser, log)))
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
    const QCommandLineOption log = logOption();
    parser.addOption(log);
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1 || !isTbtFile(files.first())) {
        ctx.err << command << ": genau eine Datei mit der Endung .TBT angeben." << Qt::endl;
        return ExitUsage;
    }
    ReadyTable table;
    ReadyBlockFlags flags;
    QString error;
    QString repaired;
    if (!openReadyFile(files.first(), logFolder(parser, log), &table, &flags, &error, &repaired)) {
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

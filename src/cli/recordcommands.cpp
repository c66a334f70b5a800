// record read / record send: the whole Torvel record of a second-generation oven (bake
// programs, night starts, gradient table, ready table, configuration) to and from a .vtr file.

#include "clicontext.h"

#include "bakeprog/rangelist.h"
#include "shell/prompter.h"
#include "tables/readyvalidate.h"
#include "torvel2/recordfile.h"
#include "torvel2/recordnights.h"
#include "torvel2/recordtransfer.h"
#include "torvel2/torvel2address.h"

namespace torvel::cli {

namespace {

bool isRecordFile(const QString &file)
{
    return file.endsWith(QStringLiteral(".vtr"), Qt::CaseInsensitive) && file.size() > 4;
}

const QString kRecordReports = QStringLiteral("die Prüfberichte");

int recordRead(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("record read");
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Zieldatei (.vtr)."), QStringLiteral("FILE"));
    parser.addOption(output);
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const QString file = parser.value(output);
    if (!isRecordFile(file) || !parser.positionalArguments().isEmpty()) {
        ctx.err << command << ": -o FILE mit der Endung .vtr angeben." << Qt::endl;
        return ExitUsage;
    }
    const int oven = ctx.state.selectedOven();
    TorvelRecord record;
    const RecordTransferResult result =
        ReadTorvelRecord(Torvel2Line{ctx.link.engine(), ctx.prompter, oven}, ctx.state, record);
    if (!result.ok) {
        ctx.err << QStringLiteral("Torvelrecord von Ofen %1 konnte nicht gelesen werden.").arg(oven) << Qt::endl;
        return ExitControllerFailed;
    }
    QString error;
    if (!saveRecordFile(file, record, &error)) {
        ctx.err << error << Qt::endl;
        return ExitUsage;
    }
    ctx.out << QStringLiteral("Torvelrecord von Ofen %1 (Version %2) gelesen: %3")
                   .arg(oven)
                   .arg(result.version.text, file)
            << Qt::endl;
    if (!result.failedPrograms.isEmpty())
        ctx.out << QStringLiteral("Backprogramme mit Fehler: %1").arg(numberRuns(result.failedPrograms)) << Qt::endl;
    return ExitOk;
}

int recordSend(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("record send");
    QCommandLineParser parser;
    const QCommandLineOption log = logOption(kRecordReports);
    parser.addOption(log);
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const auto file = singleFileArgument(parser, command, isRecordFile, QStringLiteral("mit der Endung .vtr"), ctx);
    if (!file)
        return ExitUsage;
    TorvelRecord record;
    RecordOpenOptions options;
    options.logFolder = logFolder(parser, log);
    QString problem;
    switch (openRecordFile(*file, record, ctx.prompter, options, &problem)) {
    case RecordOpen::Opened:
        break;
    case RecordOpen::CrcDeclined:
        ctx.err << command << ": CRC-Checksumme stimmt nicht; mit --yes trotzdem senden." << Qt::endl;
        return ExitControllerFailed;
    default:
        if (!problem.isEmpty())
            ctx.err << problem << Qt::endl;
        return ExitUsage; // nothing went on the line
    }
    // Checked before the oven is addressed: a record that cannot go whole goes not at all.
    if (const auto invalid = invalidRecordNightEntry(record)) {
        ctx.err << *invalid << Qt::endl;
        return ExitUsage;
    }
    const int oven = ctx.state.selectedOven();
    const RecordTransferResult result =
        SendTorvelRecord(Torvel2Line{ctx.link.engine(), ctx.prompter, oven}, ctx.state, record);
    if (!result.ok) {
        ctx.err << QStringLiteral("Torvelrecord an Ofen %1 nicht übertragen.").arg(oven) << Qt::endl;
        return ExitControllerFailed;
    }
    ctx.out << QStringLiteral("Torvelrecord an Ofen %1 übertragen.").arg(oven) << Qt::endl;
    return ExitOk;
}

} // namespace

QList<CliCommand> recordCommands()
{
    return {
        {QStringLiteral("record read"),
         QStringLiteral("-o FILE: den ganzen Torvelrecord der Steuerung (--oven) lesen und als .vtr sichern"),
         recordRead},
        {QStringLiteral("record send"),
         QStringLiteral("FILE [--log DIR]: Torvelrecord aus FILE (.vtr) zur Steuerung (--oven) senden"), recordSend},
    };
}

} // namespace torvel::cli

// gradient read / gradient send: the gradient table of a second-generation oven to and from
// a .TST file.

#include "clicontext.h"

#include "tables/gradientfile.h"
#include "tables/gradienttexts.h"
#include "tables/gradienttransfer.h"
#include "torvel2/torvel2address.h"

namespace torvel::cli {

namespace {

bool isTstFile(const QString &file)
{
    return file.endsWith(QStringLiteral(".TST"), Qt::CaseInsensitive) && file.size() > 4;
}

int gradientRead(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("gradient read");
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Zieldatei (.TST)."), QStringLiteral("FILE"));
    parser.addOption(output);
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const QString file = parser.value(output);
    if (!isTstFile(file) || !parser.positionalArguments().isEmpty()) {
        ctx.err << command << ": -o FILE mit der Endung .TST angeben." << Qt::endl;
        return ExitUsage;
    }
    const int oven = ctx.state.selectedOven();
    GradientTable table = emptyGradientTable();
    // IgnoreError stays off: a block with a bad CRC is never written to a file.
    if (!ReadGradientTable(Torvel2Line{ctx.link.engine(), ctx.prompter, oven}, true, table)) {
        ctx.err << gradienttext::readOutcome(oven, false) << Qt::endl;
        return ExitControllerFailed;
    }
    QString error;
    if (!saveGradientFile(table, file, &error)) {
        ctx.err << gradienttext::kSaveFailed << Qt::endl << error << Qt::endl;
        return ExitUsage;
    }
    ctx.out << gradienttext::readOutcome(oven, true).chopped(1) << ": " << file << Qt::endl;
    return ExitOk;
}

int gradientSend(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("gradient send");
    QCommandLineParser parser;
    if (!parseCommandArguments(parser, command, args, ctx))
        return ExitUsage;
    const auto file = singleFileArgument(parser, command, isTstFile, QStringLiteral("mit der Endung .TST"), ctx);
    if (!file)
        return ExitUsage;
    GradientTable table = emptyGradientTable();
    QString error;
    if (!loadGradientFile(*file, &table, &error)) {
        ctx.err << gradienttext::kLoadFailed << Qt::endl << error << Qt::endl;
        return ExitUsage; // nothing went on the line
    }
    const int oven = ctx.state.selectedOven();
    if (!WriteGradientTable(Torvel2Line{ctx.link.engine(), ctx.prompter, oven}, table, true)) {
        ctx.err << gradienttext::sendOutcome(oven, false) << Qt::endl;
        return ExitControllerFailed;
    }
    ctx.out << gradienttext::sendOutcome(oven, true) << Qt::endl;
    return ExitOk;
}

} // namespace

QList<CliCommand> gradientCommands()
{
    return {
        {QStringLiteral("gradient read"),
         QStringLiteral("-o FILE: Steigungstabelle der Steuerung (--oven, ab Firmware 4.00 r25) lesen (.TST)"),
         gradientRead},
        {QStringLiteral("gradient send"),
         QStringLiteral("FILE: Steigungstabelle aus FILE (.TST) zur Steuerung (--oven) senden"), gradientSend},
    };
}

} // namespace torvel::cli

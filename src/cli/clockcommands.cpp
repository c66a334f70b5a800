// clock read, clock set: the controller's clock of the selected oven.

#include "clicontext.h"
#include "clock/clockread.h"
#include "clock/clockset.h"
#include "clock/clocktexts.h"

namespace torvel::cli {

namespace {

const QString kTimeFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

bool noPositional(const QString &command, const QCommandLineParser &parser, CliContext &ctx)
{
    if (parser.positionalArguments().isEmpty())
        return true;
    ctx.err << command << ": unerwartete Angabe \"" << parser.positionalArguments().first() << "\"" << Qt::endl;
    return false;
}

int clockRead(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("clock read");
    QCommandLineParser parser;
    if (!parseCommandArguments(parser, command, args, ctx) || !noPositional(command, parser, ctx))
        return ExitUsage;
    const ClockReading reading = ReadControllerClock(ctx.link.engine(), ctx.state.selectedOven());
    if (!reading.ok()) {
        ctx.out << clockReadingText(reading) << Qt::endl;
        return ExitControllerFailed;
    }
    ctx.out << reading.time.toString(kTimeFormat) << Qt::endl;
    return ExitOk;
}

int clockSet(CliContext &ctx, const QStringList &args)
{
    const QString command = QStringLiteral("clock set");
    QCommandLineParser parser;
    const QCommandLineOption timeOption(QStringLiteral("time"),
                                        QStringLiteral("Zu stellende Zeit \"TT.MM.JJJJ hh:mm:ss\" (Vorgabe: PC-Zeit)."),
                                        QStringLiteral("ZEIT"));
    parser.addOption(timeOption);
    if (!parseCommandArguments(parser, command, args, ctx) || !noPositional(command, parser, ctx))
        return ExitUsage;
    QDateTime time = QDateTime::currentDateTime();
    if (parser.isSet(timeOption)) {
        time = QDateTime::fromString(parser.value(timeOption).trimmed(), kTimeFormat);
        if (!time.isValid()) {
            ctx.err << command << ": Zeit muss \"TT.MM.JJJJ hh:mm:ss\" sein: " << parser.value(timeOption)
                    << Qt::endl;
            return ExitUsage;
        }
    }
    const int code = SetControllerClock(ctx.link.engine(), ctx.state.selectedOven(), time);
    ctx.out << clockSetOutcomeText(code) << Qt::endl;
    return code == ClockSetOk ? ExitOk : ExitControllerFailed;
}

} // namespace

QList<CliCommand> clockCommands()
{
    return {
        {QStringLiteral("clock read"), QStringLiteral("Uhrzeit der Steuerung (--oven) ausgeben"), clockRead},
        {QStringLiteral("clock set"),
         QStringLiteral("[--time \"TT.MM.JJJJ hh:mm:ss\"]: Uhr der Steuerung stellen (Vorgabe: PC-Zeit)"),
         clockSet},
    };
}

} // namespace torvel::cli

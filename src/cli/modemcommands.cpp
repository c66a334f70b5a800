// --dial and the modem commands: any command through the PC modem, and setting up and
// checking both modems.

#include "clicontext.h"

#include "modem/modeminit.h"
#include "modem/modemsession.h"
#include "modem/phonebook.h"

#include <QCoreApplication>

namespace torvel::cli {

namespace {

// "pc" or "torvel"; nullopt (and a message) otherwise.
std::optional<ModemKind> modemKind(const QString &command, const QStringList &args, CliContext &ctx)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("MODEM"), QStringLiteral("pc oder torvel"));
    if (!parseCommandArguments(parser, command, args, ctx))
        return std::nullopt;
    const QStringList words = parser.positionalArguments();
    if (words.size() == 1 && words.first().compare(QLatin1String("pc"), Qt::CaseInsensitive) == 0)
        return ModemKind::Pc;
    if (words.size() == 1 && words.first().compare(QLatin1String("torvel"), Qt::CaseInsensitive) == 0)
        return ModemKind::Torvel;
    ctx.err << command << ": pc oder torvel angeben" << Qt::endl;
    return std::nullopt;
}

int checkAndReport(CliContext &ctx, const ModemPort &port, ModemKind kind, bool afterInit)
{
    const bool take38400 = ctx.link.transport() && ctx.link.transport()->baudRate() == 38400;
    const ModemCheckPair checks = CheckModem(port, kind, take38400, programDir());
    QString caption;
    ctx.out << QString(checkReportText(checks, afterInit, &caption)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
            << Qt::endl;
    return checks.correct() ? ExitOk : ExitControllerFailed;
}

// InitError lines go to standard error; the modem's refusals stay in the memo.
void reportInitErrors(CliContext &ctx, MemoLog &log)
{
    QObject::connect(&log, &MemoLog::changed, [&ctx, &log] {
        if (!log.lines().isEmpty() && log.lines().last().contains(QLatin1String("InitError")))
            ctx.err << log.lines().last() << Qt::endl;
    });
}

int modemInit(CliContext &ctx, const QStringList &args)
{
    const auto kind = modemKind(QStringLiteral("modem init"), args, ctx);
    if (!kind)
        return ExitUsage;
    MemoLog errors;
    reportInitErrors(ctx, errors);
    const ModemPort port{ctx.link.engine(), &errors};
    InitialiseModem(port, *kind);
    return checkAndReport(ctx, port, *kind, true);
}

int modemCheck(CliContext &ctx, const QStringList &args)
{
    const auto kind = modemKind(QStringLiteral("modem check"), args, ctx);
    if (!kind)
        return ExitUsage;
    const ModemPort port{ctx.link.engine(), nullptr};
    return checkAndReport(ctx, port, *kind, false);
}

} // namespace

QString programDir()
{
    return QCoreApplication::applicationDirPath();
}

void setUpModemSession(CliContext &ctx, ModemSession &session)
{
    session.options().dir = programDir();
    session.options().guardTimeMs = ctx.guardTimeMs;
    session.options().take38400 = ctx.link.transport() && ctx.link.transport()->baudRate() == 38400;
    reportInitErrors(ctx, session.errorLog());
}

int runThroughModem(CliContext &ctx, const QString &target, int guardTimeMs, const std::function<int()> &command)
{
    ModemSession session(ctx.state, ctx.link.engine(), ctx.prompter);
    setUpModemSession(ctx, session);
    session.options().guardTimeMs = guardTimeMs;

    // A name from the phone book stands for its number.
    QString number = target;
    PhoneBook book;
    if (loadPhoneBook(phoneBookPath(programDir()), &book)) {
        for (const PhoneBookEntry &e : std::as_const(book))
            if (e.name == target)
                number = numberForName(book, target);
    }
    if (session.dial(number) != DialResult::Connected)
        return ExitControllerFailed;
    const int code = command();
    session.settle(); // a connection lost meanwhile: hung up and told
    if (session.connectionLost())
        return ExitControllerFailed;
    session.hangUp();
    return code;
}

QList<CliCommand> modemCommands()
{
    return {
        {QStringLiteral("modem init"),
         QStringLiteral("pc|torvel: das Modem an der Schnittstelle einrichten und prüfen"), modemInit},
        {QStringLiteral("modem check"), QStringLiteral("pc|torvel: die Einstellungen des Modems prüfen"), modemCheck},
    };
}

} // namespace torvel::cli

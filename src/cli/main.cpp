// torvelctl: scripted reads, sends and backups over the same code as the desktop program.

#include "clicontext.h"
#include "cliprompter.h"
#include "link/monitorexport.h"
#include "link/portname.h"
#include "shell/torvelsettings.h"
#include "transportfactory.h"

#include <QCoreApplication>
#include <QCommandLineParser>

#include <cstdio>

using namespace torvel;
using namespace torvel::cli;

namespace {

QString helpText(const QCommandLineParser &parser)
{
    QString text = parser.helpText();
    text += QStringLiteral("\nBefehle:\n");
    // One line per command: its words and arguments, then what it does. A synopsis reads
    // "ARGUMENTS: description" or is a description alone.
    QList<QPair<QString, QString>> lines;
    qsizetype width = 0;
    for (const CliCommand &c : allCommands()) {
        const qsizetype colon = c.synopsis.indexOf(QLatin1String(": "));
        const QString usage = colon < 0 ? c.name : c.name + QLatin1Char(' ') + c.synopsis.left(colon);
        lines.append({usage, colon < 0 ? c.synopsis : c.synopsis.mid(colon + 2)});
        width = std::max(width, usage.size());
    }
    for (const auto &[usage, description] : std::as_const(lines))
        text += QStringLiteral("  %1  %2\n").arg(usage, -int(width)).arg(description);
    text += QStringLiteral("\nPORT: COMn, ein Gerätepfad (z. B. /dev/ttyUSB0, /dev/pts/7) oder SIM "
                           "(die eingebaute simulierte Backstraße) oder SIMMODEM (simulierte Bäckereien hinter einem simulierten Modem, mit --dial).\n"
                           "Rückgabewerte: 0 Erfolg, 1 die Steuerung hat versagt, 2 Aufruf- oder Dateifehler.\n");
    return text;
}

// The command whose words start args (the longest match), or nullptr.
const CliCommand *findCommand(const QList<CliCommand> &commands, const QStringList &args, int *wordCount)
{
    const CliCommand *best = nullptr;
    for (const CliCommand &c : commands) {
        const QStringList words = c.name.split(QLatin1Char(' '));
        if (words.size() > args.size() || (best && words.size() <= *wordCount))
            continue;
        if (args.mid(0, words.size()) == words) {
            best = &c;
            *wordCount = static_cast<int>(words.size());
        }
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("torvelctl"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("WinTorvel auf der Kommandozeile: lesen, senden, sichern."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Diese Hilfe anzeigen."));
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Schnittstelle (Vorgabe: die gespeicherte, sonst COM3)."),
                                        QStringLiteral("PORT"));
    const QCommandLineOption ovenOption(QStringLiteral("oven"), QStringLiteral("Ofen 1 bis 7 (Vorgabe 1)."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption baudOption(QStringLiteral("baud"), QStringLiteral("9600 oder 38400 (Vorgabe 9600)."),
                                        QStringLiteral("BAUD"), QStringLiteral("9600"));
    const QCommandLineOption addtoOption(QStringLiteral("addto"),
                                         QStringLiteral("Zusätzliche Wartezeit je Übertragung in ms."),
                                         QStringLiteral("MS"));
    const QCommandLineOption monitorOption(QStringLiteral("monitor"),
                                           QStringLiteral("Alle Übertragungen als Tabelle in FILE schreiben."),
                                           QStringLiteral("FILE"));
    const QCommandLineOption yesOption(QStringLiteral("yes"), QStringLiteral("Rückfragen mit Ja beantworten."));
    const QCommandLineOption dialOption(
        QStringLiteral("dial"),
        QStringLiteral("Den Befehl über das Modem ausführen: NUMMER (oder Name im Telefonbuch) wählen, danach auflegen."),
        QStringLiteral("NUMMER"));
    const QCommandLineOption guardOption(QStringLiteral("guard-time"),
                                         QStringLiteral("Schutzzeit um \"+++\" beim Auflegen in ms (Vorgabe 1000)."),
                                         QStringLiteral("MS"), QStringLiteral("1000"));
    parser.addOptions({helpOption, portOption, ovenOption, baudOption, addtoOption, monitorOption, yesOption,
                       dialOption, guardOption});
    parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("Befehl, siehe unten."));

    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << Qt::endl;
        return ExitUsage;
    }
    if (parser.isSet(helpOption)) {
        out << helpText(parser);
        return ExitOk;
    }

    AppState state;
    bool ok = false;
    const int oven = parser.value(ovenOption).toInt(&ok);
    if (!ok || oven < 1 || oven > 7) {
        err << "Ofen muss 1 bis 7 sein: " << parser.value(ovenOption) << Qt::endl;
        return ExitUsage;
    }
    state.setSelectedOven(oven);
    const int baud = parser.value(baudOption).toInt(&ok);
    if (!ok || (baud != 9600 && baud != 38400)) {
        err << "Baudrate muss 9600 oder 38400 sein: " << parser.value(baudOption) << Qt::endl;
        return ExitUsage;
    }
    if (parser.isSet(addtoOption)) {
        const int ms = parser.value(addtoOption).toInt(&ok);
        if (!ok || ms < 0) {
            err << "Zusätzliche Wartezeit muss eine Zahl >= 0 sein: " << parser.value(addtoOption) << Qt::endl;
            return ExitUsage;
        }
        state.addTimeoutGiven = true;
        state.addTimeout = ms;
    }

    const QList<CliCommand> commands = allCommands();
    const QStringList rest = parser.positionalArguments();
    int words = 0;
    const CliCommand *command = findCommand(commands, rest, &words);
    if (!command) {
        err << (rest.isEmpty() ? QStringLiteral("Kein Befehl angegeben.")
                               : QStringLiteral("Unbekannter Befehl: %1").arg(rest.join(QLatin1Char(' '))))
            << Qt::endl
            << "torvelctl --help zeigt alle Befehle." << Qt::endl;
        return ExitUsage;
    }

    TorvelSettings settings;
    const QString port = parser.isSet(portOption) ? parser.value(portOption) : settings.portText();
    sim::SimLine *simLine = nullptr;
    const bool knownPort = isSimulatedPort(port) || !portDevice(port, settings.portMapping()).isEmpty();
    auto transport = knownPort ? sim::makeTransport(port, settings.portMapping(), &simLine) : nullptr;
    if (!transport) {
        err << "Unbekannte Schnittstelle: " << port << Qt::endl;
        return ExitUsage;
    }
    transport->setBaudRate(baud);

    ControllerLink link;
    link.setTransport(std::move(transport));
    link.engine().settings().addTimeoutGiven = state.addTimeoutGiven;
    link.engine().settings().addTimeout = state.addTimeout;
    QObject::connect(&link.engine(), &CommandEngine::lineLost,
                     [&err](const QString &message) { err << message << Qt::endl; });
    const bool monitor = parser.isSet(monitorOption);
    link.log().setLogging(monitor);

    if (command->needsLine && !link.transport()->open()) {
        err << link.transport()->errorString() << Qt::endl;
        return ExitControllerFailed;
    }

    const int guardMs = parser.value(guardOption).toInt(&ok);
    if (!ok || guardMs < 0) {
        err << "Schutzzeit muss eine Zahl >= 0 sein." << Qt::endl;
        return ExitUsage;
    }
    CliPrompter prompter(err, parser.isSet(yesOption));
    CliContext ctx{state, link, simLine, out, err, prompter, guardMs, parser.isSet(dialOption)};
    const auto run = [&] { return command->run(ctx, rest.mid(words)); };
    int code = ExitUsage;
    if (!parser.isSet(dialOption)) {
        code = run();
    } else {
        if (!command->needsLine) {
            err << "--dial gilt nur für Befehle, die die Leitung benutzen." << Qt::endl;
            return ExitUsage;
        }
        code = runThroughModem(ctx, parser.value(dialOption), guardMs, run);
    }

    if (monitor) {
        QString error;
        if (!saveMonitorTsv(link.log(), parser.value(monitorOption), &error)) {
            err << error << Qt::endl;
            code = ExitUsage;
        }
    }
    return code;
}

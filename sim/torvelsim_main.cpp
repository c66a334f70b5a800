// torvelsim: the simulated bakery line on a pseudo-terminal. Prints the device to
// open as its first line of output, then serves until SIGTERM/SIGINT.

#include "pty_host.h"
#include "quit_on_signal.h"
#include "simdialup.h"
#include "simline.h"
#include "simmodem.h"
#include "simmodemprofiles.h"
#include "simoptions.h"
#include "simphonenet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace torvel::sim;

namespace {

int usageError(const QString &message)
{
    std::fprintf(stderr, "torvelsim: %s\n", qPrintable(message));
    return 2;
}

// Applies the line options; an error text for the user when one is bad.
QString configure(SimLine &line, const QCommandLineParser &args)
{
    QString error;
    if (args.isSet(QStringLiteral("ovens"))) {
        const auto ovens = parseOvenList(args.value(QStringLiteral("ovens")), &error);
        if (!ovens)
            return error;
        line.setPresentOvens(*ovens);
    }
    for (const QString &text : args.values(QStringLiteral("version"))) {
        const auto v = parseVersionSetting(text, &error);
        if (!v)
            return error;
        line.controller(v->oven).version() = v->version;
    }
    if (args.isSet(QStringLiteral("baud"))) {
        bool ok = false;
        const int baud = args.value(QStringLiteral("baud")).toInt(&ok);
        if (!ok || baud <= 0)
            return QStringLiteral("bad baud rate \"%1\"").arg(args.value(QStringLiteral("baud")));
        line.setBaudRate(baud);
    }
    line.setPacing(args.isSet(QStringLiteral("pace")) || args.isSet(QStringLiteral("baud")));
    if (args.isSet(QStringLiteral("seed"))) {
        bool ok = false;
        const uint seed = args.value(QStringLiteral("seed")).toUInt(&ok, 0);
        if (!ok)
            return QStringLiteral("bad seed \"%1\"").arg(args.value(QStringLiteral("seed")));
        line.faults().setSeed(seed);
    }
    for (const QString &text : args.values(QStringLiteral("fault"))) {
        const auto rule = parseFaultRule(text, &error);
        if (!rule)
            return error;
        line.faults().add(*rule);
    }
    return {};
}

// The modem options: which modem sits on the pty and how the numbers answer.
QString configureModem(SimDialUp &dialUp, SimModem &bench, const QCommandLineParser &args)
{
    if (args.isSet(QStringLiteral("modem-fast"))) {
        dialUp.setTiming(SimModemTiming::fast());
        bench.setTiming(SimModemTiming::fast());
    }
    for (const QString &number : args.values(QStringLiteral("busy")))
        dialUp.network().setBusy(number);
    for (const QString &number : args.values(QStringLiteral("no-answer")))
        dialUp.network().setUnanswered(number);
    if (args.isSet(QStringLiteral("carrier-lost-after"))) {
        bool ok = false;
        const int bytes = args.value(QStringLiteral("carrier-lost-after")).toInt(&ok);
        if (!ok || bytes <= 0)
            return QStringLiteral("bad byte count \"%1\"").arg(args.value(QStringLiteral("carrier-lost-after")));
        dialUp.bakery().modem().setHangUpAfter(bytes);
    }
    if (args.isSet(QStringLiteral("modem-factory")))
        (args.isSet(QStringLiteral("torvel-modem")) ? bench : dialUp.pcModem()).configure("ATZ3");
    return {};
}

bool makeLink(const QString &link, const QString &target, QString *error)
{
    // Replace a link left behind by an earlier run, never a real file.
    if (QFileInfo(link).isSymLink())
        QFile::remove(link);
    if (::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) != 0) {
        *error = QStringLiteral("cannot create link %1 -> %2").arg(link, target);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("torvelsim"));

    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral(
        "Simulated bakery line of up to seven oven controllers on a pseudo-terminal.\n"
        "The first line of output is the device to open."));
    args.addHelpOption();
    args.addOptions({
        {QStringLiteral("ovens"), QStringLiteral("Present ovens, e.g. 1,3,5 or 1-4 or none (default 1-7)."),
         QStringLiteral("list")},
        {QStringLiteral("version"),
         QStringLiteral("Version of one oven as OVEN=VWORD[.REV][:CAP], e.g. 3=291.3:99 (\"2.91 r3\", M 99). "
                        "From 4.00 an oven is of the second generation (with operating data and error list), from "
                        "4.00 r25 (400.25) it keeps a gradient table; oven 7 is 4.10 r30. Repeatable."),
         QStringLiteral("setting")},
        {QStringLiteral("pace"), QStringLiteral("Pace echo and answers at the baud rate (10 bits a byte).")},
        {QStringLiteral("baud"), QStringLiteral("Pacing rate, e.g. 9600 or 38400; implies --pace (default 9600)."),
         QStringLiteral("rate")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the fault dice (default 1)."), QStringLiteral("n")},
        {QStringLiteral("fault"),
         QStringLiteral("A fault: KIND[=N]:PROB on any answer with probability PROB, or KIND[=N]@OVEN:FUNC[xCOUNT] "
                        "on the next COUNT answers (default 1, * for all) of OVEN (or *) to FUNC (hex code, addr "
                        "or *). KIND: checksum, lost (N bytes), silence, nak, noise (N bytes), vanish (after N "
                        "answers). Repeatable."),
         QStringLiteral("rule")},
        {QStringLiteral("link"), QStringLiteral("Also make a symbolic link to the device at this path."),
         QStringLiteral("path")},
        {QStringLiteral("quit-after-idle"), QStringLiteral("Quit when nothing came for this many seconds."),
         QStringLiteral("seconds")},
        {QStringLiteral("trace"), QStringLiteral("Hex dump of both directions on stderr.")},
        {QStringLiteral("hang-up-after"),
         QStringLiteral("Close the pty and quit once this many bytes came from the client, as a pulled "
                        "adapter would."),
         QStringLiteral("bytes")},
        {QStringLiteral("modem"),
         QStringLiteral("A PC modem on the pty (AT commands); every number it dials reaches the simulated bakery.")},
        {QStringLiteral("busy"), QStringLiteral("With --modem: this number is busy. Repeatable."),
         QStringLiteral("number")},
        {QStringLiteral("no-answer"), QStringLiteral("With --modem: this number rings without an answer. Repeatable."),
         QStringLiteral("number")},
        {QStringLiteral("carrier-lost-after"),
         QStringLiteral("With --modem: the bakery hangs up once this many bytes came over the line."),
         QStringLiteral("bytes")},
        {QStringLiteral("modem-fast"), QStringLiteral("With --modem: rings, handshake and guard time in milliseconds.")},
        {QStringLiteral("modem-factory"), QStringLiteral("With --modem: the modem on the pty starts at factory settings.")},
        {QStringLiteral("torvel-modem"),
         QStringLiteral("With --modem: the pty reaches a Torvel modem on the bench (to set it up), not the PC modem.")},
    });
    args.process(app);
    if (!args.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument \"%1\"").arg(args.positionalArguments().first()));

    const bool withModem = args.isSet(QStringLiteral("modem"));
    SimDialUp dialUp;
    SimModem bench; // a Torvel modem on its own, on the technician's cable
    configureTorvelModem(bench);
    SimLine ownLine;
    SimLine &line = withModem ? dialUp.line() : ownLine;
    if (const QString error = configure(line, args); !error.isEmpty())
        return usageError(error);
    if (withModem) {
        if (const QString error = configureModem(dialUp, bench, args); !error.isEmpty())
            return usageError(error);
    }

    int idleSeconds = 0;
    if (args.isSet(QStringLiteral("quit-after-idle"))) {
        bool ok = false;
        idleSeconds = args.value(QStringLiteral("quit-after-idle")).toInt(&ok);
        if (!ok || idleSeconds <= 0)
            return usageError(QStringLiteral("bad idle time \"%1\"").arg(args.value(QStringLiteral("quit-after-idle"))));
    }

    qint64 hangUpAfter = -1;
    if (args.isSet(QStringLiteral("hang-up-after"))) {
        bool ok = false;
        hangUpAfter = args.value(QStringLiteral("hang-up-after")).toLongLong(&ok);
        if (!ok || hangUpAfter < 0)
            return usageError(
                QStringLiteral("bad byte count \"%1\"").arg(args.value(QStringLiteral("hang-up-after"))));
    }

    std::unique_ptr<PtyHost> hostHolder;
    if (!withModem)
        hostHolder = std::make_unique<PtyHost>(&line);
    else
        hostHolder = std::make_unique<PtyHost>(args.isSet(QStringLiteral("torvel-modem")) ? &bench : &dialUp.pcModem());
    PtyHost &host = *hostHolder;
    host.setTrace(args.isSet(QStringLiteral("trace")));
    host.setHangUpAfter(hangUpAfter);
    QObject::connect(&host, &PtyHost::hungUp, &app, &QCoreApplication::quit);
    QString error;
    if (!host.open(&error))
        return usageError(error);

    const QString link = args.value(QStringLiteral("link"));
    if (!link.isEmpty() && !makeLink(link, host.slavePath(), &error))
        return usageError(error);

    QuitOnSignal quitOnSignal;

    QTimer idle;
    idle.setSingleShot(true);
    if (idleSeconds > 0) {
        idle.setInterval(idleSeconds * 1000);
        QObject::connect(&idle, &QTimer::timeout, &app, &QCoreApplication::quit);
        QObject::connect(&host, &PtyHost::activity, &idle, qOverload<>(&QTimer::start));
        idle.start();
    }

    std::printf("%s\n", qPrintable(host.slavePath()));
    std::fflush(stdout);

    const int rc = QCoreApplication::exec();
    if (!link.isEmpty() && QFileInfo(link).isSymLink())
        QFile::remove(link);
    return rc;
}

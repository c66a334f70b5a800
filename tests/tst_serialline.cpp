// The line as it really is: the settings a pty reads back from the port, a line lost
// mid-transfer (the pty's other side closes) for every kind of transfer, and one transfer of
// each kind on the line paced at 9600 baud, where the short time-outs must hold.

#include "bakeprog/programsheet.h"
#include "bakeprog/programtransfer.h"
#include "clock/clockread.h"
#include "clock/clockset.h"
#include "link/serialtransport.h"
#include "nightstart/nightstartgrid.h"
#include "nightstart/nighttransfer.h"
#include "shell/appstate.h"
#include "shell/sheetmodel.h"
#include "simline.h"
#include "simprograms.h"
#include "testsupport/processes.h"
#include "testsupport/scriptedprompter.h"
#include "testsupport/linerig.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace torvel;

namespace {
const QString kLost = QStringLiteral(
    "Verbindung über %1 verloren: die Schnittstelle ist geschlossen, die nächste Übertragung öffnet sie wieder.");

termios settingsOf(const char *device)
{
    termios t{};
    const int fd = ::open(device, O_RDWR | O_NOCTTY | O_NONBLOCK);
    tcgetattr(fd, &t);
    ::close(fd);
    return t;
}
} // namespace

class TestSerialLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    AppState m_state;
    torvel::test::ScriptedPrompter m_prompter;

private slots:
    void theSettingsThePortReallyGets()
    {
        const int master = posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
        const char *device = ptsname(master);
        termios wrong = settingsOf(device); // 2400 baud 7E2 with both flow controls
        cfsetspeed(&wrong, B2400);
        wrong.c_cflag = (wrong.c_cflag & ~CSIZE) | CS7 | PARENB | CSTOPB | CRTSCTS;
        wrong.c_iflag |= IXON | IXOFF;
        const int fd = ::open(device, O_RDWR | O_NOCTTY);
        QVERIFY(tcsetattr(fd, TCSANOW, &wrong) == 0);
        SerialTransport port(QString::fromLocal8Bit(device), QStringLiteral("COM4"));
        QVERIFY(port.open());
        for (const speed_t baud : {speed_t(B9600), speed_t(B38400)}) {
            const termios t = settingsOf(device);
            QCOMPARE(cfgetospeed(&t), baud);
            QCOMPARE(cfgetispeed(&t), baud);
            QCOMPARE(t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
            QCOMPARE(t.c_iflag & (IXON | IXOFF), tcflag_t(0));
            port.setBaudRate(38400); // switched while open
        }
        ::close(fd);
        ::close(master);
    }

    void aLostLineEndsEveryTransferAtOnce_data()
    {
        QTest::addColumn<int>("hangUpAfter"); // bytes from the PC
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("lastFrame"); // the monitor's last caption: nothing after it
        // Capacity 7 bytes, five names 27 (0x05 doubled in 5's), values of 1 and 2: 10; then 3's.
        QTest::newRow("programs") << 47 << QStringList{"programs", "read", "--to", "5", "-o", "%1.TBR"}
                                  << "2 von 5 Backprogrammen gelesen: %1.TBR\n" << "3. Backprogramm lesen";
        QTest::newRow("night") << 4 << QStringList{"night", "read", "-o", "%1.TBZ"} << "" << "Nachtstartzeiten lesen";
        QTest::newRow("clock") << 4 << QStringList{"clock", "read"} << "nicht verfügbar\n" << "Uhrzeit anfordern";
        QTest::newRow("search") << 10 << QStringList{"search"} << "Ofen 1: 2.85 r1\n" << "Software Version abrufen";
    }
    void aLostLineEndsEveryTransferAtOnce()
    {
        QFETCH(int, hangUpAfter);
        QFETCH(QStringList, command);
        QFETCH(QString, out);
        QFETCH(QString, lastFrame);
        torvel::test::PtySim sim;
        QVERIFY(sim.start({"--hang-up-after", QString::number(hangUpAfter)}));
        const QString file = m_tmp.filePath(QString::fromLatin1(QTest::currentDataTag()));
        const QString monitor = m_tmp.filePath(QStringLiteral("monitor.tsv"));
        const auto r = torvel::test::runTorvelctl(QStringList{"--port", sim.device, "--monitor", monitor}
                                                      + command.replaceInStrings("%1", file),
                                                  m_tmp.filePath(QStringLiteral("settings.ini")));
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, out.arg(file));
        QCOMPARE(r.err.count(kLost.arg(sim.device)), 1); // said once, no failed program after it
        QVERIFY2(!r.err.contains(QStringLiteral("ERR: keine Antwort")), qPrintable(r.err));
        QFile log(monitor);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts).last().section('\t', 0, 0), lastFrame);
    }

    void theNextTransferOpensThePortAgainByItsName()
    {
        const QString name = m_tmp.filePath(QStringLiteral("ttyOfen"));
        SheetModel grid;
        setupNightStartGrid(grid);
        ControllerLink link;
        link.setTransport(std::make_unique<SerialTransport>(name, QStringLiteral("COM7")));
        QSignalSpy lost(&link.engine(), &CommandEngine::lineLost);
        {
            torvel::test::PtySim pulled;
            QVERIFY(pulled.start({"--link", name, "--hang-up-after", "4"}));
            QVERIFY(!NightTransfer(m_state, link.engine(), m_prompter, grid).read(3));
        } // its device and link are gone
        QCOMPARE(lost.count(), 1);
        QCOMPARE(lost.at(0).at(0).toString(), kLost.arg(QStringLiteral("COM7")));
        QCOMPARE(grid.text(kNightFirstValueRow, kNightFirstValueCol), nightmarker::kTrying); // as after "Abbruch"
        QCOMPARE(m_prompter.texts(QStringLiteral("window")), QStringList{"Nachtstartzeiten werden gelesen..."});
        torvel::test::PtySim pluggedIn;
        QVERIFY(pluggedIn.start({"--link", name}));
        QVERIFY(NightTransfer(m_state, link.engine(), m_prompter, grid).read(3));
    }

    void oneTransferOfEachKindAtLineSpeed()
    {
        ControllerLink link;
        sim::SimLine *line = torvel::test::attachSimulatedLine(link);
        line->setPacing(true);
        CommandEngine &engine = link.engine();
        SheetModel programs;
        setupProgramSheet(programs);
        QCOMPARE(QueryProgramCapacity(engine, 3), 99);
        QCOMPARE(ProgramTransfer(m_state, engine, m_prompter, programs).receive(3, 1, 1), 1);
        programs.setText(1, 1, QStringLiteral("Gepaced"));
        QVERIFY(ProgramTransfer(m_state, engine, m_prompter, programs).send(3, 1, 1));
        QCOMPARE(line->controller(3).programs().nameBytes(1), QByteArray("Gepaced       "));
        SheetModel nights;
        setupNightStartGrid(nights);
        QCOMPARE(NightTransfer(m_state, engine, m_prompter, nights).send(3), NightSendResult::Sent);
        QVERIFY(ReadControllerClock(engine, 3).ok());
        QCOMPARE(SetControllerClock(engine, 3, QDateTime::currentDateTime()), int(ClockSetOk));
        // No try was repeated: each function went out exactly as often as the transfers need it.
        const QMap<int, int> once{{0x09, 1}, {0x15, 1}, {0x0B, 1}, {0x16, 1}, {0x0C, 1},
                                  {0x17, 1}, {0x18, 1}, {0x19, 1}, {0x1A, 1}};
        QCOMPARE(line->stats().functionFrames, once);
        QCOMPARE(line->stats().addressFrameCount(0x9E), 5); // capacity, night send and read-back, clock twice
    }
};

QTEST_GUILESS_MAIN(TestSerialLine)
#include "tst_serialline.moc"

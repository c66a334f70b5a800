// The controller's clock: exact frames, packed decimals, the attempts and their codes
// against the simulated line with aimed faults, the panel texts, and torvelctl clock read /
// clock set over a pty.

#include "simfunctions.h"
#include "simline.h"

#include "clock/clockframes.h"
#include "clock/clockpanel.h"
#include "clock/clockread.h"
#include "clock/clockset.h"
#include "clock/clocktexts.h"
#include "clock/controllertime.h"
#include "link/bytes.h"
#include "link/controller.h"
#include "testsupport/files.h"
#include "testsupport/linerig.h"
#include "testsupport/processes.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

#include <memory>
#include <time.h>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::hex;
using torvel::test::LineRig;
using torvel::test::PtySim;
using Run = torvel::test::CliRun;

namespace {

QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

// The clock of `oven` stands at `host` until moved: reads give exact seconds.
std::shared_ptr<QDateTime> freezeHost(LineRig &rig, int oven, const QDateTime &host)
{
    auto now = std::make_shared<QDateTime>(host);
    rig.line->controller(oven).clock().setHostClock([now] { return *now; });
    return now;
}

// A controller that acknowledges the announce but refuses the data `times` times.
void refuseClockData(LineRig &rig, int oven, int times)
{
    auto left = std::make_shared<int>(times);
    SimController &c = rig.line->controller(oven);
    c.registerFunction(kClockSetFunction, [&c, left](quint8, quint8) {
        return SimReply::expectData(7, [&c, left](const QByteArray &data) {
            if (*left != 0) {
                --*left;
                return SimReply::nak();
            }
            c.clock().setRaw(data);
            return SimReply::ack();
        });
    });
}

Run torvelctl(const QStringList &args)
{
    return torvel::test::runTorvelctl(args);
}

} // namespace

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void fixedFrames()
    {
        QCOMPARE(timeRequestFrame().toHex(' '), QByteArray("46 19 55 55 c3"));
        QCOMPARE(setTimeFunctionFrame().toHex(' '), QByteArray("46 1a 75 75 04"));
    }

    void setSendsExactFrames_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QByteArray>("dataOnWire");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("example") << at("31.12.2026 23:59:58") << hex("04 31 12 26 23 59 58 41")
                                 << "Donnerstag  31.12.26  23:59:58";
        // Every 0x05 goes out doubled; the controller stores the undoubled bytes.
        QTest::newRow("doubled") << at("05.05.2025 05:05:05") << hex("01 05 05 05 05 25 05 05 05 05 05 05 3f")
                                 << "Montag  05.05.25  05:05:05";
        QTest::newRow("Sunday is 0") << at("07.06.2026 12:34:56") << hex("00 07 06 26 12 34 56 cf")
                                     << "Sonntag  07.06.26  12:34:56";
        QTest::newRow("Saturday 2000") << at("01.01.2000 00:00:00") << hex("06 01 01 00 00 00 00 08")
                                       << "Samstag  01.01.00  00:00:00";
    }

    void setSendsExactFrames()
    {
        QFETCH(QDateTime, time);
        QFETCH(QByteArray, dataOnWire);
        QFETCH(QString, readBack);
        LineRig b;
        freezeHost(b, 3, QDateTime::currentDateTime());
        QCOMPARE(SetControllerClock(b.engine(), 3, time), int(ClockSetOk));
        QCOMPARE(b.frames, (QList<QByteArray>{hex("05 9e"), hex("46 1a 75 75 04"), dataOnWire}));
        QCOMPARE(b.line->controller(3).clock().setCount(), 1);
        QCOMPARE(ControllerClockPanelText(b.engine(), 3), readBack); // what the controller keeps
        QCOMPARE(b.frames.mid(3), (QList<QByteArray>{hex("05 9e"), hex("46 19 55 55 c3")}));
    }

    void readDecodesPackedDecimals_data()
    {
        QTest::addColumn<QByteArray>("clockBytes");
        QTest::addColumn<QByteArray>("reply"); // after the echo, as the line carries it
        QTest::addColumn<QDateTime>("time");
        QTest::newRow("2026") << hex("04 31 12 26 23 59 58") << hex("06 04 31 12 26 23 59 58 41 06")
                              << at("31.12.2026 23:59:58");
        QTest::newRow("year 00 is 2000") << hex("06 01 01 00 00 00 00") << hex("06 06 01 01 00 00 00 00 08 06")
                                         << at("01.01.2000 00:00:00");
        // Doubled 0x05 in the reply and its checksum counted as sent.
        QTest::newRow("doubled") << hex("01 05 05 25 05 05 05")
                                 << hex("06 01 05 05 05 05 25 05 05 05 05 05 05 58 06") << at("05.05.2025 05:05:05");
    }

    void readDecodesPackedDecimals()
    {
        QFETCH(QByteArray, clockBytes);
        QFETCH(QByteArray, reply);
        QFETCH(QDateTime, time);
        LineRig b;
        freezeHost(b, 2, QDateTime::currentDateTime());
        b.line->controller(2).clock().setRaw(clockBytes);
        QByteArrayList answers;
        connect(&b.engine(), &CommandEngine::transactionFinished, this, [&answers](const QByteArray &a) { answers << a; });

        const ClockReading r = ReadControllerClock(b.engine(), 2);
        QCOMPARE(r.code, int(ClockReadOk));
        QCOMPARE(r.time, time);
        QCOMPARE(answers.size(), 2);
        QCOMPARE(answers.at(1).toHex(' '), reply.toHex(' '));
    }

    void readAttempts_data()
    {
        QTest::addColumn<QList<int>>("ovens");
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<bool>("ackOnly");
        QTest::addColumn<QByteArray>("clockBytes"); // empty: the running clock
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("addressFrames");
        QTest::addColumn<int>("requests");

        const QList<int> all{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("first attempt") << all << QStringList() << false << QByteArray() << 0 << 1 << 1;
        QTest::newRow("absent oven") << QList<int>{1, 2} << QStringList() << false << QByteArray() << -1 << 6 << 0;
        QTest::newRow("success only on the sixth attempt")
            << all << QStringList{"silence@3:addrx2", "checksum@3:19x2", "lost=2@3:19"} << false << QByteArray() << 0
            << 6 << 4;
        QTest::newRow("six failed attempts") << all << QStringList{"checksum@3:19x3", "nak@3:19x2", "silence@3:addr"}
                                             << false << QByteArray() << -1 << 6 << 5;
        QTest::newRow("addressing answered with NAK") << all << QStringList{"nak@3:addrx6"} << false << QByteArray()
                                                      << -1 << 6 << 0;
        QTest::newRow("bare 06 stops at once") << all << QStringList() << true << QByteArray() << -99 << 1 << 1;
        QTest::newRow("month 13") << all << QStringList() << false << hex("04 31 13 26 23 59 58") << -2 << 1 << 1;
        QTest::newRow("hour 24") << all << QStringList() << false << hex("01 01 02 26 24 00 00") << -2 << 1 << 1;
        QTest::newRow("nibble above 9") << all << QStringList() << false << hex("04 31 12 26 23 5a 58") << -2 << 1 << 1;
        QTest::newRow("weekday byte is not used") << all << QStringList() << false << hex("09 31 12 26 23 59 58") << 0
                                                  << 1 << 1;
    }

    void readAttempts()
    {
        QFETCH(QList<int>, ovens);
        QFETCH(QStringList, faults);
        QFETCH(bool, ackOnly);
        QFETCH(QByteArray, clockBytes);
        QFETCH(int, code);
        QFETCH(int, addressFrames);
        QFETCH(int, requests);
        LineRig b;
        b.line->setPresentOvens(ovens);
        QVERIFY(b.addFaults(faults));
        b.line->controller(3).clock().setAckOnly(ackOnly);
        if (!clockBytes.isEmpty())
            b.line->controller(3).clock().setRaw(clockBytes);

        const ClockReading r = ReadControllerClock(b.engine(), 3);
        QCOMPARE(r.code, code);
        QCOMPARE(r.time.isValid(), code == 0);
        QCOMPARE(b.addressFrames(3), addressFrames);
        QCOMPARE(b.line->stats().functionFrameCount(kClockReadFunction), requests);
        QCOMPARE(b.line->stats().addressFrames.size(), 1); // no other oven was ever addressed
        if (code == 0 && clockBytes.isEmpty())
            QVERIFY(qAbs(r.time.secsTo(QDateTime::currentDateTime())) <= 2);
    }

    void shortValidReplyIsAFailedAttempt_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("no data") << QByteArray();
        QTest::newRow("six bytes") << hex("04 31 12 26 23 59");
    }

    void shortValidReplyIsAFailedAttempt()
    {
        QFETCH(QByteArray, data);
        LineRig b;
        b.line->controller(3).registerFunction(kClockReadFunction,
                                              [data](quint8, quint8) { return SimReply::withData(data); });
        QCOMPARE(ReadControllerClock(b.engine(), 3).code, int(ClockNoAnswer));
        QCOMPARE(b.line->stats().functionFrameCount(kClockReadFunction), kClockAttempts);
        QCOMPARE(ControllerClockPanelText(b.engine(), 3), QStringLiteral("nicht verfügbar"));
    }

    void setAttempts_data()
    {
        QTest::addColumn<QList<int>>("ovens");
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<int>("dataRefusals");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("addressFrames");
        QTest::addColumn<int>("announces");
        QTest::addColumn<int>("dataFrames");

        const QList<int> all{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("first attempt") << all << QStringList() << 0 << 0 << 1 << 1 << 1;
        QTest::newRow("absent oven") << QList<int>{1} << QStringList() << 0 << -3 << 6 << 0 << 0;
        QTest::newRow("announce refused six times") << all << QStringList{"nak@3:1ax6"} << 0 << -2 << 6 << 6 << 0;
        QTest::newRow("data refused six times") << all << QStringList() << 6 << -1 << 6 << 6 << 6;
        QTest::newRow("success only on the sixth attempt")
            << all << QStringList{"silence@3:addrx2", "nak@3:1ax2"} << 1 << 0 << 6 << 4 << 2;
        QTest::newRow("the last attempt decides") << all << QStringList{"nak@3:1ax3", "silence@3:addr"} << 6 << -1 << 6
                                                  << 5 << 2;
    }

    void setAttempts()
    {
        QFETCH(QList<int>, ovens);
        QFETCH(QStringList, faults);
        QFETCH(int, dataRefusals);
        QFETCH(int, code);
        QFETCH(int, addressFrames);
        QFETCH(int, announces);
        QFETCH(int, dataFrames);
        LineRig b;
        b.line->setPresentOvens(ovens);
        QVERIFY(b.addFaults(faults));
        if (dataRefusals > 0)
            refuseClockData(b, 3, dataRefusals);

        QCOMPARE(SetControllerClock(b.engine(), 3, at("31.12.2026 23:59:58")), code);
        QCOMPARE(b.addressFrames(3), addressFrames);
        QCOMPARE(b.line->stats().functionFrameCount(kClockSetFunction), announces);
        QCOMPARE(b.line->stats().dataFrames, dataFrames);
        QCOMPARE(b.line->controller(3).clock().setCount(), code == 0 ? 1 : 0);
    }

    void panelTexts_data()
    {
        QTest::addColumn<QByteArray>("clockBytes"); // empty: an absent oven
        QTest::addColumn<QString>("text");
        QTest::newRow("valid") << hex("04 31 12 26 23 59 58") << "Donnerstag  31.12.26  23:59:58";
        QTest::newRow("the controller's own weekday") << hex("00 31 12 26 23 59 58") << "Sonntag  31.12.26  23:59:58";
        QTest::newRow("weekday byte 9") << hex("09 31 12 26 23 59 58") << "9  31.12.26  23:59:58";
        QTest::newRow("month 13 unconverted") << hex("06 31 13 26 23 59 58") << "Samstag  31.13.26  23:59:58";
        QTest::newRow("absent") << QByteArray() << "nicht verfügbar";
    }

    void panelTexts()
    {
        QFETCH(QByteArray, clockBytes);
        QFETCH(QString, text);
        LineRig b;
        freezeHost(b, 3, at("10.03.2026 08:00:00")); // the set time stands still
        if (clockBytes.isEmpty())
            b.line->setPresentOvens({1});
        else
            b.line->controller(3).clock().setRaw(clockBytes);
        QCOMPARE(ControllerClockPanelText(b.engine(), 3), text);
        QCOMPARE(PcClockPanelText(at("07.06.2026 09:05:00")), QStringLiteral("Sonntag  07.06.2026 09:05:00"));
    }

    void cliUsageErrors()
    {
        for (const QStringList &args : {QStringList{"clock", "set", "--time", "32.12.2026 10:00:00"},
                                        QStringList{"clock", "set", "--time"}, QStringList{"clock", "read", "jetzt"}}) {
            const Run r = torvelctl(QStringList{"--port", "SIM"} + args);
            QVERIFY2(r.code == 2, qPrintable(args.join(' ')));
            QVERIFY(r.out.isEmpty());
            QVERIFY(!r.err.isEmpty());
        }
    }

    void cliFailures_data()
    {
        QTest::addColumn<QStringList>("simArgs");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("out");
        QTest::newRow("read, absent oven") << QStringList{"--ovens", "2-7"} << QStringList{"clock", "read"}
                                           << "nicht verfügbar\n";
        QTest::newRow("set, announce refused") << QStringList{"--fault", "nak@1:1ax6"} << QStringList{"clock", "set"}
                                               << "Commando \"Uhr stellen\" wurde nicht akzeptiert.\n";
    }

    void cliFailures()
    {
        QFETCH(QStringList, simArgs);
        QFETCH(QStringList, command);
        QFETCH(QString, out);
        PtySim sim;
        QVERIFY(sim.start(simArgs));
        const Run r = torvelctl(QStringList{"--port", sim.device} + command);
        QCOMPARE(r.out, out);
        QCOMPARE(r.code, 1);
    }

    void cliSetThenReadOverPty()
    {
        PtySim sim;
        QVERIFY(sim.start({"--fault", "silence@1:1ax2", "--fault", "checksum@1:19"}));
        Run r = torvelctl({"--port", sim.device, "clock", "set", "--time", "31.12.2026 23:59:58"});
        QCOMPARE(r.out, QStringLiteral("Uhr gestellt.\n"));
        QCOMPARE(r.code, 0);
        r = torvelctl({"--port", sim.device, "clock", "read"});
        QCOMPARE(r.code, 0);
        static const QRegularExpression setTime(QStringLiteral("^(31\\.12\\.2026 23:59:5\\d|01\\.01\\.2027 00:00:\\d\\d)\n$"));
        QVERIFY2(setTime.match(r.out).hasMatch(), qPrintable(r.out));
        // The other ovens were not touched.
        r = torvelctl({"--port", sim.device, "--oven", "2", "clock", "read"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.startsWith(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")))
                     || r.out.startsWith(QDate::currentDate().addDays(1).toString(QStringLiteral("dd.MM.yyyy"))),
                 qPrintable(r.out));
    }

    // Controllers have no daylight saving: 29.03.2026 02:30 does not exist on a PC in Berlin.
    void theHourThePcSkipsIsAControllerTimeLikeAnyOther()
    {
        const QByteArray zone = qgetenv("TZ");
        const auto restore = qScopeGuard([zone] {
            zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
            tzset();
        });
        qputenv("TZ", "Europe/Berlin");
        tzset();
        LineRig b;
        b.line->controller(3).clock().setRaw(hex("00 29 03 26 02 30 00"));
        const ClockReading r = ReadControllerClock(b.engine(), 3);
        QCOMPARE(clockReadingText(r), QStringLiteral("Sonntag  29.03.2026 02.30.00"));
        QCOMPARE(SetControllerClock(b.engine(), 3, r.time), int(ClockSetOk));
        QCOMPARE(b.frames.last(), dataFrame(hex("00 29 03 26 02 30 00"))); // not shifted to 03:30
        const Run run = torvelctl({"--port", "SIM", "clock", "set", "--time", "29.03.2026 02:30:00"}); // in Berlin too
        QCOMPARE(run.out, QStringLiteral("Uhr gestellt.\n"));
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"

// The controller's clock: exact frames, packed decimals, the attempts and their codes
// against the simulated line with aimed faults, the sim's running clock, the texts, and
// torvelctl clock read / clock set in-process, on SIM and over a pty.

#include "simclock.h"
#include "simfunctions.h"
#include "simline.h"
#include "simoptions.h"
#include "simtransport.h"

#include "clock/clockframes.h"
#include "clock/clockpanel.h"
#include "clock/clockread.h"
#include "clock/clockset.h"
#include "clock/clocktexts.h"
#include "clock/controllertime.h"
#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"
#include "link/monitorlog.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <time.h>
#include <QTest>

#include "testsupport/processes.h"

#include <memory>

using namespace torvel;
using namespace torvel::sim;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

// An engine on its own simulated line, every frame as written kept.
struct Bench {
    MonitorLog log;
    CommandEngine engine{&log};
    SimTransport transport;
    SimLine &line = *transport.line();
    QByteArrayList frames;

    Bench()
    {
        engine.setTransport(&transport);
        QObject::connect(&engine, &CommandEngine::frameSent, [this](const QByteArray &f) { frames << f; });
    }

    // The clock of `oven` stands at `host` until moved: reads give exact seconds.
    std::shared_ptr<QDateTime> freezeHost(int oven, const QDateTime &host)
    {
        auto now = std::make_shared<QDateTime>(host);
        line.controller(oven).clock().setHostClock([now] { return *now; });
        return now;
    }

    bool addFaults(const QStringList &rules)
    {
        for (const QString &text : rules) {
            QString error;
            const auto rule = parseFaultRule(text, &error);
            if (!rule) {
                qWarning("%s", qPrintable(error));
                return false;
            }
            line.faults().add(*rule);
        }
        return true;
    }

    // A controller that acknowledges the announce but refuses the data `times` times.
    void refuseClockData(int oven, int times)
    {
        auto left = std::make_shared<int>(times);
        SimController &c = line.controller(oven);
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

    int addressFrames(int oven) const { return line.stats().addressFrameCount(ovenAddressByte(oven)); }
    int functionFrames(int code) const { return line.stats().functionFrameCount(code); }
};

using torvel::test::PtySim;
using Run = torvel::test::CliRun;

Run torvelctl(const QStringList &args)
{
    return torvel::test::runTorvelctl(args);
}

} // namespace

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void fixedFrames();
    void setTimeDataFrame_data();
    void setTimeDataFrame();
    void setSendsExactFrames_data();
    void setSendsExactFrames();
    void readDecodesPackedDecimals_data();
    void readDecodesPackedDecimals();
    void readAttempts_data();
    void readAttempts();
    void shortValidReplyIsAFailedAttempt_data();
    void shortValidReplyIsAFailedAttempt();
    void setAttempts_data();
    void setAttempts();
    void setThenReadBack();
    void simClockRuns();
    void simStoresImpossibleTime();
    void simRefusesBadDataChecksum();
    void panelTexts_data();
    void panelTexts();
    void dayNames();
    void outcomeTexts();
    void readingTexts();
    void cliOnBuiltInLine();
    void cliUsageErrors();
    void cliFailures_data();
    void cliFailures();
    void cliSetThenReadOverPty();
    void theHourThePcSkipsIsAControllerTimeLikeAnyOther();
};

void TestClock::fixedFrames()
{
    QCOMPARE(timeRequestFrame().toHex(' '), QByteArray("46 19 55 55 c3"));
    QCOMPARE(setTimeFunctionFrame().toHex(' '), QByteArray("46 1a 75 75 04"));
    QCOMPARE(timeRequestCaption(), QStringLiteral("Uhrzeit anfordern"));
    QCOMPARE(setTimeFunctionCaption(), QStringLiteral("Uhrzeit senden (Fkt)"));
    QCOMPARE(setTimeDataCaption(), QStringLiteral("Uhrzeit senden"));
}

void TestClock::setTimeDataFrame_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("New Year's Eve 2026, a Thursday") << at("31.12.2026 23:59:58") << hex("04 31 12 26 23 59 58 41");
    QTest::newRow("Monday, fives everywhere") << at("05.05.2025 05:05:05") << hex("01 05 05 25 05 05 05 3f");
    QTest::newRow("Saturday 2000") << at("01.01.2000 00:00:00") << hex("06 01 01 00 00 00 00 08");
    QTest::newRow("Sunday") << at("07.06.2026 12:34:56") << hex("00 07 06 26 12 34 56 cf");
}

void TestClock::setTimeDataFrame()
{
    QFETCH(QDateTime, time);
    QFETCH(QByteArray, frame);
    QCOMPARE(torvel::setTimeDataFrame(time).toHex(' '), frame.toHex(' '));
}

void TestClock::setSendsExactFrames_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QByteArray>("dataOnWire");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("example") << at("31.12.2026 23:59:58") << hex("04 31 12 26 23 59 58 41")
                             << "Donnerstag  31.12.26  23:59:58";
    // Every 0x05 goes out doubled; the controller stores the undoubled bytes.
    QTest::newRow("doubled") << at("05.05.2025 05:05:05") << hex("01 05 05 05 05 25 05 05 05 05 05 05 3f")
                             << "Montag  05.05.25  05:05:05";
}

void TestClock::setSendsExactFrames()
{
    QFETCH(QDateTime, time);
    QFETCH(QByteArray, dataOnWire);
    QFETCH(QString, readBack);
    Bench b;
    const auto host = b.freezeHost(3, QDateTime::currentDateTime());
    QCOMPARE(SetControllerClock(b.engine, 3, time), int(ClockSetOk));
    QCOMPARE(b.frames.size(), 3);
    QCOMPARE(b.frames.at(0).toHex(' '), QByteArray("05 9e"));
    QCOMPARE(b.frames.at(1).toHex(' '), QByteArray("46 1a 75 75 04"));
    QCOMPARE(b.frames.at(2).toHex(' '), dataOnWire.toHex(' '));
    QCOMPARE(b.line.controller(3).clock().setCount(), 1);

    b.frames.clear();
    QCOMPARE(ControllerClockPanelText(b.engine, 3), readBack);
    QCOMPARE(b.frames.size(), 2);
    QCOMPARE(b.frames.at(1).toHex(' '), QByteArray("46 19 55 55 c3"));
}

void TestClock::readDecodesPackedDecimals_data()
{
    QTest::addColumn<QByteArray>("clockBytes");
    QTest::addColumn<QByteArray>("reply"); // after the echo, as the line carries it
    QTest::addColumn<QDateTime>("time");
    QTest::newRow("2026") << hex("04 31 12 26 23 59 58") << hex("06 04 31 12 26 23 59 58 41 06")
                          << at("31.12.2026 23:59:58");
    QTest::newRow("year 00 is 2000") << hex("06 01 01 00 00 00 00") << hex("06 06 01 01 00 00 00 00 08 06")
                                     << at("01.01.2000 00:00:00");
    QTest::newRow("year 99 is 2099") << hex("04 31 12 99 12 00 00") << hex("06 04 31 12 99 12 00 00 f2 06")
                                     << at("31.12.2099 12:00:00");
    // Doubled 0x05 in the reply and its checksum counted as sent.
    QTest::newRow("doubled") << hex("01 05 05 25 05 05 05")
                             << hex("06 01 05 05 05 05 25 05 05 05 05 05 05 58 06") << at("05.05.2025 05:05:05");
}

void TestClock::readDecodesPackedDecimals()
{
    QFETCH(QByteArray, clockBytes);
    QFETCH(QByteArray, reply);
    QFETCH(QDateTime, time);
    Bench b;
    b.freezeHost(2, QDateTime::currentDateTime());
    b.line.controller(2).clock().setRaw(clockBytes);
    QByteArrayList answers;
    connect(&b.engine, &CommandEngine::transactionFinished, this, [&answers](const QByteArray &a) { answers << a; });

    const ClockReading r = ReadControllerClock(b.engine, 2);
    QCOMPARE(r.code, int(ClockReadOk));
    QCOMPARE(r.time, time);
    QCOMPARE(answers.size(), 2);
    QCOMPARE(answers.at(1).toHex(' '), reply.toHex(' '));
}

void TestClock::readAttempts_data()
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
    QTest::newRow("addressing silent five times") << all << QStringList{"silence@3:addrx5"} << false << QByteArray()
                                                  << 0 << 6 << 1;
    QTest::newRow("success only on the sixth attempt")
        << all << QStringList{"silence@3:addrx2", "checksum@3:19x2", "lost=2@3:19"} << false << QByteArray() << 0
        << 6 << 4;
    QTest::newRow("six failed attempts") << all << QStringList{"checksum@3:19x3", "nak@3:19x2", "silence@3:addr"}
                                         << false << QByteArray() << -1 << 6 << 5;
    QTest::newRow("addressing answered with NAK") << all << QStringList{"nak@3:addrx6"} << false << QByteArray()
                                                  << -1 << 6 << 0;
    QTest::newRow("bare 06 stops at once") << all << QStringList() << true << QByteArray() << -99 << 1 << 1;
    QTest::newRow("bare 06 after a lost answer") << all << QStringList{"silence@3:19"} << true << QByteArray()
                                                 << -99 << 2 << 2;
    QTest::newRow("month 13") << all << QStringList() << false << hex("04 31 13 26 23 59 58") << -2 << 1 << 1;
    QTest::newRow("30 February") << all << QStringList() << false << hex("01 30 02 26 10 00 00") << -2 << 1 << 1;
    QTest::newRow("hour 24") << all << QStringList() << false << hex("01 01 02 26 24 00 00") << -2 << 1 << 1;
    QTest::newRow("nibble above 9") << all << QStringList() << false << hex("04 31 12 26 23 5a 58") << -2 << 1 << 1;
    QTest::newRow("year byte 9A") << all << QStringList() << false << hex("04 01 01 9a 00 00 00") << -2 << 1 << 1;
    QTest::newRow("weekday byte is not used") << all << QStringList() << false << hex("09 31 12 26 23 59 58") << 0
                                              << 1 << 1;
}

void TestClock::readAttempts()
{
    QFETCH(QList<int>, ovens);
    QFETCH(QStringList, faults);
    QFETCH(bool, ackOnly);
    QFETCH(QByteArray, clockBytes);
    QFETCH(int, code);
    QFETCH(int, addressFrames);
    QFETCH(int, requests);
    Bench b;
    b.line.setPresentOvens(ovens);
    QVERIFY(b.addFaults(faults));
    b.line.controller(3).clock().setAckOnly(ackOnly);
    if (!clockBytes.isEmpty())
        b.line.controller(3).clock().setRaw(clockBytes);

    const ClockReading r = ReadControllerClock(b.engine, 3);
    QCOMPARE(r.code, code);
    QCOMPARE(r.time.isValid(), code == 0);
    QCOMPARE(b.addressFrames(3), addressFrames);
    QCOMPARE(b.functionFrames(kClockReadFunction), requests);
    QCOMPARE(b.line.stats().addressFrames.size(), 1); // no other oven was ever addressed
    if (code == 0 && clockBytes.isEmpty())
        QVERIFY(qAbs(r.time.secsTo(QDateTime::currentDateTime())) <= 2);
}

void TestClock::shortValidReplyIsAFailedAttempt_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("no data") << QByteArray();
    QTest::newRow("three bytes") << hex("04 31 12");
    QTest::newRow("six bytes") << hex("04 31 12 26 23 59");
}

void TestClock::shortValidReplyIsAFailedAttempt()
{
    QFETCH(QByteArray, data);
    Bench b;
    b.line.controller(3).registerFunction(kClockReadFunction,
                                          [data](quint8, quint8) { return SimReply::withData(data); });
    QCOMPARE(ReadControllerClock(b.engine, 3).code, int(ClockNoAnswer));
    QCOMPARE(b.functionFrames(kClockReadFunction), kClockAttempts);
    QCOMPARE(ControllerClockPanelText(b.engine, 3), QStringLiteral("nicht verfügbar"));
}

void TestClock::setAttempts_data()
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
    QTest::newRow("addressing silent six times") << all << QStringList{"silence@3:addrx6"} << 0 << -3 << 6 << 0 << 0;
    QTest::newRow("announce refused six times") << all << QStringList{"nak@3:1ax6"} << 0 << -2 << 6 << 6 << 0;
    QTest::newRow("announce lost six times") << all << QStringList{"silence@3:1ax6"} << 0 << -2 << 6 << 6 << 0;
    QTest::newRow("data refused six times") << all << QStringList() << 6 << -1 << 6 << 6 << 6;
    QTest::newRow("success only on the sixth attempt")
        << all << QStringList{"silence@3:addrx2", "nak@3:1ax2"} << 1 << 0 << 6 << 4 << 2;
    QTest::newRow("the last attempt decides") << all << QStringList{"nak@3:1ax3", "silence@3:addr"} << 6 << -1 << 6
                                              << 5 << 2;
}

void TestClock::setAttempts()
{
    QFETCH(QList<int>, ovens);
    QFETCH(QStringList, faults);
    QFETCH(int, dataRefusals);
    QFETCH(int, code);
    QFETCH(int, addressFrames);
    QFETCH(int, announces);
    QFETCH(int, dataFrames);
    Bench b;
    b.line.setPresentOvens(ovens);
    QVERIFY(b.addFaults(faults));
    if (dataRefusals > 0)
        b.refuseClockData(3, dataRefusals);

    QCOMPARE(SetControllerClock(b.engine, 3, at("31.12.2026 23:59:58")), code);
    QCOMPARE(b.addressFrames(3), addressFrames);
    QCOMPARE(b.functionFrames(kClockSetFunction), announces);
    QCOMPARE(b.line.stats().dataFrames, dataFrames);
    QCOMPARE(b.line.controller(3).clock().setCount(), code == 0 ? 1 : 0);
}

void TestClock::setThenReadBack()
{
    // One line, one process: what was set comes back, running on from there.
    Bench b;
    QCOMPARE(SetControllerClock(b.engine, 5, at("31.12.2026 23:59:58")), int(ClockSetOk));
    const ClockReading r = ReadControllerClock(b.engine, 5);
    QVERIFY(r.ok());
    QVERIFY2(r.time >= at("31.12.2026 23:59:58") && r.time <= at("01.01.2027 00:00:05"),
             qPrintable(r.time.toString()));
    // Other ovens keep their own time.
    QVERIFY(qAbs(ReadControllerClock(b.engine, 4).time.secsTo(QDateTime::currentDateTime())) <= 2);
}

void TestClock::simClockRuns()
{
    SimClock clock;
    QDateTime host = at("10.03.2026 08:00:00");
    clock.setHostClock([&host] { return host; });
    QCOMPARE(clock.timeData().toHex(' '), QByteArray("02 10 03 26 08 00 00")); // follows the host: Tuesday
    clock.setDateTime(at("31.12.2026 23:59:58"));
    QCOMPARE(clock.timeData().toHex(' '), QByteArray("04 31 12 26 23 59 58"));
    host = host.addSecs(3);
    QCOMPARE(clock.timeData().toHex(' '), QByteArray("05 01 01 27 00 00 01")); // Friday, New Year
    QVERIFY(clock.running());

    // A wrong weekday as set stays wrong by the same amount; an impossible one stays as it is.
    clock.setRaw(hex("00 31 12 26 23 59 58"));
    host = host.addSecs(2);
    QCOMPARE(clock.timeData().toHex(' '), QByteArray("01 01 01 27 00 00 00"));
    clock.setRaw(hex("09 31 12 26 23 59 58"));
    host = host.addSecs(2);
    QCOMPARE(clock.timeData().toHex(' '), QByteArray("09 01 01 27 00 00 00"));

    clock.followHost();
    QCOMPARE(clock.timeData().toHex(' '), QByteArray("02 10 03 26 08 00 07"));
    QCOMPARE(clock.setCount(), 3);
}

void TestClock::simStoresImpossibleTime()
{
    // The bytes go on the line as the PC would send them; the controller keeps them.
    Bench b;
    auto host = b.freezeHost(3, at("10.03.2026 08:00:00"));
    const QByteArray impossible = hex("04 31 13 26 23 59 58");
    QCOMPARE(AddressController(b.engine, ovenAddressByte(3), 50, 1), true);
    QCOMPARE(b.engine.SendCommand(setTimeFunctionFrame(), 1, true, 50, QString(), ControllerFlags), hex("06"));
    QCOMPARE(b.engine.SendCommand(dataFrame(impossible), 1, true, 50, QString(), ControllerFlags), hex("06"));
    QVERIFY(!b.line.controller(3).clock().running());

    *host = host->addSecs(30); // it stands still
    QCOMPARE(b.line.controller(3).clock().timeData().toHex(' '), impossible.toHex(' '));
    QCOMPARE(ReadControllerClock(b.engine, 3).code, int(ClockNotConvertible));
    QCOMPARE(ControllerClockPanelText(b.engine, 3), QStringLiteral("Donnerstag  31.13.26  23:59:58"));

    // A valid time sets it running again.
    QCOMPARE(SetControllerClock(b.engine, 3, at("01.01.2027 00:00:00")), int(ClockSetOk));
    *host = host->addSecs(4);
    QCOMPARE(ReadControllerClock(b.engine, 3).time, at("01.01.2027 00:00:04"));
}

void TestClock::simRefusesBadDataChecksum()
{
    Bench b;
    b.freezeHost(3, at("10.03.2026 08:00:00"));
    QByteArray frame = torvel::setTimeDataFrame(at("31.12.2026 23:59:58"));
    frame[7] = static_cast<char>(frame.at(7) + 1);
    QVERIFY(AddressController(b.engine, ovenAddressByte(3), 50, 1));
    QCOMPARE(b.engine.SendCommand(setTimeFunctionFrame(), 1, true, 50, QString(), ControllerFlags), hex("06"));
    QCOMPARE(b.engine.SendCommand(frame, 1, true, 50, QString(), ControllerFlags), hex("15"));
    QCOMPARE(b.line.controller(3).clock().setCount(), 0);
    QCOMPARE(ReadControllerClock(b.engine, 3).time, at("10.03.2026 08:00:00"));
}

void TestClock::panelTexts_data()
{
    QTest::addColumn<QList<int>>("ovens");
    QTest::addColumn<bool>("ackOnly");
    QTest::addColumn<QByteArray>("clockBytes");
    QTest::addColumn<QString>("text");
    const QList<int> all{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("valid") << all << false << hex("04 31 12 26 23 59 58") << "Donnerstag  31.12.26  23:59:58";
    QTest::newRow("the controller's own weekday") << all << false << hex("00 31 12 26 23 59 58")
                                                  << "Sonntag  31.12.26  23:59:58";
    QTest::newRow("weekday byte 9") << all << false << hex("09 31 12 26 23 59 58") << "9  31.12.26  23:59:58";
    QTest::newRow("weekday byte 200") << all << false << hex("c8 31 12 26 23 59 58") << "200  31.12.26  23:59:58";
    QTest::newRow("month 13 unconverted") << all << false << hex("06 31 13 26 23 59 58")
                                          << "Samstag  31.13.26  23:59:58";
    QTest::newRow("absent") << QList<int>{1} << false << QByteArray() << "nicht verfügbar";
    QTest::newRow("bare 06") << all << true << QByteArray() << "nicht verfügbar";
}

void TestClock::panelTexts()
{
    QFETCH(QList<int>, ovens);
    QFETCH(bool, ackOnly);
    QFETCH(QByteArray, clockBytes);
    QFETCH(QString, text);
    Bench b;
    b.line.setPresentOvens(ovens);
    b.freezeHost(3, at("10.03.2026 08:00:00"));
    b.line.controller(3).clock().setAckOnly(ackOnly);
    if (!clockBytes.isEmpty())
        b.line.controller(3).clock().setRaw(clockBytes);
    QCOMPARE(ControllerClockPanelText(b.engine, 3), text);
    QCOMPARE(PcClockPanelText(at("31.12.2026 23:59:58")), QStringLiteral("Donnerstag  31.12.2026 23:59:58"));
    QCOMPARE(PcClockPanelText(at("07.06.2026 09:05:00")), QStringLiteral("Sonntag  07.06.2026 09:05:00"));
}

void TestClock::dayNames()
{
    const QStringList names{"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    for (int d = 0; d < 7; ++d)
        QCOMPARE(dayName(d), names.at(d));
    QCOMPARE(dayName(7), QStringLiteral("7"));
    QCOMPARE(dayName(-1), QStringLiteral("-1"));
    QCOMPARE(dayName(QDate(2026, 12, 31)), QStringLiteral("Donnerstag"));
    QCOMPARE(dayName(QDate(2026, 6, 7)), QStringLiteral("Sonntag"));
}

void TestClock::outcomeTexts()
{
    QCOMPARE(clockSetOutcomeText(0), QStringLiteral("Uhr gestellt."));
    QCOMPARE(clockSetOutcomeText(-1), QStringLiteral("Funktion wurde abgebrochen"));
    QCOMPARE(clockSetOutcomeText(-2), QStringLiteral("Commando \"Uhr stellen\" wurde nicht akzeptiert."));
    QCOMPARE(clockSetOutcomeText(-3), QStringLiteral("Steuerung nicht erreichbar."));
    QCOMPARE(clockSetOutcomeText(7), QStringLiteral("Interner Programmfehler, Kommando nicht durchgeführt!"));
}

void TestClock::readingTexts()
{
    QCOMPARE(clockReadingText({ClockReadOk, at("31.12.2026 23:59:58")}),
             QStringLiteral("Donnerstag  31.12.2026 23.59.58"));
    QCOMPARE(clockReadingText({ClockNotConvertible, {}}), QStringLiteral("Zeit kann nicht gewandelt werden."));
    QCOMPARE(clockReadingText({ClockNoAnswer, {}}), QStringLiteral("nicht verfügbar"));
    QCOMPARE(clockReadingText({ClockAcknowledgedOnly, {}}), QStringLiteral("nicht verfügbar"));
}

void TestClock::cliOnBuiltInLine()
{
    const QRegularExpression stamp(QStringLiteral("^(\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d)\\n$"));
    Run r = torvelctl({"--port", "SIM", "--oven", "4", "clock", "read"});
    QCOMPARE(r.code, 0);
    const auto m = stamp.match(r.out);
    QVERIFY2(m.hasMatch(), qPrintable(r.out));
    const QDateTime read = QDateTime::fromString(m.captured(1), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    QVERIFY(qAbs(read.secsTo(QDateTime::currentDateTime())) <= 5);

    r = torvelctl({"--port", "SIM", "clock", "set"});
    QCOMPARE(r.out, QStringLiteral("Uhr gestellt.\n"));
    QCOMPARE(r.code, 0);
    r = torvelctl({"--port", "SIM", "clock", "set", "--time", "31.12.2026 23:59:58"});
    QCOMPARE(r.out, QStringLiteral("Uhr gestellt.\n"));
    QCOMPARE(r.code, 0);
    QVERIFY(torvelctl({"--help"}).out.contains(QStringLiteral("clock set")));
}

void TestClock::cliUsageErrors()
{
    for (const QStringList &args : {QStringList{"clock", "set", "--time", "31.12.2026"},
                                    QStringList{"clock", "set", "--time", "32.12.2026 10:00:00"},
                                    QStringList{"clock", "set", "--time", "gestern"},
                                    QStringList{"clock", "set", "--time"}, QStringList{"clock", "read", "jetzt"}}) {
        const Run r = torvelctl(QStringList{"--port", "SIM"} + args);
        QVERIFY2(r.code == 2, qPrintable(args.join(' ')));
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
    }
}

void TestClock::cliFailures_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("out");
    QTest::newRow("read, absent oven") << QStringList{"--ovens", "2-7"} << QStringList{"clock", "read"}
                                       << "nicht verfügbar\n";
    QTest::newRow("read, six lost answers") << QStringList{"--fault", "silence@1:19x6"}
                                                      << QStringList{"clock", "read"} << "nicht verfügbar\n";
    QTest::newRow("set, absent oven") << QStringList{"--ovens", "2-7"} << QStringList{"clock", "set"}
                                      << "Steuerung nicht erreichbar.\n";
    QTest::newRow("set, announce refused") << QStringList{"--fault", "nak@1:1ax6"} << QStringList{"clock", "set"}
                                           << "Commando \"Uhr stellen\" wurde nicht akzeptiert.\n";
}

void TestClock::cliFailures()
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

void TestClock::cliSetThenReadOverPty()
{
    PtySim sim;
    QVERIFY(sim.start({"--fault", "silence@1:1ax2", "--fault", "checksum@1:19"}));
    Run r = torvelctl({"--port", sim.device, "clock", "set", "--time", "31.12.2026 23:59:58"});
    QCOMPARE(r.out, QStringLiteral("Uhr gestellt.\n"));
    QCOMPARE(r.code, 0);
    r = torvelctl({"--port", sim.device, "clock", "read"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.startsWith(QStringLiteral("31.12.2026 23:59:5")) || r.out.startsWith(QStringLiteral("01.01.2027")),
             qPrintable(r.out));
    // The other ovens were not touched.
    r = torvelctl({"--port", sim.device, "--oven", "2", "clock", "read"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.startsWith(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")))
                 || r.out.startsWith(QDate::currentDate().addDays(1).toString(QStringLiteral("dd.MM.yyyy"))),
             qPrintable(r.out));
}

// Controllers have no daylight saving: 29.03.2026 02:30 does not exist on a PC in Berlin.
void TestClock::theHourThePcSkipsIsAControllerTimeLikeAnyOther()
{
    const QByteArray zone = qgetenv("TZ");
    const auto restore = qScopeGuard([zone] {
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
    });
    qputenv("TZ", "Europe/Berlin");
    tzset();
    Bench b;
    b.line.controller(3).clock().setRaw(hex("00 29 03 26 02 30 00"));
    const ClockReading r = ReadControllerClock(b.engine, 3);
    QCOMPARE(clockReadingText(r), QStringLiteral("Sonntag  29.03.2026 02.30.00"));
    QCOMPARE(SetControllerClock(b.engine, 3, r.time), int(ClockSetOk));
    QCOMPARE(b.frames.last(), dataFrame(hex("00 29 03 26 02 30 00"))); // not shifted to 03:30
    const Run run = torvelctl({"--port", "SIM", "clock", "set", "--time", "29.03.2026 02:30:00"}); // in Berlin too
    QCOMPARE(run.out, QStringLiteral("Uhr gestellt.\n"));
}

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"

// One transaction on a scripted line: exact frames out, echo handling, waiting for
// doubled bytes, time-outs, the monitor's log lines and the modem wrapper.

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"
#include "link/memolog.h"
#include "link/modemsend.h"
#include "testsupport/files.h"
#include "testsupport/scriptedtransport.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace torvel;
using torvel::test::hex;
using torvel::test::ScriptedTransport;

namespace {
QByteArray ack()
{
    return QByteArray(1, kAck);
}
} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

    MonitorLog *log = nullptr;
    ScriptedTransport *line = nullptr;
    CommandEngine *engine = nullptr;

private slots:
    void init()
    {
        log = new MonitorLog(this);
        log->setLogging(true);
        line = new ScriptedTransport(this);
        engine = new CommandEngine(log, this);
        engine->setTransport(line);
    }
    void cleanup()
    {
        delete engine;
        delete line;
        delete log;
    }

    void addressingOvenOneAsInTheWorkedExample()
    {
        line->setResponder([](const QByteArray &) { return ack(); });
        const QByteArray answer =
            engine->SendCommand(hex("05 8A"), 1, false, 50, "Steuerung adressieren", ControllerFlags);
        QCOMPARE(answer, ack());
        QCOMPARE(line->writes(), QList<QByteArray>{hex("05 8A")});
        QCOMPARE(log->kommandos().lines(), QStringList{"Steuerung adressieren"});
        QCOMPARE(log->sentCommands().lines(), QStringList{"<ENQ>[8A]"});
        QCOMPARE(log->got().lines(), QStringList{"<ACK>"});
        // A closed port opens again for the next transaction.
        engine->closePort();
        QVERIFY(!line->isOpen());
        QCOMPARE(engine->SendCommand(hex("05 8A"), 1, false, 50, "a", ControllerFlags), ack());
        QCOMPARE(line->opens(), 2);
    }

    void functionFramesAreDoubledAndTheAnswerWaitsForDoubledBytes()
    {
        // Data 05 01 doubled as 05 05 01, checksum 0B.
        const QByteArray reply = hex("06 05 05 01 0B 06");
        line->setChunkSize(1); // byte by byte, like a slow line
        line->setResponder([&](const QByteArray &) { return reply + hex("99"); });
        const QByteArray cmd = hex("46 05 00 00 05");
        QByteArray answer = engine->SendCommand(cmd, 5, true, 500, "x", ControllerFlags);
        QCOMPARE(line->writes().first(), hex("46 05 05 00 00 05 05"));
        // Five answer bytes plus one for the doubled pair; the trailing 0x99 is not waited for.
        QCOMPARE(answer, reply);
        QVERIFY(CheckReply(answer, true));
        QCOMPARE(answer, hex("06 05 01 0B 06"));
    }

    // Silence, or only the echo of the question: both end with the time-out and an empty answer.
    void noAnswerTimesOut_data()
    {
        QTest::addColumn<bool>("echo");
        QTest::newRow("silence") << false;
        QTest::newRow("echo only") << true;
    }
    void noAnswerTimesOut()
    {
        QFETCH(bool, echo);
        line->setEcho(echo);
        const QByteArray answer = engine->SendCommand(statusQueryFrame(), 25, true, 30, "Statusabfrage", 3);
        QVERIFY(answer.isEmpty());
        QCOMPARE(log->got().lines(), QStringList{"TimeOut"});
    }

    void noAnswerExpectedEndsWithTheEcho()
    {
        QSignalSpy finished(engine, &CommandEngine::transactionFinished);
        const QByteArray answer = engine->SendCommand(hex("01 02"), 0, true, 5000, "Daten", ControllerFlags);
        QVERIFY(answer.isEmpty());
        QCOMPARE(log->got().lines(), QStringList{"<nothing - Ok.>"});
        QCOMPARE(finished.count(), 1);
    }

    void garbageBeforeTheAnswerIsSkipped()
    {
        line->setResponder([](const QByteArray &) { return hex("FF 00 15"); });
        const QByteArray answer = engine->SendCommand(hex("05 9E"), 3, false, 200, "a", ControllerFlags);
        QCOMPARE(answer, hex("15"));
        QCOMPARE(log->got().lines(), QStringList{"<NAK>"});
    }

    void withoutEchoFlagTwoStillFindsTheAnswer()
    {
        engine->settings().ohneEcho = true;
        line->setResponder([](const QByteArray &) { return ack(); });
        // The echo stays in the buffer: 3 bytes arrive, 3 expected (F 2 + 1).
        const QByteArray kept = engine->SendCommand(hex("05 9E"), 1, false, 200, "a", StripEcho);
        QCOMPARE(kept, hex("05 9E 06"));
        const QByteArray skipped = engine->SendCommand(hex("05 9E"), 1, false, 200, "a", ControllerFlags);
        QCOMPARE(skipped, ack());
    }

    void writeFailureDoesNotWait()
    {
        line->setFailWrite(true);
        bool waited = false;
        QTimer eventLoopRan; // fires only if a wait runs the event loop; gone with the test
        connect(&eventLoopRan, &QTimer::timeout, this, [&waited] { waited = true; });
        eventLoopRan.start(0);
        const QByteArray answer = engine->SendCommand(hex("05 8A"), 1, false, 5000, "a", ControllerFlags);
        QVERIFY(answer.isEmpty());
        QVERIFY(!waited);
        QCOMPARE(log->got().lines(), QStringList{"TimeOut"});
    }

    void aSecondRequestDuringATransactionIsRefused()
    {
        QByteArray nested = "untouched";
        int nestedWrites = -1;
        QTimer::singleShot(0, this, [&] {
            nested = engine->SendCommand(hex("05 94"), 1, false, 50, "zweite", ControllerFlags);
            nestedWrites = static_cast<int>(line->writes().size());
            line->inject(ack());
        });
        const QByteArray answer = engine->SendCommand(hex("05 8A"), 1, false, 2000, "erste", ControllerFlags);
        QVERIFY(nested.isEmpty());
        QCOMPARE(nestedWrites, 1);
        QCOMPARE(answer, ack());
        QCOMPARE(log->kommandos().lines(), QStringList{"erste"});
    }

    void staleBytesAreNoPartOfTheAnswer()
    {
        line->inject(hex("06 06 06"));
        QTest::qWait(0);
        QCoreApplication::processEvents();
        line->setResponder([](const QByteArray &) { return hex("15"); });
        QCOMPARE(engine->SendCommand(hex("05 8A"), 1, false, 200, "a", ControllerFlags), hex("15"));
    }

    void effectiveTimeout_data()
    {
        QTest::addColumn<bool>("modemConnect");
        QTest::addColumn<bool>("always");
        QTest::addColumn<int>("toAdd");
        QTest::addColumn<bool>("addToGiven");
        QTest::addColumn<int>("addTimeout");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("effective");
        QTest::newRow("plain") << false << false << 700 << false << 0 << 50 << 50;
        QTest::newRow("always") << false << true << 700 << false << 0 << 50 << 750;
        QTest::newRow("both count once") << true << true << 700 << false << 0 << 50 << 750;
        QTest::newRow("everything") << true << true << 700 << true << 500 << 100 << 1300;
        QTest::newRow("negative clamps to 1 ms") << false << false << 0 << true << -500 << 50 << 1;
        QTest::newRow("overflow clamps") << false << true << 2147483647 << true << 2147483647 << 100
                                         << 2147483647;
    }
    void effectiveTimeout()
    {
        QFETCH(bool, modemConnect);
        QFETCH(bool, always);
        QFETCH(int, toAdd);
        QFETCH(bool, addToGiven);
        QFETCH(int, addTimeout);
        QFETCH(int, requested);
        QFETCH(int, effective);
        EngineSettings &s = engine->settings();
        s.modemConnect = modemConnect;
        s.alwaysAddTO = always;
        s.toAdd = toAdd;
        s.addTimeoutGiven = addToGiven;
        s.addTimeout = addTimeout;
        QCOMPARE(engine->effectiveTimeout(requested), effective);
    }

    void textModeVerdicts_data()
    {
        QTest::addColumn<QByteArray>("modemSays");
        QTest::addColumn<bool>("ok");
        QTest::newRow("ok") << QByteArray("ATI\r\r\nOK\r\n") << true;
        QTest::newRow("listing") << QByteArray("x\r\nStrike a key when ready . . .\r\n") << true;
        QTest::newRow("error") << QByteArray("ATI\r\r\nERROR\r\n") << false;
    }
    void textModeVerdicts()
    {
        QFETCH(QByteArray, modemSays);
        QFETCH(bool, ok);
        line->setEcho(false);
        line->setResponder([&](const QByteArray &) { return modemSays; });
        MemoLog errors;
        bool reportedOk = !ok;
        const QByteArray answer = ModemSend(*engine, &errors, "ATI\r", int(modemSays.size()) - 4, false, 10, TextMode, &reportedOk);
        QCOMPARE(reportedOk, ok);
        QCOMPARE(answer, modemSays);
        QCOMPARE(log->kommandos().lines().first(), QStringLiteral("MODEM"));
        QCOMPARE(errors.lines().size(), ok ? 0 : 1);
        if (!ok)
            QVERIFY(errors.lines().first().endsWith(QStringLiteral(":NAK empfangen (Sent:ATI\r;; Read:") + QChar(0x15)
                                                    + QString::fromLatin1(modemSays) + ")"));
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"

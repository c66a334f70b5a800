// The simulated line byte for byte, its faults, and the engine talking to it in-process
// and over a pseudo-terminal.

#include "faultplan.h"
#include "simfunctions.h"
#include "simline.h"
#include "simoptions.h"
#include "simtransport.h"
#include "transportfactory.h"

#include "link/bytes.h"
#include "link/commandengine.h"
#include "link/controller.h"
#include "link/monitorlog.h"
#include "link/serialtransport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// Oven 3 as the tests expect it: "2.91 r3", M 99.
const QByteArray kVersion3Reply = hex("06 01 23 72 03 4D 63 49 06");
// Oven 1: "2.85 r1", M 99.
const QByteArray kVersion1Reply = hex("06 01 1D 72 01 4D 63 41 06");
const QByteArray kAddress3 = hex("05 9E");
const QByteArray kAddress1 = hex("05 8A");
const QByteArray kVersionQuery = hex("46 09 56 72 D1");
const QByteArray kStatusQuery = hex("46 13 00 00 13");

void setKnownVersions(SimLine &line)
{
    line.controller(1).version() = {285, 1, 99};
    line.controller(3).version() = {291, 3, 99};
}

// Everything the line sends for `in`, once its output queue ran empty.
QByteArray exchange(SimLine &line, const QByteArray &in)
{
    QByteArray out;
    const auto c = QObject::connect(&line, &SimLine::toPc, [&out](const QByteArray &b) { out += b; });
    line.receive(in);
    const bool drained = QTest::qWaitFor([&] { return !line.outputPending(); }, 2000);
    QObject::disconnect(c);
    return drained ? out : QByteArrayLiteral("<still sending>");
}

// The answer alone: `in` is echoed first, exactly as sent.
QByteArray answerTo(SimLine &line, const QByteArray &in)
{
    const QByteArray out = exchange(line, in);
    if (!out.startsWith(in))
        return QByteArrayLiteral("<no echo>");
    return out.mid(in.size());
}

// Address oven 3 and ask for its version; the version answer alone.
QByteArray versionAnswer(SimLine &line, int oven = 3)
{
    const QByteArray ack = answerTo(line, addressFrame(ovenAddressByte(oven)));
    return (ack == QByteArray(1, kAck) ? QByteArray() : QByteArrayLiteral("<no address ack>"))
           + answerTo(line, kVersionQuery);
}

} // namespace

class TestSimLine : public QObject
{
    Q_OBJECT

private slots:
    void framing_data();
    void framing();
    void echoPrecedesAnswerOfEachWrite();
    void neverDeliversInsideReceive();
    void doubledReplyAndChecksum();
    void statusReply();
    void faultKinds_data();
    void faultKinds();
    void randomFaultsReproducible_data();
    void randomFaultsReproducible();
    void aimedFaultHitsOnlyItsTarget();
    void aimedAtAddressing();
    void vanishAfterMoreAnswers();
    void frameCounters();
    void writeFunctionWithDataFrame();
    void pacing_data();
    void pacing();
    void engineEndToEnd_data();
    void engineEndToEnd();
    void engineRetriesAfterFault();
    void factory_data();
    void factory();
    void parseFaultRule_data();
    void parseFaultRule();
    void parseVersionAndOvens();
    void ptyEndToEnd();
};

void TestSimLine::framing_data()
{
    QTest::addColumn<QList<int>>("ovens");
    QTest::addColumn<QByteArray>("in");
    QTest::addColumn<QByteArray>("answer"); // after the echo of `in`

    const QList<int> all{1, 2, 3, 4, 5, 6, 7};
    const QList<int> some{1, 3};
    QTest::newRow("address oven 3") << all << hex("05 9E") << hex("06");
    QTest::newRow("address oven 7") << all << hex("05 C6") << hex("06");
    QTest::newRow("absent oven is silent") << some << hex("05 A8") << QByteArray();
    QTest::newRow("no oven at that address") << all << hex("05 81") << QByteArray();
    QTest::newRow("version oven 3") << all << kAddress3 + kVersionQuery << hex("06") + kVersion3Reply;
    QTest::newRow("function frame without selection") << all << kVersionQuery << QByteArray();
    QTest::newRow("absent oven deselects") << some << kAddress3 + hex("05 A8") + kVersionQuery << hex("06");
    QTest::newRow("bad function checksum") << all << kAddress3 + hex("46 09 56 72 D0") << hex("06 15");
    QTest::newRow("unknown function") << all << kAddress3 + hex("46 7F 00 00 7F") << hex("06 15");
    QTest::newRow("doubled 05 parameter") << all << kAddress3 + hex("46 09 05 05 72 80")
                                          << hex("06") + kVersion3Reply;
    QTest::newRow("resync to oven 1 inside a frame")
        << all << kAddress3 + hex("46 09 56") + kAddress1 + kVersionQuery << hex("06 06") + kVersion1Reply;
    QTest::newRow("stray byte before the frame") << all << kAddress3 + hex("33") + kVersionQuery
                                                 << hex("06") + kVersion3Reply;
}

void TestSimLine::framing()
{
    QFETCH(QList<int>, ovens);
    QFETCH(QByteArray, in);
    QFETCH(QByteArray, answer);
    SimLine line;
    setKnownVersions(line);
    line.setPresentOvens(ovens);
    QCOMPARE(exchange(line, in).toHex(' '), (in + answer).toHex(' '));
}

void TestSimLine::echoPrecedesAnswerOfEachWrite()
{
    SimLine line;
    setKnownVersions(line);
    QByteArray out;
    connect(&line, &SimLine::toPc, this, [&out](const QByteArray &b) { out += b; });
    line.receive(kAddress3);
    line.receive(kVersionQuery.left(2));
    line.receive(kVersionQuery.mid(2));
    QTRY_VERIFY_WITH_TIMEOUT(!line.outputPending(), 2000);
    QCOMPARE(out.toHex(' '), (kAddress3 + hex("06") + kVersionQuery + kVersion3Reply).toHex(' '));
}

void TestSimLine::neverDeliversInsideReceive()
{
    SimLine line;
    QSignalSpy spy(&line, &SimLine::toPc);
    line.receive(kAddress3);
    QCOMPARE(spy.count(), 0);
    QVERIFY(spy.wait(1000));
}

void TestSimLine::doubledReplyAndChecksum()
{
    // Data 05 00 'r' 89 goes out as 05 05 00 72 89: sum 0x105, so the checksum 05 is doubled too.
    SimLine line;
    line.controller(3).version() = {0x0500, 0x89, std::nullopt};
    QByteArray reply = versionAnswer(line);
    QCOMPARE(reply.toHex(' '), hex("06 05 05 00 72 89 05 05 06").toHex(' '));

    QVERIFY(CheckReply(reply, true));
    const auto v = decodeSoftwareVersion(reply);
    QVERIFY(v);
    QCOMPARE(versionText(*v), QStringLiteral("12.80 r137"));
    QVERIFY(!v->capability);
}

void TestSimLine::statusReply()
{
    SimLine line;
    SimStatus &s = line.controller(3).status();
    s = {};
    s.onStatus = 1;
    s.programNumber = 12;
    s.bakeTime = 600;
    s.topHeatActual = 228;
    s.bottomHeatActual = 219;
    s.topHeatSet = 230;
    s.bottomHeatSet = 220;
    s.topHeatOn = true;
    s.bottomHeatOn = true; // switch bits 0x05: doubled
    s.programStarted = true;

    answerTo(line, kAddress3);
    QByteArray reply = answerTo(line, kStatusQuery);
    const QByteArray expected = hex("06  01  0C 00  00  02 58  00 E4  00 DB  00 E6  00 DC  05 05  00  01"
                                    "    00 00 00 00 00  F3 06");
    QCOMPARE(reply.toHex(' '), expected.toHex(' '));

    QVERIFY(CheckReply(reply, true));
    const ControllerStatus st = decodeStatus(reply);
    QCOMPARE(st.programNumber, 12);
    QCOMPARE(st.bakeTime, 600);
    QCOMPARE(st.bottomHeatSet, 220);
    QCOMPARE(st.topHeatOn, true);
    QCOMPARE(st.bottomHeatOn, true);
    QCOMPARE(st.programStarted, true);
}

void TestSimLine::faultKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("checksum") << int(FaultKind::CorruptChecksum);
    QTest::newRow("lost") << int(FaultKind::LostBytes);
    QTest::newRow("silence") << int(FaultKind::Silence);
    QTest::newRow("nak") << int(FaultKind::Nak);
    QTest::newRow("noise") << int(FaultKind::Noise);
    QTest::newRow("vanish") << int(FaultKind::Vanish);
}

void TestSimLine::faultKinds()
{
    QFETCH(int, kind);
    const auto k = static_cast<FaultKind>(kind);

    const auto run = [k](QByteArray *first, QByteArray *second, bool *vanished) {
        SimLine line;
        setKnownVersions(line);
        line.faults().setSeed(42);
        line.faults().aim(k, 3, kVersionFunction, 1);
        *first = versionAnswer(line);
        *second = versionAnswer(line);
        *vanished = line.controller(3).vanished();
        QCOMPARE(line.stats().faultCount(k), 1);
    };
    QByteArray first, second;
    bool vanished = false;
    run(&first, &second, &vanished);
    if (QTest::currentTestFailed())
        return;

    QVERIFY(first != kVersion3Reply);
    switch (k) {
    case FaultKind::CorruptChecksum:
        QCOMPARE(first.toHex(' '), hex("06 01 23 72 03 4D 63 B6 06").toHex(' '));
        break;
    case FaultKind::LostBytes: {
        QCOMPARE(first.size(), kVersion3Reply.size() - 1);
        bool oneRemoved = false;
        for (int i = 0; i < kVersion3Reply.size(); ++i)
            oneRemoved = oneRemoved || QByteArray(kVersion3Reply).remove(i, 1) == first;
        QVERIFY(oneRemoved);
        break;
    }
    case FaultKind::Silence:
        QVERIFY(first.isEmpty());
        break;
    case FaultKind::Nak:
        QCOMPARE(first, QByteArray(1, kNak));
        break;
    case FaultKind::Noise:
        QCOMPARE(first.size(), kVersion3Reply.size() + 3);
        QVERIFY(first.endsWith(kVersion3Reply));
        for (char b : first.left(3))
            QVERIFY(b != kEnq && b != kAck && b != kNak);
        break;
    case FaultKind::Vanish:
        QVERIFY(first.isEmpty());
        break;
    }

    if (k == FaultKind::Vanish) {
        QVERIFY(vanished);
        QCOMPARE(second, QByteArrayLiteral("<no address ack>")); // not even its address any more
    } else {
        QVERIFY(!vanished);
        QCOMPARE(second.toHex(' '), kVersion3Reply.toHex(' ')); // the aimed fault is used up
    }

    // The same seed gives the same answers.
    QByteArray again, secondAgain;
    run(&again, &secondAgain, &vanished);
    QCOMPARE(again.toHex(' '), first.toHex(' '));
    QCOMPARE(secondAgain.toHex(' '), second.toHex(' '));
}

void TestSimLine::randomFaultsReproducible_data()
{
    faultKinds_data();
}

void TestSimLine::randomFaultsReproducible()
{
    QFETCH(int, kind);
    const auto run = [kind](quint32 seed) {
        SimLine line;
        setKnownVersions(line);
        line.faults().setSeed(seed);
        line.faults().addRandom(static_cast<FaultKind>(kind), 0.3);
        QByteArrayList answers;
        for (int i = 0; i < 20; ++i) {
            answers << answerTo(line, kAddress3);
            answers << answerTo(line, kVersionQuery);
        }
        return answers;
    };
    const QByteArrayList a = run(7);
    QCOMPARE(run(7), a);
    QVERIFY(run(8) != a);

    int faulted = 0;
    for (int i = 0; i < a.size(); i += 2)
        faulted += (a.at(i) != QByteArray(1, kAck) || a.at(i + 1) != kVersion3Reply) ? 1 : 0;
    QVERIFY(faulted > 0);
    if (static_cast<FaultKind>(kind) != FaultKind::Vanish)
        QVERIFY(faulted < 20);
}

void TestSimLine::aimedFaultHitsOnlyItsTarget()
{
    SimLine line;
    setKnownVersions(line);
    answerTo(line, kAddress3);
    const QByteArray clean3 = answerTo(line, kStatusQuery);
    answerTo(line, kAddress1);
    const QByteArray clean1 = answerTo(line, kStatusQuery);
    QCOMPARE(clean3.size(), 26);

    line.faults().aim(FaultKind::Nak, 3, kStatusFunction, 2);
    QCOMPARE(versionAnswer(line, 3), kVersion3Reply);
    QCOMPARE(versionAnswer(line, 1), kVersion1Reply);
    QCOMPARE(answerTo(line, kStatusQuery), clean1);
    QCOMPARE(answerTo(line, kAddress3), QByteArray(1, kAck));
    QCOMPARE(answerTo(line, kStatusQuery), QByteArray(1, kNak));
    QCOMPARE(answerTo(line, kStatusQuery), QByteArray(1, kNak));
    QCOMPARE(answerTo(line, kStatusQuery), clean3);
    QCOMPARE(line.stats().faultCount(FaultKind::Nak), 2);
    QVERIFY(line.faults().isEmpty());
}

void TestSimLine::aimedAtAddressing()
{
    SimLine line;
    line.faults().aim(FaultKind::Silence, 3, kAddressing, 1);
    QCOMPARE(answerTo(line, kAddress1), QByteArray(1, kAck));
    QCOMPARE(answerTo(line, kAddress3), QByteArray());
    QCOMPARE(answerTo(line, kAddress3), QByteArray(1, kAck));
}

void TestSimLine::vanishAfterMoreAnswers()
{
    SimLine line;
    setKnownVersions(line);
    FaultRule rule;
    rule.kind = FaultKind::Vanish;
    rule.oven = 3;
    rule.count = 1;
    rule.amount = 2; // this answer and one more
    line.faults().add(rule);
    QCOMPARE(versionAnswer(line), kVersion3Reply);
    QVERIFY(line.controller(3).vanished());
    QCOMPARE(answerTo(line, kAddress3), QByteArray());
    QCOMPARE(answerTo(line, kAddress1), QByteArray(1, kAck));
    line.controller(3).revive();
    QCOMPARE(versionAnswer(line), kVersion3Reply);
}

void TestSimLine::frameCounters()
{
    SimLine line;
    exchange(line, kVersionQuery); // nobody selected: still seen on the line
    versionAnswer(line, 2);
    exchange(line, kStatusQuery);
    exchange(line, hex("46 09 56 72 00"));
    const SimStats &s = line.stats();
    QCOMPARE(s.functionFrameCount(kVersionFunction), 3);
    QCOMPARE(s.functionFrameCount(kStatusFunction), 1);
    QCOMPARE(s.functionFrameCount(0x20), 0);
    QCOMPARE(s.addressFrameCount(ovenAddressByte(2)), 1);
    QCOMPARE(s.badChecksums, 1);
    QCOMPARE(line.controller(2).handledCount(kVersionFunction), 1);
    QCOMPARE(line.controller(2).handledCount(kStatusFunction), 1);
    line.resetStats();
    QCOMPARE(line.stats().functionFrameCount(kVersionFunction), 0);
}

void TestSimLine::writeFunctionWithDataFrame()
{
    SimLine line;
    QByteArrayList written;
    line.controller(3).registerFunction(0x30, [&written](quint8 p1, quint8) {
        return SimReply::expectData(p1, [&written](const QByteArray &data) {
            written << data;
            return SimReply::ack();
        });
    });

    const QByteArray announce = stuffEnq(functionFrame(0x30, 3, 0));
    QCOMPARE(answerTo(line, kAddress3 + announce), hex("06 06"));
    // Data 01 05 46 with its checksum 4C; a 0x46 inside data starts no function frame.
    QCOMPARE(answerTo(line, stuffEnq(dataFrame(hex("01 05 46")))), QByteArray(1, kAck));
    QCOMPARE(written, QByteArrayList{hex("01 05 46")});

    QCOMPARE(answerTo(line, announce), QByteArray(1, kAck));
    QCOMPARE(answerTo(line, hex("01 02 03 00")), QByteArray(1, kNak)); // wrong checksum
    QCOMPARE(written.size(), 1);

    // Addressing in the middle of a data frame ends the write.
    QCOMPARE(answerTo(line, announce + hex("01") + kAddress1), hex("06 06"));
    QCOMPARE(written.size(), 1);
    QCOMPARE(line.stats().dataFrames, 2);
}

void TestSimLine::pacing_data()
{
    QTest::addColumn<int>("baud");
    QTest::newRow("9600") << 9600;
    QTest::newRow("38400") << 38400;
}

void TestSimLine::pacing()
{
    QFETCH(int, baud);
    SimLine line;
    setKnownVersions(line);
    line.setPacing(true);
    line.setBaudRate(baud);
    const QByteArray in = kAddress3 + kVersionQuery;
    QElapsedTimer clock;
    clock.start();
    const QByteArray out = exchange(line, in);
    const qint64 elapsed = clock.nsecsElapsed();
    QCOMPARE(out.toHex(' '), (in + hex("06") + kVersion3Reply).toHex(' '));
    // No byte arrives before it could have crossed the wire: 10 bits each.
    QVERIFY2(elapsed >= out.size() * 10'000'000'000LL / baud, qPrintable(QString::number(elapsed)));
}

void TestSimLine::engineEndToEnd_data()
{
    QTest::addColumn<bool>("paced");
    QTest::newRow("unpaced") << false;
    QTest::newRow("paced") << true;
}

void TestSimLine::engineEndToEnd()
{
    QFETCH(bool, paced);
    MonitorLog log;
    CommandEngine engine(&log);
    SimTransport transport;
    SimLine &line = *transport.line();
    line.setPresentOvens({1, 3});
    line.controller(3).version() = {291, 3, 99};
    line.setPacing(paced);
    engine.setTransport(&transport);

    SoftwareVersion v;
    QCOMPARE(ReadSoftwareVersion(engine, 3, &v), QStringLiteral("2.91 r3"));
    QCOMPARE(v.capability, std::optional<quint8>(99));
    QCOMPARE(ReadSoftwareVersion(engine, 2), QStringLiteral("NA"));

    line.controller(3).status().bakeTime = 777;
    const auto status = QueryStatus(engine, 30, nullptr);
    QVERIFY(status);
    QCOMPARE(status->bakeTime, 777);
    QCOMPARE(line.stats().functionFrameCount(kStatusFunction), 1);
}

void TestSimLine::engineRetriesAfterFault()
{
    MonitorLog log;
    CommandEngine engine(&log);
    SimTransport transport;
    transport.line()->faults().aim(FaultKind::CorruptChecksum, 3, kVersionFunction, 1);
    engine.setTransport(&transport);
    QCOMPARE(ReadSoftwareVersion(engine, 3), QStringLiteral("2.91 r3"));
    QCOMPARE(transport.line()->stats().functionFrameCount(kVersionFunction), 2);
}

void TestSimLine::factory_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("simulated");
    QTest::newRow("SIM") << "SIM" << true;
    QTest::newRow("sim") << "sim" << true;
    QTest::newRow("COM5") << "COM5" << false;
    QTest::newRow("device") << "/dev/ttyUSB0" << false;
}

void TestSimLine::factory()
{
    QFETCH(QString, port);
    QFETCH(bool, simulated);
    SimLine other;
    SimLine *line = &other; // the factory overwrites it either way
    const auto t = makeTransport(port, {}, &line);
    QVERIFY(t);
    auto *sim = qobject_cast<SimTransport *>(t.get());
    QCOMPARE(sim != nullptr, simulated);
    QCOMPARE(t->displayName(), simulated ? QStringLiteral("SIM") : port);
    if (simulated) {
        QCOMPARE(line, sim->line());
        QCOMPARE(line->presentOvens().size(), SimLine::kOvens);
        QVERIFY(t->open());
        QVERIFY(!t->carrierDetect());
    } else {
        QVERIFY(!line);
    }
}

void TestSimLine::parseFaultRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("oven");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("probability");
    QTest::addColumn<int>("amount");

    QTest::newRow("random") << "nak:0.25" << true << int(FaultKind::Nak) << kAnyOven << kAnyFunction << -1 << 0.25
                            << -1;
    QTest::newRow("random with amount") << "lost=2:.5" << true << int(FaultKind::LostBytes) << kAnyOven
                                        << kAnyFunction << -1 << 0.5 << 2;
    QTest::newRow("aimed") << "checksum@3:09" << true << int(FaultKind::CorruptChecksum) << 3 << 0x09 << 1 << 1.0
                           << -1;
    QTest::newRow("aimed hex count") << "Noise=4@7:0x13x3" << true << int(FaultKind::Noise) << 7 << 0x13 << 3
                                     << 1.0 << 4;
    QTest::newRow("addressing, no end") << "silence@*:addrx*" << true << int(FaultKind::Silence) << kAnyOven
                                        << kAddressing << -1 << 1.0 << -1;
    QTest::newRow("vanish any function") << "vanish=5@2:*" << true << int(FaultKind::Vanish) << 2 << kAnyFunction
                                         << 1 << 1.0 << 5;
    QTest::newRow("unknown kind") << "boom:0.1" << false << 0 << 0 << 0 << 0 << 0.0 << 0;
    QTest::newRow("oven 8") << "nak@8:09" << false << 0 << 0 << 0 << 0 << 0.0 << 0;
    QTest::newRow("probability above 1") << "nak:1.5" << false << 0 << 0 << 0 << 0 << 0.0 << 0;
    QTest::newRow("count 0") << "nak@3:09x0" << false << 0 << 0 << 0 << 0 << 0.0 << 0;
    QTest::newRow("no target") << "nak" << false << 0 << 0 << 0 << 0 << 0.0 << 0;
}

void TestSimLine::parseFaultRule()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QString error;
    const auto rule = torvel::sim::parseFaultRule(text, &error);
    QCOMPARE(bool(rule), valid);
    if (!valid) {
        QVERIFY(!error.isEmpty());
        return;
    }
    QFETCH(int, kind);
    QFETCH(int, oven);
    QFETCH(int, function);
    QFETCH(int, count);
    QFETCH(double, probability);
    QFETCH(int, amount);
    QCOMPARE(int(rule->kind), kind);
    QCOMPARE(rule->oven, oven);
    QCOMPARE(rule->function, function);
    QCOMPARE(rule->count, count);
    QCOMPARE(rule->probability, probability);
    QCOMPARE(rule->amount, amount);
}

void TestSimLine::parseVersionAndOvens()
{
    QString error;
    auto v = parseVersionSetting(QStringLiteral("3=291.3:99"), &error);
    QVERIFY(v);
    QCOMPARE(v->oven, 3);
    QCOMPARE(v->version.word, quint16(291));
    QCOMPARE(v->version.revision, std::optional<quint8>(3));
    QCOMPARE(v->version.capability, std::optional<quint8>(99));
    v = parseVersionSetting(QStringLiteral("6=160"), &error);
    QVERIFY(v && !v->version.revision && !v->version.capability);
    QVERIFY(!parseVersionSetting(QStringLiteral("8=291"), &error));
    QVERIFY(!parseVersionSetting(QStringLiteral("3=70000"), &error));

    QCOMPARE(parseOvenList(QStringLiteral("1,3,5"), &error), std::optional<QList<int>>({1, 3, 5}));
    QCOMPARE(parseOvenList(QStringLiteral("2-4,7"), &error), std::optional<QList<int>>({2, 3, 4, 7}));
    QCOMPARE(parseOvenList(QStringLiteral("none"), &error), std::optional<QList<int>>(QList<int>()));
    QVERIFY(!parseOvenList(QStringLiteral("0,3"), &error));
    QVERIFY(!parseOvenList(QStringLiteral("x"), &error));
}

void TestSimLine::ptyEndToEnd()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("line"));
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(TORVELSIM_PATH),
              {QStringLiteral("--ovens"), QStringLiteral("1,3"), QStringLiteral("--version"),
               QStringLiteral("3=291.3:99"), QStringLiteral("--fault"), QStringLiteral("nak@3:09"),
               QStringLiteral("--link"), link});
    QVERIFY(sim.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 5000);
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QVERIFY2(device.startsWith(QLatin1Char('/')), qPrintable(device));
    QCOMPARE(QFileInfo(link).symLinkTarget(), device);

    {
        MonitorLog log;
        CommandEngine engine(&log);
        SerialTransport port(link, link);
        engine.setTransport(&port);
        // The first version answer is refused by the aimed fault; the second attempt succeeds.
        QCOMPARE(ReadSoftwareVersion(engine, 3), QStringLiteral("2.91 r3"));
        QCOMPARE(ReadSoftwareVersion(engine, 2), QStringLiteral("NA"));
        port.close();
    }

    QSignalSpy finished(&sim, &QProcess::finished);
    sim.terminate();
    QVERIFY(finished.wait(5000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_GUILESS_MAIN(TestSimLine)
#include "tst_simline.moc"

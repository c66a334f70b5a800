// The simulated line byte for byte, its faults, and the engine talking to it.

#include "faultplan.h"
#include "simfunctions.h"
#include "simline.h"
#include "simoptions.h"
#include "simtransport.h"
#include "transportfactory.h"

#include "link/bytes.h"
#include "link/controller.h"

#include "testsupport/files.h"
#include "testsupport/linerig.h"

#include <QSignalSpy>
#include <QTest>

using namespace torvel;
using namespace torvel::sim;
using torvel::test::hex;
using torvel::test::LineRig;

namespace {

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
    void framing_data()
    {
        QTest::addColumn<QList<int>>("ovens");
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QByteArray>("answer"); // after the echo of `in`

        const QList<int> all{1, 2, 3, 4, 5, 6, 7};
        const QList<int> some{1, 3};
        QTest::newRow("address oven 3") << all << hex("05 9E") << hex("06");
        QTest::newRow("absent oven is silent") << some << hex("05 A8") << QByteArray();
        QTest::newRow("version oven 3") << all << kAddress3 + kVersionQuery << hex("06") + kVersion3Reply;
        QTest::newRow("function frame without selection") << all << kVersionQuery << QByteArray();
        QTest::newRow("absent oven deselects") << some << kAddress3 + hex("05 A8") + kVersionQuery << hex("06");
        QTest::newRow("bad function checksum") << all << kAddress3 + hex("46 09 56 72 D0") << hex("06 15");
        QTest::newRow("unknown function") << all << kAddress3 + hex("46 7F 00 00 7F") << hex("06 15");
        QTest::newRow("doubled 05 parameter") << all << kAddress3 + hex("46 09 05 05 72 80")
                                              << hex("06") + kVersion3Reply;
        QTest::newRow("resync to oven 1 inside a frame")
            << all << kAddress3 + hex("46 09 56") + kAddress1 + kVersionQuery << hex("06 06") + kVersion1Reply;
    }

    void framing()
    {
        QFETCH(QList<int>, ovens);
        QFETCH(QByteArray, in);
        QFETCH(QByteArray, answer);
        SimLine line;
        setKnownVersions(line);
        line.setPresentOvens(ovens);
        QCOMPARE(exchange(line, in).toHex(' '), (in + answer).toHex(' '));
    }

    void echoPrecedesAnswerOfEachWrite()
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

    void neverDeliversInsideReceive()
    {
        SimLine line;
        QSignalSpy spy(&line, &SimLine::toPc);
        line.receive(kAddress3);
        QCOMPARE(spy.count(), 0);
        QVERIFY(spy.wait(1000));
    }

    void doubledReplyAndChecksum()
    {
        // Data 05 00 'r' 89 goes out as 05 05 00 72 89: sum 0x105, so the checksum 05 is doubled too.
        SimLine line;
        line.controller(3).version() = {0x0500, 0x89, std::nullopt};
        QByteArray reply = versionAnswer(line);
        QCOMPARE(reply.toHex(' '), hex("06 05 05 00 72 89 05 05 06").toHex(' '));
        QVERIFY(CheckReply(reply, true));
    }

    void faultKinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("size"); // of the spoilt answer
        QTest::newRow("checksum") << int(FaultKind::CorruptChecksum) << 9;
        QTest::newRow("lost") << int(FaultKind::LostBytes) << 8;
        QTest::newRow("silence") << int(FaultKind::Silence) << 0;
        QTest::newRow("nak") << int(FaultKind::Nak) << 1;
        QTest::newRow("noise") << int(FaultKind::Noise) << 12;
        QTest::newRow("vanish") << int(FaultKind::Vanish) << 0;
    }

    // One aimed fault spoils one answer as its kind says and is used up; a vanished
    // controller does not even take its address any more.
    void faultKinds()
    {
        QFETCH(int, kind);
        QFETCH(int, size);
        const auto k = static_cast<FaultKind>(kind);
        SimLine line;
        setKnownVersions(line);
        line.faults().aim(k, 3, kVersionFunction, 1);
        const QByteArray first = versionAnswer(line);
        QCOMPARE(first.size(), size);
        QCOMPARE(line.stats().faultCount(k), 1);
        if (k == FaultKind::CorruptChecksum)
            QCOMPARE(first.toHex(' '), hex("06 01 23 72 03 4D 63 B6 06").toHex(' '));
        if (k == FaultKind::Nak)
            QCOMPARE(first, QByteArray(1, kNak));
        if (k == FaultKind::Noise) {
            QVERIFY(first.endsWith(kVersion3Reply));
            for (char b : first.left(3))
                QVERIFY(b != kEnq && b != kAck && b != kNak);
        }
        bool oneRemoved = k != FaultKind::LostBytes;
        for (int i = 0; i < kVersion3Reply.size(); ++i)
            oneRemoved = oneRemoved || QByteArray(kVersion3Reply).remove(i, 1) == first;
        QVERIFY(oneRemoved);
        QCOMPARE(line.controller(3).vanished(), k == FaultKind::Vanish);
        QCOMPARE(versionAnswer(line), k == FaultKind::Vanish ? QByteArrayLiteral("<no address ack>") : kVersion3Reply);
    }

    void aimedFaultHitsOnlyItsTarget()
    {
        SimLine line;
        setKnownVersions(line);
        answerTo(line, kAddress3);
        const QByteArray clean3 = answerTo(line, kStatusQuery);
        QCOMPARE(clean3.size(), 26);
        line.faults().aim(FaultKind::Nak, 3, kStatusFunction, 2);
        QCOMPARE(versionAnswer(line, 3), kVersion3Reply); // another function
        QCOMPARE(versionAnswer(line, 1), kVersion1Reply); // another oven
        QCOMPARE(answerTo(line, kStatusQuery).size(), 26);
        QCOMPARE(answerTo(line, kAddress3), QByteArray(1, kAck));
        QCOMPARE(answerTo(line, kStatusQuery) + answerTo(line, kStatusQuery), QByteArray(2, kNak));
        QCOMPARE(answerTo(line, kStatusQuery), clean3);
        QCOMPARE(line.stats().faultCount(FaultKind::Nak), 2);
        QVERIFY(line.faults().isEmpty());
    }

    void writeFunctionWithDataFrame()
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
        // Addressing in the middle of a data frame ends the write.
        QCOMPARE(answerTo(line, announce + hex("01") + kAddress1), hex("06 06"));
        QCOMPARE(written.size(), 1);
        QCOMPARE(line.stats().dataFrames, 2);
    }

    void engineEndToEnd_data()
    {
        QTest::addColumn<bool>("paced");
        QTest::newRow("unpaced") << false;
        QTest::newRow("paced") << true;
    }

    void engineEndToEnd()
    {
        QFETCH(bool, paced);
        LineRig rig;
        rig.line->setPresentOvens({1, 3});
        rig.line->setPacing(paced);
        SoftwareVersion v;
        QCOMPARE(ReadSoftwareVersion(rig.engine(), 3, &v), QStringLiteral("2.91 r3"));
        QCOMPARE(v.capability, std::optional<quint8>(99));
        QCOMPARE(ReadSoftwareVersion(rig.engine(), 2), QStringLiteral("NA"));
        rig.line->controller(3).status().bakeTime = 777;
        const auto status = QueryStatus(rig.engine(), 30, nullptr);
        QVERIFY(status && status->bakeTime == 777);
    }

    void engineRetriesAfterFault()
    {
        LineRig rig;
        // Two bad answers are made good by the query's third and last attempt.
        rig.line->faults().aim(FaultKind::CorruptChecksum, 3, kVersionFunction, 2);
        QCOMPARE(ReadSoftwareVersion(rig.engine(), 3), QStringLiteral("2.91 r3"));
        QCOMPARE(rig.line->stats().functionFrameCount(kVersionFunction), 3);
        rig.line->faults().aim(FaultKind::CorruptChecksum, 3, kVersionFunction, 3);
        QCOMPARE(ReadSoftwareVersion(rig.engine(), 3), QStringLiteral("NA"));
    }

    // "SIM" is the built-in line, anything else a serial port.
    void factory()
    {
        SimLine other;
        SimLine *line = &other; // the factory overwrites it either way
        const auto sim = makeTransport(QStringLiteral("SIM"), {}, &line);
        QVERIFY(qobject_cast<SimTransport *>(sim.get()));
        QCOMPARE(line, qobject_cast<SimTransport *>(sim.get())->line());
        QVERIFY(sim->open());
        const auto port = makeTransport(QStringLiteral("COM5"), {}, &line);
        QVERIFY(!qobject_cast<SimTransport *>(port.get()));
        QCOMPARE(port->displayName(), QStringLiteral("COM5"));
        QVERIFY(!line);
    }

    void parseFaultRule_data()
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
        QTest::newRow("aimed") << "checksum@3:09" << true << int(FaultKind::CorruptChecksum) << 3 << 0x09 << 1 << 1.0
                               << -1;
        QTest::newRow("aimed hex count") << "Noise=4@7:0x13x3" << true << int(FaultKind::Noise) << 7 << 0x13 << 3
                                         << 1.0 << 4;
        QTest::newRow("addressing, no end") << "silence@*:addrx*" << true << int(FaultKind::Silence) << kAnyOven
                                            << kAddressing << -1 << 1.0 << -1;
        QTest::newRow("unknown kind") << "boom:0.1" << false << 0 << 0 << 0 << 0 << 0.0 << 0;
        QTest::newRow("oven 8") << "nak@8:09" << false << 0 << 0 << 0 << 0 << 0.0 << 0;
        QTest::newRow("count 0") << "nak@3:09x0" << false << 0 << 0 << 0 << 0 << 0.0 << 0;
    }

    void parseFaultRule()
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

    void parseVersionAndOvens()
    {
        QString error;
        const auto v = parseVersionSetting(QStringLiteral("3=291.3:99"), &error);
        QVERIFY(v && v->oven == 3 && v->version.word == 291);
        QVERIFY(v->version.revision == 3 && v->version.capability == 99);
        QVERIFY(!parseVersionSetting(QStringLiteral("8=291"), &error));
        QVERIFY(!parseVersionSetting(QStringLiteral("3=70000"), &error));
        QCOMPARE(parseOvenList(QStringLiteral("2-4,7"), &error), std::optional<QList<int>>({2, 3, 4, 7}));
        QCOMPARE(parseOvenList(QStringLiteral("none"), &error), std::optional<QList<int>>(QList<int>()));
        QVERIFY(!parseOvenList(QStringLiteral("0,3"), &error));
    }
};

QTEST_GUILESS_MAIN(TestSimLine)
#include "tst_simline.moc"
